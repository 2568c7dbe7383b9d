#include "ui/barrastatus.h"

#include <QLabel>

namespace quellora {

BarraStatus::BarraStatus(QWidget *pai) : QStatusBar(pai) { setSizeGripEnabled(true); }

int BarraStatus::adicionaPainel(int largura, Qt::Alignment alinhamento, const QString &dica) {
    auto *l = new QLabel(this);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(alinhamento);
    l->setToolTip(dica);
    l->setContentsMargins(3, 0, 3, 0);
    l->setObjectName(QStringLiteral("painel%1").arg(paineis_.size()));
    if (largura > 0) {
        l->setMinimumWidth(largura);
        addPermanentWidget(l, 0);
    } else {
        addWidget(l, 1);
    }
    paineis_.push_back(l);
    return static_cast<int>(paineis_.size()) - 1;
}

QLabel *BarraStatus::painel(int i) const {
    if (i < 0 || i >= paineis())
        return nullptr;
    return paineis_[static_cast<std::size_t>(i)];
}

void BarraStatus::defineTexto(int i, const QString &t) {
    if (QLabel *l = painel(i))
        l->setText(t);
}

QString BarraStatus::texto(int i) const {
    const QLabel *l = painel(i);
    return l ? l->text() : QString();
}

void BarraStatus::defineGlifo(int i, const QIcon &glifo, bool habilitado) {
    if (QLabel *l = painel(i)) {
        const int lado = 16;
        l->setPixmap(glifo.pixmap(QSize(lado, lado), habilitado ? QIcon::Normal : QIcon::Disabled));
        l->setEnabled(habilitado);
    }
}

} // namespace quellora
