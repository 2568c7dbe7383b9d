// The two stores behind one interface, held to the same behaviour: the
// folders and a real PostgreSQL server (started by tests/pg_teste.sh; the
// server cases are skipped without it). Then what only a server does:
// numbering from two programs at once, a save killed half way, the copy of
// a folder there and back, conflicting saves with their revisions and log,
// and a server that stops or refuses.

#include "store/acervo_pasta.h"
#include "store/acervo_servidor.h"

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "clients/clientes.h"
#include "cli_execucao.h"
#include "proposal/orcamento_exemplo.h"
#include "quotation/numeracao.h"
#include "quotation/orcamento_json.h"
#include "servidor_pg.h"
#include "shell/estado.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <set>

using namespace quellora;
using namespace quellora::teste;

namespace {

const double Em2003 = DateTimeParaData(QDateTime(QDate(2003, 5, 2), QTime(10, 0)));

TArquivoOrc Orcamento(const char *numero, const char *cliente, const char *projeto, double total, int itens) {
    TArquivoOrc a = OrcamentoCheio(itens);
    a.Orcamento.NumOrc = QString::fromLatin1(numero);
    a.Orcamento.Cliente = QString::fromUtf8(cliente);
    a.Orcamento.Projeto = QString::fromUtf8(projeto);
    a.Orcamento.Data = Em2003;
    a.Orcamento.ValorTotalOrc = total;
    return a;
}

// Polls until 'feito' holds, at most 'ms' milliseconds.
template <class F>
bool Espera(F feito, int ms) {
    QElapsedTimer t;
    t.start();
    while (!feito()) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

// A data folder whose configuration names the test server.
void ConfiguraServidor(const QString &dirDados) {
    QString erro;
    ASSERT_TRUE(GravaConfigBanco(dirDados, {true, QString()}, &erro)) << erro.toStdString();
}

class AcervoComum : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override {
        ResetaEstado();
        servidor = GetParam() == std::string_view("Servidor");
        if (servidor) {
            EXIGE_SERVIDOR_DE_TESTE();
            ASSERT_TRUE(EsvaziaServidor());
        }
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("dados"))));
        acervo = Novo();
    }
    void TearDown() override { ResetaEstado(); }
    // Another program on the same data.
    std::unique_ptr<Acervo> Novo() const {
        if (servidor)
            return std::make_unique<AcervoServidor>(QString());
        return std::make_unique<AcervoPasta>(dir.filePath(QStringLiteral("dados")),
                                             dir.filePath(QStringLiteral("projetos")));
    }
    void Grava(const QString &nome, const QByteArray &imagem) {
        QString erro;
        ASSERT_EQ(acervo->GravaImagem(nome, imagem, &erro), Gravacao::Gravada) << erro.toStdString();
    }

    bool servidor = false;
    QTemporaryDir dir;
    std::unique_ptr<Acervo> acervo;
};

} // namespace

TEST_P(AcervoComum, GuardaListaLeEExclui) {
    const TArquivoOrc a = Orcamento("0012/03", "Metalúrgica Andrade", "Cabine de pintura", 1234.5, 3);
    const QByteArray imagem = ArquivoOrcParaBytes(a);
    Grava(QStringLiteral("0012_03.orc"), imagem);
    Grava(QStringLiteral("0013_03.orc"), ArquivoOrcParaBytes(Orcamento("0013/03", "", "", 0, 0)));
    // A copy under a name of its own, and a file that is no quotation.
    Grava(QStringLiteral("0012_03 - Copia.orc"), imagem);
    QByteArray lixo = imagem.left(1716);
    GravadorBinario(lixo).integer(632, -1024876009);
    Grava(QStringLiteral("0014_03.orc"), lixo);

    std::vector<TResumoOrc> l;
    QString erro;
    ASSERT_TRUE(acervo->Lista(l, &erro)) << erro.toStdString();
    ASSERT_EQ(l.size(), 4u);
    QStringList linhas;
    for (const TResumoOrc &r : l)
        linhas << QStringLiteral("%1|%2|%3|%4|%5|%6")
                      .arg(r.Arquivo, r.Numero, r.Cliente, r.Projeto, r.Legivel ? TextoDataOrcamento(r.Data) : "-")
                      .arg(r.Total);
    linhas.sort();
    EXPECT_EQ(linhas.join('\n').toStdString(), "0012_03 - Copia.orc|0012/03|Metalúrgica Andrade|Cabine de pintura|02/05/2003|1234.5\n"
                                                "0012_03.orc|0012/03|Metalúrgica Andrade|Cabine de pintura|02/05/2003|1234.5\n"
                                                "0013_03.orc|0013/03|-.-||02/05/2003|0\n"
                                                "0014_03.orc|0014/03|(arquivo danificado)||-|0");

    QByteArray lida;
    ASSERT_TRUE(acervo->LeImagem(QStringLiteral("0012_03 - Copia.orc"), lida, &erro)) << erro.toStdString();
    EXPECT_EQ(lida, imagem);
    TArquivoOrc b;
    EXPECT_FALSE(LeOrcamento(*acervo, QStringLiteral("0014_03.orc"), b, &erro));
    const QStringList partes = erro.split(QStringLiteral("\r\n"));
    ASSERT_EQ(partes.size(), 2) << erro.toStdString();
    EXPECT_TRUE(partes[0].contains(QStringLiteral("0014_03.orc")) &&
                partes[0].endsWith(QStringLiteral("está danificado ou não é um orçamento.")))
        << erro.toStdString();
    EXPECT_EQ(partes[1], QStringLiteral("O cabeçalho anuncia -1024876009 itens; um orçamento tem de 0 a 40."));

    ASSERT_TRUE(acervo->Exclui(QStringLiteral("0013_03.orc"), &erro)) << erro.toStdString();
    bool existe = true;
    ASSERT_TRUE(acervo->Existe(QStringLiteral("0013_03.orc"), existe, &erro));
    EXPECT_FALSE(existe);
    ASSERT_TRUE(acervo->Existe(QStringLiteral("0012_03.orc"), existe, &erro));
    EXPECT_TRUE(existe);
    ASSERT_TRUE(Novo()->Lista(l, &erro));
    EXPECT_EQ(l.size(), 3u) << "another program sees the deletion";
}

TEST_P(AcervoComum, NumeraPassandoPelasPropostasQueExistem) {
    const struct {
        const char *digitado; // null: an automatic number
        const char *existe;   // a quotation saved before this step
        std::int32_t numero;
    } passos[] = {
        {nullptr, nullptr, 1},
        // Copied in by hand: the counter knows nothing of them.
        {nullptr, "0002_03.orc", 3},
        {nullptr, "0004_03.orc", 5},
        {"0050/99", nullptr, 50},
        {nullptr, nullptr, 51},
        {"0005/03", nullptr, 5},
        {nullptr, nullptr, 52},
    };
    for (const auto &p : passos) {
        SCOPED_TRACE(p.digitado ? p.digitado : p.existe ? p.existe : "automático");
        if (p.existe)
            Grava(QString::fromLatin1(p.existe), ArquivoOrcParaBytes(Orcamento("0000/03", "", "", 0, 0)));
        std::int32_t n = 0;
        QString erro;
        ASSERT_TRUE(p.digitado ? acervo->UsaNumero(QString::fromLatin1(p.digitado), n, &erro)
                               : acervo->ProximoNumero(Em2003, n, &erro))
            << erro.toStdString();
        EXPECT_EQ(n, p.numero);
    }
}

TEST_P(AcervoComum, ClientesVoltamComoForamGravados) {
    TDadosTabela t;
    t.Campos = CamposClientes();
    auto cliente = [&](QVariant id, const char *nome, QVariant contato, QVariant desconto) {
        TRegistro r(12);
        r[0] = id;
        r[1] = QString::fromUtf8(nome);
        r[2] = contato;
        r[8] = desconto;
        t.Registros << r;
    };
    cliente(39000.25, "Fundição São José", QString(""), 0.1 + 0.2); // an empty text is not null
    cliente(39000.5, "Alfa 'Aspas' \"duplas\" \\ barra", QVariant(), QVariant());
    cliente(QVariant(), "Sem ID", QStringLiteral("Eng. Conceição"), 5.0);
    QString erro;
    ASSERT_TRUE(acervo->GravaClientes(t, false, &erro)) << erro.toStdString();
    TDadosTabela lida;
    lida.Campos = CamposClientes();
    ASSERT_TRUE(Novo()->LeClientes(lida, &erro)) << erro.toStdString();
    EXPECT_EQ(lida.Campos, t.Campos);
    ASSERT_EQ(lida.Registros.size(), 3);
    for (int i = 0; i < 3; ++i)
        for (int c = 0; c < 12; ++c)
            EXPECT_EQ(lida.Registros[i][c], t.Registros[i][c]) << i << " " << c;
    EXPECT_TRUE(lida.Registros[0][2].isValid());
}

INSTANTIATE_TEST_SUITE_P(Acervos, AcervoComum, ::testing::Values("Pasta", "Servidor"),
                         [](const auto &info) { return std::string(info.param); });

// --- A server only -------------------------------------------------------------

namespace {

class Servidor : public ::testing::Test {
protected:
    void SetUp() override {
        ResetaEstado();
        EXIGE_SERVIDOR_DE_TESTE();
        ASSERT_TRUE(EsvaziaServidor());
        dados = dir.filePath(QStringLiteral("dados"));
        ASSERT_TRUE(QDir().mkpath(dados));
        ConfiguraServidor(dados);
    }
    void TearDown() override { ResetaEstado(); }
    Execucao Cli(QStringList args) const {
        return ExecutaCli(args << QStringLiteral("--dados") << dados);
    }
    static QByteArray Le(const QString &arquivo) {
        QFile f(arquivo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString dados;
};

} // namespace

TEST_F(Servidor, DoisProgramasNumeramSemRepetir) {
    QProcess a, b;
    for (QProcess *p : {&a, &b})
        p->start(QUELLORA_CLI, {"orcamento", "numera", "200", "--dados", dados});
    std::set<int> numeros;
    for (QProcess *p : {&a, &b}) {
        ASSERT_TRUE(p->waitForFinished(120000));
        ASSERT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        const QStringList linhas = QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(linhas.size(), 200);
        for (const QString &l : linhas)
            numeros.insert(l.toInt());
    }
    EXPECT_EQ(numeros.size(), 400u) << "no number handed out twice";
    EXPECT_EQ(*numeros.begin(), 1);
    EXPECT_EQ(*numeros.rbegin(), 400);
    std::vector<TEvento> log;
    QString erro;
    ASSERT_TRUE(AcervoServidor(QString()).Historico({}, log, &erro)) << erro.toStdString();
    EXPECT_EQ(log.size(), 400u);
    EXPECT_EQ(log.front().Acao, QStringLiteral("numerado"));
}

TEST_F(Servidor, GravacaoInterrompidaDeixaAUltimaRevisaoInteira) {
    const QByteArray primeira = ArquivoOrcParaBytes(Orcamento("0007/03", "Primeira", "", 10, 2));
    AcervoServidor acervo{QString()};
    QString erro;
    ASSERT_EQ(acervo.GravaImagem(QStringLiteral("0007_03.orc"), primeira, &erro), Gravacao::Gravada);
    const QString js = dir.filePath(QStringLiteral("segunda.json"));
    ASSERT_TRUE(GravaArquivoAtomico(
        js, QByteArray::fromStdString(OrcamentoParaJson(Orcamento("0007/03", "Segunda", "", 20, 40)).dump()), &erro));

    // The log is held by another session: the program's save stops on its
    // last statement, with its revision already written, and is killed.
    QSqlDatabase trava = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("trava"));
    ASSERT_TRUE(trava.open());
    QSqlQuery q(trava);
    ASSERT_TRUE(trava.transaction());
    ASSERT_TRUE(q.exec(QStringLiteral("LOCK TABLE quellora.historico IN ACCESS EXCLUSIVE MODE")));
    QProcess p;
    p.start(QUELLORA_CLI, {"orcamento", "compila", js, "0007/03", "--dados", dados});
    ASSERT_TRUE(p.waitForStarted());
    qint64 pid = 0;
    EXPECT_TRUE(Espera(
        [&] {
            if (q.exec(QStringLiteral("SELECT pid FROM pg_locks WHERE NOT granted AND "
                                      "relation = 'quellora.historico'::regclass")) &&
                q.next())
                pid = q.value(0).toLongLong();
            return pid != 0;
        },
        20000));
    p.kill();
    ASSERT_TRUE(p.waitForFinished());
    trava.rollback();
    // The server finds its client gone and undoes the transaction.
    EXPECT_TRUE(Espera(
        [&] {
            return q.exec(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE pid = %1").arg(pid)) && q.next() &&
                   q.value(0).toInt() == 0;
        },
        20000));
    trava.close();
    trava = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("trava"));

    QByteArray lida;
    std::vector<TRevisao> revisoes;
    ASSERT_TRUE(acervo.LeImagem(QStringLiteral("0007_03.orc"), lida, &erro)) << erro.toStdString();
    EXPECT_EQ(lida, primeira);
    ASSERT_TRUE(acervo.Revisoes(QStringLiteral("0007_03.orc"), revisoes, &erro));
    EXPECT_EQ(revisoes.size(), 1u);
    // And the next save goes on from there.
    ASSERT_EQ(Cli({"orcamento", "compila", js, "0007/03"}).status, 0);
    ASSERT_TRUE(acervo.Revisoes(QStringLiteral("0007_03.orc"), revisoes, &erro));
    EXPECT_EQ(revisoes.size(), 2u);
}

TEST_F(Servidor, ImportadoEExportadoVoltaComOsMesmosBytes) {
    const QString origem = dir.filePath(QStringLiteral("origem")), volta = dir.filePath(QStringLiteral("volta"));
    ASSERT_TRUE(QDir().mkpath(origem));
    QString erro;
    const struct {
        const char *nome;
        QByteArray imagem;
    } arquivos[] = {
        {"0012_03.orc", ArquivoOrcParaBytes(Orcamento("0012/03", "Metalúrgica Andrade", "Cabine", 99.5, 40))},
        {"0013_03.orc", ArquivoOrcParaBytes(Orcamento("0013/03", "", "", 0, 0))},
        {"0012_03 - Copia.orc", ArquivoOrcParaBytes(Orcamento("0012/03", "Cópia", "", 1, 1)) + "sobra no fim"},
        {"0099_03.orc", QByteArray(100, 'x')},
    };
    for (const auto &a : arquivos)
        ASSERT_TRUE(GravaArquivoAtomico(QDir(origem).filePath(QString::fromUtf8(a.nome)), a.imagem, &erro));
    // The client file as the program writes it.
    ASSERT_TRUE(LoadClientTable(origem, &erro));
    TTabela &t = G().dm.mtClientes;
    for (const char *nome : {"Zeta Ventilação", "Alfa Indústria", "Beta"}) {
        ASSERT_TRUE(t.Insere(&erro));
        t.DefineValor(t.IndiceCampo(QStringLiteral("Cliente")), QString::fromUtf8(nome));
        ASSERT_TRUE(t.Grava(&erro)) << erro.toStdString();
    }
    ASSERT_TRUE(SaveClientTable(origem, &erro));

    const Execucao importa =
        Cli({"banco", "importa", origem, "--clientes", QDir(origem).filePath(QString::fromLatin1(ArquivoClientes))});
    ASSERT_EQ(importa.status, 0) << importa.erro.toStdString();
    EXPECT_TRUE(importa.saida.startsWith(QStringLiteral("4 propostas copiadas"))) << importa.saida.toStdString();
    const Execucao exporta = Cli({"banco", "exporta", volta});
    ASSERT_EQ(exporta.status, 0) << exporta.erro.toStdString();
    EXPECT_EQ(QDir(volta).entryList(QDir::Files), QDir(origem).entryList(QDir::Files));
    for (const QString &f : QDir(origem).entryList(QDir::Files))
        EXPECT_EQ(Le(QDir(volta).filePath(f)), Le(QDir(origem).filePath(f))) << f.toStdString();

    // Each is its first revision; the counter follows the folder's numbers;
    // a second import copies nothing again.
    const Execucao revisoes = Cli({"banco", "revisoes", "0012/03"});
    EXPECT_EQ(revisoes.saida.count('\n'), 1) << revisoes.saida.toStdString();
    const Execucao numera = Cli({"orcamento", "numera", "1"});
    EXPECT_EQ(numera.saida, QStringLiteral("100\n")) << numera.erro.toStdString();
    EXPECT_TRUE(Cli({"banco", "importa", origem}).saida.startsWith(QStringLiteral("0 propostas copiadas")));
}

TEST_F(Servidor, ConflitoPerguntadoERevisoesGuardadas) {
    const QString nome = QStringLiteral("0020_03.orc");
    AcervoServidor ana{QString()}, bruno{QString()};
    ana.DefineOperador(QStringLiteral("Ana Lima"));
    bruno.DefineOperador(QStringLiteral("Bruno Reis"));
    auto imagem = [](const char *projeto) { return ArquivoOrcParaBytes(Orcamento("0020/03", "Cliente", projeto, 1, 1)); };
    QString erro;
    QByteArray lida;
    ASSERT_EQ(ana.GravaImagem(nome, imagem("um"), &erro), Gravacao::Gravada) << erro.toStdString();
    ASSERT_TRUE(bruno.LeImagem(nome, lida, &erro));
    ASSERT_EQ(bruno.GravaImagem(nome, imagem("dois"), &erro), Gravacao::Gravada);

    // Ana's copy is older than Bruno's save: asked, then saved over it.
    EXPECT_EQ(ana.GravaImagem(nome, imagem("três"), &erro), Gravacao::Conflito);
    EXPECT_TRUE(erro.contains(QStringLiteral("Bruno Reis")) && erro.contains(QStringLiteral("revisão 2")))
        << erro.toStdString();
    ASSERT_TRUE(bruno.LeImagem(nome, lida, &erro));
    EXPECT_EQ(lida, imagem("dois")) << "nothing written by the refused save";
    ASSERT_EQ(ana.GravaImagem(nome, imagem("três"), &erro, true), Gravacao::Gravada);
    EXPECT_EQ(bruno.GravaImagem(nome, imagem("quatro"), &erro), Gravacao::Conflito);

    // Deleted by Ana: Bruno is told so; every revision is still there.
    ASSERT_TRUE(ana.Exclui(nome, &erro));
    EXPECT_EQ(bruno.GravaImagem(nome, imagem("quatro"), &erro), Gravacao::Conflito);
    EXPECT_TRUE(erro.contains(QStringLiteral("excluída por Ana Lima"))) << erro.toStdString();
    EXPECT_FALSE(bruno.LeImagem(nome, lida, &erro));
    std::vector<TRevisao> revisoes;
    ASSERT_TRUE(bruno.Revisoes(nome, revisoes, &erro));
    QStringList quem;
    for (const TRevisao &r : revisoes)
        quem << QStringLiteral("%1 %2").arg(r.Numero).arg(r.Operador);
    EXPECT_EQ(quem, (QStringList{"1 Ana Lima", "2 Bruno Reis", "3 Ana Lima"}));
    ASSERT_TRUE(bruno.LeImagem(nome, lida, &erro, 1));
    EXPECT_EQ(lida, imagem("um"));
    std::vector<TEvento> log;
    ASSERT_TRUE(ana.Historico(QDateTime::currentDateTime().addSecs(-600), log, &erro));
    QStringList acoes;
    for (const TEvento &e : log)
        acoes << e.Acao + QLatin1Char(' ') + e.Operador;
    EXPECT_EQ(acoes, (QStringList{"salvo Ana Lima", "salvo Bruno Reis", "salvo Ana Lima", "excluído Ana Lima"}));
    EXPECT_EQ(log.back().Usuario, qEnvironmentVariable("PGUSER"));
}

TEST_F(Servidor, ParadoOuRecusadoDizOQueHa) {
    QTcpServer porta; // a port where no server listens
    ASSERT_TRUE(porta.listen(QHostAddress::LocalHost));
    const QString livre = QString::number(porta.serverPort());
    porta.close();
    const struct {
        const char *nome;
        QString conexao;
        const char *diz;
    } casos[] = {
        {"nada escuta na porta", QStringLiteral("port=") + livre, "não responde"},
        {"usuário que não existe", QStringLiteral("user=ninguem"), "recusou a entrada"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        std::vector<TResumoOrc> l;
        QString erro;
        EXPECT_FALSE(AcervoServidor(c.conexao).Lista(l, &erro));
        EXPECT_TRUE(erro.contains(QString::fromUtf8(c.diz)) && erro.contains(QStringLiteral("\r\n"))) << erro.toStdString();
    }
    QString erro;
    EXPECT_FALSE(GravaConfigBanco(dados, {true, QStringLiteral("host=vendas password=segredo")}, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("~/.pgpass"))) << erro.toStdString();
    EXPECT_FALSE(Le(QDir(dados).filePath(QString::fromLatin1(ArqBanco))).contains("segredo"));

    // Stopped while in use: said plainly, nothing half done; back when it is.
    AcervoServidor acervo{QString()};
    std::vector<TResumoOrc> l;
    const QByteArray imagem = ArquivoOrcParaBytes(Orcamento("0030/03", "Antes", "", 1, 1));
    ASSERT_EQ(acervo.GravaImagem(QStringLiteral("0030_03.orc"), imagem, &erro), Gravacao::Gravada);
    ASSERT_TRUE(ClusterDeTeste(false));
    EXPECT_EQ(acervo.GravaImagem(QStringLiteral("0030_03.orc"), QByteArray(1716, '\0'), &erro), Gravacao::Falhou);
    EXPECT_TRUE(erro.contains(QStringLiteral("não responde")) || erro.contains(QStringLiteral("caiu")))
        << erro.toStdString();
    const Execucao estado = Cli({"banco", "estado"});
    EXPECT_EQ(estado.status, 1);
    EXPECT_TRUE(estado.erro.contains(QStringLiteral("não responde"))) << estado.erro.toStdString();
    ASSERT_TRUE(ClusterDeTeste(true));
    QByteArray lida;
    ASSERT_TRUE(acervo.LeImagem(QStringLiteral("0030_03.orc"), lida, &erro)) << erro.toStdString();
    EXPECT_EQ(lida, imagem);
}
