#pragma once
// A quotation file as readable JSON and back, for scripts and migrations:
//   {"Orcamento": {header fields, "FatoresOrc": {...}, "bruto": base64},
//    "Itens": [{item fields, "bruto": base64}, ...]}
// Field names are the record field names; each item also has "Ventiladores"
// and "PressaoFixa", which the file keeps in its extension block. "bruto"
// carries the record's image, so bytes no field covers survive: an unchanged
// JSON compiles to the very bytes it was shown from, the block included
// (other bytes a file may have after its last item are no part of the
// quotation and are not shown). When compiling, a field
// left out keeps the value "bruto" holds (zero without "bruto"), a double
// written as null (a NaN or an infinity, which JSON cannot write) keeps it
// too, and a record whose fields all equal its "bruto" is written as
// "bruto" byte for byte.

#include "quotation/arquivo_orc.h"

#include <nlohmann/json.hpp>

#include <QByteArray>
#include <QString>

namespace quellora {

nlohmann::ordered_json OrcamentoParaJson(const TArquivoOrc &a);
// The file image of a JSON quotation. Refuses, naming the field, unknown
// fields, values of the wrong kind or out of range, texts longer than their
// field or with characters the file's code page lacks, more than 40 items,
// and a NumItensOrc that differs from the number of items.
[[nodiscard]] bool OrcamentoDeJson(const nlohmann::json &j, QByteArray &imagem, QString *erro);

} // namespace quellora
