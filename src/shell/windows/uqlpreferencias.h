#pragma once
// TfrmPreferencias: the program's preferences (running-cost basis, sound at
// the workplace, outlet velocity limit, the projects folder), opened from the
// main window's "P&referências". OK checks every value and writes
// "preferencias.json".

#include "shell/preferencias.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace quellora {

class TfrmPreferencias : public QDialog {
    Q_OBJECT
public:
    // Shows 'p'; the dialog writes to 'dirDados' on OK. 'projetosPadrao' is
    // the projects folder used while none is chosen.
    TfrmPreferencias(const QString &dirDados, const TPreferencias &p, const QString &projetosPadrao = {},
                     QWidget *pai = nullptr);

    void btOKClick();
    // The values as confirmed (valid after OK).
    const TPreferencias &preferencias() const { return prefs_; }

private:
    QString dirDados_;
    TPreferencias prefs_;
    QLineEdit *edHoras_ = nullptr;
    QLineEdit *edTarifa_ = nullptr;
    QLineEdit *edDistancia_ = nullptr;
    QComboBox *cbDiretividade_ = nullptr;
    QLineEdit *edVelocidade_ = nullptr;
    QLineEdit *edPastaProjetos_ = nullptr;
};

// Loads the preferences of the data directory and shows the dialog modally;
// true after OK. A damaged file is reported and the dialog offers the
// defaults, which OK writes over it.
bool EditaPreferencias(const QString &dirDados, const QString &projetosPadrao = {}, QWidget *pai = nullptr);

} // namespace quellora
