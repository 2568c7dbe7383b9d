#include "ui/lista.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace quellora {

class DelegadoLista : public QStyledItemDelegate {
public:
    explicit DelegadoLista(ListaDesenhada *l) : QStyledItemDelegate(l), l_(l) {}

    QSize sizeHint(const QStyleOptionViewItem &op, const QModelIndex &i) const override {
        QSize s = QStyledItemDelegate::sizeHint(op, i);
        s.setHeight(l_->AlturaLinhas());
        return s;
    }

    void initStyleOption(QStyleOptionViewItem *op, const QModelIndex &i) const override {
        QStyledItemDelegate::initStyleOption(op, i);
        op->text.clear();
        if (l_->alternada_.isValid() && i.row() % 2 == 1 && !(op->state & QStyle::State_Selected))
            op->backgroundBrush = l_->alternada_;
    }

    void paint(QPainter *p, const QStyleOptionViewItem &opcao, const QModelIndex &i) const override {
        QStyleOptionViewItem op = opcao;
        initStyleOption(&op, i);
        const QWidget *w = op.widget;
        QStyle *estilo = w ? w->style() : nullptr;
        if (estilo)
            estilo->drawControl(QStyle::CE_ItemViewItem, &op, p, w);
        if (!l_->desenha)
            return;
        QStyleOptionViewItem texto = op;
        if (estilo && (op.features & QStyleOptionViewItem::HasCheckIndicator)) {
            const QRect caixa = estilo->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &op, w);
            texto.rect.setLeft(caixa.right() + 3);
        }
        if (!(op.state & QStyle::State_Enabled))
            texto.palette.setCurrentColorGroup(QPalette::Disabled);
        p->save();
        p->setClipRect(texto.rect);
        l_->desenha(*p, texto, i.row());
        p->restore();
    }

private:
    ListaDesenhada *l_;
};

ListaDesenhada::ListaDesenhada(QWidget *pai) : QListWidget(pai) {
    setItemDelegate(new DelegadoLista(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem *it) {
        if (!preenchendo_ && marcavel_)
            emit marcacaoAlterada(row(it));
    });
}

void ListaDesenhada::setAlturaLinhas(int px) {
    altura_ = px;
    doItemsLayout();
}

int ListaDesenhada::AlturaLinhas() const { return std::max(altura_, fontMetrics().height() + 2); }

void ListaDesenhada::Adiciona(const QString &texto, bool marcado) {
    preenchendo_ = true;
    auto *it = new QListWidgetItem(texto);
    if (marcavel_) {
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        it->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
    }
    addItem(it);
    preenchendo_ = false;
}

void ListaDesenhada::Limpa() {
    preenchendo_ = true;
    clear();
    preenchendo_ = false;
}

QString ListaDesenhada::Texto(int r) const {
    const QListWidgetItem *it = item(r);
    return it ? it->text() : QString();
}

void ListaDesenhada::setTexto(int r, const QString &texto) {
    if (QListWidgetItem *it = item(r)) {
        preenchendo_ = true;
        it->setText(texto);
        preenchendo_ = false;
    }
}

bool ListaDesenhada::Marcado(int r) const {
    const QListWidgetItem *it = item(r);
    return it && it->checkState() == Qt::Checked;
}

void ListaDesenhada::setMarcado(int r, bool v) {
    QListWidgetItem *it = item(r);
    if (!it || Marcado(r) == v)
        return;
    preenchendo_ = true;
    it->setCheckState(v ? Qt::Checked : Qt::Unchecked);
    preenchendo_ = false;
}

} // namespace quellora
