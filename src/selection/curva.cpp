#include "selection/curva.h"

#include "catalogue/constantes.h"
#include "selection/calculo.h"
#include "shell/estado.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace quellora {

namespace {

using ld = long double;

// Truncation and rounding up to a 32-bit integer. Values no integer can
// hold (an empty line record gives infinities) come out as 0 or the
// nearest limit instead of undefined behaviour.
std::int32_t Limita(ld x) {
    if (std::isnan(x))
        return 0;
    constexpr ld lo = std::numeric_limits<std::int32_t>::min();
    constexpr ld hi = std::numeric_limits<std::int32_t>::max();
    if (x <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (x >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(x);
}

std::int32_t Trunc(ld x) { return Limita(std::trunc(x)); }
std::int32_t Ceil(ld x) { return Limita(std::ceil(x)); }

} // namespace

TEntradaCurva EntradaDoItem(const TDadosModelo &m, const TItemOrc &item, double vazaoCalc, double densidade) {
    TEntradaCurva e;
    e.CurvaVelPerifMin = m.VelPerifMin;
    e.CurvaEntradas = m.Entradas;
    e.CurvaVazaoOp = Trunc(vazaoCalc);
    e.CurvaFatorRot = (item.IndiceTam >= 1 && item.IndiceTam <= 23) ? m.FatorRot[item.IndiceTam] : 0.0;
    e.CurvaDiametro = item.Tamanho;
    e.CurvaRotMax = item.RotMax;
    e.CorrecaoRendSel = item.CorrecaoRend;
    e.CurvaPressaoOp = static_cast<double>(static_cast<ld>(item.PTotal20) / Densidade20 * static_cast<ld>(densidade));
    e.CurvaRotacao = item.Rotacao;
    if (item.Direto)
        e.CurvaVazaoOp = Trunc(item.VazaoDireto);
    return e;
}

TEntradaCurva EntradaDaGrade(const TDadosModelo &m, const TResultadoGrade &r, int i, double vazaoCalc,
                             double densidade) {
    TEntradaCurva e;
    e.CurvaVelPerifMin = m.VelPerifMin;
    e.CurvaEntradas = m.Entradas;
    e.CurvaVazaoOp = Trunc(vazaoCalc);
    if (i < 1 || i > 23)
        return e;
    e.CurvaFatorRot = m.FatorRot[i];
    e.CurvaDiametro = Tamanhos[i];
    e.CurvaRotMax = Trunc(r.RotMaxArr[i]);
    e.CurvaRotacao = Trunc(static_cast<ld>(r.RotacaoTam[i]) + 0.5L);
    e.CorrecaoRendSel = -DescontoRendimento(m, i);
    e.CurvaPressaoOp = static_cast<double>(static_cast<ld>(r.PTotalPadrao[i]) / Densidade20 * static_cast<ld>(densidade));
    return e;
}

std::int32_t EscalaDePressao(double pressaoMax) {
    const std::int32_t b = Trunc(pressaoMax);
    return (b / 100) * 100 + (b % 100 < 50 ? 50 : 100);
}

std::int32_t EscalaDeVazao(std::int64_t q) {
    const ld x = static_cast<ld>(q);
    if (q > 100000)
        return Limita(100000.0L * std::ceil(x / 100000.0L));
    if (q > 10000)
        return Limita(10000.0L * std::ceil(x / 10000.0L));
    if (q > 1000)
        return Limita(1000.0L * std::ceil(x / 1000.0L));
    if (q > 100)
        return Limita(100.0L * std::ceil(x / 100.0L));
    // A chart without flow (no characteristic points) still gets an axis the
    // drawing can divide by.
    if (q <= 0)
        return 100;
    return static_cast<std::int32_t>(q);
}

TEixo EixoRedondo(double maximo, int divisoes) {
    divisoes = std::max(1, divisoes);
    if (!(maximo > 0) || !std::isfinite(maximo))
        return {1, divisoes};
    const ld bruto = static_cast<ld>(maximo) / divisoes;
    const ld potencia = std::pow(10.0L, std::floor(std::log10(bruto)));
    ld passo = 10 * potencia;
    for (const ld m : {1.0L, 2.0L, 2.5L, 5.0L})
        if (m * potencia >= bruto * (1 - 1e-12L)) {
            passo = m * potencia;
            break;
        }
    const int n = static_cast<int>(std::ceil(static_cast<ld>(maximo) / passo - 1e-9L));
    return {static_cast<double>(passo), std::clamp(n, 1, divisoes)};
}

TEixosCurva EixosDaCurva(const QPointF &dever, const std::vector<QPointF> &contidos) {
    // The duty at two thirds of an axis at most.
    constexpr double Folga = 1.5;
    double q = 0, p = 0;
    auto inclui = [&](double x, double y) {
        if (std::isfinite(x))
            q = std::max(q, x);
        if (std::isfinite(y))
            p = std::max(p, y);
    };
    inclui(dever.x() * Folga, dever.y() * Folga);
    for (const QPointF &c : contidos)
        inclui(c.x(), c.y());
    return {EixoRedondo(q, 8), EixoRedondo(p, 5)};
}

std::vector<QPointF> PontosDaOperacao(const TDadosCurva &d) {
    std::vector<QPointF> v;
    for (int j = 1; j <= 7; ++j)
        v.emplace_back(d.VazaoCurva[0][j], d.PressaoCurva[0][j]);
    return v;
}

TDadosCurva CalculaCurva(const TEntradaCurva &e, const TDadosModelo &m, double densidade) {
    TDadosCurva c;
    const ld d = static_cast<ld>(e.CurvaDiametro) / 1000.0L;
    c.RpmCurva[0] = e.CurvaRotacao;
    c.RpmCurva[1] = d > 0 ? Trunc(static_cast<ld>(e.CurvaVelPerifMin) * 60.0L / std::numbers::pi_v<ld> / d) : 0;
    const ld rpm1 = c.RpmCurva[1];
    for (int k = 2; k <= 9; ++k)
        c.RpmCurva[k] = Limita(100.0L * Ceil(((static_cast<ld>(e.CurvaRotMax) - rpm1) / 9.0L * (k - 1) + rpm1) / 100.0L));
    c.RpmCurva[10] = e.CurvaRotMax;
    for (int k = 0; k <= 10; ++k)
        c.RotCurva[k] = Trunc(static_cast<ld>(e.CurvaFatorRot) * c.RpmCurva[k] + 0.5L);

    c.PressaoMaxCurva = 0;
    for (int k = 0; k <= 10; ++k) {
        const ld n = c.RotCurva[k];
        for (int j = 1; j <= 7; ++j) {
            const ld p = d * d * static_cast<ld>(m.CurvaPressao[j]) * n * n * 1.0e-6L * static_cast<ld>(densidade) /
                         Densidade20 * 10.0L;
            c.PressaoCurva[k][j] = static_cast<double>(static_cast<ld>(Trunc(p + 0.5L)) * 0.1L);
            if (c.PressaoCurva[k][j] > c.PressaoMaxCurva)
                c.PressaoMaxCurva = c.PressaoCurva[k][j];
            c.VazaoCurva[k][j] = Ceil(d * d * d * static_cast<ld>(m.CurvaVazao[j]) * n * e.CurvaEntradas);
        }
    }
    for (int j = 1; j <= 7; ++j)
        c.RendCurva[j] = static_cast<double>(static_cast<ld>(e.CorrecaoRendSel) + static_cast<ld>(m.CurvaRend[j]));

    c.EscalaPressao = EscalaDePressao(c.PressaoMaxCurva);
    c.EscalaVazao = EscalaDeVazao(c.VazaoCurva[10][7]);
    return c;
}

void DefineCurva(const TEntradaCurva &e) {
    TEstado &g = G();
    g.Curva = e;
    g.DadosCurva = CalculaCurva(e, g.Modelo, g.Densidade);
}

} // namespace quellora
