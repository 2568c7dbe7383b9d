// The price update over the quotation being edited, on a copy of the sample
// catalogue (item_bsd450.h; besides, motor group 6 row 10: 6140 for the 2/4
// and 5850 for the 4/8 Dahlander, none for 6 and 8 poles).

#include "catalogue/arquivos.h"
#include "catalogue/catalogo.h"
#include "pricing/atualizacao.h"
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
        ResetaEstado();
        ASSERT_TRUE(dir.isValid());
        const QDir origem(QStringLiteral(QUELLORA_DADOS_DIR));
        for (const QString &a : origem.entryList({QStringLiteral("*.dat")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(origem.filePath(a), dir.filePath(a)));
        QString erro;
        ASSERT_TRUE(LeArquivoDeRegistros(dir.filePath(QStringLiteral("premod.dat")), precosModelos, &erro));
    }
    void TearDown() override { ResetaEstado(); }

    // premod.dat with the fan price of BSD 450 / "1" at 'preco'.
    void PrecoVentilador(double preco) {
        auto p = precosModelos;
        p[0].Arranjo[1].PrecoVent[10] = preco;
        QByteArray b;
        for (const auto &r : p)
            b += ParaBytes(r);
        QString erro;
        ASSERT_TRUE(GravaArquivoAtomico(dir.filePath(QStringLiteral("premod.dat")), b, &erro));
    }

    QTemporaryDir dir;
    std::vector<TPrecoModelo> precosModelos;
};

TEST_F(AtualizacaoPrecos, RelatorioEPrecosPorItem) {
    const double f = 0.9318 * 0.9; // FatorVent of ICMS 2, 10 % discount
    const QStringList ok = {QStringLiteral("1 - BSD 450-1|O"), QStringLiteral("Ventilador - OK"),
                            QStringLiteral("Motor - OK"), QStringLiteral("Acessórios - OK")};
    auto com = [&](int i, const char *linha) {
        QStringList l = ok;
        l[i] = QString::fromUtf8(linha);
        return l;
    };
    const QString especial = QStringLiteral("Acessórios Especiais- ERRO|B");
    struct Caso {
        const char *nome;
        std::function<void(TOrcamento &, TItemOrc &)> prepara;
        double precoVentArquivo;
        QStringList linhas;
        bool erro;
        double precoVent, precoMotor, precoAcess;
    } casos[] = {
        {"tudo encontrado; MM \"INC.\" guardado como -1, sem somar", [](auto &, auto &) {}, 7210, ok, false, 7210,
         1750, 920 * f},
        {"ventilador a preço 0 mantém o anterior", [](auto &, auto &) {}, 0, com(1, "Ventilador - ERRO|B"), true,
         1234, 1750, 920 * f},
        {"ventilador \"S.C.\"", [](auto &, auto &) {}, -2, com(1, "Ventilador - ERRO|B"), true, 1234, 1750, 920 * f},
        {"sem motor", [](auto &, TItemOrc &it) { it.SemMotor = true; }, 7210, com(2, "Motor - ERRO|B"), true, 7210,
         99, 920 * f},
        {"motor não escolhido", [](auto &, TItemOrc &it) { it.ComMotor = false; }, 7210, com(2, "Motor - ERRO|B"),
         true, 7210, 99, 920 * f},
        {"motor fora da linha",
         [](auto &, TItemOrc &it) {
             it.GrupoMotor = -1;
             it.MotorEspecial = true;
         },
         7210, com(2, "Motor - ERRO|B"), true, 7210, 99, 920 * f},
        {"motor especial de um grupo da linha", [](auto &, TItemOrc &it) { it.MotorEspecial = true; }, 7210,
         com(2, "Motor - ERRO|B"), true, 7210, 99, 920 * f},
        {"Dahlander 4/8 polos",
         [](auto &, TItemOrc &it) {
             it.GrupoMotor = 5;
             it.Polos = 4;
         },
         7210, ok, false, 7210, 5850, 920 * f},
        {"2 polos", [](auto &, TItemOrc &it) { it.Polos = 2; }, 7210, ok, false, 7210, 1830, 920 * f},
        {"8 polos de um motor sem essa versão",
         [](auto &, TItemOrc &it) {
             it.GrupoMotor = 5;
             it.Polos = 8;
         },
         7210, com(2, "Motor - ERRO|B"), true, 7210, 99, 920 * f},
        {"polos fora de 2..8", [](auto &, TItemOrc &it) { it.Polos = 10; }, 7210, com(2, "Motor - ERRO|B"), true,
         7210, 99, 920 * f},
        {"linha de motor fora de 1..35", [](auto &, TItemOrc &it) { it.RegMotor = 36; }, 7210,
         com(2, "Motor - ERRO|B"), true, 7210, 99, 920 * f},
        {"acessório especial: erro sempre, o preço dele fica no total",
         [](TOrcamento &o, TItemOrc &it) {
             o.NumAcessEsp = 1;
             it.AcessEspPreco[0] = 100;
         },
         7210, ok + QStringList{especial}, true, 7210, 1750, 1020 * f},
        {"item não selecionado: nada a atualizar",
         [](auto &, TItemOrc &it) {
             it.Selecionado = false;
             it.PrecoAcess = 7;
         },
         7210, {QStringLiteral("1 - *** NÃO SELECIONADO ***|O")}, false, 1234, 99, 7},
        {"arranjo fora da tabela",
         [](auto &, TItemOrc &it) {
             it.Arranjo = 0;
             it.PrecoAcess = 7;
         },
         7210,
         {QStringLiteral("1 - BSD 450--|O"), QStringLiteral("Ventilador - ERRO|B"), QStringLiteral("Motor - OK"),
          QStringLiteral("Acessórios - ERRO|B")},
         true, 1234, 1750, 7},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        PrecoVentilador(c.precoVentArquivo);
        auto &g = G();
        g.Orcamento = TOrcamento{};
        g.Orcamento.FatoresOrc.FatorVent[2] = 0.9318;
        g.Orcamento.ICMS = 2;
        g.Orcamento.descontoV = 10;
        g.NumItens = 1;
        g.Itens[1] = ItemBSD450();
        c.prepara(g.Orcamento, g.Itens[1]);
        g.ItemAtual = 0;

        TRelatorioPrecos rel;
        QString erro;
        ASSERT_TRUE(AtualizaPrecos(dir.path(), rel, &erro)) << erro.toStdString();
        EXPECT_EQ(rel.Linhas.join(QLatin1Char('\n')).toStdString(), c.linhas.join(QLatin1Char('\n')).toStdString());
        EXPECT_EQ(rel.Erro, c.erro);
        const TItemOrc &it = g.Itens[1];
        EXPECT_EQ(it.PrecoVent, c.precoVent);
        EXPECT_EQ(it.PrecoMotor, c.precoMotor);
        EXPECT_EQ(it.PrecoListaMotor, c.precoMotor);
        EXPECT_NEAR(it.PrecoAcess, c.precoAcess, 1e-9);
        if (c.linhas.contains(QStringLiteral("Acessórios - OK"))) {
            EXPECT_EQ(it.PrecoAcessorio[1], -1); // "INC."
            EXPECT_EQ(it.PrecoAcessorio[2], 550);
            EXPECT_EQ(it.PrecoAcessorio[9], -2); // PEC "S.C.", not chosen, stored all the same
        }
        EXPECT_EQ(g.ItemAtual, 1);
    }
}

TEST_F(AtualizacaoPrecos, OrcamentoVazio) {
    auto &g = G();
    TRelatorioPrecos rel;
    ASSERT_TRUE(AtualizaPrecos(dir.path(), rel));
    EXPECT_TRUE(rel.Linhas.isEmpty());
    EXPECT_FALSE(rel.Erro);

    // Special accessories are the quotation's: the line and the message come
    // even without items.
    g.Orcamento.NumAcessEsp = 1;
    ASSERT_TRUE(AtualizaPrecos(dir.path(), rel));
    EXPECT_EQ(rel.Linhas, QStringList{QStringLiteral("Acessórios Especiais- ERRO|B")});
    EXPECT_TRUE(rel.Erro);
}

TEST_F(AtualizacaoPrecos, ArquivoDePrecosIlegivelNaoMudaNada) {
    auto &g = G();
    g.NumItens = 2;
    g.Itens[1] = g.Itens[2] = ItemBSD450();
    g.Itens[2].GrupoMotor = 3;
    g.ItemAtual = 2;
    const auto antes = g.Itens;
    // Group 4's motor prices lie beyond the end of a cut price file: item 1
    // is priced, then item 2 fails, and item 1 goes back.
    QFile premot(dir.filePath(QStringLiteral("premot.dat")));
    ASSERT_TRUE(premot.resize(TPrecoMotores::TamanhoRegistro * 2));

    TRelatorioPrecos rel;
    QString erro;
    EXPECT_FALSE(AtualizaPrecos(dir.path(), rel, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("premot.dat"))) << erro.toStdString();
    EXPECT_TRUE(g.Itens == antes);
    EXPECT_EQ(g.ItemAtual, 2);
    EXPECT_TRUE(rel.Linhas.isEmpty());
}

TEST(RelatorioPrecos, EstiloDasLinhas) {
    struct {
        const char *linha, *texto, *estilo;
    } casos[] = {{"1 - BSD 450-4|O", "1 - BSD 450-4", "O"},
                 {"Motor - ERRO|B", "Motor - ERRO", "B"},
                 {"Ventilador - OK", "Ventilador - OK", ""},
                 {"a|b|>L", "a|b", ">L"}};
    for (const auto &c : casos) {
        SCOPED_TRACE(c.linha);
        const TLinhaRelatorio l = SeparaEstilo(QString::fromUtf8(c.linha));
        EXPECT_EQ(l.Texto.toStdString(), c.texto);
        EXPECT_EQ(l.Estilo.toStdString(), c.estilo);
    }
}

} // namespace
