#include "quotation/orcamento.h"

#include "catalogue/constantes.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <QDateTime>

using namespace quellora;

namespace {

TItemOrc ItemConfigurado(int n) {
    TItemOrc it;
    it.Selecionado = true;
    it.RefTag = QStringLiteral("TAG%1").arg(n);
    it.Qtd = n;
    it.Descricao = QStringLiteral("Item %1").arg(n);
    it.Vazao = 1000.0 * n;
    it.Pressao = 10.0 * n;
    it.Temperatura = 20 + n;
    it.Altitude = 100.0 * n;
    it.DensidadeItem = 1.1;
    it.Posicao = QStringLiteral("RD 0°");
    it.Arranjo = 3;
    it.Tamanho = 450;
    it.AcessSel[3] = true;
    it.AcessEspPreco[4] = 99;
    it.PrecoVent = 1000;
    it.RotMotor = 1750;
    it.bruto[1300] = 0x55; // an unused byte
    return it;
}

} // namespace

TEST(Orcamento, LimpaDeixaOrcamentoVazioComOperadorEData) {
    auto &g = G();
    for (int i = 0; i <= 6; ++i)
        g.Operador[i] = QStringLiteral("campo %1").arg(i);
    g.NumItens = 3;
    g.ItemAtual = 2;
    g.Itens[2] = ItemConfigurado(2);
    g.Orcamento.Cliente = QStringLiteral("x");
    g.Orcamento.bruto[1500] = 9;
    g.ArqOrc = QStringLiteral("0001_03.orc");
    const double antes = DateTimeParaData(QDateTime::currentDateTime());

    LimpaOrcamento();

    EXPECT_EQ(g.NumItens, 0);
    EXPECT_EQ(g.ItemAtual, 0);
    EXPECT_EQ(g.Itens[2], TItemOrc{});
    EXPECT_EQ(g.Orcamento.ICMS, -1);
    EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 0);
    EXPECT_TRUE(g.Orcamento.Cliente.isEmpty());
    EXPECT_EQ(g.Orcamento.bruto[1500], 0);
    EXPECT_GE(g.Orcamento.Data, antes - 1e-6);
    EXPECT_LT(g.Orcamento.Data - antes, 1.0 / 86400 * 5);
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(g.Orcamento.OperadorOrc[i], QStringLiteral("campo %1").arg(i));
    EXPECT_TRUE(g.ArqOrc.isEmpty());
}

TEST(Orcamento, IniciaCondicoesSoNaPrimeiraVez) {
    auto &g = G();
    LimpaOrcamento();
    g.Operador[0] = QStringLiteral("Ana");
    g.Fatores.Entrega = 30;
    g.Fatores.Pagamento = QStringLiteral("28 dias");
    g.Fatores.FatorVent[1] = 1.3;
    IniciaCondicoes(2);
    EXPECT_EQ(g.Orcamento.ICMS, 2);
    EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 30);
    EXPECT_EQ(g.Orcamento.FatoresOrc.Pagamento, QStringLiteral("28 dias"));
    EXPECT_EQ(g.Orcamento.OperadorOrc[0], QStringLiteral("Ana"));

    // Later stores leave the commercial block and the operator alone.
    g.Fatores.Entrega = 60;
    g.Operador[0] = QStringLiteral("Bia");
    g.Orcamento.Data = 1;
    IniciaCondicoes(4);
    EXPECT_EQ(g.Orcamento.ICMS, 2);
    EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 30);
    EXPECT_EQ(g.Orcamento.OperadorOrc[0], QStringLiteral("Ana"));
    EXPECT_EQ(g.Orcamento.Data, 1);
}

TEST(Orcamento, CopiaOperadorNaoCopiaORepresentante) {
    auto &g = G();
    for (int i = 0; i <= 6; ++i)
        g.Operador[i] = QString(45, QChar(u'a' + i));
    CopiaOperador();
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(g.Orcamento.OperadorOrc[i], QString(40, QChar(u'a' + i)));
}

TEST(Orcamento, DensidadeDoAr) {
    auto &g = G();
    g.TempDens = 20;
    g.AltDens = 0;
    CalculaDensidade();
    EXPECT_NEAR(g.Densidade, 1.205208, 5e-7);
    EXPECT_EQ(QString::number(g.Densidade, 'f', 3), QStringLiteral("1.205"));
    EXPECT_NEAR(DensidadeDoAr(20, 1000), 1.073208, 5e-7);
    EXPECT_NEAR(DensidadeDoAr(100, 0), 0.946719, 5e-7);
}

TEST(Orcamento, ResetaItemGuardaSoODever) {
    auto &g = G();
    g.Itens[5] = ItemConfigurado(5);
    ResetaItem(5);
    const TItemOrc &it = g.Itens[5];
    EXPECT_EQ(it.RefTag, QStringLiteral("TAG5"));
    EXPECT_EQ(it.Qtd, 5);
    EXPECT_EQ(it.Descricao, QStringLiteral("Item 5"));
    EXPECT_EQ(it.Vazao, 5000);
    EXPECT_EQ(it.Pressao, 50);
    EXPECT_EQ(it.Temperatura, 25);
    EXPECT_EQ(it.Altitude, 500);
    EXPECT_EQ(it.DensidadeItem, 1.1);

    TItemOrc esperado;
    esperado.RefTag = it.RefTag;
    esperado.Qtd = it.Qtd;
    esperado.Descricao = it.Descricao;
    esperado.Vazao = it.Vazao;
    esperado.Pressao = it.Pressao;
    esperado.Temperatura = it.Temperatura;
    esperado.Altitude = it.Altitude;
    esperado.DensidadeItem = it.DensidadeItem;
    // Field for field and byte for byte, nothing else survives.
    EXPECT_EQ(ParaBytes(it), ParaBytes(esperado));
    EXPECT_FALSE(it.Selecionado);
    EXPECT_TRUE(it.Posicao.isEmpty());
    EXPECT_EQ(it.AcessEspPreco[4], 0);
    // Element 0 holds the item as it was.
    EXPECT_TRUE(g.Itens[0].Selecionado);
}

TEST(Orcamento, RemoveItemDesloca) {
    auto &g = G();
    for (int k = 1; k <= 3; ++k)
        g.Itens[k] = ItemConfigurado(k);
    g.NumItens = 3;
    RemoveItem(1);
    EXPECT_EQ(g.Itens[1].RefTag, QStringLiteral("TAG2"));
    EXPECT_EQ(g.Itens[2].RefTag, QStringLiteral("TAG3"));
    EXPECT_EQ(g.Itens[3], TItemOrc{});
    EXPECT_EQ(g.Itens[40], TItemOrc{});
    EXPECT_EQ(g.NumItens, 3); // recounted by the next store of data entry

    for (int k = 1; k <= 40; ++k)
        g.Itens[k] = ItemConfigurado(k);
    RemoveItem(40);
    EXPECT_EQ(g.Itens[40], TItemOrc{});
    EXPECT_EQ(g.Itens[39].Qtd, 39);
}

TEST(Orcamento, LegendaDoModelo) {
    auto &g = G();
    g.Modelo.Codigo = QStringLiteral("ABCDEFG");
    g.ItemAtual = 2;
    g.Itens[2].Tamanho = 450;
    g.Itens[2].Arranjo = 3;
    EXPECT_EQ(LegendaModelo(), QStringLiteral("Modelo: ABCD 450-4"));
    g.Modelo.Codigo = QStringLiteral("ABC");
    g.Itens[2].Arranjo = 4;
    EXPECT_EQ(LegendaModelo(), QStringLiteral("Modelo: ABC 450-4K"));
}

TEST(Orcamento, ValorTotal) {
    auto &g = G();
    EXPECT_EQ(CalculaValorTotal(), 0);

    g.NumItens = 2;
    g.Itens[1].Qtd = 2;
    g.Itens[1].PrecoVent = 1000;
    g.Itens[1].PrecoAcess = 150;
    g.Itens[1].PrecoMotor = 400;
    g.Itens[2].Qtd = 1;
    g.Itens[2].PrecoVent = 500;
    g.Itens[2].PrecoAcess = 50;
    g.Itens[2].PrecoMotor = 100;
    g.Itens[3].Qtd = 9; // beyond NumItens
    g.Itens[3].PrecoAcess = 1e6;
    // Before the price section was ever drawn the factors are zero.
    EXPECT_DOUBLE_EQ(CalculaValorTotal(), 2 * 150 + 50);

    g.FatorVProposta = 1.2;
    g.MultDescVProposta = 0.9;
    g.FatorMProposta = 1.1;
    g.MultDescMProposta = 0.95;
    const double equip = 2 * (1000 * 1.2 * 0.9 + 150) + 1 * (500 * 1.2 * 0.9 + 50);
    const double mot = 2 * 400 * 1.1 * 0.95 + 1 * 100 * 1.1 * 0.95;
    EXPECT_NEAR(CalculaValorTotal(), equip + mot, 1e-9);
    EXPECT_NEAR(g.ValorTotal, equip + mot, 1e-9);
}
