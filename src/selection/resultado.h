#pragma once
// Per-size result table of the operating-point calculation.

#include "catalogue/binario.h"

#include <QString>

namespace quellora {

struct TResultadoGrade {
    Faixa<QString, 1, 23> ArranjosTam;      // admissible arrangements, "1/3/9/4", Str[10]
    std::int32_t ArranjoTeste = 0;
    std::int32_t NumQualificados = 0;
    double VazaoEntrada = 0;                // m³/h per inlet
    double PressaoPadrao = 0;               // mmCA at 1.205 kg/m³
    Faixa<bool, 1, 23> Qualificado;
    Faixa<double, 1, 23> AreaEntrada;
    Faixa<double, 1, 23> Velocidade;
    Faixa<double, 1, 23> PTotalPadrao;
    Faixa<double, 1, 23> PTotalReal;
    Faixa<double, 1, 23> X;
    Faixa<double, 1, 23> Y;
    Faixa<double, 1, 23> RotBase;
    Faixa<double, 1, 23> RotacaoTam;
    Faixa<double, 1, 23> RotMaxArr;
    Faixa<double, 1, 23> DescontoRend;
    Faixa<double, 1, 23> RendTam;
    Faixa<double, 1, 23> PotOpTam;
    Faixa<double, 1, 23> PotPadraoTam;
    Faixa<double, 1, 23> PotMotorTam;
    Faixa<double, 1, 23> LwTotTam;
    Faixa<double, 1, 23> LwATam;
    Faixa<std::int32_t, 1, 23> IndEspectroTam;
    Faixa<std::int32_t, 1, 23> MotorTam;
    Faixa<std::int32_t, 1, 23> PolosTam;
    Faixa<std::int32_t, 1, 23> RotMotorTam;
};

} // namespace quellora
