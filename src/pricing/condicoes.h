#pragma once
// The quotation's commercial conditions as typed and as stored: the delivery
// term's encoding (shared with the proposal), and what a field that is not a
// number stands for.

#include <QString>

#include <cstdint>

namespace quellora {

// Delivery term as stored: "20/30" is 20 | 30 << 8 = 7700 (the number after
// the slash read from at most 5 characters); "25" is 25; anything that is not
// a number counts 0.
std::int32_t CodificaEntrega(const QString &texto);
// And back: a value above 254 is always a pair ("44/1" for 300).
QString DecodificaEntrega(std::int32_t valor);
// The delivery term as stored, or false (nothing stored) when a half of a
// pair "A/B" is over 255 days (the first half has one byte, and the second
// is kept to the same limit), or a single term over 254 days, which would be
// read back as a pair.
inline constexpr int EntregaMaxima = 255;
inline constexpr int EntregaUnicaMaxima = 254;
bool EntregaDoTexto(const QString &texto, std::int32_t *entrega);

// The freight a quotation starts with: free on board at the maker's works
// ("FOB Dravolin Brum - Guarulhos/SP").
QString FreteFabricante();

// The whole number a field holds, or 'padrao' when it holds none.
int InteiroOu(const QString &texto, int padrao);

// The validity in days: 7 when the field holds no number; false (nothing
// stored) when the number does not fit the quotation's byte (0..255).
inline constexpr int ValidadePadrao = 7;
inline constexpr int ValidadeMaxima = 255;
bool ValidadeDoTexto(const QString &texto, std::uint8_t *validade);

// Packing: 0 included, -1 without packing, n > 0 charged at n %; a field that
// is not a number with no box ticked means without packing.
std::int32_t EmbalagemDe(bool inclusa, bool sem, const QString &texto);

} // namespace quellora
