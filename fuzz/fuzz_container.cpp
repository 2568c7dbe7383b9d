// Fuzz target: the client file's container.
//
// Any input is read as a container (it must never crash, hang or allocate
// beyond what its size allows; a payload it accepts must parse or fail
// cleanly as a table stream), and is also compressed and decompressed back,
// which must give the same bytes.

#include "clients/fluxo.h"
#include "clients/lzh.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    const QByteArray entrada(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));

    QByteArray payload;
    QString erro;
    if (quellora::DescompactaContainer(entrada, payload, &erro)) {
        quellora::TDadosTabela tabela;
        (void)quellora::LeFluxoTabela(payload, tabela, &erro);
    } else if (erro.isEmpty()) {
        std::abort(); // a refusal always says why
    }

    const QByteArray container = quellora::CompactaContainer(entrada);
    QByteArray volta;
    if (!quellora::DescompactaContainer(container, volta, &erro) || volta != entrada)
        std::abort();
    return 0;
}
