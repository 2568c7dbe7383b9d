#include "selection/windows/uqlmotor.h"

#include "catalogue/catalogo.h"
#include "quotation/orcamento.h"
#include "selection/motor.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "ui/grade.h"
#include "ui/gruporadio.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace quellora {

namespace {

// Columns of the motor grid.
enum { MT_KW, MT_RPM, MT_CARCACA, MT_FSOP, MT_FSST, MT_COLUNAS };

// Background of the suggested motor under "Todos" (light yellow).
const QColor CorSugerido(255, 255, 192);

// The item shown: the current one, or an empty one when there is none.
const TItemOrc &ItemDoMotor() {
    static const TItemOrc vazio;
    const TItemOrc *it = ItemCorrente();
    return it ? *it : vazio;
}

QComboBox *Lista(const char *nome, const QStringList &itens, QWidget *pai) {
    auto *cb = new QComboBox(pai);
    cb->setObjectName(QString::fromLatin1(nome));
    cb->addItems(itens);
    return cb;
}

QLabel *Rotulo(const QString &texto, QWidget *buddy, QWidget *pai) {
    auto *l = new QLabel(texto, pai);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TfrmMotor::TfrmMotor(QWidget *painel) : JanelaFilha(QStringLiteral("Motor"), AJUDA_MOTOR, painel) {
    setObjectName(QStringLiteral("TfrmMotor"));

    lbModelo_ = new QLabel(this);
    lbModelo_->setObjectName(QStringLiteral("lbModelo"));
    lbModelo_->setAlignment(Qt::AlignCenter);
    QFont negrito = lbModelo_->font();
    negrito.setBold(true);
    negrito.setPointSizeF(negrito.pointSizeF() * 1.2);
    lbModelo_->setFont(negrito);

    // The fan's duty and required powers.
    auto *ventilador = new QGroupBox(QStringLiteral("Ventilador"), this);
    ventilador->setObjectName(QStringLiteral("GroupBox1"));
    auto *gv = new QGridLayout(ventilador);
    gv->setVerticalSpacing(8);
    auto valor = [ventilador](const char *nome) {
        auto *l = new QLabel(ventilador);
        l->setObjectName(QString::fromLatin1(nome));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(100);
        return l;
    };
    txVazao_ = valor("txVazao");
    txPressao_ = valor("txPressao");
    txRotacao_ = valor("txRotacao");
    edPwop_ = new QLineEdit(ventilador);
    edPwop_->setObjectName(QStringLiteral("edPwop"));
    edPwst_ = new QLineEdit(ventilador);
    edPwst_->setObjectName(QStringLiteral("edPwst"));
    for (QLineEdit *ed : {edPwop_, edPwst_}) {
        ed->setReadOnly(true);
        ed->setAlignment(Qt::AlignRight);
        ed->setMaximumWidth(100);
    }
    gv->addWidget(new QLabel(QStringLiteral("Vazão"), ventilador), 0, 0);
    gv->addWidget(txVazao_, 0, 1);
    gv->addWidget(new QLabel(QStringLiteral("Pressão"), ventilador), 1, 0);
    gv->addWidget(txPressao_, 1, 1);
    gv->addWidget(new QLabel(QStringLiteral("Rotação"), ventilador), 2, 0);
    gv->addWidget(txRotacao_, 2, 1);
    gv->addWidget(Rotulo(QStringLiteral("Pw(op)"), edPwop_, ventilador), 3, 0);
    gv->addWidget(edPwop_, 3, 1, Qt::AlignRight);
    gv->addWidget(new QLabel(QStringLiteral("kW"), ventilador), 3, 2);
    gv->addWidget(Rotulo(QStringLiteral("Pw(st)"), edPwst_, ventilador), 4, 0);
    gv->addWidget(edPwst_, 4, 1, Qt::AlignRight);
    gv->addWidget(new QLabel(QStringLiteral("kW"), ventilador), 4, 2);
    gv->setRowStretch(5, 1);

    // The motor's kind.
    auto *motor = new QGroupBox(QStringLiteral("Motor"), this);
    motor->setObjectName(QStringLiteral("GroupBox2"));
    auto *gm = new QGridLayout(motor);
    gm->setVerticalSpacing(8);
    lbProtecao_ = Lista("lbProtecao", ListaProtecoes(), motor);
    lbTensao_ = Lista("lbTensao", quellora::ListaTensoes(PROT_IP55, FREQ_60), motor);
    lbFrequencia_ = Lista("lbFrequencia", ListaFrequencias(), motor);
    cbMarca_ = Lista("cbMarca", ListaMarcas(), motor);
    edObs_ = new QLineEdit(motor);
    edObs_->setObjectName(QStringLiteral("edObs"));
    edObs_->setMaxLength(50);
    rgPolos_ = new GrupoRadio(QStringLiteral("Polos"), motor);
    rgPolos_->setObjectName(QStringLiteral("rgPolos"));
    rgPolos_->setItems(quellora::ListaPolos(PROT_IP55), ColunasPolos(PROT_IP55));
    gm->addWidget(Rotulo(QStringLiteral("Tipo/&Proteção"), lbProtecao_, motor), 0, 0);
    gm->addWidget(lbProtecao_, 0, 1);
    gm->addWidget(Rotulo(QStringLiteral("&Tensão"), lbTensao_, motor), 1, 0);
    gm->addWidget(lbTensao_, 1, 1);
    gm->addWidget(Rotulo(QStringLiteral("&Freqüência"), lbFrequencia_, motor), 2, 0);
    gm->addWidget(lbFrequencia_, 2, 1);
    gm->addWidget(rgPolos_, 3, 0, 1, 2);
    gm->addWidget(Rotulo(QStringLiteral("&Marca"), cbMarca_, motor), 4, 0);
    gm->addWidget(cbMarca_, 4, 1);
    gm->addWidget(Rotulo(QStringLiteral("O&bservação"), edObs_, motor), 5, 0);
    gm->addWidget(edObs_, 5, 1);
    gm->setColumnStretch(1, 1);

    // The motors.
    cbSugestao_ = Lista("cbSugestao", ListaSugestao(), this);
    sgMot_ = new GradeTexto(MT_COLUNAS, this);
    sgMot_->setObjectName(QStringLiteral("sgMot"));
    sgMot_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgMot_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgMot_->setAlturaLinhas(20);
    const char *titulos[MT_COLUNAS] = {"kW", "RPM", "Carcaça", "FS(op)", "FS(st)"};
    for (int c = 0; c < MT_COLUNAS; ++c) {
        sgMot_->setTitulo(c, QString::fromUtf8(titulos[c]));
        sgMot_->setAlinhamento(c, c == MT_CARCACA ? Qt::AlignHCenter : Qt::AlignRight);
    }
    sgMot_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    sgMot_->setLarguras({62, 56, 74, 62, 62});
    sgMot_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgMot_->setFormato(MT_KW, QString()); // the general form, in the user's locale
    sgMot_->setFormato(MT_FSOP, QStringLiteral(",0.00"));
    sgMot_->setFormato(MT_FSST, QStringLiteral(",0.00"));
    sgMot_->setCorDestaque(CorSugerido, false);
    sgMot_->setMinimumWidth(62 + 56 + 74 + 62 + 62 + 24);
    auto *lbMotores = Rotulo(QStringLiteral("&Exibir"), cbSugestao_, this);
    auto *lbGrade = Rotulo(QStringLiteral("Motores"), sgMot_, this);
    lbGrade->hide();

    btOK_ = new QPushButton(QStringLiteral("OK"), this);
    btOK_->setObjectName(QStringLiteral("btOK"));
    btOK_->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    btSemMotor_ = new QPushButton(QStringLiteral("Sem motor"), this);
    btSemMotor_->setObjectName(QStringLiteral("btSemMotor"));
    btCancela_ = new QPushButton(QStringLiteral("Configuração"), this);
    btCancela_->setObjectName(QStringLiteral("btCancela"));
    btCancela_->setIcon(QIcon(QStringLiteral(":/imagens/retorna.svg")));
    for (QPushButton *b : {btOK_, btSemMotor_, btCancela_})
        b->setMinimumWidth(110);
    // Esc leaves the window, but only closes a drop-down list that is open.
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        if (QWidget *lista = QApplication::activePopupWidget()) {
            if (auto *cb = qobject_cast<QComboBox *>(lista->parentWidget()))
                cb->hidePopup();
            else
                lista->close();
            return;
        }
        btCancelaClick();
    });

    auto *esquerda = new QVBoxLayout;
    esquerda->addWidget(ventilador);
    esquerda->addWidget(motor);
    esquerda->addStretch();
    auto *direita = new QVBoxLayout;
    auto *escolha = new QHBoxLayout;
    escolha->addWidget(lbMotores);
    escolha->addWidget(cbSugestao_, 1);
    direita->addLayout(escolha);
    direita->addWidget(sgMot_, 1);
    auto *meio = new QHBoxLayout;
    meio->addLayout(esquerda, 3);
    meio->addLayout(direita, 2);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOK_);
    botoes->addWidget(btSemMotor_);
    botoes->addWidget(btCancela_);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(10, 8, 10, 10);
    l->addWidget(lbModelo_);
    l->addLayout(meio, 1);
    l->addLayout(botoes);

    connect(lbProtecao_, &QComboBox::activated, this, [this] { lbProtecaoClick(); });
    // The voltage chosen stays with another frequency; a combination outside
    // the normal line says so.
    connect(lbFrequencia_, &QComboBox::activated, this, [this] {
        if (Montando)
            return;
        EscolheGrupo();
        MostraMotores();
    });
    connect(lbTensao_, &QComboBox::activated, this, [this] {
        if (Montando)
            return;
        EscolheGrupo();
        MostraMotores();
    });
    connect(rgPolos_, &GrupoRadio::clicado, this, [this] {
        if (!Montando)
            MostraMotores();
    });
    connect(cbSugestao_, &QComboBox::activated, this, [this](int i) {
        if (Montando)
            return;
        if (i == 0) {
            MontaMotor();
        } else {
            MostraMotores();
            LinhaMotor = 1;
        }
    });
    connect(btOK_, &QPushButton::clicked, this, &TfrmMotor::ConfirmaMotor);
    connect(btSemMotor_, &QPushButton::clicked, this, &TfrmMotor::btSemMotorClick);
    connect(btCancela_, &QPushButton::clicked, this, &TfrmMotor::btCancelaClick);
}

bool TfrmMotor::sugestao() const { return cbSugestao_->currentIndex() != 1; }

int TfrmMotor::polo() const { return rgPolos_->ItemIndex() + 1; }

void TfrmMotor::aoMostrar() {
    auto &g = G();
    const TItemOrc &it = ItemDoMotor();
    const bool selecionado = ItemCorrente() && it.Selecionado;
    // The caption names the item's line, whichever line was last loaded.
    if (selecionado && g.Modelo.Codigo.left(4) != it.Linha) {
        QString erro;
        if (!CarregaModelo(g.DirCatalogo, it.RegModelo, &erro))
            MensagemErro(erro);
    }
    lbModelo_->setText(LegendaModelo());
    MontaMotor();
    btSemMotor_->setEnabled(selecionado);
    if (!selecionado)
        btOK_->setEnabled(false);
    lbProtecao_->setFocus();
}

void TfrmMotor::MontaMotor() {
    const TItemOrc &it = ItemDoMotor();
    Montando = true;
    lbProtecao_->setCurrentIndex(0);
    lbFrequencia_->setCurrentIndex(0);
    lbTensao_->setCurrentIndex(0);
    if (it.Direto) {
        txVazao_->setText(FormataFloat(QStringLiteral("0"), it.VazaoDireto) + QStringLiteral(" m³/h"));
        txPressao_->setText(FormataFloat(QStringLiteral("0.0"), it.PressaoDireto) + QStringLiteral(" mmCA"));
        lbFrequencia_->setCurrentIndex(it.FreqDireto == FREQ_50 ? FREQ_50 : FREQ_60);
        lbProtecao_->setEnabled(it.FreqDireto == FREQ_60);
    } else {
        lbProtecao_->setEnabled(true);
        txVazao_->setText(FormataFloat(QStringLiteral("0"), it.Vazao) + QStringLiteral(" m³/h"));
        txPressao_->setText(FormataFloat(QStringLiteral("0.0"), it.Pressao) + QStringLiteral(" mmCA"));
    }
    txRotacao_->setText(QStringLiteral("%1 rpm").arg(it.Rotacao));
    PolosIni = it.PolosSug;
    Dahlander = DahlanderSugerido(it.PolosSug);
    lbProtecao_->clear();
    lbProtecao_->addItems(ListaProtecoes());
    lbProtecao_->setCurrentIndex(PROT_IP55);
    ProtecaoAnterior = PROT_IP55;
    ListaTensoes();
    ListaPolos();
    LinhaMotor = it.MotorIni;
    edPwop_->setText(FormataFloat(QStringLiteral("0.00"), it.PwOp));
    edPwst_->setText(FormataFloat(QStringLiteral("0.00"), it.PwSt));
    rgPolos_->setItemIndex(-1);
    rgPolos_->setItemIndex(PolosIni - 1);
    cbSugestao_->setCurrentIndex(0);
    Montando = false;
    EscolheGrupo();
    MostraMotores();
    rgPolos_->setEnabled(!it.Direto);
    lbFrequencia_->setEnabled(!it.Direto);
    sgMot_->setFocus();
}

void TfrmMotor::ListaTensoes() {
    const bool antes = Montando;
    Montando = true;
    lbTensao_->clear();
    lbTensao_->addItems(quellora::ListaTensoes(lbProtecao_->currentIndex(), lbFrequencia_->currentIndex()));
    lbTensao_->setCurrentIndex(0);
    Montando = antes;
}

void TfrmMotor::ListaPolos() {
    const int p = lbProtecao_->currentIndex();
    const QStringList itens = quellora::ListaPolos(p);
    if (rgPolos_->Items() == itens)
        return;
    const bool antes = Montando;
    Montando = true;
    rgPolos_->setItems(itens, ColunasPolos(p));
    if (p == PROT_DAHLANDER && !Dahlander) {
        QApplication::beep();
        Mensagem(MsgDahlander, MB_OK_EXCLAMACAO);
        rgPolos_->setItemIndex(-1);
    } else {
        rgPolos_->setItemIndex(PolosIni - 1);
    }
    Montando = antes;
}

void TfrmMotor::EscolheGrupo() {
    auto &g = G();
    const TItemOrc &it = ItemDoMotor();
    GrupoMotor = GrupoDoMotor(lbProtecao_->currentIndex(), lbFrequencia_->currentIndex(), lbTensao_->currentIndex());
    // The motor price is not shown here.
    g.PrecoMotores = TPrecoMotores{};
    Especial = false;
    QColor cor = palette().color(QPalette::WindowText);
    bool avisado = false;
    QString erro;
    bool carregou = true;
    if (GrupoMotor < 0) {
        Mensagem(MsgForaDaLinha, MB_OK_EXCLAMACAO);
        avisado = true;
        LinhaMotor = it.MotorIni;
        carregou = CarregaMotores(g.DirCatalogo, 1, &erro);
        Especial = true;
        cbSugestao_->setCurrentIndex(0);
        cbSugestao_->setEnabled(false);
        cor = Qt::red;
    } else {
        cbSugestao_->setEnabled(true);
        carregou = CarregaMotores(g.DirCatalogo, GrupoMotor + 1, &erro);
    }
    if (!carregou)
        MensagemErro(erro);
    LinhaMotor = quellora::LinhaSugerida(g.Motores, it.MotorSugerido);
    if (LinhaMotor < 0) {
        Especial = true;
        cor = Qt::red;
        // One notice is enough when the combination was outside already.
        if (!avisado)
            Mensagem(MsgForaDaLinha, MB_OK_EXCLAMACAO);
    }
    linhaSugerida_ = LinhaMotor;
    corDosTitulos(cor);
}

void TfrmMotor::corDosTitulos(const QColor &cor) {
    if (sgMot_->CorTitulos() != cor)
        sgMot_->setCorTitulos(cor);
}

void TfrmMotor::mostraLinha(int row, int m) {
    const auto &g = G();
    const TItemOrc &it = ItemDoMotor();
    const int p = polo();
    const TDadosMotor &mot = g.Motores[m];
    const TPoloMotor &pm = mot.PoloMotor[p >= 1 && p <= 4 ? p : 1];
    auto fator = [&](double requerida) {
        const double fs = FatorServico(mot.Potencia, requerida);
        return fs > 0 ? GradeTexto::TextoNumero(fs) : QString();
    };
    sgMot_->setCells(MT_KW, row, GradeTexto::TextoNumero(mot.Potencia));
    sgMot_->setCells(MT_RPM, row, QString::number(pm.RotacaoMotor));
    sgMot_->setCells(MT_CARCACA, row, pm.Carcaca);
    sgMot_->setCells(MT_FSOP, row, fator(it.PwOp));
    sgMot_->setCells(MT_FSST, row, fator(it.PwSt));
}

void TfrmMotor::MostraMotores() {
    const auto &g = G();
    if (polo() == 0) {
        sgMot_->clearContents();
        sgMot_->setRowCount(2);
        sgMot_->setLinhaDestaque(-1);
        btOK_->setEnabled(false);
        cbSugestao_->setEnabled(false);
        Montando = false;
        return;
    }
    btOK_->setEnabled(true);
    cbSugestao_->setEnabled(true);
    if (!sugestao()) {
        const int n = std::clamp(static_cast<int>(g.NumMotores), 0, 35);
        sgMot_->clearContents();
        sgMot_->setRowCount(n + 1);
        for (int m = 1; m <= n; ++m)
            mostraLinha(m, m);
        sgMot_->setLinhaDestaque(linhaSugerida_);
        if (LinhaMotor > 0 && LinhaMotor <= n) {
            sgMot_->setCelulaAtual(MT_KW, LinhaMotor);
            const int topo = std::max(1, LinhaMotor - 1);
            sgMot_->scrollTo(sgMot_->model()->index(topo - 1, 0), QAbstractItemView::PositionAtTop);
        }
        sgMot_->setFocus();
    } else {
        sgMot_->clearContents();
        sgMot_->setRowCount(2);
        sgMot_->setLinhaDestaque(-1);
        if (LinhaMotor < 0 || LinhaMotor > 35) {
            const QStringList celulas = LinhaSalva.split(QLatin1Char('\t'));
            for (int c = 0; c < MT_COLUNAS && c < celulas.size(); ++c)
                sgMot_->setCells(c, 1, celulas[c]);
        } else {
            mostraLinha(1, LinhaMotor);
            QStringList celulas;
            for (int c = 0; c < MT_COLUNAS; ++c)
                celulas << sgMot_->Cells(c, 1);
            LinhaSalva = celulas.join(QLatin1Char('\t'));
        }
        sgMot_->setCelulaAtual(MT_KW, 1);
    }
    Montando = false;
}

void TfrmMotor::lbProtecaoClick() {
    const TItemOrc &it = ItemDoMotor();
    const int p = lbProtecao_->currentIndex();
    // APE motors start at 0.37 kW: refused before anything changes.
    const QString kw = sgMot_->Cells(MT_KW, std::max(1, sgMot_->Row()));
    if (p == PROT_APE && !kw.isEmpty() && !PotenciaAdmiteAPE(sgMot_->Numero(MT_KW, std::max(1, sgMot_->Row())))) {
        lbProtecao_->setCurrentIndex(ProtecaoAnterior);
        MensagemErro(MsgMinimoAPE);
        return;
    }
    // The voltages of the frequency in force, then back to 60 Hz.
    ListaTensoes();
    ListaPolos();
    lbFrequencia_->setCurrentIndex(FREQ_60);
    EscolheGrupo();
    if (p != PROT_DAHLANDER)
        rgPolos_->setEnabled(!it.Direto);
    ProtecaoAnterior = p;
    MostraMotores();
}

void TfrmMotor::ConfirmaMotor() {
    TItemOrc *item = ItemCorrente();
    if (!item)
        return;
    TItemOrc &it = *item;
    const int r = std::max(1, sgMot_->Row());
    TEscolhaMotor e;
    e.RegMotor = sugestao() ? LinhaMotor : r;
    e.Polos = PolosDoMotor(it.Direto, it.PolosSug, rgPolos_->ItemIndex());
    if (!LeNumero(edPwop_->text(), &e.PwOp))
        e.PwOp = 0;
    if (!LeNumero(edPwst_->text(), &e.PwSt))
        e.PwSt = 0;
    e.Tensao = lbTensao_->currentText();
    e.Frequencia = lbFrequencia_->currentText();
    e.ObsMotor = edObs_->text();
    e.Marca = cbMarca_->currentText();
    e.SoSugestao = sugestao();
    e.Protecao = lbProtecao_->currentIndex();
    e.TextoProtecao = lbProtecao_->currentText();
    e.PotMotor = sgMot_->Numero(MT_KW, r);
    e.RotMotor = static_cast<int>(sgMot_->Numero(MT_RPM, r));
    e.Carcaca = sgMot_->Cells(MT_CARCACA, r);
    e.Especial = Especial;
    e.GrupoMotor = GrupoMotor;
    GravaMotor(it, e);
    SetAlterado(true);
    MostraJanela(JAN_CONFIGURA);
}

void TfrmMotor::btSemMotorClick() {
    TItemOrc *it = ItemCorrente();
    if (!it)
        return;
    GravaSemMotor(*it);
    SetAlterado(true);
    MostraJanela(JAN_CONFIGURA);
}

// Back without a motor. The configuration window, shown again, ticks its
// motor entry after ComMotor, which a cancelled choice leaves unset: the
// entry the user ticked to come here is unticked.
void TfrmMotor::btCancelaClick() { MostraJanela(JAN_CONFIGURA); }

QWidget *CriaTfrmMotor(QWidget *painel, const EntradaJanela &) { return new TfrmMotor(painel); }

} // namespace quellora
