#pragma once
// A quotation with every byte in use: header and items filled from a byte
// pattern (unused bytes included), passed once through the record writer so
// that it is an image the program itself could have written.

#include "quotation/arquivo_orc.h"
#include "quotation/orcamento.h"

namespace quellora::teste {

inline TArquivoOrc OrcamentoCheio(int itens = MaxItens) {
    QByteArray b(static_cast<qsizetype>(TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * itens), '\0');
    for (qsizetype i = 0; i < b.size(); ++i)
        b[i] = static_cast<char>((i * 7 + i / 1716 + 3) & 0xFF);
    GravadorBinario(b).integer(632, itens);
    // Counted texts are read within their capacity; one pass through the
    // writer makes the image one that reads back as itself.
    TArquivoOrc a;
    a.Orcamento = DeBytes<TOrcamento>(b);
    for (int k = 0; k < itens; ++k)
        a.Itens.push_back(DeBytes<TItemOrc>(b, TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * k));
    TArquivoOrc c;
    (void)ArquivoOrcDeBytes(ArquivoOrcParaBytes(a), QStringLiteral("cheio"), c, nullptr);
    return c;
}

} // namespace quellora::teste
