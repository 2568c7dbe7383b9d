#pragma once
// The save dialog TfrmSave and the save itself (SalvaOrcamentoJanela): the
// quotation is stored from data entry, numbered from the proposal counter
// ("&Novo", or a number typed in the dialog) or kept on its number
// ("&Mesmo"), and written to the program's store: its file in the projects
// folder, or a new revision on a server.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quellora {

struct EntradaJanela;

inline constexpr const char *MsgOrcamentoExiste =
    "Este orçamento já existe. Se você confirmar a gravação, os dados do \r\nanterior serão perdidos.\r\nConfirma?";
// After the text saying who changed the quotation on the server.
inline constexpr const char *MsgConflito =
    "\r\n\r\nSim: gravar assim mesmo, como nova revisão (a do outro fica guardada como revisão anterior).\r\n"
    "Não: gravar com um novo número.\r\nCancelar: não gravar agora.";
inline constexpr const char *MsgNumeroInvalido =
    "Digite o número do orçamento com quatro algarismos, de 0001 a 9999.";

class TfrmSave : public QDialog {
    Q_OBJECT
public:
    // Results of exec(): Cancel is QDialog::Rejected.
    enum Resultado : int { Cancela = 0, Mesmo = 1, Novo = 2 };

    explicit TfrmSave(QWidget *pai);

    // The fields before showing; "&Mesmo" only for a numbered quotation.
    void Prepara(const QString &numOrc, const QString &cliente, const QString &projeto, bool numerado);
    // The user typed in the number field since the dialog was shown.
    bool NumeroDigitado() const { return numeroDigitado_; }
    // The number field as shown ("0050/03").
    QString NumeroTexto() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void btClienteClick();
    void btNovoClick();

    QLineEdit *edOrc_ = nullptr;
    QLineEdit *edCliente_ = nullptr;
    QLineEdit *edProjeto_ = nullptr;
    QPushButton *btMesmo_ = nullptr;
    QPushButton *btNovo_ = nullptr;
    bool numeroDigitado_ = false;
};

// The save of the main window's Save button and of the save question: 6
// saved, 2 not saved (cancelled, overwrite refused, or an error, which is
// shown).
int SalvaOrcamentoJanela();

QWidget *CriaTfrmSave(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
