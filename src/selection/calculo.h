#pragma once
// Operating point of every size of a fan line for one air duty.
//
// The calculation reads the duty and the line from the shared state
// (VazaoCalc, PressaoCalc, Densidade, ModeloCalc, SoTamanho, TamanhoUnico,
// Modelo, Motores) and writes the per-size table Resultado. It shows no
// window: its messages go to an Avisador that the caller supplies (the
// selection window puts them in message boxes, the command line prints them).

#include "catalogue/tipos.h"
#include "selection/resultado.h"

#include <QString>

#include <functional>

namespace quellora {

struct TEstado;

// Standard air: static pressure is brought to it, absorbed power back from it.
inline constexpr long double DensidadePadrao = 1.205L;
// Air at 20 °C and 0 m: total pressure and the sound density term refer to it.
inline constexpr long double Densidade20 = 1.20521L;

// The calculation's messages, as the user reads them.
extern const QString MsgSemDados;       // line without calculation data
extern const QString MsgForaDosLimites; // no size qualifies
extern const QString MsgSemEspectro;    // a size without a sound row

enum class AvisoCalculo {
    SemDados,       // error box, caption "Erro"
    ForaDosLimites, // the calculation failed: no size qualifies
    SemEspectro,    // once per size; the size stays in the list
    ErroArquivo,    // the line could not be read (text names the file)
};

// Receives every message of a calculation. 'tamanho' is the size index the
// message is about (SemEspectro), 0 otherwise. An empty Avisador drops them.
using Avisador = std::function<void(AvisoCalculo tipo, const QString &texto, int tamanho)>;

// How a calculation ended, for the window that started it.
struct TFimCalculo {
    // Resultado holds a finished calculation: the size grid is to be filled
    // (and, in full mode, the selection button enabled).
    bool Concluido = false;
    // No size qualifies: the window's Falhou flag.
    bool Falhou = false;
};

// The whole calculation in the mode SoTamanho gives. Full mode first loads
// the line of list position ModeloCalc from 'dirDados' (ListaModelos must
// have filled the line index) and refuses a line without calculation data.
TFimCalculo CalculaTamanhos(const QString &dirDados, const Avisador &avisar = {});

// The same on the line already in Modelo, without reading any file: what
// CalculaTamanhos does once the line is loaded. For sweeps over many duties.
TFimCalculo CalculaModeloCarregado(const Avisador &avisar = {});

// The same on the state 'g' given instead of the shared one: its duty, line
// and motors in, its Resultado (and MotorEscolhido, the current item's motor
// fields) out. Nothing else is read or written, so that separate states can
// be computed at the same time on separate threads.
TFimCalculo CalculaModeloCarregado(TEstado &g, const Avisador &avisar = {});

// When no size of 'r' qualifies: the out-of-limits message, falhou := true
// and the answer true (stop).
bool VerificaQualificados(const TResultadoGrade &r, const Avisador &avisar, bool &falhou);

// Density of air at 20 °C at altitude h (m), kg/m³.
double DensidadeRef(double altitude);

// Poles proposed for a fan speed n (1/min): above 2700 two, above 500 four,
// above 300 six, otherwise eight.
int PolosDaRotacao(double n);

// Efficiency points a line takes off size i (the size correction).
double DescontoRendimento(const TDadosModelo &m, int i);

// Values the size grid derives from Resultado for size i; rho20 is
// DensidadeRef of the item's altitude.
double VelocidadePeriferica(const TResultadoGrade &r, int i);      // m/s
double PTotal20(const TResultadoGrade &r, int i, double rho20);    // mmCA
double PotAbs20(const TResultadoGrade &r, int i, double rho20);    // kW

// One row of the size grid, the twelve columns in order, full values.
struct TLinhaGrade {
    int Tamanho = 0;        // 0
    QString Arranjos;       // 1
    double Rotacao = 0;     // 2, 1/min
    double Velocidade = 0;  // 3, m/s
    double VelPeriferica = 0; // 4, m/s
    double PTotal20 = 0;    // 5, mmCA
    double Rendimento = 0;  // 6, %
    double PotOp = 0;       // 7, kW
    double Pot20 = 0;       // 8, kW
    double PotMotor = 0;    // 9, kW
    int Indice = 0;         // 10, size index
    double LwA = 0;         // 11, dB(A)
};
TLinhaGrade LinhaDaGrade(const TResultadoGrade &r, int i, double rho20);

// Size index of the first qualifying size with the highest efficiency (the
// highlighted row), 0 when none.
int TamanhoDestaque(const TResultadoGrade &r);

} // namespace quellora
