// The e-mail windows, driven as a user would: the settings window, and a
// sending to a real SMTP server on the loopback, then one it refuses.

#include "gui/shell_ambiente.h"

#include "catalogue/binario.h"
#include "mail/servidor_smtp.h"
#include "mail/windows/uqlemail.h"
#include "mail/windows/uqlemailcnf.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace quellora;

namespace {

class EmailJanelas : public teste::AmbienteShell {
protected:
    void SetUp() override {
        AmbienteShell::SetUp();
        abre();
        ASSERT_TRUE(janela->iniciou());
        cnf = qobject_cast<TfrmEmailCnf *>(JanelaClasse("TfrmEmailCnf"));
        email = qobject_cast<TfrmEmail *>(JanelaClasse("TfrmEmail"));
        ASSERT_TRUE(cnf && email);
    }
    void TearDown() override {
        DefineFonteAnexoEmail(nullptr);
        AmbienteShell::TearDown();
    }
    // The caption of the edit's buddy label.
    static QString rotulo(QWidget *w, QWidget *caixa) {
        for (QLabel *l : w->findChildren<QLabel *>())
            if (l->buddy() == caixa)
                return l->text();
        return {};
    }
    // Texts read off a window, joined for one comparison.
    static std::string textos(const QStringList &l) { return l.join(" | ").toStdString(); }

    TfrmEmailCnf *cnf = nullptr;
    TfrmEmail *email = nullptr;
};

} // namespace

TEST_F(EmailJanelas, ConfiguracaoSoConfirmaComEnderecoEServidor) {
    // No dadmai.dat: empty settings, nothing said.
    EXPECT_TRUE(G().DadosEmail.EmailRemetente.isEmpty());
    EXPECT_TRUE(respostas.vistas.isEmpty());
    cnf->show();
    QApplication::processEvents();
    auto *edNome = em<QLineEdit>(cnf, "edNome");
    auto *edEmail = em<QLineEdit>(cnf, "edEmail");
    auto *edSMTP = em<QLineEdit>(cnf, "edSMTP");
    auto *btOK = em<QPushButton>(cnf, "btOK");
    EXPECT_EQ(textos({cnf->windowTitle(), em<QLabel>(cnf, "Label5")->text(), rotulo(cnf, edNome), rotulo(cnf, edEmail),
                      rotulo(cnf, edSMTP), em<QPushButton>(cnf, "BitBtn2")->text()}),
              "Configuração de email | Instruções | Nome | End. eletrônico | Servidor (SMTP) | Cancela");
    EXPECT_EQ(em<QLabel>(cnf, "Label1")->text(), QString::fromUtf8(TextoEmailCnfTopo));
    const QString instrucoes = em<QLabel>(cnf, "Label2")->text();
    EXPECT_EQ(instrucoes.count("\n\r"), 8);
    EXPECT_TRUE(instrucoes.startsWith("1. abra o Outolook;\n\r2. clique"));
    EXPECT_TRUE(instrucoes.endsWith("feche o programa de email."));

    const struct {
        QLineEdit *caixa;
        const char *texto;
        bool ok;
    } passos[] = {
        {edSMTP, " smtp.exemplo.com.br ", false}, // the address is missing
        {edEmail, "vendas@dravolin.com.br", true}, {edEmail, "", false}, {edEmail, "   ", false},
        {edEmail, "  vendas@dravolin.com.br ", true}, {edNome, "José Conceição", true},
        {edSMTP, "", false}, {edSMTP, " smtp.exemplo.com.br ", true},
    };
    for (const auto &p : passos) {
        SCOPED_TRACE(p.texto);
        p.caixa->selectAll();
        p.caixa->del();
        digita(p.caixa, QString::fromUtf8(p.texto));
        EXPECT_EQ(btOK->isEnabled(), p.ok);
    }
    captura(cnf, "email_configuracao");
    em<QPushButton>(cnf, "BitBtn1")->click();
    EXPECT_EQ(ajudas, std::vector<int>{AJUDA_EMAILCNF});

    btOK->click();
    EXPECT_FALSE(cnf->isVisible());
    EXPECT_EQ(cnf->result(), QDialog::Accepted);
    const TDadosEmail &d = G().DadosEmail;
    EXPECT_EQ(textos({d.NomeRemetente, d.EmailRemetente, d.ServidorSMTP}),
              "José Conceição | vendas@dravolin.com.br | smtp.exemplo.com.br");
    QFile f(arquivoDados("dadmai.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), DadosEmailParaBytes(d));

    // Shown again: the stored settings; Cancel keeps them.
    cnf->show();
    EXPECT_EQ(edSMTP->text(), "smtp.exemplo.com.br");
    edSMTP->setText("outro");
    em<QPushButton>(cnf, "BitBtn2")->click();
    EXPECT_EQ(cnf->result(), QDialog::Rejected);
    EXPECT_EQ(G().DadosEmail.ServidorSMTP, "smtp.exemplo.com.br");
}

TEST_F(EmailJanelas, EnviaAoServidorEMostraARecusa) {
    teste::ServidorSmtpLocal servidor;
    ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
    auto &o = G().Orcamento;
    o.NumOrc = "0012/05";
    o.Data = DateTimeParaData(QDateTime(QDate(2005, 3, 3), QTime()));
    o.Projeto = "Galpão 2";
    const QByteArray html = ParaWin1252("<html>\r\n.Ventilação\r\n</html>\r\n");
    DefineFonteAnexoEmail([&] { return html; });
    auto *edSendTo = em<QLineEdit>(email, "edSendTo");
    auto *edSubject = em<QLineEdit>(email, "edSubject");
    auto *Memo1 = em<QPlainTextEdit>(email, "Memo1");
    auto *mMessages = em<QPlainTextEdit>(email, "mMessages");
    auto *btEnviar = em<QPushButton>(email, "btEnviar");
    // Whether sending is offered, the server's dialogue and the text shown.
    auto estado = [&] { return std::tuple(btEnviar->isEnabled(), mMessages->isVisible(), Memo1->isVisible()); };

    // Not configured, a client without address.
    email->show();
    QApplication::processEvents();
    EXPECT_EQ(respostas.vistas, QStringList{"Você precisa informar alguns dados antes de poder enviar um "
                                            "e-mail.\r\nClique no botão \"Configurar\""});
    EXPECT_EQ(textos({edSendTo->text(), edSubject->text(), Memo1->toPlainText(), rotulo(email, Memo1)}),
              " | Ref.: Proposta nº 0012/05 - 03/03/2005 (Galpão 2) | [INFORME O TEXTO AQUI] | Conteúdo");
    EXPECT_EQ(email->focusWidget(), edSendTo);
    EXPECT_TRUE(em<QCheckBox>(email, "ckbCopia")->isChecked());
    EXPECT_EQ(estado(), std::tuple(false, false, true));

    // "&Configurar": the settings window, confirmed, enables the sending.
    QTimer::singleShot(0, [&] {
        em<QLineEdit>(cnf, "edEmail")->setText("vendas@dravolin.com.br");
        em<QLineEdit>(cnf, "edSMTP")->setText(servidor.Endereco());
        em<QPushButton>(cnf, "btOK")->click();
    });
    em<QPushButton>(email, "BitBtn3")->click();
    EXPECT_TRUE(btEnviar->isEnabled());

    // The text box empties when entered; lines starting with a dot and the
    // attachment's bytes reach the server as they are.
    digita(edSendTo, "compras@cliente.com.br");
    QFocusEvent entra(QEvent::FocusIn);
    QApplication::sendEvent(Memo1, &entra);
    EXPECT_EQ(Memo1->toPlainText(), "");
    Memo1->setPlainText("Prezados,\n.segue a proposta.");
    captura(email, "email_envio");
    btEnviar->click();
    EXPECT_EQ(estado(), std::tuple(false, true, false));
    captura(email, "email_enviando");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !email->isVisible(); }, 15000));
    EXPECT_EQ(email->result(), QDialog::Accepted);
    EXPECT_EQ(respostas.vistas.last(), "Mensagem enviada com sucesso!");
    EXPECT_EQ(mMessages->toPlainText(), "Inicializando conexão com o servidor. Aguarde...\nEnviando mensagem\n"
                                        "Email enviado para: compras@cliente.com.br\nOK...");
    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    EXPECT_EQ(m["para"], nlohmann::json({"compras@cliente.com.br", "vendas@dravolin.com.br"}));
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
    EXPECT_EQ(m["texto"], "Prezados,<BR>\r\n.segue a proposta.<BR>\r\n");

    // A client the server refuses: said so with its reply; the window stays.
    o.email = "recusado@cliente.com.br";
    email->show();
    QApplication::processEvents();
    EXPECT_EQ(Memo1->toPlainText(), "[INFORME O TEXTO AQUI]");
    EXPECT_EQ(email->focusWidget(), edSubject);
    const qsizetype vistas = respostas.vistas.size();
    btEnviar->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return respostas.vistas.size() > vistas; }, 15000));
    EXPECT_EQ(respostas.estilos.back(), MB_ERRO);
    EXPECT_TRUE(respostas.vistas.last().contains(
        "O servidor recusou o destinatário <recusado@cliente.com.br>.\nResposta do servidor: 550 5.1.1"))
        << respostas.vistas.last().toStdString();
    EXPECT_TRUE(mMessages->toPlainText().contains("550 5.1.1 Destinatario recusado"));
    EXPECT_TRUE(email->isVisible());
    EXPECT_EQ(estado(), std::tuple(true, true, true));
    captura(email, "email_recusa");
    EXPECT_EQ(servidor.Quantas(), 1);
    email->reject();
}
