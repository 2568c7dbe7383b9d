#pragma once
// The program's application object. An exception that escapes an event
// handler is shown in an error box; the program carries on.

#include <QApplication>

#include <functional>

namespace quellora {

// Runs one event's handling; an exception that escapes it is shown in an
// error box (its text) and the event counts as not handled.
bool ExecutaProtegido(const std::function<bool()> &tratamento);

class AplicacaoQuellora : public QApplication {
    Q_OBJECT
public:
    AplicacaoQuellora(int &argc, char **argv);
    bool notify(QObject *receptor, QEvent *evento) override;
};

} // namespace quellora
