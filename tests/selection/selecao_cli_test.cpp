// quellora-cli selecao, run as a user runs it, on the hand-made line and on
// the shipped sample catalogue.

#include "catalogue/catalogo.h"
#include "cli_execucao.h"
#include "quotation/orcamento.h"
#include "selection/calculo.h"
#include "selection/eficiencia.h"
#include "selection/linha_mao.h"
#include "shell/estado.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <utility>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

using namespace quellora;
using namespace quellora::teste;

namespace {

Execucao Roda(const QStringList &args) { return ExecutaCli(QStringList{QStringLiteral("selecao")} + args); }

nlohmann::json Json(const Execucao &e) {
    return nlohmann::json::parse(e.saida.toStdString(), nullptr, false);
}

// Rows [de, ate) of a schedule of 'pontos' duties from 1 500 to 90 000 m³/h,
// 15 to 250 mmCA, 15 to 60 °C and 0 to 1 500 m, with its header, into 'arquivo'.
bool GravaLoteAmostra(const QString &arquivo, int pontos, int de, int ate) {
    QByteArray csv = "tag;qtd;descricao;vazao;pressao;temperatura;altitude\r\n";
    for (int k = de; k < ate; ++k) {
        const double f = k / double(pontos - 1);
        csv += QStringLiteral("V-%1;%2;ponto %3;%4;%5;%6;%7\r\n")
                   .arg(k + 1, 3, 10, QLatin1Char('0'))
                   .arg(1 + k % 4)
                   .arg(k)
                   .arg(1500 * std::pow(60.0, f), 0, 'f', 1)
                   .arg(15 + 235 * std::fmod(f * 7.3, 1.0), 0, 'f', 1)
                   .arg(15 + 45 * std::fmod(f * 3.1, 1.0), 0, 'f', 0)
                   .arg(1500 * std::fmod(f * 5.7, 1.0), 0, 'f', 0)
                   .toUtf8();
    }
    QFile q(arquivo);
    return q.open(QIODevice::WriteOnly) && q.write(csv) == csv.size();
}

class SelecaoCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        TDadosModelo outra = LinhaMao();
        outra.Codigo = QStringLiteral("DUP");
        outra.Entradas = 2;
        outra.AreaDescarga[17] = 2.0;
        outra.RendRef = 75; // 75 − (100 − 1 × 25) = 0
        GravaCatalogo(dir.path(), {LinhaMao(), outra});
    }
    QStringList Base() const {
        return {QStringLiteral("--dados"), dir.path(), QStringLiteral("--vazao"), QStringLiteral("10000"),
                QStringLiteral("--pressao"), QStringLiteral("50")};
    }
    QString Csv(const QByteArray &texto) const {
        const QString f = dir.filePath(QStringLiteral("lote.csv"));
        QFile q(f);
        q.open(QIODevice::WriteOnly);
        q.write(texto);
        return f;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(SelecaoCli, JsonDeUmaLinhaTrazOsCamposDoResultado) {
    const Execucao e = Roda(Base() + QStringList{QStringLiteral("--linha"), QStringLiteral("mao"),
                                                 QStringLiteral("--json")});
    ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
    const auto j = Json(e);
    ASSERT_FALSE(j.is_discarded()) << qPrintable(e.saida);
    EXPECT_EQ(j["NumQualificados"], 1);
    EXPECT_EQ(j["Destaque"], 1000);
    EXPECT_EQ(j["VazaoEntrada"], 10000.0);
    EXPECT_NEAR(j["Densidade"].get<double>(), DensidadeDoAr(20, 0), 1e-15);
    ASSERT_EQ(j["Tamanhos"].size(), 1u);
    const auto &t = j["Tamanhos"][0];
    EXPECT_EQ(t["Tamanho"], 1000);
    EXPECT_EQ(t["Indice"], 17);
    EXPECT_EQ(t["ArranjosTam"], "1/4");
    EXPECT_EQ(t["RotacaoTam"], 1000.0);
    EXPECT_EQ(t["RendTam"], 80.0);
    EXPECT_EQ(t["MotorTam"], 4);
    EXPECT_EQ(t["PolosTam"], 4);
    EXPECT_EQ(t["IndEspectroTam"], 50);
    for (const char *campo : {"Velocidade", "PTotalPadrao", "PTotalReal", "X", "Y", "RotBase", "RotMaxArr",
                              "DescontoRend", "PotOpTam", "PotPadraoTam", "PotMotorTam", "LwTotTam", "LwATam"})
        EXPECT_TRUE(t.contains(campo)) << campo;
    // A data folder without the energy data file: the figures are null.
    for (const char *campo : {"FEI", "FEIEstatico", "PotEletrica", "RendUE", "AtendeUE", "CustoAnual"})
        EXPECT_TRUE(t[campo].is_null()) << campo;
    // 17 significant digits: the numbers read back as the very doubles the
    // calculation leaves in the table.
    ResetaEstado();
    G().Modelo = LinhaMao();
    ASSERT_TRUE(CarregaMotores(dir.path(), 1));
    G().VazaoCalc = 10000;
    G().PressaoCalc = 50;
    G().Densidade = DensidadeDoAr(20, 0);
    ASSERT_TRUE(CalculaModeloCarregado().Concluido);
    const TResultadoGrade &r = G().Resultado;
    EXPECT_EQ(j["PressaoPadrao"].get<double>(), r.PressaoPadrao);
    EXPECT_EQ(t["PTotalPadrao"].get<double>(), r.PTotalPadrao[17]);
    EXPECT_EQ(t["X"].get<double>(), r.X[17]);
    EXPECT_EQ(t["PotOpTam"].get<double>(), r.PotOpTam[17]);
    EXPECT_EQ(t["LwATam"].get<double>(), r.LwATam[17]);
}

TEST_F(SelecaoCli, LinhaPelaPosicaoETabela) {
    const Execucao e = Roda(Base() + QStringList{QStringLiteral("--linha"), QStringLiteral("1")});
    ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
    EXPECT_TRUE(e.saida.contains(QStringLiteral("DUP"))) << qPrintable(e.saida);
    EXPECT_TRUE(e.saida.contains(QStringLiteral("pt 20º")));
    // The most efficient row is marked; formats "0", "0.0", "0.00".
    const QStringList linhas = e.saida.split(QLatin1Char('\n'));
    const auto it = std::find_if(linhas.begin(), linhas.end(), [](const QString &l) { return l.startsWith('*') && l.contains("1000"); });
    ASSERT_NE(it, linhas.end()) << qPrintable(e.saida);
    EXPECT_TRUE(it->contains(QStringLiteral(" 500 "))) << qPrintable(*it); // 5000 m³/h per inlet / 10
    EXPECT_TRUE(it->contains(QStringLiteral(" 80 ")));
}

TEST_F(SelecaoCli, EntradaInvalidaDaMensagemClaraEStatusNaoZero) {
    struct {
        QStringList args;
        const char *trecho;
    } casos[] = {
        {{"--linha", "MAO", "--pressao", "50"}, "--vazao"},
        {{"--linha", "MAO", "--vazao", "abc", "--pressao", "50"}, "abc"},
        {{"--linha", "MAO", "--vazao", "0", "--pressao", "50"}, "vazão"},
        {{"--linha", "MAO", "--vazao", "-100", "--pressao", "50"}, "vazão"},
        {{"--linha", "MAO", "--vazao", "100", "--pressao"}, "--pressao"},
        {{"--linha", "XYZ", "--vazao", "100", "--pressao", "50"}, "XYZ"},
        {{"--vazao", "100", "--pressao", "50"}, "--linha"},
        {{"--linha", "MAO", "--vazao", "100", "--pressao", "50", "--rapido"}, "--rapido"},
        {{"--linha", "MAO", "--vazao", "100", "--pressao", "50", "--ordem", "preco"}, "--ordem"},
        {{"--todas", "--vazao", "100", "--pressao", "50", "--fei-min", "1"}, "--fei-min"},
        {{"--linha", "MAO", "--vazao", "100", "--pressao", "50", "--fei-min", "x"}, "--fei-min"},
        {{"--linha", "MAO", "--vazao", "100", "--pressao", "50", "--tarifa", "-1"}, "tarifa"},
        {{"--linha", "MAO", "--vazao", "100", "--pressao", "50", "--fei-min", "1"}, "dadefi.dat"},
        {{"--linha", "MAO", "--curva", "1000", "--vazao", "100", "--pressao", "50", "--horas", "10"}, "--horas"},
    };
    for (const auto &c : casos) {
        const Execucao e = Roda(c.args + QStringList{QStringLiteral("--dados"), dir.path()});
        EXPECT_NE(e.status, 0) << qPrintable(c.args.join(' '));
        EXPECT_TRUE(e.erro.contains(QString::fromUtf8(c.trecho))) << qPrintable(e.erro);
        EXPECT_TRUE(e.saida.isEmpty());
    }
}

TEST_F(SelecaoCli, NadaQualificaStatusNaoZeroEMensagem) {
    QStringList a = Base();
    a[3] = QStringLiteral("200000"); // 55 m/s
    const Execucao e = Roda(a + QStringList{QStringLiteral("--linha"), QStringLiteral("MAO")});
    EXPECT_EQ(e.status, 1);
    EXPECT_TRUE(e.erro.contains(QStringLiteral("ultrapassam limites desta linha"))) << qPrintable(e.erro);
}

TEST_F(SelecaoCli, TodasUmaLinhaPorLinha) {
    const Execucao e = Roda(Base() + QStringList{QStringLiteral("--todas"), QStringLiteral("--json")});
    ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
    const auto j = Json(e);
    ASSERT_EQ(j["Linhas"].size(), 2u);
    EXPECT_EQ(j["Linhas"][0]["Linha"], "MAO");
    EXPECT_EQ(j["Linhas"][0]["Destaque"], 1000);
    EXPECT_EQ(j["Linhas"][1]["Linha"], "DUP");
    EXPECT_EQ(j["Linhas"][1]["Tamanho"]["RotacaoTam"], 500.0);

    const Execucao t = Roda(Base() + QStringList{QStringLiteral("--todas")});
    ASSERT_EQ(t.status, 0);
    EXPECT_TRUE(t.saida.contains(QStringLiteral("\n  MAO    1000 1/4"))) << qPrintable(t.saida);
    EXPECT_TRUE(t.saida.contains(QStringLiteral("\n  DUP    1000 1/4"))) << qPrintable(t.saida);
}

TEST_F(SelecaoCli, CurvaDeUmTamanho) {
    const Execucao e = Roda(Base() + QStringList{QStringLiteral("--linha"), QStringLiteral("MAO"),
                                                 QStringLiteral("--curva"), QStringLiteral("1000")});
    ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
    const auto j = Json(e);
    ASSERT_FALSE(j.is_discarded());
    EXPECT_EQ(j["RpmCurva"][0], 1000);
    EXPECT_EQ(j["RpmCurva"][1], 190);
    EXPECT_EQ(j["RotCurva"].size(), 11u);
    EXPECT_EQ(j["VazaoCurva"][10][6], 1750);
    EXPECT_EQ(j["PressaoCurva"].size(), 11u);
    EXPECT_EQ(j["RendCurva"].size(), 7u);
    EXPECT_EQ(j["EscalaVazao"], 2000);
    EXPECT_EQ(j["EscalaPressao"], 50);
    EXPECT_TRUE(j.contains("PressaoMaxCurva"));

    const Execucao nao = Roda(Base() + QStringList{QStringLiteral("--linha"), QStringLiteral("MAO"),
                                                   QStringLiteral("--curva"), QStringLiteral("900")});
    EXPECT_EQ(nao.status, 1);
    EXPECT_TRUE(nao.erro.contains(QStringLiteral("900")));
}

TEST_F(SelecaoCli, LoteComLinhasRuinsSeguiComAsBoas) {
    const QString f = Csv("tag;qtd;descricao;vazao;pressao;temperatura;altitude\r\n"
                          "V-01;2;\"Exaust\xC3\xA3o; galp\xC3\xA3o\";10000;50;20;0\r\n"
                          "V-02;1;sem vaz\xC3\xA3o;abc;50;;\r\n"
                          "\r\n"
                          "V-03;1;curta;10000\r\n"
                          "V-04;;virgula decimal;8000,5;40,0\r\n"
                          "V-05;1;zero;0;50\r\n");
    const Execucao e = Roda({QStringLiteral("--dados"), dir.path(), QStringLiteral("--lote"), f,
                             QStringLiteral("--linha"), QStringLiteral("MAO"), QStringLiteral("--json")});
    ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
    EXPECT_TRUE(e.erro.contains(QStringLiteral("linha 3"))) << qPrintable(e.erro);
    EXPECT_TRUE(e.erro.contains(QStringLiteral("linha 5")));
    EXPECT_TRUE(e.erro.contains(QStringLiteral("linha 7")));
    EXPECT_FALSE(e.erro.contains(QStringLiteral("linha 6")));
    const auto j = Json(e);
    ASSERT_EQ(j.size(), 2u) << qPrintable(e.saida);
    EXPECT_EQ(j[0]["Tag"], "V-01");
    EXPECT_EQ(j[0]["Qtd"], 2);
    EXPECT_EQ(j[0]["Descricao"], "Exaustão; galpão");
    EXPECT_EQ(j[0]["Selecao"]["Destaque"], 1000);
    EXPECT_EQ(j[1]["Tag"], "V-04");
    EXPECT_EQ(j[1]["Qtd"], 1);
    EXPECT_EQ(j[1]["Vazao"], 8000.5);
    EXPECT_EQ(j[1]["Pressao"], 40.0);
}

TEST_F(SelecaoCli, LoteContraTodasAsLinhasVirgula) {
    const QString f = Csv("tag,qtd,descricao,vazao,pressao,temperatura,altitude\n"
                          "A,1,um,10000,50,20,0\n"
                          "B,1,dois,20000,60,40,800\n");
    const Execucao e = Roda({QStringLiteral("--dados"), dir.path(), QStringLiteral("--lote"), f,
                             QStringLiteral("--todas")});
    ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
    // One row per duty and line, below the two header lines.
    EXPECT_EQ(e.saida.trimmed().split(QLatin1Char('\n')).size(), 2 + 4) << qPrintable(e.saida);
}

TEST_F(SelecaoCli, LoteSalvoPelaPlanilhaEmWindows1252) {
    const QString f = Csv("tag;qtd;descri\xE7\xE3o;vaz\xE3o;press\xE3o\r\n"
                          "V-01;1;Exaust\xE3o do galp\xE3o;10.000,0;50\r\n");
    const Execucao e = Roda({QStringLiteral("--dados"), dir.path(), QStringLiteral("--lote"), f,
                             QStringLiteral("--linha"), QStringLiteral("MAO"), QStringLiteral("--json")});
    ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
    const auto j = Json(e);
    ASSERT_EQ(j.size(), 1u);
    EXPECT_EQ(j[0]["Descricao"], "Exaustão do galpão");
    EXPECT_EQ(j[0]["Vazao"], 10000.0);
    EXPECT_EQ(j[0]["Temperatura"], 20.0); // columns left out: 20 °C, 0 m
    EXPECT_EQ(j[0]["Altitude"], 0.0);
}

TEST_F(SelecaoCli, LoteSemNenhumaLinhaBoaFalha) {
    const QString f = Csv("tag,qtd,descricao,vazao,pressao\nA,1,x,,50\nB,0,y,100,50\n");
    const Execucao e = Roda({QStringLiteral("--dados"), dir.path(), QStringLiteral("--lote"), f,
                             QStringLiteral("--todas")});
    EXPECT_EQ(e.status, 1);
    EXPECT_TRUE(e.erro.contains(QStringLiteral("linha 2: falta a vazão"))) << qPrintable(e.erro);
    EXPECT_TRUE(e.erro.contains(QStringLiteral("linha 3: quantidade inválida"))) << qPrintable(e.erro);
    const Execucao semArquivo = Roda({QStringLiteral("--dados"), dir.path(), QStringLiteral("--lote"),
                                      dir.filePath(QStringLiteral("nao.csv")), QStringLiteral("--todas")});
    EXPECT_EQ(semArquivo.status, 1);
    EXPECT_TRUE(semArquivo.erro.contains(QStringLiteral("nao.csv")));
}

TEST(SelecaoAmostra, AlvoDeSanidadeNaLinhaBSD) {
    // 10 000 m³/h, 50 mmCA, 20 °C, 0 m on the sample line BSD.
    const QString dir = QStringLiteral(QUELLORA_DADOS_DIR);
    QStringList lista;
    ASSERT_TRUE(ListaModelos(dir, lista));
    int p = -1;
    for (int k = 0; k < lista.size(); ++k)
        if (lista[k].startsWith(QStringLiteral("BSD")))
            p = k;
    if (p < 0)
        GTEST_SKIP() << "the sample catalogue has no line BSD yet";
    ASSERT_TRUE(CarregaMotores(dir, 1));
    TEstado &g = G();
    g.TempDens = 20;
    g.AltDens = 0;
    CalculaDensidade();
    g.VazaoCalc = 10000;
    g.PressaoCalc = 50;
    g.ModeloCalc = p;
    ASSERT_TRUE(CalculaTamanhos(dir).Concluido);
    const int i = TamanhoDestaque(g.Resultado);
    ASSERT_GT(i, 0);
    const TResultadoGrade &r = g.Resultado;
    const int tamanho = LinhaDaGrade(r, i, DensidadeRef(0)).Tamanho;
    EXPECT_GE(tamanho, 560);
    EXPECT_LE(tamanho, 800);
    EXPECT_GE(r.RotacaoTam[i], 700);
    EXPECT_LE(r.RotacaoTam[i], 1300);
    EXPECT_GE(r.RendTam[i], 75);
    EXPECT_LE(r.RendTam[i], 85);
    EXPECT_GE(r.PotOpTam[i], 1.7);
    EXPECT_LE(r.PotOpTam[i], 2.5);
    EXPECT_GE(r.LwATam[i], 80);
    EXPECT_LE(r.LwATam[i], 98);
}

// quellora-cli ruido and sistema, and what selecao --json adds per size.
TEST(SistemaCli, RuidoSistemaEAvisos) {
    const QString dados = QStringLiteral(QUELLORA_DADOS_DIR);
    const QStringList lw = {QStringLiteral("--lw"), QStringLiteral("90,92,94,96,95,93,90,85"), QStringLiteral("--dados"),
                            dados};
    const Execucao r = ExecutaCli(QStringList{QStringLiteral("ruido")} + lw);
    ASSERT_EQ(r.status, 0) << qPrintable(r.erro);
    auto j = Json(r);
    EXPECT_NEAR(j["LwTotal"].get<double>(), 101.9178, 1e-4);
    EXPECT_NEAR(j["LwA"].get<double>(), 99.8184, 1e-4);
    ASSERT_EQ(j["LpBandas"].size(), 8u);
    EXPECT_NEAR(j["LpBandas"][0].get<double>(), 90 - 7.9818, 1e-4);
    EXPECT_NEAR(j["LpA"].get<double>(), 91.8366, 1e-4);
    EXPECT_EQ(j["ExposicaoNR15"], 180);
    // Farther away, in free field: 12 dB less, and the exposure of 80 dB(A).
    j = Json(ExecutaCli(QStringList{QStringLiteral("ruido")} + lw +
                        QStringList{QStringLiteral("--distancia"), QStringLiteral("2"), QStringLiteral("--q"),
                                    QStringLiteral("1")}));
    EXPECT_NEAR(j["LpA"].get<double>(), 91.8366 + 7.9818 - 17.0127, 1e-4);
    EXPECT_EQ(j["ExposicaoNR15"], 480);
    j = Json(ExecutaCli({QStringLiteral("ruido"), QStringLiteral("--lw"), QStringLiteral("130,130,130,130,130,130,130,130"),
                         QStringLiteral("--dados"), dados}));
    EXPECT_TRUE(j["ExposicaoNR15"].is_null());

    // Three fans of 10000 m³/h on BSD 710: all three near the duty, two
    // with one stopped, the curve of the three together.
    const QStringList sistema = {QStringLiteral("sistema"), QStringLiteral("--linha"), QStringLiteral("BSD"),
                                 QStringLiteral("--tamanho"), QStringLiteral("710"), QStringLiteral("--vazao"),
                                 QStringLiteral("30000"), QStringLiteral("--pressao"), QStringLiteral("50"),
                                 QStringLiteral("--ventiladores"), QStringLiteral("3"), QStringLiteral("--dados"), dados};
    const Execucao s = ExecutaCli(sistema);
    ASSERT_EQ(s.status, 0) << qPrintable(s.erro);
    j = Json(s);
    EXPECT_GT(j["Rotacao"].get<int>(), 700);
    ASSERT_EQ(j["Pontos"].size(), 2u);
    EXPECT_EQ(j["Pontos"][0]["Ventiladores"], 3);
    EXPECT_NEAR(j["Pontos"][0]["VazaoTotal"].get<double>(), 30000, 600);
    EXPECT_NEAR(j["Pontos"][0]["VazaoPorVentilador"].get<double>(), 10000, 200);
    EXPECT_NEAR(j["Pontos"][0]["Pressao"].get<double>(), 50, 2);
    EXPECT_EQ(j["Pontos"][1]["Ventiladores"], 2);
    EXPECT_LT(j["Pontos"][1]["VazaoTotal"].get<double>(), j["Pontos"][0]["VazaoTotal"].get<double>());
    EXPECT_GT(j["Pontos"][1]["PotenciaPorVentilador"].get<double>(), 0);
    ASSERT_EQ(j["Curva"].size(), 7u);
    EXPECT_TRUE(j["Avisos"].is_array());

    const struct {
        QStringList troca; // option and value replacing those of 'sistema'
        const char *trecho;
    } ruins[] = {
        {{"--ventiladores", "7"}, "ventiladores"},
        {{"--tamanho", "123"}, "tamanho"},
        {{"--p0", "50"}, "--p0"},
        {{"--linha", "XYZ"}, "XYZ"},
        {{"--q", "3"}, "diretividade"},
    };
    for (const auto &c : ruins) {
        SCOPED_TRACE(c.trecho);
        QStringList a = sistema;
        const qsizetype i = a.indexOf(c.troca[0]);
        if (i >= 0)
            a[i + 1] = c.troca[1];
        else
            a << c.troca;
        const Execucao e = ExecutaCli(a);
        EXPECT_NE(e.status, 0);
        EXPECT_TRUE(e.erro.contains(QString::fromUtf8(c.trecho))) << qPrintable(e.erro);
        EXPECT_TRUE(e.saida.isEmpty());
    }

    // selecao --json: each size's bands, sound pressure, exposure and
    // warnings; with two fans each takes half.
    const Execucao sel = ExecutaCli({QStringLiteral("selecao"), QStringLiteral("--linha"), QStringLiteral("BSD"),
                                     QStringLiteral("--vazao"), QStringLiteral("20000"), QStringLiteral("--pressao"),
                                     QStringLiteral("50"), QStringLiteral("--ventiladores"), QStringLiteral("2"),
                                     QStringLiteral("--json"), QStringLiteral("--dados"), dados});
    ASSERT_EQ(sel.status, 0) << qPrintable(sel.erro);
    j = Json(sel);
    EXPECT_EQ(j["VazaoEntrada"], 10000.0);
    bool rapido = false;
    for (const auto &t : j["Tamanhos"]) {
        EXPECT_EQ(t["LwBandas"].size(), 8u);
        EXPECT_TRUE(t["LpA"].is_number());
        EXPECT_TRUE(t["ExposicaoNR15"].is_number());
        const bool v = t["Velocidade"].get<double>() > 15;
        EXPECT_EQ(std::find(t["Avisos"].begin(), t["Avisos"].end(), "velocidade") != t["Avisos"].end(), v);
        rapido = rapido || v;
    }
    EXPECT_TRUE(rapido);
    // Not for a schedule, whose output stays as it is.
    const Execucao lote = ExecutaCli({QStringLiteral("selecao"), QStringLiteral("--lote"), QStringLiteral("x.csv"),
                                      QStringLiteral("--todas"), QStringLiteral("--ventiladores"), QStringLiteral("2")});
    EXPECT_EQ(lote.status, 2);
    EXPECT_TRUE(lote.erro.contains(QStringLiteral("--lote"))) << qPrintable(lote.erro);
}

TEST(SelecaoAmostra, LoteDeTodasAsLinhasComoGuardado) {
    // 120 duties from 1 500 to 90 000 m³/h, 15 to 250 mmCA, 15 to 60 °C and
    // 0 to 1 500 m over every sample line: the text and the messages, byte
    // for byte as kept beside this test.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString f = dir.filePath(QStringLiteral("lote.csv"));
    ASSERT_TRUE(GravaLoteAmostra(f, 120, 0, 120));
    const Execucao e = Roda({QStringLiteral("--dados"), QStringLiteral(QUELLORA_DADOS_DIR), QStringLiteral("--lote"),
                             f, QStringLiteral("--todas")});
    ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
    for (const auto &[nome, texto] : {std::pair{"lote_todas.txt", e.saida}, std::pair{"lote_todas_avisos.txt", e.erro}}) {
        QFile g(QStringLiteral(QUELLORA_SOURCE_DIR "/tests/selection/") + QLatin1String(nome));
        if (qEnvironmentVariableIsSet("QUELLORA_ATUALIZA_REFERENCIAS") && g.open(QIODevice::WriteOnly))
            g.write(texto.toUtf8());
        g.close();
        ASSERT_TRUE(g.open(QIODevice::ReadOnly)) << nome;
        EXPECT_TRUE(g.readAll() == texto.toUtf8()) << nome;
    }
}

TEST(SelecaoAmostra, LoteGrandeComoPontoAPonto) {
    // Several hundred duties are computed in runs, on every processor at
    // once; the table, the JSON and the messages are still those of the same
    // duties given a hundred at a time (each such file a single run), joined
    // in the order of the file.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    constexpr int Pontos = 790, PorParte = 100;
    const QString inteiro = dir.filePath(QStringLiteral("inteiro.csv"));
    ASSERT_TRUE(GravaLoteAmostra(inteiro, Pontos, 0, Pontos));
    QStringList partes;
    for (int de = 0; de < Pontos; de += PorParte) {
        partes << dir.filePath(QStringLiteral("parte%1.csv").arg(de));
        ASSERT_TRUE(GravaLoteAmostra(partes.back(), Pontos, de, std::min(de + PorParte, Pontos)));
    }
    const struct {
        QStringList opcoes;
        bool json;
    } casos[] = {
        {{QStringLiteral("--todas")}, false},
        {{QStringLiteral("--todas"), QStringLiteral("--json")}, true},
        {{QStringLiteral("--linha"), QStringLiteral("AXI")}, false},
        {{QStringLiteral("--linha"), QStringLiteral("BDD"), QStringLiteral("--json")}, true},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(qPrintable(c.opcoes.join(' ')));
        auto roda = [&](const QString &arquivo) {
            return Roda(QStringList{QStringLiteral("--dados"), QStringLiteral(QUELLORA_DADOS_DIR),
                                    QStringLiteral("--lote"), arquivo} +
                        c.opcoes);
        };
        const Execucao e = roda(inteiro);
        ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
        // A part none of whose duties a line answers ends with that message
        // and fails; the whole schedule does not.
        const QString nenhum = QStringLiteral("Nenhum ponto de operação atendido.\n");
        QString saida, erro;
        for (const QString &parte : partes) {
            Execucao p = roda(parte);
            ASSERT_TRUE(p.status == 0 || (p.status == 1 && p.erro.endsWith(nenhum))) << qPrintable(p.erro);
            if (p.status == 1)
                p.erro.chop(nenhum.size());
            erro += p.erro;
            if (c.json) { // one array: the parts' elements joined by commas
                ASSERT_TRUE(p.saida.startsWith(QLatin1Char('[')) && p.saida.endsWith(QStringLiteral("]\n")));
                saida += (saida.isEmpty() ? QStringLiteral("[") : QStringLiteral(",")) + p.saida.mid(1, p.saida.size() - 3);
            } else { // one table: the two header lines once
                saida += saida.isEmpty() ? p.saida : p.saida.section(QLatin1Char('\n'), 2);
            }
        }
        if (c.json)
            saida += QStringLiteral("]\n");
        EXPECT_FALSE(erro.isEmpty()); // the sample's duties have messages
        EXPECT_TRUE(e.erro == erro);
        EXPECT_TRUE(e.saida == saida);
        EXPECT_EQ(e.saida.count(QLatin1Char('\n')), c.json ? 1 : 2 + Pontos * (c.opcoes.size() == 1 ? 6 : 1));
    }
}

TEST(SelecaoAmostra, FeiDoJsonEAFormulaSobreOsNumerosDoProprioJson) {
    const QString dados = QStringLiteral(QUELLORA_DADOS_DIR);
    // BSD is measured on the total pressure (category B), AXI on the static (A).
    for (const char *linha : {"BSD", "AXI", "SCD"}) {
        SCOPED_TRACE(linha);
        const Execucao e = ExecutaCli({"selecao", "--dados", dados, "--linha", linha, "--vazao", "20000", "--pressao",
                                       "40", "--temperatura", "35", "--altitude", "600", "--horas", "5000",
                                       "--tarifa", "0.9", "--json"});
        ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
        const auto j = Json(e);
        ASSERT_FALSE(j.is_discarded());
        EXPECT_EQ(j["HorasAno"], 5000.0);
        const double rho = j["Densidade"], q = j["Vazao"].get<double>() / 3600;
        const double ps = j["PressaoPadrao"].get<double>() * rho / 1.205 * PascalPorMmCA;
        ASSERT_FALSE(j["Tamanhos"].empty());
        for (const auto &t : j["Tamanhos"]) {
            SCOPED_TRACE(t["Tamanho"].get<int>());
            const double pt = t["PTotalReal"].get<double>() * PascalPorMmCA;
            const double fep = t["PotOpTam"].get<double>() / (t["RendTransmissao"].get<double>() * t["RendMotor"].get<double>());
            EXPECT_NEAR(t["PotEletrica"].get<double>(), fep, 1e-12 * fep);
            EXPECT_NEAR(t["FEI"].get<double>(), CalculaFEI(q, pt, rho, fep, BaseFEI::Total).FEI, 1e-12);
            EXPECT_NEAR(t["FEIEstatico"].get<double>(), CalculaFEI(q, ps, rho, fep, BaseFEI::Estatica).FEI, 1e-12);
            const bool estatica = t["CategoriaUE"] == "A" || t["CategoriaUE"] == "C";
            const double rendUE = 100 * q * (estatica ? ps : pt) / (1000 * fep);
            EXPECT_NEAR(t["RendUE"].get<double>(), rendUE, 1e-9);
            EXPECT_EQ(t["AtendeUE"].get<bool>(), rendUE >= t["RendMinUE"].get<double>());
            EXPECT_NEAR(t["ConsumoAnual"].get<double>(), fep * 5000, 1e-9 * fep * 5000);
            EXPECT_NEAR(t["CustoAnual"].get<double>(), fep * 5000 * 0.9, 1e-9 * fep * 5000);
            // A belt drive whenever a belt arrangement is admissible; the motor the size gets.
            const double trans = t["RendTransmissao"];
            EXPECT_TRUE(trans == 1.0 || std::fabs(trans - RendTransmissaoCorreia(t["PotOpTam"])) < 1e-15);
        }
    }
}

TEST(SelecaoAmostra, TamanhosFiltradosEOrdenadosPelaEnergia) {
    const QStringList base = {"selecao", "--dados", QUELLORA_DADOS_DIR, "--linha", "BSD", "--vazao", "10000",
                              "--pressao", "50", "--json"};
    const auto todos = Json(ExecutaCli(base))["Tamanhos"];
    ASSERT_GE(todos.size(), 4u);
    std::size_t acima = 0;
    for (const auto &t : todos)
        acima += t["FEI"].get<double>() >= 1.4;
    ASSERT_GT(acima, 0u);
    ASSERT_LT(acima, todos.size());
    const struct {
        QStringList opcoes;
        const char *campo;
        int sinal; // +1 ascending, -1 descending
        std::size_t quantos;
    } casos[] = {
        {{"--ordem", "fei"}, "FEI", -1, todos.size()},
        {{"--ordem", "potencia"}, "PotOpTam", +1, todos.size()},
        {{"--ordem", "custo"}, "CustoAnual", +1, todos.size()},
        {{"--fei-min", "1.4"}, "Tamanho", +1, acima},
        {{"--fei-min", "1,4", "--ordem", "custo"}, "CustoAnual", +1, acima},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.opcoes.join(' ').toStdString());
        const Execucao e = ExecutaCli(base + c.opcoes);
        ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
        const auto t = Json(e)["Tamanhos"];
        ASSERT_EQ(t.size(), c.quantos);
        for (std::size_t k = 1; k < t.size(); ++k)
            EXPECT_LE(c.sinal * t[k - 1][c.campo].get<double>(), c.sinal * t[k][c.campo].get<double>()) << k;
        for (const auto &x : t)
            EXPECT_TRUE(c.opcoes[0] != "--fei-min" || x["FEI"].get<double>() >= 1.4);
    }
    const Execucao nenhum = ExecutaCli(base + QStringList{"--fei-min", "9"});
    EXPECT_EQ(nenhum.status, 1);
    EXPECT_TRUE(nenhum.erro.contains(QStringLiteral("FEI de pelo menos 9"))) << qPrintable(nenhum.erro);

    // The text table: FEI and the EU check at the right of the grid's columns.
    const Execucao texto = ExecutaCli(base.mid(0, base.size() - 1));
    ASSERT_EQ(texto.status, 0);
    const QString cabecalho = texto.saida.section(QLatin1Char('\n'), 3, 3);
    EXPECT_TRUE(cabecalho.endsWith(QStringLiteral("LwA   FEI  UE"))) << qPrintable(cabecalho);
    EXPECT_TRUE(texto.saida.contains(QStringLiteral("✓")));
}

TEST(FeiCli, IndiceDeUmPontoEErrosDeUso) {
    const struct {
        QStringList args;
        double fei, tolerancia;
    } casos[] = {
        // 1 m³/s at 100 Pa, 1 kW electrical.
        {{"--vazao", "3600", "--pressao", "10.19716213", "--potencia-eletrica", "1"}, 0.4917, 5e-5},
        // 6000 cfm at 1 in. wg static, 1.39 bhp on a bare shaft.
        {{"--vazao", "10193.99", "--pressao", "25.4", "--base", "estatica", "--potencia", "1.0365"}, 1.65, 0.01},
        // 10 000 cfm at 3 in. wg, 6.86 bhp.
        {{"--vazao", "16990.11", "--pressao", "76.2", "--base", "estatica", "--potencia", "5.1155"}, 1.34, 0.01},
        // A belt drive and a 90 % motor: FEP = H / (belt · motor).
        {{"--vazao", "3600", "--pressao", "10.19716213", "--potencia", "0.5", "--transmissao", "correia",
          "--rend-motor", "0,9"},
         CalculaFEI(1, 100, 1.2, 0.5 / (RendTransmissaoCorreia(0.5) * 0.9), BaseFEI::Total).FEI, 1e-6},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Execucao e = ExecutaCli(QStringList{"fei"} + c.args);
        ASSERT_EQ(e.status, 0) << qPrintable(e.erro);
        const auto j = Json(e);
        EXPECT_NEAR(j["FEI"].get<double>(), c.fei, c.tolerancia);
        EXPECT_NEAR(j["FEPRef"].get<double>() / j["FEPReal"].get<double>(), j["FEI"].get<double>(), 1e-12);
        EXPECT_GT(j["PotRef"].get<double>(), 0);
    }
    for (const QStringList &ruim : {QStringList{"--vazao", "3600", "--pressao", "10"},
                                    QStringList{"--vazao", "3600", "--pressao", "10", "--potencia", "1",
                                                "--potencia-eletrica", "1"},
                                    QStringList{"--vazao", "3600", "--pressao", "10", "--potencia", "1", "--rend-motor",
                                                "0.9"},
                                    QStringList{"--vazao", "3600", "--pressao", "10", "--potencia", "1", "--base", "x"},
                                    QStringList{"--vazao", "0", "--pressao", "10", "--potencia", "1"}}) {
        const Execucao e = ExecutaCli(QStringList{"fei"} + ruim);
        EXPECT_EQ(e.status, 2) << qPrintable(ruim.join(' '));
        EXPECT_FALSE(e.erro.isEmpty());
        EXPECT_TRUE(e.saida.isEmpty());
    }
}
