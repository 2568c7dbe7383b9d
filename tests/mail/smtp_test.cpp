// The SMTP dialogue: the reply reader, the pieces of the commands, and whole
// sendings against a scripted server on the loopback.

#include "app_gui.h"
#include "mail/servidor_smtp.h"
#include "mail/smtp.h"

#include <QTcpServer>

#include <gtest/gtest.h>

using namespace quellora;
using quellora::teste::ServidorRoteiro;

TEST(Smtp, LeitorDeRespostas) {
    struct Caso {
        const char *nome;
        QList<QByteArray> pedacos;
        QString esperado; // "codigo:linhas|..." of the replies; "erro" when refused
    } casos[] = {
        {"uma linha", {"220 pronto\r\n"}, "220:220 pronto"},
        {"so o codigo", {"250\r\n"}, "250:250"},
        {"varias linhas", {"250-um\r\n250-dois\r\n250 tres\r\n"}, "250:250-um/250-dois/250 tres"},
        {"em pedacos", {"25", "0-um\r", "\n250 d", "ois\r\n354 va\r\n"}, "250:250-um/250 dois|354:354 va"},
        {"so LF", {"221 tchau\n"}, "221:221 tchau"},
        {"incompleta espera", {"250-um\r\n250 do"}, ""},
        {"vale a ultima linha", {"250-um\r\n550 nao\r\n"}, "550:250-um/550 nao"},
        {"sem codigo", {"OLA\r\n"}, "erro"},
        {"separador estranho", {"250+ok\r\n"}, "erro"},
        {"linha sem fim", {QByteArray(5000, 'x')}, "erro"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        LeitorRespostasSmtp leitor;
        QList<RespostaSmtp> r;
        QString erro;
        bool ok = true;
        for (const QByteArray &p : c.pedacos)
            ok = ok && leitor.Acrescenta(p, r, &erro);
        if (QString::fromLatin1("erro") == c.esperado) {
            EXPECT_FALSE(ok);
            EXPECT_FALSE(erro.isEmpty());
            continue;
        }
        EXPECT_TRUE(ok) << erro.toStdString();
        QStringList obtido;
        for (const RespostaSmtp &x : r)
            obtido << QString::number(x.Codigo) + QLatin1Char(':') + x.Linhas.join(QLatin1Char('/'));
        EXPECT_EQ(obtido.join(QLatin1Char('|')), c.esperado);
    }
}

TEST(Smtp, PecasDosComandos) {
    struct Caso {
        const char *nome;
        QByteArray obtido, esperado;
    } casos[] = {
        {"ponto no inicio ganha outro", DadosSmtp(".a\r\nb\r\n.\r\n"), "..a\r\nb\r\n..\r\n.\r\n"},
        {"termina a ultima linha", DadosSmtp("a"), "a\r\n.\r\n"},
        {"LF sozinho vira CRLF", DadosSmtp("a\nb\r.c"), "a\r\nb\r\n..c\r\n.\r\n"},
        {"mensagem vazia", DadosSmtp(""), ".\r\n"},
        {"endereco entre colchetes", EnderecoEnvelope(QStringLiteral(" a@b.com ")), "<a@b.com>"},
        {"endereco ja com colchetes", EnderecoEnvelope(QStringLiteral("<a@b.com>")), "<a@b.com>"},
        {"endereco com nome", EnderecoEnvelope(QStringLiteral("Ana <a@b.com>")), "<a@b.com>"},
        {"endereco vazio", EnderecoEnvelope(QString()), "<>"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(c.obtido, c.esperado);
    }
    struct Servidor {
        const char *texto;
        bool ok;
        const char *host;
        quint16 porta;
    } servidores[] = {
        {"smtp.exemplo.com", true, "smtp.exemplo.com", 25}, {" smtp.x.com:2525 ", true, "smtp.x.com", 2525},
        {"[::1]:587", true, "::1", 587},                   {"::1", true, "::1", 25},
        {"smtp.x.com:0", false, "", 0},                    {"smtp.x.com:porta", false, "", 0},
    };
    for (const Servidor &s : servidores) {
        SCOPED_TRACE(s.texto);
        QString host;
        quint16 porta = 0;
        EXPECT_EQ(SeparaServidor(QString::fromLatin1(s.texto), &host, &porta), s.ok);
        if (s.ok) {
            EXPECT_EQ(host, QString::fromLatin1(s.host));
            EXPECT_EQ(porta, s.porta);
        }
    }
}

TEST(Smtp, DialogoComServidorRoteirizado) {
    teste::GaranteAppGui();
    const QString ok220 = QStringLiteral("220 servidor pronto");
    const QString ok250 = QStringLiteral("250 OK");
    const QString ok354 = QStringLiteral("354 pode mandar");
    const QString tchau = QStringLiteral("221 tchau");
    struct Caso {
        const char *nome;
        QStringList respostas;
        int codigo;             // of the result; 250 when sent
        const char *erro;       // part of the error; "" when sent
        const char *comandos;   // what the server received
    } casos[] = {
        {"aceita, com respostas de varias linhas",
         {QStringLiteral("220-ola\r\n220 pronto"), QStringLiteral("250-oi\r\n250 prazer"), ok250, ok250,
          QStringLiteral("251 encaminho"), ok354, QStringLiteral("250-recebida\r\n250 fila 7"), tchau},
         250, "", "HELO DravolinBrumLtda|MAIL FROM:<eu@x.com>|RCPT TO:<cli@y.com>|RCPT TO:<eu@x.com>|DATA|<dados>|QUIT"},
        {"saudacao errada", {QStringLiteral("554 va embora"), tchau}, 554, "não aceitou a conexão", "QUIT"},
        {"HELO recusado", {ok220, QStringLiteral("501 nome ruim"), tchau}, 501, "recusou a identificação",
         "HELO DravolinBrumLtda|QUIT"},
        {"remetente recusado", {ok220, ok250, QStringLiteral("550 remetente desconhecido"), tchau}, 550,
         "recusou o remetente <eu@x.com>", "HELO DravolinBrumLtda|MAIL FROM:<eu@x.com>|QUIT"},
        {"destinatario recusado",
         {ok220, ok250, ok250, QStringLiteral("550-5.1.1 caixa\r\n550 5.1.1 inexistente"), tchau}, 550,
         "recusou o destinatário <cli@y.com>", "HELO DravolinBrumLtda|MAIL FROM:<eu@x.com>|RCPT TO:<cli@y.com>|QUIT"},
        {"copia recusada", {ok220, ok250, ok250, ok250, QStringLiteral("553 nao"), tchau}, 553,
         "recusou o destinatário <eu@x.com>",
         "HELO DravolinBrumLtda|MAIL FROM:<eu@x.com>|RCPT TO:<cli@y.com>|RCPT TO:<eu@x.com>|QUIT"},
        {"DATA recusado", {ok220, ok250, ok250, ok250, ok250, QStringLiteral("554 sem dados"), tchau}, 554,
         "recusou a mensagem",
         "HELO DravolinBrumLtda|MAIL FROM:<eu@x.com>|RCPT TO:<cli@y.com>|RCPT TO:<eu@x.com>|DATA|QUIT"},
        {"mensagem recusada", {ok220, ok250, ok250, ok250, ok250, ok354, QStringLiteral("552 grande demais"), tchau},
         552, "recusou a mensagem",
         "HELO DravolinBrumLtda|MAIL FROM:<eu@x.com>|RCPT TO:<cli@y.com>|RCPT TO:<eu@x.com>|DATA|<dados>|QUIT"},
        {"servidor mudo", {QString()}, 0, "não respondeu em 0.3 s", ""},
        {"cala depois do HELO", {ok220, QString()}, 0, "não respondeu em 0.3 s", "HELO DravolinBrumLtda"},
        {"desliga no meio", {ok220, QStringLiteral("<fecha>")}, 0, "encerrou a conexão", "HELO DravolinBrumLtda"},
        {"fala outra lingua", {QStringLiteral("OLA")}, 0, "Resposta inválida", ""},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        ServidorRoteiro servidor(c.respostas);
        EnvioSmtp e;
        e.Servidor = servidor.Endereco();
        e.Remetente = QStringLiteral("eu@x.com");
        e.Destinatarios = {QStringLiteral("cli@y.com"), QStringLiteral("eu@x.com")};
        e.Mensagem = "Subject: x\r\n\r\n.linha com ponto\r\n.\r\nfim";
        const ResultadoSmtp r = EnviaSmtpSincrono(e, {300, 300});
        EXPECT_EQ(r.Ok, c.codigo == 250);
        EXPECT_EQ(r.Codigo, c.codigo);
        EXPECT_TRUE(r.Erro.contains(QString::fromUtf8(c.erro))) << r.Erro.toStdString();
        if (c.codigo != 0) { // the server's own words are part of the outcome
            QString resposta = c.respostas.value(c.respostas.size() - 2);
            EXPECT_EQ(r.Resposta, resposta.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            if (!r.Ok) {
                EXPECT_TRUE(r.Erro.endsWith(r.Resposta)) << r.Erro.toStdString();
            }
        }
        EXPECT_EQ(servidor.comandos.join(QLatin1Char('|')), QString::fromUtf8(c.comandos));
        if (servidor.comandos.contains(QStringLiteral("<dados>"))) {
            EXPECT_EQ(servidor.dados, "Subject: x\r\n\r\n..linha com ponto\r\n..\r\nfim\r\n.\r\n");
        }
    }
}

TEST(Smtp, SemServidorOuComDadosInvalidos) {
    teste::GaranteAppGui();
    // A port where nobody listens.
    QTcpServer livre;
    ASSERT_TRUE(livre.listen(QHostAddress::LocalHost));
    const quint16 porta = livre.serverPort();
    livre.close();
    struct Caso {
        const char *nome;
        QString servidor;
        QStringList destinatarios;
        const char *erro;
    } casos[] = {
        {"ninguem escuta", QStringLiteral("127.0.0.1:%1").arg(porta), {QStringLiteral("a@b")},
         "Não foi possível conectar ao servidor 127.0.0.1"},
        {"porta invalida", QStringLiteral("smtp.x.com:99999"), {QStringLiteral("a@b")}, "Servidor de e-mail inválido"},
        {"quebra de linha no endereco", QStringLiteral("127.0.0.1:%1").arg(porta),
         {QStringLiteral("a@b>\r\nRCPT TO:<c@d")}, "Endereço inválido"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        EnvioSmtp e;
        e.Servidor = c.servidor;
        e.Remetente = QStringLiteral("eu@x.com");
        e.Destinatarios = c.destinatarios;
        const ResultadoSmtp r = EnviaSmtpSincrono(e, {2000, 2000});
        EXPECT_FALSE(r.Ok);
        EXPECT_TRUE(r.Erro.contains(QString::fromUtf8(c.erro))) << r.Erro.toStdString();
    }
}
