#include "mail/conexaoemail.h"

#include "catalogue/arquivos.h"

#include <QFile>
#include <QSslCertificate>

#include <algorithm>

namespace quellora {

namespace {

using nlohmann::json;

const struct {
    SegurancaSmtp valor;
    const char *texto;
} Segurancas[] = {
    {SegurancaSmtp::Nenhuma, "nenhuma"},
    {SegurancaSmtp::StartTls, "starttls"},
    {SegurancaSmtp::Ssl, "ssl"},
};

QString Arquivo(const QString &dirDados) { return CaminhoEm(dirDados, QString::fromLatin1(ArqConexaoEmail)); }

bool TemControle(const QString &t) {
    return std::any_of(t.begin(), t.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

} // namespace

const char *TextoSeguranca(SegurancaSmtp s) {
    for (const auto &x : Segurancas)
        if (x.valor == s)
            return x.texto;
    return "nenhuma";
}

std::optional<SegurancaSmtp> SegurancaDeTexto(const QString &t) {
    for (const auto &x : Segurancas)
        if (t.compare(QLatin1String(x.texto), Qt::CaseInsensitive) == 0)
            return x.valor;
    return std::nullopt;
}

QString ValidaConexaoEmail(const TConexaoEmail &c) {
    if (c.Porta < 0 || c.Porta > 65535)
        return QStringLiteral("a porta deve ser um número de 1 a 65535");
    if (c.Usuario.size() > MaxUsuarioEmail || TemControle(c.Usuario))
        return QStringLiteral("o usuário deve ter até %1 caracteres, sem quebras de linha").arg(MaxUsuarioEmail);
    if (!c.Certificado.isEmpty() && c.Certificado.size() != 32)
        return QStringLiteral("a impressão digital do certificado deve ter 32 bytes (SHA-256)");
    return {};
}

QByteArray ConexaoEmailParaBytes(const TConexaoEmail &c) {
    json j = c.Outros.is_object() ? c.Outros : json::object();
    j["Porta"] = c.Porta;
    j["Seguranca"] = TextoSeguranca(c.Seguranca);
    j["Usuario"] = c.Usuario.toStdString();
    j["Certificado"] = TextoImpressaoDigital(c.Certificado).toStdString();
    return QByteArray::fromStdString(j.dump(2) + "\n");
}

bool ConexaoEmailDeBytes(const QByteArray &dados, TConexaoEmail &c, QString *erro) {
    auto falha = [&](const QString &texto) {
        if (erro)
            *erro = texto;
        return false;
    };
    const json j = json::parse(dados.constData(), dados.constData() + dados.size(), nullptr, false);
    if (j.is_discarded() || !j.is_object())
        return falha(QStringLiteral("o arquivo não é um texto JSON com a conexão de e-mail"));
    TConexaoEmail lido;
    for (auto it = j.begin(); it != j.end(); ++it) {
        const std::string &k = it.key();
        const json &v = it.value();
        if (k == "Porta") {
            if (!v.is_number_integer())
                return falha(QStringLiteral("a porta não é um número inteiro"));
            const auto p = v.get<json::number_integer_t>();
            if (p < 0 || p > 65535)
                return falha(QStringLiteral("a porta deve ser um número de 1 a 65535"));
            lido.Porta = static_cast<int>(p);
        } else if (k == "Seguranca") {
            const auto s = v.is_string() ? SegurancaDeTexto(QString::fromStdString(v.get<std::string>()))
                                         : std::nullopt;
            if (!s)
                return falha(QStringLiteral("a segurança deve ser \"nenhuma\", \"starttls\" ou \"ssl\""));
            lido.Seguranca = *s;
        } else if (k == "Usuario") {
            if (!v.is_string())
                return falha(QStringLiteral("o usuário não é um texto"));
            lido.Usuario = QString::fromStdString(v.get<std::string>());
        } else if (k == "Certificado") {
            const QString t = v.is_string() ? QString::fromStdString(v.get<std::string>()) : QStringLiteral("-");
            if (!t.isEmpty() && !LeImpressaoDigital(t, &lido.Certificado))
                return falha(QStringLiteral("a impressão digital do certificado não é um SHA-256 em hexadecimal"));
        } else {
            lido.Outros[k] = v;
        }
    }
    const QString motivo = ValidaConexaoEmail(lido);
    if (!motivo.isEmpty())
        return falha(motivo);
    c = std::move(lido);
    return true;
}

bool CarregaConexaoEmail(const QString &dirDados, TConexaoEmail &v, QString *erro) {
    const auto le = [&v](const QByteArray &b, QString *motivo) { return ConexaoEmailDeBytes(b, v, motivo); };
    const auto ausente = [&v] { v = TConexaoEmail{}; };
    return CarregaArquivoOpcional(Arquivo(dirDados), QStringLiteral("de conexão de e-mail"), le, ausente, erro);
}

bool GravaConexaoEmail(const QString &dirDados, const TConexaoEmail &c, QString *erro) {
    const QString motivo = ValidaConexaoEmail(c);
    if (!motivo.isEmpty()) {
        if (erro)
            *erro = QStringLiteral("Conexão de e-mail não gravada: %1.").arg(motivo);
        return false;
    }
    return GravaArquivoAtomico(Arquivo(dirDados), ConexaoEmailParaBytes(c), erro);
}

QString ContaSenhaEmail(const TDadosEmail &d, const TConexaoEmail &c) {
    if (c.Usuario.trimmed().isEmpty())
        return {};
    QString host;
    quint16 porta = 0;
    if (!SeparaServidor(d.ServidorSMTP, &host, &porta))
        host = d.ServidorSMTP.trimmed();
    return QStringLiteral("smtp://%1@%2").arg(c.Usuario.trimmed(), host.toLower());
}

bool ImpressaoDigitalDeArquivo(const QString &arquivo, QByteArray *digest, QString *erro) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        if (erro)
            *erro = QStringLiteral("Não foi possível ler o certificado %1: %2").arg(arquivo, f.errorString());
        return false;
    }
    const QByteArray b = f.readAll();
    QList<QSslCertificate> lidos = QSslCertificate::fromData(b, QSsl::Pem);
    if (lidos.isEmpty())
        lidos = QSslCertificate::fromData(b, QSsl::Der);
    if (lidos.isEmpty() || lidos.first().isNull()) {
        if (erro)
            *erro = QStringLiteral("O arquivo %1 não contém um certificado (PEM ou DER).").arg(arquivo);
        return false;
    }
    *digest = ImpressaoDigital(lidos.first());
    return true;
}

void AplicaConexaoEmail(EnvioSmtp &e, const TConexaoEmail &c, const QString &senha) {
    e.Porta = static_cast<quint16>(c.Porta);
    e.Seguranca = c.Seguranca;
    e.Usuario = c.Usuario.trimmed();
    e.Senha = e.Usuario.isEmpty() ? QString() : senha;
    e.CertificadoConfiavel = c.Certificado;
}

} // namespace quellora
