#pragma once
// Small rules of prices and line names that the configuration, the price
// update and the proposal share.

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

} // namespace quellora
