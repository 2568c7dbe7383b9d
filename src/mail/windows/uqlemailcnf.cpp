#include "mail/windows/uqlemailcnf.h"

#include "mail/dadosemail.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

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
        ed->setMaxLength(MaxCampoEmail);
        auto *rot = new QLabel(QString::fromUtf8(c.rotulo), this);
        rot->setBuddy(ed);
        grade->addWidget(rot, linha, 0);
        grade->addWidget(ed, linha++, 1);
        connect(ed, &QLineEdit::textChanged, this, &TfrmEmailCnf::Habilita);
        *c.ed = ed;
    }

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
    resize(500, 370);
    Habilita();
}

void TfrmEmailCnf::showEvent(QShowEvent *e) {
    const TDadosEmail &d = G().DadosEmail;
    edNome_->setText(d.NomeRemetente.trimmed());
    edEmail_->setText(d.EmailRemetente.trimmed());
    edSMTP_->setText(d.ServidorSMTP.trimmed());
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

void TfrmEmailCnf::btOKClick() {
    if (!btOK_->isEnabled())
        return;
    auto &g = G();
    DefineDadosEmail(g.DadosEmail, edNome_->text(), edEmail_->text(), edSMTP_->text());
    // A failed write is reported; the new settings hold for this run.
    QString erro;
    if (!SaveEmailSettings(g.DirDados, &erro))
        MensagemErro(erro);
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
