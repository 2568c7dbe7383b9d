// Fuzz target: the reader of the SMTP server's replies.
//
// The input is what a server sends, cut into pieces whose sizes come from
// the input itself. Read piece by piece or whole, it must give the same
// replies and the same verdict; every reply has a three-digit code.

#include "mail/smtp.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

struct Leitura {
    bool ok = true;
    QList<quellora::RespostaSmtp> respostas;
};

Leitura Le(const QByteArray &fluxo, std::size_t passo) {
    quellora::LeitorRespostasSmtp leitor;
    Leitura l;
    QString erro;
    for (qsizetype i = 0; i < fluxo.size() && l.ok; i += static_cast<qsizetype>(passo)) {
        l.ok = leitor.Acrescenta(fluxo.mid(i, static_cast<qsizetype>(passo)), l.respostas, &erro);
        if (!l.ok && erro.isEmpty())
            std::abort();
    }
    return l;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dados, std::size_t tamanho) {
    if (tamanho < 1)
        return 0;
    const std::size_t passo = dados[0] % 16 + 1;
    const QByteArray fluxo(reinterpret_cast<const char *>(dados + 1), static_cast<qsizetype>(tamanho - 1));
    const Leitura inteira = Le(fluxo, fluxo.size() + 1);
    const Leitura pedacos = Le(fluxo, passo);
    if (inteira.ok != pedacos.ok)
        std::abort();
    if (!inteira.ok)
        return 0;
    if (inteira.respostas.size() != pedacos.respostas.size())
        std::abort();
    for (qsizetype i = 0; i < inteira.respostas.size(); ++i) {
        const quellora::RespostaSmtp &a = inteira.respostas[i];
        const quellora::RespostaSmtp &b = pedacos.respostas[i];
        if (a.Codigo != b.Codigo || a.Linhas != b.Linhas || a.Codigo < 0 || a.Codigo > 999 || a.Linhas.isEmpty())
            std::abort();
    }
    return 0;
}
