// The price update over the quotation being edited, on a copy of the sample
// catalogue (item_bsd450.h; besides, motor group 6 row 10: 6140 for the 2/4
// and 5850 for the 4/8 Dahlander, none for 6 and 8 poles).

#include "pricing/atualizacao.h"

#include "catalogue/arquivos.h"
#include "catalogue/catalogo.h"
#include "pricing/item_bsd450.h"
#include "shell/estado.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace quellora;
using namespace quellora::teste;

namespace {

class AtualizacaoPrecos : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QDir origem(QStringLiteral(QUELLORA_DADOS_DIR));
        for (const QString &a : origem.entryList({"*.dat"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(origem.filePath(a), dir.filePath(a)));
        ASSERT_TRUE(LeArquivoDeRegistros(dir.filePath("premod.dat"), precosModelos, nullptr));
    }

    // premod.dat with the fan price of BSD 450 / "1" at 'preco'.
    void PrecoVentilador(double preco) {
        auto p = precosModelos;
        p[0].Arranjo[1].PrecoVent[10] = preco;
        QByteArray b;
        for (const auto &r : p)
            b += ParaBytes(r);
        ASSERT_TRUE(GravaArquivoAtomico(dir.filePath("premod.dat"), b, nullptr));
    }

    QTemporaryDir dir;
    std::vector<TPrecoModelo> precosModelos;
};

TEST_F(AtualizacaoPrecos, RelatorioEPrecosPorItem) {
    const double f = 0.9318 * 0.9; // FatorVent of ICMS 2, 10 % discount
    const QStringList ok = {"1 - BSD 450-1|O", "Ventilador - OK", "Motor - OK", "Acessórios - OK"};
    auto com = [&](int i, const char *linha) {
        QStringList l = ok;
        l[i] = linha;
        return l;
    };
    const QStringList semVent = com(1, "Ventilador - ERRO|B");
    struct Caso {
        const char *nome;
        std::function<void(TOrcamento &, TItemOrc &)> prepara = [](auto &, auto &) {};
        double precoVentArquivo = 7210;
        QStringList linhas;
        bool erro = true;
        double precoVent = 7210, precoMotor = 1750, precoAcess = 920 * 0.9318 * 0.9;
    };
    std::vector<Caso> casos = {
        {.nome = "tudo encontrado; MM \"INC.\" guardado como -1, sem somar", .linhas = ok, .erro = false},
        {.nome = "ventilador a preço 0 mantém o anterior", .precoVentArquivo = 0, .linhas = semVent, .precoVent = 1234},
        {.nome = "ventilador \"S.C.\"", .precoVentArquivo = -2, .linhas = semVent, .precoVent = 1234},
        {.nome = "Dahlander 4/8 polos", .prepara = [](auto &, TItemOrc &it) { it.GrupoMotor = 5; it.Polos = 4; },
         .linhas = ok, .erro = false, .precoMotor = 5850},
        {.nome = "2 polos", .prepara = [](auto &, TItemOrc &it) { it.Polos = 2; }, .linhas = ok, .erro = false,
         .precoMotor = 1830},
        {.nome = "acessório especial: erro sempre, o preço dele fica no total",
         .prepara = [](TOrcamento &o, TItemOrc &it) { o.NumAcessEsp = 1; it.AcessEspPreco[0] = 100; },
         .linhas = ok + QStringList{"Acessórios Especiais- ERRO|B"}, .precoAcess = 1020 * f},
        {.nome = "item não selecionado: nada a atualizar",
         .prepara = [](auto &, TItemOrc &it) { it.Selecionado = false; it.PrecoAcess = 7; },
         .linhas = {"1 - *** NÃO SELECIONADO ***|O"}, .erro = false, .precoVent = 1234, .precoMotor = 99,
         .precoAcess = 7},
        {.nome = "arranjo fora da tabela", .prepara = [](auto &, TItemOrc &it) { it.Arranjo = 0; it.PrecoAcess = 7; },
         .linhas = {"1 - BSD 450--|O", "Ventilador - ERRO|B", "Motor - OK", "Acessórios - ERRO|B"},
         .precoVent = 1234, .precoAcess = 7},
    };
    // A motor not found keeps its old price.
    for (const auto &[nome, prepara] : std::initializer_list<std::pair<const char *, void (*)(TItemOrc &)>>{
             {"sem motor", [](TItemOrc &it) { it.SemMotor = true; }},
             {"motor não escolhido", [](TItemOrc &it) { it.ComMotor = false; }},
             {"motor fora da linha", [](TItemOrc &it) { it.GrupoMotor = -1; it.MotorEspecial = true; }},
             {"motor especial de um grupo da linha", [](TItemOrc &it) { it.MotorEspecial = true; }},
             {"8 polos de um motor sem essa versão", [](TItemOrc &it) { it.GrupoMotor = 5; it.Polos = 8; }},
             {"polos fora de 2..8", [](TItemOrc &it) { it.Polos = 10; }},
             {"linha de motor fora de 1..35", [](TItemOrc &it) { it.RegMotor = 36; }}})
        casos.push_back({.nome = nome, .prepara = [p = prepara](auto &, TItemOrc &it) { p(it); },
                         .linhas = com(2, "Motor - ERRO|B"), .precoMotor = 99});
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        PrecoVentilador(c.precoVentArquivo);
        auto &g = G();
        g.Orcamento = TOrcamento{.descontoV = 10, .ICMS = 2};
        g.Orcamento.FatoresOrc.FatorVent[2] = 0.9318;
        g.NumItens = 1;
        g.Itens[1] = ItemBSD450();
        c.prepara(g.Orcamento, g.Itens[1]);
        g.ItemAtual = 0;

        TRelatorioPrecos rel;
        QString erro;
        ASSERT_TRUE(AtualizaPrecos(dir.path(), rel, &erro)) << erro.toStdString();
        EXPECT_EQ(rel.Linhas.join('\n').toStdString(), c.linhas.join('\n').toStdString());
        EXPECT_EQ(rel.Erro, c.erro);
        const TItemOrc &it = g.Itens[1];
        EXPECT_EQ(it.PrecoVent, c.precoVent);
        EXPECT_EQ(it.PrecoMotor, c.precoMotor);
        EXPECT_EQ(it.PrecoListaMotor, c.precoMotor);
        EXPECT_NEAR(it.PrecoAcess, c.precoAcess, 1e-9);
        if (c.linhas.contains("Acessórios - OK")) {
            EXPECT_EQ(it.PrecoAcessorio[1], -1); // "INC."
            EXPECT_EQ(it.PrecoAcessorio[2], 550);
            EXPECT_EQ(it.PrecoAcessorio[9], -2); // PEC "S.C.", not chosen, stored all the same
        }
        EXPECT_EQ(g.ItemAtual, 1);
    }
}

TEST_F(AtualizacaoPrecos, OrcamentoVazio) {
    TRelatorioPrecos rel;
    ASSERT_TRUE(AtualizaPrecos(dir.path(), rel));
    EXPECT_TRUE(rel.Linhas.isEmpty());
    EXPECT_FALSE(rel.Erro);
    // Special accessories are the quotation's: the line and the message come
    // even without items.
    G().Orcamento.NumAcessEsp = 1;
    ASSERT_TRUE(AtualizaPrecos(dir.path(), rel));
    EXPECT_EQ(rel.Linhas, QStringList{"Acessórios Especiais- ERRO|B"});
    EXPECT_TRUE(rel.Erro);
}

TEST_F(AtualizacaoPrecos, ArquivoDePrecosIlegivelNaoMudaNada) {
    auto &g = G();
    g.NumItens = g.ItemAtual = 2;
    g.Itens[1] = g.Itens[2] = ItemBSD450();
    g.Itens[2].GrupoMotor = 3;
    const auto antes = g.Itens;
    // Group 4's motor prices lie beyond the end of a cut price file: item 1
    // is priced, then item 2 fails, and item 1 goes back.
    ASSERT_TRUE(QFile(dir.filePath("premot.dat")).resize(TPrecoMotores::TamanhoRegistro * 2));

    TRelatorioPrecos rel;
    QString erro;
    EXPECT_FALSE(AtualizaPrecos(dir.path(), rel, &erro));
    EXPECT_TRUE(erro.contains("premot.dat")) << erro.toStdString();
    EXPECT_TRUE(g.Itens == antes);
    EXPECT_EQ(g.ItemAtual, 2);
    EXPECT_TRUE(rel.Linhas.isEmpty());
}

TEST(RelatorioPrecos, EstiloDasLinhas) {
    for (const auto &[linha, texto, estilo] : {std::tuple{"1 - BSD 450-4|O", "1 - BSD 450-4", "O"},
                                               {"Motor - ERRO|B", "Motor - ERRO", "B"},
                                               {"Ventilador - OK", "Ventilador - OK", ""},
                                               {"a|b|>L", "a|b", ">L"}}) {
        const TLinhaRelatorio l = SeparaEstilo(linha);
        EXPECT_EQ(l.Texto.toStdString(), texto) << linha;
        EXPECT_EQ(l.Estilo.toStdString(), estilo) << linha;
    }
}

} // namespace
