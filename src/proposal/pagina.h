#pragma once
// Typewriter-style drawing of pages: a page state with a canvas, the page
// rectangle and a text cursor, and the routines that write at the cursor.
// The same routines draw the screen preview, the printed page and images;
// coordinates are the canvas's device pixels.

#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class QPainter;
class QPdfWriter;

namespace quellora {

// Page rectangle: right and bottom exclusive, as pixel frames are drawn.
struct Retangulo {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int largura() const { return Right - Left; }
    int altura() const { return Bottom - Top; }
    bool operator==(const Retangulo &) const = default;
};

struct TEstadoPagina {
    QPainter *Folha = nullptr;  // canvas being drawn
    Retangulo AreaPagina;       // page rectangle; DesenhaMoldura shrinks it to the text area
    int PosX = 0;               // text cursor
    int PosY = 0;               // top of the current line
    int AlturaLinha = 0;        // tallest piece on the current line so far
    int TamFonte = 9;           // base font size, points
    int TamFonteMenor = 7;      // smaller font size, points
    QImage Logotipo;            // the maker's logo
    bool Imprimindo = false;    // a page is being printed
    bool Monocromatico = false; // the printer has no colour: pen colours stay black
    // Pixels per inch the page is laid out in, whatever the canvas: text is
    // measured at this resolution and the canvas's painter scales the page
    // to the device, so that every device gets the same lines and breaks.
    // 0: the canvas's own resolution.
    int Resolucao = 0;
};

// The page state in use (part of the program's shared state).
TEstadoPagina &Pagina();

// Pixels per inch of the canvas in use.
int PixelsPorPolegada();

void DesenhaMoldura();
void Separador();
void Escreve(const QString &texto, bool fimDeLinha);
void EscreveEm(int x, const QString &texto, bool fimDeLinha);
void DesenhaBitmap(QPainter &folha, const Retangulo &r, const QImage &imagem);
// Heading: logo, then "Proposta nº ... - dd/mm/yyyy" right-aligned, then a rule.
void Cabecalho();

// The sheet the documents are made on: A4 portrait, 8 mm margins.
QPageLayout PaginaA4();
// A PDF writer set up as the pages are printed: PaginaA4, 600 pixels per
// inch, the program as its creator and 'titulo'.
void PreparaPDF(QPdfWriter &pdf, const QString &titulo);

// Canvas font helpers: "Arial" at a size in points, bold or not.
void FonteArial(int pontos, bool negrito = false);
// The canvas font's size in points.
int TamanhoFonte();
// The canvas font at 'pontos' points, its family and style kept.
void MudaTamanhoFonte(int pontos);
int AlturaTexto(const QString &texto);
int LarguraTexto(const QString &texto);
// Metrics of the canvas font as the page measures it.
QFontMetrics MetricasFonte();
// The text in lines no wider than 'largura' in the canvas font: broken at
// blanks, a word wider than a line broken between letters. Nothing is left
// out; an empty text is one empty line.
QStringList QuebraTexto(const QString &texto, int largura);

} // namespace quellora
