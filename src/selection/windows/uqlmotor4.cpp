#include "selection/windows/uqlmotor4.h"

#include "selection/arranjo.h"
#include "shell/numeros.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quellora {

TfrmMotor4::TfrmMotor4(QWidget *pai) : QDialog(pai) {
    setObjectName(QStringLiteral("TfrmMotor4"));
    setWindowTitle(QStringLiteral("Acoplamento direto - motor"));
    setModal(true);
    DefineContextoAjuda(this, AJUDA_MOTOR4);

    lbModelo_ = new QLabel(this);
    lbModelo_->setObjectName(QStringLiteral("lbModelo"));
    lbModelo_->setAlignment(Qt::AlignCenter);
    QFont negrito = lbModelo_->font();
    negrito.setBold(true);
    lbModelo_->setFont(negrito);
    lbRotAtual_ = new QLabel(this);
    lbRotAtual_->setObjectName(QStringLiteral("lbRotAtual"));
    lbRotMax_ = new QLabel(this);
    lbRotMax_->setObjectName(QStringLiteral("lbRotMax"));

    auto *frequencia = new QGroupBox(QStringLiteral("Freqüência"), this);
    frequencia->setObjectName(QStringLiteral("GroupBox1"));
    auto *grade = new QGridLayout(frequencia);
    grade->setHorizontalSpacing(18);
    auto *l60 = new QLabel(QStringLiteral("60Hz"), frequencia);
    auto *l50 = new QLabel(QStringLiteral("50Hz"), frequencia);
    l60->setFont(negrito);
    l50->setFont(negrito);
    grade->addWidget(l60, 0, 0);
    grade->addWidget(l50, 0, 1);
    radios_ = new QButtonGroup(this);
    const char *textos[8] = {"&2 polos (3500)", "&4 polos (1750)", "&6 polos (1150)", "&8 polos (850)",
                             "2 polos (3000)",  "4 polos (1500)",  "6 polos (1000)",  "8 polos (750)"};
    for (int tag = 1; tag <= 8; ++tag) {
        auto *rb = new QRadioButton(QString::fromUtf8(textos[tag - 1]), frequencia);
        rb->setObjectName(QStringLiteral("rb%1").arg(tag));
        radios_->addButton(rb, tag);
        grade->addWidget(rb, 1 + (tag - 1) % 4, (tag - 1) / 4);
    }
    l60->setBuddy(radios_->button(1));
    l50->setBuddy(radios_->button(5));
    connect(radios_, &QButtonGroup::idToggled, this, [this](int tag, bool marcado) {
        if (marcado)
            radioEscolhido(tag);
    });

    edRotacao_ = new QLineEdit(this);
    edRotacao_->setObjectName(QStringLiteral("edRotacao"));
    edRotacao_->setMaxLength(6);
    edRotacao_->setMaximumWidth(110);
    auto *lbRotacao = new QLabel(QStringLiteral("Nova rotação"), this);
    lbRotacao->setBuddy(edRotacao_);
    connect(edRotacao_, &QLineEdit::textChanged, this, [this](const QString &t) {
        btOK_->setEnabled(!t.isEmpty());
        mostraDever();
    });

    // The duty asked for and the one the fan will deliver at the new speed.
    auto *dever = new QGroupBox(QStringLiteral("Ponto de operação"), this);
    dever->setObjectName(QStringLiteral("GroupBox2"));
    auto *gd = new QGridLayout(dever);
    auto valor = [dever](const char *nome) {
        auto *l = new QLabel(dever);
        l->setObjectName(QString::fromLatin1(nome));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    txVazaoPedida_ = valor("txVazaoPedida");
    txPressaoPedida_ = valor("txPressaoPedida");
    txVazaoNova_ = valor("txVazaoNova");
    txPressaoNova_ = valor("txPressaoNova");
    for (QLabel *l : {txVazaoNova_, txPressaoNova_}) {
        l->setFont(negrito);
        l->setStyleSheet(QStringLiteral("color: navy;"));
    }
    gd->addWidget(new QLabel(QStringLiteral("Vazão"), dever), 0, 1, Qt::AlignRight);
    gd->addWidget(new QLabel(QStringLiteral("Pressão estática"), dever), 0, 2, Qt::AlignRight);
    gd->addWidget(new QLabel(QStringLiteral("Pedido"), dever), 1, 0);
    gd->addWidget(txVazaoPedida_, 1, 1);
    gd->addWidget(txPressaoPedida_, 1, 2);
    gd->addWidget(new QLabel(QStringLiteral("Na nova rotação"), dever), 2, 0);
    gd->addWidget(txVazaoNova_, 2, 1);
    gd->addWidget(txPressaoNova_, 2, 2);

    auto *nota = new QLabel(QStringLiteral("As características de desempenho do ventilador serão ajustadas a rotação "
                                           "do motor. Os novos dados aparecem na configuração e folha de dados."),
                            this);
    nota->setObjectName(QStringLiteral("Label1"));
    nota->setWordWrap(true);
    nota->setStyleSheet(QStringLiteral("color: navy;"));

    btOK_ = new QPushButton(QStringLiteral("OK"), this);
    btOK_->setObjectName(QStringLiteral("btOK"));
    btOK_->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    btOK_->setDefault(true);
    btOK_->setMinimumWidth(90);
    btCancela_ = new QPushButton(QStringLiteral("Cancela"), this);
    btCancela_->setObjectName(QStringLiteral("btCancela"));
    btCancela_->setIcon(QIcon(QStringLiteral(":/imagens/cancela.svg")));
    btCancela_->setMinimumWidth(90);
    connect(btOK_, &QPushButton::clicked, this, &TfrmMotor4::btOKClick);
    connect(btCancela_, &QPushButton::clicked, this, &QDialog::reject);

    auto *rotacao = new QHBoxLayout;
    rotacao->addWidget(lbRotacao);
    rotacao->addWidget(edRotacao_);
    rotacao->addStretch();
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOK_);
    botoes->addWidget(btCancela_);

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(16, 14, 16, 14);
    l->setSpacing(10);
    l->addWidget(lbModelo_);
    l->addWidget(lbRotAtual_);
    l->addWidget(lbRotMax_);
    l->addWidget(frequencia);
    l->addLayout(rotacao);
    l->addWidget(dever);
    l->addWidget(nota);
    l->addStretch();
    l->addLayout(botoes);
    resize(343, 520);
}

void TfrmMotor4::Prepara(const QString &modelo, double rotAtual, int rotMax) {
    lbModelo_->setText(modelo);
    lbRotAtual_->setText(QStringLiteral("Rotação atual: ") + FormataFloat(QStringLiteral("0"), rotAtual));
    lbRotMax_->setText(QStringLiteral("Rotação máxima: ") + FormataFloat(QStringLiteral("0"), rotMax));
    RotMaxPermitida = rotMax;
}

namespace {
QString TextoVazao(double v) { return FormataFloat(QStringLiteral(",0"), v) + QStringLiteral(" m³/h"); }
QString TextoPressao(double p) { return FormataFloat(QStringLiteral("0.0"), p) + QStringLiteral(" mmCA"); }
} // namespace

void TfrmMotor4::PreparaDever(double vazaoPedida, double pressaoPedida,
                              std::function<TDeverDireto(int rotacao)> naRotacao) {
    txVazaoPedida_->setText(TextoVazao(vazaoPedida));
    txPressaoPedida_->setText(TextoPressao(pressaoPedida));
    naRotacao_ = std::move(naRotacao);
    mostraDever();
}

void TfrmMotor4::mostraDever() {
    bool ok = false;
    const int n = edRotacao_->text().trimmed().toInt(&ok);
    if (!ok || n < 1 || !naRotacao_) {
        txVazaoNova_->setText(QStringLiteral("-"));
        txPressaoNova_->setText(QStringLiteral("-"));
        return;
    }
    const TDeverDireto d = naRotacao_(n);
    txVazaoNova_->setText(TextoVazao(d.VazaoDireto));
    txPressaoNova_->setText(TextoPressao(d.PressaoDireto));
}

void TfrmMotor4::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    // No speed is proposed until a frequency and poles are chosen again.
    radios_->setExclusive(false);
    for (QAbstractButton *b : radios_->buttons())
        b->setChecked(false);
    radios_->setExclusive(true);
    edRotacao_->clear();
    edRotacao_->setReadOnly(true);
    btOK_->setEnabled(!edRotacao_->text().isEmpty());
    btCancela_->setFocus();
}

void TfrmMotor4::radioEscolhido(int tag) {
    if (tag < 1 || tag > 8)
        return;
    edRotacao_->setText(QString::number(RotacoesMotor[tag]));
    edRotacao_->setReadOnly(false);
    Escolha = tag - 1;
    btOK_->setFocus();
}

void TfrmMotor4::btOKClick() {
    const QString texto = edRotacao_->text();
    bool ok = false;
    NovaRotacao = texto.trimmed().toInt(&ok);
    if (!ok)
        NovaRotacao = 0;
    if (NovaRotacao < 1 || NovaRotacao > RotMaxPermitida) {
        Mensagem(MsgRotacaoInvalida(texto), MB_OK_EXCLAMACAO);
        edRotacao_->setFocus();
        return;
    }
    accept();
}

QWidget *CriaTfrmMotor4(QWidget *painel, const EntradaJanela &) {
    auto *d = new TfrmMotor4(painel ? painel->window() : nullptr);
    d->hide();
    return d;
}

} // namespace quellora
