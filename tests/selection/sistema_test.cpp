// The fan in its system: where 1 to 6 fans in parallel meet the system
// curve, against roots found by bisection on the same chart curve; the
// warnings of a size, the unstable region among them; a confirmed item with
// direct coupling on the system of its duty.

#include "selection/sistema.h"

#include "catalogue/catalogo.h"
#include "selection/calculo.h"
#include "selection/linha_mao.h"
#include "shell/estado.h"
#include "shell/preferencias.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cmath>
#include <functional>

using namespace quellora;
using namespace quellora::teste;

namespace {

// The fan's pressure on the chart's operating-speed curve: the polyline
// through its points, its last segment carried on.
double PressaoNaCurva(const TDadosCurva &c, double q) {
    int j = 1;
    while (j < 6 && q > c.VazaoCurva[0][j + 1])
        ++j;
    const double q0 = c.VazaoCurva[0][j], q1 = c.VazaoCurva[0][j + 1];
    const double p0 = c.PressaoCurva[0][j], p1 = c.PressaoCurva[0][j + 1];
    return p0 + (p1 - p0) * (q - q0) / (q1 - q0);
}

// The largest flow of one fan where n fans meet p0 + k·Q², by a scan from
// the right and bisection; 0 when none.
double Raiz(const TDadosCurva &c, double p0, double k, int n) {
    auto f = [&](double q) { return PressaoNaCurva(c, q) - (p0 + k * n * n * q * q); };
    const double q1 = c.VazaoCurva[0][1], q7 = c.VazaoCurva[0][7];
    const double fim = q7 + 2 * (q7 - q1);
    double direita = fim;
    for (int s = 1; s <= 20000; ++s) {
        const double esquerda = fim - (fim - q1) * s / 20000;
        if (f(esquerda) >= 0 && f(direita) < 0) {
            double lo = esquerda, hi = direita;
            for (int it = 0; it < 200; ++it) {
                const double m = (lo + hi) / 2;
                (f(m) >= 0 ? lo : hi) = m;
            }
            return (lo + hi) / 2;
        }
        direita = esquerda;
    }
    return 0;
}

// The hand line with a chart curve the duty lies on: at 10000 m³/h and 50
// mmCA its size 17 runs at 1000 1/min with 2.78 m/s, the curve's flows are
// 5000 j m³/h (the duty on the second point), the peak at the first point,
// the sound 74 dB(A) at 1 m.
TDadosModelo LinhaComCurva() {
    TDadosModelo m = LinhaMao();
    const double pressao[7] = {52, 51, 50, 47, 42, 34, 22};
    for (int j = 1; j <= 7; ++j) {
        m.CurvaVazao[j] = 5.0 * j;
        m.CurvaPressao[j] = pressao[j - 1];
    }
    m.PolSom[0] = 80;
    return m;
}

class Sistema : public ::testing::Test {
protected:
    void TearDown() override { ResetaEstado(); }
};

} // namespace

TEST_F(Sistema, UmASeisVentiladoresNosPontosDaBissecao) {
    ResetaEstado();
    auto &g = G();
    const QString dir = QStringLiteral(QUELLORA_DADOS_DIR "/");
    QStringList linhas;
    ASSERT_TRUE(ListaModelos(dir, linhas) && CarregaMotores(dir, 1));
    const int bsd = static_cast<int>(linhas.indexOf(QRegularExpression(QStringLiteral("BSD .*"))));
    ASSERT_TRUE(CarregaModelo(dir, bsd));
    // Each fan takes 10000 m³/h at 50 mmCA: size 710 (index 14).
    g.Densidade = 1.2052;
    g.VazaoCalc = 10000;
    g.PressaoCalc = 50;
    ASSERT_TRUE(CalculaModeloCarregado().Concluido);
    constexpr int i = 14;
    ASSERT_TRUE(g.Resultado.Qualificado[i]);
    const TPreferencias pref;

    for (double p0 : {0.0, 20.0}) {
        for (int n = 1; n <= 6; ++n) {
            SCOPED_TRACE(testing::Message() << "p0 " << p0 << ", " << n << " ventiladores");
            const TFiguras f = FigurasDoTamanho(g.Modelo, g.Resultado, i, 10000, g.Densidade, n, p0, pref);
            ASSERT_TRUE(f.Sistema.Valido);
            ASSERT_EQ(f.Sistema.Pontos.size(), static_cast<std::size_t>(n));
            // The system curve through the duty, from the figures' own inputs.
            const double p0Grafico = p0 * 1.205 / 1.20521;
            const double k = (f.Entrada.CurvaPressaoOp - p0Grafico) / (n * 10000.0 * n * 10000.0);
            EXPECT_NEAR(f.Sistema.K, k, 1e-12 * k);
            double antes = 0;
            for (int m = 1; m <= n; ++m) {
                const TPontoSistema &pt = *f.Sistema.Com(m);
                const double q = Raiz(f.Curva, p0Grafico, k, m);
                ASSERT_GT(q, 0) << m;
                EXPECT_TRUE(pt.Existe) << m;
                EXPECT_NEAR(pt.VazaoPorVentilador, q, 1e-6 * q) << m;
                EXPECT_NEAR(pt.VazaoTotal, m * q, 1e-6 * m * q) << m;
                EXPECT_NEAR(pt.PressaoTotal, p0Grafico + k * m * m * q * q, 1e-6) << m;
                // More fans, more flow, each of them giving less.
                EXPECT_GT(pt.VazaoTotal, antes) << m;
                antes = pt.VazaoTotal;
                if (m > 1) {
                    EXPECT_LT(pt.VazaoPorVentilador, f.Sistema.Com(m - 1)->VazaoPorVentilador) << m;
                }
            }
            // All of them running: near the duty, at the power the engine found.
            const TPontoSistema &todos = *f.Sistema.Com(n);
            EXPECT_NEAR(todos.VazaoTotal, n * 10000.0, 0.02 * n * 10000);
            EXPECT_NEAR(todos.Pressao, 50, 2.5);
            EXPECT_NEAR(todos.PotenciaPorVentilador, g.Resultado.PotOpTam[i], 0.05 * g.Resultado.PotOpTam[i]);
            // The curve of all of them together, and the points the chart's
            // axes are to hold.
            EXPECT_EQ(f.Sistema.Combinada.back().Vazao, n * f.Curva.VazaoCurva[0][7]);
            ASSERT_EQ(PontosDoSistema(f.Sistema).size(), static_cast<std::size_t>(n));
            EXPECT_EQ(PontosDoSistema(f.Sistema).back(), QPointF(1.1 * todos.VazaoTotal, todos.PressaoTotal));
        }
    }
    // No system below a fixed pressure at or above the duty's.
    EXPECT_FALSE(FigurasDoTamanho(g.Modelo, g.Resultado, i, 10000, g.Densidade, 2, 60, pref).Sistema.Valido);
}

TEST_F(Sistema, AvisosDeUmTamanho) {
    const struct {
        const char *nome;
        std::function<void(TDadosModelo &, TPreferencias &)> muda;
        QStringList esperado;
    } casos[] = {
        {"nenhum", [](TDadosModelo &, TPreferencias &) {}, {}},
        {"pico depois do ponto: instável",
         [](TDadosModelo &m, TPreferencias &) {
             const double pressao[7] = {44, 50, 52, 51, 46, 36, 22};
             for (int j = 1; j <= 7; ++j)
                 m.CurvaPressao[j] = pressao[j - 1];
         },
         {"instavel"}},
        {"velocidade acima do limite", [](TDadosModelo &, TPreferencias &p) { p.VelocidadeMax = 2.7; }, {"velocidade"}},
        {"velocidade abaixo do limite", [](TDadosModelo &, TPreferencias &p) { p.VelocidadeMax = 2.8; }, {}},
        {"rotação acima de 95 % da máxima",
         [](TDadosModelo &m, TPreferencias &) { m.ArranjoModelo[1].RotMaxTam[17] = 1050; }, {"rotacao"}},
        {"rotação abaixo de 95 % da máxima",
         [](TDadosModelo &m, TPreferencias &) { m.ArranjoModelo[1].RotMaxTam[17] = 1053; }, {}},
        {"ruído: 94 dB(A) a 1 m", [](TDadosModelo &m, TPreferencias &) { m.PolSom[0] = 100; }, {"ruido"}},
        {"ruído: 82 dB(A) a 4 m",
         [](TDadosModelo &m, TPreferencias &p) {
             m.PolSom[0] = 100;
             p.Distancia = 4;
         },
         {}},
        {"todos",
         [](TDadosModelo &m, TPreferencias &p) {
             const double pressao[7] = {44, 50, 52, 51, 46, 36, 22};
             for (int j = 1; j <= 7; ++j)
                 m.CurvaPressao[j] = pressao[j - 1];
             p.VelocidadeMax = 2;
             m.ArranjoModelo[1].RotMaxTam[17] = 1000;
             m.PolSom[0] = 100;
         },
         {"instavel", "velocidade", "rotacao", "ruido"}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        ResetaEstado();
        auto &g = G();
        TPreferencias pref;
        g.Modelo = LinhaComCurva();
        c.muda(g.Modelo, pref);
        g.Densidade = 1.20521;
        g.VazaoCalc = 10000;
        g.PressaoCalc = 50;
        ASSERT_TRUE(CalculaModeloCarregado().Concluido);
        const TFiguras f = FigurasDoTamanho(g.Modelo, g.Resultado, 17, 10000, g.Densidade, 1, 0, pref);
        EXPECT_EQ(f.Avisos, c.esperado);
        // Each warning has its own words.
        EXPECT_EQ(TextoDosAvisos(f).split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), c.esperado.size());
        // On the rising branch the system still meets the fan, where the duty is.
        ASSERT_TRUE(f.Sistema.Com(1) && f.Sistema.Com(1)->Existe);
        EXPECT_NEAR(f.Sistema.Com(1)->VazaoTotal, 10000, 300);
    }
}

TEST_F(Sistema, ItemComAcoplamentoDiretoFicaNoSistemaDoSeuDever) {
    ResetaEstado();
    auto &g = G();
    g.Modelo = LinhaComCurva();
    g.Densidade = 1.20521;
    g.VazaoCalc = 10000;
    g.PressaoCalc = 50;
    ASSERT_TRUE(CalculaModeloCarregado().Concluido);
    const TResultadoGrade &r = g.Resultado;
    // Two fans of 10000 m³/h, confirmed as the arrangement window confirms
    // them; then the same at a motor speed 10 % lower, the duty moved along
    // the fan laws.
    TItemOrc it{.Selecionado = true, .Arranjo = 1, .IndiceTam = 17, .Tamanho = 1000,
                .RotMax = static_cast<std::int32_t>(r.RotMaxArr[17]),
                .Rotacao = static_cast<std::int32_t>(r.RotacaoTam[17]), .Pressao = 50,
                .CorrecaoRend = -r.DescontoRend[17], .DensidadeItem = 1.20521, .VelDescarga = r.Velocidade[17],
                .PTotal20 = r.PTotalPadrao[17], .Ventiladores = 2, .PressaoFixa = 10};
    it.Vazao = 20000;
    const TFiguras correia = FigurasDoItem(it, g.Modelo, TPreferencias{});
    TItemOrc direto = it;
    direto.Direto = true;
    direto.VazaoDireto = 0.9 * 10000;
    direto.PressaoDireto = 0.81 * 50;
    direto.PTotal20 = 0.81 * r.PTotalPadrao[17];
    direto.Rotacao = static_cast<std::int32_t>(0.9 * r.RotacaoTam[17]);
    const TFiguras d = FigurasDoItem(direto, g.Modelo, TPreferencias{});
    ASSERT_TRUE(correia.Sistema.Valido && d.Sistema.Valido);
    EXPECT_NEAR(d.Sistema.K, correia.Sistema.K, 1e-9 * correia.Sistema.K);
    EXPECT_EQ(d.Sistema.P0, correia.Sistema.P0);
    EXPECT_EQ(d.Entrada.CurvaRotacao, direto.Rotacao);
    // A slower fan delivers less on the same system.
    EXPECT_LT(d.Sistema.Com(2)->VazaoTotal, correia.Sistema.Com(2)->VazaoTotal);
    // Not confirmed: no figures.
    it.Selecionado = false;
    EXPECT_FALSE(FigurasDoItem(it, g.Modelo, TPreferencias{}).Valido);
}
