#include "selection/sistema.h"

#include "selection/calculo.h"
#include "shell/numeros.h"
#include "shell/preferencias.h"

#include <algorithm>
#include <cmath>

namespace quellora {

namespace {

using ld = long double;

// The chart refers a static pressure to 1.20521 from 1.205.
constexpr ld FatorEstatico = DensidadePadrao / Densidade20;

// Dynamic pressure at the outlet of one fan, as the chart draws it.
ld Dinamica(double vazaoPorVentilador, double area, double densidade) {
    if (!(area > 0))
        return 0;
    const ld v = static_cast<ld>(vazaoPorVentilador) / 3600.0L / static_cast<ld>(area);
    return 0.061L * v * v * static_cast<ld>(densidade) / Densidade20;
}

// The seven points of the operating-speed curve, in flow order as the chart
// joins them.
struct Trecho {
    ld q0, p0, r0, q1, p1, r1;
    ld p(ld q) const { return q1 == q0 ? p0 : p0 + (p1 - p0) * (q - q0) / (q1 - q0); }
    ld r(ld q) const { return q1 == q0 ? r0 : r0 + (r1 - r0) * (q - q0) / (q1 - q0); }
};

std::vector<Trecho> Trechos(const TDadosCurva &c) {
    std::vector<Trecho> t;
    for (int j = 1; j < 7; ++j)
        t.push_back({static_cast<ld>(c.VazaoCurva[0][j]), static_cast<ld>(c.PressaoCurva[0][j]),
                     static_cast<ld>(c.RendCurva[j]), static_cast<ld>(c.VazaoCurva[0][j + 1]),
                     static_cast<ld>(c.PressaoCurva[0][j + 1]), static_cast<ld>(c.RendCurva[j + 1])});
    return t;
}

// The largest flow of one fan in [t.q0, t.q1] where the fan's pressure
// equals the system's p0 + a·q² (a = K·n²); false when there is none.
bool RaizNoTrecho(const Trecho &t, ld a, ld p0, ld &q) {
    const ld lo = std::min(t.q0, t.q1), hi = std::max(t.q0, t.q1);
    if (!(hi > lo))
        return false;
    const ld m = (t.p1 - t.p0) / (t.q1 - t.q0);
    // a·q² − m·q + (p0 − t.p0 + m·t.q0) = 0
    const ld b = -m, cc = p0 - t.p0 + m * t.q0;
    const ld folga = (hi - lo) * 1e-12L;
    ld achada = -1;
    auto prova = [&](ld x) {
        if (std::isfinite(x) && x >= lo - folga && x <= hi + folga)
            achada = std::max(achada, std::clamp(x, lo, hi));
    };
    if (a == 0) {
        if (b != 0)
            prova(-cc / b);
    } else {
        const ld d = b * b - 4 * a * cc;
        if (d >= 0) {
            const ld s = std::sqrt(d);
            // The stable form of the two roots.
            const ld w = -0.5L * (b + (b >= 0 ? s : -s));
            prova(w / a);
            if (w != 0)
                prova(cc / w);
        }
    }
    if (achada < 0)
        return false;
    q = achada;
    return true;
}

ld Potencia(ld q, ld pt, ld rend) {
    const ld r = std::max(rend, 1.0L);
    return q * pt / FatorEstatico / 75.0L / 3600.0L / (0.01L * r) / 1.36L;
}

} // namespace

const TPontoSistema *TSistema::Com(int n) const {
    if (n < 1 || n > static_cast<int>(Pontos.size()))
        return nullptr;
    return &Pontos[static_cast<std::size_t>(n - 1)];
}

double PotenciaNoGrafico(double vazao, double pressaoTotal, double rendimento) {
    return static_cast<double>(Potencia(vazao, pressaoTotal, rendimento));
}

std::vector<TPontoCurva> CurvaCombinada(const TDadosCurva &c, int n) {
    std::vector<TPontoCurva> v;
    for (int j = 1; j <= 7; ++j)
        v.push_back({static_cast<double>(n) * c.VazaoCurva[0][j], c.PressaoCurva[0][j]});
    return v;
}

double PressaoTotalNoGrafico(double estatica, double vazaoPorVentilador, double area, double densidade) {
    return static_cast<double>(static_cast<ld>(estatica) * FatorEstatico +
                               Dinamica(vazaoPorVentilador, area, densidade));
}

double PressaoEstaticaDoGrafico(double total, double vazaoPorVentilador, double area, double densidade) {
    return static_cast<double>((static_cast<ld>(total) - Dinamica(vazaoPorVentilador, area, densidade)) /
                               FatorEstatico);
}

TSistema CalculaSistema(const TDadosCurva &c, const TEntradaSistema &e) {
    TSistema s;
    s.Ventiladores = std::clamp(e.Ventiladores, 1, MaxVentiladores);
    s.P0 = static_cast<double>(static_cast<ld>(e.PressaoFixa) * FatorEstatico);
    s.Combinada = CurvaCombinada(c, s.Ventiladores);
    const ld q = e.VazaoTotal, pt = e.PressaoDuty;
    if (!(q > 0) || !std::isfinite(pt) || !(pt > s.P0) || !(e.PressaoFixa >= 0))
        return s;
    s.K = static_cast<double>((pt - s.P0) / (q * q));
    s.Valido = std::isfinite(s.K);
    if (!s.Valido)
        return s;

    const std::vector<Trecho> trechos = Trechos(c);
    for (int n = 1; n <= s.Ventiladores; ++n) {
        TPontoSistema ponto;
        ponto.Ventiladores = n;
        const ld a = static_cast<ld>(s.K) * n * n;
        ld qv = 0;
        const Trecho *onde = nullptr;
        // The rightmost crossing: the last segment that has one.
        for (auto it = trechos.rbegin(); it != trechos.rend() && !onde; ++it)
            if (RaizNoTrecho(*it, a, s.P0, qv))
                onde = &*it;
        // Still above the system at the curve's end: the last segment goes
        // on down to no pressure.
        Trecho alem{};
        if (!onde && !trechos.empty()) {
            const Trecho &u = trechos.back();
            const ld m = u.q1 != u.q0 ? (u.p1 - u.p0) / (u.q1 - u.q0) : 0;
            if (m < 0 && u.p1 > s.P0 + a * u.q1 * u.q1) {
                const ld fim = u.q1 - u.p1 / m;
                alem = {u.q1, u.p1, u.r1, fim, 0, u.r1 + (u.r1 - u.r0) * (fim - u.q1) / (u.q1 - u.q0)};
                if (RaizNoTrecho(alem, a, s.P0, qv)) {
                    onde = &alem;
                    ponto.Extrapolado = true;
                }
            }
        }
        if (onde) {
            const ld p = onde->p(qv);
            ponto.Existe = true;
            ponto.VazaoPorVentilador = static_cast<double>(qv);
            ponto.VazaoTotal = static_cast<double>(qv * n);
            ponto.PressaoTotal = static_cast<double>(p);
            ponto.Pressao = PressaoEstaticaDoGrafico(ponto.PressaoTotal, ponto.VazaoPorVentilador, e.AreaDescarga,
                                                     e.Densidade);
            ponto.Rendimento = static_cast<double>(onde->r(qv));
            ponto.PotenciaPorVentilador = static_cast<double>(Potencia(qv, p, onde->r(qv)));
        }
        s.Pontos.push_back(ponto);
    }
    return s;
}

bool Instavel(const TDadosCurva &c, double vazaoPorVentilador) {
    int pico = 1;
    for (int j = 2; j <= 7; ++j)
        if (c.PressaoCurva[0][j] > c.PressaoCurva[0][pico])
            pico = j;
    return vazaoPorVentilador < c.VazaoCurva[0][pico];
}

std::vector<QPointF> PontosDoSistema(const TSistema &s) {
    std::vector<QPointF> v;
    for (const TPontoSistema &p : s.Pontos)
        if (p.Existe)
            v.emplace_back(1.1 * p.VazaoTotal, p.PressaoTotal);
    return v;
}

double VazaoDoVentilador(const TItemOrc &item) { return item.Vazao / std::clamp(item.Ventiladores, 1, MaxVentiladores); }

QStringList AvisosDe(const TFiguras &f) {
    QStringList a;
    if (f.Instavel)
        a << QString::fromLatin1(AvisoInstavel);
    if (f.Velocidade > f.VelocidadeMax)
        a << QString::fromLatin1(AvisoVelocidade);
    if (f.RotacaoMax > 0 && f.Rotacao > FracaoRotacaoMax * f.RotacaoMax)
        a << QString::fromLatin1(AvisoRotacao);
    if (f.TemRuido && f.Ruido.LpA > LimiteRuido)
        a << QString::fromLatin1(AvisoRuido);
    return a;
}

QString TextoDoAviso(const QString &codigo, const TFiguras &f) {
    if (codigo == QLatin1String(AvisoInstavel))
        return QStringLiteral("Ponto de operação à esquerda do pico de pressão da curva: região instável.");
    if (codigo == QLatin1String(AvisoVelocidade))
        return QStringLiteral("Velocidade de descarga de %1 m/s, acima do limite de %2 m/s.")
            .arg(FormataFloat(QStringLiteral("0.0"), f.Velocidade), NumeroGeral(f.VelocidadeMax));
    if (codigo == QLatin1String(AvisoRotacao))
        return QStringLiteral("Rotação de %1 rpm, acima de 95 % da máxima do arranjo (%2 rpm).")
            .arg(FormataFloat(QStringLiteral("0"), f.Rotacao), FormataFloat(QStringLiteral("0"), f.RotacaoMax));
    if (codigo == QLatin1String(AvisoRuido))
        return QStringLiteral("Pressão sonora de %1 dB(A) a %2 m, acima de 85 dB(A).")
            .arg(FormataFloat(QStringLiteral("0"), f.Ruido.LpA), NumeroGeral(f.Ruido.Distancia));
    return codigo;
}

QString TextoDosAvisos(const TFiguras &f) {
    QStringList l;
    for (const QString &a : f.Avisos)
        l << TextoDoAviso(a, f);
    return l.join(QLatin1Char('\n'));
}

namespace {

// What both kinds of figures share once the chart's inputs are known.
void Completa(TFiguras &f, const TDadosModelo &m, double densidade, double vazaoTotal, double pressaoDuty,
              int ventiladores, double pressaoFixa, double area, double vazaoDoVentilador, const Oitavas *lw,
              const TPreferencias &p) {
    f.Curva = CalculaCurva(f.Entrada, m, densidade);
    TEntradaSistema e;
    e.Ventiladores = ventiladores;
    e.VazaoTotal = vazaoTotal;
    e.PressaoDuty = pressaoDuty;
    e.PressaoFixa = pressaoFixa;
    e.AreaDescarga = area;
    e.Densidade = densidade;
    f.Sistema = CalculaSistema(f.Curva, e);
    f.Instavel = Instavel(f.Curva, vazaoDoVentilador);
    f.VelocidadeMax = p.VelocidadeMax;
    f.TemRuido = lw != nullptr;
    if (lw)
        f.Ruido = CalculaRuido(*lw, p.Distancia, p.Diretividade);
    f.Avisos = AvisosDe(f);
    f.Valido = true;
}

} // namespace

TFiguras FigurasDoTamanho(const TDadosModelo &m, const TResultadoGrade &r, int i, double vazaoPorVentilador,
                          double densidade, int ventiladores, double pressaoFixa, const TPreferencias &p) {
    TFiguras f;
    if (i < 1 || i > 23 || !r.Qualificado[i])
        return f;
    const int n = std::clamp(ventiladores, 1, MaxVentiladores);
    f.Entrada = EntradaDaGrade(m, r, i, vazaoPorVentilador, densidade);
    f.Velocidade = r.Velocidade[i];
    f.Rotacao = r.RotacaoTam[i];
    f.RotacaoMax = r.RotMaxArr[i];
    Oitavas lw{};
    const int esp = r.IndEspectroTam[i];
    if (esp >= 1 && esp <= 69)
        for (int b = 0; b < NumBandas; ++b)
            lw[b] = r.LwATam[i] + m.Espectro[esp].Banda[b + 1];
    Completa(f, m, densidade, n * vazaoPorVentilador, f.Entrada.CurvaPressaoOp, n, pressaoFixa, m.AreaDescarga[i],
             vazaoPorVentilador, (esp >= 1 && esp <= 69) ? &lw : nullptr, p);
    return f;
}

TFiguras FigurasDoItem(const TItemOrc &item, const TDadosModelo &m, const TPreferencias &p) {
    TFiguras f;
    if (!item.Selecionado)
        return f;
    const int n = std::clamp(item.Ventiladores, 1, MaxVentiladores);
    const double densidade = item.DensidadeItem;
    const double vazaoDuty = VazaoDoVentilador(item);
    f.Entrada = EntradaDoItem(m, item, vazaoDuty, densidade);
    // With direct coupling the fan runs at the motor's speed: the point on
    // its curve is the duty moved along the fan laws, whose total pressure
    // goes with the square of the flow.
    const double vazaoDoVentilador = item.Direto ? item.VazaoDireto : vazaoDuty;
    ld pressaoDuty = f.Entrada.CurvaPressaoOp;
    if (item.Direto && vazaoDoVentilador > 0) {
        const ld g = static_cast<ld>(vazaoDuty) / static_cast<ld>(vazaoDoVentilador);
        pressaoDuty *= g * g;
    }
    f.Velocidade = item.VelDescarga;
    f.Rotacao = item.Rotacao;
    f.RotacaoMax = item.RotMax;
    const int i = item.IndiceTam;
    if (i >= 1 && i <= 23 && item.Arranjo >= 1 && item.Arranjo <= 8 && m.ArranjoModelo[item.Arranjo].RotMaxTam[i] > 0)
        f.RotacaoMax = m.ArranjoModelo[item.Arranjo].RotMaxTam[i];
    Oitavas lw{};
    bool temBandas = false;
    for (int b = 0; b < NumBandas; ++b) {
        lw[b] = item.LwBanda[b + 1];
        temBandas = temBandas || lw[b] != 0;
    }
    const double area = (i >= 1 && i <= 23) ? m.AreaDescarga[i] : 0.0;
    Completa(f, m, densidade, item.Vazao, static_cast<double>(pressaoDuty), n, item.PressaoFixa, area,
             vazaoDoVentilador, temBandas ? &lw : nullptr, p);
    return f;
}

} // namespace quellora
