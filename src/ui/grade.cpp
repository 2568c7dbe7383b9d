#include "ui/grade.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

#include <cmath>

namespace quellora {

// Editors and display of the grid's cells.
class DelegadoGrade : public QStyledItemDelegate {
public:
    explicit DelegadoGrade(GradeTexto *g) : QStyledItemDelegate(g), g_(g) {}

    QString displayText(const QVariant &valor, const QLocale &) const override { return valor.toString(); }

    void initStyleOption(QStyleOptionViewItem *op, const QModelIndex &i) const override {
        QStyledItemDelegate::initStyleOption(op, i);
        const int col = i.column();
        auto f = g_->formatos_.find(col);
        if (f != g_->formatos_.end())
            op->text = GradeTexto::Formata(op->text, f->second);
        auto a = g_->alinhamentos_.find(col);
        op->displayAlignment = (a != g_->alinhamentos_.end() ? a->second : Qt::AlignLeft) | Qt::AlignVCenter;
        if (i.row() + 1 == g_->destaque_) {
            op->backgroundBrush = QBrush(QColor(255, 255, 0));
            op->palette.setColor(QPalette::Text, Qt::black);
            op->palette.setColor(QPalette::HighlightedText, Qt::black);
            op->palette.setColor(QPalette::Highlight, QColor(255, 255, 0).darker(115));
        }
    }

    QWidget *createEditor(QWidget *pai, const QStyleOptionViewItem &op, const QModelIndex &i) const override {
        const int col = i.column();
        auto l = g_->listas_.find(col);
        if (l != g_->listas_.end()) {
            auto *cb = new QComboBox(pai);
            cb->setEditable(false);
            cb->addItem(QString());
            cb->addItems(l->second);
            cb->setMaxVisibleItems(10);
            return cb;
        }
        auto *ed = new QLineEdit(pai);
        auto m = g_->maximos_.find(col);
        if (m != g_->maximos_.end())
            ed->setMaxLength(m->second);
        ed->setFrame(false);
        auto a = g_->alinhamentos_.find(col);
        if (a != g_->alinhamentos_.end())
            ed->setAlignment(a->second);
        (void)op;
        return ed;
    }

    void setEditorData(QWidget *editor, const QModelIndex &i) const override {
        const QString t = i.data(Qt::EditRole).toString();
        if (auto *cb = qobject_cast<QComboBox *>(editor)) {
            const int k = cb->findText(t);
            cb->setCurrentIndex(k < 0 ? 0 : k);
            return;
        }
        if (auto *ed = qobject_cast<QLineEdit *>(editor))
            ed->setText(t);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *modelo, const QModelIndex &i) const override {
        QString novo;
        if (auto *cb = qobject_cast<QComboBox *>(editor))
            novo = cb->currentText();
        else if (auto *ed = qobject_cast<QLineEdit *>(editor))
            novo = ed->text();
        const QString antigo = i.data(Qt::EditRole).toString();
        auto n = g_->numericas_.find(i.column());
        if (n != g_->numericas_.end()) {
            QString t = novo.trimmed();
            t.replace(QLatin1Char(','), QLatin1Char('.'));
            if (t.isEmpty()) {
                novo = QString();
            } else {
                bool ok = false;
                const double v = t.toDouble(&ok);
                if (!ok || !std::isfinite(v) || (n->second && v != std::trunc(v)))
                    return; // not a number: the cell keeps what it had
                novo = t;
            }
        }
        if (novo != antigo)
            modelo->setData(i, novo, Qt::EditRole);
    }

private:
    GradeTexto *g_;
};

GradeTexto::GradeTexto(int colunas, QWidget *pai) : QTableWidget(0, colunas, pai) {
    setItemDelegate(new DelegadoGrade(this));
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignHCenter | Qt::AlignTop);
    horizontalHeader()->setMinimumSectionSize(3);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    titulos_ = QStringList(colunas, QString());
    for (int c = 0; c < colunas; ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *it) {
        if (!preenchendo)
            emit celulaEditada(it->column(), it->row() + 1);
    });
}

void GradeTexto::setRowCount(int linhasComTitulo) {
    const bool antes = preenchendo;
    preenchendo = true;
    QTableWidget::setRowCount(std::max(0, linhasComTitulo - 1));
    preenchendo = antes;
}

QTableWidgetItem *GradeTexto::item_(int col, int row, bool cria) {
    if (row < 1 || row > rowCount() || col < 0 || col >= columnCount())
        return nullptr;
    QTableWidgetItem *it = item(row - 1, col);
    if (!it && cria) {
        it = new QTableWidgetItem;
        if (!Editavel(col))
            it->setFlags(it->flags() & ~Qt::ItemIsEditable);
        const bool antes = preenchendo;
        preenchendo = true;
        setItem(row - 1, col, it);
        preenchendo = antes;
    }
    return it;
}

QString GradeTexto::Cells(int col, int row) const {
    if (row == 0)
        return Titulo(col);
    const QTableWidgetItem *it = (row >= 1 && row <= rowCount()) ? item(row - 1, col) : nullptr;
    return it ? it->text() : QString();
}

void GradeTexto::setCells(int col, int row, const QString &texto) {
    if (row == 0) {
        setTitulo(col, texto);
        return;
    }
    QTableWidgetItem *it = item_(col, row, true);
    if (!it || it->text() == texto)
        return;
    const bool antes = preenchendo;
    preenchendo = true;
    it->setText(texto);
    preenchendo = antes;
}

double GradeTexto::Numero(int col, int row) const {
    QString t = Cells(col, row).trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

int GradeTexto::Col() const { return currentIndex().isValid() ? currentIndex().column() : 0; }
int GradeTexto::Row() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void GradeTexto::setCelulaAtual(int col, int row) {
    if (row < 1 || row > rowCount())
        return;
    setCurrentCell(row - 1, col);
}

void GradeTexto::setTitulo(int col, const QString &texto) {
    if (col < 0 || col >= columnCount())
        return;
    titulos_[col] = texto;
    QString t = texto;
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    horizontalHeaderItem(col)->setText(t);
}

QString GradeTexto::Titulo(int col) const { return (col >= 0 && col < titulos_.size()) ? titulos_[col] : QString(); }

void GradeTexto::setAlturaTitulo(int px) {
    horizontalHeader()->setFixedHeight(px);
}

void GradeTexto::setAlturaLinhas(int px) {
    verticalHeader()->setMinimumSectionSize(std::min(px, 12));
    verticalHeader()->setDefaultSectionSize(px);
}

void GradeTexto::setLarguras(const QList<int> &px) {
    for (int c = 0; c < px.size() && c < columnCount(); ++c)
        setColumnWidth(c, px[c]);
}

void GradeTexto::AjustaLarguras(const QList<int> &minimas) {
    for (int c = 0; c < minimas.size() && c < columnCount(); ++c) {
        resizeColumnToContents(c);
        if (columnWidth(c) < minimas[c])
            setColumnWidth(c, minimas[c]);
    }
}

void GradeTexto::setAlinhamento(int col, Qt::Alignment a) { alinhamentos_[col] = a; }

void GradeTexto::setFormato(int col, const QString &formato) { formatos_[col] = formato; }

void GradeTexto::setEditavel(int col, bool editavel) {
    editaveis_[col] = editavel;
    for (int r = 0; r < rowCount(); ++r)
        if (QTableWidgetItem *it = item(r, col))
            it->setFlags(editavel ? (it->flags() | Qt::ItemIsEditable) : (it->flags() & ~Qt::ItemIsEditable));
}

bool GradeTexto::Editavel(int col) const {
    auto e = editaveis_.find(col);
    return e != editaveis_.end() && e->second;
}

void GradeTexto::setNumerica(int col, bool inteiro) { numericas_[col] = inteiro; }

void GradeTexto::setMaxComprimento(int col, int n) { maximos_[col] = n; }

void GradeTexto::setLista(int col, const QStringList &escolhas, int linhasVisiveis) {
    (void)linhasVisiveis;
    listas_[col] = escolhas;
}

QStringList GradeTexto::Lista(int col) const {
    auto l = listas_.find(col);
    return l != listas_.end() ? l->second : QStringList();
}

void GradeTexto::setLinhaDestaque(int row) {
    destaque_ = row;
    viewport()->update();
}

void GradeTexto::currentChanged(const QModelIndex &atual, const QModelIndex &anterior) {
    if (revertendo_) {
        QTableWidget::currentChanged(atual, anterior);
        return;
    }
    if (atual.isValid() && atual != anterior && podeSelecionar && !podeSelecionar(atual.column(), atual.row() + 1)) {
        revertendo_ = true;
        if (anterior.isValid())
            setCurrentIndex(anterior);
        else
            setCurrentIndex(QModelIndex());
        revertendo_ = false;
        return;
    }
    QTableWidget::currentChanged(atual, anterior);
    if (atual.isValid())
        emit celulaSelecionada(atual.column(), atual.row() + 1);
}

QString GradeTexto::Formata(const QString &texto, const QString &formato) {
    bool ok = false;
    const double v = texto.trimmed().toDouble(&ok);
    if (!ok)
        return texto;
    const int ponto = static_cast<int>(formato.indexOf(QLatin1Char('.')));
    const int casas = ponto < 0 ? 0 : static_cast<int>(formato.size()) - ponto - 1;
    return QString::number(v, 'f', casas);
}

QString GradeTexto::TextoNumero(double v) { return QString::number(v, 'g', 15); }

} // namespace quellora
