#pragma once
// Drawing of the performance chart on the page state's canvas: the small
// chart of the selection window, the curve window and the printed sheet.

#include "proposal/pagina.h"
#include "selection/curva.h"

#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace quellora {

// Where the chart's grid lies and how points map onto it.
struct TGeometriaCurva {
    Retangulo Grade;          // the grid's frame
    TEixosCurva Eixos;

    // (flow m³/h, pressure mmCA) to pixels, truncated.
    QPoint Ponto(double vazao, double pressao) const;
    // Vertical grid line i (0..flow steps) and horizontal grid line n
    // (0..pressure steps, 0 at the top).
    int XVertical(int i) const;
    int YHorizontal(int n) const;
    // Whether a pixel lies on the grid or inside it.
    bool Dentro(const QPoint &p) const;
};

// Text sizes the layout depends on, measured on the canvas.
struct TMedidasCurva {
    int AlturaTituloPressao = 0;   // height of "Pressão total mmCA" (turned)
    int LarguraEscalaPressao = 0;  // width of the pressure axis maximum
    int AlturaTituloVazao = 0;     // height of "Vazão de ar m³/h"
    int LarguraEscalaVazao = 0;    // width of the flow axis maximum
};

// The grid rectangle left inside 'area' once the axis titles and labels
// have their room.
TGeometriaCurva GeometriaCurva(const Retangulo &area, const TMedidasCurva &m, const TEixosCurva &eixos);

// The label of step i of an axis: i times its step.
QString RotuloEixo(const TEixo &e, int i);

// Writes 'texto' with its top-left corner at (x, y); turned counter-clockwise
// by 'graus' around that corner.
void TextoEm(QPainter &f, int x, int y, const QString &texto);
void TextoGirado(QPainter &f, int x, int y, const QString &texto, double graus);

// On the page state's canvas within 'area': the axis titles, the grid and
// its labels for 'eixos'. Returns where the grid lies.
TGeometriaCurva DesenhaGradeCurva(const Retangulo &area, const TEixosCurva &eixos);
// A line over the grid, cut at its frame, in the current pen.
void LinhaNaGrade(const TGeometriaCurva &geo, const QPolygon &linha);
// The operating speed's curve in red, with its speed after its last point
// (above it when that would pass 'direita').
void DesenhaRotacaoOperacao(const TGeometriaCurva &geo, const TDadosCurva &d, int direita);
// The operating point, filled yellow.
void DesenhaPontoOperacao(const TGeometriaCurva &geo, const TEntradaCurva &e);

// Label and value lines of the printed sheet's data block.
using BlocoCurva = std::vector<std::pair<QString, QString>>;

// What a chart shows beyond the fan, drawn by whoever knows it: points its
// axes must hold besides the duty and the operating speed's curve
// ('Contidos'); on the printed sheet, more lines after the data block
// ('Texto', from the text cursor on); on every chart, more lines over the
// grid, under the operating point ('Grafico').
struct TExtrasCurva {
    std::vector<QPointF> Contidos;
    std::function<void()> Texto;
    std::function<void(const TGeometriaCurva &)> Grafico;
};

// Draws the chart in Pagina().AreaPagina, on the axes EixosDaCurva gives
// for the duty point, the operating speed's curve and the extras' points.
// When printing, the frame, heading and 'bloco' come first and the chart is
// centred in the space below them (or takes all of it, when it is less than
// the chart's width). Returns the geometry used.
TGeometriaCurva DesenhaCurva(const TDadosCurva &d, const TEntradaCurva &e, const BlocoCurva &bloco = {},
                             const TExtrasCurva &extras = {});

// Colours of the chart.
inline constexpr QRgb CorGrade = 0xC0C0C0;   // silver
inline constexpr QRgb CorRotacoes = 0x000080; // navy
inline constexpr QRgb CorRendimento = 0x0000FF; // blue
inline constexpr QRgb CorOperacao = 0xFF0000; // red
inline constexpr QRgb CorPonto = 0xFFFF00;    // yellow

} // namespace quellora
