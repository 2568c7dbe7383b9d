// Page primitives on images of known resolution.

#include "proposal/pagina.h"

#include "app_gui.h"
#include "catalogue/binario.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QPainter>

using namespace quellora;

namespace {

class PaginaTeste : public ::testing::Test {
protected:
    void SetUp() override { teste::GaranteAppGui(); }

    // A fresh page state drawing on a white image of this size and resolution.
    TEstadoPagina &Folha(int largura, int altura, int dpi) {
        img = QImage(largura, altura, QImage::Format_RGB32);
        img.fill(Qt::white);
        const int dpm = static_cast<int>(dpi / 0.0254 + 0.5);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        f.begin(&img);
        auto &p = Pagina();
        p = TEstadoPagina{};
        p.Folha = &f;
        p.AreaPagina = {0, 0, largura, altura};
        return p;
    }
    QImage img;
    QPainter f;
};

} // namespace

TEST_F(PaginaTeste, MolduraA96ppp) {
    auto &p = Folha(800, 1100, 96);
    p.TamFonte = 9;
    ASSERT_EQ(PixelsPorPolegada(), 96);
    DesenhaMoldura();
    f.end();
    // Outer frame on the page's edge pixels, inner one 32 inside (64 at left).
    for (const auto &[x, y, preto] : {std::tuple{0, 500, true}, {799, 500, true}, {400, 0, true}, {400, 1099, true},
                                      {64, 500, true}, {63, 500, false}, {400, 32, true}, {800 - 32 - 1, 500, true},
                                      {400, 1100 - 32 - 1, true}})
        EXPECT_EQ(img.pixelColor(x, y) == QColor(Qt::black), preto) << x << "," << y;
    // The text area starts 4 pixels inside the inner frame.
    EXPECT_EQ(p.AreaPagina, (Retangulo{64 + 4, 32 + 4, 800 - 32 - 4, 1100 - 32 - 4}));
    EXPECT_EQ(p.PosX, 68);
    EXPECT_EQ(p.PosY, 36);
}

TEST_F(PaginaTeste, MolduraA600ppp) {
    auto &p = Folha(5000, 7000, 600);
    DesenhaMoldura();
    EXPECT_EQ(p.AreaPagina, (Retangulo{400 + 4, 200 + 4, 5000 - 200 - 4, 7000 - 200 - 4}));
}

TEST_F(PaginaTeste, EscreveAvancaPelaPecaMaisAlta) {
    auto &p = Folha(600, 400, 96);
    p.AreaPagina = {10, 10, 590, 390};
    p.PosX = 10;
    p.PosY = 10;
    FonteArial(8);
    const int baixa = AlturaTexto(QStringLiteral("a"));
    Escreve(QStringLiteral("Vazão"), false);
    const int x1 = p.PosX;
    EXPECT_EQ(x1, 10 + LarguraTexto(QStringLiteral("Vazão")));
    FonteArial(16, true);
    const int alta = AlturaTexto(QStringLiteral("a"));
    ASSERT_GT(alta, baixa);
    EscreveEm(200, QStringLiteral("10000"), false);
    FonteArial(8);
    Escreve(QString(), true);
    EXPECT_EQ(p.PosY, 10 + alta + 2);
    EXPECT_EQ(p.PosX, 10);
    EXPECT_EQ(p.AlturaLinha, 0);
    Separador();
    EXPECT_EQ(p.PosY, 10 + alta + 4);
    // A line of nothing advances by the current font's height.
    Escreve(QString(), true);
    EXPECT_EQ(p.PosY, 10 + alta + 4 + baixa + 2);
}

TEST_F(PaginaTeste, LogotipoEscalaComAResolucao) {
    QImage logo(120, 60, QImage::Format_RGB32);
    logo.fill(Qt::red);
    for (int dpi : {96, 600}) {
        auto &p = Folha(dpi == 96 ? 900 : 5000, dpi == 96 ? 400 : 2000, dpi);
        p.Logotipo = logo;
        p.PosX = 0;
        p.PosY = 0;
        G().Orcamento.NumOrc = QStringLiteral("0012/03");
        G().Orcamento.Data = DateTimeParaData(QDateTime(QDate(2003, 1, 13), QTime(10, 0)));
        FonteArial(9);
        const int antes = p.PosY;
        Cabecalho();
        f.end();
        const int w = dpi == 96 ? 120 : 750, h = dpi == 96 ? 60 : 375;
        EXPECT_EQ(img.pixelColor(w - 1, h - 1), QColor(Qt::red)) << dpi;
        EXPECT_NE(img.pixelColor(w + 1, h / 2), QColor(Qt::red)) << dpi;
        EXPECT_NE(img.pixelColor(w / 2, h + 1), QColor(Qt::red)) << dpi;
        // The line was as tall as the logo (+2) or the heading text, then
        // +2 for its end and +2 for the rule.
        QFont fonte(QStringLiteral("Arial"));
        fonte.setPointSize(13);
        fonte.setBold(true);
        const int texto = QFontMetrics(fonte, &img).height();
        EXPECT_EQ(p.PosY - antes, std::max(h + 2, texto) + 4) << dpi;
        EXPECT_EQ(p.PosX, p.AreaPagina.Left);
    }
}
