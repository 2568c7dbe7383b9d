// Every catalogue record written with distinct values lands at its offsets,
// and hand-built images read back into the right fields.

#include "catalogue/tipos.h"

#include "imagem_bytes.h"

#include <gtest/gtest.h>

#include <QByteArray>

using namespace quellora;
using namespace quellora::teste;

namespace {

TDadosModelo ModeloDistinto() {
    TDadosModelo m;
    m.TemDados = true;
    m.Codigo = QStringLiteral("BSD");
    m.Entradas = 2;
    m.DiamRef = 630;
    m.RotRef = 1450;
    for (int i = 1; i <= 23; ++i) {
        m.Existe[i] = i % 2;
        m.AreaDescarga[i] = 0.01 * i;
        m.FatorRot[i] = 1 + i / 100.0;
        m.CorrRend[i] = -i / 10.0;
        m.VelMax[i] = 20 + i;
    }
    for (int j = 1; j <= 7; ++j) {
        m.CurvaVazao[j] = 0.1 * j;
        m.CurvaPressao[j] = 1.0 + j;
        m.CurvaRend[j] = 60.0 + j;
    }
    m.XMax = 9.5;
    m.XMin = 3.25;
    m.VelPerifMin = 17;
    for (int j = 0; j <= 6; ++j) {
        m.PolVazao[j] = 100.0 + j;
        m.PolRend[j] = 200.0 + j;
        m.PolSom[j] = 300.0 + j;
    }
    for (int k = 1; k <= 8; ++k) {
        m.ArranjoModelo[k].Disponivel = k != 3;
        for (int i = 1; i <= 23; ++i)
            m.ArranjoModelo[k].RotMaxTam[i] = 1000 * k + i;
        for (int c = 1; c <= 45; ++c)
            m.AcessArranjo[k][c] = (k + c) % 3 == 0;
    }
    for (int r = 1; r <= 69; ++r) {
        m.Espectro[r].RotLimite = 100.0 * r;
        for (int b = 1; b <= 8; ++b)
            m.Espectro[r].Banda[b] = -b - r / 100.0;
        m.Espectro[r].DifLw = 5 + r / 1000.0;
        m.Espectro[r].CorrLwA = -2 - r / 1000.0;
    }
    m.DescModelo = QStringLiteral("LIMIT-LOAD SIMPLES");
    m.PotLimite = 5;
    m.MargemAcima = 15;
    m.MargemAbaixo = -20;
    m.RendRef = 82.5;
    return m;
}

} // namespace

TEST(RegistrosCatalogo, DadosModeloNasPosicoes) {
    const TDadosModelo m = ModeloDistinto();
    const QByteArray b = ParaBytes(m);
    ASSERT_EQ(b.size(), 10616);
    // Existe[1], [2], [23] at 32...; arrangement k at 1112 + 280(k-1):
    // Disponivel, then RotMaxTam at +4; sound row r at 3352 + 96(r-1);
    // AcessArranjo (k, c) at 9976 + 45(k-1) + (c-1).
    Confere(b, {B(4, 1), S(8, 7, "BSD"), I(16, 2), I(20, 630), I(24, 1450), B(32, 1), B(33, 0), B(54, 1), D(56, 0.01),
                D(56 + 8 * 22, 0.23), D(240 + 8 * 22, 1.23), D(424, -0.1), I(608 + 4 * 22, 43), D(700, 0.1),
                D(756 + 8 * 6, 8.0), D(812, 61.0), D(924, 9.5), D(932, 3.25), I(940, 17), D(944, 100.0),
                D(1000 + 8 * 6, 206.0), D(1056 + 8 * 3, 303.0), B(1112, 1), B(1112 + 280 * 2, 0),
                I(1112 + 280 * 2 + 4 + 4 * 4, 3005), I(1112 + 280 * 7 + 4 + 4 * 22, 8023), D(3352 + 8, 100.0),
                D(3352 + 96 * 68 + 8, 6900.0), D(3352 + 96 * 4 + 16 + 8 * 7, -8.05), D(3352 + 96 * 4 + 80, 5.005),
                D(3352 + 96 * 4 + 88, -2.005), B(9976 + 45 * 0 + 1, 1), B(9976 + 45 * 0 + 0, 0),
                B(9976 + 45 * 7 + 44, 0) /* (8, 45): 53 % 3 != 0 */, B(9976 + 45 * 7 + 42, 1),
                S(10336, 20, "LIMIT-LOAD SIMPLES"), B(10357, 5), B(10358, 15), D(10360, 82.5)});
    EXPECT_EQ(static_cast<std::int8_t>(b[10359]), -20);
    // Nothing is written into the bytes no field covers.
    for (std::size_t off : {0, 1, 2, 3, 5, 6, 7, 28, 31, 55, 868, 923, 10368, 10615})
        EXPECT_EQ(b[static_cast<qsizetype>(off)], 0) << off;

    EXPECT_EQ(DeBytes<TDadosModelo>(b), m);
}

TEST(RegistrosCatalogo, ImagemMontadaAMaoLeNosCampos) {
    QByteArray b(10616, '\0');
    GravadorBinario g(b);
    b[4] = 1;
    g.str(8, 7, QStringLiteral("GTD"));
    g.integer(16, 1);
    g.dbl(56 + 8 * 11, 0.321);          // AreaDescarga[12]
    g.integer(1112 + 280 * 3 + 4, 2400); // ArranjoModelo[4].RotMaxTam[1]
    g.dbl(3352 + 96 * 2 + 8, 777);       // Espectro[3].RotLimite
    b[9976 + 45 * 2 + 4] = 1;            // AcessArranjo[3][5]
    b[10357] = static_cast<char>(-1);
    const auto m = DeBytes<TDadosModelo>(b);
    EXPECT_TRUE(m.TemDados);
    EXPECT_EQ(m.Codigo, QStringLiteral("GTD"));
    EXPECT_DOUBLE_EQ(m.AreaDescarga[12], 0.321);
    EXPECT_EQ(m.ArranjoModelo[4].RotMaxTam[1], 2400);
    EXPECT_DOUBLE_EQ(m.Espectro[3].RotLimite, 777);
    EXPECT_TRUE(m.AcessArranjo[3][5]);
    EXPECT_FALSE(m.AcessArranjo[3][4]);
    EXPECT_EQ(m.PotLimite, -1);
}

TEST(RegistrosCatalogo, RegistrosPequenosNasPosicoes) {
    TDenominacao d{QStringLiteral("BSD/BDD"), QStringLiteral("Centrífugos")};
    QByteArray b = ParaBytes(d);
    ASSERT_EQ(b.size(), 70);
    EXPECT_EQ(b[0], 7);
    EXPECT_EQ(Str(b, 9, 60), QStringLiteral("Centrífugos"));
    EXPECT_EQ(DeBytes<TDenominacao>(b), d);

    TDadosMotor m;
    m.Potencia = 7.5;
    for (int p = 1; p <= 4; ++p)
        m.PoloMotor[p] = {QStringLiteral("132M/%1").arg(p), 3500 / p};
    b = ParaBytes(m);
    ASSERT_EQ(b.size(), 112);
    EXPECT_DOUBLE_EQ(Dbl(b, 0), 7.5);
    for (int p = 1; p <= 4; ++p) {
        // Rated speed of pole version p at 4 + 24p, frame at 24p - 8.
        EXPECT_EQ(Int(b, 4 + 24 * std::size_t(p)), 3500 / p);
        EXPECT_EQ(Str(b, 24 * std::size_t(p) - 8, 11), QStringLiteral("132M/%1").arg(p));
    }
    EXPECT_EQ(DeBytes<TDadosMotor>(b), m);

    TAcessorio a{QStringLiteral("PG06"), QStringLiteral("Pintura especial")};
    b = ParaBytes(a);
    ASSERT_EQ(b.size(), 31);
    EXPECT_EQ(Str(b, 0, 4), QStringLiteral("PG06"));
    EXPECT_EQ(Str(b, 5, 25), QStringLiteral("Pintura especial"));
}

TEST(RegistrosCatalogo, FatoresNasPosicoes) {
    TFatores f{.ICMSPadrao = 2, .Pagamento = "28 dias", .Frete = "FOB São Paulo", .Validade = 15, .IPI = 5,
               .Embalagem = -1, .Entrega = 30};
    for (int k = 1; k <= 4; ++k) {
        f.AliquotaICMS[k] = 18.0 - k;
        f.FatorVent[k] = 1 + k / 10.0;
        f.FatorMotor[k] = 2 + k / 10.0;
    }
    const QByteArray b = ParaBytes(f);
    ASSERT_EQ(b.size(), 400);
    Confere(b, {I(0, 2), D(4, 17.0), D(84 + 24, 1.4), D(164, 2.1), S(244, 80, "28 dias"), S(325, 59, "FOB São Paulo"),
                B(385, 15), I(388, 5), I(392, -1), I(396, 30)});
    auto lido = DeBytes<TFatores>(b);
    EXPECT_EQ(ParaBytes(lido), b);
}

TEST(RegistrosCatalogo, FatoresGuardamOsBytesNaoLidos) {
    QByteArray b(400, '\0');
    for (int i = 36; i < 84; ++i)
        b[i] = static_cast<char>(i);
    b[387] = 'x';
    EXPECT_EQ(ParaBytes(DeBytes<TFatores>(b)), b);
}

TEST(RegistrosCatalogo, PrecosNasPosicoes) {
    TPrecoMotores pm;
    pm.Preco[1][1] = 11;
    pm.Preco[35][4] = 354;
    pm.Preco[3][2] = -2;
    QByteArray b = ParaBytes(pm);
    ASSERT_EQ(b.size(), 1120);
    EXPECT_DOUBLE_EQ(Dbl(b, 0), 11);
    EXPECT_DOUBLE_EQ(Dbl(b, 32 * 34 + 8 * 3), 354);
    EXPECT_DOUBLE_EQ(Dbl(b, 32 * 2 + 8 * 1), -2);

    auto p = std::make_unique<TPrecoModelo>();
    p->Arranjo[1].PrecoVent[1] = 1000;
    p->Arranjo[3].PrecoVent[12] = 3120;
    p->Arranjo[8].PrecoAcess[23][45] = 84523;
    p->Arranjo[2].PrecoAcess[5][7] = -3;
    b = ParaBytes(*p);
    ASSERT_EQ(b.size(), 67720);
    // Fan price of (k, i) at 8 + 8464(k-1) + 8(i-1).
    EXPECT_DOUBLE_EQ(Dbl(b, 8), 1000);
    EXPECT_DOUBLE_EQ(Dbl(b, 8 + 8464 * 2 + 8 * 11), 3120);
    // Accessory price of (k, i, c) at 192 + 8464(k-1) + 360(i-1) + 8(c-1).
    EXPECT_DOUBLE_EQ(Dbl(b, 192 + 8464 * 7 + 360 * 22 + 8 * 44), 84523);
    EXPECT_DOUBLE_EQ(Dbl(b, 192 + 8464 * 1 + 360 * 4 + 8 * 6), -3);
    EXPECT_EQ(Dbl(b, 0), 0.0);
    EXPECT_EQ(DeBytes<TPrecoModelo>(b), *p);
}
