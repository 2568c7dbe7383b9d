#include "selection/windows/uqlaltmotor.h"

#include "catalogue/binario.h"
#include "quotation/orcamento.h"
#include "quotation/registros.h"
#include "shell/numeros.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace quellora {

TfrmAltMotor::TfrmAltMotor(QWidget *pai) : QDialog(pai) {
    setObjectName(QStringLiteral("TfrmAltMotor"));
    setWindowTitle(QStringLiteral("Motor"));
    setModal(true);
    DefineContextoAjuda(this, AJUDA_MOTOR);

    lbModelo_ = new QLabel(this);
    lbModelo_->setObjectName(QStringLiteral("lbModelo"));
    lbModelo_->setAlignment(Qt::AlignCenter);
    QFont f = lbModelo_->font();
    f.setBold(true);
    lbModelo_->setFont(f);

    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(10);
    grade->setVerticalSpacing(6);
    const struct {
        const char *nome;
        const char *rotulo;
        int maximo;
        bool direita;
    } campos[] = {{"edKW", "kW", 12, true},          {"edPolos", "Polos", 2, true},
                  {"edTensao", "Tensão", 12, false}, {"edFrequencia", "Freqüência", 5, false},
                  {"edProtecao", "Proteção", 9, false}, {"edPreco", "Preço de lista", 15, true}};
    QLineEdit *eds[6];
    for (int i = 0; i < 6; ++i) {
        auto *ed = new QLineEdit(this);
        ed->setObjectName(QString::fromLatin1(campos[i].nome));
        ed->setMaxLength(campos[i].maximo);
        if (campos[i].direita)
            ed->setAlignment(Qt::AlignRight);
        auto *rot = new QLabel(QString::fromUtf8(campos[i].rotulo), this);
        rot->setBuddy(ed);
        grade->addWidget(rot, i % 3, 2 * (i / 3));
        grade->addWidget(ed, i % 3, 2 * (i / 3) + 1);
        connect(ed, &QLineEdit::textEdited, this, [this] { btOK_->setEnabled(true); });
        eds[i] = ed;
    }
    edKW_ = eds[0];
    edPolos_ = eds[1];
    edTensao_ = eds[2];
    edFrequencia_ = eds[3];
    edProtecao_ = eds[4];
    edPreco_ = eds[5];
    grade->setColumnStretch(1, 1);
    grade->setColumnStretch(3, 1);

    btOK_ = new QPushButton(QStringLiteral("OK"), this);
    btOK_->setObjectName(QStringLiteral("btOK"));
    btOK_->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    btOK_->setDefault(true);
    btOK_->setMinimumWidth(90);
    auto *btCancela = new QPushButton(QStringLiteral("Cancela"), this);
    btCancela->setObjectName(QStringLiteral("btCancela"));
    btCancela->setIcon(QIcon(QStringLiteral(":/imagens/cancela.svg")));
    btCancela->setMinimumWidth(90);
    connect(btOK_, &QPushButton::clicked, this, &TfrmAltMotor::btOKClick);
    connect(btCancela, &QPushButton::clicked, this, &QDialog::reject);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOK_);
    botoes->addWidget(btCancela);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(14, 12, 14, 12);
    l->setSpacing(12);
    l->addWidget(lbModelo_);
    l->addLayout(grade);
    l->addStretch();
    l->addLayout(botoes);
    resize(429, 242);
}

QLineEdit *TfrmAltMotor::campo(const char *nome) const { return findChild<QLineEdit *>(QString::fromLatin1(nome)); }

void TfrmAltMotor::Preenche(const TItemOrc &it) {
    lbModelo_->setText(LegendaModelo());
    edKW_->setText(FormataFloat(QStringLiteral("0.00"), it.PotMotor));
    edPolos_->setText(QString::number(it.Polos));
    edTensao_->setText(it.Tensao);
    edFrequencia_->setText(it.Frequencia);
    edProtecao_->setText(it.Protecao);
    edPreco_->setText(FormataFloat(QStringLiteral("0.00"), it.PrecoListaMotor));
}

bool TfrmAltMotor::Grava(TItemOrc &it) {
    double kw = 0, polos = 0, preco = 0;
    const struct {
        QLineEdit *ed;
        double *valor;
        const char *nome, *pedido;
        bool inteiro;
    } numeros[] = {{edKW_, &kw, "kW", "Informe a potência do motor em kW.", false},
                   {edPolos_, &polos, "Polos", "Informe o número de polos do motor.", true},
                   {edPreco_, &preco, "Preço de lista", "Informe o preço de lista do motor em R$.", false}};
    for (const auto &n : numeros) {
        const QString t = n.ed->text();
        std::optional<RecusaNumero> recusa;
        if (!(n.inteiro ? LeNumeroInteiro(t, n.valor) : LeNumero(t, n.valor)))
            recusa = n.inteiro && LeNumero(t, nullptr) ? RecusaNumero::NaoEInteiro : RecusaNumero::NaoENumero;
        else if (*n.valor < 0)
            recusa = RecusaNumero::Negativo;
        else if (*n.valor > 1e9)
            recusa = RecusaNumero::GrandeDemais;
        if (recusa) {
            MensagemErro(MsgNumeroRecusado({QString::fromUtf8(n.nome), QString::fromUtf8(n.pedido)}, t, *recusa));
            n.ed->setFocus();
            n.ed->selectAll();
            return false;
        }
    }
    it.PotMotor = kw;
    it.Polos = static_cast<std::int32_t>(polos);
    it.Tensao = CortaStr(edTensao_->text(), 12);
    it.Frequencia = CortaStr(edFrequencia_->text(), 5);
    it.Protecao = CortaStr(edProtecao_->text(), 9);
    it.PrecoListaMotor = preco;
    return true;
}

bool TfrmAltMotor::Edita(TItemOrc &it) {
    Preenche(it);
    destino_ = &it;
    const bool ok = exec() == QDialog::Accepted;
    destino_ = nullptr;
    return ok;
}

void TfrmAltMotor::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    btOK_->setEnabled(false);
    edKW_->setFocus();
}

void TfrmAltMotor::btOKClick() {
    // Through Edita the edits are stored here, so that a refused number keeps
    // the dialog open with what was typed.
    if (destino_ && !Grava(*destino_))
        return;
    accept();
}

QWidget *CriaTfrmAltMotor(QWidget *painel, const EntradaJanela &) {
    auto *d = new TfrmAltMotor(painel ? painel->window() : nullptr);
    d->hide();
    return d;
}

} // namespace quellora
