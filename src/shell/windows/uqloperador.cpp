#include "shell/windows/uqloperador.h"

#include "quotation/orcamento.h"
#include "shell/estado.h"
#include "shell/operador.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace quellora {

TfrmOperador::TfrmOperador(QWidget *painel) : JanelaFilha(QStringLiteral("Operador"), AJUDA_OPERADOR, painel) {
    setObjectName(QStringLiteral("TfrmOperador"));

    auto *grupo = new QGroupBox(QStringLiteral(" Operador "), this);
    grupo->setObjectName(QStringLiteral("GroupBox1"));
    auto *grade = new QGridLayout(grupo);
    grade->setHorizontalSpacing(10);
    grade->setVerticalSpacing(8);
    const struct {
        const char *nome;
        const char *rotulo;
    } campos[7] = {{"edNome", "Nome"},         {"edEndereco", "Endereço"}, {"edCidade", "Cidade/Estado"},
                   {"edFone", "Fone/Fax"},     {"edEmail", "email"},       {"edContato", "Contato"},
                   {"edRepresentante", "Representante"}};
    for (int i = 0; i < 7; ++i) {
        auto *ed = new QLineEdit(grupo);
        ed->setObjectName(QString::fromLatin1(campos[i].nome));
        ed->setMaxLength(MaxCampoOperador[i]);
        auto *rot = new QLabel(QString::fromUtf8(campos[i].rotulo), grupo);
        rot->setObjectName(QStringLiteral("lb") + QString::fromLatin1(campos[i].nome).mid(2));
        rot->setBuddy(ed);
        grade->addWidget(rot, i, 0);
        grade->addWidget(ed, i, 1);
        if (i == 6) {
            // Twenty characters: a shorter box says so.
            ed->setMaximumWidth(ed->fontMetrics().averageCharWidth() * 24 + 12);
        }
        connect(ed, &QLineEdit::textEdited, this, [this] { btOK_->setEnabled(true); });
        edits_[i] = ed;
    }
    grade->setColumnStretch(1, 1);

    btOK_ = new QPushButton(QStringLiteral("&OK"), this);
    btOK_->setObjectName(QStringLiteral("btOK"));
    btOK_->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    btOK_->setDefault(true);
    btOK_->setMinimumWidth(90);
    auto *BitBtn2 = new QPushButton(QStringLiteral("Cancela"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setIcon(QIcon(QStringLiteral(":/imagens/cancela.svg")));
    BitBtn2->setMinimumWidth(90);
    connect(btOK_, &QPushButton::clicked, this, [this] { btOKClick(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, [this] { BitBtn2Click(); });

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOK_);
    botoes->addWidget(BitBtn2);

    auto *corpo = new QVBoxLayout;
    corpo->addWidget(grupo);
    corpo->addSpacing(8);
    corpo->addLayout(botoes);
    auto *caixa = new QWidget(this);
    caixa->setFixedWidth(540);
    caixa->setLayout(corpo);

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(24, 24, 24, 24);
    l->addWidget(caixa, 0, Qt::AlignHCenter | Qt::AlignTop);
    l->addStretch();
}

void TfrmOperador::aoMostrar() {
    const auto &op = G().Operador;
    for (int i = 0; i < 7; ++i)
        edits_[i]->setText(op[i]);
    btOK_->setEnabled(false);
    edits_[0]->setFocus();
    edits_[0]->selectAll();
}

void TfrmOperador::btOKClick() {
    auto &g = G();
    TOperador novo;
    for (int i = 0; i < 7; ++i)
        novo[i] = edits_[i]->text();
    g.Operador = CortaOperador(novo);
    QString erro;
    if (!GravaOperador(g.DirDados, &erro)) {
        MensagemErro(erro);
        return;
    }
    VoltaJanela();
    CopiaOperador();
}

void TfrmOperador::BitBtn2Click() { VoltaJanela(); }

QWidget *CriaTfrmOperador(QWidget *painel, const EntradaJanela &) { return new TfrmOperador(painel); }

} // namespace quellora
