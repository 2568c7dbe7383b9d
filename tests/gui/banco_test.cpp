// The program on a PostgreSQL server (started by tests/pg_teste.sh; skipped
// without it): chosen in "&Banco de dados", numbering and saving there, a
// save of another copy of the program caught and kept as a revision, the
// open window listing from the server with its "Revisões", a deletion that
// keeps them, the clients shared, and a server that stops while a quotation
// is being typed.

#include "shell_ambiente.h"

#include "cli_execucao.h"
#include "clients/clientes.h"
#include "quotation/windows/uqlabrir.h"
#include "quotation/windows/uqlsalvar.h"
#include "servidor_pg.h"
#include "store/acervo_servidor.h"
#include "store/windows/uqlbanco.h"

#include <QDate>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

#include <nlohmann/json.hpp>

using namespace quellora;

namespace {

class JanelasNoServidor : public teste::AmbienteShell {
protected:
    void SetUp() override {
        AmbienteShell::SetUp();
        EXIGE_SERVIDOR_DE_TESTE();
        ASSERT_TRUE(teste::EsvaziaServidor());
    }
    void TearDown() override {
        EsqueceAcervoDoPrograma();
        AmbienteShell::TearDown();
    }
    // quellora-cli on the same data folder: another copy of the program.
    teste::Execucao cli(QStringList args) const {
        return teste::ExecutaCli(args << QStringLiteral("--dados") << dados);
    }
};

} // namespace

TEST_F(JanelasNoServidor, DuasCopiasNumeramSalvamEAbremAsPropostasUmaDaOutra) {
    auto &g = G();
    auto &r = respostas;
    abre();
    janela->resize(1000, 740);
    ativa(janela);
    captura("banco_00_principal");
    const QString numero = QStringLiteral("0001/") + QDate::currentDate().toString(QStringLiteral("yy"));

    // 1. "&Banco de dados": a password is refused, the server answers the
    // test, OK keeps the choice.
    noProximoDialogo([&](QDialog *d) {
        EXPECT_EQ(d->objectName(), QStringLiteral("TfrmBanco"));
        EXPECT_TRUE(em<QRadioButton>(d, "rbPasta")->isChecked());
        EXPECT_FALSE(em<QLineEdit>(d, "edConexao")->isEnabled());
        clica(d, "rbServidor");
        escreve(em<QLineEdit>(d, "edConexao"), QStringLiteral("password=segredo"));
        clica(d, "btOK");
        EXPECT_TRUE(d->isVisible());
        em<QLineEdit>(d, "edConexao")->clear();
        clica(d, "btTestar");
        captura(d, QStringLiteral("banco_01_dialogo"));
        clica(d, "btOK");
    });
    r.vistas.clear();
    QTest::keyClick(janela, Qt::Key_B, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.vistas.size() == 2; }, 5000)) << r.vistas.join('|').toStdString();
    ASSERT_EQ(r.vistas.size(), 2) << r.vistas.join('|').toStdString();
    EXPECT_TRUE(r.vistas[0].contains(QStringLiteral("~/.pgpass")));
    EXPECT_TRUE(r.vistas[1].contains(QStringLiteral("Responde"))) << r.vistas[1].toStdString();
    TConfigBanco c;
    ASSERT_TRUE(LeConfigBanco(dados, c, nullptr));
    EXPECT_TRUE(c.Servidor);
    EXPECT_TRUE(AcervoDoPrograma().Servidor());

    // 2. A client chosen (and thereby shared) and a project typed; saved
    // with the server's first number.
    g.Operador[0] = QStringLiteral("Ana Lima");
    clica(janela, "btDados");
    QWidget *dados = JanelaNumero(JAN_DADOS);
    noProximoDialogo([&](QDialog *d) {
        clica(d, "btNovo");
        escreve(em<QLineEdit>(d, "DBEdit1"), QStringLiteral("Fundição São José Ltda."));
        clica(d, "btOK");
    });
    clica(dados, "BitBtn1");
    auto *edProjeto = em<QLineEdit>(dados, "edProjeto");
    escreve(edProjeto, QStringLiteral("Exaustão"));
    noProximoDialogo([&](QDialog *d) { clica(d, "btNovo"); });
    clica(janela, "btSave");
    EXPECT_EQ(g.Orcamento.NumOrc, numero);
    EXPECT_FALSE(g.Alterado);
    TDadosTabela clientes;
    ASSERT_TRUE(AcervoServidor(QString()).LeClientes(clientes, nullptr));
    ASSERT_EQ(clientes.Registros.size(), 1);
    EXPECT_EQ(clientes.Registros[0][1], QStringLiteral("Fundição São José Ltda."));

    // 3. The other copy saves it too; this one's save is asked about and,
    // with "Sim", kept as one more revision.
    const teste::Execucao mostra = cli({QStringLiteral("orcamento"), QStringLiteral("mostra"), numero});
    ASSERT_EQ(mostra.status, 0) << mostra.erro.toStdString();
    nlohmann::json j = nlohmann::json::parse(mostra.saida.toStdString());
    j["Orcamento"]["Projeto"] = "Exaustão - pela outra cópia";
    const QString js = dir.filePath(QStringLiteral("outra.json"));
    ASSERT_TRUE(GravaArquivoAtomico(js, QByteArray::fromStdString(j.dump()), nullptr));
    ASSERT_EQ(cli({QStringLiteral("orcamento"), QStringLiteral("compila"), js, numero}).status, 0);
    escreve(edProjeto, QStringLiteral("Exaustão - revisada aqui"));
    r.vistas.clear();
    r.responde(ID_SIM);
    noProximoDialogo([&](QDialog *d) { clica(d, "btMesmo"); });
    clica(janela, "btSave");
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_TRUE(r.vistas[0].contains(QStringLiteral("foi alterada por")) &&
                r.vistas[0].endsWith(QString::fromUtf8(MsgConflito)))
        << r.vistas[0].toStdString();
    EXPECT_FALSE(g.Alterado);
    const teste::Execucao revisoes = cli({QStringLiteral("banco"), QStringLiteral("revisoes"), numero});
    EXPECT_EQ(revisoes.saida.count(QStringLiteral("\tAna Lima\t")), 2) << revisoes.saida.toStdString();
    EXPECT_EQ(revisoes.saida.count('\n'), 3);

    // 4. The server stops while the project is being changed: the save
    // says so and nothing typed is lost; once it is back, the save goes.
    escreve(edProjeto, QStringLiteral("Exaustão - com o servidor parado"));
    ASSERT_TRUE(teste::ClusterDeTeste(false));
    r.vistas.clear();
    noProximoDialogo([&](QDialog *d) { clica(d, "btMesmo"); });
    clica(janela, "btSave");
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_TRUE(r.vistas[0].contains(QStringLiteral("não responde"))) << r.vistas[0].toStdString();
    EXPECT_TRUE(g.Alterado);
    EXPECT_EQ(edProjeto->text(), QStringLiteral("Exaustão - com o servidor parado"));
    ASSERT_TRUE(teste::ClusterDeTeste(true));
    noProximoDialogo([&](QDialog *d) { clica(d, "btMesmo"); });
    clica(janela, "btSave");
    EXPECT_FALSE(g.Alterado);

    // 5. The open window lists from the server and opens an earlier
    // revision; "E&xcluir" keeps every revision.
    clica(janela, "btAbrit");
    auto *abrir = qobject_cast<TfrmOpen *>(JanelaNumero(JAN_ABRIR));
    ASSERT_TRUE(abrir->isVisible());
    ASSERT_EQ(abrir->sgFiles()->RowCount(), 2);
    EXPECT_EQ(abrir->sgFiles()->Cells(COL_PROJETO, 1), QStringLiteral("Exaustão - com o servidor parado"));
    auto *btRevisoes = em<QPushButton>(abrir, "btRevisoes");
    ASSERT_TRUE(btRevisoes->isVisible());
    captura("banco_02_abrir");
    noProximoDialogo([&](QDialog *d) {
        auto *sg = em<QTableWidget>(d, "sgRevisoes");
        EXPECT_EQ(sg->rowCount(), 4);
        EXPECT_EQ(sg->currentRow(), 3) << "the last one chosen";
        captura(d, QStringLiteral("banco_03_revisoes"));
        sg->selectRow(1);
        clica(d, "btOK");
    });
    clica(abrir, "btRevisoes");
    ASSERT_TRUE(dados->isVisible());
    EXPECT_EQ(edProjeto->text(), QStringLiteral("Exaustão - pela outra cópia"));
    clica(janela, "btAbrit");
    r.vistas.clear();
    r.responde(ID_SIM);
    clica(abrir, "btExclui");
    EXPECT_EQ(r.vistas, QStringList{QString::fromUtf8(MsgConfirmaExclusao).arg(numero)});
    EXPECT_TRUE(em<QLabel>(abrir, "lbNenhuma")->text().contains(QStringLiteral("servidor PostgreSQL")));
    const teste::Execucao historico = cli({QStringLiteral("banco"), QStringLiteral("historico")});
    EXPECT_TRUE(historico.saida.contains(QStringLiteral("\tAna Lima\texcluído\t") + NomeArquivoOrc(numero)))
        << historico.saida.toStdString();
    EXPECT_EQ(cli({QStringLiteral("banco"), QStringLiteral("revisoes"), numero}).saida.count('\n'), 4);
}

