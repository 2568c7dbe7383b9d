#include "proposal/pagina.h"

#include "catalogue/binario.h"
#include "shell/estado.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace quellora {

TEstadoPagina &Pagina() { return G().Pagina; }

int PixelsPorPolegada() {
    const auto &p = Pagina();
    return (p.Folha && p.Folha->device()) ? p.Folha->device()->logicalDpiY() : 96;
}

void FonteArial(int pontos, bool negrito) {
    QPainter *f = Pagina().Folha;
    if (!f)
        return;
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPointSize(std::max(1, pontos));
    fonte.setBold(negrito);
    f->setFont(fonte);
}

namespace {
QFontMetrics Metricas() {
    QPainter *f = Pagina().Folha;
    return f ? QFontMetrics(f->font(), f->device()) : QFontMetrics(QFont());
}

// The text area's margin from the frame: 4 pixels at 96 pixels per inch, as
// far on any canvas.
int MargemTexto() { return std::max(4, PixelsPorPolegada() / 24); }

// Frame over r with the current pen: pixels Left..Right-1, Top..Bottom-1.
void Moldura(QPainter &f, const Retangulo &r) {
    f.drawRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
}
} // namespace

int AlturaTexto(const QString &texto) {
    Q_UNUSED(texto);
    return Metricas().height();
}

int LarguraTexto(const QString &texto) { return Metricas().horizontalAdvance(texto); }

void DesenhaMoldura() {
    auto &p = Pagina();
    if (!p.Folha)
        return;
    QPainter &f = *p.Folha;
    f.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    FonteArial(p.TamFonte);
    Moldura(f, p.AreaPagina);
    const int m = PixelsPorPolegada() / 3;
    p.AreaPagina.Left += 2 * m;
    p.AreaPagina.Top += m;
    p.AreaPagina.Right -= m;
    p.AreaPagina.Bottom -= m;
    Moldura(f, p.AreaPagina);
    p.AreaPagina.Left += 4;
    p.AreaPagina.Top += 4;
    p.AreaPagina.Right -= 4;
    p.AreaPagina.Bottom -= 4;
    p.PosX = p.AreaPagina.Left;
    p.PosY = p.AreaPagina.Top;
    p.AlturaLinha = 0;
    f.setBrush(Qt::NoBrush);
}

void Separador() {
    auto &p = Pagina();
    if (p.Folha)
        p.Folha->drawLine(p.AreaPagina.Left, p.PosY, p.AreaPagina.Right, p.PosY);
    p.PosY += 2;
}

void Escreve(const QString &texto, bool fimDeLinha) {
    auto &p = Pagina();
    if (p.Folha) {
        // An empty piece still has the current font's height: a line of
        // nothing advances like a line of text.
        const QFontMetrics fm = Metricas();
        if (!texto.isEmpty())
            p.Folha->drawText(p.PosX, p.PosY + fm.ascent(), texto);
        p.AlturaLinha = std::max(p.AlturaLinha, fm.height());
        p.PosX += fm.horizontalAdvance(texto);
    }
    if (fimDeLinha) {
        p.PosY += p.AlturaLinha + 2;
        p.PosX = p.AreaPagina.Left;
        p.AlturaLinha = 0;
    }
}

void EscreveEm(int x, const QString &texto, bool fimDeLinha) {
    Pagina().PosX = x;
    Escreve(texto, fimDeLinha);
}

void DesenhaBitmap(QPainter &folha, const Retangulo &r, const QImage &imagem) {
    if (imagem.isNull())
        return;
    folha.drawImage(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), imagem);
}

void PreparaPDF(QPdfWriter &pdf, const QString &titulo) {
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
    pdf.setResolution(600);
    pdf.setCreator(QStringLiteral("Quellora"));
    pdf.setTitle(titulo);
}

void Cabecalho() {
    auto &p = Pagina();
    if (!p.Folha)
        return;
    QFont fonte = p.Folha->font();
    const int s = fonte.pointSize();
    fonte.setBold(false);
    fonte.setPointSize(std::max(1, static_cast<int>(s * 1.5)));
    p.Folha->setFont(fonte);

    // The logo's size at 96 pixels per inch; a picture drawn at a higher
    // resolution says so by its device pixel ratio.
    const long double k = PixelsPorPolegada() / 96.0L;
    const QSizeF logico = p.Logotipo.deviceIndependentSize();
    const int w = static_cast<int>(logico.width() * k);
    const int h = static_cast<int>(logico.height() * k);
    DesenhaBitmap(*p.Folha, {p.PosX, p.PosY, p.PosX + w, p.PosY + h}, p.Logotipo);
    p.AlturaLinha = h + 2;

    fonte.setBold(true);
    p.Folha->setFont(fonte);
    const auto &o = G().Orcamento;
    const QString texto = QStringLiteral("Proposta nº ") + o.NumOrc + QStringLiteral(" - ") +
                          DataParaDateTime(o.Data).toString(QStringLiteral("dd/MM/yyyy"));
    // Its last letter keeps the text area's margin from the frame also at a
    // printer's resolution, where the area's four pixels are a hair.
    const int margem = MargemTexto() - 4;
    EscreveEm(p.AreaPagina.Right - margem - LarguraTexto(texto), texto, true);

    fonte.setPointSize(std::max(1, s));
    p.Folha->setFont(fonte);
    Separador();
}

} // namespace quellora
