#pragma once
// The proposal counter "orcnum.dat" in the data folder: a 4-byte
// little-endian integer holding the next number to hand out. Several copies
// of the program may share the folder over the network; every read and
// write of the counter happens under a lock file beside it (trava.h), so no
// number is handed out twice.

#include <QString>

#include <cstdint>
#include <functional>

namespace quellora {

inline constexpr const char *ArqContador = "orcnum.dat";
inline constexpr const char *ArqTravaContador = "orcnum.lck";
// How long a save waits for another program to finish its numbering.
inline constexpr int EsperaContadorMs = 15000;

// The next number: 1 when the counter does not exist (it is created holding
// 2), otherwise the stored value, which then advances by one. Numbers for
// which 'ocupado' holds (their quotation exists already) are passed over.
[[nodiscard]] bool ProximoNumero(const QString &dirDados, std::int32_t &numero, QString *erro,
                                 const std::function<bool(std::int32_t)> &ocupado = {});

// How many taken numbers a new number passes over at most: the number text
// keeps four digits, so past that the names come round again.
inline constexpr int MaxNumerosOcupados = 10000;

// The number typed in the save dialog (NumeroDoTexto). The counter is
// created when missing (holding 1) and moves just past the typed number
// when that is not below it, so the next automatic number never repeats it.
[[nodiscard]] bool UsaNumero(const QString &dirDados, const QString &texto, std::int32_t &numero, QString *erro);

// The first four characters read as a whole number ("0050/99" gives 50);
// 0 when they are not one.
int NumeroDoTexto(const QString &texto);

// The quotation number text: the last four digits of the number, a slash
// and the two-digit year of the date (12 in 2003 gives "0012/03", 12345
// gives "2345/03").
QString TextoNumOrc(std::int32_t numero, double data);

} // namespace quellora
