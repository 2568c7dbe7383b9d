// The proposal's e-mail message, byte for byte, and its pieces.

#include "catalogue/binario.h"
#include "mail/mime.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace quellora;

namespace {

QDateTime Momento(int a, int m, int d, int h, int min, int s) { return QDateTime(QDate(a, m, d), QTime(h, min, s)); }

} // namespace

TEST(Mime, MensagemDaPropostaByteAByte) {
    EntradaMime e;
    e.NomeRemetente = " João Brum ";
    e.EmailRemetente = "joao@dravolin.com.br";
    e.Para = "cliente@exemplo.com.br";
    e.Assunto = "Ref.: Proposta nº 0012/05 - 03/03/2005 (Galpão 2)";
    e.Texto = {"Olá,", ".segue a proposta", QString()};
    e.Anexos = {{.Dados = ParaWin1252("<html>Ventilação</html>")}, {"folha.pdf", "application/pdf", "%PDF"}};
    e.Momento = Momento(2005, 3, 3, 14, 5, 9);
    e.DeslocamentoUtc = -3 * 3600;
    e.IdMensagem = "<20050303170509.00000000000000ab@dravolin.com.br>";

    const QByteArray esperada =
        "From: =?UTF-8?Q?Jo=C3=A3o_Brum?= <joao@dravolin.com.br>\r\n"
        "To: cliente@exemplo.com.br\r\n"
        "Subject: =?UTF-8?Q?Ref=2E=3A_Proposta_n=C2=BA_0012/05_-_03/03/2005_=28Galp?=\r\n"
        " =?UTF-8?Q?=C3=A3o_2=29?=\r\n"
        "Sender: =?UTF-8?Q?Jo=C3=A3o_Brum?= <joao@dravolin.com.br>\r\n"
        "Mime-Version: 1.0\r\n"
        "Content-Type: multipart/mixed;\r\n"
        "\tboundary=\"= Multipart Boundary 0303051405\"\r\n"
        "Date: Thu, 3 Mar 2005 14:05:09 -0300\r\n"
        "Message-ID: <20050303170509.00000000000000ab@dravolin.com.br>\r\n"
        "\r\n"
        "This is a multipart MIME message.\r\n"
        "\r\n"
        "--= Multipart Boundary 0303051405\r\n"
        "Content-Type: text/html; charset=\"utf-8\"\r\n"
        "Content-Transfer-Encoding: quoted-printable\r\n"
        "\r\n"
        "Ol=C3=A1,<BR>\r\n"
        ".segue a proposta<BR>\r\n"
        "<BR>\r\n"
        "\r\n"
        "--= Multipart Boundary 0303051405\r\n"
        "Content-Type: application/octet-stream;\r\n"
        "\tname=\"proposta.xls\"\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment;\r\n"
        "\tfilename=\"proposta.xls\"\r\n"
        "\r\n"
        "PGh0bWw+VmVudGlsYefjbzwvaHRtbD4=\r\n"
        "\r\n"
        "--= Multipart Boundary 0303051405\r\n"
        "Content-Type: application/pdf;\r\n"
        "\tname=\"folha.pdf\"\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment;\r\n"
        "\tfilename=\"folha.pdf\"\r\n"
        "\r\n"
        "JVBERg==\r\n"
        "\r\n"
        "--= Multipart Boundary 0303051405--\r\n";
    EXPECT_EQ(ComporMensagem(e), esperada);
}

TEST(Mime, PecasDaMensagem) {
    const QByteArray x76(76, 'x');
    const struct {
        const char *nome;
        QByteArray obtido, esperado;
    } casos[] = {
        // Date: English names, the local offset; UTC +0000, unknown -0000.
        {"data a oeste", DataRfc5322(Momento(2005, 3, 3, 14, 5, 9), -10800), "Thu, 3 Mar 2005 14:05:09 -0300"},
        {"data a leste", DataRfc5322(Momento(2005, 12, 25, 8, 0, 0), 19800), "Sun, 25 Dec 2005 08:00:00 +0530"},
        {"data em UTC", DataRfc5322(Momento(2024, 1, 1, 0, 0, 0), 0), "Mon, 1 Jan 2024 00:00:00 +0000"},
        {"fuso desconhecido", DataRfc5322(Momento(2024, 1, 1, 23, 59, 59), std::nullopt),
         "Mon, 1 Jan 2024 23:59:59 -0000"},
        {"fronteira", FronteiraMime(Momento(2003, 11, 7, 9, 30, 0)), "= Multipart Boundary 1107030930"},
        // Base64: 45 bytes a line; the rest on the last; nothing: one empty line.
        {"base64 de 90 bytes", Base64EmLinhas(QByteArray(90, 'a')),
         QByteArray(QByteArray(45, 'a').toBase64() + "\r\n").repeated(2)},
        {"base64 de 46 bytes", Base64EmLinhas(QByteArray(46, 'a')), QByteArray(45, 'a').toBase64() + "\r\nYQ==\r\n"},
        {"base64 vazio", Base64EmLinhas({}), "\r\n"},
        // Quoted-printable: "=" and trailing blanks escaped, 76 characters a line.
        {"qp simples", QuotedPrintable("a = b <BR>"), "a =3D b <BR>"},
        {"qp branco no fim", QuotedPrintable("fim \t"), "fim =09"},
        {"qp 76 cabem", QuotedPrintable(x76), x76},
        {"qp 77 quebram", QuotedPrintable(x76 + 'y'), QByteArray(75, 'x') + "=\r\nxy"},
        {"qp escape inteiro", QuotedPrintable(QByteArray(74, 'x') + "\xc3\xa9"), QByteArray(74, 'x') + "=\r\n=C3=A9"},
        // Headers: ASCII as it is; other text in encoded words; names with
        // special characters quoted; line breaks never reach a header.
        {"cabecalho ascii", CodificaCabecalho("Proposta 12", 9), "Proposta 12"},
        {"cabecalho acentuado", CodificaCabecalho("Galpão", 9), "=?UTF-8?Q?Galp=C3=A3o?="},
        {"endereco simples", CodificaEndereco(" a@b.com ", 4), "a@b.com"},
        {"endereco so colchetes", CodificaEndereco("<a@b.com>", 4), "<a@b.com>"},
        {"endereco com nome", CodificaEndereco("Ana Lima <a@b.com>", 4), "Ana Lima <a@b.com>"},
        {"nome acentuado", CodificaEndereco("Conceição <a@b.com>", 4), "=?UTF-8?Q?Concei=C3=A7=C3=A3o?= <a@b.com>"},
        {"nome com virgula", CodificaEndereco("Brum, \"Ltda\" <a@b.com>", 4), "\"Brum, \\\"Ltda\\\"\" <a@b.com>"},
        {"quebra de linha no nome", CodificaEndereco("x\r\nBcc: y@z <a@b.com>", 4), "\"x  Bcc: y@z\" <a@b.com>"},
        {"quebra de linha no assunto", CodificaCabecalho("a\r\nBcc: y@z", 9), "a  Bcc: y@z"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(c.obtido, c.esperado);
    }
    // Message-ID: the moment in UTC, 16 random digits, the sender's domain
    // (a made-up one when it has none); never twice the same.
    const QDateTime agora(QDate(2005, 3, 3), QTime(14, 5, 9), QTimeZone(-3 * 3600));
    for (const auto &[remetente, dominio] : {std::pair{"Ana <ana@dravolin.com.br>", "dravolin.com.br"},
                                             {"ana", "quellora.invalid"}, {"ana@[1.2.3.4]", "quellora.invalid"}}) {
        SCOPED_TRACE(remetente);
        const QByteArray id = NovoIdMensagem(agora, remetente);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^<20050303170509\\.[0-9a-f]{16}@%1>$").arg(QRegularExpression::escape(dominio)))
                        .match(QString::fromLatin1(id))
                        .hasMatch())
            << id.toStdString();
        EXPECT_NE(id, NovoIdMensagem(agora, remetente));
    }
}
