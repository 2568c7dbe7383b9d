#pragma once
// What a quotation keeps of its items beyond their fixed records: how many
// fans in parallel share each item's duty and the system's fixed pressure.
// It travels as a block after the last item record, so that the records
// and their offsets stay as they are and a reader of the records alone
// passes over it:
//
//   0   4  "QLXT"
//   4   4  Integer  version (1)
//   8   4  Integer  length L of what follows, up to the check
//   12  L  Integer  number of items n, then per item: Byte fans (1..6),
//                   Double fixed pressure (mmCA, 0 when none)
//   12+L 4 Integer  CRC-32 of bytes 0 .. 12+L−1
//
// The block is written only when some item differs from one fan and no
// fixed pressure, so a quotation that uses neither keeps the plain layout.

#include "quotation/registros.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace quellora {

inline constexpr char MarcaExtensaoOrc[5] = "QLXT";
inline constexpr std::int32_t VersaoExtensaoOrc = 1;
// The longest block of a quotation of 'itens' items.
constexpr std::size_t TamanhoExtensaoOrc(std::size_t itens) { return 12 + 4 + 9 * itens + 4; }

// The block for these items, or nothing when every item has the defaults.
QByteArray ExtensaoParaBytes(const std::vector<TItemOrc> &itens);

// How the bytes after the last record were read.
enum class LeituraExtensao {
    Ausente,   // none, or bytes that are no block (ignored as before)
    Lida,      // the items have their values
    Recusada,  // a damaged block: the items keep the defaults, 'erro' says why
};
// Reads the bytes after the last record into the items' fan count and fixed
// pressure. A refused block leaves every item at one fan and no pressure.
LeituraExtensao ExtensaoDeBytes(const QByteArray &resto, std::vector<TItemOrc> &itens, QString *erro);

} // namespace quellora
