#pragma once
// TfrmEmail: sends the current quotation's proposal by e-mail. Proposes the
// client's address and a subject made from the quotation, takes a short
// text, and sends the proposal document as the attachment "proposta.xls"
// (and, with "Anexar PDF" ticked, the proposal's pages and the technical
// data sheets as one PDF beside it, named after the quotation number)
// through the server of the e-mail settings (in TLS and with a login when
// they say so), showing the progress as status lines. A refusal by the
// server is shown with its reply and the window stays open; a refused copy
// to the sender is said, the message having gone to the client all the
// same. A server certificate that could not be verified may be trusted from
// here. Closing gives the keyboard back to the window below.
//
// Callers show it modally:
//     if (auto *d = qobject_cast<QDialog *>(JanelaClasse("TfrmEmail"))) d->exec();

#include "mail/smtp.h"
#include "shell/windows/mensagem.h"

#include <QByteArray>
#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quellora {

struct EntradaJanela;

// Where the window takes the proposal document from, at each sending: by
// default the HTML of the proposal with the current page options. Tests may
// give another source; null puts the default back.
using FonteAnexoEmail = std::function<QByteArray()>;
void DefineFonteAnexoEmail(FonteAnexoEmail fonte);
// Where it takes the PDF attached beside it when "Anexar PDF" is ticked: by
// default the proposal's pages and the technical data sheets as one
// document. Null puts the default back.
void DefineFontePdfEmail(FonteAnexoEmail fonte);

class TfrmEmail : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEmail(QWidget *pai = nullptr);
    ~TfrmEmail() override;

    void btEnviarClick();
    void BitBtn3Click();
    void reject() override;
    void done(int r) override;

    bool Enviando() const { return cliente_->Ocupado() && ocupado_.has_value(); }
    // Time limits of the SMTP dialogue (tests shorten them).
    void DefinePrazos(const PrazosSmtp &p) { cliente_->DefinePrazos(p); }

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void Status(const QString &linha);
    void MostraStatus(bool status, bool texto);
    void Conectou();
    void Cifrou();
    void Concluiu(const ResultadoSmtp &r);
    void Encerra();

    QLineEdit *edSendTo_ = nullptr;
    QLineEdit *edSubject_ = nullptr;
    QCheckBox *ckbCopia_ = nullptr;
    QCheckBox *ckbAnexarPDF_ = nullptr;
    QLabel *Label3_ = nullptr;
    QPlainTextEdit *Memo1_ = nullptr;
    QLabel *Label5_ = nullptr;
    QPlainTextEdit *mMessages_ = nullptr;
    QPushButton *btEnviar_ = nullptr;
    ClienteSmtp *cliente_ = nullptr;
    bool marcador_ = false; // the text box still holds the placeholder
    QString destino_;
    std::optional<CursorOcupado> ocupado_;
};

inline constexpr const char *TextoMarcadorEmail = "[INFORME O TEXTO AQUI]";

QWidget *CriaTfrmEmail(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
