#pragma once
// The SMTP dialogue that sends one message: connect, greeting, HELO,
// MAIL FROM, RCPT TO for each recipient, DATA, the message, QUIT. No
// authentication, no encryption. Event-driven over QTcpSocket: nothing
// waits on the calling thread; each step has a time limit, and a refusal
// ends the sending with the server's own reply.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpSocket;
class QTimer;

namespace quellora {

// One reply: its code (that of its last line) and its lines as received.
struct RespostaSmtp {
    int Codigo = 0;
    QStringList Linhas;
    QString Texto() const { return Linhas.join(QLatin1Char('\n')); }
};

// Cuts the server's byte stream into replies. A reply of several lines
// ("250-..." then "250 ...") is one reply.
class LeitorRespostasSmtp {
public:
    // Adds received bytes and appends the replies they complete. False, with
    // a message, when the stream is not a sequence of replies (or a line or
    // a reply grows beyond reason); the reader is then of no further use.
    [[nodiscard]] bool Acrescenta(const QByteArray &dados, QList<RespostaSmtp> &completas, QString *erro);
    void Limpa();

private:
    QByteArray pendente_;
    RespostaSmtp atual_;
};

// The message as DATA carries it: CR LF line ends, a line that begins with
// "." given one more, and the closing line ".".
QByteArray DadosSmtp(const QByteArray &mensagem);

// "MAIL FROM:" / "RCPT TO:" argument: "<a@b>"; of a text that holds an
// address in angle brackets ("Nome <a@b>"), the brackets and what is in them.
QByteArray EnderecoEnvelope(const QString &endereco);

// "host" or "host:porta" ("[::1]:2525" for an IPv6 address); 25 without a
// port. False for a port that is not a number from 1 to 65535.
[[nodiscard]] bool SeparaServidor(const QString &servidor, QString *host, quint16 *porta);

struct EnvioSmtp {
    QString Servidor; // "host" or "host:porta"
    QString NomeHelo = QStringLiteral("DravolinBrumLtda");
    QString Remetente;
    QStringList Destinatarios;
    QByteArray Mensagem; // header and body, as the recipient will read them
};

// Time limits, in milliseconds: for the connection to be made, and for each
// reply (counted again while the message is still being written).
struct PrazosSmtp {
    int ConexaoMs = 30000;
    int RespostaMs = 60000;
};

struct ResultadoSmtp {
    bool Ok = false;
    int Codigo = 0;   // code of the server's last reply; 0 when none came
    QString Resposta; // the server's last reply (its lines joined by "\n")
    QString Erro;     // empty when sent; else what went wrong, with the reply
};

class ClienteSmtp : public QObject {
    Q_OBJECT
public:
    explicit ClienteSmtp(QObject *pai = nullptr);
    ~ClienteSmtp() override;

    void DefinePrazos(const PrazosSmtp &p) { prazos_ = p; }

    // Starts a sending. One still in course is abandoned first.
    void Envia(const EnvioSmtp &envio);
    // Abandons the sending in course: nothing more is sent and nothing more
    // is signalled.
    void Cancela();
    bool Ocupado() const { return passo_ != Ocioso; }

signals:
    // The server took the greeting and HELO: the message goes next.
    void Conectado();
    // The sending ended: the server accepted the message, or something went
    // wrong. Always after Envia (never from within it), once.
    void Concluido(const quellora::ResultadoSmtp &resultado);
    // The connection is closed (after QUIT, or at once after a failure).
    void Encerrado();

private:
    enum Passo { Ocioso, Conexao, Saudacao, Helo, MailFrom, RcptTo, Data, FimDados, Quit };

    void Conectou();
    void Chegou();
    void Caiu();
    void Esgotou();
    void Trata(const RespostaSmtp &r);
    void Comando(const QByteArray &linha, Passo proximo);
    void Conclui(ResultadoSmtp r, bool despede);
    void Recusa(const QString &oque, const RespostaSmtp &r);
    void Falha(const QString &erro);
    void Termina();
    // When only the goodbye was pending (or nothing), ends the connection
    // and says true: nothing more is reported.
    bool Despedido();

    QTcpSocket *socket_;
    QTimer *prazo_;
    PrazosSmtp prazos_;
    LeitorRespostasSmtp leitor_;
    EnvioSmtp envio_;
    QString host_;
    Passo passo_ = Ocioso;
    int destinatario_ = 0;
    int geracao_ = 0;
};

// Sends and waits, running an event loop of its own until the connection is
// closed: for the command line. Needs a QCoreApplication.
ResultadoSmtp EnviaSmtpSincrono(const EnvioSmtp &envio, const PrazosSmtp &prazos = {});

} // namespace quellora

Q_DECLARE_METATYPE(quellora::ResultadoSmtp)
