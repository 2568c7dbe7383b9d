// The e-mail windows, driven as a user would: the settings window, and a
// sending to a real SMTP server on the loopback (STARTTLS, a login, a
// certificate of its own trusted from the window), then one it refuses, one
// whose copy it refuses, one cancelled while the server is silent; and the
// proposal's pages with the technical data sheets attached as a PDF.

#include "gui/shell_ambiente.h"

#include "catalogue/binario.h"
#include "mail/chaveiro.h"
#include "mail/conexaoemail.h"
#include "mail/servidor_smtp.h"
#include "mail/windows/uqlemail.h"
#include "mail/windows/uqlemailcnf.h"
#include "proposal/folha_tecnica.h"
#include "proposal/orcamento_exemplo.h"
#include "proposal/proposta.h"

#include <QCheckBox>
#include <QComboBox>
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
        // The desktop's keyring is never touched by a test.
        DefineFabricaCofre([](const QString &d) { return std::make_unique<CofreArquivo>(d); });
    }
    void TearDown() override {
        DefineFonteAnexoEmail(nullptr);
        DefineFontePdfEmail(nullptr);
        DefineFabricaCofre(nullptr);
        AmbienteShell::TearDown();
    }
    QByteArray conteudo(const char *nome) const {
        QFile f(arquivoDados(nome));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A choice in a drop-down list, made with the keyboard.
    static void escolhe(QComboBox *cb, int indice) {
        cb->setFocus();
        while (cb->currentIndex() != indice)
            envia(cb, cb->currentIndex() < indice ? Qt::Key_Down : Qt::Key_Up);
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
    // Blanks typed first cost nothing: trimmed, then cut at 50.
    escreve(edNome, QStringLiteral("   ") + QString(55, 'n'));
    EXPECT_EQ(edNome->text(), QStringLiteral("   ") + QString(50, 'n'));
    escreve(edNome, QStringLiteral("  José Conceição"));

    // The connection: port and security offer each other's usual partner;
    // a port of one's own stays. The password's place is said.
    auto *cbPorta = em<QComboBox>(cnf, "cbPorta");
    auto *cbSeguranca = em<QComboBox>(cnf, "cbSeguranca");
    auto *edUsuario = em<QLineEdit>(cnf, "edUsuario");
    auto *edSenha = em<QLineEdit>(cnf, "edSenha");
    EXPECT_EQ(textos({rotulo(cnf, cbPorta), rotulo(cnf, cbSeguranca), rotulo(cnf, edUsuario), rotulo(cnf, edSenha),
                      rotulo(cnf, em<QLineEdit>(cnf, "edCertificado"))}),
              "Porta | Segurança | Usuário | Senha | Certificado");
    EXPECT_TRUE(em<QLabel>(cnf, "lbSenha")->text().contains("senhasemail.json, que só o seu usuário pode ler"));
    EXPECT_EQ(textos({cbPorta->currentText(), cbSeguranca->currentText()}), "25 | Nenhuma");
    const struct {
        QComboBox *lista;
        int escolha;
        const char *porta, *seguranca;
    } pares[] = {{cbSeguranca, 1, "587", "STARTTLS"}, {cbSeguranca, 2, "465", "SSL/TLS"},
                 {cbSeguranca, 0, "25", "Nenhuma"},   {cbPorta, 2, "587", "STARTTLS"},
                 {cbPorta, 1, "465", "SSL/TLS"}};
    for (const auto &p : pares) {
        SCOPED_TRACE(p.porta);
        escolhe(p.lista, p.escolha);
        EXPECT_EQ(textos({cbPorta->currentText(), cbSeguranca->currentText()}),
                  textos({p.porta, QString::fromUtf8(p.seguranca)}));
    }
    escreve(cbPorta->lineEdit(), "2525");
    escolhe(cbSeguranca, 1);
    EXPECT_EQ(textos({cbPorta->currentText(), cbSeguranca->currentText()}), "2525 | STARTTLS");
    escreve(edUsuario, "  vendas@dravolin.com.br ");
    escreve(edSenha, "s3nh@ Secreta");
    EXPECT_EQ(edSenha->echoMode(), QLineEdit::Password);
    // A port that is no number and a fingerprint that is none are refused,
    // the window open.
    cbPorta->lineEdit()->clear();
    btOK->click();
    escreve(cbPorta->lineEdit(), "2525");
    escreve(em<QLineEdit>(cnf, "edCertificado"), "AB:CD");
    btOK->click();
    EXPECT_EQ(textos(respostas.vistas), "Porta: «» não é um número. Informe a porta do servidor, de 1 a 65535. | "
                                        "Certificado: «AB:CD» não é uma impressão digital SHA-256. Informe os 64 "
                                        "algarismos hexadecimais ou escolha o arquivo do certificado.");
    EXPECT_TRUE(cnf->isVisible());
    // "Arquivo...": the certificate's fingerprint in the box, cleared again.
    teste::CertificadoTeste certificado;
    ASSERT_TRUE(certificado.Pronto());
    cnf->escolheCertificado = [&] { return certificado.Certificado(); };
    clica(cnf, "btCertificado");
    QByteArray digital;
    ASSERT_TRUE(ImpressaoDigitalDeArquivo(certificado.Certificado(), &digital, nullptr));
    EXPECT_EQ(em<QLineEdit>(cnf, "edCertificado")->text(), TextoImpressaoDigital(digital));
    cnf->escolheCertificado = nullptr;
    em<QLineEdit>(cnf, "edCertificado")->clear();
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
    TConexaoEmail cx;
    ASSERT_TRUE(CarregaConexaoEmail(dados, cx));
    EXPECT_EQ(textos({QString::number(cx.Porta), TextoSeguranca(cx.Seguranca), cx.Usuario}),
              "2525 | starttls | vendas@dravolin.com.br");
    // The password: in neither settings file, in the user's own file.
    EXPECT_FALSE(conteudo("dadmai.dat").contains("s3nh@") || conteudo("conexaoemail.json").contains("s3nh@"));
    EXPECT_TRUE(conteudo("senhasemail.json").contains("s3nh@ Secreta"));
    EXPECT_EQ(QFile::permissions(arquivoDados("senhasemail.json")) & 0x0FFF,
              QFileDevice::ReadUser | QFileDevice::WriteUser);
    EXPECT_TRUE(edSenha->text().isEmpty());

    // Shown again: the stored settings, the password not shown; Cancel
    // keeps them.
    cnf->show();
    EXPECT_EQ(textos({edSMTP->text(), cbPorta->currentText(), cbSeguranca->currentText(), edUsuario->text(),
                      edSenha->text()}),
              "smtp.exemplo.com.br | 2525 | STARTTLS | vendas@dravolin.com.br | ");
    EXPECT_FALSE(edSenha->placeholderText().isEmpty());
    edSMTP->setText("outro");
    em<QPushButton>(cnf, "BitBtn2")->click();
    EXPECT_EQ(cnf->result(), QDialog::Rejected);
    EXPECT_EQ(G().DadosEmail.ServidorSMTP, "smtp.exemplo.com.br");
}

TEST_F(EmailJanelas, EnviaAoServidorEMostraARecusa) {
    // The office's server: STARTTLS on a port of its own, a login required,
    // a certificate no authority vouches for.
    teste::CertificadoTeste certificado;
    ASSERT_TRUE(certificado.Pronto());
    teste::ServidorSmtpLocal servidor({"--modo", "starttls", "--certificado", certificado.Certificado(), "--chave",
                                       certificado.Chave(), "--usuario", "ana", "--senha", "s3nh@"});
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
        em<QComboBox>(cnf, "cbSeguranca")->setCurrentIndex(1);
        em<QLineEdit>(cnf, "edUsuario")->setText("ana");
        em<QLineEdit>(cnf, "edSenha")->setText("s3nh@");
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

    // The certificate is refused, with its fingerprint; trusted from here,
    // it is kept in the settings and the next sending goes through.
    respostas.vistas.clear();
    respostas.responde(ID_SIM);
    btEnviar->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !respostas.vistas.isEmpty(); }, 15000));
    QByteArray digital;
    ASSERT_TRUE(ImpressaoDigitalDeArquivo(certificado.Certificado(), &digital, nullptr));
    EXPECT_TRUE(respostas.vistas.last().startsWith("O certificado do servidor 127.0.0.1 foi recusado"));
    EXPECT_TRUE(respostas.vistas.last().contains("\r\nImpressão digital (SHA-256): " + TextoImpressaoDigital(digital)));
    EXPECT_TRUE(respostas.vistas.last().endsWith("\r\n\r\nConfiar neste certificado daqui em diante?"));
    EXPECT_EQ(respostas.estilos.back(), MB_SIMNAO_EXCLAMACAO);
    EXPECT_TRUE(mMessages->toPlainText().endsWith("Certificado guardado como confiável. Clique em \"Enviar e-mail\" "
                                                  "de novo."));
    captura(email, "email_certificado");
    TConexaoEmail cx;
    ASSERT_TRUE(CarregaConexaoEmail(dados, cx));
    EXPECT_EQ(cx.Certificado, digital);
    EXPECT_EQ(servidor.Quantas(), 0);

    btEnviar->click();
    EXPECT_EQ(estado(), std::tuple(false, true, false));
    captura(email, "email_enviando");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !email->isVisible(); }, 15000));
    EXPECT_EQ(email->result(), QDialog::Accepted);
    EXPECT_EQ(respostas.vistas.last(), "Mensagem enviada com sucesso!");
    EXPECT_EQ(mMessages->toPlainText(), "Inicializando conexão com o servidor. Aguarde...\nConexão criptografada "
                                        "(TLS).\nEnviando mensagem\nEmail enviado para: compras@cliente.com.br\nOK...");
    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    EXPECT_EQ(m["para"], nlohmann::json({"compras@cliente.com.br", "vendas@dravolin.com.br"}));
    EXPECT_EQ(std::tuple(m["cifrada"], m["usuario"]), std::tuple(true, "ana"));
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
    EXPECT_EQ(m["texto"], "Prezados,<BR>\r\n.segue a proposta.<BR>\r\n");

    // A client the server refuses: said so with its reply; the window stays.
    o.email = "recusado@cliente.com.br";
    email->show();
    QApplication::processEvents();
    EXPECT_EQ(Memo1->toPlainText(), "[INFORME O TEXTO AQUI]");
    EXPECT_EQ(email->focusWidget(), edSubject);
    qsizetype vistas = respostas.vistas.size();
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

    // A server that refuses the copy to the sender: the client gets the
    // proposal, and the refusal is said with the server's words.
    QFile::remove(arquivoDados("conexaoemail.json"));
    const QString ok250 = "250 OK";
    teste::ServidorRoteiro semCopia(
        {"220 pronto", ok250, ok250, ok250, "553 5.7.1 copia nao", "354 pode", "250 fila 9", "221 tchau"});
    G().DadosEmail.ServidorSMTP = semCopia.Endereco();
    o.email = "compras@cliente.com.br";
    email->show();
    vistas = respostas.vistas.size();
    btEnviar->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !email->isVisible(); }, 15000));
    EXPECT_EQ(email->result(), QDialog::Accepted);
    EXPECT_EQ(respostas.vistas.mid(vistas),
              QStringList({"Mensagem enviada com sucesso!",
                           "O servidor recusou a cópia para <vendas@dravolin.com.br>; a mensagem segue sem ela.\r\n"
                           "Resposta do servidor: 553 5.7.1 copia nao"}));
    EXPECT_TRUE(semCopia.comandos.contains("<dados>"));

    // "Cancelar" while the server is silent ends the wait at once; nothing
    // more comes of that sending. Closed, the window gives the keyboard
    // back: Ctrl+S saves again.
    teste::ServidorRoteiro calado({"220 pronto", ""});
    G().DadosEmail.ServidorSMTP = calado.Endereco();
    email->DefinePrazos(PrazosSmtp::Todos(300));
    email->show();
    vistas = respostas.vistas.size();
    btEnviar->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return calado.comandos.size() == 1; }, 5000));
    EXPECT_TRUE(email->Enviando());
    clica(email, "BitBtn1");
    EXPECT_FALSE(email->isVisible());
    EXPECT_FALSE(email->Enviando());
    QTest::qWait(500);
    EXPECT_EQ(respostas.vistas.size(), vistas);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    int salvou = 0;
    DefineSalvaOrcamento([&] {
        ++salvou;
        return int(ID_CANCEL);
    });
    SetAlterado(true);
    QTest::keyClick(janela, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return salvou == 1; }, 2000));
    email->DefinePrazos({});
}

// "Anexar PDF" ticked: beside the proposal document, one PDF with the
// proposal's pages and the sheets of the ready items, named after the
// quotation; a PDF that cannot be made stops the sending with a message.
TEST_F(EmailJanelas, AnexaOPdfDaPropostaEDasFolhas) {
    teste::ServidorSmtpLocal servidor;
    ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
    ASSERT_TRUE(teste::MontaOrcamento(dados + QLatin1Char('/'), 3));
    auto &g = G();
    g.Pagina.Logotipo = LogotipoProposta();
    g.Itens[2].Qtd = 0;
    g.Orcamento.email = QStringLiteral("compras@cliente.com.br");
    g.DadosEmail.EmailRemetente = QStringLiteral("vendas@dravolinbrum.com.br");
    g.DadosEmail.ServidorSMTP = servidor.Endereco();
    const QByteArray html = ParaWin1252("<html>\r\nProposta\r\n</html>\r\n");
    DefineFonteAnexoEmail([&] { return html; });

    email->show();
    QApplication::processEvents();
    auto *ckb = em<QCheckBox>(email, "ckbAnexarPDF");
    EXPECT_EQ(ckb->text(), QStringLiteral("&Anexar PDF"));
    EXPECT_FALSE(ckb->isChecked());
    em<QCheckBox>(email, "ckbCopia")->setChecked(false);
    QTest::mouseClick(ckb, Qt::LeftButton, {}, QPoint(4, ckb->height() / 2));
    ASSERT_TRUE(ckb->isChecked());
    captura(email, "email_anexar_pdf");
    em<QPushButton>(email, "btEnviar")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !email->isVisible(); }, 30000)) << textos(respostas.vistas);
    EXPECT_EQ(respostas.vistas.last(), "Mensagem enviada com sucesso!");
    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    ASSERT_EQ(m["anexos"].size(), 2u) << m.dump();
    EXPECT_EQ(m["anexos"][0]["nome"], "proposta.xls");
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
    EXPECT_EQ(m["anexos"][1]["nome"], "proposta_0012_03.pdf");
    EXPECT_EQ(m["anexos"][1]["tipo"], "application/pdf");
    const QByteArray pdf = QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][1]["dados"].get<std::string>()));
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    const QString arquivo = dir.filePath(QStringLiteral("anexo.pdf"));
    QFile f(arquivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(pdf);
    f.close();
    const QString t = textoPdf(arquivo);
    for (const char *esperado : {"Ponto de Operação", "Folha 1 de 2", "Folha 2 de 2", "EX-01", "EX-03", "FEI", "dB(A)"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_FALSE(t.contains(QStringLiteral("Folha 3 de")));

    // The PDF cannot be made: said, nothing sent.
    DefineFontePdfEmail([] { return QByteArray(); });
    email->show();
    QApplication::processEvents();
    EXPECT_TRUE(ckb->isChecked());
    em<QPushButton>(email, "btEnviar")->click();
    EXPECT_EQ(respostas.vistas.last(), "Não foi possível gerar o PDF da proposta.");
    EXPECT_EQ(respostas.estilos.back(), MB_ERRO);
    EXPECT_TRUE(email->isVisible());
    EXPECT_EQ(servidor.Quantas(), 1);
    email->reject();
}
