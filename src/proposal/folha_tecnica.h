#pragma once
// The technical data sheets ("Folhas técnicas"): one A4 page per item ready
// for the proposal, drawn with the page primitives like the proposal's
// pages (vector PDF, selectable text): the heading, the chart at the
// operating speed with the system, the operating data, the efficiency and
// its compliance, the sound where people work, the construction with its
// pictures, and the warnings. The items keep their own numbers.

#include "catalogue/energia.h"
#include "catalogue/tipos.h"
#include "proposal/pagina.h"
#include "quotation/registros.h"
#include "selection/eficiencia.h"
#include "selection/sistema.h"
#include "shell/preferencias.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace quellora {

struct TEstado;

// What the figures of every sheet are worked out from: the catalogue's
// lines and energy data, and the running-cost and sound preferences.
struct TBaseFolhas {
    std::vector<TDadosModelo> Modelos;
    TEnergiaCatalogo Energia;
    TPreferencias Preferencias;
};
// From the catalogue and data folders; what cannot be read is left empty
// (its values then read "-.-") and the preferences at their defaults.
TBaseFolhas CarregaBaseFolhas(const QString &dirCatalogo, const QString &dirDados);

// Everything one sheet shows of its item.
struct TFolhaTecnica {
    int Numero = 0;          // the item's number in the quotation
    TItemOrc Item;
    TFiguras Figuras;        // chart, system, sound, warnings
    TEficiencia Eficiencia;
    TPreferencias Preferencias;
    QStringList Acessorios;  // the names of the item's accessories
    // The quotation's heading: client, project and number.
    QString Cliente;
    QString Projeto;
    QString NumOrc;
};

// The sheet of item 'numero': its figures from its line in 'base', its
// accessories named from the catalogue's table and the quotation's special
// ones.
TFolhaTecnica MontaFolhaTecnica(const TItemOrc &item, int numero, const TBaseFolhas &base, const TOrcamento &orc,
                                const Faixa<TAcessorio, 1, 45> &acessorios);

// The numbers of the items that get a sheet (ItemPronto), in order.
std::vector<int> ItensComFolha(const Faixa<TItemOrc, 0, 40> &itens, int numItens);

// The sheets of the quotation held in 'estado', with the base read from its
// folders.
std::vector<TFolhaTecnica> FolhasDoOrcamento(const TEstado &estado);

// Draws sheet 'folha' on 'f' within 'r' (the page state's canvas; the logo,
// number and date of the heading as the proposal's pages draw them, client
// and project from the sheet); 'textoPagina' is written at the bottom right
// ("Folha 1 de 3").
void DesenhaFolhaTecnica(QPainter &f, const Retangulo &r, const TFolhaTecnica &folha, const QString &textoPagina);

// The sheets on a painter already begun on a printer or PDF writer, one
// device page each, the first on the device's current page.
void ImprimeFolhasTecnicas(QPainter &f, QPagedPaintDevice &dispositivo, const std::vector<TFolhaTecnica> &folhas);

// The sheets as a PDF document, written atomically. Refused, with the
// reason, when no item is ready.
[[nodiscard]] bool GravaFolhasTecnicasPDF(const QString &caminho, const std::vector<TFolhaTecnica> &folhas,
                                          QString *erro);
// The proposal's pages (with the page options in force) and then the
// sheets, as one PDF document: the e-mail's attachment.
QByteArray PropostaEFolhasPDF(const std::vector<TFolhaTecnica> &folhas);

// File names after the quotation number: "folhas_0012_03.pdf" (default of
// the save dialog) and "proposta_0012_03.pdf" (the e-mail attachment);
// without a number, "folhas.pdf" and "proposta.pdf".
QString NomeArquivoFolhas(const QString &numOrc);
QString NomeAnexoPDF(const QString &numOrc);

inline constexpr const char *MsgSemItensProntos =
    "Nenhum item pronto para a folha técnica: selecione um ventilador e informe a quantidade.";

} // namespace quellora
