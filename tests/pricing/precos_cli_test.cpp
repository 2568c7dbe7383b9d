// quellora-cli precos over saved quotations, on the sample catalogue.

#include "cli_execucao.h"
#include "pricing/item_bsd450.h"
#include "quotation/arquivo_orc.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quellora;
using namespace quellora::teste;

TEST(PrecosCli, AtualizaEGravaOsOrcamentos) {
    auto precos = [](const QStringList &args) {
        return ExecutaCli(QStringList{"precos", "--dados", QUELLORA_DADOS_DIR} + args);
    };
    QTemporaryDir dir;
    const QString a = dir.filePath("0001_24.orc"), b = dir.filePath("0002_24.orc");
    // 'qtd' items BSD 450 at old prices, ICMS 18 % (factors 1 and 1.25), the
    // second quotation with a special accessory.
    const std::tuple<QString, int, int> orcamentos[] = {{a, 2, 0}, {b, 1, 1}};
    for (const auto &[arquivo, qtd, especiais] : orcamentos) {
        TArquivoOrc orc{.Orcamento = {.ICMS = 1, .NumAcessEsp = especiais}, .Itens = {ItemBSD450()}};
        orc.Orcamento.FatoresOrc.FatorVent[1] = 1;
        orc.Orcamento.FatoresOrc.FatorMotor[1] = 1.25;
        orc.Itens[0].Qtd = qtd;
        ASSERT_TRUE(GravaArquivoOrc(arquivo, orc, nullptr));
    }

    const Execucao e = precos({a, b, "--gravar"});
    ASSERT_EQ(e.status, 0) << e.erro.toStdString();
    EXPECT_TRUE(e.saida.contains("0001_24.orc\n  1 - BSD 450-1\n      Ventilador - OK\n")) << e.saida.toStdString();
    EXPECT_TRUE(e.saida.contains("      Acessórios Especiais- ERRO\nCausas de erro"));
    EXPECT_EQ(e.saida.count("Causas de erro"), 1); // only the quotation with a special accessory
    for (const auto &[arquivo, qtd, especiais] : orcamentos) {
        SCOPED_TRACE(arquivo.toStdString());
        TArquivoOrc lido;
        ASSERT_TRUE(LeArquivoOrc(arquivo, lido, nullptr));
        const TItemOrc &it = lido.Itens.at(0);
        EXPECT_EQ(it.PrecoVent, 7210);
        EXPECT_EQ(it.PrecoMotor, 1750);
        EXPECT_EQ(it.PrecoAcess, 550 + 370);
        // The total as the proposal prices it: fan × 1 + accessories, motor × 1.25.
        EXPECT_DOUBLE_EQ(lido.Orcamento.ValorTotalOrc, qtd * (7210 + 920 + 1750 * 1.25));
    }

    // A file that cannot be read fails the run; the others are still updated.
    const Execucao f = precos({dir.filePath("9999_24.orc"), a});
    EXPECT_NE(f.status, 0);
    EXPECT_TRUE(f.erro.contains("9999_24.orc")) << f.erro.toStdString();
    EXPECT_TRUE(f.saida.contains("0001_24.orc\n"));
    EXPECT_NE(precos({}).status, 0);
}
