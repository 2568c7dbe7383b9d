#pragma once
// The fan in its system on the performance chart: the system curve, the
// curves of two and more fans together, and the points where one, two, ...
// of them run. On the printed sheet, after the item's data: the octave
// table (Lw, LwA, Lp), the sound pressure where people work with the
// permitted exposure, the fans in parallel, and the warnings.

#include "selection/desenho_curva.h"
#include "selection/sistema.h"

namespace quellora {

inline constexpr QRgb CorSistema = 0x008000; // green

// Over the chart's grid (the page state's canvas).
void DesenhaSistema(const TGeometriaCurva &geo, const TDadosCurva &d, const TSistema &s);
// The octave table from the text cursor on: a row of bands, then Lw, LwA
// and Lp, the labels at xRotulo, the columns from xTabela to 'direita'.
void EscreveOitavas(const TRuido &r, int xRotulo, int xTabela, int direita);
// The sheet's lines, from the text cursor on, ending with a rule.
void EscreveFiguras(const TFiguras &f);
// What DesenhaCurva is given for these figures: the curves over the grid,
// and on the printed sheet the lines.
TExtrasCurva ExtrasDasFiguras(const TFiguras &f);

// Texts the sheet and the proposal share.
QString TextoBanda(int b);                       // "63", "125", ... "8k"
QString TextoPontoSistema(const TPontoSistema &p); // "30120 m³/h a 52,3 mmCA; 10040 m³/h e 4,12 kW cada"

} // namespace quellora
