#pragma once
// The program's application object. An exception that escapes an event
// handler is shown in an error box; the program carries on.

#include <QApplication>

namespace quellora {

class AplicacaoQuellora : public QApplication {
    Q_OBJECT
public:
    AplicacaoQuellora(int &argc, char **argv);
    bool notify(QObject *receptor, QEvent *evento) override;
};

} // namespace quellora
