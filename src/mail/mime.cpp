#include "mail/mime.h"

#include "catalogue/binario.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <cstdlib>

namespace quellora {

namespace {

const char *const CRLF = "\r\n";
constexpr int LinhaMaxima = 76;

// Control characters (a line break pasted into a box) never reach a header.
QString SemControles(QString t) {
    for (QChar &c : t)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    return t;
}

bool SoAscii(const QString &t) {
    for (QChar c : t)
        if (c.unicode() > 0x7E)
            return false;
    return true;
}

char Hex(int v) { return "0123456789ABCDEF"[v & 15]; }

QByteArray Escapa(unsigned char c) {
    const char e[3] = {'=', Hex(c >> 4), Hex(c)};
    return QByteArray(e, 3);
}

// Q encoding (RFC 2047, section 5): the characters left as they are are
// those allowed in a display name, so the same words serve every header.
QByteArray CaractereQ(unsigned char c) {
    if (c == ' ')
        return "_";
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '!' || c == '*' ||
        c == '+' || c == '-' || c == '/')
        return QByteArray(1, static_cast<char>(c));
    return Escapa(c);
}

const QByteArray InicioPalavra = "=?UTF-8?Q?";
const QByteArray FimPalavra = "?=";

} // namespace

QByteArray CodificaCabecalho(const QString &texto, int inicio) {
    const QString t = SemControles(texto);
    if (SoAscii(t))
        return t.toLatin1();
    const int moldura = static_cast<int>(InicioPalavra.size() + FimPalavra.size());
    QByteArray r;
    QByteArray palavra;
    int espaco = LinhaMaxima - inicio - moldura; // room on the current line
    auto fecha = [&] {
        if (!r.isEmpty())
            r += "\r\n ";
        r += InicioPalavra + palavra + FimPalavra;
        palavra.clear();
        espaco = LinhaMaxima - 1 - moldura;
    };
    // A character's UTF-8 bytes stay in one word.
    for (qsizetype i = 0; i < t.size(); ++i) {
        const qsizetype n = t.at(i).isHighSurrogate() && i + 1 < t.size() ? 2 : 1;
        QByteArray q;
        for (char c : t.mid(i, n).toUtf8())
            q += CaractereQ(static_cast<unsigned char>(c));
        i += n - 1;
        if (!palavra.isEmpty() && palavra.size() + q.size() > espaco)
            fecha();
        palavra += q;
    }
    fecha();
    return r;
}

QByteArray CodificaEndereco(const QString &texto, int inicio) {
    const QString t = SemControles(texto).trimmed();
    const qsizetype abre = t.indexOf(QLatin1Char('<'));
    const qsizetype fecha = abre < 0 ? -1 : t.indexOf(QLatin1Char('>'), abre);
    if (fecha < 0)
        return t.toUtf8();
    const QString nome = t.left(abre).trimmed();
    const QByteArray endereco = t.mid(abre, fecha - abre + 1).toUtf8();
    if (nome.isEmpty())
        return endereco;
    QByteArray n;
    if (!SoAscii(nome)) {
        n = CodificaCabecalho(nome, inicio);
    } else if (nome.contains(QRegularExpression(QStringLiteral("[()<>\\[\\]:;@\\\\,.\"]")))) {
        QString q = nome;
        q.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
        n = '"' + q.toLatin1() + '"';
    } else {
        n = nome.toLatin1();
    }
    return n + ' ' + endereco;
}

QByteArray QuotedPrintable(const QByteArray &linha) {
    QByteArray r;
    QByteArray atual;
    for (qsizetype i = 0; i < linha.size(); ++i) {
        const auto c = static_cast<unsigned char>(linha[i]);
        const bool ultimo = i + 1 == linha.size();
        QByteArray q;
        if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !ultimo))
            q = QByteArray(1, static_cast<char>(c));
        else
            q = Escapa(c);
        // A soft break ("=" at the end) keeps the line at 76 characters.
        if (atual.size() + q.size() > LinhaMaxima - 1 && !(ultimo && atual.size() + q.size() <= LinhaMaxima)) {
            r += atual + "=\r\n";
            atual.clear();
        }
        atual += q;
    }
    return r + atual;
}

QByteArray Base64EmLinhas(const QByteArray &dados) {
    if (dados.isEmpty())
        return CRLF;
    QByteArray r;
    for (qsizetype i = 0; i < dados.size(); i += 45)
        r += dados.mid(i, 45).toBase64() + CRLF;
    return r;
}

QByteArray FronteiraMime(const QDateTime &momento) {
    return "= Multipart Boundary " + momento.toString(QStringLiteral("MMddyyHHmm")).toLatin1();
}

QByteArray DataRfc5322(const QDateTime &momento, std::optional<int> deslocamentoUtc) {
    static const char *const Dias[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char *const Meses[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate d = momento.date();
    const QTime h = momento.time();
    QByteArray fuso = deslocamentoUtc ? "+0000" : "-0000";
    if (deslocamentoUtc && *deslocamentoUtc != 0) {
        const int minutos = std::abs(*deslocamentoUtc) / 60;
        fuso = QByteArray(*deslocamentoUtc > 0 ? "+" : "-") +
               QByteArray::number(minutos / 60).rightJustified(2, '0') +
               QByteArray::number(minutos % 60).rightJustified(2, '0');
    }
    return QByteArray(Dias[d.dayOfWeek() - 1]) + ", " + QByteArray::number(d.day()) + ' ' + Meses[d.month() - 1] +
           ' ' + QByteArray::number(d.year()) + ' ' + h.toString(QStringLiteral("HH:mm:ss")).toLatin1() + ' ' +
           fuso;
}

QByteArray NovoIdMensagem(const QDateTime &momento, const QString &emailRemetente) {
    QString dominio = emailRemetente.trimmed().section(QLatin1Char('@'), -1).remove(QLatin1Char('>'));
    static const QRegularExpression atomo(QStringLiteral("^[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)*$"));
    if (!emailRemetente.contains(QLatin1Char('@')) || !atomo.match(dominio).hasMatch())
        dominio = QStringLiteral("quellora.invalid");
    const quint64 acaso = QRandomGenerator::global()->generate64();
    return '<' + momento.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + '.' +
           QByteArray::number(acaso, 16).rightJustified(16, '0') + '@' + dominio.toLatin1() + '>';
}

QByteArray ComporMensagem(const EntradaMime &e) {
    const QByteArray fronteira = FronteiraMime(e.Momento);
    const QString nome = e.NomeRemetente.trimmed();
    const QString email = e.EmailRemetente.trimmed();
    const QString de = nome.isEmpty() ? QLatin1Char('<') + email + QLatin1Char('>')
                                      : nome + QStringLiteral(" <") + email + QLatin1Char('>');
    QByteArray m;
    m += "From: " + CodificaEndereco(de, 6) + CRLF;
    m += "To: " + CodificaEndereco(e.Para, 4) + CRLF;
    m += "Subject: " + CodificaCabecalho(e.Assunto, 9) + CRLF;
    m += "Sender: " + CodificaEndereco(de, 8) + CRLF;
    m += "Mime-Version: 1.0\r\n";
    m += "Content-Type: multipart/mixed;\r\n\tboundary=\"" + fronteira + "\"\r\n";
    m += "Date: " + DataRfc5322(e.Momento, e.DeslocamentoUtc) + CRLF;
    if (!e.IdMensagem.isEmpty())
        m += "Message-ID: " + e.IdMensagem + CRLF;
    m += CRLF;

    m += "This is a multipart MIME message.\r\n\r\n";
    m += "--" + fronteira + CRLF;
    m += "Content-Type: text/html; charset=\"utf-8\"\r\n";
    m += "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
    for (const QString &linha : e.Texto)
        m += QuotedPrintable((linha + QStringLiteral("<BR>")).toUtf8()) + CRLF;
    for (const AnexoMime &a : e.Anexos) {
        const QByteArray nome = SemControles(a.Nome).remove(QLatin1Char('"')).toLatin1();
        m += CRLF;
        m += "--" + fronteira + CRLF;
        m += "Content-Type: " + a.Tipo + ";\r\n";
        m += "\tname=\"" + nome + "\"\r\n";
        m += "Content-Transfer-Encoding: base64\r\n";
        m += "Content-Disposition: attachment;\r\n";
        m += "\tfilename=\"" + nome + "\"\r\n\r\n";
        m += Base64EmLinhas(a.Dados);
    }
    m += CRLF;
    m += "--" + fronteira + "--\r\n";
    return m;
}

QString AssuntoProposta(const TOrcamento &o) {
    return QStringLiteral("Ref.: Proposta nº ") + o.NumOrc + QStringLiteral(" - ") +
           DataParaDateTime(o.Data).toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" (") + o.Projeto +
           QLatin1Char(')');
}

} // namespace quellora
