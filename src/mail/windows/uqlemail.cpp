#include "mail/windows/uqlemail.h"

#include "mail/chaveiro.h"
#include "mail/conexaoemail.h"
#include "mail/envio.h"
#include "mail/mime.h"
#include "mail/windows/uqlemailcnf.h"
#include "proposal/folha_tecnica.h"
#include "proposal/proposta.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/servicos.h"

#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace quellora {

namespace {
FonteAnexoEmail &Fonte() {
    static FonteAnexoEmail f = [] { return PropostaHTML(); };
    return f;
}
} // namespace

void DefineFonteAnexoEmail(FonteAnexoEmail fonte) {
    Fonte() = fonte ? std::move(fonte) : FonteAnexoEmail([] { return PropostaHTML(); });
}

namespace {
FonteAnexoEmail PdfPadrao() {
    return [] { return PropostaEFolhasPDF(FolhasDoOrcamento(G())); };
}
FonteAnexoEmail &FontePdf() {
    static FonteAnexoEmail f = PdfPadrao();
    return f;
}
} // namespace

void DefineFontePdfEmail(FonteAnexoEmail fonte) { FontePdf() = fonte ? std::move(fonte) : PdfPadrao(); }

TfrmEmail::TfrmEmail(QWidget *pai) : QDialog(pai), cliente_(new ClienteSmtp(this)) {
    setObjectName(QStringLiteral("TfrmEmail"));
    setWindowTitle(QStringLiteral("Enviar e-mail"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    DefineContextoAjuda(this, AJUDA_EMAIL);

    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(8);
    auto caixa = [&](const char *nome, const char *rotulo, int linha) {
        auto *ed = new QLineEdit(this);
        ed->setObjectName(QString::fromLatin1(nome));
        auto *rot = new QLabel(QString::fromUtf8(rotulo), this);
        rot->setBuddy(ed);
        grade->addWidget(rot, linha, 0);
        grade->addWidget(ed, linha, 1);
        return ed;
    };
    edSendTo_ = caixa("edSendTo", "Para", 0);
    edSubject_ = caixa("edSubject", "Assunto", 1);
    ckbCopia_ = new QCheckBox(QStringLiteral("&Desmarque se você não deseja receber uma cópia"), this);
    ckbCopia_->setObjectName(QStringLiteral("ckbCopia"));
    ckbCopia_->setChecked(true);
    grade->addWidget(ckbCopia_, 2, 1);
    ckbAnexarPDF_ = new QCheckBox(QStringLiteral("&Anexar PDF"), this);
    ckbAnexarPDF_->setObjectName(QStringLiteral("ckbAnexarPDF"));
    ckbAnexarPDF_->setToolTip(QStringLiteral("Anexa também as páginas da proposta e as folhas técnicas em PDF"));
    grade->addWidget(ckbAnexarPDF_, 3, 1);

    Label3_ = new QLabel(QStringLiteral("Conteúdo"), this);
    Label3_->setObjectName(QStringLiteral("Label3"));
    Memo1_ = new QPlainTextEdit(this);
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setTabChangesFocus(true);
    Memo1_->installEventFilter(this);
    Label3_->setBuddy(Memo1_);
    Label5_ = new QLabel(QStringLiteral("Status"), this);
    Label5_->setObjectName(QStringLiteral("Label5"));
    mMessages_ = new QPlainTextEdit(this);
    mMessages_->setObjectName(QStringLiteral("mMessages"));
    mMessages_->setReadOnly(true);
    mMessages_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label5_->setBuddy(mMessages_);

    btEnviar_ = new QPushButton(QStringLiteral("&Enviar e-mail"), this);
    btEnviar_->setObjectName(QStringLiteral("btEnviar"));
    btEnviar_->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    btEnviar_->setEnabled(false);
    auto *BitBtn1 = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(QIcon(QStringLiteral(":/imagens/cancela.svg")));
    auto *BitBtn3 = new QPushButton(QStringLiteral("&Configurar"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    connect(btEnviar_, &QPushButton::clicked, this, &TfrmEmail::btEnviarClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmEmail::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmEmail::BitBtn3Click);
    auto *botoes = new QHBoxLayout;
    for (QPushButton *b : {btEnviar_, BitBtn3}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(100);
        botoes->addWidget(b);
    }
    botoes->addStretch();
    BitBtn1->setMinimumWidth(100);
    BitBtn1->setAutoDefault(false);
    botoes->addWidget(BitBtn1);

    auto *l = new QVBoxLayout(this);
    l->addLayout(grade);
    l->addSpacing(4);
    l->addWidget(Label3_);
    l->addWidget(Memo1_, 1);
    l->addWidget(Label5_);
    l->addWidget(mMessages_, 1);
    l->addLayout(botoes);
    resize(520, 400);
    MostraStatus(false, true);

    connect(cliente_, &ClienteSmtp::Cifrado, this, &TfrmEmail::Cifrou);
    connect(cliente_, &ClienteSmtp::Conectado, this, &TfrmEmail::Conectou);
    connect(cliente_, &ClienteSmtp::Concluido, this, &TfrmEmail::Concluiu);
}

TfrmEmail::~TfrmEmail() = default;

void TfrmEmail::MostraStatus(bool status, bool texto) {
    Label5_->setVisible(status);
    mMessages_->setVisible(status);
    Label3_->setVisible(texto);
    Memo1_->setVisible(texto);
    // Alone, the status lines take the text's room; beside it, a few lines.
    mMessages_->setMaximumHeight(texto ? 110 : QWIDGETSIZE_MAX);
}

void TfrmEmail::Status(const QString &linha) { mMessages_->appendPlainText(linha); }

void TfrmEmail::showEvent(QShowEvent *e) {
    const auto &g = G();
    marcador_ = true;
    Memo1_->setPlainText(QString::fromLatin1(TextoMarcadorEmail));
    mMessages_->clear();
    MostraStatus(false, true);
    const bool configurado = !g.DadosEmail.ServidorSMTP.trimmed().isEmpty();
    btEnviar_->setEnabled(configurado);
    edSendTo_->setText(g.Orcamento.email.trimmed());
    edSubject_->setText(AssuntoProposta(g.Orcamento));
    (edSendTo_->text().isEmpty() ? edSendTo_ : edSubject_)->setFocus();
    QDialog::showEvent(e);
    if (QScreen *tela = screen())
        move(tela->availableGeometry().center() - rect().center());
    if (!configurado)
        // Once the window is up, in front of it.
        QTimer::singleShot(0, this, [] {
            Mensagem(QStringLiteral("Você precisa informar alguns dados antes de poder enviar um e-mail.\r\n"
                                    "Clique no botão \"Configurar\""));
        });
}

bool TfrmEmail::eventFilter(QObject *o, QEvent *e) {
    // Entering the text box the first time clears the placeholder.
    if (o == Memo1_ && e->type() == QEvent::FocusIn && marcador_) {
        marcador_ = false;
        Memo1_->clear();
    }
    return QDialog::eventFilter(o, e);
}

void TfrmEmail::BitBtn3Click() {
    if (ConfiguraEmail(this))
        btEnviar_->setEnabled(!Enviando());
}

void TfrmEmail::btEnviarClick() {
    if (Enviando() || !btEnviar_->isEnabled())
        return;
    const auto &g = G();
    const auto &config = g.DadosEmail;
    // The connection's settings and the login's password, before anything
    // is shown as under way.
    TConexaoEmail conexao;
    QString senha;
    QString erro;
    if (!CarregaConexaoEmail(g.DirDados, conexao, &erro)) {
        MensagemErro(erro);
        return;
    }
    const QString conta = ContaSenhaEmail(config, conexao);
    if (!conta.isEmpty()) {
        if (!CofreDoUsuario(g.DirDados)->Le(conta, &senha, &erro)) {
            MensagemErro(erro);
            return;
        }
        if (senha.isEmpty()) {
            Mensagem(QStringLiteral("Nenhuma senha guardada para o usuário \"%1\".\r\n"
                                    "Clique no botão \"Configurar\" e informe a senha.")
                         .arg(conexao.Usuario.trimmed()));
            return;
        }
    }
    // The PDF beside the proposal document, made before anything is shown
    // as under way.
    QList<AnexoMime> outros;
    if (ckbAnexarPDF_->isChecked()) {
        QByteArray pdf;
        {
            CursorOcupado ocupado;
            pdf = FontePdf()();
        }
        if (pdf.isEmpty()) {
            MensagemErro(QStringLiteral("Não foi possível gerar o PDF da proposta."));
            return;
        }
        outros << AnexoMime{NomeAnexoPDF(g.Orcamento.NumOrc), QByteArrayLiteral("application/pdf"), pdf};
    }
    mMessages_->clear();
    ocupado_.emplace();
    btEnviar_->setEnabled(false);
    MostraStatus(true, false);
    const QByteArray anexo = Fonte()();
    destino_ = edSendTo_->text();
    Status(QStringLiteral("Inicializando conexão com o servidor. Aguarde..."));
    EnvioSmtp envio = MontaEnvioProposta(config, destino_, ckbCopia_->isChecked() ? config.EmailRemetente : QString(),
                                         edSubject_->text(), Memo1_->toPlainText().split(QLatin1Char('\n')), anexo,
                                         QDateTime::currentDateTime(), outros);
    AplicaConexaoEmail(envio, conexao, senha);
    cliente_->Envia(envio);
}

void TfrmEmail::Cifrou() { Status(QStringLiteral("Conexão criptografada (TLS).")); }

void TfrmEmail::Conectou() { Status(QStringLiteral("Enviando mensagem")); }

void TfrmEmail::Encerra() {
    ocupado_.reset();
    btEnviar_->setEnabled(!G().DadosEmail.ServidorSMTP.trimmed().isEmpty());
}

void TfrmEmail::Concluiu(const ResultadoSmtp &r) {
    if (!ocupado_)
        return;
    if (!r.Ok) {
        // The refusal and the server's words stay on view; the user may
        // correct the address or the settings and send again.
        for (const QString &linha : r.Erro.split(QLatin1Char('\n')))
            Status(linha);
        Encerra();
        MostraStatus(true, true);
        if (r.CertificadoRecusado.isEmpty()) {
            MensagemErro(r.Erro);
            return;
        }
        // A certificate of the office's own: the user may trust it, once.
        const QString pergunta = QString(r.Erro).replace(QLatin1Char('\n'), QStringLiteral("\r\n")) +
                                 QStringLiteral("\r\n\r\nConfiar neste certificado daqui em diante?");
        if (Mensagem(pergunta, MB_SIMNAO_EXCLAMACAO) != ID_SIM)
            return;
        TConexaoEmail conexao;
        QString erro;
        bool guardou = CarregaConexaoEmail(G().DirDados, conexao, &erro);
        if (guardou) {
            conexao.Certificado = r.CertificadoRecusado;
            guardou = GravaConexaoEmail(G().DirDados, conexao, &erro);
        }
        if (!guardou) {
            MensagemErro(erro);
            return;
        }
        Status(QStringLiteral("Certificado guardado como confiável. Clique em \"Enviar e-mail\" de novo."));
        return;
    }
    Status(QStringLiteral("Email enviado para: ") + destino_);
    for (const QString &aviso : r.Avisos)
        for (const QString &linha : aviso.split(QLatin1Char('\n')))
            Status(linha);
    Status(QStringLiteral("OK..."));
    Encerra();
    MensagemInfo(QStringLiteral("Mensagem enviada com sucesso!"));
    for (const QString &aviso : r.Avisos)
        Mensagem(QString(aviso).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    MostraStatus(false, true);
    accept();
}

void TfrmEmail::reject() {
    // Closing while sending abandons the sending.
    if (ocupado_) {
        cliente_->Cancela();
        Encerra();
    }
    QDialog::reject();
}

void TfrmEmail::done(int r) {
    QDialog::done(r);
    // The desktop need not give the keyboard back to the window below: its
    // shortcuts (Ctrl+S) work again at once.
    if (QWidget *p = parentWidget())
        p->window()->activateWindow();
}

QWidget *CriaTfrmEmail(QWidget *painel, const EntradaJanela &) {
    auto *d = new TfrmEmail(painel ? painel->window() : nullptr);
    d->hide();
    return d;
}

} // namespace quellora
