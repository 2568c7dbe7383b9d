#include "mail/smtp.h"

#include "shell/fabricante.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QSslSocket>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <optional>

namespace quellora {

namespace {
// Far beyond what a server sends (512 bytes a line), short of what a
// misbehaving peer could make us hold.
constexpr qsizetype MaxLinha = 4096;
constexpr qsizetype MaxLinhasResposta = 200;
} // namespace

// --- Replies ------------------------------------------------------------------

void LeitorRespostasSmtp::Limpa() {
    pendente_.clear();
    atual_ = {};
}

bool LeitorRespostasSmtp::Acrescenta(const QByteArray &dados, QList<RespostaSmtp> &completas, QString *erro) {
    pendente_ += dados;
    auto recusa = [&](const QString &texto) {
        if (erro)
            *erro = texto;
        Limpa();
        return false;
    };
    qsizetype inicio = 0;
    for (;;) {
        const qsizetype fim = pendente_.indexOf('\n', inicio);
        if (fim < 0)
            break;
        QByteArray linha = pendente_.mid(inicio, fim - inicio);
        inicio = fim + 1;
        if (linha.endsWith('\r'))
            linha.chop(1);
        if (linha.size() > MaxLinha)
            return recusa(QStringLiteral("linha de resposta longa demais"));
        const bool codigo = linha.size() >= 3 && std::isdigit(static_cast<unsigned char>(linha[0])) &&
                            std::isdigit(static_cast<unsigned char>(linha[1])) &&
                            std::isdigit(static_cast<unsigned char>(linha[2]));
        const char sep = linha.size() > 3 ? linha[3] : ' ';
        if (!codigo || (sep != ' ' && sep != '-'))
            return recusa(QStringLiteral("resposta fora do protocolo: \"%1\"")
                              .arg(QString::fromLatin1(linha.left(80))));
        atual_.Linhas << QString::fromUtf8(linha);
        if (atual_.Linhas.size() > MaxLinhasResposta)
            return recusa(QStringLiteral("resposta com linhas demais"));
        if (sep == '-')
            continue;
        atual_.Codigo = linha.left(3).toInt();
        completas << atual_;
        atual_ = {};
    }
    pendente_.remove(0, inicio);
    if (pendente_.size() > MaxLinha + 1) // a line still waiting for its LF may hold its CR
        return recusa(QStringLiteral("linha de resposta longa demais"));
    return true;
}

// --- Pieces of the dialogue ----------------------------------------------------

QByteArray DadosSmtp(const QByteArray &mensagem) {
    QByteArray r;
    r.reserve(mensagem.size() + mensagem.size() / 64 + 8);
    bool inicioLinha = true;
    for (qsizetype i = 0; i < mensagem.size(); ++i) {
        const char c = mensagem[i];
        if (c == '\r' || c == '\n') {
            r += "\r\n";
            if (c == '\r' && i + 1 < mensagem.size() && mensagem[i + 1] == '\n')
                ++i;
            inicioLinha = true;
            continue;
        }
        if (inicioLinha && c == '.')
            r += '.';
        r += c;
        inicioLinha = false;
    }
    if (!inicioLinha)
        r += "\r\n";
    return r + ".\r\n";
}

QByteArray EnderecoEnvelope(const QString &endereco) {
    const QString t = endereco.trimmed();
    const qsizetype abre = t.indexOf(QLatin1Char('<'));
    const qsizetype fecha = abre < 0 ? -1 : t.indexOf(QLatin1Char('>'), abre);
    if (fecha >= 0)
        return t.mid(abre, fecha - abre + 1).toUtf8();
    return '<' + t.toUtf8() + '>';
}

bool SeparaServidor(const QString &servidor, QString *host, quint16 *porta, bool *explicita) {
    const QString t = servidor.trimmed();
    static const QRegularExpression comPorta(QStringLiteral("^(?:\\[([^\\]]*)\\]|([^:\\[\\]]*))(?::([^:]*))?$"));
    const QRegularExpressionMatch m = comPorta.match(t);
    *porta = 25;
    if (explicita)
        *explicita = false;
    if (!m.hasMatch()) { // an IPv6 address without brackets
        *host = t;
        return true;
    }
    *host = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    if (!m.hasCaptured(3))
        return true;
    bool ok = false;
    const uint p = m.captured(3).toUInt(&ok);
    if (!ok || p < 1 || p > 65535)
        return false;
    *porta = static_cast<quint16>(p);
    if (explicita)
        *explicita = true;
    return true;
}

quint16 PortaPadrao(SegurancaSmtp s) {
    switch (s) {
    case SegurancaSmtp::StartTls:
        return 587;
    case SegurancaSmtp::Ssl:
        return 465;
    case SegurancaSmtp::Nenhuma:
        break;
    }
    return 25;
}

QByteArray ImpressaoDigital(const QSslCertificate &c) {
    return c.isNull() ? QByteArray() : c.digest(QCryptographicHash::Sha256);
}

QString NomeHeloFabricante() {
    QString nome;
    for (const char *c = DadosFabricante::Nome; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            nome += QLatin1Char(*c);
    return nome;
}

QString TextoImpressaoDigital(const QByteArray &digest) {
    return QString::fromLatin1(digest.toHex(':').toUpper());
}

bool LeImpressaoDigital(const QString &texto, QByteArray *digest) {
    QString t = texto;
    t.remove(QLatin1Char(':')).remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    if (!hex.match(t).hasMatch())
        return false;
    *digest = QByteArray::fromHex(t.toLatin1());
    return true;
}

// --- The client -------------------------------------------------------------------

namespace {

// "0.3 s", "5 min".
QString Duracao(int ms) {
    return ms < 60000 ? QStringLiteral("%1 s").arg(ms / 1000.0) : QStringLiteral("%1 min").arg(ms / 60000.0);
}

bool SoAscii(const QByteArray &b) {
    return std::all_of(b.begin(), b.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

ClienteSmtp::ClienteSmtp(QObject *pai) : QObject(pai), socket_(new QSslSocket(this)), prazo_(new QTimer(this)) {
    qRegisterMetaType<ResultadoSmtp>();
    prazo_->setSingleShot(true);
    connect(prazo_, &QTimer::timeout, this, &ClienteSmtp::Esgotou);
    connect(socket_, &QSslSocket::connected, this, &ClienteSmtp::Conectou);
    connect(socket_, &QSslSocket::encrypted, this, &ClienteSmtp::Cifrou);
    connect(socket_, &QSslSocket::sslErrors, this, &ClienteSmtp::ErrosSsl);
    connect(socket_, &QSslSocket::readyRead, this, &ClienteSmtp::Chegou);
    connect(socket_, &QSslSocket::disconnected, this, &ClienteSmtp::Caiu);
    connect(socket_, &QSslSocket::errorOccurred, this, &ClienteSmtp::Caiu);
    // Each block of a long message taken by the server renews the limit.
    connect(socket_, &QSslSocket::bytesWritten, this, &ClienteSmtp::Escreveu);
    connect(socket_, &QSslSocket::encryptedBytesWritten, this, &ClienteSmtp::Escreveu);
}

ClienteSmtp::~ClienteSmtp() {
    passo_ = Ocioso;
    socket_->abort();
}

void ClienteSmtp::Envia(const EnvioSmtp &envio) {
    Cancela();
    envio_ = envio;
    dados_ = DadosSmtp(envio.Mensagem);
    destinatario_ = 0;
    tentouHelo_ = false;
    extensoes_.clear();
    errosSsl_.clear();
    certificadoRecusado_.clear();
    avisos_.clear();
    leitor_.Limpa();
    quint16 porta = 25;
    bool explicita = false;
    const bool servidorOk = SeparaServidor(envio.Servidor, &host_, &porta, &explicita);
    if (envio.Porta != 0)
        porta = envio.Porta;
    else if (!explicita)
        porta = PortaPadrao(envio.Seguranca);
    QString invalido;
    if (!servidorOk || host_.isEmpty())
        invalido = QStringLiteral("Servidor de e-mail inválido: \"%1\".").arg(envio.Servidor);
    const QStringList enderecos = QStringList(envio.Destinatarios) << envio.Copias << envio.Remetente;
    const QStringList linhas = QStringList(enderecos) << envio.NomeHelo << envio.Usuario;
    for (const QString &a : linhas)
        if (a.contains(QLatin1Char('\r')) || a.contains(QLatin1Char('\n')))
            invalido = QStringLiteral("Endereço inválido: \"%1\".").arg(a.simplified());
    // Without SMTPUTF8 an address is ASCII; raw UTF-8 would reach a server
    // that never agreed to it.
    for (const QString &a : enderecos)
        if (invalido.isEmpty() && !SoAscii(EnderecoEnvelope(a)))
            invalido = QStringLiteral("O endereço \"%1\" tem acentos ou outros caracteres fora do ASCII, que o "
                                      "servidor de e-mail não aceita num endereço. Corrija o endereço.")
                           .arg(a.trimmed());
    if (envio.Destinatarios.isEmpty())
        invalido = QStringLiteral("Nenhum destinatário.");
    passo_ = Conexao;
    if (!invalido.isEmpty()) {
        // Reported from the event loop, as every other outcome.
        QTimer::singleShot(0, this, [this, invalido, g = geracao_] {
            if (g == geracao_)
                Falha(invalido);
        });
        return;
    }
    prazo_->start(prazos_.ConexaoMs);
    if (envio.Seguranca == SegurancaSmtp::Ssl)
        socket_->connectToHostEncrypted(host_, porta);
    else
        socket_->connectToHost(host_, porta);
}

void ClienteSmtp::Cancela() {
    ++geracao_;
    passo_ = Ocioso;
    prazo_->stop();
    socket_->abort();
}

int ClienteSmtp::Prazo(Passo p) const {
    switch (p) {
    case Conexao:
    case Cifrando:
        return prazos_.ConexaoMs;
    case Saudacao:
        return prazos_.SaudacaoMs;
    case MailFrom:
        return prazos_.MailMs;
    case RcptTo:
        return prazos_.RcptMs;
    case Data:
        return prazos_.DataMs;
    case FimDados:
        return socket_->bytesToWrite() + socket_->encryptedBytesToWrite() > 0 ? prazos_.BlocoMs
                                                                              : prazos_.FimDadosMs;
    case Quit:
        return std::min(prazos_.OutrosMs, 5000);
    default:
        return prazos_.OutrosMs;
    }
}

void ClienteSmtp::Espera(Passo p) {
    passo_ = p;
    prazo_->start(Prazo(p));
}

void ClienteSmtp::Conectou() {
    if (passo_ != Conexao)
        return;
    // In TLS from the start, the greeting comes once the handshake is done;
    // the connection's limit still runs.
    if (envio_.Seguranca == SegurancaSmtp::Ssl)
        passo_ = Cifrando;
    else
        Espera(Saudacao);
}

void ClienteSmtp::Cifrou() {
    if (passo_ != Cifrando)
        return;
    emit Cifrado();
    if (envio_.Seguranca == SegurancaSmtp::Ssl) {
        Espera(Saudacao);
        return;
    }
    // After STARTTLS the server forgets what it knew: a new EHLO.
    extensoes_.clear();
    Comando("EHLO " + envio_.NomeHelo.toUtf8(), Ehlo);
}

void ClienteSmtp::ErrosSsl(const QList<QSslError> &erros) {
    QSslCertificate c = socket_->peerCertificate();
    if (c.isNull() && !erros.isEmpty())
        c = erros.first().certificate();
    const QByteArray digital = ImpressaoDigital(c);
    if (!envio_.CertificadoConfiavel.isEmpty() && digital == envio_.CertificadoConfiavel) {
        socket_->ignoreSslErrors();
        return;
    }
    // Not ignored: the handshake fails and Caiu says why.
    errosSsl_ = erros;
    certificadoRecusado_ = digital;
}

void ClienteSmtp::Chegou() {
    const QByteArray dados = socket_->readAll();
    if (passo_ == Ocioso || passo_ == Cifrando)
        return;
    QList<RespostaSmtp> respostas;
    QString erro;
    const bool ok = leitor_.Acrescenta(dados, respostas, &erro);
    const int g = geracao_;
    for (const RespostaSmtp &r : respostas) {
        Trata(r);
        if (g != geracao_ || passo_ == Ocioso)
            return;
        if (passo_ == Cifrando) {
            // Whatever came after the reply to STARTTLS came unencrypted:
            // dropped (RFC 3207, section 4.2).
            leitor_.Limpa();
            return;
        }
    }
    if (!ok) {
        if (!Despedido())
            Falha(QStringLiteral("Resposta inválida do servidor %1: %2.").arg(host_, erro));
        return;
    }
    if (!dados.isEmpty() && passo_ != Quit)
        prazo_->start(Prazo(passo_));
}

void ClienteSmtp::Escreveu() {
    if (passo_ == FimDados)
        prazo_->start(Prazo(FimDados));
}

bool ClienteSmtp::Despedido() {
    if (passo_ == Quit)
        Termina();
    return passo_ == Ocioso;
}

void ClienteSmtp::Caiu() {
    if (Despedido())
        return;
    if (passo_ == Conexao)
        return Falha(QStringLiteral("Não foi possível conectar ao servidor %1: %2").arg(host_, socket_->errorString()));
    if (passo_ == Cifrando && !errosSsl_.isEmpty()) {
        QStringList motivos;
        for (const QSslError &e : errosSsl_)
            if (!motivos.contains(e.errorString()))
                motivos << e.errorString();
        ResultadoSmtp r;
        r.CertificadoRecusado = certificadoRecusado_;
        r.Erro = QStringLiteral("O certificado do servidor %1 foi recusado: %2.\n"
                                "Impressão digital (SHA-256): %3\n"
                                "Se o administrador do servidor confirmar essa impressão digital, indique o "
                                "certificado como confiável na configuração de e-mail.")
                     .arg(host_, motivos.join(QStringLiteral("; ")), TextoImpressaoDigital(certificadoRecusado_));
        return Conclui(r, false);
    }
    if (passo_ == Cifrando)
        return Falha(QStringLiteral("Não foi possível estabelecer a conexão criptografada com o servidor %1: %2")
                         .arg(host_, socket_->errorString()));
    Falha(QStringLiteral("O servidor %1 encerrou a conexão.").arg(host_));
}

void ClienteSmtp::Esgotou() {
    if (Despedido())
        return;
    const QString limite = Duracao(Prazo(passo_));
    if (passo_ == Conexao)
        Falha(QStringLiteral("Não foi possível conectar ao servidor %1: tempo esgotado (%2).").arg(host_, limite));
    else if (passo_ == Cifrando)
        Falha(QStringLiteral("A conexão criptografada com o servidor %1 não se completou em %2.").arg(host_, limite));
    else
        Falha(QStringLiteral("O servidor %1 não respondeu em %2.").arg(host_, limite));
}

void ClienteSmtp::Comando(const QByteArray &linha, Passo proximo) {
    socket_->write(linha + "\r\n");
    Espera(proximo);
}

void ClienteSmtp::Trata(const RespostaSmtp &r) {
    switch (passo_) {
    case Saudacao:
        if (r.Codigo != 220)
            return Recusa(QStringLiteral("O servidor %1 não aceitou a conexão.").arg(host_), r);
        return Comando("EHLO " + envio_.NomeHelo.toUtf8(), Ehlo);
    case Ehlo:
    case Helo:
        return Identificou(r);
    case StartTls:
        if (r.Codigo != 220)
            return Recusa(QStringLiteral("O servidor %1 recusou o STARTTLS.").arg(host_), r);
        Espera(Cifrando);
        socket_->startClientEncryption();
        return;
    case AuthLogin:
    case AuthUsuario:
        if (r.Codigo == 334) {
            const QString &parte = passo_ == AuthLogin ? envio_.Usuario : envio_.Senha;
            return Comando(parte.toUtf8().toBase64(), passo_ == AuthLogin ? AuthUsuario : AuthSenha);
        }
        [[fallthrough]];
    case AuthPlain:
    case AuthSenha:
        if (r.Codigo != 235)
            return Recusa(QStringLiteral("O servidor %1 recusou o usuário \"%2\" ou a senha.").arg(host_, envio_.Usuario),
                          r);
        return EnviaRemetente();
    case MailFrom:
        if (r.Codigo == 530 && envio_.Usuario.isEmpty())
            return Recusa(QStringLiteral("O servidor %1 exige login: informe o usuário e a senha na configuração de "
                                         "e-mail.")
                              .arg(host_),
                          r);
        if (r.Codigo != 250)
            return Recusa(QStringLiteral("O servidor recusou o remetente %1.")
                              .arg(QString::fromUtf8(EnderecoEnvelope(envio_.Remetente))),
                          r);
        return ProximoDestinatario();
    case RcptTo: {
        const qsizetype obrigatorios = envio_.Destinatarios.size();
        const bool copia = destinatario_ >= obrigatorios;
        const QString endereco = copia ? envio_.Copias.at(destinatario_ - obrigatorios)
                                       : envio_.Destinatarios.at(destinatario_);
        if (r.Codigo != 250 && r.Codigo != 251) {
            if (!copia)
                return Recusa(QStringLiteral("O servidor recusou o destinatário %1.")
                                  .arg(QString::fromUtf8(EnderecoEnvelope(endereco))),
                              r);
            avisos_ << QStringLiteral("O servidor recusou a cópia para %1; a mensagem segue sem ela.\n"
                                      "Resposta do servidor: %2")
                           .arg(QString::fromUtf8(EnderecoEnvelope(endereco)), r.Texto());
        }
        ++destinatario_;
        return ProximoDestinatario();
    }
    case Data:
        if (r.Codigo != 354)
            return Recusa(QStringLiteral("O servidor recusou a mensagem."), r);
        socket_->write(dados_);
        return Espera(FimDados);
    case FimDados:
        if (r.Codigo != 250)
            return Recusa(QStringLiteral("O servidor recusou a mensagem."), r);
        return Conclui({true, r.Codigo, r.Texto(), {}, avisos_, {}}, true);
    case Quit:
        return Termina();
    case Ocioso:
    case Conexao:
    case Cifrando:
        return;
    }
}

void ClienteSmtp::Identificou(const RespostaSmtp &r) {
    if (r.Codigo != 250) {
        // A server of before ESMTP: HELO, and none of the extensions.
        if (passo_ == Ehlo && !tentouHelo_ && !socket_->isEncrypted()) {
            tentouHelo_ = true;
            return Comando("HELO " + envio_.NomeHelo.toUtf8(), Helo);
        }
        return Recusa(
            QStringLiteral("O servidor %1 recusou a identificação \"%2\".").arg(host_, envio_.NomeHelo), r);
    }
    extensoes_.clear();
    if (passo_ == Ehlo)
        for (qsizetype i = 1; i < r.Linhas.size(); ++i)
            extensoes_ << r.Linhas.at(i).mid(4).trimmed().toUpper();
    Prossegue();
}

namespace {
// The words after an extension's keyword, or null when it is not offered
// ("AUTH=PLAIN" is how some servers still write AUTH).
std::optional<QStringList> Extensao(const QStringList &extensoes, const QString &palavra) {
    for (const QString &e : extensoes) {
        QStringList partes = e.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (partes.isEmpty())
            continue;
        if (partes.first() == palavra)
            return partes.mid(1);
        if (partes.first().startsWith(palavra + QLatin1Char('='))) {
            partes.first().remove(0, palavra.size() + 1);
            return partes;
        }
    }
    return std::nullopt;
}
} // namespace

void ClienteSmtp::Prossegue() {
    if (envio_.Seguranca == SegurancaSmtp::StartTls && !socket_->isEncrypted()) {
        if (!Extensao(extensoes_, QStringLiteral("STARTTLS")))
            return FalhaDespedindo(QStringLiteral("O servidor %1 não oferece STARTTLS: a mensagem não foi enviada. "
                                                  "Confira a porta e a segurança na configuração de e-mail.")
                                       .arg(host_));
        return Comando("STARTTLS", StartTls);
    }
    if (!envio_.Usuario.isEmpty())
        return Autentica();
    EnviaRemetente();
}

void ClienteSmtp::Autentica() {
    // The password never travels in the clear, whatever the server offers.
    if (!socket_->isEncrypted())
        return FalhaDespedindo(QStringLiteral("A senha não foi enviada: a conexão com o servidor %1 não é "
                                              "criptografada. Escolha STARTTLS ou SSL/TLS na configuração de "
                                              "e-mail.")
                                   .arg(host_));
    const QStringList mecanismos = Extensao(extensoes_, QStringLiteral("AUTH")).value_or(QStringList());
    if (mecanismos.contains(QLatin1String("PLAIN"))) {
        const QByteArray credencial = '\0' + envio_.Usuario.toUtf8() + '\0' + envio_.Senha.toUtf8();
        return Comando("AUTH PLAIN " + credencial.toBase64(), AuthPlain);
    }
    if (mecanismos.contains(QLatin1String("LOGIN")))
        return Comando("AUTH LOGIN", AuthLogin);
    FalhaDespedindo(QStringLiteral("O servidor %1 não oferece login por senha (AUTH PLAIN ou LOGIN).").arg(host_));
}

void ClienteSmtp::EnviaRemetente() {
    QByteArray linha = "MAIL FROM:" + EnderecoEnvelope(envio_.Remetente);
    if (const auto tamanho = Extensao(extensoes_, QStringLiteral("SIZE"))) {
        const qint64 limite = tamanho->value(0).toLongLong();
        if (limite > 0 && dados_.size() > limite)
            return FalhaDespedindo(QStringLiteral("A mensagem (%1 KB) é maior do que o servidor %2 aceita (%3 KB).")
                                       .arg((dados_.size() + 1023) / 1024)
                                       .arg(host_)
                                       .arg(limite / 1024));
        linha += " SIZE=" + QByteArray::number(dados_.size());
    }
    if (!SoAscii(envio_.Mensagem) && Extensao(extensoes_, QStringLiteral("8BITMIME")))
        linha += " BODY=8BITMIME";
    Comando(linha, MailFrom);
    emit Conectado();
}

void ClienteSmtp::ProximoDestinatario() {
    const QStringList todos = QStringList(envio_.Destinatarios) << envio_.Copias;
    if (destinatario_ < todos.size())
        return Comando("RCPT TO:" + EnderecoEnvelope(todos.at(destinatario_)), RcptTo);
    Comando("DATA", Data);
}

void ClienteSmtp::Recusa(const QString &oque, const RespostaSmtp &r) {
    Conclui({false, r.Codigo, r.Texto(), oque + QStringLiteral("\nResposta do servidor: ") + r.Texto(), {}, {}}, true);
}

void ClienteSmtp::FalhaDespedindo(const QString &erro) { Conclui({false, 0, {}, erro, {}, {}}, true); }

void ClienteSmtp::Falha(const QString &erro) { Conclui({false, 0, {}, erro, {}, {}}, false); }

void ClienteSmtp::Conclui(ResultadoSmtp r, bool despede) {
    // The server that still talks is told goodbye; the outcome is known
    // already and does not wait for it.
    if (despede)
        Comando("QUIT", Quit);
    else
        passo_ = Quit;
    const int g = geracao_;
    emit Concluido(r);
    if (g == geracao_ && !despede)
        Termina();
}

void ClienteSmtp::Termina() {
    passo_ = Ocioso;
    prazo_->stop();
    socket_->abort();
    emit Encerrado();
}

ResultadoSmtp EnviaSmtpSincrono(const EnvioSmtp &envio, const PrazosSmtp &prazos) {
    ClienteSmtp cliente;
    cliente.DefinePrazos(prazos);
    ResultadoSmtp resultado;
    QEventLoop laco;
    QObject::connect(&cliente, &ClienteSmtp::Concluido, &laco, [&](const ResultadoSmtp &r) { resultado = r; });
    QObject::connect(&cliente, &ClienteSmtp::Encerrado, &laco, &QEventLoop::quit);
    cliente.Envia(envio);
    laco.exec();
    return resultado;
}

} // namespace quellora
