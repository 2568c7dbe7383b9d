#pragma once
// The small dialog that asks for the description of a new special accessory
// of the quotation.

#include <QDialog>

class QLabel;
class QLineEdit;

namespace quellora {

struct EntradaJanela;

class TfrmAceEsp : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAceEsp(QWidget *pai = nullptr);

    // The description typed (trimmed).
    QString Denominacao() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void BitBtn1Click();

    QLabel *lbModelo_;
    QLineEdit *edDenominacao_;
};

QWidget *CriaTfrmAceEsp(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
