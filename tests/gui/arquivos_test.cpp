// Quotation files as a newcomer uses them: a quotation typed and saved with
// a new number, the program closed and started again, the quotation found in
// "Abrir/Excluir propostas", opened as it was, changed and saved on its own
// number, and deleted. With QUELLORA_CAPTURAS set, the save dialog and the
// open window are saved as pictures.

#include "shell_ambiente.h"

#include "catalogue/binario.h"
#include "clients/clientes.h"
#include "quotation/numeracao.h"
#include "quotation/windows/uqlabrir.h"
#include "quotation/windows/uqldados.h"
#include "quotation/windows/uqlsalvar.h"

#include <QButtonGroup>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace quellora;

namespace {

class ArquivosOrc : public teste::AmbienteShell {
protected:
    void TearDown() override {
        DefineEscolhaCliente(nullptr);
        AmbienteShell::TearDown();
    }

    QString projetos(const QString &nome = {}) const { return dir.filePath(QStringLiteral("projetos/") + nome); }
    QByteArray arquivo(const QString &nome) const {
        QFile f(projetos(nome));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Save button, the dialog handled by 'f' (after a picture of it).
    void salva(std::function<void(TfrmSave *)> f) {
        noProximoDialogo([this, f](QDialog *d) {
            const QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
            if (!pasta.isEmpty())
                d->grab().save(QDir(pasta).filePath(QStringLiteral("salvar.png")));
            f(qobject_cast<TfrmSave *>(d));
        });
        QTest::mouseClick(controle<QToolButton>("btSave"), Qt::LeftButton);
    }
    static void clica(QWidget *d, const char *nome) {
        auto *b = d->findChild<QAbstractButton *>(QString::fromLatin1(nome));
        ASSERT_TRUE(b) << nome;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    template <class T = QLineEdit>
    static T *em(QWidget *w, const char *nome) {
        return w->findChild<T *>(QString::fromLatin1(nome));
    }
};

} // namespace

TEST_F(ArquivosOrc, SalvaFechaReabreAbreMudaEExclui) {
    DefineEscolhaCliente([](const QString &, DadosCliente &c) {
        c.Cliente = QStringLiteral("Metalúrgica Andrade");
        c.Cidade_Estado = QStringLiteral("Campinas/SP");
        c.Fone = QStringLiteral("19 3200-0000");
        c.descontoV = 5;
        return true;
    });
    abre();
    janela->resize(900, 640);
    const QString ano = QDate::currentDate().toString(QStringLiteral("yy"));
    const QString numero = QStringLiteral("0001/") + ano;
    const QString nome = QStringLiteral("0001_") + ano + QStringLiteral(".orc");

    // A quotation typed in: client, project, two items.
    QTest::mouseClick(controle<QPushButton>("btDados"), Qt::LeftButton);
    QWidget *dados = JanelaNumero(JAN_DADOS);
    ASSERT_TRUE(dados && dados->isVisible());
    clica(dados, "BitBtn1");
    auto *projeto = em(dados, "edProjeto");
    projeto->setFocus();
    digita(projeto, QStringLiteral("Ventilação da fundição"));
    auto *grade = em<GradeTexto>(dados, "grDados");
    grade->setFocus();
    grade->setCelulaAtual(1, 1);
    linha(grade, {"EX-01", "2", "Exaustor", "10000", "50", "", ""});
    linha(grade, {"IN-02", "1", "Insuflamento", "20000", "150", "40", "800"});
    ASSERT_TRUE(G().Alterado);

    // Save -> Novo: the counter is created and the quotation is 0001/yy.
    bool mesmoHabilitado = true;
    QString focado;
    salva([&](TfrmSave *d) {
        mesmoHabilitado = em<QPushButton>(d, "btMesmo")->isEnabled();
        focado = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        EXPECT_EQ(em(d, "edCliente")->text(), QStringLiteral("Metalúrgica Andrade"));
        EXPECT_EQ(em(d, "edProjeto")->text(), QStringLiteral("Ventilação da fundição"));
        clica(d, "btNovo");
    });
    EXPECT_FALSE(mesmoHabilitado);
    EXPECT_EQ(focado, QStringLiteral("btNovo"));
    EXPECT_TRUE(respostas.vistas.isEmpty()) << respostas.vistas.join('|').toStdString();
    EXPECT_EQ(em(dados, "edOrcamento")->text(), numero);
    EXPECT_FALSE(G().Alterado);
    EXPECT_FALSE(controle<QToolButton>("btSave")->isEnabled());
    const QByteArray salvo = arquivo(nome);
    ASSERT_EQ(salvo.size(), 1716 + 2 * 1364);
    QFile contador(arquivoDados(ArqContador));
    ASSERT_TRUE(contador.open(QIODevice::ReadOnly));
    EXPECT_EQ(LeitorBinario(contador.readAll()).integer(0), 2);
    contador.close();

    // Novo on a typed number: "0000" is no number; 0001 exists, and the
    // overwrite answered No writes nothing and keeps the quotation's number.
    digita(projeto, QStringLiteral(" 2"));
    respostas.responde(ID_OK).responde(ID_NAO);
    salva([&](TfrmSave *d) {
        auto *ed = em(d, "edOrc");
        ed->setFocus();
        ed->home(false);
        digita(ed, QStringLiteral("0000"));
        EXPECT_FALSE(em<QPushButton>(d, "btMesmo")->isEnabled()) << "typing a number disables Mesmo";
        clica(d, "btNovo");
        EXPECT_TRUE(d->isVisible());
        ed->home(false);
        digita(ed, QStringLiteral("0001"));
        clica(d, "btNovo");
    });
    ASSERT_EQ(respostas.vistas.size(), 2);
    EXPECT_EQ(respostas.vistas[0], QString::fromUtf8(MsgNumeroInvalido));
    EXPECT_EQ(respostas.vistas[1], QString::fromUtf8(MsgOrcamentoExiste));
    EXPECT_EQ(G().Orcamento.NumOrc, numero);
    EXPECT_EQ(G().Orcamento.Numero, 1);
    EXPECT_EQ(arquivo(nome), salvo);
    EXPECT_TRUE(G().Alterado);
    projeto->clear();
    digita(projeto, QStringLiteral("Ventilação da fundição"));
    salva([&](TfrmSave *d) { clica(d, "btMesmo"); });
    EXPECT_FALSE(G().Alterado);

    // Closed and started again: the quotation is in the list. Some work
    // typed first, and Cancel to the save question: the list still opens.
    reinicia();
    respostas.vistas.clear();
    QTest::mouseClick(controle<QPushButton>("btDados"), Qt::LeftButton);
    digita(em(JanelaNumero(JAN_DADOS), "edProjeto"), QStringLiteral("Rascunho"));
    respostas.responde(ID_CANCEL);
    QTest::mouseClick(controle<QPushButton>("btAbrit"), Qt::LeftButton);
    auto *abrir = qobject_cast<TfrmOpen *>(JanelaNumero(JAN_ABRIR));
    ASSERT_TRUE(abrir && abrir->isVisible());
    EXPECT_EQ(TituloAtual(), QStringLiteral("Abrir/Excluir propostas"));
    EXPECT_FALSE(em<QWidget>(abrir, "GroupBox1")->isVisible());
    GradeTexto *lista = abrir->sgFiles();
    ASSERT_EQ(lista->RowCount(), 2);
    EXPECT_EQ(lista->Cells(COL_ORC, 1), numero);
    EXPECT_EQ(lista->Cells(COL_DATA, 1), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_EQ(lista->Cells(COL_CLIENTE, 1), QStringLiteral("Metalúrgica Andrade"));
    EXPECT_EQ(lista->Cells(COL_PROJETO, 1), QStringLiteral("Ventilação da fundição"));
    captura("abrir");

    // Enter opens it into data entry, as it was: the work kept by Cancel is
    // not dropped without asking again (No: dropped).
    respostas.responde(ID_NAO);
    envia(lista, Qt::Key_Return);
    EXPECT_EQ(respostas.vistas, QStringList(2, QStringLiteral("Você alterou algum dado.\r\nDeseja salvar?")));
    respostas.vistas.clear();
    dados = JanelaNumero(JAN_DADOS);
    ASSERT_TRUE(dados->isVisible());
    EXPECT_EQ(em(dados, "edNome")->text(), QStringLiteral("Metalúrgica Andrade"));
    EXPECT_EQ(em(dados, "edCidade")->text(), QStringLiteral("Campinas/SP"));
    EXPECT_EQ(em(dados, "edProjeto")->text(), QStringLiteral("Ventilação da fundição"));
    EXPECT_EQ(em(dados, "edOrcamento")->text(), numero);
    grade = em<GradeTexto>(dados, "grDados");
    ASSERT_EQ(grade->RowCount(), 3);
    EXPECT_EQ(grade->Cells(1, 1), QStringLiteral("EX-01"));
    EXPECT_EQ(grade->Cells(3, 2), QStringLiteral("Insuflamento"));
    EXPECT_EQ(grade->Numero(4, 2), 20000);
    EXPECT_EQ(grade->Numero(6, 2), 40);
    EXPECT_EQ(G().Orcamento.descontoV, 5);
    EXPECT_FALSE(G().Alterado);
    EXPECT_TRUE(respostas.vistas.isEmpty()) << respostas.vistas.join('|').toStdString();

    // Changed and saved on the same number: the same file, nothing new.
    projeto = em(dados, "edProjeto");
    projeto->setFocus();
    projeto->end(false);
    digita(projeto, QStringLiteral(" - revisão"));
    ASSERT_TRUE(G().Alterado);
    salva([&](TfrmSave *d) {
        EXPECT_TRUE(em<QPushButton>(d, "btMesmo")->isEnabled());
        EXPECT_EQ(em(d, "edOrc")->text(), numero);
        clica(d, "btMesmo");
    });
    EXPECT_FALSE(G().Alterado);
    EXPECT_EQ(QDir(projetos()).entryList(QDir::Files), QStringList{nome});
    EXPECT_EQ(LeitorBinario(arquivo(nome)).str(9, 80), QStringLiteral("Ventilação da fundição - revisão"));

    // Deleted after the question.
    QTest::mouseClick(controle<QPushButton>("btAbrit"), Qt::LeftButton);
    ASSERT_TRUE(abrir->isVisible());
    respostas.responde(ID_SIM);
    clica(abrir, "btExclui");
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_EQ(respostas.vistas[0], QString::fromUtf8(MsgConfirmaExclusao).arg(numero));
    EXPECT_FALSE(QFile::exists(projetos(nome)));
    EXPECT_FALSE(em<QPushButton>(abrir, "btOpen")->isEnabled());
    EXPECT_FALSE(em<QPushButton>(abrir, "btExclui")->isEnabled());
    EXPECT_TRUE(em<QLabel>(abrir, "lbNenhuma")->isVisible());
    EXPECT_TRUE(em<QLabel>(abrir, "lbNenhuma")->text().startsWith(QStringLiteral("Nenhuma proposta foi encontrada em [")));
    captura("abrir_vazia");
}
