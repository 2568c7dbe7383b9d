#pragma once
// SMTP servers for the e-mail tests, on the loopback:
// - ServidorSmtpLocal: Debian's aiosmtpd (servidor_smtp.py beside this
//   file), a real server that keeps each message it accepts with what a mail
//   program reads in it; refuses recipients that begin with "recusado". In
//   plain text, STARTTLS or TLS from the start, with a login when asked.
// - CertificadoTeste: a key and a self-signed certificate for 127.0.0.1,
//   made with openssl for one test.
// - ServidorRoteiro: answers each command with the next reply of a script
//   and records what it received.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

namespace quellora::teste {

class CertificadoTeste {
public:
    CertificadoTeste() {
        QProcess p;
        p.start(QStringLiteral("openssl"),
                {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2",
                 "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", Chave(), "-out",
                 Certificado()});
        pronto_ = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    bool Pronto() const { return pronto_; }
    QString Certificado() const { return pasta_.filePath(QStringLiteral("certificado.pem")); }
    QString Chave() const { return pasta_.filePath(QStringLiteral("chave.pem")); }

private:
    QTemporaryDir pasta_;
    bool pronto_ = false;
};

class ServidorSmtpLocal {
public:
    // 'opcoes': those of servidor_smtp.py ("--modo", "starttls", ...).
    explicit ServidorSmtpLocal(const QStringList &opcoes = {}) {
        // The first python3 on the path may lack the module: Debian's own.
        processo_.start(QStringLiteral("/usr/bin/python3"),
                        QStringList{QStringLiteral(QUELLORA_SOURCE_DIR "/tests/mail/servidor_smtp.py"),
                                    pasta_.path()} +
                            opcoes);
        if (processo_.waitForStarted(10000) && processo_.waitForReadyRead(15000))
            porta_ = processo_.readLine().trimmed().toUShort();
    }
    ~ServidorSmtpLocal() {
        processo_.kill();
        processo_.waitForFinished(5000);
    }
    bool Pronto() const { return porta_ != 0; }
    QString Erros() { return QString::fromUtf8(processo_.readAllStandardError()); }
    QString Endereco() const { return QStringLiteral("127.0.0.1:%1").arg(porta_); }
    int Quantas() const { return static_cast<int>(QDir(pasta_.path()).entryList({"*.json"}, QDir::Files).size()); }
    // The login attempts, one line each ("PLAIN ana ok").
    QStringList Autenticacoes() const {
        QFile f(QDir(pasta_.path()).filePath(QStringLiteral("autenticacoes.txt")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }
    // The n-th message accepted (from 1), or null.
    nlohmann::json Mensagem(int n) const {
        QFile f(QDir(pasta_.path()).filePath(QStringLiteral("%1.json").arg(n)));
        return f.open(QIODevice::ReadOnly) ? nlohmann::json::parse(f.readAll().toStdString(), nullptr, false) : nullptr;
    }

private:
    QTemporaryDir pasta_;
    QProcess processo_;
    quint16 porta_ = 0;
};

// A reply of "" says nothing (the server falls silent); "<fecha>" closes the
// connection. The first reply is the greeting.
class ServidorRoteiro {
public:
    explicit ServidorRoteiro(QStringList respostas) : respostas_(std::move(respostas)) {
        servidor_.listen(QHostAddress::LocalHost);
        QObject::connect(&servidor_, &QTcpServer::newConnection, [this] {
            socket_ = servidor_.nextPendingConnection();
            QObject::connect(socket_, &QTcpSocket::readyRead, [this] { Le(); });
            Responde();
        });
    }
    QString Endereco() const { return QStringLiteral("127.0.0.1:%1").arg(servidor_.serverPort()); }
    // The command lines received, the message as one entry "<dados>".
    QStringList comandos;
    QByteArray dados; // what came after DATA, the closing "." included

private:
    void Responde() {
        const QString r = respostas_.value(proxima_++);
        if (r == QLatin1String("<fecha>"))
            socket_->disconnectFromHost();
        else if (!r.isEmpty())
            socket_->write(r.toUtf8() + "\r\n");
        emDados_ = comandos.value(comandos.size() - 1) == QLatin1String("DATA") && r.startsWith(QLatin1String("354"));
    }
    void Le() {
        buffer_ += socket_->readAll();
        for (;;) {
            if (emDados_) {
                const qsizetype fim = buffer_.indexOf("\r\n.\r\n");
                if (fim < 0)
                    return;
                dados = buffer_.left(fim + 5);
                buffer_.remove(0, fim + 5);
                comandos << QStringLiteral("<dados>");
            } else {
                const qsizetype fim = buffer_.indexOf("\r\n");
                if (fim < 0)
                    return;
                comandos << QString::fromUtf8(buffer_.left(fim));
                buffer_.remove(0, fim + 2);
            }
            Responde();
        }
    }

    QTcpServer servidor_;
    QTcpSocket *socket_ = nullptr;
    QStringList respostas_;
    int proxima_ = 0;
    bool emDados_ = false;
    QByteArray buffer_;
};

} // namespace quellora::teste
