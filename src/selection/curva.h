#pragma once
// Data of the performance chart of one size: eleven speed curves through the
// line's seven characteristic points by the fan laws, the efficiencies of the
// points, and the axis maxima. Pure functions: the drawing lives with the
// windows.

#include "catalogue/binario.h"
#include "catalogue/tipos.h"
#include "quotation/registros.h"
#include "selection/resultado.h"

namespace quellora {

// What the chart is drawn for.
struct TEntradaCurva {
    std::int32_t CurvaDiametro = 0;     // size number, mm
    double CurvaFatorRot = 0;           // the size's FatorRot
    std::int32_t CurvaRotacao = 0;      // operating speed, 1/min
    std::int32_t CurvaRotMax = 0;       // highest speed drawn, 1/min
    std::int32_t CurvaVelPerifMin = 0;  // lowest peripheral velocity drawn, m/s
    std::int32_t CurvaEntradas = 0;     // inlets
    double CorrecaoRendSel = 0;         // added to the characteristic efficiencies, % points
    std::int32_t CurvaVazaoOp = 0;      // operating flow, m³/h
    double CurvaPressaoOp = 0;          // operating total pressure, mmCA
    bool operator==(const TEntradaCurva &) const = default;
};

// The chart itself. Curve 0 is the operating speed; points are 1..7.
struct TDadosCurva {
    Faixa<std::int32_t, 0, 10> RpmCurva;   // 1/min
    Faixa<std::int32_t, 0, 10> RotCurva;   // RpmCurva × CurvaFatorRot, rounded
    Faixa<Faixa<std::int32_t, 1, 7>, 0, 10> VazaoCurva;  // [c][j], m³/h
    Faixa<Faixa<double, 1, 7>, 0, 10> PressaoCurva;      // [c][j], mmCA in tenths
    Faixa<double, 1, 7> RendCurva;         // %
    double PressaoMaxCurva = 0;
    std::int32_t EscalaVazao = 0;          // axis maxima
    std::int32_t EscalaPressao = 0;
    bool operator==(const TDadosCurva &) const = default;
};

// Chart inputs for an item whose selection is confirmed: values stored in
// the item. vazaoCalc and densidade are the duty in force (VazaoCalc,
// Densidade).
TEntradaCurva EntradaDoItem(const TDadosModelo &m, const TItemOrc &item, double vazaoCalc, double densidade);

// Chart inputs for size index i of a fresh calculation (a row of the size grid).
TEntradaCurva EntradaDaGrade(const TDadosModelo &m, const TResultadoGrade &r, int i, double vazaoCalc,
                             double densidade);

// The chart data from its inputs, the line's characteristic and the density.
TDadosCurva CalculaCurva(const TEntradaCurva &e, const TDadosModelo &m, double densidade);

// Axis rules: pressure axis from the highest pressure, flow axis from the
// flow of the last point of the last curve.
std::int32_t EscalaDePressao(double pressaoMax);
std::int32_t EscalaDeVazao(std::int64_t vazao);

// The calculation part of PreparaCurva: the inputs into the shared state
// (Curva) and the chart computed from them with Modelo and Densidade
// (DadosCurva).
void DefineCurva(const TEntradaCurva &e);

} // namespace quellora
