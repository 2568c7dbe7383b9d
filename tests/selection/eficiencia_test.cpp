// Energy figures: the FEI against the published figures, the EU minimum
// efficiencies, the IE3 table and the running cost; and a quotation item's
// figures as they come back from its file.

#include "selection/eficiencia.h"

#include "proposal/orcamento_exemplo.h"
#include "quotation/arquivo_orc.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <functional>

using namespace quellora;
using namespace quellora::teste;

namespace {

constexpr double M3sPorCfm = 0.00047194745;
constexpr double PaPorPolegadaCA = 249.08891;
constexpr double KwPorHp = 0.74569987;

// A few rows of the IE3 table, %: 2, 4, 6, 8 poles.
TEnergiaCatalogo Tabela() {
    TEnergiaCatalogo e;
    for (const auto &[p, a, b, c, d] : {std::tuple{0.12, 62.0, 66.0, 64.0, 59.5}, {0.75, 77.0, 85.5, 82.5, 75.5},
                                        {2.2, 86.5, 89.5, 89.5, 85.5}, {3.7, 88.5, 89.5, 89.5, 86.5},
                                        {375.0, 95.8, 96.2, 95.8, 95.0}}) {
        TRendMotor m;
        m.Potencia = p;
        m.Rendimento = {{a, b, c, d}};
        e.Motores.push_back(m);
    }
    return e;
}

// 1 m³/s at 100 mmCA total (80 static), 1.5 kW on the shaft, direct, a
// 2.2 kW four-pole motor; a backward-curved fan measured in category B.
TPontoEnergia Ponto() {
    TPontoEnergia p;
    p.Vazao = 3600;
    p.PressaoTotal = 100;
    p.PressaoEstatica = 80;
    p.Densidade = 1.2;
    p.PotEixo = 1.5;
    p.PotMotor = 2.2;
    p.Polos = 4;
    p.Tipo = TipoUE::CentrifugoTras;
    p.Categoria = 'B';
    return p;
}

double Minimo(TipoUE t, char c, double pe) { return MinimoUE(t, c, pe).Minimo; }
double Minimo2011(TipoUE t, char c, double pe) { return MinimoUE2011(t, c, pe).Minimo; }

} // namespace

TEST(Eficiencia, FormulasContraValoresPublicados) {
    const TEnergiaCatalogo tab = Tabela();
    const double pe = 1.5 / 0.895; // the point's electrical input
    const struct {
        const char *nome;
        std::function<double()> valor;
        double esperado, tolerancia;
    } casos[] = {
        // ANSI/AMCA 208.
        {"FEI total, 1 m³/s, 100 Pa, FEP 1 kW", [] { return CalculaFEI(1, 100, 1.2, 1.0, BaseFEI::Total).FEI; },
         0.4917, 5e-5},
        {"FEI estático, eixo livre, 6000 cfm, 1 in., 1,39 bhp",
         [] { return CalculaFEIEixoLivre(6000 * M3sPorCfm, PaPorPolegadaCA, 1.2, 1.39 * KwPorHp, BaseFEI::Estatica).FEI; },
         1.65, 0.01},
        {"FEI estático, eixo livre, 10000 cfm, 3 in., 6,86 bhp",
         [] {
             return CalculaFEIEixoLivre(10000 * M3sPorCfm, 3 * PaPorPolegadaCA, 1.2, 6.86 * KwPorHp, BaseFEI::Estatica)
                 .FEI;
         },
         1.34, 0.01},
        {"eixo livre: H_ref / H",
         [] {
             const TFEI f = CalculaFEIEixoLivre(2, 500, 1.1, 3, BaseFEI::Total);
             return f.FEI * 3 / f.PotRef;
         },
         1, 1e-12},
        {"correia a 1,64 kW", [] { return RendTransmissaoCorreia(1.64); }, 0.96 * std::pow(0.5, 0.05), 1e-12},
        {"motor de referência a 1 kW", [] { return RendMotorReferencia(1); }, 0.850274, 1e-12},
        {"motor de referência de 185 kW", [] { return RendMotorReferencia(185); }, 0.962, 0},
        // Regulation (EU) 2024/1834: the grade by type and category, the break at 10 kW.
        {"UE pás para trás B, 5 kW", [] { return Minimo(TipoUE::CentrifugoTras, 'B', 5); },
         4.56 * std::log(5.0) - 10.5 + 67, 1e-12},
        {"UE aerofólio C, 5 kW", [] { return Minimo(TipoUE::CentrifugoAerofolio, 'C', 5); },
         4.56 * std::log(5.0) - 10.5 + 64, 1e-12},
        {"UE axial A, 20 kW", [] { return Minimo(TipoUE::Axial, 'A', 20); }, 1.1 * std::log(20.0) - 2.6 + 50, 1e-12},
        {"UE axial D, 20 kW", [] { return Minimo(TipoUE::Axial, 'D', 20); }, 1.1 * std::log(20.0) - 2.6 + 64, 1e-12},
        {"UE pás para a frente B abaixo de 5 kW", [] { return Minimo(TipoUE::CentrifugoFrente, 'B', 4); },
         4.56 * std::log(4.0) - 10.5 + 57, 1e-12},
        {"UE pás para a frente B de 5 kW", [] { return Minimo(TipoUE::CentrifugoFrente, 'B', 6); },
         4.56 * std::log(6.0) - 10.5 + 67, 1e-12},
        {"UE pás radiais A, 10 kW", [] { return Minimo(TipoUE::CentrifugoRadial, 'A', 10); },
         1.1 * std::log(10.0) - 2.6 + 52, 1e-12},
        {"UE abaixo de 125 W fora do escopo", [] { return double(MinimoUE(TipoUE::Axial, 'A', 0.1).NoEscopo); }, 0, 0},
        {"UE sem tipo", [] { return double(MinimoUE(TipoUE::Nenhum, 0, 5).Definido); }, 0, 0},
        // Tier 2 of Regulation (EU) No 327/2011.
        {"2011 axial A, 5 kW", [] { return Minimo2011(TipoUE::Axial, 'A', 5); }, 2.74 * std::log(5.0) - 6.33 + 40, 1e-12},
        {"2011 pás para a frente B, 10 kW", [] { return Minimo2011(TipoUE::CentrifugoFrente, 'B', 10); },
         2.74 * std::log(10.0) - 6.33 + 49, 1e-12},
        {"2011 pás para trás B, 20 kW", [] { return Minimo2011(TipoUE::CentrifugoTras, 'B', 20); },
         1.1 * std::log(20.0) - 2.6 + 64, 1e-12},
        // IE3: listed powers, the lower row between them, the ends of the table.
        {"IE3 0,75 kW 4 polos", [&] { return RendimentoIE3(tab, 0.75, 4); }, 0.855, 1e-15},
        {"IE3 3 kW 2 polos: a linha de 2,2 kW", [&] { return RendimentoIE3(tab, 3.0, 2); }, 0.865, 1e-15},
        {"IE3 abaixo da tabela", [&] { return RendimentoIE3(tab, 0.05, 8); }, 0.595, 1e-15},
        {"IE3 acima da tabela", [&] { return RendimentoIE3(tab, 500, 6); }, 0.958, 1e-15},
        {"IE3 polos fora da lista: 4", [&] { return RendimentoIE3(tab, 3.7, 5); }, 0.895, 1e-15},
        // One fan at its duty.
        {"potência elétrica", [&] { return CalculaEficiencia(Ponto(), tab, 4000, 0.8).PotEletrica; }, pe, 1e-12},
        {"FEI do ponto",
         [&] { return CalculaEficiencia(Ponto(), tab, 4000, 0.8).FEI; },
         CalculaFEI(1, 100 * PascalPorMmCA, 1.2, pe, BaseFEI::Total).FEI, 1e-12},
        {"FEI estático do ponto",
         [&] { return CalculaEficiencia(Ponto(), tab, 4000, 0.8).FEIEstatico; },
         CalculaFEI(1, 80 * PascalPorMmCA, 1.2, pe, BaseFEI::Estatica).FEI, 1e-12},
        {"rendimento UE, categoria B: pressão total",
         [&] { return CalculaEficiencia(Ponto(), tab, 4000, 0.8).RendUE; }, 100 * 100 * PascalPorMmCA / 1000 / pe, 1e-12},
        {"rendimento UE, categoria A: pressão estática",
         [&] {
             TPontoEnergia p = Ponto();
             p.Categoria = 'A';
             return CalculaEficiencia(p, tab, 4000, 0.8).RendUE;
         },
         100 * 80 * PascalPorMmCA / 1000 / pe, 1e-12},
        {"pás para trás B: 58,5 % abaixo de 58,9 %",
         [&] { return double(CalculaEficiencia(Ponto(), tab, 4000, 0.8).AtendeUE == ResultadoUE::NaoAtende); }, 1, 0},
        {"axial A: 46,8 % acima de 41,9 %",
         [&] {
             TPontoEnergia p = Ponto();
             p.Tipo = TipoUE::Axial;
             p.Categoria = 'A';
             return double(CalculaEficiencia(p, tab, 4000, 0.8).AtendeUE == ResultadoUE::Atende);
         },
         1, 0},
        {"correia: rendimento de transmissão à potência no eixo",
         [&] {
             TPontoEnergia p = Ponto();
             p.Correia = true;
             return CalculaEficiencia(p, tab, 4000, 0.8).RendTransmissao;
         },
         RendTransmissaoCorreia(1.5), 1e-15},
        {"consumo anual", [&] { return CalculaEficiencia(Ponto(), tab, 4000, 0.8).ConsumoAnual; }, pe * 4000, 1e-9},
        {"custo anual", [&] { return CalculaEficiencia(Ponto(), tab, 3000, 0.65).CustoAnual; }, pe * 3000 * 0.65, 1e-9},
        {"sem tabela de motores, sem figuras",
         [] { return double(CalculaEficiencia(Ponto(), TEnergiaCatalogo{}, 4000, 0.8).Valida); }, 0, 0},
        {"sem potência, sem figuras",
         [&] {
             TPontoEnergia p = Ponto();
             p.PotEixo = 0;
             return double(CalculaEficiencia(p, tab, 4000, 0.8).Valida);
         },
         0, 0},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        const double v = c.valor();
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_NEAR(v, c.esperado, c.tolerancia + 1e-12 * std::fabs(c.esperado));
    }
}

TEST(Eficiencia, ItemGravadoEReabertoDaAsFigurasDoTamanho) {
    const QString dados = QStringLiteral(QUELLORA_DADOS_DIR "/");
    ASSERT_TRUE(MontaOrcamento(dados, 3));
    TEnergiaCatalogo catalogo;
    ASSERT_TRUE(CarregaEnergia(dados, catalogo));
    ASSERT_FALSE(catalogo.vazio());
    TPreferencias prefs;
    prefs.HorasAno = 6000;
    prefs.Tarifa = 0.72;
    // The first item again, its size as the selection computed it.
    auto &g = G();
    const TItemOrc item = g.Itens[1];
    g.VazaoCalc = item.Vazao;
    g.PressaoCalc = item.Pressao;
    g.Densidade = item.DensidadeItem;
    g.SoTamanho = false;
    ASSERT_TRUE(CalculaModeloCarregado().Concluido);
    const TEficiencia tamanho = EficienciaDoTamanho(g.Resultado, item.IndiceTam, g.Modelo, g.Densidade, false,
                                                    BaseDaLinha(catalogo, g.Modelo.Codigo, prefs));

    QTemporaryDir dir;
    const QString arq = dir.filePath(QStringLiteral("0012_03.orc"));
    QString erro;
    ASSERT_TRUE(GravaArquivoOrc(arq, ArquivoDoOrcamento(), &erro)) << qPrintable(erro);
    TArquivoOrc lido;
    ASSERT_TRUE(LeArquivoOrc(arq, lido, &erro)) << qPrintable(erro);
    ASSERT_EQ(lido.Itens.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k + 1);
        const TEficiencia antes = EficienciaDoItem(g.Itens[static_cast<int>(k) + 1], catalogo, prefs);
        const TEficiencia depois = EficienciaDoItem(lido.Itens[k], catalogo, prefs);
        ASSERT_TRUE(antes.Valida);
        EXPECT_EQ(depois.FEI, antes.FEI);
        EXPECT_EQ(depois.RendUE, antes.RendUE);
        EXPECT_EQ(depois.CustoAnual, antes.CustoAnual);
        EXPECT_EQ(depois.AtendeUE, antes.AtendeUE);
    }
    // Belt drive, the motor the selection found: the figures of the grid.
    const TEficiencia e = EficienciaDoItem(lido.Itens[0], catalogo, prefs);
    ASSERT_TRUE(tamanho.Valida);
    EXPECT_NEAR(e.FEI, tamanho.FEI, 1e-12);
    EXPECT_NEAR(e.FEIEstatico, tamanho.FEIEstatico, 1e-12);
    EXPECT_EQ(e.RendMotor, tamanho.RendMotor);
    EXPECT_NEAR(e.CustoAnual, tamanho.CustoAnual, 1e-9);
    EXPECT_EQ(e.Tipo, TipoUE::CentrifugoTras);
    // An item without a selection has none.
    EXPECT_FALSE(EficienciaDoItem(TItemOrc{}, catalogo, prefs).Valida);
}
