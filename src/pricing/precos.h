#pragma once
// Small rules of prices and line names that the configuration, the price
// update and the proposal share: markers, rounding, the factors of an ICMS
// choice, discounts and the accessory total of an item.

#include "catalogue/tipos.h"
#include "quotation/registros.h"

#include <QString>

namespace quellora {

// Int(x × 100 + 0.5) × 0.01, Int dropping the fraction toward zero: the
// rounding of accessory net prices.
double round2(double x);

// A price whose integer part is -1, -2 or -3 is a marker, not an amount:
// "INC." (included), "S.C." (on request), "N.D." (not available). Empty for
// any other price.
QString MarcadorPreco(double preco);

// The item's line code as shown: with a cabinet, "BSD" shows as "BBS" and
// "GTD" as "BBL".
QString NomeLinha(const TItemOrc &item);

// --- ICMS choice ------------------------------------------------------------
// The ICMS choice (1..4) whose factors apply: a quotation not yet given one
// (-1 after New, 0) or holding an impossible value counts as choice 3, as
// opening a quotation sets it.
int ICMSEfetivo(int icms);
// List index (0..3) of the default ICMS choice of a factors record: its
// ICMSPadrao, where 0 (and any impossible value) means index 2.
int IndiceICMSPadrao(const TFatores &f);

struct TFatoresICMS {
    double FatorV = 0; // FatorVent, fans and accessories
    double FatorM = 0; // FatorMotor, motors
};
// The fan and motor price factors of ICMS choice 'icms' (1..4, see ICMSEfetivo).
TFatoresICMS FatoresICMS(const TFatores &f, int icms);

// --- Discounts --------------------------------------------------------------
inline constexpr const char *MsgDescontoExcessivo = "Desculpe, não posso aceitar desconto de 100% ou mais!";
// A discount, %, the quotation can take: below 100 (and a number). A refused
// one is answered with MsgDescontoExcessivo and the field goes back to 0.
bool DescontoAceito(double pct);
// 1 − pct × 0.01: what is left of a price after the discount.
double MultDesconto(double pct);

// --- Accessory total --------------------------------------------------------
// Net accessory price of an item per unit, as its PrecoAcess: the special
// accessories 0..numAcessEsp−1 with an amount (AcessEspPreco > 0) and the
// chosen catalogue accessories with an amount (PrecoAcessorio > 0; markers
// add nothing), each × fatorV × multDescV, unrounded.
double SomaAcessorios(const TItemOrc &item, int numAcessEsp, double fatorV, double multDescV);

// --- Factors of the proposal's price section ---------------------------------
struct TFatoresProposta {
    double FatorV = 0;    // FatorVent[ICMS] of the quotation's FatoresOrc
    double MultDescV = 0; // 1 − descontoV/100
    double FatorM = 0;    // FatorMotor[ICMS] of the factors in force
    double MultDescM = 0; // 1 − descontoM/100
};
TFatoresProposta FatoresProposta(const TOrcamento &orc, const TFatores &emVigor);

} // namespace quellora
