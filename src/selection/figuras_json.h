#pragma once
// The system, sound and warning figures as JSON, for the command line:
// numbers with the dot, a value JSON cannot hold (no spectrum, no permitted
// exposure, a point off the fan's curve) as null.

#include "selection/sistema.h"

#include <nlohmann/json.hpp>

namespace quellora {

// LwTotal, LwA, LpBandas (8), LpA, ExposicaoNR15 (minutes or null).
nlohmann::ordered_json RuidoJson(const TRuido &r);
// Rotacao, Ventiladores, PressaoFixa, K, Pontos (n = N and N − 1), Curva (the
// curve of the N fans together) and Avisos.
nlohmann::ordered_json SistemaJson(const TFiguras &f, double pressaoFixa);
// What a size of the selection adds: LwBandas, LpA, ExposicaoNR15, Avisos.
nlohmann::ordered_json FigurasDoTamanhoJson(const TFiguras &f);

} // namespace quellora
