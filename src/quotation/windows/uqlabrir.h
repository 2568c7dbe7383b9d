#pragma once
// The open/delete window TfrmOpen (navigation number 11): the quotations of
// the program's store (the projects folder, or a server) with their number,
// date, client, project and total, sorted by one of them; a quotation is
// opened into data entry (on a server also an earlier revision) or deleted.

#include "quotation/propostas.h"
#include "shell/windows/janelafilha.h"

#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quellora {

struct EntradaJanela;
class GradeTexto;

inline constexpr const char *MsgConfirmaExclusao =
    "Se você excluir este orçamento, não será possível recuperá-lo \r\nfuturamente.\r\nConfirma a exclusão de [%1] ?";
inline constexpr const char *MsgErroExclusao = "Ocorreu algum erro na exclusão desta proposta!";
inline constexpr const char *MsgNenhumaProposta = "Nenhuma proposta foi encontrada em [%1]";

// Columns of the list.
enum ColunaAbrir : int { COL_ORC = 0, COL_DATA = 1, COL_CLIENTE = 2, COL_PROJETO = 3, COL_TOTAL = 4 };

class TfrmOpen : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmOpen(QWidget *painel);

    // The projects folder listed again, sorted by number.
    void Lista();
    // Sorts the rows by a key (ChaveOrcamentos) and puts the cursor on the
    // last row.
    void Ordena(int chave);
    // Opens the selected quotation, its last revision or revision n (only
    // while OK is enabled).
    void Abre(int revisao = 0);
    // Deletes the selected quotation after the question.
    void Exclui();

    // The rows as listed, in the grid's order.
    const std::vector<TResumoOrc> &Linhas() const { return linhas_; }
    GradeTexto *sgFiles() const { return sgFiles_; }

protected:
    void aoMostrar() override;
    bool eventFilter(QObject *o, QEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    void Preenche();
    void ajustaColunas();
    const TResumoOrc *Selecionada() const;

    GradeTexto *sgFiles_ = nullptr;
    QPushButton *btOpen_ = nullptr;
    QPushButton *btExclui_ = nullptr;
    QPushButton *btRevisoes_ = nullptr;
    QButtonGroup *rgComp_ = nullptr;
    QGroupBox *GroupBox1_ = nullptr;
    QCheckBox *ckAtPreco_ = nullptr;
    QLabel *lbNenhuma_ = nullptr;
    std::vector<TResumoOrc> linhas_;
};

// After LeArquivo: data entry filled from the records (with Carregando set,
// so that nothing is stored back), the quotation unchanged, data entry
// shown.
void CarregaOrcamento();

QWidget *CriaTfrmOpen(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
