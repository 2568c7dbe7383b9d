#pragma once
// The SMTP dialogue that sends one message: connect (in TLS from the start
// when asked), greeting, EHLO (HELO when refused), STARTTLS when asked, AUTH
// PLAIN or LOGIN over an encrypted connection only, MAIL FROM (with SIZE and
// BODY=8BITMIME when the server offers them), RCPT TO for each recipient,
// DATA, the message, QUIT. Event-driven over QSslSocket: nothing waits on
// the calling thread; each step has the time limit RFC 5321 gives it, and a
// refusal ends the sending with the server's own reply.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslError>
#include <QString>
#include <QStringList>

class QSslCertificate;
class QSslSocket;
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
// port ('explicita' says whether one was given). False for a port that is
// not a number from 1 to 65535.
[[nodiscard]] bool SeparaServidor(const QString &servidor, QString *host, quint16 *porta, bool *explicita = nullptr);

enum class SegurancaSmtp {
    Nenhuma,  // plain text all the way
    StartTls, // plain connection turned to TLS by STARTTLS before anything else
    Ssl,      // TLS from the first byte ("SMTPS")
};
// The usual port of each: 25, 587, 465.
quint16 PortaPadrao(SegurancaSmtp s);

// SHA-256 of the certificate (its DER form), and the text form of such a
// digest: "AB:CD:...", 32 pairs. LeImpressaoDigital reads that form with or
// without colons or blanks, in either case; false for anything else.
QByteArray ImpressaoDigital(const QSslCertificate &c);
QString TextoImpressaoDigital(const QByteArray &digest);
[[nodiscard]] bool LeImpressaoDigital(const QString &texto, QByteArray *digest);

// The name the client greets the server with (HELO/EHLO): the maker's name
// in letters and digits only ("DravolinBrumLtda").
QString NomeHeloFabricante();

struct EnvioSmtp {
    QString Servidor;  // "host" or "host:porta"
    quint16 Porta = 0; // 0: that of Servidor, else the security's usual one
    SegurancaSmtp Seguranca = SegurancaSmtp::Nenhuma;
    QString Usuario; // empty: no login
    QString Senha;
    // SHA-256 of one server certificate accepted although the system's
    // authorities do not vouch for it; empty: none.
    QByteArray CertificadoConfiavel;
    QString NomeHelo = NomeHeloFabricante();
    QString Remetente;
    QStringList Destinatarios; // a refusal of any of them ends the sending
    QStringList Copias;        // a refusal of one is only noted (ResultadoSmtp::Avisos)
    QByteArray Mensagem;       // header and body, as the recipient will read them
};

// Time limits, in milliseconds. The defaults are the minimums of RFC 5321
// (section 4.5.3.2) for each reply; the connection and the TLS handshake,
// which it leaves open, get 30 s.
struct PrazosSmtp {
    int ConexaoMs = 30000;
    int SaudacaoMs = 5 * 60000;
    int MailMs = 5 * 60000;
    int RcptMs = 5 * 60000;
    int DataMs = 2 * 60000;
    int BlocoMs = 3 * 60000;    // for each block of the message to be taken
    int FimDadosMs = 10 * 60000; // for the reply to the closing "."
    int OutrosMs = 5 * 60000;   // EHLO, HELO, STARTTLS, AUTH

    // Every limit the same (tests).
    static PrazosSmtp Todos(int ms) { return {ms, ms, ms, ms, ms, ms, ms, ms}; }
};

struct ResultadoSmtp {
    bool Ok = false;
    int Codigo = 0;   // code of the server's last reply; 0 when none came
    QString Resposta; // the server's last reply (its lines joined by "\n")
    QString Erro;     // empty when sent; else what went wrong, with the reply
    QStringList Avisos; // sent, but: a copy refused, with the server's reply
    // When the server's certificate was refused: its SHA-256, so that the
    // user may choose to trust it.
    QByteArray CertificadoRecusado;
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
    // The connection is encrypted from here on.
    void Cifrado();
    // The server took the greeting, EHLO and the login: the message goes next.
    void Conectado();
    // The sending ended: the server accepted the message, or something went
    // wrong. Always after Envia (never from within it), once.
    void Concluido(const quellora::ResultadoSmtp &resultado);
    // The connection is closed (after QUIT, or at once after a failure).
    void Encerrado();

private:
    enum Passo {
        Ocioso, Conexao, Cifrando, Saudacao, Ehlo, Helo, StartTls, AuthPlain, AuthLogin, AuthUsuario, AuthSenha,
        MailFrom, RcptTo, Data, FimDados, Quit
    };

    void Conectou();
    void Cifrou();
    void ErrosSsl(const QList<QSslError> &erros);
    void Chegou();
    void Escreveu();
    void Caiu();
    void Esgotou();
    void Trata(const RespostaSmtp &r);
    void Identificou(const RespostaSmtp &r);
    void Prossegue();
    void Autentica();
    void EnviaRemetente();
    void ProximoDestinatario();
    void Comando(const QByteArray &linha, Passo proximo);
    void Espera(Passo p);
    int Prazo(Passo p) const;
    void Conclui(ResultadoSmtp r, bool despede);
    void Recusa(const QString &oque, const RespostaSmtp &r);
    void FalhaDespedindo(const QString &erro);
    void Falha(const QString &erro);
    void Termina();
    // When only the goodbye was pending (or nothing), ends the connection
    // and says true: nothing more is reported.
    bool Despedido();

    QSslSocket *socket_;
    QTimer *prazo_;
    PrazosSmtp prazos_;
    LeitorRespostasSmtp leitor_;
    EnvioSmtp envio_;
    QByteArray dados_; // the message as DATA carries it
    QString host_;
    Passo passo_ = Ocioso;
    bool tentouHelo_ = false;
    QStringList extensoes_; // what the last EHLO reply offered, in capitals
    QList<QSslError> errosSsl_;
    QByteArray certificadoRecusado_;
    QStringList avisos_;
    int destinatario_ = 0; // into Destinatarios, then Copias
    int geracao_ = 0;
};

// Sends and waits, running an event loop of its own until the connection is
// closed: for the command line. Needs a QCoreApplication.
ResultadoSmtp EnviaSmtpSincrono(const EnvioSmtp &envio, const PrazosSmtp &prazos = {});

} // namespace quellora

Q_DECLARE_METATYPE(quellora::ResultadoSmtp)
