#pragma once
// The direct-coupling dialog: the motor speed a direct-coupled fan is to run
// at, chosen by frequency and poles or typed, and refused above the
// arrangement's maximum speed for the size.

#include "selection/arranjo.h"

#include <QDialog>

#include <functional>

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

    // What the arrangement window tells before showing the dialog: besides
    // the speeds, the duty asked for and the one the fan delivers at a
    // speed, shown side by side as a speed is chosen or typed.
    void Prepara(const QString &modelo, double rotAtual, int rotMax);
    void PreparaDever(double vazaoPedida, double pressaoPedida, std::function<TDeverDireto(int rotacao)> naRotacao);

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
    void mostraDever();

    QLabel *lbModelo_;
    QLabel *lbRotAtual_;
    QLabel *lbRotMax_;
    QButtonGroup *radios_;
    QLineEdit *edRotacao_;
    QLabel *txVazaoPedida_;
    QLabel *txPressaoPedida_;
    QLabel *txVazaoNova_;
    QLabel *txPressaoNova_;
    std::function<TDeverDireto(int)> naRotacao_;
    QPushButton *btOK_;
    QPushButton *btCancela_;
};

QWidget *CriaTfrmMotor4(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
