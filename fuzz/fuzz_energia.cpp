// Fuzz target: the reader of the catalogue's energy data ("dadefi.dat").
//
// Any input is read as the file. A refused one gives a reason and leaves the
// data as they were; an accepted one holds only valid values, and what it
// writes reads back as the same data, written alike.

#include "catalogue/energia.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    using namespace quellora;
    const QByteArray entrada(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    TEnergiaCatalogo e;
    QString motivo;
    if (!EnergiaDeBytes(entrada, e, &motivo)) {
        if (motivo.isEmpty() || !(e == TEnergiaCatalogo{}))
            std::abort();
        return 0;
    }
    if (!ValidaEnergia(e).isEmpty())
        std::abort();
    const QByteArray escrito = EnergiaParaBytes(e);
    TEnergiaCatalogo relido;
    if (!EnergiaDeBytes(escrito, relido, &motivo) || !(relido == e) || EnergiaParaBytes(relido) != escrito)
        std::abort();
    // Every lookup stays within the table and gives a fraction.
    for (double p : {0.0, 0.1, 5.0, 1e9})
        for (int polos : {0, 2, 4, 6, 8})
            if (const double r = RendimentoIE3(e, p, polos); !(r > 0 && r < 1))
                std::abort();
    for (const TLinhaEnergia &l : e.Linhas)
        if (!LinhaEnergia(e, l.Codigo) && !l.Codigo.trimmed().isEmpty())
            std::abort();
    return 0;
}
