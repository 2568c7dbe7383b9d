#pragma once
// String grid in the manner of the classic desktop grids the windows were
// designed around: row 0 is the title row (shown as the header), data rows
// are 1..RowCount()-1, cells hold text. Columns may show their text through
// a display format, accept only numbers, or offer a fixed list of choices; a
// row may be highlighted; the window may refuse a cell before it becomes
// current.

#include "shell/numeros.h"

#include <QColor>
#include <QStringList>
#include <QTableWidget>

#include <functional>
#include <map>

namespace quellora {

class GradeTexto : public QTableWidget {
    Q_OBJECT
public:
    GradeTexto(int colunas, QWidget *pai = nullptr);

    // Rows counted with the title row, as the windows count them.
    int RowCount() const { return rowCount() + 1; }
    void setRowCount(int linhasComTitulo);
    int ColCount() const { return columnCount(); }

    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString &texto);
    // The cell as a number: its full text read back, 0 when it is not one.
    double Numero(int col, int row) const;

    // Current cell (data rows from 1); 0 when there is none.
    int Col() const;
    int Row() const;
    void setCelulaAtual(int col, int row);

    void setTitulo(int col, const QString &texto); // "\r" separates two lines
    QString Titulo(int col) const;
    void setAlturaTitulo(int px);
    void setAlturaLinhas(int px);
    void setLarguras(const QList<int> &px);
    // Columns keep these widths unless what they show needs more.
    void AjustaLarguras(const QList<int> &minimas);
    void setAlinhamento(int col, Qt::Alignment a);

    // Display format of a column: "0", "0.0", "0.00", "0.000" (FormataFloat);
    // an empty format shows the general form (NumeroGeral). The cell keeps
    // the full value. Number columns without a format show the general form.
    void setFormato(int col, const QString &formato);
    // Columns the user may type in; others are read-only.
    void setEditavel(int col, bool editavel);
    bool Editavel(int col) const;
    // A number column: its editor shows the locale's form and takes that or
    // the dot form (a whole-number column also the locale's thousands
    // separators). A typed value that is not a number (or not a whole one,
    // with 'inteiro'), or that aceitaNumero refuses, is reported in an error
    // box that names the field and what it expects ('campo'; without a
    // name, the column's title); the cell keeps its previous value and the
    // cursor stays on it.
    void setNumerica(int col, bool inteiro, const TCampoNumero &campo = {});
    TCampoNumero CampoNumero(int col) const;
    // The window's own rule for a number typed as 'texto' in a column: false
    // refuses it, with the reason in 'motivo'.
    std::function<bool(int col, double valor, const QString &texto, QString *motivo)> aceitaNumero;
    // What the user types into a number column, checked: true with the text
    // the cell stores (empty for an empty cell), false with the reason.
    bool LeDigitado(int col, const QString &texto, QString *armazenado, QString *motivo) const;
    // Longest text the user may type in the column.
    void setMaxComprimento(int col, int n);
    // The column is a drop-down restricted to these choices.
    void setLista(int col, const QStringList &escolhas, int linhasVisiveis = 10);
    QStringList Lista(int col) const;

    // Row shown with a yellow background (-1 none).
    void setLinhaDestaque(int row);
    int LinhaDestaque() const { return destaque_; }
    // Background of the highlighted row. 'tambemSelecionada': the row keeps
    // it (darkened) while selected; otherwise a selected row looks as any.
    void setCorDestaque(const QColor &cor, bool tambemSelecionada = true);
    // Colour of the column titles.
    void setCorTitulos(const QColor &cor);
    QColor CorTitulos() const;

    // Asked before (col, row) becomes the current cell; false keeps the
    // cursor where it was.
    std::function<bool(int col, int row)> podeSelecionar;

    // While set, programmatic cell changes do not emit celulaEditada.
    bool preenchendo = false;

    // The cell's text as the grid shows it (and screen readers read it).
    QString TextoExibido(int col, int row) const;

    // Formats a number held as text for display ("0.00" etc., empty: the
    // general form) in the user's locale; a text that is no number is shown
    // as it is.
    static QString Formata(const QString &texto, const QString &formato);
    static QString TextoNumero(double v); // full decimal text of a number, dot form

signals:
    void celulaSelecionada(int col, int row);
    void celulaEditada(int col, int row);

protected:
    void currentChanged(const QModelIndex &atual, const QModelIndex &anterior) override;

private:
    friend class DelegadoGrade;
    QTableWidgetItem *item_(int col, int row, bool cria);
    QString exibe(int col, const QString &texto) const;
    int destaque_ = -1;
    QColor corDestaque_{255, 255, 0};
    bool destaqueSelecionada_ = true;
    bool revertendo_ = false;
    std::map<int, QString> formatos_;
    std::map<int, bool> editaveis_;
    std::map<int, bool> numericas_; // value: whole numbers only
    std::map<int, TCampoNumero> campos_;
    std::map<int, int> maximos_;
    std::map<int, QStringList> listas_;
    std::map<int, Qt::Alignment> alinhamentos_;
    QStringList titulos_;
};

} // namespace quellora
