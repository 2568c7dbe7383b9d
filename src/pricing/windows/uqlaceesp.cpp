#include "pricing/windows/uqlaceesp.h"

#include "quotation/orcamento.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "ui/botoes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellora {

TfrmAceEsp::TfrmAceEsp(QWidget *pai) : QDialog(pai) {
    setObjectName(QStringLiteral("TfrmAceEsp"));
    setWindowTitle(QStringLiteral("Acessórios"));
    setModal(true);
    DefineContextoAjuda(this, AJUDA_CONFIGURA);

    lbModelo_ = new QLabel(this);
    lbModelo_->setObjectName(QStringLiteral("lbModelo"));
    lbModelo_->setAlignment(Qt::AlignCenter);
    QFont f = lbModelo_->font();
    f.setBold(true);
    f.setPixelSize(13);
    lbModelo_->setFont(f);

    edDenominacao_ = new QLineEdit(this);
    edDenominacao_->setObjectName(QStringLiteral("edDenominacao"));
    edDenominacao_->setMaxLength(25);
    auto *rotulo = new QLabel(QStringLiteral("&Descrição"), this);
    rotulo->setBuddy(edDenominacao_);

    const BotoesOkCancela botoes = CriaBotoesOkCancela(this, QStringLiteral("BitBtn1"), QStringLiteral("BitBtn2"));
    connect(botoes.ok, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(botoes.cancela, &QPushButton::clicked, this, &QDialog::reject);

    auto *campo = new QHBoxLayout;
    campo->addWidget(rotulo);
    campo->addWidget(edDenominacao_, 1);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(16, 12, 16, 12);
    l->addWidget(lbModelo_);
    l->addSpacing(6);
    l->addLayout(campo);
    l->addStretch();
    l->addLayout(botoes.linha);
    resize(573, 136);
}

QString TfrmAceEsp::Denominacao() const { return edDenominacao_->text().trimmed(); }

void TfrmAceEsp::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    lbModelo_->setText(LegendaModelo());
    edDenominacao_->clear();
    edDenominacao_->setFocus();
}

void TfrmAceEsp::BitBtn1Click() {
    if (Denominacao().isEmpty()) {
        edDenominacao_->setFocus();
        Mensagem(QStringLiteral("Você precisa informar um valor para a descrição!"), MB_OK_EXCLAMACAO);
        return;
    }
    accept();
}

QWidget *CriaTfrmAceEsp(QWidget *painel, const EntradaJanela &) {
    auto *d = new TfrmAceEsp(painel ? painel->window() : nullptr);
    d->hide();
    return d;
}

} // namespace quellora
