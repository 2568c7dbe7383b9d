#pragma once
// The motor-edit dialog: the configuration window's way to change an item's
// motor by hand (power, poles, voltage, frequency, protection, list price).

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quellora {

struct EntradaJanela;
struct TItemOrc;

class TfrmAltMotor : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAltMotor(QWidget *pai = nullptr);

    // The edits from the item's motor fields, and the caption.
    void Preenche(const TItemOrc &it);
    // The edits into the item. False, with a message naming the field, when
    // a number is not one; then the item is left as it was.
    bool Grava(TItemOrc &it);
    // Fills, shows modally and, on OK, stores: true when the item changed.
    bool Edita(TItemOrc &it);

    QLineEdit *campo(const char *nome) const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void btOKClick();

    QLabel *lbModelo_;
    QLineEdit *edKW_;
    QLineEdit *edPolos_;
    QLineEdit *edTensao_;
    QLineEdit *edFrequencia_;
    QLineEdit *edProtecao_;
    QLineEdit *edPreco_;
    QPushButton *btOK_;
    TItemOrc *destino_ = nullptr;
};

QWidget *CriaTfrmAltMotor(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
