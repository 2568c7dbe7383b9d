#pragma once
// Sound where people work: the octave bands of a fan's sound power, their
// A-weighting, the sound pressure at a distance from the fan, and the daily
// exposure the Brazilian rule on noise at work (NR-15, Annex 1) permits at
// that level. Pure functions.

#include <QString>

#include <array>
#include <optional>

namespace quellora {

// Octave bands 63, 125, 250, 500, 1000, 2000, 4000 and 8000 Hz.
inline constexpr int NumBandas = 8;
using Oitavas = std::array<double, NumBandas>;

// A-weighting of each band, dB.
inline constexpr Oitavas PonderacaoA = {-26.2, -16.1, -8.6, -3.2, 0.0, 1.2, 1.0, -1.1};

// Above this the "ruido" warning is given, dB(A).
inline constexpr double LimiteRuido = 85.0;

// 10·log10 Σ 10^(L/10): the levels of the bands together.
double SomaNiveis(const Oitavas &niveis);
// Each band with its A-weighting.
Oitavas PonderaA(const Oitavas &niveis);
// 10·log10(Q / (4π r²)): what turns a sound power level into the sound
// pressure level at r metres with directivity Q (1 free field, 2 on the
// floor, 4 at a wall, 8 in a corner).
double TermoDistancia(double distancia, double diretividade);

// Permitted daily exposure at an A-weighted level, minutes: the row of the
// NR-15 table at or just above the level (below 85 dB(A), the 8 hours of its
// first row); none above 115 dB(A).
std::optional<int> ExposicaoNR15(double lpa);
// "8 h", "4 h 30 min", "7 min", or "não permitida".
QString TextoExposicao(std::optional<int> minutos);

// The figures of one spectrum at one place.
struct TRuido {
    Oitavas Lw{};      // sound power per band, dB
    Oitavas LwA{};     // A-weighted sound power per band, dB(A)
    Oitavas Lp{};      // sound pressure per band, dB
    double LwTotal = 0;
    double LwATotal = 0;
    double LpTotal = 0;
    double LpA = 0;   // A-weighted sound pressure, dB(A)
    std::optional<int> Exposicao; // minutes, none when not permitted
    double Distancia = 1;
    double Diretividade = 2;
};
TRuido CalculaRuido(const Oitavas &lw, double distancia, double diretividade);

} // namespace quellora
