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
    if (p.Resolucao > 0)
        return p.Resolucao;
    return (p.Folha && p.Folha->device()) ? p.Folha->device()->logicalDpiY() : 96;
}

namespace {
// A page laid out at its own resolution measures text on a picture of that
// resolution, not on the canvas: the screen, a printer and a PDF file then
// get the same widths, lines and page breaks.
const QPaintDevice *Medidor() {
    static QImage imagem;
    const int dpi = Pagina().Resolucao;
    const int dpm = static_cast<int>(dpi / 0.0254 + 0.5);
    if (imagem.isNull() || imagem.dotsPerMeterY() != dpm) {
        imagem = QImage(1, 1, QImage::Format_RGB32);
        imagem.setDotsPerMeterX(dpm);
        imagem.setDotsPerMeterY(dpm);
    }
    return &imagem;
}

// The font at a size in points: on a page of its own resolution, in pixels
// of that resolution and without hinting (the same shapes on every device).
void TamanhoEm(QFont &fonte, int pontos) {
    pontos = std::max(1, pontos);
    const int dpi = Pagina().Resolucao;
    if (dpi > 0) {
        fonte.setPixelSize(std::max(1, static_cast<int>(pontos * dpi / 72.0 + 0.5)));
        fonte.setHintingPreference(QFont::PreferNoHinting);
    } else {
        fonte.setPointSize(pontos);
    }
}

QFontMetrics Metricas() {
    QPainter *f = Pagina().Folha;
    if (!f)
        return QFontMetrics(QFont());
    return QFontMetrics(f->font(), Pagina().Resolucao > 0 ? const_cast<QPaintDevice *>(Medidor()) : f->device());
}

// The text area's margin from the frame: 4 pixels at 96 pixels per inch, as
// far on any canvas.
int MargemTexto() { return std::max(4, PixelsPorPolegada() / 24); }

// Frame over r with the current pen: pixels Left..Right-1, Top..Bottom-1.
void Moldura(QPainter &f, const Retangulo &r) {
    f.drawRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
}
} // namespace

void FonteArial(int pontos, bool negrito) {
    QPainter *f = Pagina().Folha;
    if (!f)
        return;
    QFont fonte(QStringLiteral("Arial"));
    TamanhoEm(fonte, pontos);
    fonte.setBold(negrito);
    f->setFont(fonte);
}

int TamanhoFonte() {
    QPainter *f = Pagina().Folha;
    if (!f)
        return 0;
    const QFont &fonte = f->font();
    if (fonte.pointSize() > 0)
        return fonte.pointSize();
    const int dpi = PixelsPorPolegada();
    return static_cast<int>(fonte.pixelSize() * 72.0 / dpi + 0.5);
}

void MudaTamanhoFonte(int pontos) {
    QPainter *f = Pagina().Folha;
    if (!f)
        return;
    QFont fonte = f->font();
    TamanhoEm(fonte, pontos);
    f->setFont(fonte);
}

QFontMetrics MetricasFonte() { return Metricas(); }

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

QPageLayout PaginaA4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter);
}

void PreparaPDF(QPdfWriter &pdf, const QString &titulo) {
    pdf.setPageLayout(PaginaA4());
    pdf.setResolution(600);
    pdf.setCreator(QStringLiteral("Quellora"));
    pdf.setTitle(titulo);
}

void Cabecalho() {
    auto &p = Pagina();
    if (!p.Folha)
        return;
    const int s = TamanhoFonte();
    QFont fonte = p.Folha->font();
    fonte.setBold(false);
    p.Folha->setFont(fonte);
    MudaTamanhoFonte(static_cast<int>(s * 1.5));

    // The logo's size at 96 pixels per inch; a picture drawn at a higher
    // resolution says so by its device pixel ratio.
    const long double k = PixelsPorPolegada() / 96.0L;
    const QSizeF logico = p.Logotipo.deviceIndependentSize();
    const int w = static_cast<int>(logico.width() * k);
    const int h = static_cast<int>(logico.height() * k);
    DesenhaBitmap(*p.Folha, {p.PosX, p.PosY, p.PosX + w, p.PosY + h}, p.Logotipo);
    p.AlturaLinha = h + 2;

    fonte = p.Folha->font();
    fonte.setBold(true);
    p.Folha->setFont(fonte);
    const auto &o = G().Orcamento;
    const QString texto = QStringLiteral("Proposta nº ") + o.NumOrc + QStringLiteral(" - ") +
                          DataParaDateTime(o.Data).toString(QStringLiteral("dd/MM/yyyy"));
    // Its last letter keeps the text area's margin from the frame also at a
    // printer's resolution, where the area's four pixels are a hair.
    const int margem = MargemTexto() - 4;
    EscreveEm(p.AreaPagina.Right - margem - LarguraTexto(texto), texto, true);

    MudaTamanhoFonte(s);
    Separador();
}

QStringList QuebraTexto(const QString &texto, int largura) {
    QStringList linhas;
    QString linha;
    auto cabe = [&](const QString &t) { return LarguraTexto(t) <= largura; };
    const QStringList palavras = texto.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString palavra : palavras) {
        const QString junta = linha.isEmpty() ? palavra : linha + QLatin1Char(' ') + palavra;
        if (cabe(junta)) {
            linha = junta;
            continue;
        }
        if (!linha.isEmpty())
            linhas << linha;
        // A word wider than a line: as many letters as fit, the rest below.
        while (!cabe(palavra) && palavra.size() > 1) {
            qsizetype n = 1;
            while (n < palavra.size() && cabe(palavra.left(n + 1)))
                ++n;
            linhas << palavra.left(n);
            palavra = palavra.mid(n);
        }
        linha = palavra;
    }
    if (!linha.isEmpty() || linhas.isEmpty())
        linhas << linha;
    return linhas;
}

} // namespace quellora
