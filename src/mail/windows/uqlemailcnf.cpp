#include "mail/windows/uqlemailcnf.h"

#include "mail/chaveiro.h"
#include "mail/conexaoemail.h"
#include "mail/dadosemail.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace quellora {

const char *const TextoEmailCnfTopo =
    "Informe no campo abaixo o email pelo qual você deseja enviar e/ou receber suas propostas.";

// Line feed then carriage return after each line, as the window always had.
const char *const TextoEmailCnfInstrucoes =
    "1. abra o Outolook;\n\r"
    "2. clique em Ferramentas/Contas;\n\r"
    "3. clique na aba correio;\n\r"
    "4. clique sobre a conta que deseja utilizar e em Propriedades\n\r"
    "5. copie o conteúdo da entrada \"End. eletrônico\" para o campo \"End. eletrônico\"\n\r"
    "6. clique na aba servidores\n\r"
    "6. copie o conteúdo do campo \"Mensagens enviadas (SMTP)\"\n\r"
    "7. informe o conteúdo do item anterior\n\r"
    "8. pressione Esc para fechar as janelas e feche o programa de email.";

namespace {

// Blanks around a text cost nothing: the box holds as many characters as
// the file keeps once the text is trimmed.
class ValidadorAparado : public QValidator {
public:
    ValidadorAparado(int maximo, QObject *pai) : QValidator(pai), maximo_(maximo) {}
    State validate(QString &texto, int &pos) const override {
        if (texto.trimmed().size() <= maximo_)
            return Acceptable;
        qsizetype inicio = 0;
        while (inicio < texto.size() && texto.at(inicio).isSpace())
            ++inicio;
        texto = texto.left(inicio + maximo_);
        pos = std::min(pos, static_cast<int>(texto.size()));
        return Acceptable;
    }

private:
    int maximo_;
};

const char *const TextosSeguranca[] = {"Nenhuma", "STARTTLS", "SSL/TLS"}; // in SegurancaSmtp's order

} // namespace

TfrmEmailCnf::TfrmEmailCnf(QWidget *pai) : QDialog(pai) {
    setObjectName(QStringLiteral("TfrmEmailCnf"));
    setWindowTitle(QStringLiteral("Configuração de email"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    DefineContextoAjuda(this, AJUDA_EMAILCNF);

    Label1_ = new QLabel(this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setWordWrap(true);

    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    const struct {
        const char *nome;
        const char *rotulo;
        QLineEdit **ed;
    } caixas[] = {{"edNome", "Nome", &edNome_},
                  {"edEmail", "End. eletrônico", &edEmail_},
                  {"edSMTP", "Servidor (SMTP)", &edSMTP_}};
    int linha = 0;
    for (const auto &c : caixas) {
        auto *ed = new QLineEdit(this);
        ed->setObjectName(QString::fromLatin1(c.nome));
        ed->setValidator(new ValidadorAparado(MaxCampoEmail, ed));
        auto *rot = new QLabel(QString::fromUtf8(c.rotulo), this);
        rot->setBuddy(ed);
        grade->addWidget(rot, linha, 0);
        grade->addWidget(ed, linha++, 1, 1, 4);
        connect(ed, &QLineEdit::textChanged, this, &TfrmEmailCnf::Habilita);
        *c.ed = ed;
    }
    // How the server is reached: port and security side by side (choosing
    // one offers its usual partner), then the login.
    auto rotulo = [&](const char *texto, QWidget *w, int l, int c) {
        auto *rot = new QLabel(QString::fromUtf8(texto), this);
        rot->setBuddy(w);
        grade->addWidget(rot, l, c);
    };
    cbPorta_ = new QComboBox(this);
    cbPorta_->setObjectName(QStringLiteral("cbPorta"));
    cbPorta_->setEditable(true);
    cbPorta_->addItems({QStringLiteral("25"), QStringLiteral("465"), QStringLiteral("587")});
    cbPorta_->setValidator(new QIntValidator(1, 65535, cbPorta_));
    cbPorta_->setInsertPolicy(QComboBox::NoInsert);
    cbSeguranca_ = new QComboBox(this);
    cbSeguranca_->setObjectName(QStringLiteral("cbSeguranca"));
    for (const char *t : TextosSeguranca)
        cbSeguranca_->addItem(QString::fromLatin1(t));
    rotulo("Porta", cbPorta_, linha, 0);
    grade->addWidget(cbPorta_, linha, 1);
    rotulo("Segurança", cbSeguranca_, linha, 2);
    grade->addWidget(cbSeguranca_, linha++, 3);
    connect(cbPorta_, &QComboBox::activated, this, &TfrmEmailCnf::PortaEscolhida);
    connect(cbSeguranca_, &QComboBox::activated, this, &TfrmEmailCnf::SegurancaEscolhida);
    edUsuario_ = new QLineEdit(this);
    edUsuario_->setObjectName(QStringLiteral("edUsuario"));
    edUsuario_->setValidator(new ValidadorAparado(MaxUsuarioEmail, edUsuario_));
    rotulo("Usuário", edUsuario_, linha, 0);
    grade->addWidget(edUsuario_, linha++, 1, 1, 4);
    edSenha_ = new QLineEdit(this);
    edSenha_->setObjectName(QStringLiteral("edSenha"));
    edSenha_->setEchoMode(QLineEdit::Password);
    rotulo("Senha", edSenha_, linha, 0);
    grade->addWidget(edSenha_, linha++, 1, 1, 4);
    lbSenha_ = new QLabel(this);
    lbSenha_->setObjectName(QStringLiteral("lbSenha"));
    lbSenha_->setWordWrap(true);
    QFont menor = lbSenha_->font();
    menor.setPointSizeF(menor.pointSizeF() * 0.9);
    lbSenha_->setFont(menor);
    grade->addWidget(lbSenha_, linha++, 1, 1, 4);
    edCertificado_ = new QLineEdit(this);
    edCertificado_->setObjectName(QStringLiteral("edCertificado"));
    edCertificado_->setPlaceholderText(QStringLiteral("SHA-256 de um certificado próprio do servidor"));
    auto *btCertificado = new QPushButton(QStringLiteral("A&rquivo..."), this);
    btCertificado->setObjectName(QStringLiteral("btCertificado"));
    btCertificado->setAutoDefault(false);
    connect(btCertificado, &QPushButton::clicked, this, &TfrmEmailCnf::btCertificadoClick);
    rotulo("Certificado", edCertificado_, linha, 0);
    grade->addWidget(edCertificado_, linha, 1, 1, 3);
    grade->addWidget(btCertificado, linha++, 4);
    grade->setColumnStretch(1, 1);
    grade->setColumnStretch(3, 1);

    auto *instrucoes = new QFrame(this);
    instrucoes->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Label5_ = new QLabel(instrucoes);
    Label5_->setObjectName(QStringLiteral("Label5"));
    QFont negrito = Label5_->font();
    negrito.setBold(true);
    Label5_->setFont(negrito);
    Label2_ = new QLabel(instrucoes);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label2_->setWordWrap(true);
    Label2_->setTextFormat(Qt::PlainText);
    auto *li = new QVBoxLayout(instrucoes);
    li->addWidget(Label5_);
    li->addWidget(Label2_);
    li->addStretch();

    btOK_ = new QPushButton(QStringLiteral("OK"), this);
    btOK_->setObjectName(QStringLiteral("btOK"));
    btOK_->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    btOK_->setDefault(true);
    auto *BitBtn2 = new QPushButton(QStringLiteral("Cancela"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setIcon(QIcon(QStringLiteral(":/imagens/cancela.svg")));
    auto *BitBtn1 = new QPushButton(QStringLiteral("&Ajuda"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(QIcon(QStringLiteral(":/imagens/ajuda.svg")));
    BitBtn1->setAutoDefault(false);
    connect(btOK_, &QPushButton::clicked, this, &TfrmEmailCnf::btOKClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, [] { MostraAjuda(AJUDA_EMAILCNF); });
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton *b : {btOK_, BitBtn2, BitBtn1}) {
        b->setMinimumWidth(90);
        botoes->addWidget(b);
    }

    auto *l = new QVBoxLayout(this);
    l->addWidget(Label1_);
    l->addSpacing(4);
    l->addLayout(grade);
    l->addSpacing(6);
    l->addWidget(instrucoes);
    l->addLayout(botoes);
    setTabOrder(edNome_, edEmail_);
    setTabOrder(edEmail_, edSMTP_);
    setTabOrder(edSMTP_, cbPorta_);
    setTabOrder(cbPorta_, cbSeguranca_);
    setTabOrder(cbSeguranca_, edUsuario_);
    setTabOrder(edUsuario_, edSenha_);
    setTabOrder(edSenha_, edCertificado_);
    setTabOrder(edCertificado_, btCertificado);
    resize(520, 540);
    Habilita();
}

void TfrmEmailCnf::showEvent(QShowEvent *e) {
    const auto &g = G();
    const TDadosEmail &d = g.DadosEmail;
    TConexaoEmail cx;
    QString erro;
    if (!CarregaConexaoEmail(g.DirDados, cx, &erro))
        QTimer::singleShot(0, this, [erro] { MensagemErro(erro); });
    // The port, once given with the server's name, shows in its own box.
    QString host;
    quint16 porta = 0;
    bool explicita = false;
    if (!SeparaServidor(d.ServidorSMTP, &host, &porta, &explicita))
        host = d.ServidorSMTP.trimmed();
    if (cx.Porta != 0)
        porta = static_cast<quint16>(cx.Porta);
    else if (!explicita)
        porta = PortaPadrao(cx.Seguranca);
    edNome_->setText(d.NomeRemetente.trimmed());
    edEmail_->setText(d.EmailRemetente.trimmed());
    edSMTP_->setText(host);
    cbPorta_->setCurrentText(QString::number(porta));
    cbSeguranca_->setCurrentIndex(static_cast<int>(cx.Seguranca));
    edUsuario_->setText(cx.Usuario);
    edSenha_->clear();
    contaAntes_ = ContaSenhaEmail(d, cx);
    edSenha_->setPlaceholderText(contaAntes_.isEmpty() ? QString()
                                                       : QStringLiteral("em branco: fica a senha já guardada"));
    lbSenha_->setText(CofreDoUsuario(g.DirDados)->Onde());
    edCertificado_->setText(TextoImpressaoDigital(cx.Certificado));
    Label1_->setText(QString::fromUtf8(TextoEmailCnfTopo));
    Label5_->setText(QStringLiteral("Instruções"));
    Label2_->setText(QString::fromUtf8(TextoEmailCnfInstrucoes));
    Habilita();
    edNome_->setFocus();
    QDialog::showEvent(e);
    if (QScreen *tela = screen())
        move(tela->availableGeometry().center() - rect().center());
}

void TfrmEmailCnf::Habilita() {
    btOK_->setEnabled(!edEmail_->text().trimmed().isEmpty() && !edSMTP_->text().trimmed().isEmpty());
}

void TfrmEmailCnf::PortaEscolhida() {
    const QString p = cbPorta_->currentText();
    if (p == QLatin1String("587"))
        cbSeguranca_->setCurrentIndex(static_cast<int>(SegurancaSmtp::StartTls));
    else if (p == QLatin1String("465"))
        cbSeguranca_->setCurrentIndex(static_cast<int>(SegurancaSmtp::Ssl));
}

void TfrmEmailCnf::SegurancaEscolhida() {
    // A port of its own is left alone; one of the usual ones follows.
    const QString p = cbPorta_->currentText();
    if (p != QLatin1String("25") && p != QLatin1String("465") && p != QLatin1String("587") && !p.isEmpty())
        return;
    cbPorta_->setCurrentText(QString::number(PortaPadrao(static_cast<SegurancaSmtp>(cbSeguranca_->currentIndex()))));
}

void TfrmEmailCnf::btCertificadoClick() {
    const QString arq = escolheCertificado
                            ? escolheCertificado()
                            : QFileDialog::getOpenFileName(this, QStringLiteral("Certificado do servidor"), QString(),
                                                           QStringLiteral("Certificados (*.pem *.crt *.cer *.der)"));
    if (arq.isEmpty())
        return;
    QByteArray digital;
    QString erro;
    if (!ImpressaoDigitalDeArquivo(arq, &digital, &erro)) {
        MensagemErro(erro);
        return;
    }
    edCertificado_->setText(TextoImpressaoDigital(digital));
}

void TfrmEmailCnf::btOKClick() {
    if (!btOK_->isEnabled())
        return;
    auto &g = G();
    // Refused values keep the window open, the settings as they were.
    QString host;
    quint16 porta = 0;
    bool explicita = false;
    bool portaOk = false;
    const uint escolhida = cbPorta_->currentText().trimmed().toUInt(&portaOk);
    if (!SeparaServidor(edSMTP_->text(), &host, &porta, &explicita) || host.isEmpty()) {
        Mensagem(QStringLiteral("Servidor (SMTP): «%1» não é um nome de servidor.").arg(edSMTP_->text().trimmed()));
        return;
    }
    if (!explicita && (!portaOk || escolhida < 1 || escolhida > 65535)) {
        Mensagem(QStringLiteral("Porta: «%1» não é um número. Informe a porta do servidor, de 1 a 65535.")
                     .arg(cbPorta_->currentText().trimmed()));
        return;
    }
    QByteArray certificado;
    const QString textoCertificado = edCertificado_->text().trimmed();
    if (!textoCertificado.isEmpty() && !LeImpressaoDigital(textoCertificado, &certificado)) {
        Mensagem(QStringLiteral("Certificado: «%1» não é uma impressão digital SHA-256. Informe os 64 algarismos "
                                "hexadecimais ou escolha o arquivo do certificado.")
                     .arg(textoCertificado));
        return;
    }
    TConexaoEmail cx;
    QString erro;
    if (!CarregaConexaoEmail(g.DirDados, cx, &erro))
        cx = TConexaoEmail{}; // a damaged file gives way to the new settings
    cx.Porta = explicita ? porta : static_cast<int>(escolhida);
    cx.Seguranca = static_cast<SegurancaSmtp>(cbSeguranca_->currentIndex());
    cx.Usuario = edUsuario_->text().trimmed();
    cx.Certificado = certificado;
    DefineDadosEmail(g.DadosEmail, edNome_->text(), edEmail_->text(), host);
    // A failed write is reported; the new settings hold for this run.
    if (!SaveEmailSettings(g.DirDados, &erro))
        MensagemErro(erro);
    if (!GravaConexaoEmail(g.DirDados, cx, &erro))
        MensagemErro(erro);
    const QString conta = ContaSenhaEmail(g.DadosEmail, cx);
    const auto cofre = CofreDoUsuario(g.DirDados);
    const QString onde = lbSenha_->text();
    if (!contaAntes_.isEmpty() && conta.isEmpty() && !cofre->Apaga(contaAntes_, &erro))
        MensagemErro(erro);
    if (!conta.isEmpty() && !edSenha_->text().isEmpty()) {
        if (!cofre->Grava(conta, edSenha_->text(), &erro))
            MensagemErro(erro);
        else if (cofre->Onde() != onde)
            Mensagem(cofre->Onde());
    }
    edSenha_->clear();
    accept();
}

QWidget *CriaTfrmEmailCnf(QWidget *painel, const EntradaJanela &) {
    auto *d = new TfrmEmailCnf(painel ? painel->window() : nullptr);
    d->hide();
    return d;
}

bool ConfiguraEmail(QWidget *pai) {
    QPointer<TfrmEmailCnf> janela = qobject_cast<TfrmEmailCnf *>(JanelaClasse("TfrmEmailCnf"));
    std::unique_ptr<TfrmEmailCnf> propria;
    if (!janela) {
        propria = std::make_unique<TfrmEmailCnf>(pai ? pai : QApplication::activeWindow());
        janela = propria.get();
    }
    return janela->exec() == QDialog::Accepted;
}

} // namespace quellora
