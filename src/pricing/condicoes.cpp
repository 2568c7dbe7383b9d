#include "pricing/condicoes.h"

#include "shell/fabricante.h"

namespace quellora {

QString FreteFabricante() {
    return QStringLiteral("FOB ") + QString::fromUtf8(DadosFabricante::Marca1) + QLatin1Char(' ') +
           QString::fromUtf8(DadosFabricante::Marca2) + QStringLiteral(" - ") + QString::fromUtf8(DadosFabricante::Cidade);
}

int InteiroOu(const QString &texto, int padrao) {
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok, 10);
    return ok ? v : padrao;
}

std::int32_t CodificaEntrega(const QString &texto) {
    const qsizetype barra = texto.indexOf(QLatin1Char('/'));
    if (barra < 0)
        return InteiroOu(texto, 0);
    const auto a = static_cast<std::uint32_t>(InteiroOu(texto.left(barra), 0));
    const auto b = static_cast<std::uint32_t>(InteiroOu(texto.mid(barra + 1, 5), 0));
    return static_cast<std::int32_t>(a | (b << 8));
}

QString DecodificaEntrega(std::int32_t valor) {
    if (valor > 254)
        return QStringLiteral("%1/%2").arg(valor & 255).arg(valor >> 8);
    return QString::number(valor);
}

bool EntregaDoTexto(const QString &texto, std::int32_t *entrega) {
    const qsizetype barra = texto.indexOf(QLatin1Char('/'));
    if (barra < 0) {
        const int dias = InteiroOu(texto, 0);
        if (dias < 0 || dias > EntregaUnicaMaxima)
            return false;
    } else {
        for (const QString &metade : {texto.left(barra), texto.mid(barra + 1, 5)}) {
            const int dias = InteiroOu(metade, 0);
            if (dias < 0 || dias > EntregaMaxima)
                return false;
        }
    }
    if (entrega)
        *entrega = CodificaEntrega(texto);
    return true;
}

bool ValidadeDoTexto(const QString &texto, std::uint8_t *validade) {
    const int v = InteiroOu(texto, ValidadePadrao);
    if (v < 0 || v > ValidadeMaxima)
        return false;
    if (validade)
        *validade = static_cast<std::uint8_t>(v);
    return true;
}

std::int32_t EmbalagemDe(bool inclusa, bool sem, const QString &texto) {
    if (inclusa)
        return 0;
    if (sem)
        return -1;
    return InteiroOu(texto, -1);
}

} // namespace quellora
