#include "pricing/precos.h"

#include <cmath>

namespace quellora {

double round2(double x) {
    const long double v = std::trunc(static_cast<long double>(x) * 100.0L + 0.5L) * 0.01L;
    return static_cast<double>(v);
}

QString MarcadorPreco(double preco) {
    if (!std::isfinite(preco))
        return QString();
    switch (static_cast<long long>(std::trunc(preco))) {
    case -1:
        return QStringLiteral("INC.");
    case -2:
        return QStringLiteral("S.C.");
    case -3:
        return QStringLiteral("N.D.");
    default:
        return QString();
    }
}

QString NomeLinha(const TItemOrc &item) {
    if (item.ComGabinete) {
        if (item.Linha == QLatin1String("BSD"))
            return QStringLiteral("BBS");
        if (item.Linha == QLatin1String("GTD"))
            return QStringLiteral("BBL");
    }
    return item.Linha;
}

} // namespace quellora
