// The quotation records are the quotation file format: every field at its
// offset, and bytes that no field covers carried through unchanged.

#include "quotation/registros.h"

#include "imagem_bytes.h"

#include <gtest/gtest.h>

#include <QByteArray>

using namespace quellora;
using namespace quellora::teste;

TEST(RegistroOrcamento, CabecalhoNasPosicoes) {
    TOrcamento o{.Iniciado = true, .Numero = 12, .Projeto = "Exaustão da cabine de pintura", .NumOrc = "0012/03",
                 .Cliente = "Metalúrgica Andrade", .Endereco = "Rua A, 1", .Cidade_Estado = "Campinas/SP",
                 .email = "compras@andrade.com.br", .Contato = "Sr. João", .Fone = "19 3200-0000", .Fax = "19 3200-0001",
                 .Data = 37634.5, .descontoV = 5, .descontoM = 3, .NumItensOrc = 3, .ICMS = -1, .Obs1 = "obs um",
                 .Obs2 = "obs dois", .NumAcessEsp = 2, .ValorTotalOrc = 12345.67};
    for (int j = 0; j <= 5; ++j)
        o.OperadorOrc[j] = QStringLiteral("op%1").arg(j);
    auto &f = o.FatoresOrc;
    f.FatorVent[2] = 1.25;
    f.Pagamento = "30/60 dias";
    f.Frete = "CIF";
    f.Validade = 10;
    f.IPI = 5;
    f.Embalagem = -1;
    f.Entrega = 45;
    o.AcessEsp[0] = "Tela especial";
    o.AcessEsp[9] = "Último";

    const QByteArray b = ParaBytes(o);
    ASSERT_EQ(b.size(), 1716);
    Confere(b, {B(0, 1), I(4, 12), S(9, 80, "Exaustão da cabine de pintura"), S(90, 7, "0012/03"), S(98, 40, "op0"),
                S(98 + 41 * 5, 40, "op5"), S(344, 50, "Metalúrgica Andrade"), S(395, 50, "Rua A, 1"),
                S(446, 40, "Campinas/SP"), S(487, 40, "compras@andrade.com.br"), S(528, 25, "Sr. João"),
                S(554, 25, "19 3200-0000"), S(580, 25, "19 3200-0001"), D(608, 37634.5), D(616, 5), D(624, 3),
                I(632, 3), D(712 + 8 * 2, 1.25) /* FatorVent[2] at 712 + 8k */, S(880, 80, "30/60 dias"),
                S(961, 59, "CIF"), B(1021, 10), I(1024, 5), I(1028, -1), I(1032, 45), I(1036, -1), S(1040, 80, "obs um"),
                S(1121, 80, "obs dois"), I(1204, 2), S(1208, 25, "Tela especial"), S(1208 + 26 * 9, 25, "Último"),
                D(1468, 12345.67)});

    TOrcamento lido = DeBytes<TOrcamento>(b);
    EXPECT_EQ(lido.Projeto, o.Projeto);
    EXPECT_EQ(lido.FatoresOrc.Entrega, 45);
    EXPECT_EQ(ParaBytes(lido), b);
}

TEST(RegistroOrcamento, ItemNasPosicoes) {
    TItemOrc it{.Selecionado = true, .RefTag = "VE-01", .Qtd = 4, .Descricao = "Exaustor do forno", .Arranjo = 3,
                .Linha = "BSD", .IndModelo = 2, .Posicao = "RD 90°/BR 0°", .Configurado = true, .ComMotor = true,
                .SemMotor = true, .PolosSug = 2, .MotorIni = 7, .RegMotor = 9, .FreqDireto = 1, .Polos = 4, .PwOp = 1.1,
                .PwSt = 1.2, .MotorSugerido = 1.5, .SoSugestao = true, .Tensao = "220/380 V", .Frequencia = "60 Hz",
                .Protecao = "IP55", .ObsMotor = "obs", .Marca = "WEG", .PotMotor = 2.2, .RotMotor = 1745,
                .Carcaca = "100L", .PrecoListaMotor = 900, .Vazao = 10000, .Axial = true, .ComGabinete = true,
                .ExigeQuadro = true, .Direto = true, .VazaoDireto = 9800, .IndiceTam = 13, .PaginaArranjo = 1,
                .RegModelo = 2, .Tamanho = 630, .RotMax = 2200, .Rotacao = 1012, .Rendimento = 81, .PressaoDireto = 48,
                .Pressao = 50, .PotOp = 1.95, .Pot20 = 1.96, .CorrecaoRend = -0.4, .Temperatura = 20, .Altitude = 760,
                .DensidadeItem = 1.205, .VelDescarga = 9.5, .VelPeriferica = 33.4, .PTotal20 = 55.5, .PTotalOp = 55.4,
                .PEst20 = 50.1, .PrecoVent = 5000, .PrecoMotor = 800, .LwTot = 92, .LwA = 88, .IndEspectro = 38,
                .PrecoAcess = 321, .DescTamanho = "1/3/9/4", .TextoModelo = "BSD - LIMIT-LOAD", .MotorEspecial = true,
                .RegPrecoMotor = 3, .GrupoMotor = -1};
    it.AcessSel[0] = it.AcessSel[45] = true;
    it.PrecoAcessorio[1] = 10;
    it.PrecoAcessorio[45] = 450;
    for (int j = 1; j <= 8; ++j)
        it.LwBanda[j] = 70 + j;
    for (int j = 0; j <= 9; ++j) {
        it.AcessEspPrecoLista[j] = 100 + j;
        it.AcessEspPreco[j] = 200 + j;
    }

    const QByteArray b = ParaBytes(it);
    ASSERT_EQ(b.size(), 1364);
    Confere(b, {B(0, 1), S(1, 10, "VE-01"), I(12, 4), S(16, 40, "Exaustor do forno"), I(60, 3), S(64, 4, "BSD"),
                I(72, 2), S(76, 20, "RD 90°/BR 0°"), B(97, 1), B(100, 1), B(101, 0), B(145, 1), D(148, 10),
                D(148 + 8 * 44, 450), B(508, 1), B(509, 1), I(512, 2), I(516, 7), I(520, 9), I(524, 1), I(528, 4),
                D(532, 1.1), D(540, 1.2), D(548, 1.5), B(556, 1), S(557, 12, "220/380 V"), S(570, 5, "60 Hz"),
                S(576, 9, "IP55"), S(586, 50, "obs"), S(637, 10, "WEG"), D(648, 2.2), I(656, 1745), S(660, 6, "100L"),
                D(668, 900), D(676, 10000), B(684, 1), B(685, 1), B(686, 1), B(687, 1), D(688, 9800), I(696, 13),
                I(700, 1), I(704, 2), I(708, 630), I(712, 2200), I(716, 1012), I(720, 81), D(736, 48), D(744, 50),
                D(752, 1.95), D(760, 1.96), D(768, -0.4), D(776, 20), D(784, 760), D(792, 1.205), D(800, 9.5),
                D(808, 33.4), D(816, 55.5), D(824, 55.4), D(832, 50.1), D(840, 5000), D(848, 800), D(856, 92),
                D(864, 88), I(872, 38), D(876, 321), D(884, 71), D(884 + 8 * 7, 78), S(948, 10, "1/3/9/4"),
                S(959, 30, "BSD - LIMIT-LOAD"), D(992, 100), D(1000, 200), D(992 + 16 * 9, 109),
                D(1000 + 16 * 9, 209), B(1152, 1), B(1153, 3), B(1154, 0xFF)});
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
    const QByteArray cab2 = ParaBytes(DeBytes<TOrcamento>(cab)), item2 = ParaBytes(DeBytes<TItemOrc>(item));
    for (qsizetype off : {1, 2, 3, 8, 606, 607, 1202, 1203, 1476, 1600, 1715})
        EXPECT_EQ(cab2[off], cab[off]) << off;
    for (qsizetype off : {57, 58, 59, 69, 70, 71, 98, 99, 146, 147, 510, 511, 667, 724, 730, 735, 990, 991, 1155, 1300, 1363})
        EXPECT_EQ(item2[off], item[off]) << off;
    // A second pass changes nothing more.
    EXPECT_EQ(ParaBytes(DeBytes<TOrcamento>(cab2)), cab2);
    EXPECT_EQ(ParaBytes(DeBytes<TItemOrc>(item2)), item2);
}

TEST(RegistroOrcamento, TextosCortadosNaCapacidade) {
    TItemOrc it{.RefTag = "ABCDEFGHIJKL", .Descricao = QString(45, 'd')};
    const TItemOrc lido = DeBytes<TItemOrc>(ParaBytes(it));
    EXPECT_EQ(lido.RefTag, "ABCDEFGHIJ");
    EXPECT_EQ(lido.Descricao, QString(40, 'd'));
}
