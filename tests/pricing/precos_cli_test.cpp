// quellora-cli precos over saved quotations, on the sample catalogue.

#include "cli_execucao.h"
#include "pricing/item_bsd450.h"
#include "quotation/arquivo_orc.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quellora;
using namespace quellora::teste;

namespace {

Execucao Precos(const QStringList &args) {
    return ExecutaCli(QStringList{QStringLiteral("precos"), QStringLiteral("--dados"),
                                  QStringLiteral(QUELLORA_DADOS_DIR)} +
                      args);
}

// A quotation of 'qtd' items BSD 450 at old prices, ICMS 18 % (factors 1
// and 1.25), with or without a special accessory.
TArquivoOrc Orcamento(int qtd, int especiais) {
    TArquivoOrc a;
    a.Orcamento.ICMS = 1;
    a.Orcamento.FatoresOrc.FatorVent[1] = 1;
    a.Orcamento.FatoresOrc.FatorMotor[1] = 1.25;
    a.Orcamento.NumAcessEsp = especiais;
    TItemOrc it = ItemBSD450();
    it.Qtd = qtd;
    a.Itens = {it};
    return a;
}

TEST(PrecosCli, AtualizaEGravaOsOrcamentos) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString a = dir.filePath(QStringLiteral("0001_24.orc")), b = dir.filePath(QStringLiteral("0002_24.orc"));
    QString erro;
    ASSERT_TRUE(GravaArquivoOrc(a, Orcamento(2, 0), &erro));
    ASSERT_TRUE(GravaArquivoOrc(b, Orcamento(1, 1), &erro));

    const Execucao e = Precos({a, b, QStringLiteral("--gravar")});
    ASSERT_EQ(e.status, 0) << e.erro.toStdString();
    EXPECT_TRUE(e.saida.contains(QStringLiteral("0001_24.orc\n  1 - BSD 450-1\n      Ventilador - OK\n")))
        << e.saida.toStdString();
    EXPECT_TRUE(e.saida.contains(QStringLiteral("      Acessórios Especiais- ERRO\nCausas de erro")));
    EXPECT_EQ(e.saida.count(QStringLiteral("Causas de erro")), 1); // only the quotation with a special accessory

    struct {
        QString arquivo;
        int qtd;
    } casos[] = {{a, 2}, {b, 1}};
    for (const auto &c : casos) {
        SCOPED_TRACE(c.arquivo.toStdString());
        TArquivoOrc lido;
        ASSERT_TRUE(LeArquivoOrc(c.arquivo, lido, &erro)) << erro.toStdString();
        const TItemOrc &it = lido.Itens.at(0);
        EXPECT_EQ(it.PrecoVent, 7210);
        EXPECT_EQ(it.PrecoMotor, 1750);
        EXPECT_EQ(it.PrecoAcess, 550 + 370);
        // The total as the proposal prices it: fan × 1 + accessories, motor × 1.25.
        EXPECT_DOUBLE_EQ(lido.Orcamento.ValorTotalOrc, c.qtd * (7210 + 920 + 1750 * 1.25));
    }

    // A file that cannot be read fails the run; the others are still updated.
    const QString falta = dir.filePath(QStringLiteral("9999_24.orc"));
    const Execucao f = Precos({falta, a});
    EXPECT_NE(f.status, 0);
    EXPECT_TRUE(f.erro.contains(QStringLiteral("9999_24.orc"))) << f.erro.toStdString();
    EXPECT_TRUE(f.saida.contains(QStringLiteral("0001_24.orc\n")));
    EXPECT_NE(Precos({}).status, 0);
}

} // namespace
