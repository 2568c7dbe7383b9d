#include "shell/windows/uqltextomodelo.h"

#include "catalogue/arquivos.h"
#include "shell/estado.h"
#include "shell/rtf.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QVBoxLayout>

namespace quellora {

TfrmTextoModelo::TfrmTextoModelo(QWidget *painel) : QWidget(painel) {
    setObjectName(QStringLiteral("TfrmTextoModelo"));
    setAutoFillBackground(true);
    DefineContextoAjuda(this, AJUDA_PRINCIPAL);

    reTexto_ = new QTextEdit(this);
    reTexto_->setObjectName(QStringLiteral("reTexto"));
    reTexto_->setReadOnly(true);
    reTexto_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    reTexto_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    reTexto_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    reTexto_->setLineWrapMode(QTextEdit::WidgetWidth);
    reTexto_->document()->setDocumentMargin(16);

    auto *BitBtn1 = new QPushButton(QStringLiteral("Retorna"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(QIcon(QStringLiteral(":/imagens/retorna.svg")));
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    BitBtn1->setMinimumWidth(100);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    // Enter and Esc both press it.
    for (const QKeySequence &k : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto *s = new QShortcut(k, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, BitBtn1, &QPushButton::click);
    }

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(BitBtn1);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(8, 8, 8, 8);
    l->addWidget(reTexto_, 1);
    l->addLayout(botoes);

    hide();
    if (painel)
        setGeometry(painel->rect());
}

bool TfrmTextoModelo::mostraTexto(const QString &familia) {
    const QString arq = CaminhoEm(G().DirCatalogo, NomeTextoModelo(familia));
    if (!QFileInfo(arq).isFile()) {
        MensagemInfo(QStringLiteral("Sem informações sobre o modelo [") + familia + QStringLiteral("] "));
        return false;
    }
    QString erro;
    if (!CarregaRtf(arq, *reTexto_->document(), &erro)) {
        MensagemErro(erro);
        return false;
    }
    reTexto_->document()->setDocumentMargin(16);
    reTexto_->moveCursor(QTextCursor::Start);
    arquivo_ = arq;
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    show();
    raise();
    MostraTitulo(QStringLiteral("Modelo"));
    reTexto_->setFocus();
    return true;
}

void TfrmTextoModelo::BitBtn1Click() {
    hide();
    // Back on the main panel: its own title again.
    if (!JanelaAtiva())
        TituloPadrao();
}

QWidget *CriaTfrmTextoModelo(QWidget *painel, const EntradaJanela &) { return new TfrmTextoModelo(painel); }

} // namespace quellora
