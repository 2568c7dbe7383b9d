#include "selection/windows/uqlcalculos.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "quotation/orcamento.h"
#include "quotation/windows/uqldados.h"
#include "selection/curva.h"
#include "selection/eficiencia.h"
#include "selection/windows/uqlcurva.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "ui/camposprojeto.h"
#include "ui/grade.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace quellora {

namespace {

const QString MsgJaSelecionado = QStringLiteral(
    "Este item já foi selecionado. Se você alterar este valor, todos os dados \r\nanteriores serão perdidos.\r\nConfirma?");
const QString DicaModelo = QStringLiteral("F2 e Alt+Seta para baixo.");

// Columns of the item grid.
enum { IT_ITEM, IT_MODELO, IT_TAG, IT_QTD, IT_DESCRICAO, IT_VAZAO, IT_PRESSAO, IT_TEMPERATURA, IT_DENSIDADE };
// Columns of the size grid: the twelve of the design, then the energy figures.
enum {
    SG_TAM, SG_ARR, SG_ROT, SG_VEL, SG_VP, SG_PT20, SG_REND, SG_POTOP, SG_POT20, SG_POTMOTOR, SG_INDICE, SG_LWA,
    SG_FEI, SG_UE,
    SG_COLUNAS
};

QString Num(double v) { return GradeTexto::TextoNumero(v); }

const QList<int> LargurasTamanhos = {45, 45, 35, 30, 30, 48, 25, 48, 48, 48, 3, 48, 36, 28};

// Columns keep their designed widths unless what they show needs more.
void AjustaLarguras(GradeTexto *g, const QList<int> &minimas) {
    for (int c = 0; c < minimas.size() && c < g->ColCount(); ++c) {
        if (minimas[c] <= 3)
            continue;
        g->resizeColumnToContents(c);
        if (g->columnWidth(c) < minimas[c])
            g->setColumnWidth(c, minimas[c]);
    }
}
QString Fmt(double v, int casas) {
    return FormataFloat(casas > 0 ? QStringLiteral("0.") + QString(casas, QLatin1Char('0')) : QStringLiteral("0"), v);
}

TItemOrc &Item(int k) {
    static TItemOrc vazio;
    if (k < 1 || k > MaxItens) {
        vazio = TItemOrc{};
        return vazio;
    }
    return G().Itens[k];
}

} // namespace

TfrmCalculos::TfrmCalculos(QWidget *painel) : JanelaFilha(QStringLiteral("Cálculos"), AJUDA_CALCULOS, painel) {
    setObjectName(QStringLiteral("TfrmCalculos"));

    // Top bar: navigation and the quotation's project and number.
    auto *topo = new QWidget(this);
    auto *lt = new QHBoxLayout(topo);
    auto *btCancela = new QPushButton(QStringLiteral("&Dados"), topo);
    btCancela->setObjectName(QStringLiteral("btCancela"));
    auto *btConfigura = new QPushButton(QStringLiteral("&Configuração"), topo);
    btConfigura->setObjectName(QStringLiteral("btConfigura"));
    auto *btDataSheet = new QPushButton(QStringLiteral("&Folha de dados"), topo);
    btDataSheet->setObjectName(QStringLiteral("btDataSheet"));
    lt->addWidget(btCancela);
    lt->addWidget(btConfigura);
    lt->addWidget(btDataSheet);
    const CamposProjeto campos = AcrescentaCamposProjeto(topo, lt);
    edProjeto_ = campos.edProjeto;
    edOrcamento_ = campos.edOrcamento;
    connect(AvisoDoNumero(), &AvisoNumero::numeroAlterado, edOrcamento_, &QLineEdit::setText);

    lbItem_ = new QLabel(QStringLiteral("Item: "), this);
    lbItem_->setObjectName(QStringLiteral("lbItem"));
    lbItem_->setFrameShape(QFrame::Panel);
    lbItem_->setFrameShadow(QFrame::Raised);
    lbItem_->setStyleSheet(QStringLiteral("color: navy; font-weight: bold; padding: 2px 6px;"));

    // Items.
    grItens_ = new GradeTexto(9, this);
    grItens_->setObjectName(QStringLiteral("grItens"));
    const char *titulosItens[9] = {"Item", "Modelo", "Tag", "Qtd.", "Descrição", "Vazão", "Pressão", "Temperatura",
                                   "Densidade"};
    for (int c = 0; c < 9; ++c)
        grItens_->setTitulo(c, QString::fromUtf8(titulosItens[c]));
    grItens_->setLarguras({33, 125, 50, 50, 127, 60, 60, 80, 70});
    grItens_->setAlturaLinhas(18);
    grItens_->setEditavel(IT_MODELO, true);
    grItens_->setFormato(IT_VAZAO, QStringLiteral("0"));
    grItens_->setFormato(IT_PRESSAO, QStringLiteral("0.0"));
    grItens_->setFormato(IT_DENSIDADE, QStringLiteral("0.000"));
    grItens_->setFormato(IT_TEMPERATURA, QString());
    grItens_->setAlinhamento(IT_ITEM, Qt::AlignHCenter);
    for (int c : {IT_QTD, IT_VAZAO, IT_PRESSAO, IT_TEMPERATURA, IT_DENSIDADE})
        grItens_->setAlinhamento(c, Qt::AlignRight);
    grItens_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::SelectedClicked);
    grItens_->installEventFilter(this);
    auto *lbItens = new QLabel(QStringLiteral("Itens"), this);
    lbItens->setBuddy(grItens_);
    lbItens->hide();

    // Sizes.
    sgModelos_ = new GradeTexto(SG_COLUNAS, this);
    sgModelos_->setObjectName(QStringLiteral("sgModelos"));
    sgModelos_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgModelos_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgModelos_->setAlturaTitulo(30);
    sgModelos_->setAlturaLinhas(18);
    sgModelos_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    const char *titulosTam[SG_COLUNAS] = {"",          "Arr",        "N\rrpm",     "c\rm/s", "vp\rm/s",
                                          "pt 20º\rmmCA", "n\r%",     "Pw(op)\rkW", "Pw 20º\rkW", "Pm\rkW",
                                          "",          "LwA\rdB(A)", "FEI",         "UE"};
    for (int c = 0; c < SG_COLUNAS; ++c)
        sgModelos_->setTitulo(c, QString::fromUtf8(titulosTam[c]));
    sgModelos_->setLarguras(LargurasTamanhos);
    sgModelos_->setTextElideMode(Qt::ElideNone);
    const struct {
        int col;
        const char *fmt;
    } formatos[] = {{SG_ROT, "0"},      {SG_VEL, "0.0"},    {SG_VP, "0.0"},       {SG_PT20, "0.0"}, {SG_REND, "0"},
                    {SG_POTOP, "0.00"}, {SG_POT20, "0.00"}, {SG_POTMOTOR, "0.00"}, {SG_LWA, "0"},
                    {SG_FEI, "0.00"}};
    for (const auto &f : formatos) {
        sgModelos_->setFormato(f.col, QString::fromLatin1(f.fmt));
        sgModelos_->setAlinhamento(f.col, Qt::AlignRight);
    }
    sgModelos_->setAlinhamento(SG_TAM, Qt::AlignRight);
    sgModelos_->setAlinhamento(SG_UE, Qt::AlignHCenter);
    auto *lbTamanhos = new QLabel(QStringLiteral("Tamanhos"), this);
    lbTamanhos->setBuddy(sgModelos_);
    lbTamanhos->hide();

    // Chart and the two buttons.
    pb_ = new PainelCurva(6, 6, this);
    pb_->setObjectName(QStringLiteral("pb"));
    pb_->setFixedSize(230, 172);
    btSeleciona_ = new QPushButton(QStringLiteral("&Seleciona"), this);
    btSeleciona_->setObjectName(QStringLiteral("btSeleciona"));
    btSeleciona_->setEnabled(false);
    // FEI, EU check and annual energy cost of the size under the cursor.
    lbEnergia_ = new QLabel(this);
    lbEnergia_->setObjectName(QStringLiteral("lbEnergia"));
    lbEnergia_->setFixedWidth(230);
    lbEnergia_->setWordWrap(true);
    btCurva_ = new QPushButton(QStringLiteral("Cur&va"), this);
    btCurva_->setObjectName(QStringLiteral("btCurva"));
    btCurva_->setEnabled(false);

    gbLinhas_ = new QGroupBox(QStringLiteral("Modelos"), this);
    gbLinhas_->setObjectName(QStringLiteral("GroupBox1"));
    gbLinhas_->setMinimumHeight(52);

    auto *direita = new QVBoxLayout;
    direita->addWidget(pb_);
    direita->addWidget(lbEnergia_);
    auto *botoes = new QHBoxLayout;
    botoes->addWidget(btSeleciona_);
    botoes->addWidget(btCurva_);
    direita->addLayout(botoes);
    direita->addStretch();

    auto *meio = new QHBoxLayout;
    meio->addWidget(sgModelos_, 1);
    meio->addLayout(direita);

    auto *lv = new QVBoxLayout(this);
    lv->setContentsMargins(4, 0, 4, 4);
    lv->addWidget(topo);
    lv->addWidget(lbItem_);
    lv->addWidget(grItens_, 2);
    lv->addLayout(meio, 3);
    lv->addWidget(gbLinhas_);

    connect(btCancela, &QPushButton::clicked, this, [] { MostraJanela(JAN_DADOS); });
    connect(btConfigura, &QPushButton::clicked, this, [] { MostraJanela(JAN_CONFIGURA); });
    connect(btDataSheet, &QPushButton::clicked, this, [this] {
        VoltaCurva = true;
        MostraJanela(JAN_DATASHEET);
    });
    connect(grItens_, &GradeTexto::celulaEditada, this, [this](int col, int row) {
        if (col == IT_MODELO)
            CalculaGrade(col, row);
    });
    connect(grItens_, &GradeTexto::celulaSelecionada, this, [this](int col, int row) {
        TextoStatus(col == IT_MODELO ? DicaModelo : QString());
        if (!PreenchendoItens && !calculando_)
            selecionaCelulaItens(col, row);
    });
    connect(sgModelos_, &GradeTexto::celulaSelecionada, this, [this](int, int) {
        if (!calculando_)
            PreparaCurva();
    });
    connect(btSeleciona_, &QPushButton::clicked, this, &TfrmCalculos::btSelecionaClick);
    connect(btCurva_, &QPushButton::clicked, this, &TfrmCalculos::abreCurva);
    connect(pb_, &PainelCurva::clicado, this, [this] {
        if (CurvaValida)
            abreCurva();
    });

    LimpaGrade();
    criaBotoesDeLinha();
    QString erro;
    if (!CarregaEnergia(G().DirCatalogo, energia_, &erro))
        MensagemErro(erro);
    carregaPreferencias();
}

void TfrmCalculos::carregaPreferencias() {
    QString erro;
    if (!CarregaPreferencias(G().DirDados, prefs_, &erro)) {
        prefs_ = TPreferencias{};
        MensagemErro(erro);
    }
}

TBaseEnergia TfrmCalculos::baseEnergia() const { return BaseDaLinha(energia_, G().Modelo.Codigo, prefs_); }

TEficiencia TfrmCalculos::EficienciaDaLinha(int row) const {
    const auto &g = G();
    const int k = g.ItemAtual;
    if (k < 1 || k > MaxItens || row < 1)
        return {};
    const TItemOrc &it = g.Itens[k];
    if (it.Selecionado)
        return EficienciaDoItem(it, energia_, prefs_);
    const int i = static_cast<int>(sgModelos_->Numero(SG_INDICE, row));
    if (i < 1 || i > 23 || !g.Resultado.Qualificado[i])
        return {};
    return EficienciaDoTamanho(g.Resultado, i, g.Modelo, g.Densidade, g.SoTamanho, baseEnergia());
}

void TfrmCalculos::escreveEnergia(int row, const TEficiencia &e) {
    sgModelos_->setCells(SG_FEI, row, e.Valida ? Num(e.FEI) : QString());
    sgModelos_->setCells(SG_UE, row, e.Valida ? MarcaUE(e.AtendeUE) : QString());
}

void TfrmCalculos::mostraEnergia() {
    const TEficiencia e = CurvaValida ? EficienciaDaLinha(sgModelos_->Row()) : TEficiencia{};
    if (!e.Valida) {
        lbEnergia_->clear();
        return;
    }
    QString ue = QStringLiteral("UE –");
    if (e.AtendeUE == ResultadoUE::Atende || e.AtendeUE == ResultadoUE::NaoAtende)
        ue = QStringLiteral("UE %1 %2 % (mín. %3 %)")
                 .arg(MarcaUE(e.AtendeUE), FormataFloat(QStringLiteral("0.0"), e.RendUE),
                      FormataFloat(QStringLiteral("0.0"), e.UE.Minimo));
    lbEnergia_->setText(QStringLiteral("FEI %1   %2\nR$ %3/ano (%4 kWh)")
                            .arg(FormataFloat(QStringLiteral("0.00"), e.FEI), ue,
                                 FormataFloat(QStringLiteral(",0.00"), e.CustoAnual),
                                 FormataFloat(QStringLiteral(",0"), e.ConsumoAnual)));
}

void TfrmCalculos::criaBotoesDeLinha() {
    QString erro;
    if (!ListaModelos(G().DirCatalogo, linhas_, &erro)) {
        linhas_.clear();
        MensagemErro(erro);
    }
    grItens_->setLista(IT_MODELO, linhas_);
    auto *lay = new QHBoxLayout(gbLinhas_);
    lay->setContentsMargins(8, 4, 8, 4);
    lay->setSpacing(0);
    for (int k = 0; k < linhas_.size(); ++k) {
        const QString &linha = linhas_[k];
        auto *b = new QPushButton(linha.left(3), gbLinhas_);
        b->setObjectName(QStringLiteral("btLinha%1").arg(k));
        b->setToolTip(linha.mid(6, 50));
        b->setFixedWidth(40);
        b->setProperty("tag", k);
        lay->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, k] { EscolhePorBotao(k); });
    }
    lay->addStretch();
}

int TfrmCalculos::LinhaDestaque() const { return sgModelos_->LinhaDestaque(); }

void TfrmCalculos::LimpaGrade() {
    sgModelos_->setLinhaDestaque(-1);
    const bool antes = calculando_;
    calculando_ = true;
    sgModelos_->clearContents();
    sgModelos_->setRowCount(2);
    calculando_ = antes;
    atualizaCurva();
}

void TfrmCalculos::Reinicia() {
    LimpaGrade();
    sgModelos_->setTitulo(SG_TAM, QString());
    CurvaValida = false;
    VoltaCurva = false;
    Selecionando = false;
    Falhou = false;
    pb_->setValido(false);
    btCurva_->setEnabled(false);
    btSeleciona_->setEnabled(false);
}

void TfrmCalculos::PreencheItens() {
    PreenchendoItens = true;
    grItens_->preenchendo = true;
    const auto &g = G();
    grItens_->clearContents();
    grItens_->setRowCount(g.NumItens + 1);
    for (int j = 1; j <= g.NumItens; ++j) {
        const TItemOrc &it = g.Itens[j];
        grItens_->setCells(IT_ITEM, j, QString::number(j));
        grItens_->setCells(IT_MODELO, j, it.Selecionado ? it.TextoModelo : QString());
        grItens_->setCells(IT_TAG, j, it.RefTag);
        grItens_->setCells(IT_QTD, j, QString::number(it.Qtd));
        grItens_->setCells(IT_DESCRICAO, j, it.Descricao);
        grItens_->setCells(IT_VAZAO, j, Num(it.Vazao));
        grItens_->setCells(IT_PRESSAO, j, Num(it.Pressao));
        grItens_->setCells(IT_TEMPERATURA, j, Num(it.Temperatura));
        grItens_->setCells(IT_DENSIDADE, j, Num(it.DensidadeItem));
    }
    grItens_->preenchendo = false;
    PreenchendoItens = false;
}

void TfrmCalculos::avisa(AvisoCalculo tipo, const QString &texto) {
    switch (tipo) {
    case AvisoCalculo::SemDados:
    case AvisoCalculo::ErroArquivo:
        MensagemErro(texto);
        break;
    default:
        Mensagem(texto, MB_OK_EXCLAMACAO);
        break;
    }
}

void TfrmCalculos::CalculaTamanhos() {
    const TFimCalculo fim = quellora::CalculaTamanhos(
        G().DirCatalogo, [this](AvisoCalculo tipo, const QString &texto, int) { avisa(tipo, texto); });
    Falhou = fim.Falhou;
    if (!fim.Concluido)
        return;
    PreencheGrade();
    if (!G().SoTamanho)
        btSeleciona_->setEnabled(true);
}

void TfrmCalculos::PreencheGrade() {
    const auto &g = G();
    const TResultadoGrade &R = g.Resultado;
    const double rho20 = DensidadeRef(Item(g.ItemAtual).Altitude);
    const TBaseEnergia base = baseEnergia();
    calculando_ = true;
    if (!g.SoTamanho)
        sgModelos_->setRowCount(R.NumQualificados + 1);
    int r = 1;
    double best = 0;
    auto escreve = [&](int row, int i) {
        const TLinhaGrade l = LinhaDaGrade(R, i, rho20);
        sgModelos_->setCells(SG_TAM, row, QString::number(l.Tamanho));
        sgModelos_->setCells(SG_ARR, row, l.Arranjos);
        sgModelos_->setCells(SG_ROT, row, Num(l.Rotacao));
        sgModelos_->setCells(SG_VEL, row, Num(l.Velocidade));
        sgModelos_->setCells(SG_VP, row, Num(l.VelPeriferica));
        sgModelos_->setCells(SG_PT20, row, Num(l.PTotal20));
        sgModelos_->setCells(SG_REND, row, Num(l.Rendimento));
        sgModelos_->setCells(SG_POTOP, row, Num(l.PotOp));
        sgModelos_->setCells(SG_POT20, row, Num(l.Pot20));
        sgModelos_->setCells(SG_POTMOTOR, row, Num(l.PotMotor));
        sgModelos_->setCells(SG_INDICE, row, QString::number(l.Indice));
        sgModelos_->setCells(SG_LWA, row, Num(l.LwA));
        escreveEnergia(row, EficienciaDoTamanho(R, i, g.Modelo, g.Densidade, g.SoTamanho, base));
    };
    if (g.SoTamanho) {
        if (g.TamanhoUnico >= 1 && g.TamanhoUnico <= 23 && R.Qualificado[g.TamanhoUnico])
            escreve(1, g.TamanhoUnico);
        sgModelos_->viewport()->update();
        calculando_ = false;
        return;
    }
    int destaque = -1;
    for (int i = 1; i <= 23; ++i) {
        if (!R.Qualificado[i])
            continue;
        if (r >= sgModelos_->RowCount())
            sgModelos_->setRowCount(r + 1);
        escreve(r, i);
        if (R.RendTam[i] > best) {
            best = R.RendTam[i];
            destaque = r;
        }
        ++r;
    }
    sgModelos_->setLinhaDestaque(destaque);
    AjustaLarguras(sgModelos_, LargurasTamanhos);
    if (destaque >= 1)
        sgModelos_->setCelulaAtual(SG_TAM, destaque);
    calculando_ = false;
    // The chart follows the size under the cursor: the highlighted one.
    if (destaque >= 1)
        PreparaCurva();
}

void TfrmCalculos::PreparaCurva() {
    auto &g = G();
    const int k = g.ItemAtual;
    if (k < 1 || k > MaxItens)
        return;
    const TItemOrc &it = g.Itens[k];
    TEntradaCurva e;
    if (it.Selecionado) {
        e = EntradaDoItem(g.Modelo, it, g.VazaoCalc, g.Densidade);
    } else {
        const int row = sgModelos_->Row();
        const int i = static_cast<int>(sgModelos_->Numero(SG_INDICE, row));
        if (row < 1 || i < 1 || i > 23)
            return;
        e = EntradaDaGrade(g.Modelo, g.Resultado, i, g.VazaoCalc, g.Densidade);
    }
    DefineCurva(e);
    CurvaValida = true;
    atualizaCurva();
}

void TfrmCalculos::atualizaCurva() {
    // An empty size grid has no chart to show and no size to choose.
    if (sgModelos_->Cells(SG_TAM, 1).isEmpty()) {
        CurvaValida = false;
        btSeleciona_->setEnabled(false);
    }
    pb_->setValido(CurvaValida);
    btCurva_->setEnabled(CurvaValida);
    mostraEnergia();
}

void TfrmCalculos::CalculaGrade(int col, int row) {
    if (PreenchendoItens)
        return;
    LimpaGrade();
    if (col != IT_MODELO || row < 1 || row > MaxItens)
        return;
    auto &g = G();
    TItemOrc &it = g.Itens[row];
    if (it.Selecionado && !Iniciando) {
        ResetaItem(row);
        grItens_->viewport()->update();
    }
    if (!Iniciando) {
        it.Selecionado = false;
    } else if (it.Selecionado) {
        g.ItemAtual = -1;
        selecionaCelulaItens(grItens_->Col(), grItens_->Row());
        return;
    }
    g.ItemAtual = row;
    const QString t = grItens_->Cells(IT_MODELO, row);
    g.ModeloCalc = t.isEmpty() ? -1 : static_cast<int>(linhas_.indexOf(t));
    it.TextoModelo = t.left(30);
    if (g.ModeloCalc < 0) {
        sgModelos_->setTitulo(SG_TAM, QString());
        return;
    }
    it.RegModelo = g.ModeloCalc;
    it.IndModelo = g.ModeloCalc;
    g.Densidade = it.DensidadeItem;
    g.AltDens = it.Altitude;
    g.VazaoCalc = it.Vazao;
    g.PressaoCalc = it.Pressao;
    g.TempDens = it.Temperatura;
    TextoStatus(QString());
    QString erro;
    if (!CarregaMotores(g.DirCatalogo, 1, &erro)) {
        MensagemErro(erro);
        return;
    }
    g.SoTamanho = false;
    CalculaTamanhos();
    if (Falhou) {
        grItens_->preenchendo = true;
        grItens_->setCells(IT_MODELO, row, QString());
        grItens_->preenchendo = false;
        it.TextoModelo.clear();
        CurvaValida = false;
        atualizaCurva();
        return;
    }
    sgModelos_->setFocus();
    sgModelos_->setTitulo(SG_TAM, g.Modelo.Codigo);
    atualizaCurva();
    SetAlterado(true);
}

void TfrmCalculos::selecionaCelulaItens(int col, int row) {
    auto &g = G();
    if (row < 1 || row > MaxItens || row == g.ItemAtual)
        return;
    lbItem_->setText(QStringLiteral("Item: %1").arg(row));
    CurvaValida = false;
    g.ItemAtual = row;
    TItemOrc &it = g.Itens[row];
    g.TempDens = it.Temperatura;
    g.VazaoCalc = it.Vazao;
    g.PressaoCalc = it.Pressao;
    g.Densidade = it.DensidadeItem;
    if (grItens_->Cells(IT_MODELO, row).isEmpty()) {
        LimpaGrade();
        btSeleciona_->setEnabled(false);
        atualizaCurva();
        sgModelos_->setTitulo(SG_TAM, QString());
        return;
    }
    QString erro;
    if (!CarregaModelo(g.DirCatalogo, it.RegModelo, &erro)) {
        MensagemErro(erro);
        return;
    }
    sgModelos_->setTitulo(SG_TAM, g.Modelo.Codigo);
    LimpaGrade();
    if (it.Selecionado) {
        mostraSelecaoGuardada(row);
        return;
    }
    g.ModeloCalc = it.RegModelo;
    if (!CarregaMotores(g.DirCatalogo, 1, &erro)) {
        MensagemErro(erro);
        return;
    }
    g.SoTamanho = false;
    CalculaTamanhos();
    atualizaCurva();
    (void)col;
}

void TfrmCalculos::mostraSelecaoGuardada(int row) {
    const TItemOrc &it = G().Itens[row];
    const double rho20 = DensidadeRef(it.Altitude);
    calculando_ = true;
    sgModelos_->setCells(SG_TAM, 1, QString::number(it.Tamanho));
    sgModelos_->setCells(SG_ARR, 1,
                         (it.Arranjo >= 0 && it.Arranjo <= 8) ? QString::fromLatin1(Arranjos[it.Arranjo]) : QString());
    sgModelos_->setCells(SG_ROT, 1, QString::number(it.Rotacao));
    sgModelos_->setCells(SG_VEL, 1, Num(it.VelDescarga));
    sgModelos_->setCells(SG_VP, 1, Num(it.VelPeriferica));
    sgModelos_->setCells(SG_PT20, 1, Num(it.PTotal20 / 1.205 * rho20));
    sgModelos_->setCells(SG_REND, 1, QString::number(it.Rendimento));
    sgModelos_->setCells(SG_POTOP, 1, Num(it.PotOp));
    sgModelos_->setCells(SG_POT20, 1, Num(it.Pot20 / 1.205 * rho20));
    sgModelos_->setCells(SG_POTMOTOR, 1, Num(it.MotorSugerido));
    sgModelos_->setCells(SG_INDICE, 1, QString());
    sgModelos_->setCells(SG_LWA, 1, Num(it.LwA));
    escreveEnergia(1, EficienciaDoItem(it, energia_, prefs_));
    sgModelos_->setLinhaDestaque(1);
    AjustaLarguras(sgModelos_, LargurasTamanhos);
    sgModelos_->setCelulaAtual(SG_TAM, 1);
    calculando_ = false;
    PreparaCurva();
    btSeleciona_->setEnabled(false);
}

void TfrmCalculos::EscolhePorBotao(int k) {
    if (k < 0 || k >= linhas_.size())
        return;
    int row = grItens_->Row();
    if (row < 1) {
        row = 1;
        grItens_->setCelulaAtual(IT_MODELO, 1);
    }
    if (row > G().NumItens)
        return;
    if (Item(row).Selecionado && !Iniciando && Mensagem(MsgJaSelecionado, MB_SIMNAO_EXCLAMACAO) == ID_NAO) {
        grItens_->setFocus();
        return;
    }
    grItens_->preenchendo = true;
    grItens_->setCells(IT_MODELO, row, linhas_[k]);
    grItens_->preenchendo = false;
    selecionaCelulaItens(grItens_->Col(), row);
    CalculaGrade(IT_MODELO, row);
}

void TfrmCalculos::btSelecionaClick() {
    auto &g = G();
    const int row = sgModelos_->Row();
    if (row < 1 || g.ItemAtual < 1 || g.ItemAtual > MaxItens)
        return;
    TItemOrc &it = g.Itens[g.ItemAtual];
    Selecionando = true;
    it.Tamanho = static_cast<int>(sgModelos_->Numero(SG_TAM, row));
    if (!it.Selecionado)
        it.DescTamanho = sgModelos_->Cells(SG_ARR, row).left(10);
    it.Linha = g.Modelo.Codigo.left(4);
    it.PaginaArranjo = g.Modelo.Entradas;
    if (g.Modelo.DescModelo.trimmed().toUpper() == QLatin1String("AXIAL"))
        it.Axial = true;
    // The arrangement window takes DescTamanho and the page from the item.
    MostraJanela(JAN_ARRANJO);
}

TTextosCurva TfrmCalculos::TextosDaCurva() const {
    const auto &g = G();
    const TItemOrc &it = Item(g.ItemAtual);
    const int row = sgModelos_->Row();
    const QString ventilador = (g.Modelo.Codigo + QLatin1Char(' ')).left(5) + sgModelos_->Cells(SG_TAM, row);
    const double vazao = it.Direto ? it.VazaoDireto : it.Vazao;
    const double pressao = it.Direto ? it.PressaoDireto : it.Pressao;
    const double pot = sgModelos_->Numero(SG_POTOP, row);
    const double rend = sgModelos_->Numero(SG_REND, row);
    const double lwa = sgModelos_->Numero(SG_LWA, row);
    TTextosCurva t;
    t.Item = QStringLiteral("Item: %1").arg(g.ItemAtual);
    t.Valores = {g.ProjetoAtual,
                 it.RefTag,
                 it.Descricao,
                 ventilador,
                 Fmt(vazao, 0) + QStringLiteral(" m³/h"),
                 Fmt(pressao, 1) + QStringLiteral(" mmCA"),
                 Fmt(it.Temperatura, 0) + QStringLiteral(" °C"),
                 Fmt(it.Altitude, 0) + QStringLiteral(" m"),
                 Fmt(pot, 2) + QStringLiteral(" kW"),
                 Fmt(rend, 0) + QStringLiteral(" %"),
                 Fmt(lwa, 0) + QStringLiteral(" dB(A)")};
    const QString arranjo = (it.Arranjo >= 0 && it.Arranjo <= 8) ? QString::fromLatin1(Arranjos[it.Arranjo]) : QString();
    t.Bloco = {{QStringLiteral("Projeto:"), g.ProjetoAtual},
               {QStringLiteral("TAG/Ref:"), it.RefTag},
               {QStringLiteral("Descrição:"), it.Descricao},
               {QStringLiteral("Ventilador:"), ventilador + QLatin1Char('-') + arranjo},
               {QStringLiteral("Vazão de ar:"), Fmt(vazao, 0) + QStringLiteral(" m³/h")},
               {QStringLiteral("Pressão estática:"), Fmt(pressao, 0) + QStringLiteral(" mmCA")},
               {QStringLiteral("Temperatura:"), Fmt(it.Temperatura, 0) + QStringLiteral(" °C")},
               {QStringLiteral("Altitude:"), Fmt(it.Altitude, 0) + QStringLiteral(" m")},
               {QStringLiteral("Potência abs.:"), Fmt(pot, 2) + QStringLiteral(" kW")},
               {QStringLiteral("Rendimento:"), Fmt(rend, 0) + QStringLiteral(" %")},
               {QStringLiteral("Pot.SonoraLwA:"), Fmt(lwa, 0) + QStringLiteral(" dB(A)")}};
    return t;
}

void TfrmCalculos::abreCurva() {
    VoltaCurva = true;
    if (auto *curva = qobject_cast<TfrmCurva *>(JanelaClasse("TfrmCurva")))
        curva->defineTextos(TextosDaCurva());
    MostraJanela(JAN_CURVA);
}

void TfrmCalculos::aoMostrar() {
    auto &g = G();
    // The running-cost basis may have been changed in the main window.
    carregaPreferencias();
    edProjeto_->setText(g.ProjetoAtual);
    edOrcamento_->setText(g.NumOrcAtual);
    if (Selecionando) {
        Selecionando = false;
        if (Falhou) {
            btSeleciona_->setEnabled(false);
            // Data entry stores its grid; the item's duty is then the one in
            // force.
            GravaDados();
            const int k = g.ItemAtual;
            if (k >= 1 && k <= MaxItens) {
                TItemOrc &it = g.Itens[k];
                it.TextoModelo = grItens_->Cells(IT_MODELO, k).left(30);
                if (g.ModeloCalc >= 0)
                    it.IndModelo = g.ModeloCalc;
                g.Densidade = it.DensidadeItem;
                g.VazaoCalc = it.Vazao;
                g.AltDens = it.Altitude;
                g.PressaoCalc = it.Pressao;
                g.TempDens = it.Temperatura;
            }
            Falhou = false;
            g.SoTamanho = false;
            CalculaTamanhos();
            sgModelos_->setFocus();
        } else {
            SetAlterado(true);
            // The figures of the size as the item now stores it, drive included.
            if (g.ItemAtual >= 1 && g.ItemAtual <= MaxItens)
                escreveEnergia(1, EficienciaDoItem(g.Itens[g.ItemAtual], energia_, prefs_));
            CurvaValida = true;
            PreparaCurva();
            grItens_->setFocus();
        }
        return;
    }
    if (VoltaCurva) {
        CurvaValida = true;
        VoltaCurva = false;
        atualizaCurva();
        sgModelos_->setFocus();
        return;
    }
    PreencheItens();
    Iniciando = true;
    calculando_ = true;
    g.ItemAtual = 0;
    grItens_->setCelulaAtual(IT_MODELO, 1);
    calculando_ = false;
    lbItem_->setText(QStringLiteral("Item: 1"));
    CalculaGrade(IT_MODELO, 1);
    Iniciando = false;
    CurvaValida = !grItens_->Cells(IT_MODELO, 1).isEmpty();
    atualizaCurva();
    grItens_->setFocus();
}

void TfrmCalculos::aoEsconder() {
    CurvaValida = false;
    TextoStatus(QString());
}

bool TfrmCalculos::eventFilter(QObject *o, QEvent *e) {
    if (o == grItens_) {
        if (e->type() == QEvent::FocusIn)
            TextoStatus(grItens_->Col() == IT_MODELO ? DicaModelo : QString());
        else if (e->type() == QEvent::FocusOut)
            TextoStatus(QString());
    }
    return JanelaFilha::eventFilter(o, e);
}

QWidget *CriaTfrmCalculos(QWidget *painel, const EntradaJanela &) { return new TfrmCalculos(painel); }

} // namespace quellora
