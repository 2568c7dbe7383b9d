#pragma once
// Drive arrangement of a chosen size: the check boxes the admissible
// arrangements enable, which choices are direct coupling, the fan-law
// rescale of the duty to a motor speed, and what a confirmed arrangement
// writes into the quotation item.

#include "catalogue/tipos.h"
#include "quotation/registros.h"
#include "selection/calculo.h"

#include <QString>

namespace quellora {

// Pages of arrangement pictures: single inlet and double inlet.
enum PaginaArranjo : int { PAG_SIMPLES = 0, PAG_DUPLA = 1 };

inline constexpr int NumCaixasArranjo = 9;

// The message when a direct-coupled arrangement is ticked.
extern const QString MsgAcoplamentoDireto;
// The message of a speed the direct-coupling dialog refuses ("[" + text + "]").
QString MsgRotacaoInvalida(const QString &texto);

// Motor speeds of the direct-coupling dialog by choice tag 1..8: 2, 4, 6, 8
// poles at 60 Hz, then at 50 Hz.
extern const Faixa<int, 1, 8> RotacoesMotor;

// One check box of the arrangement window (ckb1..ckb9): whether it can be
// ticked and the arrangement index it stands for.
struct TCaixaArranjo {
    bool Habilitada = false;
    int Tag = 0;
    bool operator==(const TCaixaArranjo &) const = default;
};
using TCaixasArranjo = Faixa<TCaixaArranjo, 1, NumCaixasArranjo>;

// The boxes as designed: all disabled, tags 1, 2, 3, 4, 6, 7, 8 on the
// single-inlet page and 2, 5 on the double-inlet page.
TCaixasArranjo CaixasIniciais();

// Number of the box (1..9) that arrangement k (1..8) enables on a page, 0
// for none.
int CaixaDoArranjo(int k, int pagina);

// The boxes the admissible designations enable ("1/3/9/4", split at "/";
// designations that are no arrangement are skipped). Arrangement 4 stays
// disabled when the line has no positive maximum speed for it at size i.
TCaixasArranjo CaixasHabilitadas(const QString &lista, int pagina, const TDadosModelo &m, int i);

// Whether a ticked tag is direct coupling: 4, 4K or 10 on the single-inlet
// page, 7 on the double-inlet page.
bool ArranjoDiretoNaPagina(int tag, int pagina);

// --- Direct coupling ---------------------------------------------------------

// The duty rescaled by the fan laws to speed ratio g: flow per inlet times g,
// static pressure times g².
struct TDeverDireto {
    double VazaoEntrada = 0;  // per inlet, m³/h
    double VazaoDireto = 0;   // whole flow, m³/h
    double PressaoPadrao = 0; // at 1.205 kg/m³, mmCA
    double PressaoDireto = 0; // at the duty's density, mmCA
};
TDeverDireto EscalaDireto(double vazaoEntrada, double pressaoPadrao, double densidade, int entradas, double g);

// The duty the size delivers at 'rotacao' when it delivers Resultado's duty
// at 'rotAtual': what a direct coupling at that speed will store.
TDeverDireto DeverNaRotacao(const TResultadoGrade &r, double densidade, int entradas, double rotAtual, int rotacao);

// Readies the recalculation of size i at a motor speed: motor group 1
// loaded, the item's pole and frequency choice from 'escolha' (0..7),
// Resultado's flow and pressure rescaled by novaRotacao / rotAtual, and
// single-size mode on size i. False (with the error) when there is no size or
// speed to start from or the motor file cannot be read; then nothing else
// has changed.
[[nodiscard]] bool PreparaDireto(const QString &dirDados, int i, int novaRotacao, double rotAtual, int escolha,
                                 QString *erro = nullptr);

// Whether Resultado holds a duty rescaled to a motor speed rather than the
// item's own duty (VazaoCalc).
bool DeverReescalado();

// Readies the recalculation of size i at the item's own duty (belt drive
// after a direct coupling of the same size): Resultado's flow and pressure
// back to VazaoCalc and the item's pressure, single-size mode on size i.
void PreparaDeverDoItem(int i);

// --- Confirmation ----------------------------------------------------------

// What a confirmed arrangement k writes into the item, from the size grid's
// row (full values) and Resultado for its size index. 'precos' is the line's
// price record; 'modelo' the line, for the sound bands and the efficiency
// correction.
void GravaArranjo(TItemOrc &it, const TLinhaGrade &linha, const TResultadoGrade &r, const TDadosModelo &modelo,
                  const TPrecoModelo &precos, int k, bool direto);

// The quotation's commercial block, when not yet in force: the factors in
// force, Iniciado, the operator's data.
void IniciaBlocoComercial();

} // namespace quellora
