#include "pricing/precos.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quellora;

TEST(Precos, ArredondamentoMarcadoresENomeDaLinha) {
    EXPECT_DOUBLE_EQ(round2(10.004), 10.0);
    EXPECT_DOUBLE_EQ(round2(10.005), 10.01);
    EXPECT_DOUBLE_EQ(round2(1234.5678), 1234.57);
    EXPECT_DOUBLE_EQ(round2(-0.004), 0.0); // Int toward zero of 0.1
    for (const auto &[p, texto] : {std::pair{-1.0, "INC."}, {-1.5, "INC."}, {-2.0, "S.C."}, {-3.0, "N.D."}, {-4.0, ""},
                                   {0.0, ""}, {-0.5, ""}, {250.0, ""}})
        EXPECT_EQ(MarcadorPreco(p).toStdString(), texto) << p;
    for (const auto &[linha, gabinete, nome] : {std::tuple{"BSD", true, "BBS"}, {"BSD", false, "BSD"}, {"GTD", true, "BBL"},
                                                {"GTD", false, "GTD"}, {"AXI", true, "AXI"}}) {
        TItemOrc it;
        it.Linha = linha;
        it.ComGabinete = gabinete;
        EXPECT_EQ(NomeLinha(it).toStdString(), nome);
    }
}

TEST(Precos, EscolhaDoICMSDescontosESomaDosAcessorios) {
    TFatores f;
    for (int i = 1; i <= 4; ++i) {
        f.FatorVent[i] = i;
        f.FatorMotor[i] = 10 * i;
    }
    for (const auto &[icms, efetivo] : {std::pair{1, 1}, {4, 4}, {-1, 3}, {0, 3}, {5, 3}}) {
        EXPECT_EQ(FatoresICMS(f, icms).FatorV, efetivo) << icms;
        EXPECT_EQ(FatoresICMS(f, icms).FatorM, 10 * efetivo) << icms;
    }
    for (const auto &[padrao, indice] : {std::pair{0, 2}, {1, 1}, {3, 3}, {4, 2}, {-1, 2}}) {
        f.ICMSPadrao = padrao;
        EXPECT_EQ(IndiceICMSPadrao(f), indice) << padrao;
    }
    for (const auto &[pct, aceito] : {std::pair{0.0, true}, {99.99, true}, {100.0, false}, {250.0, false}, {std::nan(""), false}})
        EXPECT_EQ(DescontoAceito(pct), aceito) << pct;
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

    TFatores emVigor = f;
    emVigor.FatorMotor[2] = 7;
    const TFatoresProposta p = FatoresProposta({.descontoV = 10, .descontoM = 5, .FatoresOrc = f, .ICMS = 2}, emVigor);
    EXPECT_EQ(p.FatorV, 2);
    EXPECT_DOUBLE_EQ(p.MultDescV, 0.9);
    EXPECT_EQ(p.FatorM, 7);
    EXPECT_DOUBLE_EQ(p.MultDescM, 0.95);
}
