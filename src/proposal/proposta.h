#pragma once
// The proposal the client receives: five items per page side by side, drawn
// with the page primitives (screen preview, printer, PDF), and the same
// content as an HTML document (spreadsheet file, e-mail attachment). Both
// read the quotation and the page options of the shared state.
//
// Only the items that are ready (ItemPronto) are shown, with their numbers in
// the quotation. Every page is laid out on the paper it is printed on: what
// does not fit above the footer goes on a further page of the same items.

#include "catalogue/binario.h"
#include "proposal/pagina.h"
#include "quotation/registros.h"

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace quellora {

inline constexpr int ItensPorPagina = 5;
// Pixels per inch the pages are laid out in, on every device.
inline constexpr int ResolucaoProposta = 600;

// Page options, set by the data sheet window before each page, and the
// layout of the page being drawn.
struct TEstadoProposta {
    // Which sections the pages show.
    bool SecaoTecnicas = true;
    bool SecaoRuido = true;
    bool SecaoAcessorios = true;
    bool SecaoPrecos = false;
    bool SecaoCondicoes = false;
    bool SecaoObs = false;
    // The operating point table leaves out seven rows.
    bool Reduzida = true;
    // Page number text of the bottom line.
    QString TextoPagina;

    // Items of the page side by side, by their numbers in the quotation
    // (DefinePagina).
    std::vector<int> ItensPagina;
    // Layout, recomputed at the start of every page.
    int ColMeio = 300;
    int ColUnidade = 150;
    int ColItens = 200;
    int LargItem = 100;
};

// The ready items of 'itens'[1..numItens] five by five: the items side by
// side under one heading (on the pages and in the HTML's tables). At least
// one group, empty when no item is ready.
std::vector<std::vector<int>> GruposProposta(const Faixa<TItemOrc, 0, 40> &itens, int numItens);

// An item the proposal leaves out, and why.
struct TItemFora {
    int Item = 0;
    bool NaoSelecionado = false;
    bool SemQuantidade = false;
    bool operator==(const TItemFora &) const = default;
};
std::vector<TItemFora> ItensForaDaProposta(const Faixa<TItemOrc, 0, 40> &itens, int numItens);
// "Fora da proposta: item 6 (não selecionado), item 7 (quantidade 0)";
// empty when none is left out.
QString AvisoItensFora(const std::vector<TItemFora> &fora);

// The program and the day the document was made, as the documents carry
// them: "Quellora 3.0 - gerado em 09/12/2026".
QString CarimboDocumento(const QDate &feito);

// One page of the proposal: a group of items and the rows below their item
// table that it shows (a further page of the same items repeats their
// numbers and tags and goes on where the one before stopped).
struct TPaginaProposta {
    std::vector<int> Itens;
    int De = 0, Ate = 0;      // rows [De, Ate)
    bool Continuacao = false; // not the group's first page
};

// The standard page: PaginaA4, the sheet of the PDF file (PreparaPDF) and
// of the preview.
QPageLayout LayoutPaginaProposta();
// Its paint area in pixels of ResolucaoProposta.
Retangulo AreaPaginaPadrao();
// A device's paint area in pixels of ResolucaoProposta.
Retangulo AreaDoDispositivo(const QPaintDevice &dispositivo);

// The pages of the quotation in force, measured on a page of 'area'; at
// least one.
std::vector<TPaginaProposta> PaginasProposta(const Retangulo &area = AreaPaginaPadrao());
// Their number on the standard page.
int NumPaginasProposta();
// The items side by side on the page being drawn (at most five).
void DefinePagina(const std::vector<int> &itens);
// Writes the text so that it ends at the cursor's x.
void EscreveDireita(const QString &texto, bool fimDeLinha);

// Draws 'pagina', laid out on a page of 'area', onto 'folha' within 'alvo'
// (the painter's coordinates): the page is scaled to it.
void DesenhaProposta(QPainter &folha, const QRectF &alvo, const Retangulo &area, const TPaginaProposta &pagina);

// Pages 'de'..'ate' (1-based) on a printer or PDF writer, one device page
// each, laid out on the device's page and every page numbered "Pág. i de n".
// The device's whole paint area is the page. False when the device cannot
// be painted on.
bool ImprimeProposta(QPagedPaintDevice &dispositivo, int de, int ate);
// The same pages with a painter already begun on the device, which stays
// on the last of them (a document that goes on after them).
void ImprimePaginasProposta(QPainter &folha, QPagedPaintDevice &dispositivo, int de, int ate);
// Every page as a PDF document (A4), written atomically.
[[nodiscard]] bool GravaPropostaPDF(const QString &caminho, QString *erro);

// The HTML document of every page, line by line; 'feito' is the day its
// closing line names.
QStringList GeraHTML(const QDate &feito = QDate::currentDate());
// Lines as saved: each ends with CR LF, Windows-1252.
QByteArray BytesHTML(const QStringList &linhas);
// The document with the current page options, as saved (the spreadsheet
// file and the e-mail attachment).
QByteArray PropostaHTML(const QDate &feito = QDate::currentDate());
[[nodiscard]] bool GravaPropostaHTML(const QString &caminho, QString *erro,
                                     const QDate &feito = QDate::currentDate());

// The maker's logo as the pages draw it (for programs without the main
// window, which otherwise supplies it).
QImage LogotipoProposta();

} // namespace quellora
