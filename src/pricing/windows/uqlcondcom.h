#pragma once
// The two dialogs that edit the texts closing the proposal: the commercial
// conditions (payment, IPI, freight, packing, delivery, validity) and the two
// observation lines. Both are shown modally and store into the quotation
// header on OK only.

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace quellora {

struct EntradaJanela;

class TfrmCondCom : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCondCom(QWidget *pai = nullptr);

    // "Cancela", Escape or closing: nothing stored.
    void reject() override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void btOKClick();
    void FoiAlterado();

    QLineEdit *edPagamento_;
    QLineEdit *edIPI_;
    QLineEdit *edFrete_;
    QLineEdit *edEmbalagem_;
    QCheckBox *ckSem_;
    QCheckBox *ckInclusa_;
    QLineEdit *edEntrega_;
    QLineEdit *edValidade_;
    bool carregando_ = false;
    bool alteradoAntes_ = false;
};

class TfrmObs : public QDialog {
    Q_OBJECT
public:
    explicit TfrmObs(QWidget *pai = nullptr);

protected:
    void showEvent(QShowEvent *e) override;

private:
    void btOKClick();

    QLineEdit *edLinha1_;
    QLineEdit *edLinha2_;
};

QWidget *CriaTfrmCondCom(QWidget *painel, const EntradaJanela &entrada);
QWidget *CriaTfrmObs(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
