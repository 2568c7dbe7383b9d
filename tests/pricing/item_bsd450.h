#pragma once
// An item of the sample catalogue at old prices, for the price update tests:
// BSD 450 in arrangement "1" (list position 0), a 4-pole motor of row 10 of
// group 1, the accessories MM ("INC."), PREC and PC chosen. Its current
// prices: fan 7210, motor 1750 (2 poles 1830), PREC 550, PC 370.

#include "quotation/registros.h"

namespace quellora::teste {

inline TItemOrc ItemBSD450() {
    TItemOrc it;
    it.Selecionado = true;
    it.Qtd = 1;
    it.Linha = QStringLiteral("BSD");
    it.Arranjo = 1;
    it.Tamanho = 450;
    it.IndiceTam = 10;
    it.ComMotor = true;
    it.GrupoMotor = 0;
    it.RegMotor = 10;
    it.Polos = 4;
    it.PrecoVent = 1234;
    it.PrecoMotor = it.PrecoListaMotor = 99;
    it.AcessSel[1] = it.AcessSel[2] = it.AcessSel[3] = true; // MM, PREC, PC
    return it;
}

} // namespace quellora::teste
