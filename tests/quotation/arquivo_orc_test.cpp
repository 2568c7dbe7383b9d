#include "quotation/arquivo_orc.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace quellora;

namespace {
TArquivoOrc Exemplo(int itens) {
    TArquivoOrc a;
    a.Orcamento.Projeto = QStringLiteral("Galpão 3");
    a.Orcamento.NumOrc = QStringLiteral("0012/03");
    a.Orcamento.NumItensOrc = 99; // replaced by the real count when written
    for (int k = 1; k <= itens; ++k) {
        TItemOrc it;
        it.RefTag = QStringLiteral("V-%1").arg(k);
        it.Vazao = 1000.0 * k;
        a.Itens.push_back(it);
    }
    return a;
}
} // namespace

TEST(ArquivoOrc, ImagemTemCabecalhoEItensEVoltaIgual) {
    EXPECT_EQ(NomeArquivoOrc(QStringLiteral("0012/03")), QStringLiteral("0012_03.orc"));
    const QByteArray b = ArquivoOrcParaBytes(Exemplo(3));
    EXPECT_EQ(b.size(), 1716 + 3 * 1364);
    TArquivoOrc lido;
    QString erro;
    ASSERT_TRUE(ArquivoOrcDeBytes(b, QStringLiteral("x.orc"), lido, &erro)) << erro.toStdString();
    EXPECT_EQ(lido.Orcamento.NumItensOrc, 3);
    ASSERT_EQ(lido.Itens.size(), 3u);
    EXPECT_EQ(lido.Itens[2].RefTag, QStringLiteral("V-3"));
    EXPECT_EQ(ArquivoOrcParaBytes(lido), b);

    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("0012_03.orc"));
    ASSERT_TRUE(GravaArquivoOrc(caminho, lido, &erro));
    TArquivoOrc doDisco;
    ASSERT_TRUE(LeArquivoOrc(caminho, doDisco, &erro));
    EXPECT_EQ(ArquivoOrcParaBytes(doDisco), b);
}

TEST(ArquivoOrc, ImagensMalFormadasSaoRecusadasSemTocarODestino) {
    const QByteArray bom = ArquivoOrcParaBytes(Exemplo(2));
    QByteArray demais = bom;
    demais[632] = 41;
    QByteArray negativo = bom;
    negativo[635] = char(0x80);
    struct Caso {
        const char *nome;
        QByteArray dados;
    } casos[] = {
        {"vazio", QByteArray()},
        {"menor que o cabeçalho", bom.left(1715)},
        {"item cortado", bom.left(1716 + 1364 + 100)},
        {"41 itens", demais},
        {"contagem negativa", negativo},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        TArquivoOrc destino = Exemplo(1);
        QString erro;
        EXPECT_FALSE(ArquivoOrcDeBytes(c.dados, QStringLiteral("ruim.orc"), destino, &erro));
        EXPECT_TRUE(erro.contains(QStringLiteral("ruim.orc")));
        EXPECT_EQ(destino.Itens.size(), 1u);
        EXPECT_EQ(destino.Orcamento.Projeto, QStringLiteral("Galpão 3"));
    }
}
