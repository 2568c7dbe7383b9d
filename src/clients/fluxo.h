#pragma once
// The table stream: the payload of the client file. A signature "TPF0", a
// version, the field definitions, the (empty) index definitions and the
// records, all as tagged values. The writer always writes version 250; the
// reader also takes the older layouts 100, 200, 230 and 249.

#include "clients/tabela.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace quellora {

// x87 80-bit extended: 64-bit significand with explicit integer bit, then
// the 15-bit exponent (bias 16383) and the sign bit, little-endian.
// double -> extended is exact; extended -> double rounds to nearest, ties to
// even (exact whenever the value fits a double).
void DoubleParaExtended(double v, std::uint8_t saida[10]);
double ExtendedParaDouble(const std::uint8_t entrada[10]);

inline constexpr int VersaoFluxoTabela = 250;

// The stream of the whole table, records in the order given.
QByteArray GravaFluxoTabela(const TDadosTabela &tabela);

// Reads a table stream. Stored field definitions, when present, replace
// tabela.Campos; the records read are appended to tabela.Registros. An empty
// stream reads nothing. Errors: "Invalid stream format", "Unknown field type
// (%s)", "Invalid property value", "Stream read error"; the table then holds
// what was read before the error.
[[nodiscard]] bool LeFluxoTabela(const QByteArray &fluxo, TDadosTabela &tabela, QString *erro);

} // namespace quellora
