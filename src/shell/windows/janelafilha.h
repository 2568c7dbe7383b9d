#pragma once
// Base of the child windows the main window shows in its client panel, one at
// a time. A child window has no frame, covers the whole panel, and when shown
// becomes JanelaAtiva and puts its title in the title line; when hidden it
// stops being JanelaAtiva.
//
// Derived windows that need their own show/hide handling override aoMostrar /
// aoEsconder (called after the protocol's own steps on show, before them on
// hide).

#include <QWidget>

namespace quellora {

class JanelaFilha : public QWidget {
    Q_OBJECT
public:
    JanelaFilha(const QString &titulo, int contextoAjuda, QWidget *painel);

    QString titulo() const { return titulo_; }
    void defineTitulo(const QString &t) { titulo_ = t; }

    // Fills the parent panel (the main window's client panel).
    void ajustaAoPainel();

protected:
    virtual void aoMostrar() {}
    virtual void aoEsconder() {}

    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    QString titulo_;
};

} // namespace quellora
