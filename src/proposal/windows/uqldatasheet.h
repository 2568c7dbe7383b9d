#pragma once
// The data sheet window: the proposal page by page, the choice of its
// sections, printing, PDF, the spreadsheet file, observations and e-mail.

#include "proposal/proposta.h"
#include "shell/windows/janelafilha.h"

#include <QStringList>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace quellora {

class TfrmDataSheet : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmDataSheet(QWidget *painel);

    int paginaAtual() const { return PaginaAtual; }
    int numPaginas() const { return NumPaginas; }
    QWidget *folha() const { return pb_; }

    // The page options of the check boxes and the Normal/Reduzida button
    // into the shared state (what the pages, the HTML and the e-mail use).
    void aplicaOpcoes();

    // Test hooks: the print dialog (false for Cancel; may set the range and
    // the printer) and the dialog that chooses where a PDF or spreadsheet
    // file is saved, given the path it proposes (empty for Cancel).
    std::function<bool(QPrinter &)> confirmaImpressao;
    std::function<QString(const QString &proposto)> escolheArquivo;
    // The desktop's program for a spreadsheet file (ComandoParaAbrir).
    static std::function<QStringList(const QString &arquivo)> LocalizaPrograma;
    // Opens a saved PDF in the desktop's viewer (QDesktopServices); false
    // when it could not. Tests put a function of their own.
    static std::function<bool(const QString &arquivo)> AbreNoVisualizador;

public slots:
    // Ticks or clears "Observações" (opening a quotation with observation text).
    void MarcaObservacoes(bool marcar);

protected:
    void aoMostrar() override;
    void aoEsconder() override;
    void keyReleaseEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    friend class FolhaProposta;
    void desenhaFolha(QPainter &f);
    // The pages measured again with the options in force (their number
    // follows the sections shown), the page shown kept where it still is.
    void atualizaPaginas();
    void ajustaPagina();
    void mudaPagina(int passo);
    void focaFolha();
    void btReduzidaClick();
    void btImprimeClick();
    void btObsClick();
    void btBasesClick();
    void btExcelClick();
    void btEmailClick();
    void btPDFClick();
    void btFolhasClick();
    // Where to save the proposal as 'extensao' ("pdf", "xls"): the file the
    // user chooses, empty when cancelled. The name proposed is 'nome' in the
    // projects folder, by default "proposta_<number>.<extensao>".
    QString destino(const QString &titulo, const QString &extensao, const QString &filtro,
                    const QString &nome = QString());

    int PaginaAtual = 1;
    int NumPaginas = 1;
    std::vector<TPaginaProposta> paginas_;
    bool Pintando = true;

    QWidget *pb_ = nullptr;
    QScrollArea *sb_ = nullptr;
    QPushButton *btReduzida_ = nullptr, *btPrevPg_ = nullptr, *btNextPg_ = nullptr;
    QLabel *lbPg_ = nullptr, *lbQuantidade_ = nullptr, *lbSelecao_ = nullptr, *lbForaDaProposta_ = nullptr;
    QCheckBox *cbTecnicas_ = nullptr, *cbRuido_ = nullptr, *cbAcessorios_ = nullptr, *cbObs_ = nullptr,
              *cbPrecos_ = nullptr, *cbCondicoes_ = nullptr;
};

struct EntradaJanela;
QWidget *CriaTfrmDataSheet(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
