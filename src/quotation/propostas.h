#pragma once
// The quotation files of the projects folder as the program uses them:
// saving and reading the quotation being edited (Orcamento, Itens,
// NumItens, ArqOrc of the shared state), the listing of the open window and
// its sort, and the factors a quotation brings when it is opened.

#include <QByteArray>
#include <QString>

#include <vector>

namespace quellora {

class Acervo;
enum class Gravacao;

// Writes Orcamento and items 1..NumItens as the quotation ArqOrc of the
// store, whole or not at all (a failure leaves the previous one whole).
Gravacao GravaArquivo(Acervo &acervo, QString *erro, bool porCima = false);
// Reads the quotation ArqOrc of the store (its last revision, or revision
// n) into Orcamento and Itens 1..n (the items past n become empty) and sets
// NumItens. An image that is not a whole quotation is refused with a
// message naming it, and memory is left as it was.
[[nodiscard]] bool LeArquivo(Acervo &acervo, QString *erro, int revisao = 0);
// The same on the files of a projects folder.
[[nodiscard]] bool GravaArquivo(const QString &dirProjetos, QString *erro);
[[nodiscard]] bool LeArquivo(const QString &dirProjetos, QString *erro);

// One row of the open window's listing.
struct TResumoOrc {
    QString Arquivo;       // file name in the folder
    QString Numero;        // from the file name: "0012_03.orc" gives "0012/03"
    double Data = 0;
    QString Cliente;       // "-.-" when the quotation has none, "(arquivo danificado)"
    QString Projeto;
    double Total = 0;      // ValorTotalOrc
    bool Legivel = false;  // the file is a whole quotation (ImagemOrcInteira)
};

inline constexpr const char *ClienteVazio = "-.-";
inline constexpr const char *OrcamentoDanificado = "(arquivo danificado)";

// One file as a row, from its header bytes (the first 1716 or fewer) and its
// size. A file that is not a whole quotation shows only its number and
// "(arquivo danificado)".
TResumoOrc ResumoOrcamento(const QString &arquivo, const QByteArray &cabecalho, qint64 tamanho);
// Every "*.orc" of the folder, in the order the folder gives them, reading
// only each file's header. A missing folder lists nothing.
std::vector<TResumoOrc> ListaOrcamentos(const QString &dirProjetos);

// Sort keys, in the order of the window's choices.
enum ChaveOrcamentos : int { ORDEM_NUMERO, ORDEM_DATA, ORDEM_CLIENTE, ORDEM_PROJETO, ORDEM_TOTAL };
// Ascending by the key with the open window's exchange sort (rows whose
// keys are equal keep the places that sort gives them). Texts compare byte
// by byte in the file's code page, dates and totals as numbers.
void OrdenaOrcamentos(std::vector<TResumoOrc> &lista, int chave);

// A quotation's date as the listing shows it, "dd/mm/yyyy" (empty when it
// is no date).
QString TextoDataOrcamento(double data);

// Opening: the quotation's own factors become the factors in force (when it
// has them: its commercial block was initialised), and an ICMS choice out
// of 1..4 becomes 3.
void AplicaFatoresDoOrcamento();

} // namespace quellora
