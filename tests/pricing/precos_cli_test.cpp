// quellora-cli precos over saved quotations, on the sample catalogue.

#include "quotation/arquivo_orc.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quellora;

namespace {

struct Execucao {
    int status = -1;
    QString saida, erro;
};

Execucao Precos(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(QUELLORA_CLI),
            QStringList{QStringLiteral("precos"), QStringLiteral("--dados"), QStringLiteral(QUELLORA_DADOS_DIR)} +
                args);
    Execucao e;
    if (!p.waitForFinished(60000))
        return e;
    e.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.saida = QString::fromUtf8(p.readAllStandardOutput());
    e.erro = QString::fromUtf8(p.readAllStandardError());
    return e;
}

// A quotation of 'qtd' BSD 450 / "1" with a 4-pole motor of group 1 and the
// PREC accessory, at old prices, ICMS 18 % (factors 1 and 1.25).
TArquivoOrc Orcamento(int qtd, int especiais) {
    TArquivoOrc a;
    a.Orcamento.ICMS = 1;
    a.Orcamento.FatoresOrc.FatorVent[1] = 1;
    a.Orcamento.FatoresOrc.FatorMotor[1] = 1.25;
    a.Orcamento.NumAcessEsp = especiais;
    TItemOrc it;
    it.Selecionado = true;
    it.Qtd = qtd;
    it.Linha = QStringLiteral("BSD");
    it.Arranjo = 1;
    it.Tamanho = 450;
    it.IndiceTam = 10;
    it.ComMotor = true;
    it.RegMotor = 10;
    it.Polos = 4;
    it.PrecoVent = 1000;
    it.PrecoMotor = it.PrecoListaMotor = 100;
    it.AcessSel[2] = true;
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
        EXPECT_EQ(it.PrecoAcess, 550);
        // The total as the proposal prices it: fan × 1 + accessories, motor × 1.25.
        EXPECT_DOUBLE_EQ(lido.Orcamento.ValorTotalOrc, c.qtd * (7210 + 550 + 1750 * 1.25));
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
