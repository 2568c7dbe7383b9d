#include "selection/acustica.h"

#include <cmath>
#include <numbers>

namespace quellora {

namespace {

// NR-15, Annex 1: level dB(A) and the maximum daily exposure, minutes.
struct LinhaNR15 {
    double nivel;
    int minutos;
};
constexpr LinhaNR15 TabelaNR15[] = {
    {85, 480}, {86, 420}, {87, 360}, {88, 300}, {89, 270}, {90, 240}, {91, 210}, {92, 180},
    {93, 160}, {94, 135}, {95, 120}, {96, 105}, {98, 75},  {100, 60}, {102, 45}, {104, 35},
    {105, 30}, {106, 25}, {108, 20}, {110, 15}, {112, 10}, {114, 8},  {115, 7},
};

// A level a rounding error above a row still reads that row.
constexpr double Folga = 1e-9;

} // namespace

double SomaNiveis(const Oitavas &niveis) {
    long double soma = 0;
    for (double l : niveis)
        soma += std::pow(10.0L, static_cast<long double>(l) / 10.0L);
    return static_cast<double>(10.0L * std::log10(soma));
}

Oitavas PonderaA(const Oitavas &niveis) {
    Oitavas a{};
    for (int b = 0; b < NumBandas; ++b)
        a[b] = niveis[b] + PonderacaoA[b];
    return a;
}

double TermoDistancia(double distancia, double diretividade) {
    const long double r = distancia;
    return static_cast<double>(10.0L * std::log10(static_cast<long double>(diretividade) /
                                                  (4.0L * std::numbers::pi_v<long double> * r * r)));
}

std::optional<int> ExposicaoNR15(double lpa) {
    if (!std::isfinite(lpa))
        return std::nullopt;
    for (const LinhaNR15 &l : TabelaNR15)
        if (lpa <= l.nivel + Folga)
            return l.minutos;
    return std::nullopt;
}

QString TextoExposicao(std::optional<int> minutos) {
    if (!minutos)
        return QStringLiteral("não permitida");
    const int h = *minutos / 60, m = *minutos % 60;
    if (h == 0)
        return QStringLiteral("%1 min").arg(m);
    if (m == 0)
        return QStringLiteral("%1 h").arg(h);
    return QStringLiteral("%1 h %2 min").arg(h).arg(m);
}

TRuido CalculaRuido(const Oitavas &lw, double distancia, double diretividade) {
    TRuido r;
    r.Distancia = distancia;
    r.Diretividade = diretividade;
    r.Lw = lw;
    r.LwA = PonderaA(lw);
    const double termo = TermoDistancia(distancia, diretividade);
    for (int b = 0; b < NumBandas; ++b)
        r.Lp[b] = lw[b] + termo;
    r.LwTotal = SomaNiveis(r.Lw);
    r.LwATotal = SomaNiveis(r.LwA);
    r.LpTotal = SomaNiveis(r.Lp);
    r.LpA = SomaNiveis(PonderaA(r.Lp));
    r.Exposicao = ExposicaoNR15(r.LpA);
    return r;
}

} // namespace quellora
