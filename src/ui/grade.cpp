#include "ui/grade.h"

#include "shell/numeros.h"
#include "shell/windows/mensagem.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

#include <cmath>

namespace quellora {

namespace {

// A cell whose text for screen readers is the text the grid shows, not the
// full value it keeps.
class ItemGrade : public QTableWidgetItem {
public:
    QTableWidgetItem *clone() const override { return new ItemGrade(*this); }
    QVariant data(int papel) const override {
        if (papel == Qt::AccessibleTextRole) {
            if (const auto *g = qobject_cast<const GradeTexto *>(tableWidget()))
                return g->TextoExibido(column(), row() + 1);
        }
        return QTableWidgetItem::data(papel);
    }
};

} // namespace

// Editors and display of the grid's cells.
class DelegadoGrade : public QStyledItemDelegate {
public:
    explicit DelegadoGrade(GradeTexto *g) : QStyledItemDelegate(g), g_(g) {}

    QString displayText(const QVariant &valor, const QLocale &) const override { return valor.toString(); }

    void initStyleOption(QStyleOptionViewItem *op, const QModelIndex &i) const override {
        QStyledItemDelegate::initStyleOption(op, i);
        const int col = i.column();
        op->text = g_->exibe(col, op->text);
        auto a = g_->alinhamentos_.find(col);
        op->displayAlignment = (a != g_->alinhamentos_.end() ? a->second : Qt::AlignLeft) | Qt::AlignVCenter;
        const bool selecionada = op->state & QStyle::State_Selected;
        if (i.row() + 1 == g_->destaque_ && (g_->destaqueSelecionada_ || !selecionada)) {
            op->backgroundBrush = QBrush(g_->corDestaque_);
            op->palette.setColor(QPalette::Text, Qt::black);
            op->palette.setColor(QPalette::HighlightedText, Qt::black);
            op->palette.setColor(QPalette::Highlight, g_->corDestaque_.darker(115));
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
            ed->setText(textoEdicao(i.column(), t));
    }

    void setModelData(QWidget *editor, QAbstractItemModel *modelo, const QModelIndex &i) const override {
        QString novo;
        if (auto *cb = qobject_cast<QComboBox *>(editor))
            novo = cb->currentText();
        else if (auto *ed = qobject_cast<QLineEdit *>(editor))
            novo = ed->text();
        const QString antigo = i.data(Qt::EditRole).toString();
        if (g_->numericas_.count(i.column())) {
            QString armazenado, motivo;
            if (!g_->LeDigitado(i.column(), novo, &armazenado, &motivo)) {
                avisa(motivo);
                return; // the cell keeps what it had
            }
            novo = armazenado;
        }
        if (novo != antigo)
            modelo->setData(i, novo, Qt::EditRole);
    }

protected:
    // A number the cell does not take is refused before the cursor leaves
    // the cell: the reason is shown, the editor gets the cell's value back
    // and the cursor stays.
    bool eventFilter(QObject *o, QEvent *e) override {
        auto *ed = qobject_cast<QLineEdit *>(o);
        if (ed && avisando_ && e->type() == QEvent::FocusOut)
            return true; // the message box took the focus; the editor stays open
        if (ed && e->type() == QEvent::KeyPress && deixaCelula(static_cast<QKeyEvent *>(e)->key())) {
            const QModelIndex i = g_->currentIndex();
            QString armazenado, motivo;
            if (i.isValid() && g_->indexWidget(i) == ed && g_->numericas_.count(i.column()) &&
                !g_->LeDigitado(i.column(), ed->text(), &armazenado, &motivo)) {
                avisa(motivo);
                ed->setText(textoEdicao(i.column(), i.data(Qt::EditRole).toString()));
                ed->selectAll();
                ed->setFocus();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(o, e);
    }

private:
    static bool deixaCelula(int tecla) {
        switch (tecla) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        default:
            return false;
        }
    }

    // What the editor of a number cell shows: the locale's form.
    QString textoEdicao(int col, const QString &t) const {
        double v = 0;
        if (g_->numericas_.count(col) && LeNumero(t, &v))
            return NumeroGeral(v);
        return t;
    }

    void avisa(const QString &motivo) const {
        if (avisando_)
            return;
        avisando_ = true;
        MensagemErro(motivo);
        avisando_ = false;
    }

    GradeTexto *g_;
    mutable bool avisando_ = false; // a refusal is being shown
};

GradeTexto::GradeTexto(int colunas, QWidget *pai) : QTableWidget(0, colunas, pai) {
    setItemDelegate(new DelegadoGrade(this));
    setItemPrototype(new ItemGrade);
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
        it = new ItemGrade;
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
    double v = 0;
    return LeNumero(Cells(col, row), &v) ? v : 0.0;
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

void GradeTexto::setNumerica(int col, bool inteiro, const TCampoNumero &campo) {
    numericas_[col] = inteiro;
    campos_[col] = campo;
}

TCampoNumero GradeTexto::CampoNumero(int col) const {
    auto c = campos_.find(col);
    TCampoNumero campo = c != campos_.end() ? c->second : TCampoNumero{};
    if (campo.Nome.isEmpty())
        campo.Nome = Titulo(col).section(QLatin1Char('\r'), 0, 0);
    return campo;
}

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

void GradeTexto::setCorDestaque(const QColor &cor, bool tambemSelecionada) {
    corDestaque_ = cor;
    destaqueSelecionada_ = tambemSelecionada;
    viewport()->update();
}

void GradeTexto::setCorTitulos(const QColor &cor) {
    for (int c = 0; c < columnCount(); ++c)
        if (QTableWidgetItem *t = horizontalHeaderItem(c))
            t->setForeground(cor);
    horizontalHeader()->viewport()->update();
}

QColor GradeTexto::CorTitulos() const {
    const QTableWidgetItem *t = columnCount() > 0 ? horizontalHeaderItem(0) : nullptr;
    const QBrush b = t ? t->foreground() : QBrush();
    return b.style() == Qt::NoBrush ? palette().color(QPalette::WindowText) : b.color();
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

bool GradeTexto::LeDigitado(int col, const QString &texto, QString *armazenado, QString *motivo) const {
    const QString t = texto.trimmed();
    if (t.isEmpty()) {
        if (armazenado)
            armazenado->clear();
        return true;
    }
    auto n = numericas_.find(col);
    const bool inteiro = n != numericas_.end() && n->second;
    double v = 0;
    QString porque;
    bool ok = inteiro ? LeNumeroInteiro(t, &v) : LeNumero(t, &v);
    if (!ok)
        porque = MsgNumeroRecusado(CampoNumero(col), t,
                                   inteiro && LeNumero(t, nullptr) ? RecusaNumero::NaoEInteiro
                                                                   : RecusaNumero::NaoENumero);
    else if (aceitaNumero)
        ok = aceitaNumero(col, v, t, &porque);
    if (!ok) {
        if (motivo)
            *motivo = porque.isEmpty() ? MsgNumeroRecusado(CampoNumero(col), t, RecusaNumero::NaoENumero) : porque;
        return false;
    }
    if (armazenado)
        *armazenado = TextoNumero(v);
    return true;
}

QString GradeTexto::exibe(int col, const QString &texto) const {
    auto f = formatos_.find(col);
    if (f != formatos_.end())
        return Formata(texto, f->second);
    if (numericas_.count(col))
        return Formata(texto, QString());
    return texto;
}

QString GradeTexto::TextoExibido(int col, int row) const {
    return row == 0 ? Titulo(col) : exibe(col, Cells(col, row));
}

QString GradeTexto::Formata(const QString &texto, const QString &formato) {
    double v = 0;
    if (!LeNumero(texto, &v))
        return texto;
    return formato.isEmpty() ? NumeroGeral(v) : FormataFloat(formato, v);
}

QString GradeTexto::TextoNumero(double v) { return QString::number(v, 'g', 15); }

} // namespace quellora
