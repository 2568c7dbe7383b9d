#pragma once
// The chart of the technical data sheet: at the operating speed, the fan's
// total pressure, shaft power and efficiency against flow, on one grid with
// a scale for each at the right, and over them the system curve, the curves
// of the fans in parallel and the points where they meet the system.

#include "selection/desenho_curva.h"
#include "selection/sistema.h"

#include <vector>

namespace quellora {

inline constexpr QRgb CorPotencia = 0x800080; // purple

// The seven points of the operating speed's curve (one fan).
struct TPontoRotacao {
    double Vazao = 0;      // m³/h
    double Pressao = 0;    // mmCA, total, as the chart draws it
    double Potencia = 0;   // kW on the shaft
    double Rendimento = 0; // %
};
std::vector<TPontoRotacao> PontosDaRotacao(const TDadosCurva &d);

// The scales at the right: as many steps as the pressure axis has, so that
// their lines are the grid's; round steps holding the highest power, and
// the efficiency from 0 to 100 % when the steps allow.
struct TEscalasRotacao {
    TEixo Potencia;
    TEixo Rendimento;
};
TEscalasRotacao EscalasDaRotacao(const std::vector<TPontoRotacao> &pontos, int divisoes);

// Draws the chart of 'f' within 'area' of the page state's canvas (a legend
// line at the top, the grid below it). Returns the geometry of the pressure
// and flow axes; nothing is drawn for figures that are not valid.
TGeometriaCurva DesenhaCurvaDaRotacao(const TFiguras &f, const Retangulo &area);

} // namespace quellora
