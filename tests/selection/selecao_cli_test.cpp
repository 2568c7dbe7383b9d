// quellora-cli selecao, run as a user runs it, on the hand-made line and on
// the shipped sample catalogue.

#include "catalogue/catalogo.h"
#include "cli_execucao.h"
#include "quotation/orcamento.h"
#include "selection/calculo.h"
#include "selection/linha_mao.h"
#include "shell/estado.h"

#include <QFile>
#include <QTemporaryDir>

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

TEST(SelecaoAmostra, LoteDeTodasAsLinhasComoGuardado) {
    // 120 duties from 1 500 to 90 000 m³/h, 15 to 250 mmCA, 15 to 60 °C and
    // 0 to 1 500 m over every sample line: the text and the messages, byte
    // for byte as kept beside this test.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray csv = "tag;qtd;descricao;vazao;pressao;temperatura;altitude\r\n";
    constexpr int Pontos = 120;
    for (int k = 0; k < Pontos; ++k) {
        const double f = k / double(Pontos - 1);
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
    const QString f = dir.filePath(QStringLiteral("lote.csv"));
    QFile q(f);
    ASSERT_TRUE(q.open(QIODevice::WriteOnly));
    q.write(csv);
    q.close();
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
