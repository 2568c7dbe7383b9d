// Sending a proposal to a real SMTP server on the loopback (Debian's
// aiosmtpd), through the call the command line uses and through
// quellora-cli itself; the server's copy is read as a mail program reads it.

#include "app_gui.h"
#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "mail/envio.h"
#include "mail/servidor_smtp.h"
#include "quotation/arquivo_orc.h"

#include <QProcess>
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

TOrcamento Orcamento() {
    TOrcamento o;
    o.NumOrc = QStringLiteral("0012/05");
    o.Data = DateTimeParaData(QDateTime(QDate(2005, 3, 3), QTime()));
    o.Projeto = QStringLiteral("Galpão 2 – ventilação da cobertura, exaustão e ar de reposição nº 3");
    o.email = QStringLiteral(" compras@cliente.com.br ");
    return o;
}

class Envio : public ::testing::Test {
protected:
    void SetUp() override {
        teste::GaranteAppGui();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
        TDadosEmail d;
        DefineDadosEmail(d, QStringLiteral("José Conceição"), QStringLiteral("vendas@dravolin.com.br"),
                         servidor.Endereco());
        ASSERT_TRUE(GravaDadosEmail(dir.path(), d));
    }
    QTemporaryDir dir;
    ServidorSmtpLocal servidor;
    // A proposal document as the program writes it: Windows-1252 HTML, and
    // a line that starts with a dot.
    const QByteArray html = ParaWin1252(QStringLiteral("<html><body>\r\n.Ventilação ç ã €\r\n") +
                                        QString(3000, QLatin1Char('x')) + QStringLiteral("\r\n</body></html>\r\n"));
};

} // namespace

TEST_F(Envio, OServidorRecebeAPropostaIntacta) {
    const ResultadoEnvio r = EnviaPropostaPorEmail(dir.path(), Orcamento(), QString(), QStringLiteral("copia@dravolin.com.br"),
                                                   QStringLiteral("Olá, Conceição!\n.linha com ponto\n.\nAté logo"), html);
    ASSERT_EQ(r.Status, 0) << r.Erro.toStdString();
    EXPECT_TRUE(r.Resposta.startsWith(QStringLiteral("250 2.0.0 Mensagem 1 aceita"))) << r.Resposta.toStdString();
    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    ASSERT_FALSE(m.is_null());

    // Envelope: the client's address, the copy only here.
    EXPECT_EQ(m["helo"], "DravolinBrumLtda");
    EXPECT_EQ(m["de"], "vendas@dravolin.com.br");
    EXPECT_EQ(m["para"], nlohmann::json({"compras@cliente.com.br", "copia@dravolin.com.br"}));
    const QString bruta = QString::fromStdString(m["bruta"].get<std::string>());
    EXPECT_FALSE(bruta.contains(QStringLiteral("copia@")));
    EXPECT_EQ(Cabecalho(m, "Bcc"), QString());
    for (QChar c : bruta)
        ASSERT_LT(c.unicode(), 0x80) << "8-bit character in the message";

    // Headers, decoded by Python's email package.
    EXPECT_EQ(Cabecalho(m, "From"), QStringLiteral("José Conceição <vendas@dravolin.com.br>"));
    EXPECT_EQ(Cabecalho(m, "Sender"), Cabecalho(m, "From"));
    EXPECT_EQ(Cabecalho(m, "To"), QStringLiteral("compras@cliente.com.br"));
    EXPECT_EQ(Cabecalho(m, "Subject"), QStringLiteral("Ref.: Proposta nº 0012/05 - 03/03/2005 (") +
                                           Orcamento().Projeto + QLatin1Char(')'));
    EXPECT_FALSE(Cabecalho(m, "Date").isEmpty());
    EXPECT_EQ(m["defeitos"].size(), 0u) << m["defeitos"].dump();

    // The text, dot lines included; the attachment, byte for byte.
    EXPECT_EQ(QString::fromStdString(m["texto"].get<std::string>()),
              QStringLiteral("Olá, Conceição!<BR>\r\n.linha com ponto<BR>\r\n.<BR>\r\nAté logo<BR>\r\n"));
    ASSERT_EQ(m["anexos"].size(), 1u);
    EXPECT_EQ(m["anexos"][0]["nome"], "proposta.xls");
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
}

TEST_F(Envio, PelaLinhaDeComando) {
    TArquivoOrc orc;
    orc.Orcamento = Orcamento();
    QString erro;
    const QString arqOrc = dir.filePath(QStringLiteral("0012_05.orc"));
    ASSERT_TRUE(GravaArquivoOrc(arqOrc, orc, &erro));
    const QString anexo = dir.filePath(QStringLiteral("proposta.xls"));
    ASSERT_TRUE(GravaArquivoAtomico(anexo, html, &erro));
    struct Caso {
        const char *nome;
        QStringList args;
        int status;
        const char *saida; // part of standard output (sent) or error (not sent)
    } casos[] = {
        {"enviada", {QStringLiteral("--para"), QStringLiteral("outro@cliente.com.br")}, 0, "250 2.0.0 Mensagem 1 aceita"},
        {"recusada", {QStringLiteral("--para"), QStringLiteral("recusado@cliente.com.br")}, 1,
         "550 5.1.1 Destinatario recusado"},
        {"sem anexo", {QStringLiteral("--anexo"), dir.filePath(QStringLiteral("nada.xls"))}, 1, "nada.xls"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        QStringList args = {QStringLiteral("email"), QStringLiteral("enviar"), QStringLiteral("--dados"), dir.path(),
                            QStringLiteral("--orc"), arqOrc};
        args << c.args;
        if (!c.args.contains(QStringLiteral("--anexo")))
            args << QStringLiteral("--anexo") << anexo;
        QProcess p;
        p.start(QStringLiteral(QUELLORA_CLI), args);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), c.status);
        const QString saida = QString::fromUtf8(c.status == 0 ? p.readAllStandardOutput() : p.readAllStandardError());
        EXPECT_TRUE(saida.contains(QString::fromUtf8(c.saida))) << saida.toStdString();
    }
    ASSERT_EQ(servidor.Quantas(), 1);
    EXPECT_EQ(servidor.Mensagem(1)["para"], nlohmann::json({"outro@cliente.com.br"}));
}
