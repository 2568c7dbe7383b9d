// Sending a proposal with quellora-cli to a real SMTP server on the loopback
// (Debian's aiosmtpd); the server's copy is read as a mail program reads it.

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "mail/servidor_smtp.h"
#include "quotation/arquivo_orc.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quellora;
using quellora::teste::ServidorSmtpLocal;

namespace {

QString Cabecalho(const nlohmann::json &m, const char *nome) {
    for (const auto &h : m["cabecalhos"])
        if (QString::fromStdString(h[0].get<std::string>()).compare(QLatin1String(nome), Qt::CaseInsensitive) == 0)
            return QString::fromStdString(h[1].get<std::string>());
    return {};
}

struct Execucao {
    int status = -1;
    QString saida, erro;
};

Execucao Roda(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(QUELLORA_CLI), QStringList{QStringLiteral("email")} + args);
    Execucao e;
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        e.status = p.exitCode();
    e.saida = QString::fromUtf8(p.readAllStandardOutput());
    e.erro = QString::fromUtf8(p.readAllStandardError());
    return e;
}

} // namespace

TEST(Envio, PropostaChegaIntactaOuARecusaEDita) {
    QTemporaryDir dir;
    ServidorSmtpLocal servidor;
    ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
    const QString d = dir.path();
    auto arquivo = [&](const char *nome, const QByteArray &dados) {
        const QString f = dir.filePath(QString::fromLatin1(nome));
        QString erro;
        EXPECT_TRUE(GravaArquivoAtomico(f, dados, &erro)) << erro.toStdString();
        return f;
    };
    TArquivoOrc orc;
    orc.Orcamento.NumOrc = QStringLiteral("0012/05");
    orc.Orcamento.Data = DateTimeParaData(QDateTime(QDate(2005, 3, 3), QTime()));
    orc.Orcamento.Projeto = QStringLiteral("Galpão 2 – ventilação da cobertura, exaustão e ar de reposição nº 3");
    orc.Orcamento.email = QStringLiteral(" compras@cliente.com.br ");
    const QString arqOrc = arquivo("0012_05.orc", ArquivoOrcParaBytes(orc));
    // The proposal as the program writes it: Windows-1252 HTML, a line that
    // starts with a dot, a long line.
    const QByteArray html = ParaWin1252(QStringLiteral("<html><body>\r\n.Ventilação ç ã €\r\n") +
                                        QString(3000, QLatin1Char('x')) + QStringLiteral("\r\n</body></html>\r\n"));
    const QString anexo = arquivo("proposta.xls", html);
    const QString texto = arquivo("texto.txt", "Olá, Conceição!\n.linha com ponto\n.\nAté logo\n");
    const QStringList base = {QStringLiteral("--dados"), d, QStringLiteral("--orc"), arqOrc,
                              QStringLiteral("--anexo"), anexo};

    ASSERT_EQ(Roda({QStringLiteral("configura"), QStringLiteral("--dados"), d, QStringLiteral("--nome"),
                    QStringLiteral("José Conceição"), QStringLiteral("--email"), QStringLiteral("vendas@dravolin.com.br"),
                    QStringLiteral("--smtp"), servidor.Endereco()})
                  .status,
              0);
    const Execucao ok = Roda(QStringList{QStringLiteral("enviar"), QStringLiteral("--copia"),
                                         QStringLiteral("copia@dravolin.com.br"), QStringLiteral("--texto"), texto} +
                             base);
    ASSERT_EQ(ok.status, 0) << ok.erro.toStdString();
    EXPECT_EQ(ok.saida, QStringLiteral("250 2.0.0 Mensagem 1 aceita\n"));

    // Refused: not sent, said so with the server's reply.
    const Execucao recusa = Roda(QStringList{QStringLiteral("enviar"), QStringLiteral("--para"),
                                             QStringLiteral("recusado@cliente.com.br")} + base);
    EXPECT_EQ(recusa.status, 1);
    EXPECT_TRUE(recusa.erro.contains(QStringLiteral("O servidor recusou o destinatário <recusado@cliente.com.br>.\n"
                                                    "Resposta do servidor: 550 5.1.1 Destinatario recusado")))
        << recusa.erro.toStdString();

    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    // Envelope: the client's address from the quotation, the copy only here.
    EXPECT_EQ(m["helo"], "DravolinBrumLtda");
    EXPECT_EQ(m["de"], "vendas@dravolin.com.br");
    EXPECT_EQ(m["para"], nlohmann::json({"compras@cliente.com.br", "copia@dravolin.com.br"}));
    const QString bruta = QString::fromStdString(m["bruta"].get<std::string>());
    EXPECT_FALSE(bruta.contains(QStringLiteral("copia@")));
    for (QChar c : bruta)
        ASSERT_LT(c.unicode(), 0x80) << "8-bit character in the message";

    // Headers, decoded by Python's email package.
    EXPECT_EQ(Cabecalho(m, "From"), QStringLiteral("José Conceição <vendas@dravolin.com.br>"));
    EXPECT_EQ(Cabecalho(m, "Sender"), Cabecalho(m, "From"));
    EXPECT_EQ(Cabecalho(m, "To"), QStringLiteral("compras@cliente.com.br"));
    EXPECT_EQ(Cabecalho(m, "Subject"),
              QStringLiteral("Ref.: Proposta nº 0012/05 - 03/03/2005 (") + orc.Orcamento.Projeto + QLatin1Char(')'));
    EXPECT_FALSE(Cabecalho(m, "Date").isEmpty());
    EXPECT_EQ(m["defeitos"].size(), 0u) << m["defeitos"].dump();

    // The text, its dot lines included; the attachment, byte for byte.
    EXPECT_EQ(QString::fromStdString(m["texto"].get<std::string>()),
              QStringLiteral("Olá, Conceição!<BR>\r\n.linha com ponto<BR>\r\n.<BR>\r\nAté logo<BR>\r\n"));
    ASSERT_EQ(m["anexos"].size(), 1u);
    EXPECT_EQ(m["anexos"][0]["nome"], "proposta.xls");
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
}
