#include "pricing/windows/uqlcondcom.h"

#include "pricing/condicoes.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "ui/botoes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <functional>

namespace quellora {

namespace {

const QString MsgValidade = QStringLiteral("A validade da proposta pode ser de no máximo %1 dias.\r\n"
                                           "Corrija o número de dias.");
const QString MsgEntrega = QStringLiteral("Cada prazo de entrega pode ser de no máximo %1 dias.\r\n"
                                          "Corrija o número de dias.");
const QString MsgEntregaUnica = QStringLiteral("O prazo de entrega pode ser de no máximo %1 dias.\r\n"
                                               "Corrija o número de dias.");

QLineEdit *Campo(QWidget *pai, const char *nome, int maximo) {
    auto *ed = new QLineEdit(pai);
    ed->setObjectName(QString::fromLatin1(nome));
    ed->setMaxLength(maximo);
    return ed;
}

// An edit as wide as its characters.
void Largura(QLineEdit *ed, int caracteres) {
    ed->setFixedWidth(ed->fontMetrics().horizontalAdvance(QLatin1Char('0')) * caracteres + 16);
}

// A modal dialog's name, caption and help, and its group box of fields.
QGroupBox *Prepara(QDialog *d, const char *nome, const char *titulo) {
    d->setObjectName(QString::fromLatin1(nome));
    d->setWindowTitle(QString::fromUtf8(titulo));
    d->setModal(true);
    DefineContextoAjuda(d, AJUDA_CONDICOES);
    auto *grupo = new QGroupBox(d);
    grupo->setObjectName(QStringLiteral("GroupBox1"));
    return grupo;
}

// The group over the "OK" and "Cancela" row; OK runs 'ok', Cancela rejects.
void Monta(QDialog *d, QGroupBox *grupo, const std::function<void()> &ok) {
    const BotoesOkCancela b = CriaBotoesOkCancela(d, QStringLiteral("btOK"), QStringLiteral("btCancela"));
    QObject::connect(b.ok, &QPushButton::clicked, d, ok);
    QObject::connect(b.cancela, &QPushButton::clicked, d, &QDialog::reject);
    auto *l = new QVBoxLayout(d);
    l->setContentsMargins(12, 10, 12, 10);
    l->addWidget(grupo);
    l->addStretch();
    l->addLayout(b.linha);
}

} // namespace

// --- Commercial conditions ---------------------------------------------------------

TfrmCondCom::TfrmCondCom(QWidget *pai) : QDialog(pai) {
    auto *grupo = Prepara(this, "TfrmCondCom", "Condições comerciais");
    edPagamento_ = Campo(grupo, "edPagamento", 80);
    edIPI_ = Campo(grupo, "edIPI", 2);
    edFrete_ = Campo(grupo, "edFrete", 60);
    edEmbalagem_ = Campo(grupo, "edEmbalagem", 2);
    ckSem_ = new QCheckBox(QStringLiteral("Sem embalagem"), grupo);
    ckSem_->setObjectName(QStringLiteral("ckSem"));
    ckInclusa_ = new QCheckBox(QStringLiteral("Embalagem inclusa"), grupo);
    ckInclusa_->setObjectName(QStringLiteral("ckInclusa"));
    edEntrega_ = Campo(grupo, "edEntrega", 6);
    // Days, or two numbers of days joined by "/".
    edEntrega_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9/]*")), edEntrega_));
    edValidade_ = Campo(grupo, "edValidade", 3);
    Largura(edIPI_, 2);
    Largura(edEmbalagem_, 2);
    Largura(edEntrega_, 6);
    Largura(edValidade_, 3);
    for (QLineEdit *ed : {edIPI_, edEmbalagem_, edEntrega_, edValidade_})
        ed->setAlignment(Qt::AlignRight);

    auto *g = new QGridLayout(grupo);
    g->setVerticalSpacing(8);
    int linha = 0;
    auto rotulo = [&](const char *texto, QLineEdit *ed) {
        auto *l = new QLabel(QString::fromUtf8(texto), grupo);
        l->setBuddy(ed);
        g->addWidget(l, linha, 0);
    };
    rotulo("&Pagamento", edPagamento_);
    g->addWidget(edPagamento_, linha++, 1, 1, 4);
    rotulo("&IPI (%)", edIPI_);
    g->addWidget(edIPI_, linha++, 1);
    rotulo("&Frete", edFrete_);
    g->addWidget(edFrete_, linha++, 1, 1, 4);
    rotulo("E&mbalagem (%)", edEmbalagem_);
    g->addWidget(edEmbalagem_, linha, 1);
    g->addWidget(ckSem_, linha, 2);
    g->addWidget(ckInclusa_, linha++, 3);
    rotulo("&Entrega (dias)", edEntrega_);
    g->addWidget(edEntrega_, linha++, 1);
    rotulo("&Validade (dias)", edValidade_);
    g->addWidget(edValidade_, linha++, 1);
    g->setColumnStretch(4, 1);

    Monta(this, grupo, [this] { btOKClick(); });
    resize(584, 290);

    // The design's defaults, shown until the quotation has conditions of its own.
    edPagamento_->setText(QStringLiteral("30% sinal 70% contra aviso de embarque"));
    edIPI_->setText(QStringLiteral("5"));
    edFrete_->setText(FreteFabricante());
    edEmbalagem_->setText(QStringLiteral("4"));
    edEntrega_->setText(QStringLiteral("25"));
    edValidade_->setText(QStringLiteral("7"));

    for (QLineEdit *ed : {edPagamento_, edIPI_, edFrete_, edEmbalagem_, edEntrega_, edValidade_})
        connect(ed, &QLineEdit::textChanged, this, [this] { FoiAlterado(); });
    connect(ckSem_, &QCheckBox::toggled, this, [this] { FoiAlterado(); });
    connect(ckInclusa_, &QCheckBox::toggled, this, [this] { FoiAlterado(); });

    // Packing: a percentage, none, or included; one of them.
    connect(edEmbalagem_, &QLineEdit::textEdited, this, [this](const QString &t) {
        const bool vazio = t.trimmed().isEmpty();
        ckInclusa_->setChecked(false);
        ckSem_->setChecked(vazio);
    });
    connect(ckSem_, &QCheckBox::clicked, this, [this](bool marcado) {
        if (!marcado)
            return;
        ckInclusa_->setChecked(false);
        edEmbalagem_->clear();
    });
    connect(ckInclusa_, &QCheckBox::clicked, this, [this](bool marcado) {
        if (!marcado)
            return;
        ckSem_->setChecked(false);
        edEmbalagem_->clear();
    });
}

void TfrmCondCom::FoiAlterado() {
    if (!carregando_)
        G().Alterado = true;
}

void TfrmCondCom::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    const TOrcamento &o = G().Orcamento;
    alteradoAntes_ = G().Alterado;
    const TFatores &c = o.FatoresOrc;
    if (c.Entrega != 0) {
        carregando_ = true;
        edPagamento_->setText(c.Pagamento);
        edIPI_->setText(QString::number(c.IPI));
        edFrete_->setText(c.Frete);
        edEmbalagem_->clear();
        ckSem_->setChecked(c.Embalagem < 0);
        ckInclusa_->setChecked(c.Embalagem == 0);
        if (c.Embalagem > 0)
            edEmbalagem_->setText(QString::number(c.Embalagem));
        edEntrega_->setText(DecodificaEntrega(c.Entrega));
        edValidade_->setText(QString::number(c.Validade));
        carregando_ = false;
    }
    edPagamento_->setFocus();
}

void TfrmCondCom::btOKClick() {
    // A field the quotation cannot hold is refused, with its text selected.
    auto recusa = [](QLineEdit *ed, const QString &msg) {
        ed->setFocus();
        ed->selectAll();
        Mensagem(msg, MB_OK_EXCLAMACAO);
    };
    std::uint8_t validade = 0;
    if (!ValidadeDoTexto(edValidade_->text(), &validade)) {
        recusa(edValidade_, MsgValidade.arg(ValidadeMaxima));
        return;
    }
    std::int32_t entrega = 0;
    if (!EntregaDoTexto(edEntrega_->text(), &entrega)) {
        const bool par = edEntrega_->text().contains(QLatin1Char('/'));
        recusa(edEntrega_, par ? MsgEntrega.arg(EntregaMaxima) : MsgEntregaUnica.arg(EntregaUnicaMaxima));
        return;
    }
    TFatores &c = G().Orcamento.FatoresOrc;
    c.Pagamento = edPagamento_->text().left(80);
    c.IPI = InteiroOu(edIPI_->text(), 0);
    c.Frete = edFrete_->text().left(59);
    c.Embalagem = EmbalagemDe(ckInclusa_->isChecked(), ckSem_->isChecked(), edEmbalagem_->text());
    c.Entrega = entrega;
    c.Validade = validade;
    SetAlterado(G().Alterado);
    accept();
}

void TfrmCondCom::reject() {
    // Nothing was stored: the quotation is as changed as it was.
    G().Alterado = alteradoAntes_;
    QDialog::reject();
}

// --- Observations ------------------------------------------------------------------

TfrmObs::TfrmObs(QWidget *pai) : QDialog(pai) {
    auto *grupo = Prepara(this, "TfrmObs", "Observações");
    edLinha1_ = Campo(grupo, "edLinha1", 80);
    edLinha2_ = Campo(grupo, "edLinha2", 80);
    auto *g = new QGridLayout(grupo);
    auto *r1 = new QLabel(QStringLiteral("Linha &1"), grupo);
    r1->setBuddy(edLinha1_);
    auto *r2 = new QLabel(QStringLiteral("Linha &2"), grupo);
    r2->setBuddy(edLinha2_);
    g->addWidget(r1, 0, 0);
    g->addWidget(edLinha1_, 0, 1);
    g->addWidget(r2, 1, 0);
    g->addWidget(edLinha2_, 1, 1);

    Monta(this, grupo, [this] { btOKClick(); });
    resize(583, 162);
}

void TfrmObs::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    edLinha1_->setText(G().Orcamento.Obs1);
    edLinha2_->setText(G().Orcamento.Obs2);
    edLinha1_->setFocus();
}

void TfrmObs::btOKClick() {
    TOrcamento &o = G().Orcamento;
    o.Obs1 = edLinha1_->text().left(80);
    o.Obs2 = edLinha2_->text().left(80);
    accept();
}

QWidget *CriaTfrmCondCom(QWidget *painel, const EntradaJanela &) {
    auto *d = new TfrmCondCom(painel ? painel->window() : nullptr);
    d->hide();
    return d;
}

QWidget *CriaTfrmObs(QWidget *painel, const EntradaJanela &) {
    auto *d = new TfrmObs(painel ? painel->window() : nullptr);
    d->hide();
    return d;
}

} // namespace quellora
