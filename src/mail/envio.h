#pragma once
// Sending a proposal by e-mail: the message and the SMTP envelope made from
// the e-mail settings, the quotation and what the user adds; and the whole
// sending in one call for the command line.

#include "mail/dadosemail.h"
#include "mail/mime.h"
#include "mail/smtp.h"
#include "quotation/registros.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace quellora {

class CofreSenhas;

// The envelope and message of a proposal: from the settings' sender through
// the settings' server to 'para', and to 'copia' too when it is not empty
// (a copy that travels in the envelope only, and whose refusal does not stop
// the sending). 'momento' is the sending time; its offset from UTC goes into
// the Date header. The connection (port, security, login) is added by
// AplicaConexaoEmail. 'outros' are attached after the proposal document.
EnvioSmtp MontaEnvioProposta(const TDadosEmail &config, const QString &para, const QString &copia,
                             const QString &assunto, const QStringList &texto, const QByteArray &anexo,
                             const QDateTime &momento, const QList<AnexoMime> &outros = {});

struct ResultadoEnvio {
    int Status = 1;   // exit status: 0 sent, 1 not sent
    QString Resposta; // the server's last reply, empty when none came
    QString Erro;     // empty when sent; else what went wrong (with the reply)
    QStringList Avisos; // sent, but the copy was refused (with the reply)
};

// Sends the proposal document 'anexo' of the quotation 'orc' with the
// settings of "dadmai.dat" and "conexaoemail.json" in 'dirDados' and the
// login's password from 'senhas': to 'para' (the quotation's client address
// when empty), a copy to 'copia' when not empty, the subject made from the
// quotation, 'texto' as the message text. Waits for the end of the dialogue
// in an event loop of its own (needs a QCoreApplication).
ResultadoEnvio EnviaPropostaPorEmail(const QString &dirDados, CofreSenhas &senhas, const TOrcamento &orc,
                                     const QString &para, const QString &copia, const QString &texto,
                                     const QByteArray &anexo, const PrazosSmtp &prazos = {});

} // namespace quellora
