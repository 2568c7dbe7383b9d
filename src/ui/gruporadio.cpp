#include "ui/gruporadio.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace quellora {

GrupoRadio::GrupoRadio(const QString &titulo, QWidget *pai) : QGroupBox(titulo, pai) {
    grupo_ = new QButtonGroup(this);
    grade_ = new QGridLayout(this);
    grade_->setContentsMargins(8, 4, 8, 4);
    connect(grupo_, &QButtonGroup::idClicked, this, [this](int id) { emit clicado(id); });
}

void GrupoRadio::setItems(const QStringList &itens, int colunas) {
    for (QAbstractButton *b : grupo_->buttons()) {
        grupo_->removeButton(b);
        delete b;
    }
    itens_ = itens;
    colunas_ = std::max(1, colunas);
    const int porColuna = static_cast<int>((itens.size() + colunas_ - 1) / colunas_);
    for (int i = 0; i < itens.size(); ++i) {
        auto *b = new QRadioButton(itens[i], this);
        b->setObjectName(objectName() + QString::number(i));
        grupo_->addButton(b, i);
        grade_->addWidget(b, porColuna > 0 ? i % porColuna : 0, porColuna > 0 ? i / porColuna : i);
    }
}

int GrupoRadio::ItemIndex() const { return grupo_->checkedId(); }

void GrupoRadio::setItemIndex(int i) {
    if (QAbstractButton *b = grupo_->button(i)) {
        b->setChecked(true);
        return;
    }
    // None: an exclusive group lets no button go unchecked by itself.
    grupo_->setExclusive(false);
    for (QAbstractButton *b : grupo_->buttons())
        b->setChecked(false);
    grupo_->setExclusive(true);
}

QRadioButton *GrupoRadio::botao(int i) const { return qobject_cast<QRadioButton *>(grupo_->button(i)); }

} // namespace quellora
