#include "mail/smtp.h"

#include <QEventLoop>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cctype>

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

bool SeparaServidor(const QString &servidor, QString *host, quint16 *porta) {
    const QString t = servidor.trimmed();
    static const QRegularExpression comPorta(QStringLiteral("^(?:\\[([^\\]]*)\\]|([^:\\[\\]]*))(?::([^:]*))?$"));
    const QRegularExpressionMatch m = comPorta.match(t);
    *porta = 25;
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
    return true;
}

// --- The client -------------------------------------------------------------------

ClienteSmtp::ClienteSmtp(QObject *pai) : QObject(pai), socket_(new QTcpSocket(this)), prazo_(new QTimer(this)) {
    qRegisterMetaType<ResultadoSmtp>();
    prazo_->setSingleShot(true);
    connect(prazo_, &QTimer::timeout, this, &ClienteSmtp::Esgotou);
    connect(socket_, &QTcpSocket::connected, this, &ClienteSmtp::Conectou);
    connect(socket_, &QTcpSocket::readyRead, this, &ClienteSmtp::Chegou);
    connect(socket_, &QTcpSocket::disconnected, this, &ClienteSmtp::Caiu);
    connect(socket_, &QTcpSocket::errorOccurred, this, &ClienteSmtp::Caiu);
    // A long message being written keeps the reply's time limit from running.
    connect(socket_, &QTcpSocket::bytesWritten, this, [this] {
        if (passo_ == FimDados)
            prazo_->start(prazos_.RespostaMs);
    });
}

ClienteSmtp::~ClienteSmtp() {
    passo_ = Ocioso;
    socket_->abort();
}

void ClienteSmtp::Envia(const EnvioSmtp &envio) {
    Cancela();
    envio_ = envio;
    destinatario_ = 0;
    leitor_.Limpa();
    quint16 porta = 25;
    const bool servidorOk = SeparaServidor(envio.Servidor, &host_, &porta);
    QString invalido;
    if (!servidorOk || host_.isEmpty())
        invalido = QStringLiteral("Servidor de e-mail inválido: \"%1\".").arg(envio.Servidor);
    const QStringList textos = QStringList(envio.Destinatarios) << envio.Remetente << envio.NomeHelo;
    for (const QString &a : textos)
        if (a.contains(QLatin1Char('\r')) || a.contains(QLatin1Char('\n')))
            invalido = QStringLiteral("Endereço inválido: \"%1\".").arg(a.simplified());
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
    socket_->connectToHost(host_, porta);
}

void ClienteSmtp::Cancela() {
    ++geracao_;
    passo_ = Ocioso;
    prazo_->stop();
    socket_->abort();
}

void ClienteSmtp::Conectou() {
    if (passo_ != Conexao)
        return;
    passo_ = Saudacao;
    prazo_->start(prazos_.RespostaMs);
}

void ClienteSmtp::Chegou() {
    const QByteArray dados = socket_->readAll();
    if (passo_ == Ocioso)
        return;
    QList<RespostaSmtp> respostas;
    QString erro;
    const bool ok = leitor_.Acrescenta(dados, respostas, &erro);
    const int g = geracao_;
    for (const RespostaSmtp &r : respostas) {
        Trata(r);
        if (g != geracao_ || passo_ == Ocioso)
            return;
    }
    if (!ok) {
        if (!Despedido())
            Falha(QStringLiteral("Resposta inválida do servidor %1: %2.").arg(host_, erro));
        return;
    }
    if (!dados.isEmpty() && passo_ != Quit)
        prazo_->start(prazos_.RespostaMs);
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
        Falha(QStringLiteral("Não foi possível conectar ao servidor %1: %2").arg(host_, socket_->errorString()));
    else
        Falha(QStringLiteral("O servidor %1 encerrou a conexão.").arg(host_));
}

void ClienteSmtp::Esgotou() {
    if (Despedido())
        return;
    if (passo_ == Conexao)
        Falha(QStringLiteral("Não foi possível conectar ao servidor %1: tempo esgotado (%2 s).")
                  .arg(host_)
                  .arg(prazos_.ConexaoMs / 1000.0));
    else
        Falha(QStringLiteral("O servidor %1 não respondeu em %2 s.").arg(host_).arg(prazos_.RespostaMs / 1000.0));
}

void ClienteSmtp::Comando(const QByteArray &linha, Passo proximo) {
    passo_ = proximo;
    socket_->write(linha + "\r\n");
    prazo_->start(prazos_.RespostaMs);
}

void ClienteSmtp::Trata(const RespostaSmtp &r) {
    const auto &dest = envio_.Destinatarios;
    switch (passo_) {
    case Saudacao:
        if (r.Codigo != 220)
            return Recusa(QStringLiteral("O servidor %1 não aceitou a conexão.").arg(host_), r);
        return Comando("HELO " + envio_.NomeHelo.toUtf8(), Helo);
    case Helo:
        if (r.Codigo != 250)
            return Recusa(
                QStringLiteral("O servidor %1 recusou a identificação \"%2\".").arg(host_, envio_.NomeHelo), r);
        Comando("MAIL FROM:" + EnderecoEnvelope(envio_.Remetente), MailFrom);
        emit Conectado();
        return;
    case MailFrom:
        if (r.Codigo != 250)
            return Recusa(QStringLiteral("O servidor recusou o remetente %1.")
                              .arg(QString::fromUtf8(EnderecoEnvelope(envio_.Remetente))), r);
        return Comando("RCPT TO:" + EnderecoEnvelope(dest.at(0)), RcptTo);
    case RcptTo:
        if (r.Codigo != 250 && r.Codigo != 251)
            return Recusa(QStringLiteral("O servidor recusou o destinatário %1.")
                              .arg(QString::fromUtf8(EnderecoEnvelope(dest.at(destinatario_)))), r);
        if (++destinatario_ < dest.size())
            return Comando("RCPT TO:" + EnderecoEnvelope(dest.at(destinatario_)), RcptTo);
        return Comando("DATA", Data);
    case Data:
        if (r.Codigo != 354)
            return Recusa(QStringLiteral("O servidor recusou a mensagem."), r);
        passo_ = FimDados;
        socket_->write(DadosSmtp(envio_.Mensagem));
        prazo_->start(prazos_.RespostaMs);
        return;
    case FimDados:
        if (r.Codigo != 250)
            return Recusa(QStringLiteral("O servidor recusou a mensagem."), r);
        return Conclui({true, r.Codigo, r.Texto(), {}}, true);
    case Quit:
        return Termina();
    case Ocioso:
    case Conexao:
        return;
    }
}

void ClienteSmtp::Recusa(const QString &oque, const RespostaSmtp &r) {
    Conclui({false, r.Codigo, r.Texto(), oque + QStringLiteral("\nResposta do servidor: ") + r.Texto()}, true);
}

void ClienteSmtp::Falha(const QString &erro) { Conclui({false, 0, {}, erro}, false); }

void ClienteSmtp::Conclui(ResultadoSmtp r, bool despede) {
    // The server that still talks is told goodbye; the outcome is known
    // already and does not wait for it.
    if (despede) {
        Comando("QUIT", Quit);
        prazo_->start(std::min(prazos_.RespostaMs, 5000));
    } else {
        passo_ = Quit;
    }
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
