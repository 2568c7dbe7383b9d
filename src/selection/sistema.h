#pragma once
// The fan in its system: the system curve p = p0 + k·Q² through the duty,
// identical fans in parallel on it (N running, and N − 1 with one stopped),
// where the operating point lies on the fan's curve (left of the pressure
// peak is unstable), and the warnings a size or a selected item earns.
// Pure functions on the chart data of curva.h: the fan's curve is the
// operating-speed curve of the chart, a polyline through its seven points.
//
// Pressures are the chart's: total pressure at the duty's density, with the
// static part referred as the chart refers it (× 1.205 / 1.20521). The
// points also give the static pressure, in the terms the duty is given in.

#include "catalogue/tipos.h"
#include "quotation/registros.h"
#include "selection/acustica.h"
#include "selection/curva.h"
#include "selection/resultado.h"

#include <QPointF>
#include <QString>
#include <QStringList>

#include <vector>

namespace quellora {

struct TPreferencias;

inline constexpr int MaxVentiladores = 6;

// Warning codes, as the JSON and the proposal give them.
inline constexpr const char *AvisoInstavel = "instavel";     // left of the pressure peak
inline constexpr const char *AvisoVelocidade = "velocidade"; // outlet velocity above the limit
inline constexpr const char *AvisoRotacao = "rotacao";       // above 95 % of the arrangement's maximum
inline constexpr const char *AvisoRuido = "ruido";           // above 85 dB(A) where people work
inline constexpr double FracaoRotacaoMax = 0.95;

struct TPontoCurva {
    double Vazao = 0;   // m³/h
    double Pressao = 0; // mmCA
};

// What the system is: the duty it passes through and how many fans share it.
struct TEntradaSistema {
    int Ventiladores = 1;       // identical fans in parallel, 1..6
    double VazaoTotal = 0;      // the duty's flow, the whole system, m³/h
    double PressaoDuty = 0;     // fan total pressure at the duty, as the chart draws it, mmCA
    double PressaoFixa = 0;     // p0: the system's pressure at no flow (a lift, a filter), static, mmCA
    double AreaDescarga = 0;    // outlet area of one fan, m² (for the static pressure)
    double Densidade = 0;       // kg/m³
};

// Where n of the fans run on the system.
struct TPontoSistema {
    int Ventiladores = 0;
    bool Existe = false;       // the curves meet (false: not within the fan's curve)
    bool Extrapolado = false;  // beyond the curve's last point, on its last segment carried on
    double VazaoTotal = 0;     // m³/h
    double VazaoPorVentilador = 0;
    double PressaoTotal = 0;   // mmCA, as the chart draws it
    double Pressao = 0;        // static, mmCA
    double Rendimento = 0;     // %, on the chart's curve
    double PotenciaPorVentilador = 0; // kW at the duty's density
};

struct TSistema {
    bool Valido = false;       // the duty lies above p0: there is a system curve
    int Ventiladores = 1;
    double P0 = 0;             // p0 as the chart draws it, mmCA
    double K = 0;              // mmCA / (m³/h)²
    std::vector<TPontoSistema> Pontos;    // n = 1..Ventiladores, in order
    std::vector<TPontoCurva> Combinada;   // the curve of all the fans together

    // The system's pressure at a total flow, as the chart draws it.
    double PressaoEm(double vazaoTotal) const { return P0 + K * vazaoTotal * vazaoTotal; }
    // The point with n fans running (n = 0: nothing runs), null when out of range.
    const TPontoSistema *Com(int n) const;
};

// The chart's fan curve (curve 0) with n fans: flows multiplied by n.
std::vector<TPontoCurva> CurvaCombinada(const TDadosCurva &c, int n);
// The shaft power of one fan at a point of the chart's curve, kW: flow
// m³/h, total pressure as the chart draws it, efficiency %.
double PotenciaNoGrafico(double vazao, double pressaoTotal, double rendimento);
// Total pressure as the chart draws it from a static pressure, and back.
double PressaoTotalNoGrafico(double estatica, double vazaoPorVentilador, double area, double densidade);
double PressaoEstaticaDoGrafico(double total, double vazaoPorVentilador, double area, double densidade);

TSistema CalculaSistema(const TDadosCurva &c, const TEntradaSistema &e);

// The operating flow of one fan lies left of the pressure peak of its curve.
bool Instavel(const TDadosCurva &c, double vazaoPorVentilador);

// The points the chart's axes are to hold besides the fan's own: where 1 to
// N of the fans meet the system, each with a tenth more flow, the room of
// its dot and count.
std::vector<QPointF> PontosDoSistema(const TSistema &s);

// Everything the system, sound and warnings say about one size or item.
struct TFiguras {
    bool Valido = false;
    TEntradaCurva Entrada;      // the chart's inputs
    TDadosCurva Curva;          // the chart
    TSistema Sistema;
    bool TemRuido = false;      // the size has a sound spectrum
    TRuido Ruido;
    bool Instavel = false;
    double Velocidade = 0, VelocidadeMax = 0; // outlet velocity and its limit, m/s
    double Rotacao = 0, RotacaoMax = 0;       // speed and the arrangement's maximum, 1/min
    QStringList Avisos;         // codes
};

// One fan's share of an item's duty flow (the item's fans in parallel).
double VazaoDoVentilador(const TItemOrc &item);

// The warning codes, in the order above.
QStringList AvisosDe(const TFiguras &f);
// One line per warning, as the size grid's tool-tip and the sheets say it.
QString TextoDoAviso(const QString &codigo, const TFiguras &f);
QString TextoDosAvisos(const TFiguras &f);

// Size i of a fresh calculation (Resultado), each of 'ventiladores' fans
// selected for 'vazaoPorVentilador' (VazaoCalc) at the duty's pressure.
TFiguras FigurasDoTamanho(const TDadosModelo &m, const TResultadoGrade &r, int i, double vazaoPorVentilador,
                          double densidade, int ventiladores, double pressaoFixa, const TPreferencias &p);
// A confirmed item, from its own fields and its line's record.
TFiguras FigurasDoItem(const TItemOrc &item, const TDadosModelo &m, const TPreferencias &p);

} // namespace quellora
