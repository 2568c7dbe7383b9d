// The chart's geometry without pixels, then a rendered chart checked at the
// points the geometry names.

#include "selection/desenho_curva.h"

#include "app_gui.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace quellora;

namespace {

// A chart of straight falling curves: curve c at speed 500 + 100c, point j
// at flow 1000j·k and pressure (80 - 10j)·k², k = speed ratio.
TDadosCurva CurvaDeTeste() {
    TDadosCurva d;
    for (int c = 0; c <= 10; ++c) {
        d.RpmCurva[c] = c == 0 ? 1150 : 500 + 100 * c;
        const double k = d.RpmCurva[c] / 1500.0;
        for (int j = 1; j <= 7; ++j) {
            d.VazaoCurva[c][j] = static_cast<int>(1000 * j * k);
            d.PressaoCurva[c][j] = (80 - 10 * j) * k * k;
        }
    }
    for (int j = 1; j <= 7; ++j)
        d.RendCurva[j] = 60 + j;
    d.PressaoMaxCurva = d.PressaoCurva[10][1];
    d.EscalaVazao = 8000;
    d.EscalaPressao = 100;
    return d;
}

const TEntradaCurva OperaEm4000Por30{.CurvaVazaoOp = 4000, .CurvaPressaoOp = 30};

class DesenhoCurva : public ::testing::Test {
protected:
    void SetUp() override { teste::GaranteAppGui(); }

    // The page: a gray w × h image at 96 pixels per inch.
    TEstadoPagina &Folha(int w, int h) {
        img = QImage(w, h, QImage::Format_RGB32);
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        img.fill(Qt::gray);
        f.begin(&img);
        auto &p = Pagina();
        p.Folha = &f;
        p.AreaPagina = {0, 0, w, h};
        return p;
    }
    QImage img;
    QPainter f;
};

} // namespace

TEST_F(DesenhoCurva, GeometriaReservaEspacoParaTitulosERotulos) {
    TMedidasCurva m{12, 20, 12, 30};
    const TGeometriaCurva g = GeometriaCurva({0, 0, 473, 370}, m, TEixosCurva{{2000, 8}, {30, 5}});
    EXPECT_EQ(g.Grade, (Retangulo{0 + 12 + 20 + 4, 4, 473 - 15 - 4, 370 - 24 - 4}));
    EXPECT_EQ(g.Ponto(0, 0), QPoint(g.Grade.Left, g.Grade.Bottom));
    EXPECT_EQ(g.Ponto(16000, 150), QPoint(g.Grade.Right, g.Grade.Top));
    // Halfway, truncated toward zero.
    const QPoint meio = g.Ponto(8000, 75);
    EXPECT_EQ(meio.x(), static_cast<int>(g.Grade.Left + (g.Grade.Right - g.Grade.Left) / 2.0));
    EXPECT_EQ(meio.y(), static_cast<int>(g.Grade.Bottom - (g.Grade.Bottom - g.Grade.Top) / 2.0));
    EXPECT_EQ(g.XVertical(0), g.Grade.Left);
    EXPECT_EQ(g.XVertical(8), g.Grade.Right);
    EXPECT_EQ(g.YHorizontal(5), g.Grade.Bottom);
}

TEST_F(DesenhoCurva, RotulosRedondos) {
    // A flow of 1500 once gave labels of 187 and 1496; its axis now steps
    // by 200 to 1600.
    const TEixo vazao = EixoRedondo(1500, 8);
    EXPECT_EQ(RotuloEixo(vazao, 1), QStringLiteral("200"));
    EXPECT_EQ(RotuloEixo(vazao, vazao.Divisoes), QStringLiteral("1600"));
    EXPECT_EQ(RotuloEixo({2000, 8}, 3), QStringLiteral("6000"));
    EXPECT_EQ(RotuloEixo({30, 5}, 5), QStringLiteral("150"));
    EXPECT_EQ(RotuloEixo({2.5, 4}, 3), QStringLiteral("7,5"));
    EXPECT_EQ(RotuloEixo({10, 5}, 0), QStringLiteral("0"));
    // A degenerate axis never divides by zero.
    TGeometriaCurva g;
    g.Grade = {0, 0, 100, 100};
    g.Eixos = {{0, 0}, {0, 0}};
    EXPECT_EQ(g.Ponto(0, 0), QPoint(0, 100));
    EXPECT_EQ(g.XVertical(1), 100);
}

TEST_F(DesenhoCurva, PontoDeOperacaoAmareloOndeAGeometriaDiz) {
    auto &p = Folha(473, 370);
    p.TamFonte = 10;
    p.TamFonteMenor = 8;
    const TDadosCurva d = CurvaDeTeste();
    const TGeometriaCurva g = DesenhaCurva(d, OperaEm4000Por30);
    f.end();

    const QPoint op = g.Ponto(4000, 30);
    EXPECT_EQ(img.pixel(op), QColor(Qt::yellow).rgb());
    // The page was filled white; the grid frame is silver.
    EXPECT_EQ(img.pixel(2, 2), QColor(Qt::white).rgb());
    EXPECT_EQ(img.pixel(g.Grade.Left, (g.Grade.Top + g.Grade.Bottom) / 2), qRgb(0xC0, 0xC0, 0xC0));
    // The operating curve is red between its points; the curves navy.
    const QPoint a = g.Ponto(d.VazaoCurva[0][4], d.PressaoCurva[0][4]);
    EXPECT_EQ(img.pixel(a), qRgb(255, 0, 0));
    const QPoint b = g.Ponto(d.VazaoCurva[3][5], d.PressaoCurva[3][5]);
    const QRgb cb = img.pixel(b);
    EXPECT_TRUE(cb == qRgb(0, 0, 128) || cb == qRgb(0, 0, 255)) << std::hex << cb;
}

TEST_F(DesenhoCurva, MonocromaticoDesenhaCurvasEmPretoEPontoAmarelo) {
    Folha(473, 370).Monocromatico = true;
    const TDadosCurva d = CurvaDeTeste();
    const TGeometriaCurva g = DesenhaCurva(d, OperaEm4000Por30);
    f.end();
    EXPECT_EQ(img.pixel(g.Ponto(d.VazaoCurva[0][4], d.PressaoCurva[0][4])), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(g.Ponto(d.VazaoCurva[3][5], d.PressaoCurva[3][5])), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(g.Ponto(4000, 30)), QColor(Qt::yellow).rgb());
    const QList<QRgb> cores = {qRgb(255, 0, 0), qRgb(0, 0, 128), qRgb(0, 0, 255)};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_FALSE(cores.contains(img.pixel(x, y))) << x << "," << y;
}

TEST_F(DesenhoCurva, FolhaImpressaCentraOGraficoAbaixoDoTexto) {
    auto &p = Folha(794, 1123); // A4
    p.Imprimindo = true;
    p.TamFonte = 9;
    p.TamFonteMenor = 7;
    const TGeometriaCurva g = DesenhaCurva(CurvaDeTeste(), OperaEm4000Por30,
                                           BlocoCurva{{"Projeto:", "Teste"}, {"Vazão de ar:", "4000 m³/h"}});
    f.end();
    // The chart keeps the text area's width; the space below the text loses
    // the same amount s above and below it, s being what the space has
    // beyond that width.
    const Retangulo a = p.AreaPagina;
    const int w = a.Right - a.Left;
    const int s = a.Top - p.PosY;
    EXPECT_GT(s, 0);
    EXPECT_EQ(a.Bottom - a.Top, w - s);
    EXPECT_EQ(1123 - 32 - 4 - a.Bottom, s);
    EXPECT_GT(g.Grade.Top, 0);
    EXPECT_EQ(img.pixel(g.Ponto(4000, 30)), QColor(Qt::yellow).rgb());
    // The outer frame is black at the page's edge.
    EXPECT_EQ(img.pixel(0, 500), qRgb(0, 0, 0));
}

// Where the flow labels would touch (the selection window's small chart),
// every other one is written; on a large chart all nine.
TEST_F(DesenhoCurva, GraficoPequenoEscreveUmRotuloDeVazaoSimOutroNao) {
    for (const auto &[largura, altura, fonte, todos] : {std::tuple{473, 370, 10, true}, std::tuple{230, 172, 6, false}}) {
        SCOPED_TRACE(largura);
        auto &p = Folha(largura, altura);
        p.TamFonte = fonte;
        p.TamFonteMenor = fonte;
        // A duty of 50000 m³/h: a flow axis of 8 steps to 80000, labels of
        // five digits.
        const TGeometriaCurva g = DesenhaCurva(CurvaDeTeste(), TEntradaCurva{.CurvaVazaoOp = 50000});
        ASSERT_EQ(g.Eixos.Vazao, (TEixo{10000, 8}));
        f.end();
        // Ink under the grid line i, in the band of its label.
        auto rotulo = [&](int i) {
            const int x = g.XVertical(i);
            for (int y = g.Grade.Bottom + 4; y < g.Grade.Bottom + 4 + fonte; ++y)
                for (int dx = -2; dx <= 2; ++dx)
                    if (img.pixel(x + dx, y) != QColor(Qt::white).rgb())
                        return true;
            return false;
        };
        EXPECT_TRUE(rotulo(0));
        EXPECT_EQ(rotulo(1), todos);
        EXPECT_TRUE(rotulo(2));
        EXPECT_EQ(rotulo(7), todos);
        EXPECT_TRUE(rotulo(8));
    }
}
