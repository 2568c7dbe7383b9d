// The quotation file and the quotation being edited saved to and read from
// it, the listing of the projects folder and its sort, and the factors a
// quotation brings when it is opened.

#include "quotation/propostas.h"

#include "catalogue/arquivos.h"
#include "clients/lzh.h"
#include "proposal/orcamento_exemplo.h"
#include "quotation/extensao_orc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace quellora;
using namespace quellora::teste;

namespace {

class Propostas : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    static QByteArray EmMemoria() { return ArquivoOrcParaBytes(ArquivoDoOrcamento()); }
    QByteArray Arquivo(const QString &nome) const {
        QFile f(dir.filePath(nome));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Escreve(const char *nome, const QByteArray &b) const {
        ASSERT_TRUE(GravaArquivoAtomico(dir.filePath(QString::fromLatin1(nome)), b, nullptr));
    }

    QTemporaryDir dir;
};

TResumoOrc Linha(const char *numero, double data, const char *cliente, const char *projeto, double total) {
    TResumoOrc r;
    r.Numero = QString::fromUtf8(numero);
    r.Data = data;
    r.Cliente = QString::fromUtf8(cliente);
    r.Projeto = QString::fromUtf8(projeto);
    r.Total = total;
    return r;
}

} // namespace

TEST_F(Propostas, CheioGravadoELidoVoltaByteAByte) {
    EXPECT_EQ(NomeArquivoOrc(QStringLiteral("0012/03")), QStringLiteral("0012_03.orc"));
    const TArquivoOrc cheio = OrcamentoCheio();
    const QByteArray imagem = ArquivoOrcParaBytes(cheio);
    ASSERT_EQ(imagem.size(), 1716 + 40 * 1364);
    ColocaOrcamento(cheio);
    G().ArqOrc = QStringLiteral("0012_03.orc");
    QString erro;
    ASSERT_TRUE(GravaArquivo(dir.path(), &erro)) << erro.toStdString();
    EXPECT_EQ(Arquivo(QStringLiteral("0012_03.orc")), imagem);

    ResetaEstado();
    G().Itens[40].RefTag = QStringLiteral("lixo");
    G().ArqOrc = QStringLiteral("0012_03.orc");
    ASSERT_TRUE(LeArquivo(dir.path(), &erro)) << erro.toStdString();
    EXPECT_EQ(G().NumItens, 40);
    EXPECT_EQ(EmMemoria(), imagem);

    // Three items: 5808 bytes, the count written as it is; the items past
    // them are emptied on reading.
    TArquivoOrc tres = cheio;
    tres.Itens.resize(3);
    ASSERT_TRUE(GravaArquivoOrc(dir.filePath(QStringLiteral("tres.orc")), tres, &erro));
    EXPECT_EQ(Arquivo(QStringLiteral("tres.orc")).size(), 5808);
    G().ArqOrc = QStringLiteral("tres.orc");
    ASSERT_TRUE(LeArquivo(dir.path(), &erro));
    EXPECT_EQ(G().NumItens, 3);
    EXPECT_EQ(G().Orcamento.NumItensOrc, 3);
    EXPECT_EQ(G().Itens[4], TItemOrc{});
    EXPECT_EQ(G().Itens[40], TItemOrc{});
}

TEST_F(Propostas, ArquivoMalFormadoRecusadoSemTocarODestino) {
    const QByteArray bom = ArquivoOrcParaBytes(OrcamentoCheio(2));
    QByteArray demais = bom + QByteArray(1364 * 39, '\0'), negativo = bom;
    GravadorBinario(demais).integer(632, 41);
    GravadorBinario(negativo).integer(632, -1);
    const struct {
        const char *nome;
        QByteArray dados;
    } casos[] = {
        {"vazio", QByteArray()},
        {"menor que o cabeçalho", bom.left(1715)},
        {"cortado no segundo item", bom.left(1716 + 1364 + 10)},
        {"41 itens anunciados", demais},
        {"contagem negativa", negativo},
    };
    const TArquivoOrc um = OrcamentoCheio(1);
    const QByteArray antes = ArquivoOrcParaBytes(um);
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        TArquivoOrc destino = um;
        QString erro;
        EXPECT_FALSE(ArquivoOrcDeBytes(c.dados, QStringLiteral("ruim.orc"), destino, &erro));
        EXPECT_TRUE(erro.contains(QStringLiteral("ruim.orc"))) << erro.toStdString();
        EXPECT_EQ(ArquivoOrcParaBytes(destino), antes);

        ColocaOrcamento(um);
        G().ArqOrc = QStringLiteral("ruim.orc");
        Escreve("ruim.orc", c.dados);
        EXPECT_FALSE(LeArquivo(dir.path(), &erro));
        EXPECT_TRUE(erro.contains(QStringLiteral("ruim.orc"))) << erro.toStdString();
        EXPECT_EQ(G().NumItens, 1);
        EXPECT_EQ(EmMemoria(), antes);
    }
}

TEST_F(Propostas, VentiladoresEPressaoFixaNoBlocoDeExtensao) {
    TArquivoOrc tres = OrcamentoCheio(3);
    const QByteArray registros = ArquivoOrcParaBytes(tres);
    // Items that use neither keep the plain layout.
    ASSERT_EQ(registros.size(), 1716 + 3 * 1364);
    tres.Itens[1].Ventiladores = 3;
    tres.Itens[2].PressaoFixa = 12.5;
    const QByteArray comBloco = ArquivoOrcParaBytes(tres);
    ASSERT_EQ(comBloco.size(), registros.size() + 12 + 4 + 3 * 9 + 4);
    EXPECT_TRUE(comBloco.startsWith(registros)) << "the records are as they were";
    TArquivoOrc lido;
    ASSERT_TRUE(ArquivoOrcDeBytes(comBloco, QStringLiteral("x.orc"), lido, nullptr));
    EXPECT_TRUE(lido.AvisoExtensao.isEmpty());
    EXPECT_EQ(ArquivoOrcParaBytes(lido), comBloco);
    EXPECT_EQ(lido.Itens[1].Ventiladores, 3);
    EXPECT_EQ(lido.Itens[2].PressaoFixa, 12.5);
    // A reader of the records alone (the listing) passes over the block.
    EXPECT_EQ(ResumoOrcamento(QStringLiteral("0001_03.orc"), comBloco.left(1716), comBloco.size()).Projeto,
              tres.Orcamento.Projeto);

    // A block damaged in any way is refused, saying why, and the records
    // are read all the same, every item with one fan and no fixed pressure.
    const QByteArray bloco = comBloco.mid(registros.size());
    auto comCrc = [](QByteArray b) {
        GravadorBinario(b).word32(static_cast<std::size_t>(b.size() - 4), TCRC32().Calcula(b.constData(), b.size() - 4));
        return b;
    };
    auto muda = [&](std::size_t off, std::uint8_t v) {
        QByteArray b = bloco;
        GravadorBinario(b).byte(off, v);
        return b;
    };
    TArquivoOrc soPadrao = OrcamentoCheio(3);
    soPadrao.Itens[0].Ventiladores = 2;
    QByteArray padrao = ExtensaoParaBytes(soPadrao.Itens);
    GravadorBinario(padrao).byte(16, 1); // the only fan count back to one
    const struct {
        const char *nome;
        QByteArray resto;
        const char *motivo;
    } casos[] = {
        {"cortado", bloco.left(20), "anuncia"},
        {"versão desconhecida", comCrc(muda(4, 2)), "versão 2"},
        {"soma de verificação", muda(20, 0xFF), "soma de verificação"},
        {"itens de menos", ExtensaoParaBytes({tres.Itens[0], tres.Itens[1]}), "descreve 2 itens"},
        {"sete ventiladores", comCrc(muda(16 + 9, 7)), "7 ventiladores"},
        {"pressão fixa negativa", comCrc(muda(16 + 18 + 8, 0x80)), "pressão fixa"},
        {"só valores padrão", comCrc(padrao), "valores padrão"},
        {"bytes depois do bloco", bloco + QByteArray(3, 'x'), "3 bytes depois"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        TArquivoOrc a;
        ASSERT_TRUE(ArquivoOrcDeBytes(registros + c.resto, QStringLiteral("ruim.orc"), a, nullptr));
        EXPECT_TRUE(a.AvisoExtensao.contains(QStringLiteral("ruim.orc"))) << a.AvisoExtensao.toStdString();
        EXPECT_TRUE(a.AvisoExtensao.contains(QString::fromUtf8(c.motivo))) << a.AvisoExtensao.toStdString();
        EXPECT_EQ(ArquivoOrcParaBytes(a), registros);
        // Opened in the program: the records in memory, the reason told.
        Escreve("ruim.orc", registros + c.resto);
        G().ArqOrc = QStringLiteral("ruim.orc");
        QString erro, aviso;
        ASSERT_TRUE(LeArquivo(dir.path(), &erro, &aviso));
        EXPECT_TRUE(aviso.contains(QString::fromUtf8(c.motivo))) << aviso.toStdString();
        EXPECT_EQ(G().NumItens, 3);
        EXPECT_EQ(G().Itens[2].Ventiladores, 1);
    }
    // Other bytes after the records are no block: ignored, as ever.
    TArquivoOrc a;
    ASSERT_TRUE(ArquivoOrcDeBytes(registros + QByteArray("lixo"), QStringLiteral("x.orc"), a, nullptr));
    EXPECT_TRUE(a.AvisoExtensao.isEmpty());
}

TEST_F(Propostas, GravacaoQueFalhaDeixaOArquivoAnterior) {
    // The file system refuses every byte past 20 000 of a file (a full
    // disk, a quota): the 40-item quotation cannot be written whole.
    const QString nome = QStringLiteral("0001_24.orc");
    ColocaOrcamento(OrcamentoCheio(1));
    G().ArqOrc = nome;
    QString erro;
    ASSERT_TRUE(GravaArquivo(dir.path(), &erro));
    const QByteArray antigo = Arquivo(nome);

    ColocaOrcamento(OrcamentoCheio(40));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    rlimit limite = antes;
    limite.rlim_cur = 20000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const bool gravou = GravaArquivo(dir.path(), &erro);
    setrlimit(RLIMIT_FSIZE, &antes);

    EXPECT_FALSE(gravou);
    EXPECT_TRUE(erro.contains(nome)) << erro.toStdString();
    EXPECT_EQ(Arquivo(nome), antigo);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{nome}) << "no temporary file left";
}

TEST_F(Propostas, ListagemLeOsCabecalhos) {
    TArquivoOrc a;
    a.Orcamento.Cliente = QStringLiteral("Metalúrgica Andrade");
    a.Orcamento.Projeto = QStringLiteral("Cabine de pintura");
    a.Orcamento.Data = 37634.5;
    a.Orcamento.ValorTotalOrc = 1234.5;
    Escreve("0012_03.orc", ArquivoOrcParaBytes(a));
    a.Orcamento.Cliente.clear();
    Escreve("0013_03.orc", ArquivoOrcParaBytes(a));
    Escreve("0014_03.orc", QByteArray(100, 'x'));
    Escreve("notas.txt", "não é proposta");

    std::vector<TResumoOrc> l = ListaOrcamentos(dir.path());
    OrdenaOrcamentos(l, ORDEM_NUMERO);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].Numero, QStringLiteral("0012/03"));
    EXPECT_EQ(l[0].Arquivo, QStringLiteral("0012_03.orc"));
    EXPECT_EQ(l[0].Cliente, QStringLiteral("Metalúrgica Andrade"));
    EXPECT_EQ(l[0].Projeto, QStringLiteral("Cabine de pintura"));
    EXPECT_EQ(TextoDataOrcamento(l[0].Data), QStringLiteral("13/01/2003"));
    EXPECT_EQ(l[0].Total, 1234.5);
    EXPECT_EQ(l[1].Cliente, QStringLiteral("-.-"));
    EXPECT_FALSE(l[2].Legivel) << "a file shorter than a header is still listed";
    EXPECT_TRUE(ListaOrcamentos(dir.filePath(QStringLiteral("nao_existe"))).empty());
}

TEST(OrdenacaoOrcamentos, CadaChave) {
    // Rows in the order the folder gave them.
    const std::vector<TResumoOrc> pasta = {
        Linha("0003/03", 37700, "Beta", "Zeta", 300), Linha("0001/03", 37600, "-.-", "alfa", 50),
        Linha("0010/02", 37000, "Beta", "Alfa", 1e6), Linha("0002/03", 37650, "acme", "Água", 0.5),
        Linha("0004/03", 37000, "Acme", "Alfa", 300),
    };
    const struct {
        const char *nome;
        std::vector<TResumoOrc> linhas;
        int chave;
        const char *ordem;
    } casos[] = {
        {"número, como texto", pasta, ORDEM_NUMERO, "0001/03 0002/03 0003/03 0004/03 0010/02"},
        {"data", pasta, ORDEM_DATA, "0010/02 0004/03 0001/03 0002/03 0003/03"},
        // "-.-" before letters, capitals before small letters; of the two
        // "Beta" the exchange sort puts the later row first.
        {"cliente", pasta, ORDEM_CLIENTE, "0001/03 0004/03 0010/02 0003/03 0002/03"},
        // Code-page order: "Água" (0xC1) after every plain letter.
        {"projeto", pasta, ORDEM_PROJETO, "0010/02 0004/03 0003/03 0001/03 0002/03"},
        {"total, o mais barato primeiro", pasta, ORDEM_TOTAL, "0002/03 0001/03 0003/03 0004/03 0010/02"},
        // Each row against every later one, exchanged when greater: equal
        // keys do not keep their order.
        {"empates", {Linha("B1", 0, "B", "", 0), Linha("A1", 0, "A", "", 0), Linha("B2", 0, "B", "", 0),
                     Linha("A2", 0, "A", "", 0)}, ORDEM_CLIENTE, "A1 A2 B2 B1"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        std::vector<TResumoOrc> l = c.linhas;
        OrdenaOrcamentos(l, c.chave);
        QStringList numeros;
        for (const TResumoOrc &r : l)
            numeros << r.Numero;
        EXPECT_EQ(numeros.join(QLatin1Char(' ')).toStdString(), c.ordem);
    }
}

TEST_F(Propostas, AbrirTrazOsFatoresEOICMS) {
    TFatores arquivo, doOrcamento;
    arquivo.FatorVent[3] = 1.5;
    arquivo.Entrega = 30;
    doOrcamento.FatorVent[3] = 2.25;
    doOrcamento.Entrega = 45;
    const struct {
        const char *nome;
        int icms;
        bool iniciado;
        TFatores fatoresOrc;
        int icmsDepois;
        double fatorEmVigor;
    } casos[] = {
        {"ICMS 0 vira 3", 0, false, doOrcamento, 3, 2.25},
        {"ICMS -1 vira 3", -1, false, doOrcamento, 3, 2.25},
        {"ICMS 7 não existe: vira 3", 7, false, doOrcamento, 3, 2.25},
        {"ICMS 2 fica", 2, false, doOrcamento, 2, 2.25},
        // Never initialised: no factors of its own, those of the file stay.
        {"sem bloco comercial", -1, false, TFatores{}, 3, 1.5},
        {"iniciado pelo arranjo", 1, true, TFatores{}, 1, 0},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        G().Fatores = arquivo;
        G().Orcamento.ICMS = c.icms;
        G().Orcamento.Iniciado = c.iniciado;
        G().Orcamento.FatoresOrc = c.fatoresOrc;
        AplicaFatoresDoOrcamento();
        EXPECT_EQ(G().Orcamento.ICMS, c.icmsDepois);
        EXPECT_EQ(G().Fatores.FatorVent[3], c.fatorEmVigor);
    }
}
