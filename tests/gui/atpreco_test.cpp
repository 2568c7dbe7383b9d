// The price update's report window, run by name as the open window and the
// configuration window run it, on the sample catalogue.

#include "shell_ambiente.h"

#include "pricing/atualizacao.h"
#include "pricing/item_bsd450.h"

#include <QListWidget>

using namespace quellora;

namespace {

class AtPreco : public teste::AmbienteShell {};

} // namespace

TEST_F(AtPreco, RelatorioDoOrcamentoInteiro) {
    abre();
    QWidget *w = JanelaClasse("TfrmAtPreco");
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isVisible());

    // Item 1 is found whole; item 2 (size 1800, fan "S.C.") has no fan price
    // and no motor.
    auto &g = G();
    g.Orcamento.ICMS = 1;
    g.Orcamento.FatoresOrc.FatorVent[1] = 1;
    g.NumItens = 2;
    g.Itens[1] = g.Itens[2] = teste::ItemBSD450();
    g.Itens[2].Tamanho = 1800;
    g.Itens[2].IndiceTam = 22;
    g.Itens[2].ComMotor = false;
    g.ItemAtual = 2;

    bool ok = false;
    ASSERT_TRUE(QMetaObject::invokeMethod(w, "AtualizaOrcamento", Q_RETURN_ARG(bool, ok)));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->parentWidget(), janela); // on top of the main window, not modal
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->size(), QSize(400, 400));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Atualização de preços"));
    auto *LRes = em<QListWidget>(w, "LRes");
    ASSERT_NE(LRes, nullptr);
    QStringList textos;
    for (int i = 0; i < LRes->count(); ++i)
        textos << LRes->item(i)->text();
    EXPECT_EQ(textos, (QStringList{"1 - BSD 450-1", "Ventilador - OK", "Motor - OK", "Acessórios - OK",
                                   "2 - BSD 1800-1", "Ventilador - ERRO", "Motor - ERRO", "Acessórios - OK"}));
    EXPECT_TRUE(LRes->item(0)->font().bold());
    EXPECT_NE(LRes->item(0)->background().color(), LRes->item(1)->background().color());
    EXPECT_FALSE(LRes->item(1)->font().bold());
    EXPECT_TRUE(LRes->item(5)->font().bold());
    EXPECT_EQ(LRes->currentRow(), 0);
    EXPECT_EQ(respostas.vistas, QStringList{QString::fromUtf8(MsgErroAtualizacao)});
    EXPECT_TRUE(respostas.vistas.value(0).contains(QStringLiteral("preço\n\r\n\r-Valor")));
    EXPECT_EQ(g.Itens[1].PrecoVent, 7210);
    EXPECT_EQ(g.Itens[2].PrecoVent, 1234);
    EXPECT_EQ(g.Itens[1].PrecoAcess, 550 + 370);
    EXPECT_EQ(g.ItemAtual, 1);
    captura(w, "atpreco");
    clica(w, "btOK");
    EXPECT_FALSE(w->isVisible());

    // Without the price files nothing changes and the error names the file.
    ASSERT_TRUE(QFile::remove(arquivoDados("premod.dat")));
    const auto antes = g.Itens;
    respostas.vistas.clear();
    ASSERT_TRUE(QMetaObject::invokeMethod(w, "AtualizaOrcamento", Q_RETURN_ARG(bool, ok)));
    EXPECT_FALSE(ok);
    EXPECT_FALSE(w->isVisible());
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_TRUE(respostas.vistas[0].contains(QStringLiteral("premod.dat")));
    EXPECT_TRUE(g.Itens == antes);
}
