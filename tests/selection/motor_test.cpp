#include "selection/motor.h"

#include "quotation/registros.h"

#include <gtest/gtest.h>

using namespace quellora;

TEST(Motor, GrupoPorProtecaoFrequenciaETensao) {
    const QStringList tres{"3F 220/380", "3F 380/660", "3F 440"}, so220{"3F 220/380"};
    const QStringList ip55 = tres + QStringList{"1F 110", "1F 220"}, dahl{"3F 220", "3F 380", "3F 440"};
    const struct {
        int protecao, frequencia;
        QStringList tensoes;
        std::vector<int> grupos; // per voltage of the list
    } casos[] = {
        {PROT_IP55, FREQ_60, ip55, {0, 0, 0, 1, 1}},
        {PROT_IP55, FREQ_50, so220, {2}},
        {PROT_APE, FREQ_60, tres, {3, 3, 3}},
        {PROT_APE, FREQ_50, so220, {-1}},
        {PROT_ALTO_RENDIMENTO, FREQ_60, tres, {4, 4, 4}},
        {PROT_ALTO_RENDIMENTO, FREQ_50, so220, {-1}},
        {PROT_DAHLANDER, FREQ_60, dahl, {5, 5, 5}},
        {PROT_DAHLANDER, FREQ_50, dahl, {-1, -1, -1}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(testing::Message() << ListaProtecoes()[c.protecao].toStdString() << " "
                                        << ListaFrequencias()[c.frequencia].toStdString());
        EXPECT_EQ(ListaTensoes(c.protecao, c.frequencia), c.tensoes);
        for (int v = 0; v < static_cast<int>(c.grupos.size()); ++v)
            EXPECT_EQ(GrupoDoMotor(c.protecao, c.frequencia, v), c.grupos[static_cast<std::size_t>(v)]) << v;
    }
    // A 60 Hz voltage left in the list at 50 Hz is outside the line.
    EXPECT_EQ(GrupoDoMotor(PROT_IP55, FREQ_50, 3), -1);
}

TEST(Motor, PolosDahlanderSugestaoEFatorDeServico) {
    EXPECT_EQ(ListaPolos(PROT_IP55), (QStringList{"2", "4", "6", "8"}));
    EXPECT_EQ(ListaPolos(PROT_DAHLANDER), (QStringList{"2/4", "4/8"}));
    EXPECT_EQ(ColunasPolos(PROT_DAHLANDER), 2);
    for (const auto &[polosSug, dahlander] : {std::pair{1, true}, {2, true}, {3, false}, {4, false}})
        EXPECT_EQ(DahlanderSugerido(polosSug), dahlander) << polosSug;

    Faixa<TDadosMotor, 1, 35> motores;
    const double potencias[] = {0.12, 0.37, 2.2, 3.0};
    for (int m = 1; m <= 4; ++m)
        motores[m].Potencia = potencias[m - 1];
    for (const auto &[potencia, linha] : {std::pair{0.1, 1}, {0.37, 2}, {0.38, 3}, {2.2, 3}, {3.0, 4}, {3.01, -1}})
        EXPECT_EQ(LinhaSugerida(motores, potencia), linha) << potencia;

    EXPECT_DOUBLE_EQ(FatorServico(2.2, 1.1), 2.0);
    EXPECT_EQ(FatorServico(2.2, 0), 0.0);
    for (const auto &[potencia, ape] : {std::pair{0.25, false}, {0.3689, false}, {0.369, true}, {0.37, true}})
        EXPECT_EQ(PotenciaAdmiteAPE(potencia), ape) << potencia;

    // Direct coupling keeps its pole choice however often it is confirmed.
    EXPECT_EQ(PolosDoMotor(true, 3, -1), 6);
    EXPECT_EQ(PolosDoMotor(false, 3, 0), 2);
    EXPECT_EQ(PolosDoMotor(false, 1, 3), 8);
}

TEST(Motor, ConfirmadoNoItem) {
    // Texts cut to their fields, no price record chosen, the group kept.
    TEscolhaMotor e{.RegMotor = 5, .Polos = 4, .Tensao = "3F 220/380/440V", .Frequencia = "60 Hz",
                    .ObsMotor = QString(60, 'x'), .Marca = "A DEFINIR MAIS", .Protecao = PROT_ALTO_RENDIMENTO,
                    .TextoProtecao = "Alto Rendimento", .Carcaca = "132M/L", .Especial = true, .GrupoMotor = -1};
    TItemOrc it;
    GravaMotor(it, e);
    EXPECT_TRUE(it.ComMotor && !it.SemMotor && it.MotorEspecial);
    EXPECT_EQ(it.Tensao + '|' + it.Marca + '|' + it.Protecao + '|' + it.Carcaca, "3F 220/380/4|A DEFINIR |Alto Rend|132M/L");
    EXPECT_EQ(it.ObsMotor.size(), 50);
    EXPECT_EQ(it.RegPrecoMotor, 255);
    EXPECT_EQ(it.GrupoMotor, -1);
    e.Protecao = PROT_DAHLANDER;
    GravaMotor(it, e);
    EXPECT_EQ(it.Protecao, "DAHL");
}
