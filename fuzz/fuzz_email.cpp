// Fuzz target: the e-mail settings reader ("dadmai.dat").
//
// Any input is read as the file. A short one gives the empty record; a
// longer one is read, written back and read again, which must give the same
// record, and the written image differs from the file only in length bytes
// beyond a field's 50 characters.

#include "mail/dadosemail.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    using namespace quellora;
    const QByteArray entrada(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    const TDadosEmail d = DadosEmailDeBytes(entrada);
    if (tamanho < TamanhoDadosEmail) {
        if (!(d == TDadosEmail{}))
            std::abort();
        return 0;
    }
    const QByteArray escrito = DadosEmailParaBytes(d);
    if (escrito.size() != static_cast<qsizetype>(TamanhoDadosEmail))
        std::abort();
    const TDadosEmail relido = DadosEmailDeBytes(escrito);
    if (relido.NomeRemetente != d.NomeRemetente || relido.EmailRemetente != d.EmailRemetente ||
        relido.ServidorSMTP != d.ServidorSMTP)
        std::abort();
    for (qsizetype i = 0; i < escrito.size(); ++i) {
        const bool comprimento = i == 0 || i == 51 || i == 102;
        const auto original = static_cast<std::uint8_t>(entrada[i]);
        const auto novo = static_cast<std::uint8_t>(escrito[i]);
        if (comprimento ? novo != (original > 50 ? 50 : original) : novo != original)
            std::abort();
    }
    return 0;
}
