#include "selection/arranjo.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include <set>

using namespace quellora;

namespace {

// What an arrangement's panel of the pictures draws.
struct Figura {
    bool achada = false, acoplamento = false, correia = false;
    QString legenda;

    static Figura Da(int pagina, const QString &id) {
        QFile arquivo(QStringLiteral(QUELLORA_SOURCE_DIR "/resources/imagens/arranjos_%1.svg")
                          .arg(pagina == PAG_DUPLA ? QStringLiteral("dupla") : QStringLiteral("simples")));
        EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly));
        QXmlStreamReader x(&arquivo);
        Figura f;
        int dentro = 0;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement()) {
                if (dentro)
                    ++dentro;
                else if (x.name() == QLatin1String("g") && x.attributes().value("id") == id)
                    dentro = f.achada = true;
                if (!dentro)
                    continue;
                const auto c = x.attributes().value("class");
                f.acoplamento |= c == QLatin1String("acoplamento");
                f.correia |= c == QLatin1String("correia");
                if (x.name() == QLatin1String("text"))
                    f.legenda = x.readElementText(), --dentro;
            } else if (x.isEndElement() && dentro) {
                --dentro;
            }
        }
        EXPECT_FALSE(x.hasError()) << x.errorString().toStdString();
        return f;
    }
};

} // namespace

TEST(Arranjo, CaixasHabilitadasPelaListaDoTamanho) {
    const struct {
        const char *nome, *lista;
        int pagina, rotMax4;
        std::set<int> caixas;                  // enabled boxes
        std::vector<std::pair<int, int>> tags; // (box, arrangement index)
    } casos[] = {
        {"simples com 4", "1/3/9/4", PAG_SIMPLES, 1140, {1, 2, 6, 3}, {{1, 1}, {2, 2}, {6, 7}, {3, 3}}},
        {"simples, 4 sem rotação", "1/3/9/4", PAG_SIMPLES, 0, {1, 2, 6}, {{3, 3}}},
        {"todas as de correia", "1/8/9/10/4", PAG_SIMPLES, 1, {1, 5, 6, 7, 3}, {{5, 6}, {7, 8}}},
        {"4K", "4K", PAG_SIMPLES, 0, {4}, {{4, 4}}},
        {"dupla", "3/7", PAG_DUPLA, 0, {8, 9}, {{8, 2}, {9, 5}}},
        {"designações desconhecidas", "-/X//11", PAG_SIMPLES, 1, {}, {}},
        {"vazia", "", PAG_SIMPLES, 1, {}, {}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        TDadosModelo m;
        m.ArranjoModelo[ArranjoDireto].RotMaxTam[14] = c.rotMax4;
        const TCaixasArranjo cx = CaixasHabilitadas(c.lista, c.pagina, m, 14);
        for (int n = 1; n <= NumCaixasArranjo; ++n)
            EXPECT_EQ(cx[n].Habilitada, c.caixas.count(n) == 1) << "ckb" << n;
        for (const auto &[n, k] : c.tags)
            EXPECT_EQ(cx[n].Tag, k) << "ckb" << n;
    }
    // Direct coupling by tag and page, and the arrangement's picture drawn
    // so: a coupling and no belt, or a belt and no coupling.
    for (const auto &[tag, pagina, direto] :
         {std::tuple{1, PAG_SIMPLES, false}, {3, PAG_SIMPLES, true}, {4, PAG_SIMPLES, true}, {6, PAG_SIMPLES, false},
          {7, PAG_SIMPLES, false}, {8, PAG_SIMPLES, true}, {2, PAG_DUPLA, false}, {5, PAG_DUPLA, true},
          {3, PAG_DUPLA, false}}) {
        SCOPED_TRACE(testing::Message() << "tag " << tag << " página " << pagina);
        EXPECT_EQ(ArranjoDiretoNaPagina(tag, pagina), direto);
        if (tag == 3 && pagina == PAG_DUPLA)
            continue; // no box of its own there
        const QString nome = (pagina == PAG_DUPLA ? QStringLiteral("dupla-") : QStringLiteral("simples-")) +
                             QString::fromLatin1(Arranjos[tag]);
        const Figura f = Figura::Da(pagina, nome);
        EXPECT_TRUE(f.achada);
        EXPECT_EQ(f.acoplamento, direto);
        EXPECT_EQ(f.correia, !direto);
        EXPECT_EQ(f.legenda, direto ? "acoplamento direto" : "correia");
    }
}

class Direto : public ::testing::Test {
protected:
    void SetUp() override {
        auto &g = G();
        g.DirDados = QStringLiteral(QUELLORA_DADOS_DIR "/");
        QStringList linhas;
        ASSERT_TRUE(ListaModelos(g.DirDados, linhas));
        ASSERT_TRUE(CarregaModelo(g.DirDados, 0)); // BSD
        ASSERT_TRUE(CarregaMotores(g.DirDados, 1));
        g.ItemAtual = 1;
        TItemOrc &it = g.Itens[1];
        it.Vazao = g.VazaoCalc = 10000;
        it.Pressao = g.PressaoCalc = 50;
        it.DensidadeItem = g.Densidade = 1.205;
        g.SoTamanho = false;
        ASSERT_TRUE(CalculaModeloCarregado().Concluido);
        antes = g.Resultado;
    }

    static constexpr int i = 14; // size 710
    TResultadoGrade antes;
};

TEST_F(Direto, DezPorCentoAbaixoEscalaVazaoEPressaoERecalculaOTamanho) {
    auto &g = G();
    const TItemOrc &it = g.Itens[1];
    ASSERT_TRUE(antes.Qualificado[i]);
    // 4 poles at 60 Hz, at 900 from 1000: g = 0.9 exactly.
    ASSERT_TRUE(PreparaDireto(g.DirDados, i, 900, 1000, 1));
    EXPECT_EQ(it.Polos, 1);
    EXPECT_EQ(it.FreqDireto, 0);
    EXPECT_DOUBLE_EQ(g.Resultado.VazaoEntrada, 10000 * 0.9);
    EXPECT_DOUBLE_EQ(it.VazaoDireto, 9000);
    EXPECT_DOUBLE_EQ(g.Resultado.PressaoPadrao, antes.PressaoPadrao * 0.81);
    EXPECT_DOUBLE_EQ(it.PressaoDireto, 50 * 0.81);
    EXPECT_DOUBLE_EQ(g.PressaoCalc, 50 * 0.81);
    EXPECT_TRUE(g.SoTamanho);
    EXPECT_EQ(g.TamanhoUnico, i);
    EXPECT_TRUE(DeverReescalado());

    // The single size at the rescaled duty runs 10 % slower; the others keep
    // their results.
    ASSERT_TRUE(CalculaModeloCarregado().Concluido);
    EXPECT_EQ(g.Resultado.NumQualificados, 1);
    EXPECT_NEAR(g.Resultado.RotacaoTam[i], 0.9 * antes.RotacaoTam[i], 1e-9 * antes.RotacaoTam[i]);
    EXPECT_NEAR(g.Resultado.RendTam[i], antes.RendTam[i], 1e-9);
    EXPECT_EQ(g.Resultado.RotacaoTam[i - 1], antes.RotacaoTam[i - 1]);
    EXPECT_EQ(g.Resultado.PolosTam[i], 1);
    EXPECT_EQ(it.RotMotor, g.Motores[g.Resultado.MotorTam[i]].PoloMotor[2].RotacaoMotor);

    // A second rescale follows the speed in force: the same speed keeps the
    // pressure already rescaled.
    ASSERT_TRUE(PreparaDireto(g.DirDados, i, 900, 900, 1));
    EXPECT_DOUBLE_EQ(it.PressaoDireto, 50 * 0.81);
    EXPECT_DOUBLE_EQ(it.VazaoDireto, 9000);

    // Back to the item's own duty: the size as the full calculation had it.
    PreparaDeverDoItem(i);
    EXPECT_FALSE(DeverReescalado());
    EXPECT_DOUBLE_EQ(g.PressaoCalc, 50);
    ASSERT_TRUE(CalculaModeloCarregado().Concluido);
    EXPECT_EQ(g.Resultado.RotacaoTam[i], antes.RotacaoTam[i]);
    EXPECT_EQ(g.Resultado.PotOpTam[i], antes.PotOpTam[i]);

    // No size or no speed to start from: refused, nothing rescaled.
    const double vazao = g.Resultado.VazaoEntrada;
    QString erro;
    EXPECT_FALSE(PreparaDireto(g.DirDados, i, 900, 0, 1, &erro));
    EXPECT_FALSE(PreparaDireto(g.DirDados, 0, 900, 1000, 1, &erro));
    EXPECT_FALSE(erro.isEmpty());
    EXPECT_EQ(g.Resultado.VazaoEntrada, vazao);
}

TEST_F(Direto, ConfirmacaoPolosSugeridosBandasEPreco) {
    auto &g = G();
    TPrecoModelo precos;
    precos.Arranjo[1].PrecoVent[i] = 5630;
    precos.Arranjo[ArranjoDireto].PrecoVent[i] = 4790;
    const TLinhaGrade linha = LinhaDaGrade(antes, i, DensidadeRef(0));
    const struct {
        const char *nome;
        int k;
        bool direto;
        int polosItem, espectro, polosSug; // the direct coupling's pole choice, sound row (0: none)
        double preco;
    } casos[] = {
        {"correia", 1, false, 0, antes.IndEspectroTam[i], antes.PolosTam[i] / 2, 5630},
        {"direto, 6 polos", ArranjoDireto, true, 2, antes.IndEspectroTam[i], 3, 4790},
        {"sem linha de espectro", 1, false, 0, 0, antes.PolosTam[i] / 2, 5630},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        TResultadoGrade r = antes;
        r.IndEspectroTam[i] = c.espectro;
        TItemOrc it;
        it.Polos = c.polosItem;
        GravaArranjo(it, linha, r, g.Modelo, precos, c.k, c.direto);
        EXPECT_TRUE(it.Selecionado);
        EXPECT_EQ(it.Arranjo, c.k);
        EXPECT_EQ(it.Direto, c.direto);
        EXPECT_EQ(it.PolosSug, c.polosSug);
        EXPECT_EQ(it.PrecoVent, c.preco);
        for (int b = 1; b <= 8; ++b)
            EXPECT_DOUBLE_EQ(it.LwBanda[b], it.LwA + (c.espectro ? g.Modelo.Espectro[c.espectro].Banda[b] : 0.0));
    }
}
