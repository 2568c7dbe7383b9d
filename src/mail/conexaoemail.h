#pragma once
// How the program reaches the outgoing mail server, beside "dadmai.dat" in
// the data directory: "conexaoemail.json" holds the port, the security
// (none, STARTTLS, TLS from the start), the login's user name and the
// fingerprint of a server certificate the user chose to trust. Never the
// password: that lives in a CofreSenhas. Without the file, the server of
// "dadmai.dat" is reached as it always was: plain, no login, its own port or
// 25. A file that can't be read, isn't JSON or holds a value out of range is
// refused with a message naming the file; keys this version doesn't know are
// kept when it is written again.

#include "mail/dadosemail.h"
#include "mail/smtp.h"

#include <QByteArray>
#include <QString>

#include <nlohmann/json.hpp>

#include <optional>

namespace quellora {

inline constexpr const char *ArqConexaoEmail = "conexaoemail.json";
inline constexpr int MaxUsuarioEmail = 255;

struct TConexaoEmail {
    int Porta = 0; // 1 to 65535; 0: that of the server's name, else the security's usual one
    SegurancaSmtp Seguranca = SegurancaSmtp::Nenhuma;
    QString Usuario;        // empty: no login
    QByteArray Certificado; // SHA-256 of the trusted certificate; empty: none

    nlohmann::json Outros = nlohmann::json::object();

    bool operator==(const TConexaoEmail &o) const {
        return Porta == o.Porta && Seguranca == o.Seguranca && Usuario == o.Usuario && Certificado == o.Certificado &&
               Outros == o.Outros;
    }
};

// "nenhuma", "starttls", "ssl" (the file's and the command line's words).
const char *TextoSeguranca(SegurancaSmtp s);
std::optional<SegurancaSmtp> SegurancaDeTexto(const QString &t);

// Empty when every value is in range; otherwise what is wrong, in words.
QString ValidaConexaoEmail(const TConexaoEmail &c);

// The file's text (UTF-8 JSON).
QByteArray ConexaoEmailParaBytes(const TConexaoEmail &c);
// Reads the file's text. On failure 'c' is left as it was and 'erro' says why.
[[nodiscard]] bool ConexaoEmailDeBytes(const QByteArray &dados, TConexaoEmail &c, QString *erro);

// A directory without the file gives the defaults and succeeds.
[[nodiscard]] bool CarregaConexaoEmail(const QString &dirDados, TConexaoEmail &c, QString *erro = nullptr);
// Written whole through a temporary file; refused when a value is out of range.
[[nodiscard]] bool GravaConexaoEmail(const QString &dirDados, const TConexaoEmail &c, QString *erro = nullptr);

// The name under which the password of the login is kept:
// "smtp://usuario@servidor" (the server without its port). Empty without a
// user.
QString ContaSenhaEmail(const TDadosEmail &d, const TConexaoEmail &c);

// The SHA-256 of the first certificate of a PEM (or DER) file.
[[nodiscard]] bool ImpressaoDigitalDeArquivo(const QString &arquivo, QByteArray *digest, QString *erro);

// The connection's part of a sending: port, security, login and the trusted
// certificate.
void AplicaConexaoEmail(EnvioSmtp &e, const TConexaoEmail &c, const QString &senha);

} // namespace quellora
