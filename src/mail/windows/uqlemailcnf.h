#pragma once
// TfrmEmailCnf: the e-mail settings window (sender's name and address, the
// outgoing mail server, its port and security, the login and a trusted
// certificate), opened from the e-mail window's "&Configurar". OK stores
// them in DadosEmail and "dadmai.dat", in "conexaoemail.json" and the
// password in the desktop's keyring (or the file that takes its place).

#include <QDialog>

#include <functional>

class QComboBox;
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
    void btCertificadoClick();

    // Where "Arquivo..." takes the certificate from (tests give one).
    std::function<QString()> escolheCertificado;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void Habilita();
    void PortaEscolhida();
    void SegurancaEscolhida();

    QLineEdit *edNome_ = nullptr;
    QLineEdit *edEmail_ = nullptr;
    QLineEdit *edSMTP_ = nullptr;
    QComboBox *cbPorta_ = nullptr;
    QComboBox *cbSeguranca_ = nullptr;
    QLineEdit *edUsuario_ = nullptr;
    QLineEdit *edSenha_ = nullptr;
    QLabel *lbSenha_ = nullptr;
    QLineEdit *edCertificado_ = nullptr;
    QLabel *Label1_ = nullptr;
    QLabel *Label5_ = nullptr;
    QLabel *Label2_ = nullptr;
    QPushButton *btOK_ = nullptr;
    QString contaAntes_; // the account whose password was kept when shown
};

// The texts the window shows.
extern const char *const TextoEmailCnfTopo;
extern const char *const TextoEmailCnfInstrucoes;

QWidget *CriaTfrmEmailCnf(QWidget *painel, const EntradaJanela &entrada);

// Shows the settings window modally (the program's, else one of its own);
// true after OK.
bool ConfiguraEmail(QWidget *pai = nullptr);

} // namespace quellora
