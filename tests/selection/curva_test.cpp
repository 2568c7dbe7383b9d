#include "selection/curva.h"

#include "selection/calculo.h"
#include "selection/linha_mao.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quellora;
using namespace quellora::teste;

TEST(EixosDaCurva, PressaoEVazao) {
    for (const auto &[p, escala] : {std::pair{0.0, 50}, {123.0, 150}, {150.0, 200}, {180.0, 200}, {99.96, 100},
                                    {100.0, 150}, {149.99, 150}, {1234.5, 1250}})
        EXPECT_EQ(EscalaDePressao(p), escala) << p;
    // The 10000 branch needs more than 10000; a line without characteristic
    // points still gets an axis to divide by.
    for (const auto &[v, escala] : {std::pair{10000, 10000}, {10001, 20000}, {100000, 100000}, {100001, 200000},
                                    {1001, 2000}, {1000, 1000}, {101, 200}, {100, 100}, {37, 37}, {0, 100}})
        EXPECT_EQ(EscalaDeVazao(v), escala) << v;
}

// The drawn axes hold the operating speed's curve and keep the duty point at
// two thirds of each axis at most, in round steps. The curves are those of
// the sample catalogue's sizes (BSD 710, 450 and 1000 for 10000 m³/h).
TEST(EixosDaCurva, DeverBemDentroEPassosRedondos) {
    using Pontos = std::vector<QPointF>;
    const struct {
        const char *nome;
        QPointF dever;
        Pontos contidos;
        TEixosCurva eixos;
    } casos[] = {
        {"dever no meio da curva", {10000, 55.5}, {{5354, 62.9}, {10464, 54.1}, {15574, 30.3}}, {{2000, 8}, {20, 5}}},
        {"dever no fim da curva", {10000, 84.1}, {{3495, 166.2}, {6831, 142.8}, {10167, 80.1}}, {{2000, 8}, {50, 4}}},
        {"dever no começo da curva", {10000, 51.4}, {{9602, 51.4}, {18767, 44.2}, {27932, 24.8}}, {{5000, 6}, {20, 4}}},
        {"pequeno", {40, 2}, {}, {{10, 6}, {1, 3}}},
        {"meios passos", {1000, 15}, {{1650, 16}}, {{250, 7}, {5, 5}}},
        {"nada", {0, 0}, {}, {{1, 8}, {1, 5}}},
        {"pontos sem número", {1000, 10}, {{std::nan(""), 1e300 * 1e300}}, {{200, 8}, {5, 3}}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        const TEixosCurva e = EixosDaCurva(c.dever, c.contidos);
        EXPECT_EQ(e, c.eixos) << e.Vazao.Passo << "×" << e.Vazao.Divisoes << ", " << e.Pressao.Passo << "×"
                              << e.Pressao.Divisoes;
        EXPECT_LE(c.dever.x(), e.Vazao.Maximo() * 2 / 3 + 1e-9);
        EXPECT_LE(c.dever.y(), e.Pressao.Maximo() * 2 / 3 + 1e-9);
        for (const QPointF &p : c.contidos)
            if (std::isfinite(p.x()) && std::isfinite(p.y())) {
                EXPECT_LE(p.x(), e.Vazao.Maximo());
                EXPECT_LE(p.y(), e.Pressao.Maximo());
            }
        for (const auto &[eixo, maximo] : {std::pair{e.Vazao, 8}, {e.Pressao, 5}}) {
            EXPECT_LE(eixo.Divisoes, maximo);
            const double m = eixo.Passo / std::pow(10.0, std::floor(std::log10(eixo.Passo)));
            EXPECT_TRUE(m == 1 || m == 2 || m == 2.5 || m == 5) << eixo.Passo;
        }
    }
}

namespace {

class Curva : public ::testing::Test {
protected:
    void SetUp() override {
        G().Modelo = LinhaMao();
        G().Densidade = 1.20521;
        G().VazaoCalc = 10000;
        G().PressaoCalc = 50;
        ASSERT_TRUE(CalculaModeloCarregado().Concluido);
    }
};

} // namespace

TEST_F(Curva, EntradasDaLinhaDaGrade) {
    const TEstado &g = G();
    const TEntradaCurva e = EntradaDaGrade(g.Modelo, g.Resultado, 17, g.VazaoCalc, g.Densidade);
    EXPECT_NEAR(e.CurvaPressaoOp, 50.46196683770392, 1e-9);
    EXPECT_EQ(e, (TEntradaCurva{1000, 1.0, 1000, 2000, 10, 1, 0.0, 10000, e.CurvaPressaoOp}));

    // The speed is rounded, the maximum truncated; the correction is the
    // size correction with its sign turned.
    TResultadoGrade r = g.Resultado;
    r.RotacaoTam[17] = 1234.5;
    r.RotMaxArr[17] = 2000.9;
    TDadosModelo m = g.Modelo;
    m.CorrRend[17] = 0.4; // 80 − (100 − 0.9 × 20) = −2
    const TEntradaCurva e2 = EntradaDaGrade(m, r, 17, 10000.9, g.Densidade);
    EXPECT_EQ(e2.CurvaRotacao, 1235);
    EXPECT_EQ(e2.CurvaRotMax, 2000);
    EXPECT_NEAR(e2.CorrecaoRendSel, 2.0, 1e-12);
    EXPECT_EQ(e2.CurvaVazaoOp, 10000);
}

TEST_F(Curva, EntradasDoItemSelecionado) {
    TItemOrc it{.Selecionado = true, .Direto = false, .VazaoDireto = 9000.7, .IndiceTam = 17, .Tamanho = 1000,
                .RotMax = 2000, .Rotacao = 1234, .CorrecaoRend = 1.5, .PTotal20 = 60.25};
    TEntradaCurva e = EntradaDoItem(G().Modelo, it, 10000.9, 1.1);
    EXPECT_NEAR(e.CurvaPressaoOp, 60.25 / 1.20521 * 1.1, 1e-12);
    EXPECT_EQ(e.CurvaFatorRot, 1.0);
    EXPECT_EQ(e.CurvaDiametro, 1000);
    EXPECT_EQ(e.CurvaRotMax, 2000);
    EXPECT_EQ(e.CorrecaoRendSel, 1.5);
    EXPECT_EQ(e.CurvaRotacao, 1234);
    EXPECT_EQ(e.CurvaVazaoOp, 10000);
    it.Direto = true;
    e = EntradaDoItem(G().Modelo, it, 10000.9, 1.1);
    EXPECT_EQ(e.CurvaVazaoOp, 9000);
    // A stored size index out of the table gives no factor instead of a crash.
    it.IndiceTam = 0;
    EXPECT_EQ(EntradaDoItem(G().Modelo, it, 1, 1.2).CurvaFatorRot, 0.0);
}

TEST_F(Curva, CurvasCalculadasAMao) {
    const TEstado &g = G();
    DefineCurva(EntradaDaGrade(g.Modelo, g.Resultado, 17, g.VazaoCalc, g.Densidade));
    const TDadosCurva &c = g.DadosCurva;
    // 10 m/s peripheral on 1 m: 600 / π = 190.99; then hundreds rounded up
    // on the way to 2000 in steps of (2000 − 190) / 9.
    const int rpm[] = {1000, 190, 400, 600, 800, 1000, 1200, 1400, 1600, 1800, 2000};
    for (int k = 0; k <= 10; ++k) {
        EXPECT_EQ(c.RpmCurva[k], rpm[k]) << k;
        EXPECT_EQ(c.RotCurva[k], rpm[k]) << k;
    }
    // Point j at speed n: flow 0.125 j × n, pressure (8 − j) × n² × 10^-6.
    EXPECT_EQ(c.VazaoCurva[0][1], 125);
    EXPECT_EQ(c.VazaoCurva[10][7], 1750);
    EXPECT_DOUBLE_EQ(c.PressaoCurva[0][1], 7.0);
    EXPECT_DOUBLE_EQ(c.PressaoCurva[10][1], 28.0);
    EXPECT_DOUBLE_EQ(c.PressaoCurva[1][7], 0.0); // 1 × 190² × 10^-6 = 0.036: rounds to 0.0
    EXPECT_DOUBLE_EQ(c.PressaoCurva[2][6], 0.3); // 2 × 0.16 = 0.32
    EXPECT_DOUBLE_EQ(c.PressaoMaxCurva, 28.0);
    for (int j = 1; j <= 7; ++j)
        EXPECT_DOUBLE_EQ(c.RendCurva[j], 60 + j);
    EXPECT_EQ(c.EscalaPressao, 50);
    EXPECT_EQ(c.EscalaVazao, 2000);
    EXPECT_EQ(g.Curva.CurvaRotacao, 1000);
}

TEST_F(Curva, FatorDeRotacaoDensidadeEEntradas) {
    TEntradaCurva e = EntradaDaGrade(G().Modelo, G().Resultado, 17, 10000, 1.20521);
    e.CurvaFatorRot = 1.5;
    e.CurvaEntradas = 2;
    const TDadosCurva c = CalculaCurva(e, G().Modelo, 1.20521 / 2);
    EXPECT_EQ(c.RotCurva[0], 1500);
    EXPECT_EQ(c.RotCurva[1], 285); // 1.5 × 190
    EXPECT_EQ(c.VazaoCurva[0][1], 375); // 0.125 × 1500 × 2 inlets
    // 7 × 1500² × 10^-6 / 2 = 7.875, rounded to tenths
    EXPECT_DOUBLE_EQ(c.PressaoCurva[0][1], 7.9);
}

TEST_F(Curva, RotMaxIgualAMenorRotacaoDaOsIntermediariosArredondados) {
    TEntradaCurva e = EntradaDaGrade(G().Modelo, G().Resultado, 17, 10000, 1.20521);
    e.CurvaRotMax = 190;
    const TDadosCurva c = CalculaCurva(e, G().Modelo, 1.20521);
    EXPECT_EQ(c.RpmCurva[1], 190);
    for (int k = 2; k <= 9; ++k)
        EXPECT_EQ(c.RpmCurva[k], 200) << k;
    EXPECT_EQ(c.RpmCurva[10], 190);
}

TEST_F(Curva, EntradasVaziasNaoQuebram) {
    const TDadosCurva c = CalculaCurva(TEntradaCurva{}, TDadosModelo{}, 0);
    EXPECT_EQ(c.RpmCurva[1], 0);
    EXPECT_EQ(c.PressaoMaxCurva, 0.0);
    EXPECT_EQ(c.EscalaPressao, 50);
    EXPECT_GT(c.EscalaVazao, 0);
    const TEntradaCurva fora = EntradaDaGrade(G().Modelo, G().Resultado, 0, 1000, 1.2);
    EXPECT_EQ(fora.CurvaDiametro, 0);
}
