#pragma once
// Motor choice of a quotation item: the motor group that a protection,
// frequency and voltage select, the voltages and pole choices each offers,
// the suggested motor of a group, service factors, the minimum power of the
// APE motors, and what a confirmed choice writes into the item.

#include "catalogue/binario.h"
#include "catalogue/tipos.h"
#include "quotation/registros.h"

#include <QString>
#include <QStringList>

namespace quellora {

// Protection list indices.
enum ProtecaoMotor : int { PROT_IP55 = 0, PROT_APE = 1, PROT_ALTO_RENDIMENTO = 2, PROT_DAHLANDER = 3 };
// Frequency list indices.
enum FrequenciaMotor : int { FREQ_60 = 0, FREQ_50 = 1 };

QStringList ListaProtecoes();  // "IP55", "APE", "Alto Rendimento", "DAHLANDER"
QStringList ListaFrequencias(); // "60 Hz", "50 Hz"
QStringList ListaMarcas();      // "A DEFINIR", "WEG", "EBERLE", "KOLBACH"
QStringList ListaSugestao();    // "Sugestão", "Todos"

extern const QString MsgDahlander;   // Dahlander motors only in 2/4 and 4/8 poles
extern const QString MsgForaDaLinha; // outside the maker's normal line
extern const QString MsgMinimoAPE;   // APE motors from 0.37 kW

// The voltages a protection offers at a frequency.
QStringList ListaTensoes(int protecao, int frequencia);
// The pole choices: "2", "4", "6", "8", or "2/4", "4/8" for DAHLANDER.
QStringList ListaPolos(int protecao);
// Columns of the pole choices.
int ColunasPolos(int protecao);

// A Dahlander (two-speed) motor suits a suggested pole choice of 1 or 2
// (2 or 4 poles).
bool DahlanderSugerido(int polosSug);

// Motor group in use minus 1 (0..5) of a protection, frequency and voltage
// (list indices), or -1 for a combination outside the normal line.
int GrupoDoMotor(int protecao, int frequencia, int tensao);

// The first motor (1..35) of a group rated at least 'potencia' kW, or -1.
int LinhaSugerida(const Faixa<TDadosMotor, 1, 35> &motores, double potencia);

// Rated power over required power; 0 when no power is required.
double FatorServico(double potencia, double requerida);

// APE motors start at 0.37 kW: a motor below 0.369 kW cannot be one.
bool PotenciaAdmiteAPE(double potencia);

// The pole count stored for a confirmed motor: of a direct-coupled item, its
// suggested choice (the pole choice of its motor speed); otherwise of the
// pole choice index 0..3.
int PolosDoMotor(bool direto, int polosSug, int escolha);

// The chosen motor as the window shows it.
struct TEscolhaMotor {
    int RegMotor = 0;        // row of the motor group
    int Polos = 0;           // 2, 4, 6, 8
    double PwOp = 0;         // as shown, two decimals
    double PwSt = 0;
    QString Tensao;
    QString Frequencia;
    QString ObsMotor;
    QString Marca;
    bool SoSugestao = false;
    int Protecao = 0;        // list index
    QString TextoProtecao;   // list entry
    double PotMotor = 0;     // kW
    int RotMotor = 0;        // 1/min
    QString Carcaca;
    bool Especial = false;
    int GrupoMotor = -1;     // 0..5, -1 outside the normal line
};

// A confirmed motor into the item.
void GravaMotor(TItemOrc &it, const TEscolhaMotor &e);
// The item goes without motor, and without a motor price; nothing else of
// it changes.
void GravaSemMotor(TItemOrc &it);

} // namespace quellora
