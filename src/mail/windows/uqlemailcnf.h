#pragma once
// TfrmEmailCnf: the e-mail settings window (sender's name and address, the
// outgoing mail server), opened from the e-mail window's "&Configurar".
// OK stores them in DadosEmail and "dadmai.dat".

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quellora {

struct EntradaJanela;

class TfrmEmailCnf : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEmailCnf(QWidget *pai = nullptr);

    void btOKClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void Habilita();

    QLineEdit *edNome_ = nullptr;
    QLineEdit *edEmail_ = nullptr;
    QLineEdit *edSMTP_ = nullptr;
    QLabel *Label1_ = nullptr;
    QLabel *Label5_ = nullptr;
    QLabel *Label2_ = nullptr;
    QPushButton *btOK_ = nullptr;
};

// The texts the window shows.
extern const char *const TextoEmailCnfTopo;
extern const char *const TextoEmailCnfInstrucoes;

QWidget *CriaTfrmEmailCnf(QWidget *painel, const EntradaJanela &entrada);

// Shows the settings window modally (the program's, else one of its own);
// true after OK.
bool ConfiguraEmail(QWidget *pai = nullptr);

} // namespace quellora
