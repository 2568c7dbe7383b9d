// Sending a proposal with quellora-cli to a real SMTP server on the loopback
// (Debian's aiosmtpd); the server's copy is read as a mail program reads it.
// The servers of today's providers too: STARTTLS with a login, TLS from the
// start with a certificate of its own, and a plain one that offers the login.

#include "catalogue/arquivos.h"
#include "app_gui.h"
#include "cli_execucao.h"
#include "mail/conexaoemail.h"
#include "mail/servidor_smtp.h"
#include "quotation/arquivo_orc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quellora;
using namespace quellora::teste;

namespace {

// A data folder with the catalogue, and a quotation of 3 March 2005 for the
// project saved in it.
TArquivoOrc PreparaDados(const QString &d, const QString &arqOrc, const QString &projeto = "Galpão 2",
                         const QString &email = "compras@cliente.com.br") {
    const QDir catalogo(QStringLiteral(QUELLORA_DADOS_DIR));
    for (const QString &a : catalogo.entryList(QDir::Files))
        EXPECT_TRUE(QFile::copy(catalogo.filePath(a), QDir(d).filePath(a)));
    TArquivoOrc orc;
    orc.Orcamento.NumOrc = "0012/05";
    orc.Orcamento.Data = DateTimeParaData(QDateTime(QDate(2005, 3, 3), QTime()));
    orc.Orcamento.Projeto = projeto;
    orc.Orcamento.email = email;
    EXPECT_TRUE(GravaArquivoOrc(arqOrc, orc, nullptr));
    return orc;
}

QByteArray Conteudo(const QString &arquivo) {
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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
    const QString arqOrc = dir.filePath("0012_05.orc"), texto = dir.filePath("texto.txt");
    const TArquivoOrc orc = PreparaDados(
        d, arqOrc, "Galpão 2 – ventilação da cobertura, exaustão e ar de reposição nº 3", " compras@cliente.com.br ");
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
    EXPECT_TRUE(Cabecalho(m, "Message-ID").endsWith("@dravolin.com.br>")) << Cabecalho(m, "Message-ID").toStdString();

    // A copy the server refuses: the client gets the proposal all the same,
    // and the refusal is said with the server's reply.
    const Execucao semCopia =
        ExecutaCli(base + QStringList{"--enviar", "compras@cliente.com.br", "--copia", "recusado@dravolin.com.br"});
    EXPECT_EQ(semCopia.status, 0);
    EXPECT_TRUE(semCopia.erro.contains("Aviso: O servidor recusou a cópia para <recusado@dravolin.com.br>; a mensagem "
                                       "segue sem ela.\nResposta do servidor: 550 5.1.1 Destinatario recusado"))
        << semCopia.erro.toStdString();
    ASSERT_EQ(servidor.Quantas(), 2) << semCopia.saida.toStdString();
    EXPECT_EQ(servidor.Mensagem(2)["para"], nlohmann::json({"compras@cliente.com.br"}));
}

TEST(Envio, ComTlsELoginComoOsProvedoresPedem) {
    GaranteAppGui(); // the TLS backend is a plugin of the application
    CertificadoTeste certificado;
    ASSERT_TRUE(certificado.Pronto()) << "openssl";
    QByteArray digital;
    ASSERT_TRUE(ImpressaoDigitalDeArquivo(certificado.Certificado(), &digital, nullptr));
    const QString impressao = TextoImpressaoDigital(digital);
    // No desktop session: the password goes to the file beside the settings.
    QTemporaryDir semSessao;
    const QStringList ambiente = {"DBUS_SESSION_BUS_ADDRESS=unix:path=" + semSessao.filePath("nenhum"),
                                  "XDG_RUNTIME_DIR=" + semSessao.path()};
    const QString senha = "s3nh@ Secreta";
    const QStringList tls = {"--certificado", certificado.Certificado(), "--chave", certificado.Chave(),
                             "--usuario", "ana", "--senha", senha};
    const struct {
        const char *nome;
        QStringList servidor;    // servidor_smtp.py's options
        QStringList configura;   // beside --email and --smtp
        QByteArray senhaDigitada; // on standard input
        int status;
        const char *saida;       // part of what is said (stderr when not sent)
        bool cifrada;            // the message came encrypted
        const char *autenticacoes;
    } casos[] = {
        {"STARTTLS, login exigido, senha certa", QStringList{"--modo", "starttls"} + tls,
         {"--porta", "{porta}", "--seguranca", "starttls", "--usuario", "ana", "--senha-da-entrada", "--certificado",
          certificado.Certificado()},
         senha.toUtf8() + "\n", 0, "E-mail: 250 2.0.0 Mensagem 1 aceita", true, "PLAIN ana ok"},
        {"STARTTLS, senha errada", QStringList{"--modo", "starttls"} + tls,
         {"--porta", "{porta}", "--seguranca", "starttls", "--usuario", "ana", "--senha-da-entrada", "--certificado",
          certificado.Certificado()},
         "errada\r\n", 1, "recusou o usuário \"ana\" ou a senha.\nResposta do servidor: 535 5.7.8", false,
         "PLAIN ana recusado"},
        {"SSL/TLS, certificado proprio nao confiavel", QStringList{"--modo", "ssl"} + tls,
         {"--porta", "{porta}", "--seguranca", "ssl", "--usuario", "ana", "--senha-da-entrada"}, senha.toUtf8(), 1,
         "O certificado do servidor 127.0.0.1 foi recusado", false, ""},
        {"SSL/TLS, o mesmo certificado confiado", QStringList{"--modo", "ssl"} + tls,
         {"--porta", "{porta}", "--seguranca", "ssl", "--usuario", "ana", "--senha-da-entrada", "--certificado",
          certificado.Certificado()},
         senha.toUtf8(), 0, "E-mail: 250 2.0.0 Mensagem 1 aceita", true, "PLAIN ana ok"},
        {"sem criptografia, login oferecido: a senha nao vai", {"--usuario", "ana", "--senha", senha},
         {"--porta", "{porta}", "--usuario", "ana", "--senha-da-entrada"}, senha.toUtf8(), 1,
         "A senha não foi enviada: a conexão com o servidor 127.0.0.1 não é criptografada", false, ""},
        {"sem arquivo de conexao: como sempre", {}, {}, {}, 0, "E-mail: 250 2.0.0 Mensagem 1 aceita", false, ""},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir dir;
        const QString d = dir.path(), arqOrc = dir.filePath("0012_05.orc");
        PreparaDados(d, arqOrc);
        ServidorSmtpLocal servidor(c.servidor);
        ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
        const QString porta = servidor.Endereco().section(':', 1);
        QStringList configura = {"email", "configura", "--dados", d, "--email", "vendas@dravolin.com.br", "--smtp",
                                 c.configura.isEmpty() ? servidor.Endereco() : QStringLiteral("127.0.0.1")};
        for (const QString &o : c.configura)
            configura << (o == "{porta}" ? porta : o);
        const Execucao cfg = ExecutaCli(configura, ambiente, c.senhaDigitada);
        ASSERT_EQ(cfg.status, 0) << cfg.erro.toStdString();
        EXPECT_EQ(cfg.saida.contains("senhasemail.json, que só o seu usuário pode ler"), !c.senhaDigitada.isEmpty());
        EXPECT_EQ(QFileInfo::exists(dir.filePath("conexaoemail.json")), !c.configura.isEmpty());

        const Execucao envio = ExecutaCli({"proposta", arqOrc, "--dados", d, "--enviar", "compras@cliente.com.br"},
                                          ambiente);
        EXPECT_EQ(envio.status, c.status);
        EXPECT_TRUE((c.status == 0 ? envio.saida : envio.erro).contains(QString::fromUtf8(c.saida)))
            << envio.saida.toStdString() << envio.erro.toStdString();
        EXPECT_EQ(servidor.Quantas(), c.status == 0 ? 1 : 0);
        if (c.status == 0) {
            EXPECT_EQ(servidor.Mensagem(1)["cifrada"], c.cifrada);
            EXPECT_EQ(servidor.Mensagem(1)["usuario"], c.autenticacoes[0] ? nlohmann::json("ana") : nullptr);
        }
        EXPECT_EQ(servidor.Autenticacoes().join('|').toStdString(), c.autenticacoes);
        if (QString(c.nome).contains("nao confiavel")) { // the fingerprint to check with the server's keeper
            EXPECT_TRUE(envio.erro.contains("Impressão digital (SHA-256): " + impressao)) << envio.erro.toStdString();
        }

        // The password is in neither settings file; the file that keeps it
        // is the user's alone.
        for (const char *arq : {"dadmai.dat", "conexaoemail.json"}) {
            SCOPED_TRACE(arq);
            const QByteArray b = Conteudo(dir.filePath(arq));
            EXPECT_FALSE(b.contains(senha.toUtf8()) || b.contains("errada"));
            EXPECT_FALSE(b.contains(QByteArray('\0' + QByteArray("ana") + '\0' + senha.toUtf8()).toBase64()));
        }
        const QFileInfo cofre(dir.filePath("senhasemail.json"));
        EXPECT_EQ(cofre.exists(), !c.senhaDigitada.isEmpty());
        if (cofre.exists()) {
            EXPECT_EQ(cofre.permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                               QFileDevice::WriteUser);
            EXPECT_TRUE(Conteudo(cofre.filePath()).contains(c.senhaDigitada.trimmed()));
        }
    }
}

// On a desktop: the keyring of a session of its own (D-Bus and GNOME's
// keyring, unlocked for the test; both end with the session) keeps the
// password, nothing in the data folder does, and the sending finds it there.
TEST(Envio, SenhaNoChaveiroDaAreaDeTrabalho) {
    if (QStandardPaths::findExecutable("dbus-run-session").isEmpty() ||
        QStandardPaths::findExecutable("gnome-keyring-daemon").isEmpty())
        GTEST_SKIP() << "dbus-run-session or gnome-keyring-daemon missing";
    GaranteAppGui();
    CertificadoTeste certificado;
    ASSERT_TRUE(certificado.Pronto());
    ServidorSmtpLocal servidor({"--modo", "starttls", "--certificado", certificado.Certificado(), "--chave",
                                certificado.Chave(), "--usuario", "ana", "--senha", "do chaveiro"});
    ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
    QTemporaryDir dir;
    const QString d = dir.filePath("dados"), arqOrc = dir.filePath("0012_05.orc");
    ASSERT_TRUE(QDir().mkpath(d));
    PreparaDados(d, arqOrc);
    const QString script = dir.filePath("sessao.sh");
    ASSERT_TRUE(GravaArquivoAtomico(script, R"sh(set -e
export HOME="$1/casa" XDG_DATA_HOME="$1/casa/dados" XDG_RUNTIME_DIR="$1"
mkdir -p "$HOME"
eval "$(printf chave | gnome-keyring-daemon --unlock --components=secrets)"
printf 'do chaveiro\n' | "$2" email configura --dados "$3" --email vendas@dravolin.com.br --smtp 127.0.0.1 \
    --porta "$4" --seguranca starttls --usuario ana --senha-da-entrada --certificado "$5"
"$2" proposta "$6" --dados "$3" --enviar compras@cliente.com.br
)sh", nullptr));
    const Execucao r = Executa("dbus-run-session", {"--", "sh", script, dir.path(), QUELLORA_CLI, d,
                                                    servidor.Endereco().section(':', 1), certificado.Certificado(),
                                                    arqOrc});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.saida.contains("A senha fica no chaveiro da área de trabalho.\n"
                                 "E-mail: 250 2.0.0 Mensagem 1 aceita"))
        << r.saida.toStdString();
    EXPECT_EQ(servidor.Autenticacoes(), QStringList{"PLAIN ana ok"});
    EXPECT_EQ(QDir(d).entryList({"senhas*"}, QDir::Files), QStringList());
    for (const QString &a : QDir(d).entryList(QDir::Files)) // nowhere in the data folder
        EXPECT_FALSE(Conteudo(QDir(d).filePath(a)).contains("do chaveiro")) << a.toStdString();
}
