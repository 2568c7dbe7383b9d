// Fuzz target: the preferences reader ("preferencias.json").
//
// Any input is read as the file. An accepted one holds only values in range,
// and what it writes reads back as the same preferences, written alike.

#include "shell/preferencias.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    using namespace quellora;
    const QByteArray entrada(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    TPreferencias p;
    QString erro;
    if (!PreferenciasDeBytes(entrada, p, &erro)) {
        if (erro.isEmpty() || !(p == TPreferencias{}))
            std::abort();
        return 0;
    }
    if (!ValidaPreferencias(p).isEmpty())
        std::abort();
    // Compared as written: a number too large for a double in a key of
    // another version comes back as null, on both sides alike.
    const QByteArray escrito = PreferenciasParaBytes(p);
    TPreferencias relido;
    if (!PreferenciasDeBytes(escrito, relido, &erro) || PreferenciasParaBytes(relido) != escrito ||
        relido.HorasAno != p.HorasAno || relido.Tarifa != p.Tarifa || relido.Distancia != p.Distancia ||
        relido.Diretividade != p.Diretividade || relido.VelocidadeMax != p.VelocidadeMax ||
        relido.PastaProjetos != p.PastaProjetos)
        std::abort();
    return 0;
}
