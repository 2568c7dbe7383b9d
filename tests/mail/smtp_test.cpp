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
    const struct {
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
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        LeitorRespostasSmtp leitor;
        QList<RespostaSmtp> r;
        QString erro;
        bool ok = true;
        for (const QByteArray &p : c.pedacos)
            ok = ok && leitor.Acrescenta(p, r, &erro);
        if (c.esperado == "erro") {
            EXPECT_FALSE(ok);
            EXPECT_FALSE(erro.isEmpty());
            continue;
        }
        EXPECT_TRUE(ok) << erro.toStdString();
        QStringList obtido;
        for (const RespostaSmtp &x : r)
            obtido << QString::number(x.Codigo) + ':' + x.Linhas.join('/');
        EXPECT_EQ(obtido.join('|'), c.esperado);
    }
}

TEST(Smtp, PecasDosComandos) {
    const struct {
        const char *nome;
        QByteArray obtido, esperado;
    } casos[] = {
        {"ponto no inicio ganha outro", DadosSmtp(".a\r\nb\r\n.\r\n"), "..a\r\nb\r\n..\r\n.\r\n"},
        {"termina a ultima linha", DadosSmtp("a"), "a\r\n.\r\n"},
        {"LF sozinho vira CRLF", DadosSmtp("a\nb\r.c"), "a\r\nb\r\n..c\r\n.\r\n"},
        {"mensagem vazia", DadosSmtp(""), ".\r\n"},
        {"endereco entre colchetes", EnderecoEnvelope(" a@b.com "), "<a@b.com>"},
        {"endereco ja com colchetes", EnderecoEnvelope("<a@b.com>"), "<a@b.com>"},
        {"endereco com nome", EnderecoEnvelope("Ana <a@b.com>"), "<a@b.com>"},
        {"endereco vazio", EnderecoEnvelope(QString()), "<>"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(c.obtido, c.esperado);
    }
    for (const auto &[texto, ok, hostEsperado, portaEsperada] :
         {std::tuple{"smtp.exemplo.com", true, "smtp.exemplo.com", 25}, {" smtp.x.com:2525 ", true, "smtp.x.com", 2525},
          {"[::1]:587", true, "::1", 587}, {"::1", true, "::1", 25}, {"smtp.x.com:0", false, "", 0},
          {"smtp.x.com:porta", false, "", 0}}) {
        SCOPED_TRACE(texto);
        QString host;
        quint16 porta = 0;
        EXPECT_EQ(SeparaServidor(texto, &host, &porta), ok);
        EXPECT_TRUE(!ok || (host == hostEsperado && porta == portaEsperada)) << host.toStdString() << ":" << porta;
    }
}

TEST(Smtp, DialogoComServidorRoteirizado) {
    teste::GaranteAppGui();
    const QString ok220 = "220 servidor pronto", ok250 = "250 OK", ok354 = "354 pode mandar", tchau = "221 tchau";
    // The first n commands of the whole dialogue, then QUIT unless 'sai' is false.
    const QStringList dialogo = {"HELO DravolinBrumLtda", "MAIL FROM:<eu@x.com>", "RCPT TO:<cli@y.com>",
                                 "RCPT TO:<eu@x.com>",    "DATA",                 "<dados>"};
    auto ate = [&](int n, bool sai = true) {
        return (dialogo.mid(0, n) + (sai ? QStringList{"QUIT"} : QStringList())).join('|');
    };
    QTcpServer livre; // a port where nobody listens
    ASSERT_TRUE(livre.listen(QHostAddress::LocalHost));
    const QString ninguem = QStringLiteral("127.0.0.1:%1").arg(livre.serverPort());
    livre.close();
    const struct {
        const char *nome;
        QStringList respostas;
        int codigo;       // of the result; 250 when sent
        const char *erro; // part of the error; "" when sent
        QString comandos; // what the server received
        QString servidor = {}; // another than the scripted one
        QStringList destinatarios = {"cli@y.com", "eu@x.com"};
    } casos[] = {
        {"aceita, com respostas de varias linhas",
         {"220-ola\r\n220 pronto", "250-oi\r\n250 prazer", ok250, ok250, "251 encaminho", ok354,
          "250-recebida\r\n250 fila 7", tchau},
         250, "", ate(6)},
        {"saudacao errada", {"554 va embora", tchau}, 554, "não aceitou a conexão", ate(0)},
        {"HELO recusado", {ok220, "501 nome ruim", tchau}, 501, "recusou a identificação", ate(1)},
        {"remetente recusado", {ok220, ok250, "550 remetente desconhecido", tchau}, 550,
         "recusou o remetente <eu@x.com>", ate(2)},
        {"destinatario recusado", {ok220, ok250, ok250, "550-5.1.1 caixa\r\n550 5.1.1 inexistente", tchau}, 550,
         "recusou o destinatário <cli@y.com>", ate(3)},
        {"copia recusada", {ok220, ok250, ok250, ok250, "553 nao", tchau}, 553, "recusou o destinatário <eu@x.com>",
         ate(4)},
        {"DATA recusado", {ok220, ok250, ok250, ok250, ok250, "554 sem dados", tchau}, 554, "recusou a mensagem", ate(5)},
        {"mensagem recusada", {ok220, ok250, ok250, ok250, ok250, ok354, "552 grande demais", tchau}, 552,
         "recusou a mensagem", ate(6)},
        {"servidor mudo", {""}, 0, "não respondeu em 0.3 s", ate(0, false)},
        {"cala depois do HELO", {ok220, ""}, 0, "não respondeu em 0.3 s", ate(1, false)},
        {"desliga no meio", {ok220, "<fecha>"}, 0, "encerrou a conexão", ate(1, false)},
        {"fala outra lingua", {"OLA"}, 0, "Resposta inválida", ate(0, false)},
        {"ninguem escuta", {}, 0, "Não foi possível conectar ao servidor 127.0.0.1", "", ninguem},
        {"porta invalida", {}, 0, "Servidor de e-mail inválido", "", "smtp.x.com:99999"},
        {"quebra de linha no endereco", {}, 0, "Endereço inválido", "", ninguem, {"a@b>\r\nRCPT TO:<c@d"}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        ServidorRoteiro servidor(c.respostas);
        EnvioSmtp e;
        e.Servidor = c.servidor.isEmpty() ? servidor.Endereco() : c.servidor;
        e.Remetente = "eu@x.com";
        e.Destinatarios = c.destinatarios;
        e.Mensagem = "Subject: x\r\n\r\n.linha com ponto\r\n.\r\nfim";
        const ResultadoSmtp r = EnviaSmtpSincrono(e, {300, 300});
        EXPECT_EQ(r.Ok, c.codigo == 250);
        EXPECT_EQ(r.Codigo, c.codigo);
        EXPECT_TRUE(r.Erro.contains(QString::fromUtf8(c.erro))) << r.Erro.toStdString();
        if (c.codigo != 0) { // the server's own words are part of the outcome
            EXPECT_EQ(r.Resposta, c.respostas.value(c.respostas.size() - 2).replace("\r\n", "\n"));
            EXPECT_TRUE(r.Ok || r.Erro.endsWith(r.Resposta)) << r.Erro.toStdString();
        }
        EXPECT_EQ(servidor.comandos.join('|'), c.comandos);
        if (servidor.comandos.contains("<dados>")) {
            EXPECT_EQ(servidor.dados, "Subject: x\r\n\r\n..linha com ponto\r\n..\r\nfim\r\n.\r\n");
        }
    }
}
