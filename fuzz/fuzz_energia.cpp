// Fuzz target: the reader of the catalogue's energy data ("dadefi.dat").
//
// Any input is read as the file, as it is and with its checksum set right.
// A refused one gives a reason and leaves the data as they were; an accepted
// one holds only valid values, and what it writes reads back as the same
// data, written alike.

#include "catalogue/energia.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace quellora;

void Confere(const QByteArray &entrada) {
    TEnergiaCatalogo e;
    QString motivo;
    if (!EnergiaDeBytes(entrada, e, &motivo)) {
        if (motivo.isEmpty() || !(e == TEnergiaCatalogo{}))
            std::abort();
        return;
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    QByteArray entrada(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    Confere(entrada);
    // Again with the checksum made right, so that the checks behind it are
    // reached too.
    if (entrada.size() >= 4) {
        const qsizetype fim = entrada.size() - 4;
        GravadorBinario(entrada).integer(static_cast<std::size_t>(fim),
                                         qChecksum(QByteArrayView(entrada.constData(), fim), Qt::ChecksumItuV41));
        Confere(entrada);
    }
    return 0;
}
