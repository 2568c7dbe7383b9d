#include "shell/windows/janelafilha.h"

#include "shell/windows/servicos.h"

#include <QShowEvent>

namespace quellora {

JanelaFilha::JanelaFilha(const QString &titulo, int contextoAjuda, QWidget *painel)
    : QWidget(painel), titulo_(titulo) {
    setAutoFillBackground(true);
    DefineContextoAjuda(this, contextoAjuda);
    hide();
    ajustaAoPainel();
}

void JanelaFilha::ajustaAoPainel() {
    if (parentWidget())
        setGeometry(parentWidget()->rect());
}

void JanelaFilha::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    // The main window being restored from the task bar is no navigation.
    if (e->spontaneous())
        return;
    ajustaAoPainel();
    raise();
    DefineJanelaAtiva(this);
    MostraTitulo(titulo_);
    aoMostrar();
    if (!focusWidget() || !isAncestorOf(focusWidget()))
        setFocus();
}

void JanelaFilha::hideEvent(QHideEvent *e) {
    QWidget::hideEvent(e);
    if (e->spontaneous())
        return;
    aoEsconder();
    LiberaJanelaAtiva(this);
}

} // namespace quellora
