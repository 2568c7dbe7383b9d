// The SMTP dialogue: the reply reader, the pieces of the commands, and whole
// sendings against a scripted server on the loopback.

#include "app_gui.h"
#include "mail/servidor_smtp.h"
#include "mail/smtp.h"

#include <QDeadlineTimer>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <functional>

using namespace quellora;
using quellora::teste::ServidorRoteiro;

namespace {
// Runs the event loop until 'feito' or 'ms' have passed; 'feito' at the end.
bool Aguarda(const std::function<bool()> &feito, int ms) {
    const QDeadlineTimer prazo(ms);
    while (!feito() && !prazo.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return feito();
}
} // namespace

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
    const QByteArray mensagem = "Subject: x\r\n\r\n.linha com ponto\r\n.\r\nfim";
    // The first n commands of the whole dialogue, then QUIT unless 'sai' is false.
    const QStringList dialogo = {"EHLO DravolinBrumLtda", "MAIL FROM:<eu@x.com>", "RCPT TO:<cli@y.com>",
                                 "RCPT TO:<eu@x.com>",    "DATA",                 "<dados>"};
    auto ate = [&](int n, bool sai = true) {
        return (dialogo.mid(0, n) + (sai ? QStringList{"QUIT"} : QStringList())).join('|');
    };
    auto com = [&](int n, int i, const QString &outro) {
        QStringList l = dialogo.mid(0, n) << "QUIT";
        l[i] = outro;
        return l.join('|');
    };
    QTcpServer livre; // a port where nobody listens
    ASSERT_TRUE(livre.listen(QHostAddress::LocalHost));
    const QString ninguem = QStringLiteral("127.0.0.1:%1").arg(livre.serverPort());
    livre.close();
    const QString comSize = "MAIL FROM:<eu@x.com> SIZE=" + QString::number(DadosSmtp(mensagem).size());
    const struct {
        const char *nome;
        QStringList respostas;
        int codigo;       // of the result; 250 when sent
        const char *erro; // part of the error; "" when sent
        QString comandos; // what the server received
        QString servidor = {}; // another than the scripted one
        QStringList destinatarios = {"cli@y.com", "eu@x.com"};
        QStringList copias = {};
        SegurancaSmtp seguranca = SegurancaSmtp::Nenhuma;
        QString usuario = {};
        const char *aviso = ""; // part of the only warning; "" for none
    } casos[] = {
        {"aceita, com respostas de varias linhas",
         {"220-ola\r\n220 pronto", "250-oi\r\n250 prazer", ok250, ok250, "251 encaminho", ok354,
          "250-recebida\r\n250 fila 7", tchau},
         250, "", ate(6)},
        {"EHLO recusado: HELO", {ok220, "500 EHLO?", ok250, ok250, ok250, ok250, ok354, "250 fila", tchau}, 250, "",
         "EHLO DravolinBrumLtda|HELO DravolinBrumLtda|" + ate(6).section('|', 1)},
        {"SIZE oferecido: dito no MAIL", {ok220, "250-oi\r\n250-SIZE 100000\r\n250 8BITMIME", ok250, ok250, ok250,
                                          ok354, "250 fila", tchau},
         250, "", com(6, 1, comSize)},
        {"grande demais para o SIZE", {ok220, "250-oi\r\n250 SIZE 10", tchau}, 0, "é maior do que o servidor",
         ate(1)},
        {"saudacao errada", {"554 va embora", tchau}, 554, "não aceitou a conexão", ate(0)},
        {"EHLO e HELO recusados", {ok220, "502 nao", "501 nome ruim", tchau}, 501, "recusou a identificação",
         "EHLO DravolinBrumLtda|HELO DravolinBrumLtda|QUIT"},
        {"remetente recusado", {ok220, ok250, "550 remetente desconhecido", tchau}, 550,
         "recusou o remetente <eu@x.com>", ate(2)},
        {"login exigido e nenhum configurado", {ok220, ok250, "530 5.7.0 Authentication required", tchau}, 530,
         "exige login: informe o usuário e a senha", ate(2)},
        {"destinatario recusado", {ok220, ok250, ok250, "550-5.1.1 caixa\r\n550 5.1.1 inexistente", tchau}, 550,
         "recusou o destinatário <cli@y.com>", ate(3)},
        {"segundo destinatario recusado", {ok220, ok250, ok250, ok250, "553 nao", tchau}, 553,
         "recusou o destinatário <eu@x.com>", ate(4)},
        {"copia recusada: segue sem ela", {ok220, ok250, ok250, ok250, "553 5.7.1 nao", ok354, "250 fila", tchau}, 250,
         "", ate(6), {}, {"cli@y.com"}, {"eu@x.com"}, SegurancaSmtp::Nenhuma, {},
         "O servidor recusou a cópia para <eu@x.com>; a mensagem segue sem ela.\nResposta do servidor: 553 5.7.1 nao"},
        {"DATA recusado", {ok220, ok250, ok250, ok250, ok250, "554 sem dados", tchau}, 554, "recusou a mensagem", ate(5)},
        {"mensagem recusada", {ok220, ok250, ok250, ok250, ok250, ok354, "552 grande demais", tchau}, 552,
         "recusou a mensagem", ate(6)},
        // The password never goes over a plain connection, offered or not;
        // STARTTLS asked for and not offered sends nothing.
        {"AUTH oferecido sem criptografia", {ok220, "250-oi\r\n250-AUTH PLAIN LOGIN\r\n250 STARTTLS", tchau}, 0,
         "A senha não foi enviada", ate(1), {}, {"cli@y.com"}, {}, SegurancaSmtp::Nenhuma, "eu"},
        {"STARTTLS nao oferecido", {ok220, "250-oi\r\n250 AUTH PLAIN", tchau}, 0, "não oferece STARTTLS", ate(1), {},
         {"cli@y.com"}, {}, SegurancaSmtp::StartTls, "eu"},
        // Each wait has its own limit (RFC 5321's, shortened here).
        {"servidor mudo", {""}, 0, "não respondeu em 0.31 s", ate(0, false)},
        {"cala depois do EHLO", {ok220, ""}, 0, "não respondeu em 0.3 s", ate(1, false)},
        {"cala depois do MAIL", {ok220, ok250, ""}, 0, "não respondeu em 0.32 s", ate(2, false)},
        {"cala depois do RCPT", {ok220, ok250, ok250, ""}, 0, "não respondeu em 0.33 s", ate(3, false)},
        {"cala depois do DATA", {ok220, ok250, ok250, ok250, ok250, ""}, 0, "não respondeu em 0.34 s", ate(5, false)},
        {"cala depois da mensagem", {ok220, ok250, ok250, ok250, ok250, ok354, ""}, 0, "não respondeu em 0.36 s",
         ate(6, false)},
        {"desliga no meio", {ok220, "<fecha>"}, 0, "encerrou a conexão", ate(1, false)},
        {"fala outra lingua", {"OLA"}, 0, "Resposta inválida", ate(0, false)},
        {"ninguem escuta", {}, 0, "Não foi possível conectar ao servidor 127.0.0.1", "", ninguem},
        {"porta invalida", {}, 0, "Servidor de e-mail inválido", "", "smtp.x.com:99999"},
        {"quebra de linha no endereco", {}, 0, "Endereço inválido", "", ninguem, {"a@b>\r\nRCPT TO:<c@d"}},
        {"endereco com acento", {}, 0, "\"joão@y.com\" tem acentos", "", ninguem, {"joão@y.com"}},
        {"copia com acento", {}, 0, "\"José <josé@x.com>\" tem acentos", "", ninguem, {"cli@y.com"},
         {"José <josé@x.com>"}},
    };
    PrazosSmtp prazos = PrazosSmtp::Todos(300);
    prazos.SaudacaoMs = 310;
    prazos.MailMs = 320;
    prazos.RcptMs = 330;
    prazos.DataMs = 340;
    prazos.BlocoMs = 350;
    prazos.FimDadosMs = 360;
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        ServidorRoteiro servidor(c.respostas);
        EnvioSmtp e;
        e.Servidor = c.servidor.isEmpty() ? servidor.Endereco() : c.servidor;
        e.Remetente = "eu@x.com";
        e.Destinatarios = c.destinatarios;
        e.Copias = c.copias;
        e.Seguranca = c.seguranca;
        e.Usuario = c.usuario;
        e.Senha = "segredo";
        e.Mensagem = mensagem;
        const ResultadoSmtp r = EnviaSmtpSincrono(e, prazos);
        EXPECT_EQ(r.Ok, c.codigo == 250);
        EXPECT_EQ(r.Codigo, c.codigo);
        EXPECT_TRUE(r.Erro.contains(QString::fromUtf8(c.erro))) << r.Erro.toStdString();
        if (c.codigo != 0) { // the server's own words are part of the outcome
            EXPECT_EQ(r.Resposta, c.respostas.value(c.respostas.size() - 2).replace("\r\n", "\n"));
            EXPECT_TRUE(r.Ok || r.Erro.endsWith(r.Resposta)) << r.Erro.toStdString();
        }
        EXPECT_EQ(r.Avisos.join('|'), QString::fromUtf8(c.aviso));
        EXPECT_EQ(servidor.comandos.join('|').toStdString(), c.comandos.toStdString());
        EXPECT_FALSE(servidor.comandos.join('|').contains("AUTH"));
        if (servidor.comandos.contains("<dados>")) {
            EXPECT_EQ(servidor.dados, "Subject: x\r\n\r\n..linha com ponto\r\n..\r\nfim\r\n.\r\n");
        }
    }

    // Cancela while the server thinks it over: nothing more is sent or said.
    ServidorRoteiro calado({ok220, ""});
    ClienteSmtp cliente;
    cliente.DefinePrazos(PrazosSmtp::Todos(200));
    int sinais = 0;
    QObject::connect(&cliente, &ClienteSmtp::Concluido, [&] { ++sinais; });
    QObject::connect(&cliente, &ClienteSmtp::Encerrado, [&] { ++sinais; });
    EnvioSmtp e;
    e.Servidor = calado.Endereco();
    e.Remetente = "eu@x.com";
    e.Destinatarios = {"cli@y.com"};
    cliente.Envia(e);
    ASSERT_TRUE(Aguarda([&] { return calado.comandos.size() == 1; }, 5000));
    cliente.Cancela();
    EXPECT_FALSE(cliente.Ocupado());
    Aguarda([] { return false; }, 400);
    EXPECT_EQ(sinais, 0);
    EXPECT_EQ(calado.comandos, QStringList{"EHLO DravolinBrumLtda"});

    // Unless a test shortens them, RFC 5321's limits (in minutes).
    const PrazosSmtp rfc;
    EXPECT_EQ(std::vector<double>({rfc.SaudacaoMs / 60000.0, rfc.MailMs / 60000.0, rfc.RcptMs / 60000.0,
                                   rfc.DataMs / 60000.0, rfc.BlocoMs / 60000.0, rfc.FimDadosMs / 60000.0}),
              std::vector<double>({5, 5, 5, 2, 3, 10}));
}
