#pragma once
// Data of the performance chart of one size: eleven speed curves through the
// line's seven characteristic points by the fan laws, the efficiencies of the
// points, and the axis maxima. Pure functions: the drawing lives with the
// windows.

#include "catalogue/binario.h"
#include "catalogue/tipos.h"
#include "quotation/registros.h"
#include "selection/resultado.h"

#include <QPointF>

#include <vector>

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

// Extent of the whole chart: pressure from the highest pressure, flow from
// the flow of the last point of the last curve (EscalaPressao, EscalaVazao).
std::int32_t EscalaDePressao(double pressaoMax);
std::int32_t EscalaDeVazao(std::int64_t vazao);

// One axis as it is drawn, from zero: Divisoes steps of Passo, a round
// number (1, 2, 2.5 or 5 times a power of ten).
struct TEixo {
    double Passo = 1;
    int Divisoes = 1;
    double Maximo() const { return Passo * Divisoes; }
    bool operator==(const TEixo &) const = default;
};
struct TEixosCurva {
    TEixo Vazao;   // m³/h, up to 8 steps
    TEixo Pressao; // mmCA, up to 5 steps
    bool operator==(const TEixosCurva &) const = default;
};

// The round axis that holds 'maximo' in at most 'divisoes' steps.
TEixo EixoRedondo(double maximo, int divisoes);

// The axes of the drawn chart: every point of 'contidos' (flow, pressure)
// inside, and the duty point well inside, at no more than two thirds of
// either axis. Curves beyond them are cut at the frame.
TEixosCurva EixosDaCurva(const QPointF &dever, const std::vector<QPointF> &contidos);

// The points the chart always holds: the curve of the operating speed.
std::vector<QPointF> PontosDaOperacao(const TDadosCurva &d);

// The calculation part of PreparaCurva: the inputs into the shared state
// (Curva) and the chart computed from them with Modelo and Densidade
// (DadosCurva).
void DefineCurva(const TEntradaCurva &e);

} // namespace quellora
