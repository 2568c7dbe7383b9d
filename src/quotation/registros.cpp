#include "quotation/registros.h"

namespace quellora {

namespace {

template <std::size_t N>
void LeBruto(const LeitorBinario &l, std::size_t b, std::array<std::uint8_t, N> &bruto) {
    for (std::size_t i = 0; i < N; ++i)
        bruto[i] = l.byte(b + i);
}

template <std::size_t N>
void GravaBruto(GravadorBinario &g, std::size_t b, const std::array<std::uint8_t, N> &bruto) {
    for (std::size_t i = 0; i < N; ++i)
        g.byte(b + i, bruto[i]);
}

} // namespace

void Le(const LeitorBinario &l, std::size_t b, TOrcamento &r) {
    LeBruto(l, b, r.bruto);
    r.Iniciado = l.boolean(b + 0);
    r.Numero = l.integer(b + 4);
    r.Projeto = l.str(b + 9, 80);
    r.NumOrc = l.str(b + 90, 7);
    for (int j = 0; j <= 5; ++j)
        r.OperadorOrc[j] = l.str(b + 98 + 41 * std::size_t(j), 40);
    r.Cliente = l.str(b + 344, 50);
    r.Endereco = l.str(b + 395, 50);
    r.Cidade_Estado = l.str(b + 446, 40);
    r.email = l.str(b + 487, 40);
    r.Contato = l.str(b + 528, 25);
    r.Fone = l.str(b + 554, 25);
    r.Fax = l.str(b + 580, 25);
    r.Data = l.data(b + 608);
    r.descontoV = l.dbl(b + 616);
    r.descontoM = l.dbl(b + 624);
    r.NumItensOrc = l.integer(b + 632);
    Le(l, b + 636, r.FatoresOrc);
    r.ICMS = l.integer(b + 1036);
    r.Obs1 = l.str(b + 1040, 80);
    r.Obs2 = l.str(b + 1121, 80);
    r.NumAcessEsp = l.integer(b + 1204);
    for (int j = 0; j <= 9; ++j)
        r.AcessEsp[j] = l.str(b + 1208 + 26 * std::size_t(j), 25);
    r.ValorTotalOrc = l.dbl(b + 1468);
}

void Grava(GravadorBinario &g, std::size_t b, const TOrcamento &r) {
    GravaBruto(g, b, r.bruto);
    g.boolean(b + 0, r.Iniciado);
    g.integer(b + 4, r.Numero);
    g.str(b + 9, 80, r.Projeto);
    g.str(b + 90, 7, r.NumOrc);
    for (int j = 0; j <= 5; ++j)
        g.str(b + 98 + 41 * std::size_t(j), 40, r.OperadorOrc[j]);
    g.str(b + 344, 50, r.Cliente);
    g.str(b + 395, 50, r.Endereco);
    g.str(b + 446, 40, r.Cidade_Estado);
    g.str(b + 487, 40, r.email);
    g.str(b + 528, 25, r.Contato);
    g.str(b + 554, 25, r.Fone);
    g.str(b + 580, 25, r.Fax);
    g.data(b + 608, r.Data);
    g.dbl(b + 616, r.descontoV);
    g.dbl(b + 624, r.descontoM);
    g.integer(b + 632, r.NumItensOrc);
    Grava(g, b + 636, r.FatoresOrc);
    g.integer(b + 1036, r.ICMS);
    g.str(b + 1040, 80, r.Obs1);
    g.str(b + 1121, 80, r.Obs2);
    g.integer(b + 1204, r.NumAcessEsp);
    for (int j = 0; j <= 9; ++j)
        g.str(b + 1208 + 26 * std::size_t(j), 25, r.AcessEsp[j]);
    g.dbl(b + 1468, r.ValorTotalOrc);
}

void Le(const LeitorBinario &l, std::size_t b, TItemOrc &r) {
    LeBruto(l, b, r.bruto);
    r.Selecionado = l.boolean(b + 0);
    r.RefTag = l.str(b + 1, 10);
    r.Qtd = l.integer(b + 12);
    r.Descricao = l.str(b + 16, 40);
    r.Arranjo = l.integer(b + 60);
    r.Linha = l.str(b + 64, 4);
    r.IndModelo = l.integer(b + 72);
    r.Posicao = l.str(b + 76, 20);
    r.Configurado = l.boolean(b + 97);
    for (int k = 0; k <= 45; ++k)
        r.AcessSel[k] = l.boolean(b + 100 + std::size_t(k));
    for (int k = 1; k <= 45; ++k)
        r.PrecoAcessorio[k] = l.dbl(b + 148 + 8 * std::size_t(k - 1));
    r.ComMotor = l.boolean(b + 508);
    r.SemMotor = l.boolean(b + 509);
    r.PolosSug = l.integer(b + 512);
    r.MotorIni = l.integer(b + 516);
    r.RegMotor = l.integer(b + 520);
    r.FreqDireto = l.integer(b + 524);
    r.Polos = l.integer(b + 528);
    r.PwOp = l.dbl(b + 532);
    r.PwSt = l.dbl(b + 540);
    r.MotorSugerido = l.dbl(b + 548);
    r.SoSugestao = l.boolean(b + 556);
    r.Tensao = l.str(b + 557, 12);
    r.Frequencia = l.str(b + 570, 5);
    r.Protecao = l.str(b + 576, 9);
    r.ObsMotor = l.str(b + 586, 50);
    r.Marca = l.str(b + 637, 10);
    r.PotMotor = l.dbl(b + 648);
    r.RotMotor = l.integer(b + 656);
    r.Carcaca = l.str(b + 660, 6);
    r.PrecoListaMotor = l.dbl(b + 668);
    r.Vazao = l.dbl(b + 676);
    r.Axial = l.boolean(b + 684);
    r.ComGabinete = l.boolean(b + 685);
    r.ExigeQuadro = l.boolean(b + 686);
    r.Direto = l.boolean(b + 687);
    r.VazaoDireto = l.dbl(b + 688);
    r.IndiceTam = l.integer(b + 696);
    r.PaginaArranjo = l.integer(b + 700);
    r.RegModelo = l.integer(b + 704);
    r.Tamanho = l.integer(b + 708);
    r.RotMax = l.integer(b + 712);
    r.Rotacao = l.integer(b + 716);
    r.Rendimento = l.integer(b + 720);
    r.PressaoDireto = l.dbl(b + 736);
    r.Pressao = l.dbl(b + 744);
    r.PotOp = l.dbl(b + 752);
    r.Pot20 = l.dbl(b + 760);
    r.CorrecaoRend = l.dbl(b + 768);
    r.Temperatura = l.dbl(b + 776);
    r.Altitude = l.dbl(b + 784);
    r.DensidadeItem = l.dbl(b + 792);
    r.VelDescarga = l.dbl(b + 800);
    r.VelPeriferica = l.dbl(b + 808);
    r.PTotal20 = l.dbl(b + 816);
    r.PTotalOp = l.dbl(b + 824);
    r.PEst20 = l.dbl(b + 832);
    r.PrecoVent = l.dbl(b + 840);
    r.PrecoMotor = l.dbl(b + 848);
    r.LwTot = l.dbl(b + 856);
    r.LwA = l.dbl(b + 864);
    r.IndEspectro = l.integer(b + 872);
    r.PrecoAcess = l.dbl(b + 876);
    for (int j = 1; j <= 8; ++j)
        r.LwBanda[j] = l.dbl(b + 884 + 8 * std::size_t(j - 1));
    r.DescTamanho = l.str(b + 948, 10);
    r.TextoModelo = l.str(b + 959, 30);
    for (int j = 0; j <= 9; ++j) {
        r.AcessEspPrecoLista[j] = l.dbl(b + 992 + 16 * std::size_t(j));
        r.AcessEspPreco[j] = l.dbl(b + 1000 + 16 * std::size_t(j));
    }
    r.MotorEspecial = l.boolean(b + 1152);
    r.RegPrecoMotor = l.byte(b + 1153);
    r.GrupoMotor = l.shortInt(b + 1154);
}

void Grava(GravadorBinario &g, std::size_t b, const TItemOrc &r) {
    GravaBruto(g, b, r.bruto);
    g.boolean(b + 0, r.Selecionado);
    g.str(b + 1, 10, r.RefTag);
    g.integer(b + 12, r.Qtd);
    g.str(b + 16, 40, r.Descricao);
    g.integer(b + 60, r.Arranjo);
    g.str(b + 64, 4, r.Linha);
    g.integer(b + 72, r.IndModelo);
    g.str(b + 76, 20, r.Posicao);
    g.boolean(b + 97, r.Configurado);
    for (int k = 0; k <= 45; ++k)
        g.boolean(b + 100 + std::size_t(k), r.AcessSel[k]);
    for (int k = 1; k <= 45; ++k)
        g.dbl(b + 148 + 8 * std::size_t(k - 1), r.PrecoAcessorio[k]);
    g.boolean(b + 508, r.ComMotor);
    g.boolean(b + 509, r.SemMotor);
    g.integer(b + 512, r.PolosSug);
    g.integer(b + 516, r.MotorIni);
    g.integer(b + 520, r.RegMotor);
    g.integer(b + 524, r.FreqDireto);
    g.integer(b + 528, r.Polos);
    g.dbl(b + 532, r.PwOp);
    g.dbl(b + 540, r.PwSt);
    g.dbl(b + 548, r.MotorSugerido);
    g.boolean(b + 556, r.SoSugestao);
    g.str(b + 557, 12, r.Tensao);
    g.str(b + 570, 5, r.Frequencia);
    g.str(b + 576, 9, r.Protecao);
    g.str(b + 586, 50, r.ObsMotor);
    g.str(b + 637, 10, r.Marca);
    g.dbl(b + 648, r.PotMotor);
    g.integer(b + 656, r.RotMotor);
    g.str(b + 660, 6, r.Carcaca);
    g.dbl(b + 668, r.PrecoListaMotor);
    g.dbl(b + 676, r.Vazao);
    g.boolean(b + 684, r.Axial);
    g.boolean(b + 685, r.ComGabinete);
    g.boolean(b + 686, r.ExigeQuadro);
    g.boolean(b + 687, r.Direto);
    g.dbl(b + 688, r.VazaoDireto);
    g.integer(b + 696, r.IndiceTam);
    g.integer(b + 700, r.PaginaArranjo);
    g.integer(b + 704, r.RegModelo);
    g.integer(b + 708, r.Tamanho);
    g.integer(b + 712, r.RotMax);
    g.integer(b + 716, r.Rotacao);
    g.integer(b + 720, r.Rendimento);
    g.dbl(b + 736, r.PressaoDireto);
    g.dbl(b + 744, r.Pressao);
    g.dbl(b + 752, r.PotOp);
    g.dbl(b + 760, r.Pot20);
    g.dbl(b + 768, r.CorrecaoRend);
    g.dbl(b + 776, r.Temperatura);
    g.dbl(b + 784, r.Altitude);
    g.dbl(b + 792, r.DensidadeItem);
    g.dbl(b + 800, r.VelDescarga);
    g.dbl(b + 808, r.VelPeriferica);
    g.dbl(b + 816, r.PTotal20);
    g.dbl(b + 824, r.PTotalOp);
    g.dbl(b + 832, r.PEst20);
    g.dbl(b + 840, r.PrecoVent);
    g.dbl(b + 848, r.PrecoMotor);
    g.dbl(b + 856, r.LwTot);
    g.dbl(b + 864, r.LwA);
    g.integer(b + 872, r.IndEspectro);
    g.dbl(b + 876, r.PrecoAcess);
    for (int j = 1; j <= 8; ++j)
        g.dbl(b + 884 + 8 * std::size_t(j - 1), r.LwBanda[j]);
    g.str(b + 948, 10, r.DescTamanho);
    g.str(b + 959, 30, r.TextoModelo);
    for (int j = 0; j <= 9; ++j) {
        g.dbl(b + 992 + 16 * std::size_t(j), r.AcessEspPrecoLista[j]);
        g.dbl(b + 1000 + 16 * std::size_t(j), r.AcessEspPreco[j]);
    }
    g.boolean(b + 1152, r.MotorEspecial);
    g.byte(b + 1153, r.RegPrecoMotor);
    g.shortInt(b + 1154, r.GrupoMotor);
}

} // namespace quellora
