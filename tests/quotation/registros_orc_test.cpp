// The quotation records are the quotation file format: every field at its
// offset, and bytes that no field covers carried through unchanged.

#include "quotation/registros.h"

#include "imagem_bytes.h"

#include <gtest/gtest.h>

#include <QByteArray>

using namespace quellora;
using namespace quellora::teste;

namespace {
} // namespace

TEST(RegistroOrcamento, CabecalhoNasPosicoes) {
    TOrcamento o;
    o.Iniciado = true;
    o.Numero = 12;
    o.Projeto = QStringLiteral("Exaustão da cabine de pintura");
    o.NumOrc = QStringLiteral("0012/03");
    for (int j = 0; j <= 5; ++j)
        o.OperadorOrc[j] = QStringLiteral("op%1").arg(j);
    o.Cliente = QStringLiteral("Metalúrgica Andrade");
    o.Endereco = QStringLiteral("Rua A, 1");
    o.Cidade_Estado = QStringLiteral("Campinas/SP");
    o.email = QStringLiteral("compras@andrade.com.br");
    o.Contato = QStringLiteral("Sr. João");
    o.Fone = QStringLiteral("19 3200-0000");
    o.Fax = QStringLiteral("19 3200-0001");
    o.Data = 37634.5;
    o.descontoV = 5;
    o.descontoM = 3;
    o.NumItensOrc = 3;
    o.FatoresOrc.FatorVent[2] = 1.25;
    o.FatoresOrc.Pagamento = QStringLiteral("30/60 dias");
    o.FatoresOrc.Frete = QStringLiteral("CIF");
    o.FatoresOrc.Validade = 10;
    o.FatoresOrc.IPI = 5;
    o.FatoresOrc.Embalagem = -1;
    o.FatoresOrc.Entrega = 45;
    o.ICMS = -1;
    o.Obs1 = QStringLiteral("obs um");
    o.Obs2 = QStringLiteral("obs dois");
    o.NumAcessEsp = 2;
    o.AcessEsp[0] = QStringLiteral("Tela especial");
    o.AcessEsp[9] = QStringLiteral("Último");
    o.ValorTotalOrc = 12345.67;

    const QByteArray b = ParaBytes(o);
    ASSERT_EQ(b.size(), 1716);
    EXPECT_EQ(Byte(b, 0), 1);
    EXPECT_EQ(Int(b, 4), 12);
    EXPECT_EQ(Str(b, 9, 80), o.Projeto);
    EXPECT_EQ(Str(b, 90, 7), QStringLiteral("0012/03"));
    EXPECT_EQ(Str(b, 98, 40), QStringLiteral("op0"));
    EXPECT_EQ(Str(b, 98 + 41 * 5, 40), QStringLiteral("op5"));
    EXPECT_EQ(Str(b, 344, 50), o.Cliente);
    EXPECT_EQ(Str(b, 395, 50), o.Endereco);
    EXPECT_EQ(Str(b, 446, 40), o.Cidade_Estado);
    EXPECT_EQ(Str(b, 487, 40), o.email);
    EXPECT_EQ(Str(b, 528, 25), o.Contato);
    EXPECT_EQ(Str(b, 554, 25), o.Fone);
    EXPECT_EQ(Str(b, 580, 25), o.Fax);
    EXPECT_DOUBLE_EQ(Dbl(b, 608), 37634.5);
    EXPECT_DOUBLE_EQ(Dbl(b, 616), 5);
    EXPECT_DOUBLE_EQ(Dbl(b, 624), 3);
    EXPECT_EQ(Int(b, 632), 3);
    EXPECT_DOUBLE_EQ(Dbl(b, 712 + 8 * 2), 1.25); // FatorVent[2] at 712 + 8k
    EXPECT_EQ(Str(b, 880, 80), QStringLiteral("30/60 dias"));
    EXPECT_EQ(Str(b, 961, 59), QStringLiteral("CIF"));
    EXPECT_EQ(Byte(b, 1021), 10);
    EXPECT_EQ(Int(b, 1024), 5);
    EXPECT_EQ(Int(b, 1028), -1);
    EXPECT_EQ(Int(b, 1032), 45);
    EXPECT_EQ(Int(b, 1036), -1);
    EXPECT_EQ(Str(b, 1040, 80), QStringLiteral("obs um"));
    EXPECT_EQ(Str(b, 1121, 80), QStringLiteral("obs dois"));
    EXPECT_EQ(Int(b, 1204), 2);
    EXPECT_EQ(Str(b, 1208, 25), QStringLiteral("Tela especial"));
    EXPECT_EQ(Str(b, 1208 + 26 * 9, 25), QStringLiteral("Último"));
    EXPECT_DOUBLE_EQ(Dbl(b, 1468), 12345.67);

    TOrcamento lido = DeBytes<TOrcamento>(b);
    EXPECT_EQ(lido.Projeto, o.Projeto);
    EXPECT_EQ(lido.FatoresOrc.Entrega, 45);
    EXPECT_EQ(ParaBytes(lido), b);
}

TEST(RegistroOrcamento, ItemNasPosicoes) {
    TItemOrc it;
    it.Selecionado = true;
    it.RefTag = QStringLiteral("VE-01");
    it.Qtd = 4;
    it.Descricao = QStringLiteral("Exaustor do forno");
    it.Arranjo = 3;
    it.Linha = QStringLiteral("BSD");
    it.IndModelo = 2;
    it.Posicao = QStringLiteral("RD 90°/BR 0°");
    it.Configurado = true;
    it.AcessSel[0] = true;
    it.AcessSel[45] = true;
    it.PrecoAcessorio[1] = 10;
    it.PrecoAcessorio[45] = 450;
    it.ComMotor = true;
    it.SemMotor = true;
    it.PolosSug = 2;
    it.MotorIni = 7;
    it.RegMotor = 9;
    it.FreqDireto = 1;
    it.Polos = 4;
    it.PwOp = 1.1;
    it.PwSt = 1.2;
    it.MotorSugerido = 1.5;
    it.SoSugestao = true;
    it.Tensao = QStringLiteral("220/380 V");
    it.Frequencia = QStringLiteral("60 Hz");
    it.Protecao = QStringLiteral("IP55");
    it.ObsMotor = QStringLiteral("obs");
    it.Marca = QStringLiteral("WEG");
    it.PotMotor = 2.2;
    it.RotMotor = 1745;
    it.Carcaca = QStringLiteral("100L");
    it.PrecoListaMotor = 900;
    it.Vazao = 10000;
    it.Axial = true;
    it.ComGabinete = true;
    it.ExigeQuadro = true;
    it.Direto = true;
    it.VazaoDireto = 9800;
    it.IndiceTam = 13;
    it.PaginaArranjo = 1;
    it.RegModelo = 2;
    it.Tamanho = 630;
    it.RotMax = 2200;
    it.Rotacao = 1012;
    it.Rendimento = 81;
    it.PressaoDireto = 48;
    it.Pressao = 50;
    it.PotOp = 1.95;
    it.Pot20 = 1.96;
    it.CorrecaoRend = -0.4;
    it.Temperatura = 20;
    it.Altitude = 760;
    it.DensidadeItem = 1.205;
    it.VelDescarga = 9.5;
    it.VelPeriferica = 33.4;
    it.PTotal20 = 55.5;
    it.PTotalOp = 55.4;
    it.PEst20 = 50.1;
    it.PrecoVent = 5000;
    it.PrecoMotor = 800;
    it.LwTot = 92;
    it.LwA = 88;
    it.IndEspectro = 38;
    it.PrecoAcess = 321;
    for (int j = 1; j <= 8; ++j)
        it.LwBanda[j] = 70 + j;
    it.DescTamanho = QStringLiteral("1/3/9/4");
    it.TextoModelo = QStringLiteral("BSD - LIMIT-LOAD");
    for (int j = 0; j <= 9; ++j) {
        it.AcessEspPrecoLista[j] = 100 + j;
        it.AcessEspPreco[j] = 200 + j;
    }
    it.MotorEspecial = true;
    it.RegPrecoMotor = 3;
    it.GrupoMotor = -1;

    const QByteArray b = ParaBytes(it);
    ASSERT_EQ(b.size(), 1364);
    EXPECT_EQ(Byte(b, 0), 1);
    EXPECT_EQ(Str(b, 1, 10), QStringLiteral("VE-01"));
    EXPECT_EQ(Int(b, 12), 4);
    EXPECT_EQ(Str(b, 16, 40), QStringLiteral("Exaustor do forno"));
    EXPECT_EQ(Int(b, 60), 3);
    EXPECT_EQ(Str(b, 64, 4), QStringLiteral("BSD"));
    EXPECT_EQ(Int(b, 72), 2);
    EXPECT_EQ(Str(b, 76, 20), QStringLiteral("RD 90°/BR 0°"));
    EXPECT_EQ(Byte(b, 97), 1);
    EXPECT_EQ(Byte(b, 100), 1);
    EXPECT_EQ(Byte(b, 101), 0);
    EXPECT_EQ(Byte(b, 145), 1);
    EXPECT_DOUBLE_EQ(Dbl(b, 148), 10);
    EXPECT_DOUBLE_EQ(Dbl(b, 148 + 8 * 44), 450);
    EXPECT_EQ(Byte(b, 508), 1);
    EXPECT_EQ(Byte(b, 509), 1);
    EXPECT_EQ(Int(b, 512), 2);
    EXPECT_EQ(Int(b, 516), 7);
    EXPECT_EQ(Int(b, 520), 9);
    EXPECT_EQ(Int(b, 524), 1);
    EXPECT_EQ(Int(b, 528), 4);
    EXPECT_DOUBLE_EQ(Dbl(b, 532), 1.1);
    EXPECT_DOUBLE_EQ(Dbl(b, 540), 1.2);
    EXPECT_DOUBLE_EQ(Dbl(b, 548), 1.5);
    EXPECT_EQ(Byte(b, 556), 1);
    EXPECT_EQ(Str(b, 557, 12), QStringLiteral("220/380 V"));
    EXPECT_EQ(Str(b, 570, 5), QStringLiteral("60 Hz"));
    EXPECT_EQ(Str(b, 576, 9), QStringLiteral("IP55"));
    EXPECT_EQ(Str(b, 586, 50), QStringLiteral("obs"));
    EXPECT_EQ(Str(b, 637, 10), QStringLiteral("WEG"));
    EXPECT_DOUBLE_EQ(Dbl(b, 648), 2.2);
    EXPECT_EQ(Int(b, 656), 1745);
    EXPECT_EQ(Str(b, 660, 6), QStringLiteral("100L"));
    EXPECT_DOUBLE_EQ(Dbl(b, 668), 900);
    EXPECT_DOUBLE_EQ(Dbl(b, 676), 10000);
    EXPECT_EQ(Byte(b, 684), 1);
    EXPECT_EQ(Byte(b, 685), 1);
    EXPECT_EQ(Byte(b, 686), 1);
    EXPECT_EQ(Byte(b, 687), 1);
    EXPECT_DOUBLE_EQ(Dbl(b, 688), 9800);
    EXPECT_EQ(Int(b, 696), 13);
    EXPECT_EQ(Int(b, 700), 1);
    EXPECT_EQ(Int(b, 704), 2);
    EXPECT_EQ(Int(b, 708), 630);
    EXPECT_EQ(Int(b, 712), 2200);
    EXPECT_EQ(Int(b, 716), 1012);
    EXPECT_EQ(Int(b, 720), 81);
    EXPECT_DOUBLE_EQ(Dbl(b, 736), 48);
    EXPECT_DOUBLE_EQ(Dbl(b, 744), 50);
    EXPECT_DOUBLE_EQ(Dbl(b, 752), 1.95);
    EXPECT_DOUBLE_EQ(Dbl(b, 760), 1.96);
    EXPECT_DOUBLE_EQ(Dbl(b, 768), -0.4);
    EXPECT_DOUBLE_EQ(Dbl(b, 776), 20);
    EXPECT_DOUBLE_EQ(Dbl(b, 784), 760);
    EXPECT_DOUBLE_EQ(Dbl(b, 792), 1.205);
    EXPECT_DOUBLE_EQ(Dbl(b, 800), 9.5);
    EXPECT_DOUBLE_EQ(Dbl(b, 808), 33.4);
    EXPECT_DOUBLE_EQ(Dbl(b, 816), 55.5);
    EXPECT_DOUBLE_EQ(Dbl(b, 824), 55.4);
    EXPECT_DOUBLE_EQ(Dbl(b, 832), 50.1);
    EXPECT_DOUBLE_EQ(Dbl(b, 840), 5000);
    EXPECT_DOUBLE_EQ(Dbl(b, 848), 800);
    EXPECT_DOUBLE_EQ(Dbl(b, 856), 92);
    EXPECT_DOUBLE_EQ(Dbl(b, 864), 88);
    EXPECT_EQ(Int(b, 872), 38);
    EXPECT_DOUBLE_EQ(Dbl(b, 876), 321);
    EXPECT_DOUBLE_EQ(Dbl(b, 884), 71);
    EXPECT_DOUBLE_EQ(Dbl(b, 884 + 8 * 7), 78);
    EXPECT_EQ(Str(b, 948, 10), QStringLiteral("1/3/9/4"));
    EXPECT_EQ(Str(b, 959, 30), QStringLiteral("BSD - LIMIT-LOAD"));
    EXPECT_DOUBLE_EQ(Dbl(b, 992), 100);
    EXPECT_DOUBLE_EQ(Dbl(b, 1000), 200);
    EXPECT_DOUBLE_EQ(Dbl(b, 992 + 16 * 9), 109);
    EXPECT_DOUBLE_EQ(Dbl(b, 1000 + 16 * 9), 209);
    EXPECT_EQ(Byte(b, 1152), 1);
    EXPECT_EQ(Byte(b, 1153), 3);
    EXPECT_EQ(Byte(b, 1154), 0xFF);
    for (std::size_t off : {57, 58, 59, 69, 71, 98, 99, 146, 147, 510, 511, 667, 724, 735, 990, 991, 1155, 1363})
        EXPECT_EQ(Byte(b, off), 0) << off;

    TItemOrc lido = DeBytes<TItemOrc>(b);
    EXPECT_EQ(lido.GrupoMotor, -1);
    EXPECT_EQ(ParaBytes(lido), b);
}

TEST(RegistroOrcamento, BytesSemCampoSobrevivemALeituraEGravacao) {
    QByteArray cab(1716, '\0'), item(1364, '\0');
    for (int i = 0; i < cab.size(); ++i)
        cab[i] = static_cast<char>(i * 7 + 3);
    for (int i = 0; i < item.size(); ++i)
        item[i] = static_cast<char>(i * 13 + 5);
    // Counted texts must stay within their fields for the image to be valid
    // as read; a length byte above the capacity reads as the capacity and is
    // written back as it.
    TOrcamento o = DeBytes<TOrcamento>(cab);
    TItemOrc it = DeBytes<TItemOrc>(item);
    QByteArray cab2 = ParaBytes(o), item2 = ParaBytes(it);
    for (std::size_t off : {1, 2, 3, 8, 606, 607, 1202, 1203, 1476, 1600, 1715})
        EXPECT_EQ(cab2[static_cast<qsizetype>(off)], cab[static_cast<qsizetype>(off)]) << off;
    for (std::size_t off : {57, 58, 59, 69, 70, 71, 98, 99, 146, 147, 510, 511, 667, 724, 730, 735, 990, 991, 1155, 1300, 1363})
        EXPECT_EQ(item2[static_cast<qsizetype>(off)], item[static_cast<qsizetype>(off)]) << off;
    // A second pass changes nothing more.
    EXPECT_EQ(ParaBytes(DeBytes<TOrcamento>(cab2)), cab2);
    EXPECT_EQ(ParaBytes(DeBytes<TItemOrc>(item2)), item2);
}

TEST(RegistroOrcamento, TextosCortadosNaCapacidade) {
    TItemOrc it;
    it.RefTag = QStringLiteral("ABCDEFGHIJKL");
    it.Descricao = QString(45, QLatin1Char('d'));
    const TItemOrc lido = DeBytes<TItemOrc>(ParaBytes(it));
    EXPECT_EQ(lido.RefTag, QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(lido.Descricao, QString(40, QLatin1Char('d')));
}
