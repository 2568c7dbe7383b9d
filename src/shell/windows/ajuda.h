#pragma once
// The program's help: an HTML document among the program's resources, shown
// in a help window at the place that belongs to a window's help context.

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace quellora {

// The anchor of a help context in the help document ("c210").
QString AncoraAjuda(int contexto);

// The help window: one for the whole program, created when first needed.
class JanelaAjuda : public QWidget {
    Q_OBJECT
public:
    explicit JanelaAjuda(QWidget *pai = nullptr);
    void vaiPara(int contexto);
    QTextBrowser *navegador() const { return texto_; }

private:
    QTextBrowser *texto_;
};

// Shows the help window at a context (raising it if already open).
void AbreAjuda(int contexto);
// The help window, if it was ever opened.
JanelaAjuda *JanelaAjudaAberta();

} // namespace quellora
