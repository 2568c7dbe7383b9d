#pragma once
// The operator's profile window (navigation number 1): name and contact data
// of the salesperson who issues the proposals, kept in "dadope.dat".

#include "shell/windows/janelafilha.h"

class QLineEdit;
class QPushButton;

namespace quellora {

struct EntradaJanela;

class TfrmOperador : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmOperador(QWidget *painel);

protected:
    void aoMostrar() override;

private:
    void btOKClick();
    void BitBtn2Click();

    QLineEdit *edits_[7] = {};
    QPushButton *btOK_ = nullptr;
};

QWidget *CriaTfrmOperador(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
