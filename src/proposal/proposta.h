#pragma once
// The proposal the client receives: five items per page side by side, drawn
// with the page primitives (screen preview, printer, PDF), and the same
// content as an HTML document (spreadsheet file, e-mail attachment). Both
// read the quotation and the page options of the shared state.

#include "proposal/pagina.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

namespace quellora {

inline constexpr int ItensPorPagina = 5;

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

    // Items of the page (DefinePagina).
    int PrimeiroItem = 1;
    int UltimoItem = 0;
    // Layout, recomputed at the start of every page.
    int ColMeio = 300;
    int ColUnidade = 150;
    int ColItens = 200;
    int LargItem = 100;
};

// Pages of the quotation in force: five items each, at least one page.
int NumPaginasProposta();
// The page whose first item is 'primeiro': PrimeiroItem and UltimoItem.
void DefinePagina(int primeiro);
// Writes the text so that it ends at the cursor's x.
void EscreveDireita(const QString &texto, bool fimDeLinha);

// Draws the page of PrimeiroItem..UltimoItem on 'folha' within 'r'.
void DesenhaProposta(QPainter &folha, const Retangulo &r);

// Pages 'de'..'ate' (1-based) on a printer or PDF writer, one device page
// each, every page numbered "Pág. i de n". The device's whole paint area is
// the page. False when the device cannot be painted on.
bool ImprimeProposta(QPagedPaintDevice &dispositivo, int de, int ate);
// The same pages with a painter already begun on the device, which stays
// on the last of them (a document that goes on after them).
void ImprimePaginasProposta(QPainter &folha, QPagedPaintDevice &dispositivo, int de, int ate);
// Every page as a PDF document (A4), written atomically.
[[nodiscard]] bool GravaPropostaPDF(const QString &caminho, QString *erro);

// The HTML document of every page, line by line.
QStringList GeraHTML();
// Lines as saved: each ends with CR LF, Windows-1252.
QByteArray BytesHTML(const QStringList &linhas);
// The document with the current page options, as saved (the spreadsheet
// file and the e-mail attachment).
QByteArray PropostaHTML();
[[nodiscard]] bool GravaPropostaHTML(const QString &caminho, QString *erro);

// The maker's logo as the pages draw it (for programs without the main
// window, which otherwise supplies it).
QImage LogotipoProposta();

} // namespace quellora
