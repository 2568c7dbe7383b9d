#pragma once
// The direct-coupling dialog: the motor speed a direct-coupled fan is to run
// at, chosen by frequency and poles or typed, and refused above the
// arrangement's maximum speed for the size.

#include <QDialog>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quellora {

struct EntradaJanela;

class TfrmMotor4 : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMotor4(QWidget *pai = nullptr);

    // What the arrangement window tells before showing the dialog.
    void Prepara(const QString &modelo, double rotAtual, int rotMax);

    // Choice 0..7 (tag - 1): frequency = Escolha / 4 (0 for 60 Hz),
    // poles = Escolha % 4 (0..3 for 2, 4, 6, 8).
    int Escolha = 0;
    int NovaRotacao = 0;
    int RotMaxPermitida = 0;

    QLineEdit *edRotacao() const { return edRotacao_; }

protected:
    void showEvent(QShowEvent *e) override;

private:
    void radioEscolhido(int tag);
    void btOKClick();

    QLabel *lbModelo_;
    QLabel *lbRotAtual_;
    QLabel *lbRotMax_;
    QButtonGroup *radios_;
    QLineEdit *edRotacao_;
    QPushButton *btOK_;
    QPushButton *btCancela_;
};

QWidget *CriaTfrmMotor4(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
