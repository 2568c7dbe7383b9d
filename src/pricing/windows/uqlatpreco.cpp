#include "pricing/windows/uqlatpreco.h"

#include "pricing/atualizacao.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace quellora {

// A dialog of the main window stays on top of it and of the program's other
// windows; a desktop-wide "always on top" would also hide the program's own
// message boxes that follow the report.
TfrmAtPreco::TfrmAtPreco(QWidget *pai) : QDialog(pai) {
    setObjectName(QStringLiteral("TfrmAtPreco"));
    setWindowTitle(QStringLiteral("Atualização de preços"));
    setModal(false);
    setFixedSize(400, 400);
    DefineContextoAjuda(this, AJUDA_CONFIGURA);

    LRes_ = new QListWidget(this);
    LRes_->setObjectName(QStringLiteral("LRes"));
    LRes_->setFixedSize(369, 317);
    LRes_->setUniformItemSizes(true);
    LRes_->setSelectionMode(QAbstractItemView::SingleSelection);

    btOK_ = new QPushButton(QStringLiteral("OK"), this);
    btOK_->setObjectName(QStringLiteral("btOK"));
    btOK_->setDefault(true);
    connect(btOK_, &QPushButton::clicked, this, [this] { btOKClick(); });

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOK_);
    botoes->addStretch();
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(15, 15, 15, 15);
    l->addWidget(LRes_, 0, Qt::AlignHCenter);
    l->addStretch();
    l->addLayout(botoes);
    hide();
}

void TfrmAtPreco::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    if (QScreen *tela = screen())
        move(tela->availableGeometry().center() - rect().center());
}

void TfrmAtPreco::MostraLinhas(const QStringList &linhas) {
    LRes_->clear();
    const QPalette pal = LRes_->palette();
    for (const QString &linha : linhas) {
        const TLinhaRelatorio l = SeparaEstilo(linha);
        auto *item = new QListWidgetItem(l.Texto, LRes_);
        item->setSizeHint(QSize(0, 16));
        QFont f = LRes_->font();
        if (l.Estilo.contains(QLatin1Char('O'))) {
            // The list's heading style: a header section's colours, bold.
            item->setBackground(pal.button().color().darker(112));
            item->setForeground(pal.buttonText());
            f.setBold(true);
        }
        if (l.Estilo.contains(QLatin1Char('B')))
            f.setBold(true);
        if (l.Estilo.contains(QLatin1Char('L')))
            f.setUnderline(true);
        item->setFont(f);
        if (l.Estilo.contains(QLatin1Char('>')))
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        else if (l.Estilo.contains(QLatin1Char('^')))
            item->setTextAlignment(Qt::AlignCenter);
    }
}

bool TfrmAtPreco::AtualizaOrcamento() {
    LRes_->clear();
    show();
    raise();
    TRelatorioPrecos rel;
    QString erro;
    bool ok;
    {
        CursorOcupado ocupado;
        ok = AtualizaPrecos(G().DirCatalogo, rel, &erro);
    }
    if (!ok) {
        hide();
        MensagemErro(erro);
        return false;
    }
    MostraLinhas(rel.Linhas);
    if (LRes_->count() > 0)
        LRes_->setCurrentRow(0);
    activateWindow();
    if (rel.Erro)
        Mensagem(QString::fromUtf8(MsgErroAtualizacao));
    activateWindow();
    LRes_->setFocus();
    return true;
}

void TfrmAtPreco::btOKClick() { close(); }

QWidget *CriaTfrmAtPreco(QWidget *painel, const EntradaJanela &) {
    return new TfrmAtPreco(painel ? painel->window() : nullptr);
}

} // namespace quellora
