// The position pickers opened by number from the configuration window: a
// spot pointed at and clicked stores the position in the item and goes back;
// the drawings carry every spot's label inside the spot.

#include "shell_ambiente.h"

#include "catalogue/catalogo.h"
#include "positions/posicoes.h"
#include "quotation/orcamento.h"
#include "shell/windows/recursos.h"

#include <QLabel>
#include <QSvgRenderer>

using namespace quellora;

namespace {

using Posicoes = teste::AmbienteShell;

QString NomeFigura(int tag) { return tag == 1 ? QStringLiteral("Im1") : QStringLiteral("Image%1").arg(tag - 1); }

} // namespace

TEST_F(Posicoes, CadaSeletorAbertoPeloNumeroGuardaAPosicaoEVolta) {
    abre();
    janela->resize(900, 640);
    // The pickers are reached through the selection window, whose creation
    // reads the line list.
    ASSERT_NE(JanelaNumero(JAN_CALCULOS), nullptr);
    ASSERT_TRUE(CarregaModelo(G().DirDados, 1));
    auto &g = G();
    g.NumItens = 2;
    g.ItemAtual = 2;

    struct Caso {
        int janela;
        int tamanho;
        int tag, area; // area -1: the whole picture
        const char *posicao;
        bool exigeQuadro; // stored and announced
        int ocultas;      // pictures not offered at this size
    } casos[] = {
        {JAN_POSICAO, 710, 5, 0, "RD 180°/BR 0°", true, 0},
        {JAN_POSICAO, 800, 3, 1, "LG 0°/BR 270°", false, 2},
        {JAN_POSICAOBU, 400, 7, -1, "LG 180°/BU W", true, 0},
        {JAN_POSICAO4, 400, 2, -1, "RD 90°", false, 0},
        {JAN_POSICAO1, 400, 8, -1, "LG 270°", false, 0},
        {JAN_GAB160A560, 560, 6, 1, "RD 270°/TA 90°", false, 0},
        {JAN_GAB680A1000, 630, 3, 1, "LG 0°/TA 270°", false, 0},
        {JAN_AXIAL, 400, 3, -1, "HAV", false, 0},
    };
    for (const Caso &c : casos) {
        const TSeletor &s = *SeletorNumero(c.janela);
        SCOPED_TRACE(std::string(s.Classe) + " " + c.posicao);
        TItemOrc &item = g.Itens[2];
        item = TItemOrc{};
        item.Selecionado = true;
        item.Tamanho = c.tamanho;
        item.ExigeQuadro = true; // kept by the pickers that do not record it
        g.PosicaoExigeQuadro = false;
        SetAlterado(false);
        respostas.vistas.clear();

        MostraJanela(JAN_CONFIGURA);
        QWidget *chamadora = JanelaAtiva();
        MostraJanela(c.janela);
        QWidget *w = JanelaNumero(c.janela);
        ASSERT_TRUE(w && w->isVisible());
        EXPECT_EQ(w->objectName(), QString::fromLatin1(s.Classe));
        EXPECT_EQ(w->findChild<QLabel *>("Label1")->text(), LegendaModelo());
        EXPECT_EQ(w->findChild<QLabel *>("Label3")->text(), QString::fromUtf8(s.Rotulo3));
        EXPECT_EQ(TextoStatusAtual(), s.PedeEntrada ? "Clique com o mouse sobre a posição de entrada desejada." : "");
        int ocultas = 0;
        for (const TFigura &f : s.Figuras)
            ocultas += !w->findChild<QWidget *>(NomeFigura(f.Tag))->isVisible();
        EXPECT_EQ(ocultas, c.ocultas);

        const TFigura &f = *s.Figura(c.tag);
        auto *figura = w->findChild<QWidget *>(NomeFigura(c.tag));
        auto *sh1 = w->findChild<QWidget *>("sh1");
        auto *lb1 = w->findChild<QLabel *>("lb1");
        const TRetangulo r = c.area < 0 ? TRetangulo{0, 0, f.Ret.Largura(), f.Ret.Altura()} : f.Areas[c.area].Ret;
        const QPoint alvo((r.Esquerda + r.Direita) / 2, (r.Topo + r.Base) / 2);
        QTest::mouseMove(figura, alvo);
        ASSERT_TRUE(sh1->isVisible());
        EXPECT_TRUE(lb1->isVisible());
        EXPECT_EQ(lb1->text(), QString::fromUtf8(c.posicao));
        EXPECT_EQ(sh1->geometry(), c.area < 0 ? figura->geometry()
                                              : QRect(figura->pos() + QPoint(r.Esquerda, r.Topo), QSize(r.Largura(), r.Altura())));
        captura(janela, QStringLiteral("posicao_%1_%2").arg(s.Classe).arg(c.tamanho));

        QTest::mousePress(figura, Qt::LeftButton, {}, alvo);
        QTest::mouseRelease(figura, Qt::LeftButton, {}, alvo);
        EXPECT_EQ(item.Posicao, QString::fromUtf8(c.posicao));
        EXPECT_EQ(item.ExigeQuadro, s.GravaQuadro() ? c.exigeQuadro : true);
        EXPECT_EQ(respostas.vistas,
                  c.exigeQuadro ? QStringList{"Esta posição exige quadro. Marquei automaticamente."} : QStringList{});
        EXPECT_TRUE(g.Alterado);
        EXPECT_EQ(JanelaAtiva(), chamadora);
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(TextoStatusAtual().isEmpty());
    }
}

// The drawings put every spot's label inside the spot's rectangle, and draw
// nothing outside the picture.
TEST(PosicoesDesenhos, RotulosDentroDasAreas) {
    IniciaRecursos();
    for (const TSeletor &s : Seletores()) {
        for (const TFigura &f : s.Figuras) {
            SCOPED_TRACE(DesenhoFigura(s, f).toStdString());
            QSvgRenderer svg(DesenhoFigura(s, f));
            ASSERT_TRUE(svg.isValid());
            EXPECT_EQ(svg.defaultSize(), QSize(f.Ret.Largura(), f.Ret.Altura()));
            for (int i = 0; i < f.NumAreas(); ++i) {
                const TRetangulo &r = f.Areas[i].Ret;
                const QString id = QStringLiteral("area%1").arg(i + 1);
                ASSERT_TRUE(svg.elementExists(id)) << i;
                const QRectF b = svg.boundsOnElement(id);
                EXPECT_TRUE(QRectF(r.Esquerda, r.Topo, r.Largura(), r.Altura()).adjusted(-0.01, -0.01, 0.01, 0.01).contains(b))
                    << f.Areas[i].Texto;
            }
            EXPECT_FALSE(svg.elementExists(QStringLiteral("area%1").arg(f.NumAreas() + 1)));
        }
    }
}
