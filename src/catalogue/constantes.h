#pragma once
// Fixed tables of every fan line: the 23 sizes, the drive arrangements and
// the octave bands.

#include "catalogue/binario.h"

#include <QString>

namespace quellora {

// Size numbers, equal to the nominal impeller diameter in mm (index 1..23).
extern const Faixa<int, 1, 23> Tamanhos;

// Drive-arrangement designations (index 0..8); index 3, "4", is direct coupling.
extern const Faixa<const char *, 0, 8> Arranjos;
constexpr int ArranjoDireto = 3;

// Octave bands of every spectrum (index 1..8).
extern const Faixa<const char *, 1, 8> Bandas;

// Size index of a size number, or 0 when it is not one of the 23.
int IndiceDoTamanho(int tamanho);

// Arrangement index of a designation, or -1.
int IndiceDoArranjo(const QString &designacao);

} // namespace quellora
