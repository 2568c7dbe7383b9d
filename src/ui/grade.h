#pragma once
// String grid in the manner of the classic desktop grids the windows were
// designed around: row 0 is the title row (shown as the header), data rows
// are 1..RowCount()-1, cells hold text. Columns may show their text through
// a display format, accept only numbers, or offer a fixed list of choices; a
// row may be highlighted; the window may refuse a cell before it becomes
// current.

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

    // Display format of a column: "0", "0.0", "0.00", "0.000"; the cell keeps
    // the full value.
    void setFormato(int col, const QString &formato);
    // Columns the user may type in; others are read-only.
    void setEditavel(int col, bool editavel);
    bool Editavel(int col) const;
    // A typed value that is not a number is refused (the cell keeps its
    // previous value). 'inteiro': only whole numbers.
    void setNumerica(int col, bool inteiro);
    // Longest text the user may type in the column.
    void setMaxComprimento(int col, int n);
    // The column is a drop-down restricted to these choices.
    void setLista(int col, const QStringList &escolhas, int linhasVisiveis = 10);
    QStringList Lista(int col) const;

    // Row shown with a yellow background (-1 none).
    void setLinhaDestaque(int row);
    int LinhaDestaque() const { return destaque_; }

    // Asked before (col, row) becomes the current cell; false keeps the
    // cursor where it was.
    std::function<bool(int col, int row)> podeSelecionar;

    // While set, programmatic cell changes do not emit celulaEditada.
    bool preenchendo = false;

    // Formats a number held as text for display ("0.00" etc.).
    static QString Formata(const QString &texto, const QString &formato);
    static QString TextoNumero(double v); // full decimal text of a number

signals:
    void celulaSelecionada(int col, int row);
    void celulaEditada(int col, int row);

protected:
    void currentChanged(const QModelIndex &atual, const QModelIndex &anterior) override;

private:
    friend class DelegadoGrade;
    QTableWidgetItem *item_(int col, int row, bool cria);
    int destaque_ = -1;
    bool revertendo_ = false;
    std::map<int, QString> formatos_;
    std::map<int, bool> editaveis_;
    std::map<int, bool> numericas_; // value: whole numbers only
    std::map<int, int> maximos_;
    std::map<int, QStringList> listas_;
    std::map<int, Qt::Alignment> alinhamentos_;
    QStringList titulos_;
};

} // namespace quellora
