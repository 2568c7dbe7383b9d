#include "shell/windows/uqlpreferencias.h"

#include "shell/numeros.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "ui/botoes.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quellora {

namespace {

QLineEdit *Caixa(QWidget *pai, const char *nome) {
    auto *ed = new QLineEdit(pai);
    ed->setObjectName(QString::fromLatin1(nome));
    ed->setMaxLength(12);
    ed->setAlignment(Qt::AlignRight);
    ed->setMaximumWidth(110);
    return ed;
}

QLabel *Linha(QFormLayout *f, const char *rotulo, QWidget *campo, const char *unidade) {
    auto *lb = new QLabel(QString::fromUtf8(rotulo), campo->parentWidget());
    lb->setBuddy(campo);
    auto *linha = new QHBoxLayout;
    linha->addWidget(campo);
    if (unidade)
        linha->addWidget(new QLabel(QString::fromUtf8(unidade), campo->parentWidget()));
    linha->addStretch();
    f->addRow(lb, linha);
    return lb;
}

const struct {
    int q;
    const char *texto;
} Diretividades[] = {{1, "1 - campo livre"},
                     {2, "2 - sobre o piso"},
                     {4, "4 - junto a uma parede"},
                     {8, "8 - num canto"}};

} // namespace

TfrmPreferencias::TfrmPreferencias(const QString &dirDados, const TPreferencias &p, const QString &projetosPadrao,
                                   QWidget *pai)
    : QDialog(pai), dirDados_(dirDados), prefs_(p) {
    setObjectName(QStringLiteral("TfrmPreferencias"));
    setWindowTitle(QStringLiteral("Preferências"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    DefineContextoAjuda(this, AJUDA_PRINCIPAL);

    auto *gbCusto = new QGroupBox(QStringLiteral("Custo de operação"), this);
    gbCusto->setObjectName(QStringLiteral("gbCusto"));
    auto *fc = new QFormLayout(gbCusto);
    edHoras_ = Caixa(gbCusto, "edHoras");
    edTarifa_ = Caixa(gbCusto, "edTarifa");
    Linha(fc, "&Horas de operação por ano", edHoras_, "h");
    Linha(fc, "&Tarifa de energia", edTarifa_, "R$/kWh");

    auto *gbRuido = new QGroupBox(QStringLiteral("Ruído no local de trabalho"), this);
    gbRuido->setObjectName(QStringLiteral("gbRuido"));
    auto *fr = new QFormLayout(gbRuido);
    edDistancia_ = Caixa(gbRuido, "edDistancia");
    cbDiretividade_ = new QComboBox(gbRuido);
    cbDiretividade_->setObjectName(QStringLiteral("cbDiretividade"));
    for (const auto &d : Diretividades)
        cbDiretividade_->addItem(QString::fromUtf8(d.texto), d.q);
    Linha(fr, "&Distância ao ventilador", edDistancia_, "m");
    Linha(fr, "Di&retividade (Q)", cbDiretividade_, nullptr);

    auto *gbAvisos = new QGroupBox(QStringLiteral("Avisos da seleção"), this);
    gbAvisos->setObjectName(QStringLiteral("gbAvisos"));
    auto *fa = new QFormLayout(gbAvisos);
    edVelocidade_ = Caixa(gbAvisos, "edVelocidade");
    Linha(fa, "&Velocidade máxima de descarga", edVelocidade_, "m/s");

    auto *gbPastas = new QGroupBox(QStringLiteral("Pastas"), this);
    gbPastas->setObjectName(QStringLiteral("gbPastas"));
    auto *fp = new QFormLayout(gbPastas);
    edPastaProjetos_ = new QLineEdit(gbPastas);
    edPastaProjetos_->setObjectName(QStringLiteral("edPastaProjetos"));
    edPastaProjetos_->setMinimumWidth(300);
    edPastaProjetos_->setPlaceholderText(QDir::toNativeSeparators(projetosPadrao));
    edPastaProjetos_->setToolTip(QStringLiteral("Em branco: %1").arg(QDir::toNativeSeparators(projetosPadrao)));
    auto *btPasta = new QToolButton(gbPastas);
    btPasta->setObjectName(QStringLiteral("btPastaProjetos"));
    btPasta->setText(QStringLiteral("..."));
    btPasta->setToolTip(QStringLiteral("Escolher a pasta de projetos"));
    connect(btPasta, &QToolButton::clicked, this, [this, projetosPadrao] {
        const QString atual = edPastaProjetos_->text().trimmed();
        const QString d = QFileDialog::getExistingDirectory(this, QStringLiteral("Pasta de projetos"),
                                                            atual.isEmpty() ? projetosPadrao : atual);
        if (!d.isEmpty())
            edPastaProjetos_->setText(QDir::toNativeSeparators(d));
    });
    auto *lbPasta = new QLabel(QStringLiteral("&Pasta de projetos"), gbPastas);
    lbPasta->setBuddy(edPastaProjetos_);
    auto *linhaPasta = new QHBoxLayout;
    linhaPasta->addWidget(edPastaProjetos_, 1);
    linhaPasta->addWidget(btPasta);
    fp->addRow(lbPasta, linhaPasta);

    // The groups' fields in one column.
    int largura = 0;
    const QList<QLabel *> rotulos = findChildren<QLabel *>();
    for (QLabel *r : rotulos)
        if (r->buddy())
            largura = std::max(largura, r->sizeHint().width());
    for (QLabel *r : rotulos)
        if (r->buddy())
            r->setMinimumWidth(largura);

    const BotoesOkCancela b = CriaBotoesOkCancela(this, QStringLiteral("btOK"), QStringLiteral("btCancela"));
    connect(b.ok, &QPushButton::clicked, this, &TfrmPreferencias::btOKClick);
    connect(b.cancela, &QPushButton::clicked, this, &QDialog::reject);

    auto *l = new QVBoxLayout(this);
    l->addWidget(gbCusto);
    l->addWidget(gbRuido);
    l->addWidget(gbAvisos);
    l->addWidget(gbPastas);
    l->addStretch();
    l->addLayout(b.linha);

    edHoras_->setText(NumeroGeral(p.HorasAno));
    edTarifa_->setText(FormataFloat(QStringLiteral("0.00"), p.Tarifa));
    edDistancia_->setText(NumeroGeral(p.Distancia));
    cbDiretividade_->setCurrentIndex(std::max(0, cbDiretividade_->findData(p.Diretividade)));
    edVelocidade_->setText(NumeroGeral(p.VelocidadeMax));
    edPastaProjetos_->setText(QDir::toNativeSeparators(p.PastaProjetos));
    edHoras_->setFocus();
}

void TfrmPreferencias::btOKClick() {
    TPreferencias p = prefs_;
    const struct {
        QLineEdit *ed;
        double *valor;
        const char *campo;
        const char *pede;
    } numeros[] = {
        {edHoras_, &p.HorasAno, "Horas de operação por ano", "Informe as horas de operação por ano."},
        {edTarifa_, &p.Tarifa, "Tarifa de energia", "Informe a tarifa em R$/kWh."},
        {edDistancia_, &p.Distancia, "Distância ao ventilador", "Informe a distância em m."},
        {edVelocidade_, &p.VelocidadeMax, "Velocidade máxima de descarga", "Informe a velocidade em m/s."},
    };
    for (const auto &n : numeros) {
        if (!LeNumero(n.ed->text().trimmed(), n.valor)) {
            Mensagem(QStringLiteral("%1: «%2» não é um número. %3")
                         .arg(QString::fromUtf8(n.campo), n.ed->text().trimmed(), QString::fromUtf8(n.pede)));
            n.ed->setFocus();
            n.ed->selectAll();
            return;
        }
    }
    p.Diretividade = cbDiretividade_->currentData().toInt();
    p.PastaProjetos = QDir::fromNativeSeparators(edPastaProjetos_->text().trimmed());
    const QString pasta = ProblemaPastaProjetos(p.PastaProjetos);
    if (!pasta.isEmpty()) {
        Mensagem(pasta);
        edPastaProjetos_->setFocus();
        edPastaProjetos_->selectAll();
        return;
    }
    const QString motivo = ValidaPreferencias(p);
    if (!motivo.isEmpty()) {
        QString texto = motivo;
        texto[0] = texto[0].toUpper();
        Mensagem(texto + QLatin1Char('.'));
        return;
    }
    QString erro;
    if (!GravaPreferencias(dirDados_, p, &erro)) {
        MensagemErro(erro);
        return;
    }
    prefs_ = p;
    accept();
}

bool EditaPreferencias(const QString &dirDados, const QString &projetosPadrao, QWidget *pai) {
    TPreferencias p;
    QString erro;
    if (!CarregaPreferencias(dirDados, p, &erro)) {
        MensagemErro(erro + QStringLiteral("\r\nAs preferências de fábrica são mostradas; OK as grava."));
        p = TPreferencias{};
    }
    TfrmPreferencias janela(dirDados, p, projetosPadrao, pai);
    return janela.exec() == QDialog::Accepted;
}

} // namespace quellora
