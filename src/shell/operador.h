#pragma once
// The operator's profile, "dadope.dat" in the data directory: one record of
// 287 bytes, seven Str[40] fields (name, address, city and state, phone and
// fax, e-mail, contact person, representative). The representative keeps 20
// characters.

#include "catalogue/binario.h"

#include <QByteArray>
#include <QString>

namespace quellora {

inline constexpr const char *ArqOperador = "dadope.dat";
inline constexpr std::size_t TamanhoOperador = 287;
inline constexpr int CamposOperador = 7;
// Characters kept by each field, in field order.
inline constexpr int MaxCampoOperador[CamposOperador] = {40, 40, 40, 40, 40, 40, 20};

using TOperador = Faixa<QString, 0, 6>;

// The profile as the fields keep it: each text cut to its field's length.
TOperador CortaOperador(const TOperador &op);

// The 287-byte image; bytes past each text are zero.
QByteArray OperadorParaBytes(const TOperador &op);
// Reads the first 287 bytes of 'dados' (which must hold at least that many).
TOperador OperadorDeBytes(const QByteArray &dados);

// Loads the profile into the shared Operador. A data directory without the
// file is a fresh installation: the profile is empty and the load succeeds.
// A file that exists but cannot be read, or is shorter than one record, is
// refused with a message naming it (Operador is then left empty).
[[nodiscard]] bool CarregaOperador(const QString &dirDados, QString *erro = nullptr);

// Writes the shared Operador to the file (created or replaced whole).
[[nodiscard]] bool GravaOperador(const QString &dirDados, QString *erro = nullptr);

} // namespace quellora
