#pragma once
// The catalogue as readable JSON, compiled into the seven binary files of the
// data directory (and the energy data file, catalogue/energia.h, when the
// source has the IE3 table "rendimento_motores") and shown back from them.
//
// The shown form is canonical: every field of every record, under the record
// field names. A source may also use these shorter forms, which the compiler
// expands:
//  - "motores": groups of up to 35 motors; missing slots are empty (zero).
//  - "acessorios": up to 45; missing records are empty.
//  - a line's "AcessArranjo" entry per arrangement: 45 booleans, or the
//    text "todos" or "nenhum".
//  - "precos_modelos" entries with "PrecoVent" and "PrecoAcess" given by
//    arrangement designation and accessory code (see fonte.cpp).

#include <nlohmann/json.hpp>

#include <QString>

namespace quellora {

// Writes dadmod, denmod, dadmot, dadace, dadfat, premod and premot into 'dir',
// and dadefi when the source has energy data (removing an older one when not).
[[nodiscard]] bool CompilaCatalogo(const nlohmann::json &fonte, const QString &dir, QString *erro);
// Reads the seven files of 'dir' (and dadefi when present) back into the
// canonical form.
[[nodiscard]] bool MostraCatalogo(const QString &dir, nlohmann::json &saida, QString *erro);

} // namespace quellora
