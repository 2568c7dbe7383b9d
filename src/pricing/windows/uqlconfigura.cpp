#include "pricing/windows/uqlconfigura.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "pricing/precos.h"
#include "pricing/windows/uqlaceesp.h"
#include "quotation/orcamento.h"
#include "quotation/windows/uqldados.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "ui/camposprojeto.h"
#include "ui/grade.h"
#include "ui/lista.h"

#include <QComboBox>
#include <QDoubleValidator>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>

#include <cmath>

namespace quellora {

namespace {

const QString StatusClb = QStringLiteral("[Inc] Inc. Acess. ESP.");
const QString MsgSemModelo = QStringLiteral("Ainda não foi escolhido um Modelo para este item.\n\r"
                                            "Retorne para a tela de cálculos e escolha o modelos desejado");
const QString MsgMaxEspeciais = QStringLiteral("Este orçamento já tem %1 acessórios especiais, o máximo que ele "
                                               "comporta.\r\nO acessório não foi incluído.");
const QString MsgAtualizaPrecos =
    QStringLiteral("Esta opção irá atualizar todos os preços possíveis bem com os fatores. Confirma?");
const QString MsgDesconto100 = QStringLiteral("Desculpe, não posso aceitar desconto de 100% ou mais!");

// Grid rows are counted from 0 here; the grid's own rows from 1.
enum { CFG_TEXTO, CFG_DETALHE, CFG_PRECO };

QLineEdit *CampoLeitura(QWidget *pai, const char *nome) {
    auto *ed = new QLineEdit(pai);
    ed->setObjectName(QString::fromLatin1(nome));
    ed->setReadOnly(true);
    ed->setAlignment(Qt::AlignRight);
    ed->setFocusPolicy(Qt::ClickFocus);
    return ed;
}

QLabel *Rotulo(const QString &texto, QWidget *buddy, QWidget *pai) {
    auto *l = new QLabel(texto, pai);
    l->setBuddy(buddy);
    return l;
}

// A caption strip: white bold text on blue.
QLabel *FaixaTitulo(const QString &texto, const char *nome, QWidget *pai) {
    auto *l = new QLabel(texto, pai);
    l->setObjectName(QString::fromLatin1(nome));
    l->setStyleSheet(QStringLiteral("background: #0000c0; color: white; font-weight: bold; padding: 2px 4px;"));
    return l;
}

void Escreve(QPainter &p, const QRect &r, int x, int largura, const QString &texto, Qt::Alignment a = Qt::AlignLeft) {
    const QRect celula(r.left() + x, r.top() + 1, largura, r.height() - 1);
    const QString t = p.fontMetrics().elidedText(texto, Qt::ElideRight, celula.width());
    p.drawText(celula, static_cast<int>(a | Qt::AlignTop), t);
}

} // namespace

TfrmConfigura::TfrmConfigura(QWidget *painel) : JanelaFilha(QStringLiteral("Configuração"), AJUDA_CONFIGURA, painel) {
    setObjectName(QStringLiteral("TfrmConfigura"));

    // Top bar: navigation and the quotation's project and number.
    auto *topo = new QFrame(this);
    topo->setObjectName(QStringLiteral("Panel1"));
    topo->setFrameShape(QFrame::StyledPanel);
    auto *lt = new QHBoxLayout(topo);
    lt->setContentsMargins(4, 3, 4, 3);
    auto *btCancela = new QPushButton(QStringLiteral("&Calculos"), topo);
    btCancela->setObjectName(QStringLiteral("btCancela"));
    auto *btDataSheet = new QPushButton(QStringLiteral("&Folha de Dados"), topo);
    btDataSheet->setObjectName(QStringLiteral("btDataSheet"));
    btAtPreco_ = new QPushButton(QStringLiteral("Atualiza preços"), topo);
    btAtPreco_->setObjectName(QStringLiteral("btAtPreco"));
    lt->addWidget(btCancela);
    lt->addWidget(btDataSheet);
    lt->addWidget(btAtPreco_);
    const CamposProjeto campos = AcrescentaCamposProjeto(topo, lt);
    edProjeto_ = campos.edProjeto;
    edOrcamento_ = campos.edOrcamento;
    connect(AvisoDoNumero(), &AvisoNumero::numeroAlterado, edOrcamento_, &QLineEdit::setText);

    // Items: a header strip over the owner-drawn list.
    auto *cabecalho = new QWidget(this);
    auto *lc = new QHBoxLayout(cabecalho);
    lc->setContentsMargins(0, 0, 0, 0);
    lc->setSpacing(0);
    const struct {
        const char *texto;
        int largura;
    } colunas[] = {{"Item", 33}, {"Tag", 50}, {"Qtd", 50}, {"Descrição", 125}, {"Ventilador", 130}};
    for (const auto &c : colunas) {
        auto *l = new QLabel(QString::fromUtf8(c.texto), cabecalho);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Raised);
        l->setIndent(3);
        if (c.largura != 130)
            l->setFixedWidth(c.largura);
        lc->addWidget(l, c.largura == 130 ? 1 : 0);
    }
    cbItens_ = new ListaDesenhada(this);
    cbItens_->setObjectName(QStringLiteral("cbItens"));
    cbItens_->setAlturaLinhas(16);
    cbItens_->desenha = [this](QPainter &p, const QStyleOptionViewItem &op, int row) { desenhaItem(p, op, row); };
    auto *lbItens = Rotulo(QStringLiteral("Itens"), cbItens_, this);
    lbItens->hide();
    auto *itens = new QVBoxLayout;
    itens->setSpacing(0);
    itens->addWidget(cabecalho);
    itens->addWidget(cbItens_, 1);

    // Characteristics of the item's duty.
    auto *gbCaracteristicas = new QGroupBox(QStringLiteral("Características"), this);
    gbCaracteristicas->setObjectName(QStringLiteral("GroupBox1"));
    auto *gc = new QGridLayout(gbCaracteristicas);
    gc->setVerticalSpacing(4);
    edVazao_ = CampoLeitura(gbCaracteristicas, "edVazao");
    edPressao_ = CampoLeitura(gbCaracteristicas, "edPressao");
    edTemperatura_ = CampoLeitura(gbCaracteristicas, "edTemperatura");
    edDensidade_ = CampoLeitura(gbCaracteristicas, "edDensidade");
    const struct {
        QLineEdit *ed;
        const char *rotulo;
        const char *unidade;
    } caracteristicas[] = {{edVazao_, "Vazão de ar", "m3/h"},
                           {edPressao_, "Pressão estática", "mmCA"},
                           {edTemperatura_, "Temperatura", "ºC"},
                           {edDensidade_, "Densidade - y", "kg/m3"}};
    for (int r = 0; r < 4; ++r) {
        gc->addWidget(Rotulo(QString::fromUtf8(caracteristicas[r].rotulo), caracteristicas[r].ed, gbCaracteristicas), r,
                      0);
        caracteristicas[r].ed->setMaximumWidth(90);
        gc->addWidget(caracteristicas[r].ed, r, 1);
        gc->addWidget(new QLabel(QString::fromUtf8(caracteristicas[r].unidade), gbCaracteristicas), r, 2);
    }
    gc->setColumnStretch(3, 1);

    // Accessories: the checklist under its caption strip.
    clb_ = new ListaDesenhada(this);
    clb_->setObjectName(QStringLiteral("clb"));
    clb_->setMarcavel(true);
    clb_->setAlturaLinhas(13);
    clb_->setCorAlternada(QColor(230, 230, 230));
    clb_->desenha = [this](QPainter &p, const QStyleOptionViewItem &op, int row) { desenhaAcessorio(p, op, row); };
    clb_->installEventFilter(this);
    auto *lbAcessorios = FaixaTitulo(QStringLiteral("Configuração/&Acessórios"), "lbAcessorios", this);
    lbAcessorios->setBuddy(clb_);
    auto *acessorios = new QVBoxLayout;
    acessorios->setSpacing(0);
    acessorios->addWidget(lbAcessorios);
    acessorios->addWidget(clb_, 1);

    // The configuration obtained.
    sgConfig_ = new GradeTexto(3, this);
    sgConfig_->setObjectName(QStringLiteral("sgConfig"));
    sgConfig_->horizontalHeader()->hide();
    sgConfig_->horizontalHeader()->setStretchLastSection(true);
    sgConfig_->setLarguras({120, 92});
    sgConfig_->setAlturaLinhas(18);
    sgConfig_->setAlinhamento(CFG_PRECO, Qt::AlignRight);
    sgConfig_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgConfig_->setShowGrid(false);
    sgConfig_->setFocusPolicy(Qt::ClickFocus);
    auto *lbConfig = FaixaTitulo(QStringLiteral(" Configuração obtida"), "lbConfig", this);
    lbConfig->setBuddy(sgConfig_);

    // Prices: hidden groups and emptied captions.
    gbFatores_ = new QGroupBox(QStringLiteral("Fatores"), this);
    gbFatores_->setObjectName(QStringLiteral("gbFatores"));
    cbICMS_ = new QComboBox(gbFatores_);
    cbICMS_->setObjectName(QStringLiteral("cbICMS"));
    edFatorVentilador_ = CampoLeitura(gbFatores_, "edFatorVentilador");
    edFatorMotor_ = CampoLeitura(gbFatores_, "edFatorMotor");
    auto *gf = new QGridLayout(gbFatores_);
    gf->addWidget(Rotulo(QStringLiteral("&ICMS"), cbICMS_, gbFatores_), 0, 0);
    gf->addWidget(cbICMS_, 0, 1);
    gf->addWidget(Rotulo(QStringLiteral("Ventilador"), edFatorVentilador_, gbFatores_), 1, 0);
    gf->addWidget(edFatorVentilador_, 1, 1);
    gf->addWidget(Rotulo(QStringLiteral("Motor"), edFatorMotor_, gbFatores_), 2, 0);
    gf->addWidget(edFatorMotor_, 2, 1);
    gbDesconto_ = new QGroupBox(QStringLiteral("Desconto (%)"), this);
    gbDesconto_->setObjectName(QStringLiteral("gbDesconto"));
    edDescontoVentilador_ = new QLineEdit(gbDesconto_);
    edDescontoVentilador_->setObjectName(QStringLiteral("edDescontoVentilador"));
    edDescontoMotor_ = new QLineEdit(gbDesconto_);
    edDescontoMotor_->setObjectName(QStringLiteral("edDescontoMotor"));
    auto *gd = new QGridLayout(gbDesconto_);
    for (QLineEdit *ed : {edDescontoVentilador_, edDescontoMotor_}) {
        auto *v = new QDoubleValidator(0, 1000, 6, ed);
        v->setNotation(QDoubleValidator::StandardNotation);
        ed->setValidator(v);
        ed->setAlignment(Qt::AlignRight);
        connect(ed, &QLineEdit::textEdited, this, [this, ed] { DescontoAlterado(ed); });
    }
    gd->addWidget(Rotulo(QStringLiteral("Ventilador"), edDescontoVentilador_, gbDesconto_), 0, 0);
    gd->addWidget(edDescontoVentilador_, 0, 1);
    gd->addWidget(Rotulo(QStringLiteral("Motor"), edDescontoMotor_, gbDesconto_), 1, 0);
    gd->addWidget(edDescontoMotor_, 1, 1);
    lbAux_ = new QListWidget(this);
    lbAux_->setObjectName(QStringLiteral("lbAux"));
    lbAux_->hide();

    auto *lbPrecoLista = new QLabel(QStringLiteral("Preço lista R$      "), this);
    lbPrecoLista->setObjectName(QStringLiteral("lbPrecoLista"));
    auto *lbPrecoLiq = new QLabel(QStringLiteral("Preço liq. R$      "), this);
    lbPrecoLiq->setObjectName(QStringLiteral("lbPrecoLiq"));
    auto *lbRS = new QLabel(QStringLiteral("R$ "), this);
    lbRS->setObjectName(QStringLiteral("lbRS"));
    lbTotal_ = new QLabel(QStringLiteral(" Preço total unitário"), this);
    lbTotal_->setObjectName(QStringLiteral("lbTotal"));
    for (QLabel *l : {lbPrecoLista, lbPrecoLiq, lbRS, lbTotal_})
        l->clear();
    auto *precos = new QHBoxLayout;
    precos->setContentsMargins(0, 0, 0, 0);
    precos->addWidget(lbPrecoLista);
    precos->addWidget(lbPrecoLiq);
    precos->addStretch();
    precos->addWidget(lbRS);
    precos->addWidget(lbTotal_);

    auto *configuracao = new QVBoxLayout;
    configuracao->setSpacing(0);
    configuracao->addWidget(lbConfig);
    configuracao->addWidget(sgConfig_, 1);
    configuracao->addLayout(precos);
    auto *grupos = new QHBoxLayout;
    grupos->addWidget(gbFatores_);
    grupos->addWidget(gbDesconto_);
    configuracao->addLayout(grupos);

    auto *cima = new QHBoxLayout;
    cima->addLayout(itens, 3);
    cima->addWidget(gbCaracteristicas, 2);
    auto *baixo = new QHBoxLayout;
    baixo->addLayout(acessorios, 3);
    baixo->addLayout(configuracao, 2);

    auto *lv = new QVBoxLayout(this);
    lv->setContentsMargins(4, 0, 4, 4);
    lv->addWidget(topo);
    lv->addLayout(cima, 2);
    lv->addSpacing(4);
    lv->addLayout(baixo, 5);

    // The price controls are hidden: prices are kept, not shown.
    gbFatores_->hide();
    gbDesconto_->hide();
    btAtPreco_->hide();

    connect(btCancela, &QPushButton::clicked, this, [] { MostraJanela(JAN_CALCULOS); });
    connect(btDataSheet, &QPushButton::clicked, this, [this] {
        VoltaFolha = true;
        MostraJanela(JAN_DATASHEET);
    });
    connect(btAtPreco_, &QPushButton::clicked, this, [this] { btAtPrecoClick(); });
    connect(cbItens_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!preenchendo_ && row >= 0)
            cbItensClick();
    });
    connect(clb_, &ListaDesenhada::marcacaoAlterada, this, [this](int i) { clbClickCheck(i); });
    connect(clb_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *it) {
        const int i = clb_->row(it);
        clb_->setMarcado(i, !clb_->Marcado(i));
        clbClickCheck(i);
    });
    connect(cbICMS_, &QComboBox::currentIndexChanged, this, [this] {
        if (!PreenchendoICMS)
            cbICMSClick();
    });

    // The first store of data entry initialises the conditions with this ICMS choice.
    DefineIndiceICMS([this] { return cbICMS_->currentIndex(); });

    LeFatores();
    LimpaConfiguracao();
}

TfrmConfigura::~TfrmConfigura() { DefineIndiceICMS(nullptr); }

TItemOrc *TfrmConfigura::itemDaLista() {
    if (itemLista_ < 1 || itemLista_ > MaxItens || itemLista_ != G().ItemAtual)
        return nullptr;
    return &G().Itens[itemLista_];
}

// --- Factors and discounts ---------------------------------------------------------

void TfrmConfigura::LeFatores() {
    QString erro;
    if (!CarregaFatores(G().DirCatalogo, &erro))
        MensagemErro(erro);
    preencheICMS();
}

void TfrmConfigura::FatoresDoOrcamento() {
    G().Fatores = G().Orcamento.FatoresOrc;
    preencheICMS();
}

void TfrmConfigura::preencheICMS() {
    const TFatores &f = G().Fatores;
    PreenchendoICMS = true;
    cbICMS_->clear();
    for (int k = 1; k <= 4; ++k)
        cbICMS_->addItem(FormataFloat(QStringLiteral("00.0"), f.AliquotaICMS[k]) + QLatin1Char('%'));
    escolheICMS(IndiceICMSPadrao(f.ICMSPadrao));
    PreenchendoICMS = false;
}

void TfrmConfigura::escolheICMS(int indice) {
    const bool antes = PreenchendoICMS;
    PreenchendoICMS = true;
    indice = std::clamp(indice, 0, 3);
    cbICMS_->setCurrentIndex(indice);
    const TFatores &f = G().Fatores;
    FatorM = f.FatorMotor[indice + 1];
    FatorV = f.FatorVent[indice + 1];
    edFatorMotor_->setText(FormataFloat(QStringLiteral("0.000"), FatorM));
    edFatorVentilador_->setText(FormataFloat(QStringLiteral("0.000"), FatorV));
    PreenchendoICMS = antes;
}

void TfrmConfigura::AtualizaDescontos() {
    const TOrcamento &o = G().Orcamento;
    MultDescV = MultDesconto(o.descontoV);
    MultDescM = MultDesconto(o.descontoM);
    gbDesconto_->setStyleSheet(o.descontoV != 0 || o.descontoM != 0 ? QStringLiteral("QGroupBox { color: red; }")
                                                                    : QString());
}

void TfrmConfigura::mostraDescontos() {
    const TOrcamento &o = G().Orcamento;
    edDescontoVentilador_->setText(FormataFloat(QStringLiteral("0.0"), o.descontoV));
    edDescontoMotor_->setText(FormataFloat(QStringLiteral("0.0"), o.descontoM));
}

void TfrmConfigura::RecalculaAcessorios() {
    AtualizaDescontos();
    auto &g = G();
    quellora::RecalculaAcessorios(g.Itens, g.NumItens, g.Orcamento.NumAcessEsp, FatorV, MultDescV);
}

void TfrmConfigura::cbICMSClick() {
    auto &g = G();
    SetAlterado(true);
    const int indice = cbICMS_->currentIndex();
    g.Orcamento.ICMS = indice + 1;
    escolheICMS(indice);
    RecalculaAcessorios();
    if (cbItens_->currentRow() < 0)
        LimpaConfiguracao();
    else
        AtualizaConfiguracao();
    g.Fatores.ICMSPadrao = indice;
    ICMSAlterado = true;
}

void TfrmConfigura::DescontoAlterado(QLineEdit *ed) {
    auto &g = G();
    SetAlterado(true);
    double v = 0;
    if (!LeNumero(ed->text(), &v))
        v = 0;
    if (v >= 100) {
        Mensagem(MsgDesconto100, MB_OK_EXCLAMACAO);
        ed->setText(QStringLiteral("0"));
        v = 0;
    }
    if (ed == edDescontoVentilador_)
        g.Orcamento.descontoV = v;
    else
        g.Orcamento.descontoM = v;
    AtualizaDescontos();
    if (TItemOrc *it = itemDaLista(); it && it->Selecionado) {
        RecalculaAcessorios();
        AtualizaConfiguracao();
    }
}

void TfrmConfigura::btAtPrecoClick() {
    if (Mensagem(MsgAtualizaPrecos, MB_OKCANCEL_EXCLAMACAO) != ID_OK)
        return;
    LeFatores();
    G().Orcamento.FatoresOrc = G().Fatores;
    if (QWidget *atualiza = JanelaClasse("TfrmAtPreco"))
        QMetaObject::invokeMethod(atualiza, "AtualizaOrcamento");
    SetAlterado(true);
    if (cbItens_->currentRow() >= 0)
        cbItensClick();
}

// --- New and opened quotations -----------------------------------------------------

void TfrmConfigura::LimpaConfiguracao() {
    clb_->Limpa();
    lista_ = TListaAcessorios{};
    itemLista_ = 0;
    lbTotal_->clear();
    sgConfig_->clearContents();
    sgConfig_->setRowCount(2);
    sgConfig_->setLarguras({120, 92});
}

// Nothing of the last quotation stays: no items, no checklist, no way back.
void TfrmConfigura::esvazia() {
    preenchendo_ = true;
    cbItens_->Limpa();
    preenchendo_ = false;
    RetornoJanela = false;
    VoltaFolha = false;
    LimpaConfiguracao();
    preencheICMS();
}

void TfrmConfigura::OrcamentoNovo() { esvazia(); }

void TfrmConfigura::OrcamentoAberto() {
    esvazia();
    escolheICMS(G().Orcamento.ICMS - 1);
    ICMSAlterado = false;
}

// --- Items -------------------------------------------------------------------------

void TfrmConfigura::cbItensClick() {
    AtualizaDescontos();
    const int row = cbItens_->currentRow();
    if (row < 0)
        return;
    auto &g = G();
    g.ItemAtual = row + 1;
    TItemOrc &it = g.Itens[g.ItemAtual];
    QString erro;
    if (!CarregaModelo(g.DirCatalogo, it.IndModelo, &erro) ||
        !CarregaPrecoModelo(g.DirCatalogo, it.RegModelo, &erro)) {
        LimpaConfiguracao();
        MensagemErro(erro);
        return;
    }
    if (it.Direto) {
        edVazao_->setText(QString::number(static_cast<long long>(std::trunc(it.VazaoDireto))));
        edPressao_->setText(FormataFloat(QStringLiteral("0.0"), it.PressaoDireto));
    } else {
        edVazao_->setText(QString::number(static_cast<long long>(std::trunc(it.Vazao))));
        edPressao_->setText(NumeroGeral(it.Pressao));
    }
    edTemperatura_->setText(NumeroGeral(it.Temperatura));
    edDensidade_->setText(FormataFloat(QStringLiteral("#0.000"), it.DensidadeItem));

    sgConfig_->clearContents();
    sgConfig_->setRowCount(2);
    sgConfig_->setCells(CFG_TEXTO, 1, QStringLiteral("Ventilador"));
    clb_->setUpdatesEnabled(false);
    if (it.Selecionado) {
        clb_->setEnabled(true);
        sgConfig_->setCells(CFG_DETALHE, 1, TextoVentilador(it));
        PrecoVentLista = PrecoVentilador(g.PrecoModelo, it.Arranjo, it.IndiceTam);
        SomaAcess = 0;
        it.PrecoVent = PrecoVentLista;
        lista_ = MontaAcessorios(g.Acessorios, g.Modelo, g.PrecoModelo, it, g.Orcamento);
        itemLista_ = g.ItemAtual;
        mostraLista();
        AtualizaConfiguracao();
        clb_->setUpdatesEnabled(true);
        if (clb_->currentRow() < 0)
            clb_->setCurrentRow(0);
        clb_->setFocus();
    } else {
        clb_->Limpa();
        lista_ = TListaAcessorios{};
        itemLista_ = 0;
        clb_->setEnabled(false);
        sgConfig_->setRowCount(1);
        clb_->setUpdatesEnabled(true);
        Mensagem(MsgSemModelo, MB_OK_EXCLAMACAO);
    }
}

// The checklist shows the entries of lista_.
void TfrmConfigura::mostraLista() {
    const int atual = clb_->currentRow();
    if (clb_->Quantas() != lista_.Quantas()) {
        clb_->Limpa();
        for (const TEntradaAcessorio &e : lista_.Entradas)
            clb_->Adiciona(e.Texto, e.Marcado);
    } else {
        for (int i = 0; i < lista_.Quantas(); ++i) {
            clb_->setTexto(i, lista_.Texto(i));
            clb_->setMarcado(i, lista_.Marcado(i));
        }
    }
    if (atual >= 0 && atual < clb_->Quantas())
        clb_->setCurrentRow(atual);
    clb_->viewport()->update();
}

void TfrmConfigura::AtualizaConfiguracao() {
    TItemOrc *it = itemDaLista();
    if (!it)
        return;
    const TConfiguracaoObtida c = quellora::AtualizaConfiguracao(lista_, *it, {FatorV, FatorM, MultDescV, MultDescM});
    SomaAcess = c.SomaAcess;
    PrecoMotorLiq = c.PrecoMotorLiq;
    sgConfig_->clearContents();
    sgConfig_->setRowCount(static_cast<int>(c.Linhas.size()) + 2);
    sgConfig_->setCells(CFG_TEXTO, 1, QStringLiteral("Ventilador"));
    sgConfig_->setCells(CFG_DETALHE, 1, TextoVentilador(*it));
    int r = 2;
    for (const TLinhaConfig &l : c.Linhas) {
        sgConfig_->setCells(CFG_TEXTO, r, l.Texto);
        sgConfig_->setCells(CFG_DETALHE, r, l.Detalhe);
        sgConfig_->setCells(CFG_PRECO, r, l.Preco);
        ++r;
    }
    sgConfig_->AjustaLarguras({120, 92});
    sgConfig_->viewport()->update();
}

// --- Checklist -----------------------------------------------------------------------

void TfrmConfigura::clbClickCheck(int i) {
    if (G().Carregando) {
        mostraLista();
        return;
    }
    TItemOrc *it = itemDaLista();
    if (!it || i < 0 || i >= lista_.Quantas()) {
        mostraLista();
        return;
    }
    lista_.Marca(i, clb_->Marcado(i));
    const TEfeitoMarcacao e = MarcacaoAlterada(lista_, *it, i, G().PosicaoExigeQuadro, [] {
        return Mensagem(QString::fromUtf8(MsgConfirmaGabinete), MB_OKCANCEL_EXCLAMACAO) == ID_OK;
    });
    if (e.Alterado)
        SetAlterado(true);
    mostraLista();
    for (const QString &m : e.Mensagens)
        Mensagem(m, MB_OK_EXCLAMACAO);
    if (e.Gabinete) {
        sgConfig_->setCells(CFG_DETALHE, 1, TextoVentilador(*it));
        cbItens_->viewport()->update();
    }
    if (e.Atualiza || e.Gabinete)
        AtualizaConfiguracao();
    cbItens_->viewport()->update();
    if (e.Retorno) {
        RetornoJanela = true;
        janelaRetorno_ = e.Janela;
    }
    if (e.Janela)
        MostraJanela(e.Janela);
}

void TfrmConfigura::IncluiAcessorioEspecial() {
    TItemOrc *it = itemDaLista();
    if (!it || !it->Selecionado)
        return;
    auto &o = G().Orcamento;
    if (o.NumAcessEsp >= MaxAcessEsp) {
        Mensagem(MsgMaxEspeciais.arg(MaxAcessEsp), MB_OK_EXCLAMACAO);
        return;
    }
    auto *dialogo = qobject_cast<TfrmAceEsp *>(JanelaClasse("TfrmAceEsp"));
    if (!dialogo) {
        if (!aceEspProprio_)
            aceEspProprio_ = new TfrmAceEsp(window());
        dialogo = aceEspProprio_;
    }
    if (dialogo->exec() != QDialog::Accepted)
        return;
    o.NumAcessEsp = std::max(o.NumAcessEsp, 0) + 1;
    const QString descricao = dialogo->Denominacao().left(25);
    o.AcessEsp[o.NumAcessEsp - 1] = descricao;
    lista_.Entradas.push_back({EntradaEspecial(descricao, 0), false});
    mostraLista();
    clb_->setCurrentRow(lista_.Quantas() - 1);
    SetAlterado(true);
    AtualizaConfiguracao();
}

// --- Showing -------------------------------------------------------------------------

void TfrmConfigura::aoMostrar() {
    auto &g = G();
    edProjeto_->setText(g.ProjetoAtual);
    edOrcamento_->setText(g.NumOrcAtual);
    if (g.Orcamento.ICMS < 0)
        g.Orcamento.ICMS = cbICMS_->currentIndex() + 1;
    AtualizaDescontos();
    if (clb_->hasFocus())
        TextoStatus(StatusClb);

    if (VoltaFolha) {
        VoltaFolha = false;
        cbItens_->setFocus();
        return;
    }
    if (RetornoJanela) {
        RetornoJanela = false;
        if (TItemOrc *it = itemDaLista()) {
            // What the motor or position window decided shows in the checklist.
            lista_.Marca(0, it->ComMotor);
            if (janelaRetorno_ != JAN_MOTOR) {
                lista_.Marca(lista_.IdxPosicao, !it->Posicao.isEmpty());
                lista_.Marca(lista_.IdxQR, it->ExigeQuadro);
            }
            mostraLista();
            AtualizaConfiguracao();
            cbItens_->viewport()->update();
            clb_->setFocus();
            return;
        }
    }
    preenchendo_ = true;
    cbItens_->Limpa();
    for (int k = 1; k <= std::clamp(g.NumItens, 0, MaxItens); ++k)
        cbItens_->Adiciona(QString::number(k));
    // No item is current until the user picks one (also when the list gets the focus).
    cbItens_->setCurrentIndex(QModelIndex());
    preenchendo_ = false;
    LimpaConfiguracao();
    clb_->setEnabled(true);
    mostraDescontos();
    for (QLineEdit *ed : {edVazao_, edPressao_, edTemperatura_, edDensidade_})
        ed->clear();
    cbItens_->setFocus();
}

void TfrmConfigura::aoEsconder() { TextoStatus(QString()); }

bool TfrmConfigura::eventFilter(QObject *o, QEvent *e) {
    if (o == clb_) {
        switch (e->type()) {
        case QEvent::FocusIn:
            TextoStatus(StatusClb);
            break;
        case QEvent::FocusOut:
            TextoStatus(QString());
            break;
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent *>(e)->key() == Qt::Key_Insert)
                IncluiAcessorioEspecial();
            break;
        default:
            break;
        }
    }
    return JanelaFilha::eventFilter(o, e);
}

// --- Drawing -------------------------------------------------------------------------

void TfrmConfigura::desenhaItem(QPainter &p, const QStyleOptionViewItem &op, int row) {
    const int k = row + 1;
    if (k < 1 || k > MaxItens)
        return;
    const TItemOrc &it = G().Itens[k];
    const bool sel = op.state & QStyle::State_Selected;
    p.setPen(op.palette.color(sel ? QPalette::HighlightedText : QPalette::Text));
    const QRect &r = op.rect;
    Escreve(p, r, 8, 30, QString::number(k));
    Escreve(p, r, 40, 48, it.RefTag);
    Escreve(p, r, 90, 48, QString::number(it.Qtd));
    if (!it.Selecionado) {
        Escreve(p, r, 140, r.width() - 140, QStringLiteral("*** NÃO SELECIONADO ***"));
        return;
    }
    Escreve(p, r, 140, 118, it.Descricao);
    Escreve(p, r, 260, r.width() - 260, TextoVentilador(it) + QStringLiteral(" - ") + it.Posicao);
}

void TfrmConfigura::desenhaAcessorio(QPainter &p, const QStyleOptionViewItem &op, int row) {
    const bool sel = op.state & QStyle::State_Selected;
    QColor cor = op.palette.color(sel ? QPalette::HighlightedText : QPalette::Text);
    const TItemOrc *it = itemDaLista();
    if (!sel && it && it->ComGabinete && !AcessorioPermitido(lista_, row))
        cor = Qt::red;
    p.setPen(cor);
    const QRect &r = op.rect;
    const QString texto = lista_.Texto(row);
    if (row == 0 || row == lista_.IdxPosicao) {
        Escreve(p, r, 2, r.width() - 4, texto);
        return;
    }
    const TCamposEntrada c = SeparaCampos(texto);
    Escreve(p, r, 2, 176, c.Descricao);
    Escreve(p, r, 180, std::max(0, r.width() - 184 - 60), c.Codigo);
    Escreve(p, r, 0, r.width() - 4, c.Preco, Qt::AlignRight);
}

QWidget *CriaTfrmConfigura(QWidget *painel, const EntradaJanela &) { return new TfrmConfigura(painel); }

} // namespace quellora
