#pragma once
// Reading fields out of a record image in tests, by offset.

#include "catalogue/binario.h"

#include <QByteArray>

namespace quellora::teste {

inline double Dbl(const QByteArray &b, std::size_t off) { return LeitorBinario(b).dbl(off); }
inline std::int32_t Int(const QByteArray &b, std::size_t off) { return LeitorBinario(b).integer(off); }
inline QString Str(const QByteArray &b, std::size_t off, int n) { return LeitorBinario(b).str(off, n); }
inline std::uint8_t Byte(const QByteArray &b, std::size_t off) { return LeitorBinario(b).byte(off); }

} // namespace quellora::teste
