// Fuzz target: the mail connection settings reader ("conexaoemail.json").
//
// Any input is read as the file. An accepted one holds only values in range,
// and what it writes reads back as the same settings, written alike.

#include "mail/conexaoemail.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    using namespace quellora;
    const QByteArray entrada(reinterpret_cast<const char *>(dados), static_cast<qsizetype>(tamanho));
    TConexaoEmail c;
    QString erro;
    if (!ConexaoEmailDeBytes(entrada, c, &erro)) {
        if (erro.isEmpty() || !(c == TConexaoEmail{}))
            std::abort();
        return 0;
    }
    if (!ValidaConexaoEmail(c).isEmpty())
        std::abort();
    const QByteArray escrito = ConexaoEmailParaBytes(c);
    TConexaoEmail relido;
    if (!ConexaoEmailDeBytes(escrito, relido, &erro) || ConexaoEmailParaBytes(relido) != escrito ||
        relido.Porta != c.Porta || relido.Seguranca != c.Seguranca || relido.Usuario != c.Usuario ||
        relido.Certificado != c.Certificado)
        std::abort();
    return 0;
}
