#pragma once
// List box whose rows the window draws itself (owner drawing), in the manner
// of the classic desktop lists: fixed row height, optional check box per row
// (a check list), optional grey background on odd rows. Ticking a box by
// mouse or space bar reports the row; the window's own changes do not.

#include <QListWidget>

#include <functional>

class QPainter;
class QStyleOptionViewItem;

namespace quellora {

class ListaDesenhada : public QListWidget {
    Q_OBJECT
public:
    explicit ListaDesenhada(QWidget *pai = nullptr);

    // Rows of this height at least (taller when the font needs it).
    void setAlturaLinhas(int px);
    int AlturaLinhas() const;
    // Rows with a check box.
    void setMarcavel(bool v) { marcavel_ = v; }
    // Odd rows not selected get this background (invalid: none).
    void setCorAlternada(const QColor &c) { alternada_ = c; }

    // Draws the row's content in 'op.rect' (the part right of the check
    // box), after the background and the box. 'op.state' tells whether the
    // row is selected; 'op.palette' holds the colours to use.
    std::function<void(QPainter &p, const QStyleOptionViewItem &op, int row)> desenha;

    // Rows (their text is for the window; drawing is the callback's).
    void Adiciona(const QString &texto, bool marcado = false);
    void Limpa();
    int Quantas() const { return count(); }
    QString Texto(int row) const;
    void setTexto(int row, const QString &texto);
    bool Marcado(int row) const;
    void setMarcado(int row, bool v);

signals:
    // The user ticked or unticked the box of a row.
    void marcacaoAlterada(int row);

private:
    friend class DelegadoLista;
    bool marcavel_ = false;
    bool preenchendo_ = false;
    int altura_ = 16;
    QColor alternada_;
};

} // namespace quellora
