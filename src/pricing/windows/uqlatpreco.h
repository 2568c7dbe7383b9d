#pragma once
// TfrmAtPreco: the report of the price update, a small window that stays on
// top of the others with one line per price found or not found. Callers run
// the update for the whole quotation through its slot, by name:
//     QMetaObject::invokeMethod(JanelaClasse("TfrmAtPreco"), "AtualizaOrcamento");
// and then mark the quotation as changed.

#include <QDialog>

class QListWidget;
class QPushButton;

namespace quellora {

struct EntradaJanela;

class TfrmAtPreco : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAtPreco(QWidget *pai = nullptr);

    // Replaces the list with report lines ("text|styles", see SeparaEstilo).
    void MostraLinhas(const QStringList &linhas);

public slots:
    // Shows the window, updates the prices of the whole quotation from the
    // data directory and lists the report; ends with the error message when
    // some price was not found. False (nothing changed, the error shown)
    // when a catalogue file cannot be read.
    bool AtualizaOrcamento();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void btOKClick();

    QListWidget *LRes_ = nullptr;
    QPushButton *btOK_ = nullptr;
};

QWidget *CriaTfrmAtPreco(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
