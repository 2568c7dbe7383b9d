#pragma once
// The quotation file: the header record followed by the items, nothing else
// (1716 + 1364 × n bytes, n = NumItensOrc, 0 to 40). These functions work on
// images and paths only; the operations on the quotation being edited
// (GravaArquivo, LeArquivo) are built on them.

#include "quotation/registros.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace quellora {

struct TArquivoOrc {
    TOrcamento Orcamento;
    std::vector<TItemOrc> Itens; // items 1..n in order
};

// "0012/03" -> "0012_03.orc": the fifth character becomes "_".
QString NomeArquivoOrc(const QString &numOrc);

// The file image. NumItensOrc is written as the number of items given, so
// the image always says how long it is.
QByteArray ArquivoOrcParaBytes(const TArquivoOrc &a);
// Whether an image of 'tamanho' bytes beginning with 'cabecalho' (its first
// 1716 bytes or fewer) is a whole quotation: a header, a count of 0 to 40
// items and room for them. When not, 'detalhe' says what is wrong.
bool ImagemOrcInteira(const QByteArray &cabecalho, qint64 tamanho, QString *detalhe = nullptr);

// Reads an image. Refuses an image shorter than a header, announcing more
// than 40 items or a negative count, or shorter than its items, saying in
// plain words that 'nome' is damaged or is no quotation, with the detail on
// a second line; 'a' is untouched then. Bytes past the last item are
// ignored, as a reader of the records would.
[[nodiscard]] bool ArquivoOrcDeBytes(const QByteArray &dados, const QString &nome, TArquivoOrc &a, QString *erro);

// Whole-file read and atomic write (a failed write leaves the old file).
[[nodiscard]] bool LeArquivoOrc(const QString &caminho, TArquivoOrc &a, QString *erro);
[[nodiscard]] bool GravaArquivoOrc(const QString &caminho, const TArquivoOrc &a, QString *erro);

} // namespace quellora
