#include "pricing/precos.h"

#include <algorithm>
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

int ICMSEfetivo(int icms) { return (icms >= 1 && icms <= 4) ? icms : 3; }

int IndiceICMSPadrao(const TFatores &f) { return (f.ICMSPadrao >= 1 && f.ICMSPadrao <= 3) ? f.ICMSPadrao : 2; }

TFatoresICMS FatoresICMS(const TFatores &f, int icms) {
    const int i = ICMSEfetivo(icms);
    return {f.FatorVent[i], f.FatorMotor[i]};
}

bool DescontoAceito(double pct) { return std::isfinite(pct) && pct < 100; }

double MultDesconto(double pct) { return static_cast<double>(1.0L - static_cast<long double>(pct) * 0.01L); }

double SomaAcessorios(const TItemOrc &item, int numAcessEsp, double fatorV, double multDescV) {
    const long double f = static_cast<long double>(fatorV) * multDescV;
    long double soma = 0;
    for (int j = 0; j < std::clamp(numAcessEsp, 0, 10); ++j)
        if (item.AcessEspPreco[j] > 0) // a marker ("S.C.") counts nothing
            soma += item.AcessEspPreco[j] * f;
    for (int k = 1; k <= 45; ++k)
        if (item.AcessSel[k] && item.PrecoAcessorio[k] > 0)
            soma += item.PrecoAcessorio[k] * f;
    return static_cast<double>(soma);
}

TFatoresProposta FatoresProposta(const TOrcamento &orc, const TFatores &emVigor) {
    return {FatoresICMS(orc.FatoresOrc, orc.ICMS).FatorV, MultDesconto(orc.descontoV),
            FatoresICMS(emVigor, orc.ICMS).FatorM, MultDesconto(orc.descontoM)};
}

} // namespace quellora
