// The client table: order by name, the check before posting, IDs, the
// modified mark, searching, and the client file in the data directory.

#include "catalogue/arquivos.h"
#include "clients/clientes.h"
#include "clients/fluxo.h"
#include "clients/lzh.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace quellora;

namespace {

class Clientes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QString erro;
        ASSERT_TRUE(LoadClientTable(dir.path(), &erro)) << erro.toStdString();
    }
    TTabela &T() { return G().dm.mtClientes; }
    QString Arquivo() const { return CaminhoEm(dir.path(), QStringLiteral("clientes.dat")); }

    void Adiciona(const QString &nome, const QString &contato = {}) {
        QString erro;
        ASSERT_TRUE(T().Insere(&erro));
        T().DefineValor(T().IndiceCampo("Cliente"), nome);
        if (!contato.isNull())
            T().DefineValor(T().IndiceCampo("Contato"), contato);
        ASSERT_TRUE(T().Grava(&erro)) << erro.toStdString();
    }

    QStringList Nomes() const {
        QStringList l;
        const TTabela &t = G().dm.mtClientes;
        for (const TRegistro &r : t.Dados().Registros)
            l << r[t.IndiceCampo("Cliente")].toString();
        return l;
    }

    QByteArray LeArquivo() const {
        QFile f(Arquivo());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(Clientes, SemArquivoATabelaComecaVaziaComOsDozeCampos) {
    EXPECT_FALSE(QFile::exists(Arquivo()));
    EXPECT_EQ(T().Quantos(), 0);
    ASSERT_EQ(T().Campos().size(), 12);
    EXPECT_EQ(T().Campos(), CamposClientes());
    EXPECT_EQ(T().IndiceCampo("CLIENTE"), 1);
    EXPECT_EQ(T().IndiceCampo("cidade_estado"), 6);
    EXPECT_FALSE(T().Modificada());
}

TEST_F(Clientes, OrdemPorNomeEmQualquerOrdemDeEntrada) {
    Adiciona("Zeta Ventilação");
    Adiciona("alfa Indústria");
    Adiciona("Beta");
    EXPECT_EQ(Nomes(), (QStringList{"alfa Indústria", "Beta", "Zeta Ventilação"}));
    // The file holds them in that order, and so does the table reloaded.
    QString erro;
    ASSERT_TRUE(SaveClientTable(dir.path(), &erro)) << erro.toStdString();
    ResetaEstado();
    ASSERT_TRUE(LoadClientTable(dir.path(), &erro)) << erro.toStdString();
    EXPECT_EQ(Nomes(), (QStringList{"alfa Indústria", "Beta", "Zeta Ventilação"}));
    EXPECT_EQ(T().Posicao(), 0);

    // The payload is a version-250 stream with the records in name order.
    QByteArray fluxo;
    ASSERT_TRUE(DescompactaContainer(LeArquivo(), fluxo, &erro));
    EXPECT_TRUE(fluxo.startsWith(QByteArray("TPF0\x03\xFA\x00", 7)));
    EXPECT_LT(fluxo.indexOf("alfa"), fluxo.indexOf("Beta"));
    EXPECT_LT(fluxo.indexOf("Beta"), fluxo.indexOf("Zeta"));
}

TEST_F(Clientes, MesmoNomeMantemAOrdemDeEntrada) {
    Adiciona("Acme", "primeiro");
    Adiciona("Acme", "segundo");
    ASSERT_EQ(T().Quantos(), 2);
    EXPECT_EQ(T().Dados().Registros[0][2].toString(), QStringLiteral("primeiro"));
    EXPECT_EQ(T().Dados().Registros[1][2].toString(), QStringLiteral("segundo"));
}

TEST_F(Clientes, NomeEmBrancoNaoEhGravado) {
    QString erro;
    for (const QString &nome : {QString(), QString("   "), QString(" \t\r\n "), QString("\x01\x02")}) {
        ASSERT_TRUE(T().Insere(&erro));
        if (!nome.isNull())
            T().DefineValor(1, nome);
        EXPECT_FALSE(T().Grava(&erro));
        EXPECT_EQ(erro, QStringLiteral("Você precisa informar pelo menos o nome do cliente!"));
        EXPECT_EQ(T().EstadoAtual(), TTabela::Inserindo); // stays in edit
        T().Cancela();
    }
    EXPECT_EQ(T().Quantos(), 0);
}

TEST_F(Clientes, IdNaPrimeiraGravacaoEMantidoNaEdicao) {
    const double antes = DateTimeParaData(QDateTime::currentDateTime());
    Adiciona("Acme");
    const double id = T().Valor("ID").toDouble();
    EXPECT_GE(id, antes - 1e-6);
    EXPECT_LE(id, DateTimeParaData(QDateTime::currentDateTime()) + 1e-6);

    QString erro;
    T().Edita();
    T().DefineValor(T().IndiceCampo("Cliente"), QStringLiteral("Acme Ventiladores"));
    ASSERT_TRUE(T().Grava(&erro));
    EXPECT_EQ(T().Valor("ID").toDouble(), id);
    EXPECT_EQ(T().Valor("Cliente").toString(), QStringLiteral("Acme Ventiladores"));
}

TEST_F(Clientes, EdicaoReposicionaNaOrdem) {
    Adiciona("Alfa");
    Adiciona("Beta");
    Adiciona("Gama");
    QString erro;
    ASSERT_TRUE(T().Primeiro(&erro));
    T().DefineValor(1, QStringLiteral("Omega")); // edits the current record
    EXPECT_EQ(T().EstadoAtual(), TTabela::Editando);
    ASSERT_TRUE(T().Proximo(&erro)); // moving posts it
    EXPECT_EQ(Nomes(), (QStringList{"Beta", "Gama", "Omega"}));
}

TEST_F(Clientes, MarcaDeModificacao) {
    EXPECT_FALSE(T().Modificada());
    Adiciona("Acme");
    EXPECT_TRUE(T().Modificada());

    // A deletion by itself also marks the table: it has to reach the file.
    QString erro;
    ASSERT_TRUE(SaveClientTable(dir.path(), &erro));
    ResetaEstado();
    ASSERT_TRUE(LoadClientTable(dir.path(), &erro));
    EXPECT_FALSE(T().Modificada());
    T().Exclui();
    EXPECT_EQ(T().Quantos(), 0);
    EXPECT_TRUE(T().Modificada());
}

TEST_F(Clientes, ProcuraOMaisProximo) {
    for (const char *n : {"Delta", "alfa", "Charlie", "Bravo"})
        Adiciona(n);
    QString erro;
    ASSERT_TRUE(T().ProcuraProximo("b", &erro));
    EXPECT_EQ(T().Valor("Cliente").toString(), QStringLiteral("Bravo"));
    ASSERT_TRUE(T().ProcuraProximo("Ch", &erro));
    EXPECT_EQ(T().Valor("Cliente").toString(), QStringLiteral("Charlie"));
    ASSERT_TRUE(T().ProcuraProximo("Cz", &erro));
    EXPECT_EQ(T().Valor("Cliente").toString(), QStringLiteral("Delta"));
    ASSERT_TRUE(T().ProcuraProximo("zzz", &erro)); // past the end: the last
    EXPECT_EQ(T().Valor("Cliente").toString(), QStringLiteral("Delta"));
    ASSERT_TRUE(T().ProcuraProximo("A", &erro));
    EXPECT_EQ(T().Valor("Cliente").toString(), QStringLiteral("alfa"));
}

TEST_F(Clientes, DescontosDeTexto) {
    QString erro;
    ASSERT_TRUE(T().Insere(&erro));
    const int dv = T().IndiceCampo("descontoV");
    const QString texto = LocalNumeros().toString(12.5);
    EXPECT_TRUE(T().DefineTexto(dv, texto, &erro));
    EXPECT_EQ(T().Valor(dv).toDouble(), 12.5);
    EXPECT_EQ(T().Texto(dv), texto);
    EXPECT_TRUE(T().DefineTexto(dv, QString(), &erro)); // empty: null
    EXPECT_FALSE(T().Valor(dv).isValid());
    EXPECT_FALSE(T().DefineTexto(dv, QStringLiteral("dez"), &erro));
    EXPECT_EQ(erro, QStringLiteral("'dez' is not a valid floating point value for field 'descontoV'"));
    EXPECT_EQ(DescontoDoTexto(QStringLiteral("dez")), 0.0);
    EXPECT_EQ(DescontoDoTexto(QString()), 0.0);
    EXPECT_EQ(DescontoDoTexto(texto), 12.5);
}

TEST_F(Clientes, ArquivoComContatoDe14Caracteres) {
    TDadosTabela t;
    t.Campos = CamposClientes();
    t.Campos[2].Tamanho = 14;
    t.Campos[2].Largura = 14;
    TRegistro r(12);
    r[0] = 40000.5;
    r[1] = QStringLiteral("Acme");
    r[10] = 0.0; // a stored date-time of 0 loads as null
    t.Registros << r;
    QString erro;
    ASSERT_TRUE(GravaArquivoAtomico(Arquivo(), CompactaContainer(GravaFluxoTabela(t)), &erro));
    ResetaEstado();
    ASSERT_TRUE(LoadClientTable(dir.path(), &erro)) << erro.toStdString();
    EXPECT_EQ(T().Campos()[2].Tamanho, 14);
    EXPECT_FALSE(T().Valor("Data").isValid());
    EXPECT_EQ(T().Valor("ID").toDouble(), 40000.5);

    ASSERT_TRUE(SaveClientTable(dir.path(), &erro));
    TDadosTabela relida;
    QByteArray fluxo;
    ASSERT_TRUE(DescompactaContainer(LeArquivo(), fluxo, &erro));
    ASSERT_TRUE(LeFluxoTabela(fluxo, relida, &erro));
    EXPECT_EQ(relida.Campos[2].Tamanho, 14);
}

TEST_F(Clientes, ArquivoDanificadoEhRecusadoEGuardado) {
    Adiciona("Acme");
    QString erro;
    ASSERT_TRUE(SaveClientTable(dir.path(), &erro));
    QByteArray danificado = LeArquivo();
    danificado[danificado.size() / 2] = static_cast<char>(danificado[danificado.size() / 2] ^ 0x55);
    ASSERT_TRUE(GravaArquivoAtomico(Arquivo(), danificado, &erro));

    ResetaEstado();
    EXPECT_FALSE(LoadClientTable(dir.path(), &erro));
    EXPECT_TRUE(erro.contains(QLatin1String("clientes.dat"))) << erro.toStdString();
    EXPECT_TRUE(erro.contains(QLatin1String("CRC Decompression Error !")) ||
                erro.contains(QLatin1String("Decompression Error: Size Mismatch !")))
        << erro.toStdString();
    EXPECT_EQ(T().Quantos(), 0);
    EXPECT_EQ(T().Campos().size(), 12);
    EXPECT_TRUE(G().dm.ArquivoRecusado);

    // The next save keeps the refused file aside before replacing it.
    Adiciona("Beta");
    QString copia;
    ASSERT_TRUE(SaveClientTable(dir.path(), &erro, &copia)) << erro.toStdString();
    EXPECT_EQ(QFileInfo(copia).fileName(), QStringLiteral("clientes.dat.recusado"));
    QFile f(copia);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), danificado);
    ResetaEstado();
    ASSERT_TRUE(LoadClientTable(dir.path(), &erro));
    EXPECT_EQ(Nomes(), QStringList{"Beta"});
}

TEST_F(Clientes, OutrosArquivosRecusados) {
    QString erro;
    struct Caso {
        const char *nome;
        QByteArray conteudo;
        const char *mensagem;
    } casos[] = {
        {"texto", QByteArray("isto não é um arquivo de clientes"), "Not LZH Compressed !"},
        {"vazio", QByteArray(), "Not LZH Compressed !"},
        {"fluxo", CompactaContainer(QByteArray("XPF0\x03\xFA\x00")), "Invalid stream format"},
        {"gigante", QByteArray::fromHex("404C4843FFFFFF7F00000000F6C90000"), "grande demais"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_TRUE(GravaArquivoAtomico(Arquivo(), c.conteudo, &erro));
        ResetaEstado();
        EXPECT_FALSE(LoadClientTable(dir.path(), &erro));
        EXPECT_TRUE(erro.contains(QString::fromUtf8(c.mensagem))) << erro.toStdString();
        EXPECT_EQ(T().Quantos(), 0);
    }
}

TEST_F(Clientes, FalhaAoGravarPreservaOArquivoAnterior) {
    Adiciona("Acme");
    QString erro;
    ASSERT_TRUE(SaveClientTable(dir.path(), &erro));
    const QByteArray antes = LeArquivo();
    Adiciona("Beta");
    // A data directory that is not there.
    EXPECT_FALSE(SaveClientTable(dir.filePath(QStringLiteral("nao/existe")), &erro));
    EXPECT_TRUE(erro.contains(QLatin1String("clientes.dat"))) << erro.toStdString();
    // A data directory that cannot be written.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool falhou = !SaveClientTable(dir.path(), &erro);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (QFileInfo(dir.path()).isWritable() && !falhou)
        GTEST_SKIP() << "running as a user that ignores permissions";
    EXPECT_TRUE(falhou);
    EXPECT_TRUE(erro.contains(QLatin1String("clientes.dat"))) << erro.toStdString();
    EXPECT_EQ(LeArquivo(), antes);
}

TEST_F(Clientes, CampoObrigatorioDeUmArquivo) {
    TDadosTabela t;
    t.Campos = CamposClientes();
    t.Campos[3].Obrigatorio = true; // Fone
    QString erro;
    ASSERT_TRUE(GravaArquivoAtomico(Arquivo(), CompactaContainer(GravaFluxoTabela(t)), &erro));
    ResetaEstado();
    ASSERT_TRUE(LoadClientTable(dir.path(), &erro)) << erro.toStdString();
    ASSERT_TRUE(T().Insere(&erro));
    T().DefineValor(1, QStringLiteral("Acme"));
    EXPECT_FALSE(T().Grava(&erro));
    EXPECT_EQ(erro, QStringLiteral("Field 'Fone' must have a value"));
    T().DefineValor(3, QStringLiteral("1234"));
    EXPECT_TRUE(T().Grava(&erro)) << erro.toStdString();
}
