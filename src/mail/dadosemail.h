#pragma once
// The e-mail settings, "dadmai.dat" in the data directory: the sender's name
// and address and the outgoing (SMTP) server, one record of 154 bytes that
// is the whole file. Read once at start-up into the shared DadosEmail.

#include <QByteArray>
#include <QString>

#include <cstddef>

namespace quellora {

inline constexpr const char *ArqEmail = "dadmai.dat";
inline constexpr std::size_t TamanhoDadosEmail = 154;
inline constexpr int MaxCampoEmail = 50;

struct TDadosEmail {
    QString NomeRemetente;  // 0, Str[50]
    QString EmailRemetente; // 51, Str[50]
    QString ServidorSMTP;   // 102, Str[50]; "host" or "host:porta"
    // The record as read (empty: all zeros). Bytes past each text and the
    // reserved byte 153 are written back as they were.
    QByteArray Bruto;

    bool operator==(const TDadosEmail &) const = default;
};

// The record of a file image: the first 154 bytes; a shorter image gives the
// empty record.
TDadosEmail DadosEmailDeBytes(const QByteArray &dados);
// The 154-byte image.
QByteArray DadosEmailParaBytes(const TDadosEmail &d);

// Puts the three texts into the record as the file keeps them: trimmed and
// cut to 50 characters.
void DefineDadosEmail(TDadosEmail &d, const QString &nome, const QString &email, const QString &servidor);

// The settings of a data directory. A missing, short or unreadable file
// gives the empty record, without complaint.
TDadosEmail LeDadosEmail(const QString &dirDados);
// Writes the record to the data directory's file (atomically).
[[nodiscard]] bool GravaDadosEmail(const QString &dirDados, const TDadosEmail &d, QString *erro = nullptr);

// The same on the shared DadosEmail.
void LoadEmailSettings(const QString &dirDados);
[[nodiscard]] bool SaveEmailSettings(const QString &dirDados, QString *erro = nullptr);

} // namespace quellora
