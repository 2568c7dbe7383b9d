#pragma once
// The program's application object. An exception that escapes an event
// handler is shown in an error box; the program carries on. Qt's own dialogs
// and buttons speak Brazilian Portuguese like the rest of the program.

#include <QApplication>

#include <functional>

class QTranslator;

namespace quellora {

// Installs Qt's Brazilian Portuguese translations (qtbase_pt_BR.qm from Qt's
// translations folder, or from "translations" beside the program). Returns
// the installed translator, owned by the application, or null when the file
// was not found (Qt's texts then stay in English).
QTranslator *CarregaTraducoes();

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
