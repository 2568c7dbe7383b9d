#pragma once
// The proposal's e-mail message: a MIME multipart message with the user's
// text as its HTML part and the proposal document attached as
// "proposta.xls" (and any further attachment after it). Built by one pure
// function from everything it shows, so the bytes depend on nothing else
// (the sending time and the message's identifier included).

#include "quotation/registros.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quellora {

struct AnexoMime {
    QString Nome = QStringLiteral("proposta.xls"); // ASCII, without quotes
    QByteArray Tipo = "application/octet-stream";
    QByteArray Dados;
};

struct EntradaMime {
    QString NomeRemetente;
    QString EmailRemetente;
    QString Para;    // as typed in the "Para" box
    QString Assunto;
    QStringList Texto; // the lines of the user's text
    QList<AnexoMime> Anexos; // the proposal document first
    QDateTime Momento; // local date and time of the sending
    std::optional<int> DeslocamentoUtc; // seconds east of UTC; none: unknown
    QByteArray IdMensagem; // "<...@...>"; none: no Message-ID line
};

// The whole message as it travels: header lines, an empty line and the body,
// every line ending in CR LF, nothing but 7-bit characters. Header texts
// outside ASCII are encoded words (RFC 2047, UTF-8); the text part is HTML in
// UTF-8, quoted-printable, each line followed by "<BR>"; the attachment is
// base64 in lines of 60 characters. A copy for the sender travels in the
// envelope only: the message names no blind-copy address.
QByteArray ComporMensagem(const EntradaMime &e);

// "Ref.: Proposta nº 0012/05 - 03/03/2005 (Galpão 2)".
QString AssuntoProposta(const TOrcamento &o);

// Pieces of the message, for the tests and the SMTP dialogue.
// "= Multipart Boundary " + mmddyyhhnn of the moment.
QByteArray FronteiraMime(const QDateTime &momento);
// "Thu, 3 Mar 2005 14:05:09 -0300": English names whatever the locale;
// "+0000" for UTC, "-0000" when the offset is unknown.
QByteArray DataRfc5322(const QDateTime &momento, std::optional<int> deslocamentoUtc);
// A new Message-ID: "<" + the moment in UTC (yyyyMMddHHmmss) + "." + 16
// random hexadecimal digits + "@" + the sender's domain (or
// "quellora.invalid" when it has none usable) + ">".
QByteArray NovoIdMensagem(const QDateTime &momento, const QString &emailRemetente);
// A header text: as it is when ASCII, else encoded words of at most 75
// characters, folded onto continuation lines. 'inicio' is the length of the
// header name and ": " before it.
QByteArray CodificaCabecalho(const QString &texto, int inicio);
// An address header's text ("Nome <a@b>", "a@b"): a display name outside
// ASCII is encoded, one with special characters quoted; the address stays.
QByteArray CodificaEndereco(const QString &texto, int inicio);
// Quoted-printable of one line of text (its own hard line breaks excluded);
// soft breaks keep every line at 76 characters at most.
QByteArray QuotedPrintable(const QByteArray &linha);
// Standard base64 in lines of 60 characters (45 bytes), each ending in CR LF;
// an empty input gives one empty line.
QByteArray Base64EmLinhas(const QByteArray &dados);

} // namespace quellora
