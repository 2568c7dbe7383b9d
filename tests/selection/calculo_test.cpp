#include "selection/calculo.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "selection/linha_mao.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

using namespace quellora;
using namespace quellora::teste;

namespace {

struct Aviso {
    AvisoCalculo tipo;
    QString texto;
    int tamanho;
};

// Relative closeness for values worked out by hand in double precision.
::testing::AssertionResult Perto(double obtido, double esperado, double rel = 1e-12) {
    if (std::fabs(obtido - esperado) <= rel * std::max(1.0, std::fabs(esperado)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << obtido << " != " << esperado;
}

class Calculo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        G().Modelo = LinhaMao();
        const auto mot = MotoresMao();
        for (int k = 1; k <= 35; ++k)
            G().Motores[k] = mot[static_cast<std::size_t>(k - 1)];
        Duty(10000, 50, 1.20521);
        G().ItemAtual = 1;
    }

    void Duty(double q, double p, double rho) {
        G().VazaoCalc = q;
        G().PressaoCalc = p;
        G().Densidade = rho;
    }

    TFimCalculo Calcula() {
        avisos.clear();
        return CalculaModeloCarregado([this](AvisoCalculo t, const QString &s, int i) { avisos.push_back({t, s, i}); });
    }

    TResultadoGrade &R() { return G().Resultado; }
    TDadosModelo &M() { return G().Modelo; }

    // Size 16 made selectable beside 17.
    void ComTamanho16() {
        M().Existe[16] = true;
        M().AreaDescarga[16] = 1.0;
        M().VelMax[16] = 20;
        M().FatorRot[16] = 1.0;
        M().ArranjoModelo[1].RotMaxTam[16] = 5000;
        M().Espectro[48].RotLimite = 5000;
    }

    // Every number of the table is a number.
    void SemNaNNemInfinito() {
        const TResultadoGrade &r = R();
        for (double v : {r.VazaoEntrada, r.PressaoPadrao})
            EXPECT_TRUE(std::isfinite(v));
        for (int i = 1; i <= 23; ++i)
            for (double v : {r.AreaEntrada[i], r.Velocidade[i], r.PTotalPadrao[i], r.PTotalReal[i], r.X[i], r.Y[i],
                             r.RotBase[i], r.RotacaoTam[i], r.RotMaxArr[i], r.DescontoRend[i], r.RendTam[i],
                             r.PotOpTam[i], r.PotPadraoTam[i], r.PotMotorTam[i], r.LwTotTam[i], r.LwATam[i]})
                if (R().Qualificado[i]) {
                    EXPECT_TRUE(std::isfinite(v)) << "tamanho " << i;
                }
    }

    QTemporaryDir dir;
    std::vector<Aviso> avisos;
};

} // namespace

TEST_F(Calculo, LinhaDeMaoResultadosCalculadosAMao) {
    const TFimCalculo fim = Calcula();
    ASSERT_TRUE(fim.Concluido);
    EXPECT_FALSE(fim.Falhou);
    EXPECT_TRUE(avisos.empty());
    const TResultadoGrade &r = R();
    const int i = 17;
    EXPECT_EQ(r.NumQualificados, 1);
    for (int k = 1; k <= 23; ++k)
        EXPECT_EQ(r.Qualificado[k], k == i);

    EXPECT_EQ(r.VazaoEntrada, 10000.0);
    // 50 × 1.205 / 1.20521
    EXPECT_TRUE(Perto(r.PressaoPadrao, 49.99128782535824));
    EXPECT_EQ(r.AreaEntrada[i], 1.0);
    EXPECT_TRUE(Perto(r.Velocidade[i], 10000.0 / 3600.0));
    // 0.061 × 2.7778² + 49.9913
    EXPECT_TRUE(Perto(r.PTotalPadrao[i], 50.46196683770392));
    EXPECT_TRUE(Perto(r.PTotalReal[i], 50.46196683770392)); // density 1.20521
    // ln(1 × 50.462 × 10^9 / 10000²)
    EXPECT_TRUE(Perto(r.X[i], 6.223805013602381));
    EXPECT_EQ(r.Y[i], 10.0);
    EXPECT_EQ(r.RotBase[i], 1000.0);
    EXPECT_EQ(r.RotacaoTam[i], 1000.0);
    EXPECT_EQ(r.ArranjosTam[i], QStringLiteral("1/4"));
    EXPECT_EQ(r.RotMaxArr[i], 2000.0);
    EXPECT_EQ(r.DescontoRend[i], 0.0);
    EXPECT_EQ(r.RendTam[i], 80.0);
    // 1 × 10000 × 50.462 / 75 / 3600 / 0.8 / 1.36
    EXPECT_TRUE(Perto(r.PotPadraoTam[i], 1.7177957120678076));
    EXPECT_TRUE(Perto(r.PotOpTam[i], 1.7180950789553877)); // × 1.20521 / 1.205
    // 1.2 × 1.718 = 2.06 kW required: the 2.2 kW motor, the 4th of the group
    EXPECT_EQ(r.MotorTam[i], 4);
    EXPECT_EQ(r.PotMotorTam[i], 2.2);
    EXPECT_EQ(r.PolosTam[i], 4);
    EXPECT_EQ(r.IndEspectroTam[i], 50);
    EXPECT_TRUE(Perto(r.LwATam[i], 95.0));
    EXPECT_TRUE(Perto(r.LwTotTam[i], 98.0));
    EXPECT_EQ(r.ArranjoTeste, 8);

    // Grid values at 20 °C and 0 m.
    const TLinhaGrade l = LinhaDaGrade(r, i, DensidadeRef(0));
    EXPECT_EQ(l.Tamanho, 1000);
    EXPECT_EQ(l.Indice, 17);
    EXPECT_TRUE(Perto(l.VelPeriferica, 52.35987755982988)); // π × 1000 / 60
    EXPECT_TRUE(Perto(l.PTotal20, 50.46196683770392 / 1.20521 * DensidadeRef(0)));
    EXPECT_TRUE(Perto(l.Pot20, 1.7177957120678076 / 1.20521 * DensidadeRef(0)));
    EXPECT_EQ(TamanhoDestaque(r), 17);
}

TEST_F(Calculo, DensidadeRefA20GrausENivelDoMar) {
    EXPECT_NEAR(DensidadeRef(0), 1.20521, 0.000005);
    EXPECT_LT(DensidadeRef(1000), DensidadeRef(0));
    EXPECT_TRUE(Perto(DensidadeRef(1000), 760 * 13.6 * std::exp(-0.116) / 29.27 / 293));
}

TEST_F(Calculo, VelocidadeIgualAVelMaxQualificaAcimaNao) {
    M().ArranjoModelo[1].RotMaxTam[17] = 5000;
    Duty(36000, 50, 1.205); // exactly 10 m/s on 1 m²
    M().VelMax[17] = 10;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().Velocidade[17], 10.0);
    EXPECT_TRUE(R().Qualificado[17]);

    M().VelMax[17] = 9;
    const TFimCalculo fim = Calcula();
    EXPECT_FALSE(fim.Concluido);
    EXPECT_TRUE(fim.Falhou);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].tipo, AvisoCalculo::ForaDosLimites);
    EXPECT_EQ(avisos[0].texto, MsgForaDosLimites);
    EXPECT_TRUE(MsgForaDosLimites.contains(QStringLiteral("linha.\n\rTente")));
    // The calculation stopped after the velocity step.
    EXPECT_EQ(R().X[17], 0.0);
    EXPECT_EQ(R().RotacaoTam[17], 0.0);
}

TEST_F(Calculo, XIgualAosLimitesNaoQualifica) {
    ASSERT_TRUE(Calcula().Concluido);
    const double x = R().X[17];

    M().XMax = x;
    EXPECT_TRUE(Calcula().Falhou);
    EXPECT_EQ(R().Y[17], 0.0); // stopped after the X step

    M().XMax = 100;
    M().XMin = x;
    EXPECT_TRUE(Calcula().Falhou);

    M().XMin = std::nextafter(x, -1.0);
    M().XMax = std::nextafter(x, 100.0);
    EXPECT_TRUE(Calcula().Concluido);
}

TEST_F(Calculo, RotacaoIgualAoMaximoDoArranjoOAdmite) {
    M().ArranjoModelo[1].RotMaxTam[17] = 1000;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().ArranjosTam[17], QStringLiteral("1/4"));
    EXPECT_EQ(R().RotMaxArr[17], 1000.0);

    // Direct coupling exactly at its maximum, arrangement 1 just below.
    M().ArranjoModelo[1].RotMaxTam[17] = 999;
    M().ArranjoModelo[3].RotMaxTam[17] = 1000;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().ArranjosTam[17], QStringLiteral("4"));

    // Nothing admissible: the size drops out in the arrangement step.
    M().ArranjoModelo[3].RotMaxTam[17] = 999;
    const TFimCalculo fim = Calcula();
    EXPECT_TRUE(fim.Falhou);
    EXPECT_FALSE(R().Qualificado[17]);
    EXPECT_EQ(R().RendTam[17], 0.0);
}

TEST_F(Calculo, PolosNosLimitesDeRotacaoFicamComOMaior) {
    M().ArranjoModelo[1].RotMaxTam[17] = 5000;
    const std::tuple<double, double, int> casos[] = {
        {27010, 2701, 2}, {27000, 2700, 4}, {5010, 501, 4}, {5000, 500, 6}, {3010, 301, 6}, {3000, 300, 8}};
    for (const auto &[q, n, polos] : casos) {
        Duty(q, 50, 1.205);
        ASSERT_TRUE(Calcula().Concluido) << q;
        EXPECT_EQ(R().RotacaoTam[17], n);
        EXPECT_EQ(R().PolosTam[17], polos) << n;
    }
}

TEST_F(Calculo, RotacaoIgualAoLimiteDaFaixaSonoraUsaAFaixa) {
    M().Espectro[49].RotLimite = 1000;
    M().Espectro[49].CorrLwA = -7;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().IndEspectroTam[17], 49);
    EXPECT_TRUE(Perto(R().LwATam[17], 93.0));

    M().Espectro[49].RotLimite = 999.999;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().IndEspectroTam[17], 50);
}

TEST_F(Calculo, SemFaixaSonoraAvisaUmaVezEFicaSemCorrecoes) {
    M().Espectro[51].RotLimite = 900;
    M().Espectro[50].RotLimite = 900;
    const TFimCalculo fim = Calcula();
    ASSERT_TRUE(fim.Concluido);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].tipo, AvisoCalculo::SemEspectro);
    EXPECT_EQ(avisos[0].texto, QStringLiteral("Conversão para espectro sonoro não encontrada!"));
    EXPECT_EQ(avisos[0].tamanho, 17);
    EXPECT_TRUE(R().Qualificado[17]);
    EXPECT_EQ(R().IndEspectroTam[17], 0);
    EXPECT_TRUE(Perto(R().LwATam[17], 100.0));
    EXPECT_TRUE(Perto(R().LwTotTam[17], 100.0));
}

TEST_F(Calculo, EntradaDuplaDivideAVazaoSomaAsEntradasNaPotenciaEGanha3dB) {
    ASSERT_TRUE(Calcula().Concluido);
    const TResultadoGrade simples = R();

    M().Entradas = 2;
    M().AreaDescarga[17] = 2.0; // 1 m² per inlet
    Duty(20000, 50, 1.20521);
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().VazaoEntrada, 10000.0);
    EXPECT_EQ(R().AreaEntrada[17], 1.0);
    EXPECT_EQ(R().Velocidade[17], simples.Velocidade[17]);
    EXPECT_EQ(R().X[17], simples.X[17]);
    EXPECT_EQ(R().RotacaoTam[17], 1000.0);
    EXPECT_TRUE(Perto(R().PotPadraoTam[17], 2 * simples.PotPadraoTam[17]));
    EXPECT_TRUE(Perto(R().LwATam[17], simples.LwATam[17] + 3));
}

TEST_F(Calculo, TextosDeArranjos) {
    // Direct coupling admissible, no belt arrangement admissible: "4".
    M().ArranjoModelo[1].RotMaxTam[17] = 500;
    M().ArranjoModelo[3].RotMaxTam[17] = 1500;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().ArranjosTam[17], QStringLiteral("4"));
    EXPECT_EQ(R().RotMaxArr[17], 1500.0);

    // A line without direct coupling lists only its belt arrangements.
    M().ArranjoModelo[1].RotMaxTam[17] = 2000;
    M().ArranjoModelo[3].Disponivel = false;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().ArranjosTam[17], QStringLiteral("1"));

    // Every arrangement: "1/3/4K/7/8/9/10/4" cut to 10 characters.
    for (int k = 1; k <= 8; ++k) {
        M().ArranjoModelo[k].Disponivel = true;
        M().ArranjoModelo[k].RotMaxTam[17] = 3000;
    }
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().ArranjosTam[17], QStringLiteral("1/3/4K/7/8"));
}

TEST_F(Calculo, RotMaxArrSoOsArranjosAdmissiveisEDisponiveis) {
    M().ArranjoModelo[2].Disponivel = false; // a higher maximum that the line does not build
    M().ArranjoModelo[2].RotMaxTam[17] = 9000;
    M().ArranjoModelo[7].Disponivel = true; // a tie with arrangement 1
    M().ArranjoModelo[7].RotMaxTam[17] = 2000;
    M().ArranjoModelo[8].Disponivel = true; // too slow for the duty
    M().ArranjoModelo[8].RotMaxTam[17] = 999;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().RotMaxArr[17], 2000.0);
    EXPECT_EQ(R().ArranjosTam[17], QStringLiteral("1/9/4"));
}

TEST_F(Calculo, MargemDoMotorEMotorNaoEncontrado) {
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().MotorTam[17], 4);
    EXPECT_EQ(R().PotMotorTam[17], 2.2);

    // Without motors the required power shows: +20 % below PotLimite ...
    for (int k = 1; k <= 35; ++k)
        G().Motores[k] = TDadosMotor{};
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().MotorTam[17], 0);
    EXPECT_TRUE(Perto(R().PotMotorTam[17], 1.2 * 1.7180950789553877));

    // ... and +10 % at or above it.
    M().PotLimite = 1;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_TRUE(Perto(R().PotMotorTam[17], 1.1 * 1.7180950789553877));
}

TEST_F(Calculo, ModoCompletoZeraFreqDiretoDoItemQuandoAchaMotor) {
    G().Itens[1].FreqDireto = 1;
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(G().Itens[1].FreqDireto, 0);
}

TEST_F(Calculo, ModoCompletoZeraOResultadoAnterior) {
    ASSERT_TRUE(Calcula().Concluido);
    // Another line with size 16 only.
    M().Existe[17] = false;
    ComTamanho16();
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_FALSE(R().Qualificado[17]);
    EXPECT_EQ(R().RotacaoTam[17], 0.0);
    EXPECT_EQ(R().ArranjosTam[17], QString());
    EXPECT_TRUE(R().Qualificado[16]);
    EXPECT_EQ(TamanhoDestaque(R()), 16);
}

TEST_F(Calculo, LinhaSemDadosNaoCalculaNemMexeNoResultado) {
    ASSERT_TRUE(Calcula().Concluido);
    const TResultadoGrade antes = R();
    M().TemDados = false;
    const TFimCalculo fim = Calcula();
    EXPECT_FALSE(fim.Concluido);
    EXPECT_FALSE(fim.Falhou);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].tipo, AvisoCalculo::SemDados);
    EXPECT_EQ(avisos[0].texto, QStringLiteral("Este modelo ainda não possui dados para cálculos!"));
    EXPECT_TRUE(R().Qualificado[17] && R().RotacaoTam[17] == antes.RotacaoTam[17]);
}

TEST_F(Calculo, DadosDegeneradosNaoQualificamNemGeramNaN) {
    struct Caso {
        const char *nome;
        void (*estraga)(TDadosModelo &);
    } casos[] = {
        {"DiamRef 0", [](TDadosModelo &m) { m.DiamRef = 0; }},
        {"RotRef 0", [](TDadosModelo &m) { m.RotRef = 0; }},
        {"Y 0", [](TDadosModelo &m) { m.PolVazao[0] = 0; }},
        {"Y negativo", [](TDadosModelo &m) { m.PolVazao[0] = -10; }},
        {"rendimento 0", [](TDadosModelo &m) { m.PolRend[0] = 0; }},
        {"rendimento negativo", [](TDadosModelo &m) { m.PolRend[0] = -5; }},
        {"FatorRot 0", [](TDadosModelo &m) { m.FatorRot[17] = 0; }},
        {"área 0", [](TDadosModelo &m) { m.AreaDescarga[17] = 0; }},
        {"sem entradas", [](TDadosModelo &m) { m.Entradas = 0; }},
        {"X sem limites", [](TDadosModelo &m) { m.XMax = std::nan(""); }},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        M() = LinhaMao();
        c.estraga(M());
        const TFimCalculo fim = Calcula();
        EXPECT_FALSE(fim.Concluido);
        EXPECT_TRUE(fim.Falhou);
        EXPECT_FALSE(R().Qualificado[17]);
        EXPECT_EQ(R().NumQualificados, 0);
        SemNaNNemInfinito();
        ASSERT_FALSE(avisos.empty());
        EXPECT_EQ(avisos.back().tipo, AvisoCalculo::ForaDosLimites);
    }
}

TEST_F(Calculo, DensidadeOuPressaoImpossiveisNaoQualificam) {
    for (auto [p, rho] : {std::pair{50.0, 0.0}, {50.0, -1.2}, {-1000.0, 1.2}}) {
        Duty(10000, p, rho);
        EXPECT_TRUE(Calcula().Falhou) << p << " " << rho;
        SemNaNNemInfinito();
    }
    Duty(0, 50, 1.2);
    EXPECT_TRUE(Calcula().Falhou);
    Duty(-10000, 50, 1.2);
    EXPECT_TRUE(Calcula().Falhou);
    SemNaNNemInfinito();
}

namespace {

// Direct coupling as the arrangement step does it: the duty rescaled by
// g = new speed / current speed, then size i recomputed alone.
void Reescala(int i, double g, int polos) {
    TEstado &e = G();
    e.Itens[e.ItemAtual].Polos = polos;
    e.Itens[e.ItemAtual].Pressao = e.PressaoCalc;
    e.Resultado.VazaoEntrada *= g;
    e.PressaoCalc = g * g * e.Itens[e.ItemAtual].Pressao;
    e.Resultado.PressaoPadrao *= g * g;
    e.TamanhoUnico = i;
    e.SoTamanho = true;
}

} // namespace

TEST_F(Calculo, TamanhoUnicoDepoisDaReescalaSegueAsLeisDosVentiladores) {
    ComTamanho16(); // so that the untouched entries can be seen
    ASSERT_TRUE(Calcula().Concluido);
    ASSERT_EQ(R().NumQualificados, 2);
    const TResultadoGrade antes = R();

    Reescala(17, 0.8, 1); // 4 poles
    const TFimCalculo fim = Calcula();
    ASSERT_TRUE(fim.Concluido);
    EXPECT_EQ(R().NumQualificados, 1);
    EXPECT_TRUE(Perto(R().RotacaoTam[17], 800.0));
    EXPECT_TRUE(Perto(R().X[17], antes.X[17]));
    EXPECT_TRUE(Perto(R().RendTam[17], antes.RendTam[17]));
    EXPECT_TRUE(Perto(R().PotPadraoTam[17], 0.512 * antes.PotPadraoTam[17]));
    // 800 1/min falls in row 49, which has no corrections.
    EXPECT_EQ(R().IndEspectroTam[17], 49);
    EXPECT_TRUE(Perto(R().LwATam[17], 100 + 50 * std::log10(0.8)));
    // Pole choice and motor speed of the direct coupling.
    EXPECT_EQ(R().PolosTam[17], 1);
    EXPECT_EQ(R().MotorTam[17], 2); // 1.2 × 0.512 × 1.718 = 1.06 kW
    EXPECT_EQ(R().RotMotorTam[17], 1750);
    EXPECT_EQ(G().Itens[1].RotMotor, 1750);
    // Size 16 is left as it was.
    EXPECT_TRUE(R().Qualificado[16]);
    EXPECT_EQ(R().RotacaoTam[16], antes.RotacaoTam[16]);
    EXPECT_EQ(R().PotMotorTam[16], antes.PotMotorTam[16]);
    EXPECT_EQ(R().ArranjosTam[16], antes.ArranjosTam[16]);
}

TEST_F(Calculo, TamanhoUnicoQueDeixaDeAtenderNaoFicaQualificado) {
    ASSERT_TRUE(Calcula().Concluido);
    // Ten times the speed: 27.8 m/s at the outlet, above VelMax 20.
    Reescala(17, 10, 0);
    const TFimCalculo fim = Calcula();
    EXPECT_TRUE(fim.Falhou);
    EXPECT_FALSE(R().Qualificado[17]);
    EXPECT_EQ(R().NumQualificados, 0);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].tipo, AvisoCalculo::ForaDosLimites);
}

TEST_F(Calculo, TamanhoUnicoSemFaixaSonoraNaoGuardaAFaixaAntiga) {
    ASSERT_TRUE(Calcula().Concluido);
    ASSERT_EQ(R().IndEspectroTam[17], 50);
    M().Espectro[51].RotLimite = 1000;
    Reescala(17, 1.5, 0); // 1500 1/min: beyond every row
    ASSERT_TRUE(Calcula().Concluido);
    EXPECT_EQ(R().IndEspectroTam[17], 0);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].tipo, AvisoCalculo::SemEspectro);
}

TEST_F(Calculo, DestaqueEOPrimeiroDeMaiorRendimento) {
    TResultadoGrade r;
    r.Qualificado[5] = r.Qualificado[9] = r.Qualificado[12] = true;
    r.RendTam[5] = 70;
    r.RendTam[9] = 78;
    r.RendTam[12] = 78;
    r.RendTam[3] = 90; // not qualified
    EXPECT_EQ(TamanhoDestaque(r), 9);
    EXPECT_EQ(TamanhoDestaque(TResultadoGrade{}), 0);
}

TEST(CalculaTamanhos, CarregaALinhaDaPosicaoDaLista) {
    QTemporaryDir dir;
    TDadosModelo a = LinhaMao(), b = LinhaMao(), c = LinhaMao();
    a.Codigo = QStringLiteral("AAA");
    b.TemDados = false;
    c.Codigo = QStringLiteral("CCC");
    c.PolVazao[0] = 5; // twice the speed: 2000 1/min
    c.ArranjoModelo[1].RotMaxTam[17] = 3000;
    GravaCatalogo(dir.path(), {a, b, c});
    QStringList lista;
    ASSERT_TRUE(ListaModelos(dir.path(), lista));
    ASSERT_TRUE(CarregaMotores(dir.path(), 1));
    ASSERT_EQ(lista.size(), 2);

    G().VazaoCalc = 10000;
    G().PressaoCalc = 50;
    G().Densidade = 1.2;
    G().ModeloCalc = 1;
    const TFimCalculo fim = CalculaTamanhos(dir.path());
    ASSERT_TRUE(fim.Concluido);
    EXPECT_EQ(G().Modelo.Codigo, QStringLiteral("CCC"));
    EXPECT_EQ(G().Resultado.RotacaoTam[17], 2000.0);
}

TEST(CalculaTamanhos, ArquivoQueFaltaViraAvisoDeErro) {
    QTemporaryDir dir;
    GravaCatalogo(dir.path(), {LinhaMao()});
    QStringList lista;
    ASSERT_TRUE(ListaModelos(dir.path(), lista));
    ASSERT_TRUE(QFile::remove(CaminhoEm(dir.path(), QString::fromLatin1(ArqModelos))));
    std::vector<AvisoCalculo> tipos;
    QString texto;
    const TFimCalculo fim = CalculaTamanhos(dir.path(), [&](AvisoCalculo t, const QString &s, int) {
        tipos.push_back(t);
        texto = s;
    });
    EXPECT_FALSE(fim.Concluido);
    EXPECT_FALSE(fim.Falhou);
    ASSERT_EQ(tipos.size(), 1u);
    EXPECT_EQ(tipos[0], AvisoCalculo::ErroArquivo);
    EXPECT_TRUE(texto.contains(QStringLiteral("dadmod.dat"))) << qPrintable(texto);
}
