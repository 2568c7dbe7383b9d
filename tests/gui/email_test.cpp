// The e-mail windows, driven as a user would: the settings window, and a
// sending to a real SMTP server on the loopback, then one it refuses. With
// QUELLORA_CAPTURAS set to a folder, the windows are saved there as pictures.

#include "gui/shell_ambiente.h"

#include "catalogue/binario.h"
#include "mail/servidor_smtp.h"
#include "mail/windows/uqlemail.h"
#include "mail/windows/uqlemailcnf.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace quellora;
using quellora::teste::AmbienteShell;
using quellora::teste::ServidorSmtpLocal;

namespace {

class EmailJanelas : public AmbienteShell {
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
    template <class T>
    static T *em(QWidget *w, const char *nome) {
        return w->findChild<T *>(QString::fromLatin1(nome));
    }
    static QString rotulo(QWidget *w, QWidget *caixa) {
        for (QLabel *l : w->findChildren<QLabel *>())
            if (l->buddy() == caixa)
                return l->text();
        return {};
    }
    static void captura(QWidget *w, const char *nome) {
        const QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
        if (pasta.isEmpty())
            return;
        QApplication::processEvents();
        w->grab().save(QDir(pasta).filePath(QString::fromLatin1(nome) + QStringLiteral(".png")));
    }

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
    EXPECT_EQ(cnf->windowTitle(), QStringLiteral("Configuração de email"));
    EXPECT_EQ(em<QLabel>(cnf, "Label1")->text(), QString::fromUtf8(TextoEmailCnfTopo));
    EXPECT_EQ(em<QLabel>(cnf, "Label5")->text(), QStringLiteral("Instruções"));
    const QString instrucoes = em<QLabel>(cnf, "Label2")->text();
    EXPECT_EQ(instrucoes.count(QStringLiteral("\n\r")), 8);
    EXPECT_TRUE(instrucoes.startsWith(QStringLiteral("1. abra o Outolook;\n\r2. clique")));
    EXPECT_TRUE(instrucoes.endsWith(QStringLiteral("feche o programa de email.")));
    auto *edNome = em<QLineEdit>(cnf, "edNome");
    auto *edEmail = em<QLineEdit>(cnf, "edEmail");
    auto *edSMTP = em<QLineEdit>(cnf, "edSMTP");
    auto *btOK = em<QPushButton>(cnf, "btOK");
    EXPECT_EQ(rotulo(cnf, edNome), QStringLiteral("Nome"));
    EXPECT_EQ(rotulo(cnf, edEmail), QStringLiteral("End. eletrônico"));
    EXPECT_EQ(rotulo(cnf, edSMTP), QStringLiteral("Servidor (SMTP)"));
    EXPECT_EQ(em<QPushButton>(cnf, "BitBtn2")->text(), QStringLiteral("Cancela"));

    struct Passo {
        QLineEdit *caixa;
        const char *texto;
        bool ok;
    } passos[] = {
        {edSMTP, " smtp.exemplo.com.br ", false}, // the address is missing
        {edEmail, "vendas@dravolin.com.br", true},
        {edEmail, "", false},
        {edEmail, "   ", false},
        {edEmail, "  vendas@dravolin.com.br ", true},
        {edNome, "José Conceição", true},
        {edSMTP, "", false},
        {edSMTP, " smtp.exemplo.com.br ", true},
    };
    for (const Passo &p : passos) {
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
    EXPECT_EQ(d.NomeRemetente, QStringLiteral("José Conceição"));
    EXPECT_EQ(d.EmailRemetente, QStringLiteral("vendas@dravolin.com.br"));
    EXPECT_EQ(d.ServidorSMTP, QStringLiteral("smtp.exemplo.com.br"));
    QFile f(arquivoDados("dadmai.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), DadosEmailParaBytes(d));

    // Shown again: the stored settings; Cancel keeps them.
    cnf->show();
    EXPECT_EQ(edSMTP->text(), QStringLiteral("smtp.exemplo.com.br"));
    edSMTP->setText(QStringLiteral("outro"));
    em<QPushButton>(cnf, "BitBtn2")->click();
    EXPECT_EQ(cnf->result(), QDialog::Rejected);
    EXPECT_EQ(G().DadosEmail.ServidorSMTP, QStringLiteral("smtp.exemplo.com.br"));
}

TEST_F(EmailJanelas, EnviaAoServidorEMostraARecusa) {
    ServidorSmtpLocal servidor;
    ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
    auto &o = G().Orcamento;
    o.NumOrc = QStringLiteral("0012/05");
    o.Data = DateTimeParaData(QDateTime(QDate(2005, 3, 3), QTime()));
    o.Projeto = QStringLiteral("Galpão 2");
    const QByteArray html = ParaWin1252(QStringLiteral("<html>\r\n.Ventilação\r\n</html>\r\n"));
    DefineFonteAnexoEmail([&] { return html; });
    auto *edSendTo = em<QLineEdit>(email, "edSendTo");
    auto *edSubject = em<QLineEdit>(email, "edSubject");
    auto *Memo1 = em<QPlainTextEdit>(email, "Memo1");
    auto *mMessages = em<QPlainTextEdit>(email, "mMessages");
    auto *btEnviar = em<QPushButton>(email, "btEnviar");

    // Not configured, a client without address.
    email->show();
    QApplication::processEvents();
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_EQ(respostas.vistas[0], QStringLiteral("Você precisa informar alguns dados antes de poder enviar um "
                                                  "e-mail.\r\nClique no botão \"Configurar\""));
    EXPECT_FALSE(btEnviar->isEnabled());
    EXPECT_EQ(edSendTo->text(), QString());
    EXPECT_EQ(email->focusWidget(), edSendTo);
    EXPECT_EQ(edSubject->text(), QStringLiteral("Ref.: Proposta nº 0012/05 - 03/03/2005 (Galpão 2)"));
    EXPECT_EQ(Memo1->toPlainText(), QStringLiteral("[INFORME O TEXTO AQUI]"));
    EXPECT_TRUE(em<QCheckBox>(email, "ckbCopia")->isChecked());
    EXPECT_FALSE(mMessages->isVisible());
    EXPECT_EQ(rotulo(email, Memo1), QStringLiteral("Conteúdo"));

    // "&Configurar": the settings window, confirmed, enables the sending.
    QTimer::singleShot(0, [&] {
        em<QLineEdit>(cnf, "edEmail")->setText(QStringLiteral("vendas@dravolin.com.br"));
        em<QLineEdit>(cnf, "edSMTP")->setText(servidor.Endereco());
        em<QPushButton>(cnf, "btOK")->click();
    });
    em<QPushButton>(email, "BitBtn3")->click();
    EXPECT_TRUE(btEnviar->isEnabled());

    digita(edSendTo, QStringLiteral("compras@cliente.com.br"));
    QFocusEvent entra(QEvent::FocusIn);
    QApplication::sendEvent(Memo1, &entra);
    EXPECT_EQ(Memo1->toPlainText(), QString());
    Memo1->setPlainText(QStringLiteral("Prezados,\n.segue a proposta."));
    captura(email, "email_envio");
    btEnviar->click();
    EXPECT_FALSE(btEnviar->isEnabled());
    EXPECT_TRUE(mMessages->isVisible());
    EXPECT_FALSE(Memo1->isVisible());
    captura(email, "email_enviando");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !email->isVisible(); }, 15000));
    EXPECT_EQ(email->result(), QDialog::Accepted);
    EXPECT_EQ(respostas.vistas.last(), QStringLiteral("Mensagem enviada com sucesso!"));
    EXPECT_EQ(mMessages->toPlainText(), QStringLiteral("Inicializando conexão com o servidor. Aguarde...\n"
                                                       "Enviando mensagem\n"
                                                       "Email enviado para: compras@cliente.com.br\nOK..."));
    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    EXPECT_EQ(m["para"], nlohmann::json({"compras@cliente.com.br", "vendas@dravolin.com.br"}));
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
    EXPECT_EQ(m["texto"], "Prezados,<BR>\r\n.segue a proposta.<BR>\r\n");

    // A client the server refuses: said so with its reply; the window stays.
    o.email = QStringLiteral("recusado@cliente.com.br");
    email->show();
    QApplication::processEvents();
    EXPECT_EQ(Memo1->toPlainText(), QStringLiteral("[INFORME O TEXTO AQUI]"));
    EXPECT_EQ(email->focusWidget(), edSubject);
    const qsizetype vistas = respostas.vistas.size();
    btEnviar->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return respostas.vistas.size() > vistas; }, 15000));
    EXPECT_EQ(respostas.estilos.back(), MB_ERRO);
    EXPECT_TRUE(respostas.vistas.last().contains(
        QStringLiteral("O servidor recusou o destinatário <recusado@cliente.com.br>.\nResposta do servidor: 550 5.1.1")))
        << respostas.vistas.last().toStdString();
    EXPECT_TRUE(email->isVisible());
    EXPECT_TRUE(mMessages->isVisible());
    EXPECT_TRUE(mMessages->toPlainText().contains(QStringLiteral("550 5.1.1 Destinatario recusado")));
    EXPECT_TRUE(Memo1->isVisible());
    EXPECT_TRUE(btEnviar->isEnabled());
    captura(email, "email_recusa");
    EXPECT_EQ(servidor.Quantas(), 1);
    email->reject();
}
