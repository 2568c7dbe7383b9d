#include "pricing/precos.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quellora;

TEST(Precos, ArredondamentoMarcadoresENomeDaLinha) {
    EXPECT_DOUBLE_EQ(round2(10.004), 10.0);
    EXPECT_DOUBLE_EQ(round2(10.005), 10.01);
    EXPECT_DOUBLE_EQ(round2(1234.5678), 1234.57);
    EXPECT_DOUBLE_EQ(round2(-0.004), 0.0); // Int toward zero of 0.1

    struct {
        double p;
        const char *texto;
    } marcas[] = {{-1, "INC."}, {-1.5, "INC."}, {-2, "S.C."}, {-3, "N.D."}, {-4, ""}, {0, ""}, {-0.5, ""}, {250, ""}};
    for (const auto &m : marcas) {
        SCOPED_TRACE(m.p);
        EXPECT_EQ(MarcadorPreco(m.p).toStdString(), m.texto);
    }

    struct {
        const char *linha;
        bool gabinete;
        const char *nome;
    } nomes[] = {{"BSD", true, "BBS"}, {"BSD", false, "BSD"}, {"GTD", true, "BBL"}, {"GTD", false, "GTD"}, {"AXI", true, "AXI"}};
    for (const auto &n : nomes) {
        TItemOrc it;
        it.Linha = QString::fromLatin1(n.linha);
        it.ComGabinete = n.gabinete;
        EXPECT_EQ(NomeLinha(it).toStdString(), n.nome);
    }
}

TEST(Precos, EscolhaDoICMSDescontosESomaDosAcessorios) {
    TFatores f;
    for (int i = 1; i <= 4; ++i) {
        f.FatorVent[i] = i;
        f.FatorMotor[i] = 10 * i;
    }
    struct {
        int icms, efetivo;
    } icms[] = {{1, 1}, {4, 4}, {-1, 3}, {0, 3}, {5, 3}};
    for (const auto &c : icms) {
        SCOPED_TRACE(c.icms);
        EXPECT_EQ(FatoresICMS(f, c.icms).FatorV, c.efetivo);
        EXPECT_EQ(FatoresICMS(f, c.icms).FatorM, 10 * c.efetivo);
    }
    struct {
        int padrao, indice;
    } padroes[] = {{0, 2}, {1, 1}, {3, 3}, {4, 2}, {-1, 2}};
    for (const auto &c : padroes) {
        SCOPED_TRACE(c.padrao);
        f.ICMSPadrao = c.padrao;
        EXPECT_EQ(IndiceICMSPadrao(f), c.indice);
    }
    struct {
        double pct;
        bool aceito;
    } descontos[] = {{0, true}, {99.99, true}, {100, false}, {250, false}, {std::nan(""), false}};
    for (const auto &c : descontos) {
        SCOPED_TRACE(c.pct);
        EXPECT_EQ(DescontoAceito(c.pct), c.aceito);
    }
    EXPECT_DOUBLE_EQ(MultDesconto(12.5), 0.875);

    // Special accessories below NumAcessEsp at their counted price, chosen
    // catalogue accessories with an amount; markers and unchosen add nothing.
    TItemOrc it;
    it.AcessEspPreco[0] = 100;
    it.AcessEspPreco[1] = 50; // beyond NumAcessEsp = 1
    it.AcessSel[1] = it.AcessSel[2] = it.AcessSel[3] = true;
    it.PrecoAcessorio[1] = -1;
    it.PrecoAcessorio[2] = 200;
    it.PrecoAcessorio[3] = 0;
    it.PrecoAcessorio[4] = 999; // not chosen
    EXPECT_DOUBLE_EQ(SomaAcessorios(it, 1, 1.5, 0.8), 300 * 1.5 * 0.8);

    TOrcamento o;
    o.ICMS = 2;
    o.descontoV = 10;
    o.descontoM = 5;
    o.FatoresOrc = f;
    TFatores emVigor = f;
    emVigor.FatorMotor[2] = 7;
    const TFatoresProposta p = FatoresProposta(o, emVigor);
    EXPECT_EQ(p.FatorV, 2);
    EXPECT_DOUBLE_EQ(p.MultDescV, 0.9);
    EXPECT_EQ(p.FatorM, 7);
    EXPECT_DOUBLE_EQ(p.MultDescM, 0.95);
}
