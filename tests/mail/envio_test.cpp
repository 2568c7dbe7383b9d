// Sending a proposal with quellora-cli to a real SMTP server on the loopback
// (Debian's aiosmtpd); the server's copy is read as a mail program reads it.

#include "catalogue/arquivos.h"
#include "cli_execucao.h"
#include "mail/servidor_smtp.h"
#include "quotation/arquivo_orc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quellora;
using namespace quellora::teste;

namespace {

QString Cabecalho(const nlohmann::json &m, const char *nome) {
    for (const auto &h : m["cabecalhos"])
        if (QString::fromStdString(h[0].get<std::string>()).compare(nome, Qt::CaseInsensitive) == 0)
            return QString::fromStdString(h[1].get<std::string>());
    return {};
}

} // namespace

TEST(Envio, PropostaChegaIntactaOuARecusaEDita) {
    QTemporaryDir dir;
    ServidorSmtpLocal servidor;
    ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
    const QString d = dir.path();
    const QDir catalogo(QStringLiteral(QUELLORA_DADOS_DIR));
    for (const QString &a : catalogo.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(catalogo.filePath(a), QDir(d).filePath(a)));
    TArquivoOrc orc;
    orc.Orcamento.NumOrc = "0012/05";
    orc.Orcamento.Data = DateTimeParaData(QDateTime(QDate(2005, 3, 3), QTime()));
    orc.Orcamento.Projeto = "Galpão 2 – ventilação da cobertura, exaustão e ar de reposição nº 3";
    orc.Orcamento.email = " compras@cliente.com.br ";
    const QString arqOrc = dir.filePath("0012_05.orc"), texto = dir.filePath("texto.txt");
    ASSERT_TRUE(GravaArquivoOrc(arqOrc, orc, nullptr));
    ASSERT_TRUE(GravaArquivoAtomico(texto, "Olá, Conceição!\n.linha com ponto\n.\nAté logo\n", nullptr));
    // The proposal as the program writes it, for the attachment.
    const QString anexo = dir.filePath("proposta.xls");
    const QStringList base = {"proposta", arqOrc, "--dados", d};
    ASSERT_EQ(ExecutaCli(base + QStringList{"--html", anexo}).status, 0);
    QFile f(anexo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray html = f.readAll();

    ASSERT_EQ(ExecutaCli({"email", "configura", "--dados", d, "--nome", "José Conceição", "--email",
                          "vendas@dravolin.com.br", "--smtp", servidor.Endereco()})
                  .status,
              0);
    const Execucao ok = ExecutaCli(base + QStringList{"--enviar", "compras@cliente.com.br", "--copia",
                                                      "copia@dravolin.com.br", "--texto", texto});
    ASSERT_EQ(ok.status, 0) << ok.erro.toStdString();
    EXPECT_EQ(ok.saida, "E-mail: 250 2.0.0 Mensagem 1 aceita\n");

    // Refused: not sent, said so with the server's reply.
    const Execucao recusa = ExecutaCli(base + QStringList{"--enviar", "recusado@cliente.com.br"});
    EXPECT_EQ(recusa.status, 1);
    EXPECT_TRUE(recusa.erro.contains("O servidor recusou o destinatário <recusado@cliente.com.br>.\n"
                                     "Resposta do servidor: 550 5.1.1 Destinatario recusado"))
        << recusa.erro.toStdString();

    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    // Envelope: the client's address, the copy only here.
    EXPECT_EQ(m["helo"], "DravolinBrumLtda");
    EXPECT_EQ(m["de"], "vendas@dravolin.com.br");
    EXPECT_EQ(m["para"], nlohmann::json({"compras@cliente.com.br", "copia@dravolin.com.br"}));
    const QString bruta = QString::fromStdString(m["bruta"].get<std::string>());
    EXPECT_FALSE(bruta.contains("copia@"));
    EXPECT_TRUE(std::all_of(bruta.begin(), bruta.end(), [](QChar c) { return c.unicode() < 0x80; }))
        << "8-bit character in the message";

    // Headers, decoded by Python's email package.
    EXPECT_EQ(Cabecalho(m, "From"), "José Conceição <vendas@dravolin.com.br>");
    EXPECT_EQ(Cabecalho(m, "Sender"), Cabecalho(m, "From"));
    EXPECT_EQ(Cabecalho(m, "To"), "compras@cliente.com.br");
    EXPECT_EQ(Cabecalho(m, "Subject"), "Ref.: Proposta nº 0012/05 - 03/03/2005 (" + orc.Orcamento.Projeto + ')');
    EXPECT_FALSE(Cabecalho(m, "Date").isEmpty());
    EXPECT_EQ(m["defeitos"].size(), 0u) << m["defeitos"].dump();

    // The text, its dot lines included; the attachment, byte for byte.
    EXPECT_EQ(m["texto"], "Olá, Conceição!<BR>\r\n.linha com ponto<BR>\r\n.<BR>\r\nAté logo<BR>\r\n");
    ASSERT_EQ(m["anexos"].size(), 1u);
    EXPECT_EQ(m["anexos"][0]["nome"], "proposta.xls");
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
}
