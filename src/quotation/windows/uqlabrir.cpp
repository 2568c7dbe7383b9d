#include "quotation/windows/uqlabrir.h"

#include "quotation/windows/uqldados.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "store/windows/uqlbanco.h"
#include "ui/grade.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace quellora {

namespace {
constexpr int LarguraNome = 250; // client and project columns
} // namespace

TfrmOpen::TfrmOpen(QWidget *painel) : JanelaFilha(QStringLiteral("Abrir/Excluir propostas"), AJUDA_ABRIR, painel) {
    setObjectName(QStringLiteral("TfrmOpen"));

    auto *btCancela = new QPushButton(QStringLiteral("&Retornar"), this);
    btCancela->setObjectName(QStringLiteral("btCancela"));
    btCancela->setIcon(QIcon(QStringLiteral(":/imagens/retorna.svg")));
    btOpen_ = new QPushButton(QStringLiteral("OK"), this);
    btOpen_->setObjectName(QStringLiteral("btOpen"));
    btOpen_->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    btExclui_ = new QPushButton(QStringLiteral("E&xcluir"), this);
    btExclui_->setObjectName(QStringLiteral("btExclui"));
    btExclui_->setIcon(QIcon(QStringLiteral(":/imagens/cancela.svg")));
    // On a server: the earlier revisions of the selected quotation.
    btRevisoes_ = new QPushButton(QStringLiteral("Re&visões"), this);
    btRevisoes_->setObjectName(QStringLiteral("btRevisoes"));
    btRevisoes_->setIcon(QIcon(QStringLiteral(":/imagens/abrir.svg")));
    btRevisoes_->hide();
    for (QPushButton *b : {btCancela, btOpen_, btExclui_, btRevisoes_}) {
        b->setMinimumWidth(100);
        b->setAutoDefault(false);
    }
    connect(btCancela, &QPushButton::clicked, this, [] { VoltaJanela(); });
    connect(btOpen_, &QPushButton::clicked, this, [this] { Abre(); });
    connect(btExclui_, &QPushButton::clicked, this, [this] { Exclui(); });
    connect(btRevisoes_, &QPushButton::clicked, this, [this] {
        int revisao = 0;
        if (const TResumoOrc *sel = Selecionada(); sel && btOpen_->isEnabled() && EscolheRevisao(this, *sel, revisao))
            Abre(revisao);
    });
    auto *barra = new QHBoxLayout;
    barra->addWidget(btCancela);
    barra->addWidget(btOpen_);
    barra->addWidget(btExclui_);
    barra->addWidget(btRevisoes_);
    barra->addStretch();

    lbNenhuma_ = new QLabel(this);
    lbNenhuma_->setObjectName(QStringLiteral("lbNenhuma"));
    lbNenhuma_->setWordWrap(true);
    {
        QPalette p = lbNenhuma_->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
        lbNenhuma_->setPalette(p);
        QFont f = lbNenhuma_->font();
        f.setBold(true);
        lbNenhuma_->setFont(f);
    }
    lbNenhuma_->hide();

    sgFiles_ = new GradeTexto(5, this);
    sgFiles_->setObjectName(QStringLiteral("sgFiles"));
    sgFiles_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgFiles_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgFiles_->setTabKeyNavigation(false);
    sgFiles_->setAlturaLinhas(20);
    sgFiles_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    sgFiles_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sgFiles_->horizontalHeader()->setStretchLastSection(true);
    const char *titulos[5] = {"Orc.", "Data", "Cliente", "Projeto", "Total"};
    for (int c = 0; c < 5; ++c)
        sgFiles_->setTitulo(c, QString::fromUtf8(titulos[c]));
    // The designed widths, or what a number and a date need in this font.
    const QFontMetrics fm(sgFiles_->font());
    sgFiles_->setLarguras({std::max(60, fm.horizontalAdvance(QStringLiteral("0000/00")) + 12),
                           std::max(75, fm.horizontalAdvance(QStringLiteral("00/00/0000")) + 12), LarguraNome,
                           LarguraNome, 100});
    sgFiles_->setAlinhamento(COL_ORC, Qt::AlignHCenter);
    sgFiles_->setAlinhamento(COL_DATA, Qt::AlignHCenter);
    sgFiles_->setAlinhamento(COL_TOTAL, Qt::AlignRight);
    sgFiles_->installEventFilter(this);
    connect(sgFiles_, &QTableWidget::cellDoubleClicked, this, [this] { Abre(); });
    auto *lbFiles = new QLabel(QStringLiteral("Proposta&s"), this); // Alt+P is the sort key "&Projeto"
    lbFiles->setBuddy(sgFiles_);

    // Sort key: two columns, filled top to bottom.
    auto *rgComp = new QGroupBox(QStringLiteral("Ordenar por:"), this);
    rgComp->setObjectName(QStringLiteral("rgComp"));
    rgComp_ = new QButtonGroup(rgComp);
    auto *gr = new QGridLayout(rgComp);
    const char *chaves[5] = {"&Orçamento", "&Data", "&Cliente", "&Projeto", "&Total"};
    for (int k = 0; k < 5; ++k) {
        auto *b = new QRadioButton(QString::fromUtf8(chaves[k]), rgComp);
        b->setObjectName(QStringLiteral("rgComp%1").arg(k));
        rgComp_->addButton(b, k);
        gr->addWidget(b, k % 3, k / 3);
    }
    rgComp_->button(ORDEM_NUMERO)->setChecked(true);
    connect(rgComp_, &QButtonGroup::idClicked, this, [this](int k) { Ordena(k); });

    // Price update on opening: built, but not offered.
    GroupBox1_ = new QGroupBox(this);
    GroupBox1_->setObjectName(QStringLiteral("GroupBox1"));
    auto *lbAtPreco = new QLabel(
        QStringLiteral("Marque a caixa abaixo se você deseja atualizar o preço automaticamente"), GroupBox1_);
    lbAtPreco->setWordWrap(true);
    {
        QPalette p = lbAtPreco->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
        lbAtPreco->setPalette(p);
    }
    ckAtPreco_ = new QCheckBox(QStringLiteral("Atualizar Preços"), GroupBox1_);
    ckAtPreco_->setObjectName(QStringLiteral("ckAtPreco"));
    auto *lg = new QVBoxLayout(GroupBox1_);
    lg->addWidget(lbAtPreco);
    lg->addWidget(ckAtPreco_);
    GroupBox1_->setMaximumWidth(260);
    GroupBox1_->hide();

    auto *baixo = new QHBoxLayout;
    baixo->addWidget(rgComp);
    baixo->addWidget(GroupBox1_);
    baixo->addStretch();

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(8, 8, 8, 8);
    l->setSpacing(6);
    l->addLayout(barra);
    l->addWidget(lbNenhuma_);
    l->addWidget(lbFiles);
    l->addWidget(sgFiles_, 1);
    l->addLayout(baixo);
}

void TfrmOpen::aoMostrar() {
    ckAtPreco_->setChecked(false);
    Lista();
    // Once the window has its size.
    QTimer::singleShot(0, this, [this] { ajustaColunas(); });
    sgFiles_->setFocus();
}

void TfrmOpen::ajustaColunas() {
    // Client and project give up width (down to half of it) so that the
    // total shows without scrolling; the user may widen them again.
    int soma = 0;
    for (int c = 0; c < sgFiles_->ColCount(); ++c)
        soma += sgFiles_->columnWidth(c);
    const int falta = soma - sgFiles_->viewport()->width();
    if (falta <= 0)
        return;
    for (int c : {COL_CLIENTE, COL_PROJETO})
        sgFiles_->setColumnWidth(c, std::max(LarguraNome / 2, LarguraNome - (falta + 1) / 2));
}

void TfrmOpen::Lista() {
    Acervo &acervo = AcervoDoPrograma();
    QString erro;
    bool listou;
    {
        CursorOcupado ocupado;
        listou = acervo.Lista(linhas_, &erro);
    }
    if (!listou) {
        linhas_.clear();
        MensagemErro(erro);
    }
    const bool alguma = !linhas_.empty();
    btOpen_->setEnabled(alguma);
    btExclui_->setEnabled(alguma);
    btRevisoes_->setVisible(acervo.Servidor());
    btRevisoes_->setEnabled(alguma);
    lbNenhuma_->setText(QString::fromUtf8(MsgNenhumaProposta).arg(acervo.Descricao()));
    lbNenhuma_->setVisible(!alguma);
    rgComp_->button(ORDEM_NUMERO)->setChecked(true);
    Ordena(ORDEM_NUMERO);
}

void TfrmOpen::Ordena(int chave) {
    OrdenaOrcamentos(linhas_, chave);
    Preenche();
    sgFiles_->setCelulaAtual(COL_ORC, sgFiles_->RowCount() - 1);
}

void TfrmOpen::Preenche() {
    // At least one row, empty when nothing is listed.
    sgFiles_->clearContents();
    sgFiles_->setRowCount(static_cast<int>(std::max<std::size_t>(linhas_.size(), 1)) + 1);
    int r = 1;
    for (const TResumoOrc &l : linhas_) {
        sgFiles_->setCells(COL_ORC, r, l.Numero);
        sgFiles_->setCells(COL_DATA, r, l.Legivel ? TextoDataOrcamento(l.Data) : QString());
        sgFiles_->setCells(COL_CLIENTE, r, l.Cliente);
        sgFiles_->setCells(COL_PROJETO, r, l.Projeto);
        sgFiles_->setCells(COL_TOTAL, r, l.Legivel ? FormataFloat(QStringLiteral("#,##0.00"), l.Total) : QString());
        ++r;
    }
}

const TResumoOrc *TfrmOpen::Selecionada() const {
    const int r = sgFiles_->Row();
    if (r < 1 || r > static_cast<int>(linhas_.size()))
        return nullptr;
    return &linhas_[static_cast<std::size_t>(r - 1)];
}

void TfrmOpen::Abre(int revisao) {
    const TResumoOrc *sel = Selecionada();
    if (!btOpen_->isEnabled() || !sel)
        return;
    const TResumoOrc linha = *sel;
    // Cancel in the question asked when this window opened kept the unsaved
    // work: it is not thrown away now without asking again.
    if (G().Alterado && RespostaAoAbrir() == ID_CANCEL && PerguntaSalvar() == ID_CANCEL)
        return;
    const bool atualiza = ckAtPreco_->isChecked();

    NovoOrcamento();
    auto &g = G();
    // The row's own file: a file not named after its number opens as listed.
    g.ArqOrc = linha.Arquivo;
    QString erro;
    if (!LeArquivo(AcervoDoPrograma(), &erro, revisao)) {
        g.ArqOrc.clear();
        MensagemErro(erro);
        return;
    }
    AplicaFatoresDoOrcamento();
    ChamaJanela("TfrmConfigura", "OrcamentoAberto");
    CarregaOrcamento();
    if (atualiza) {
        ChamaJanela("TfrmAtPreco", "AtualizaOrcamento");
        SetAlterado(true);
    }
    if (!g.Orcamento.Obs1.trimmed().isEmpty() || !g.Orcamento.Obs2.trimmed().isEmpty())
        ChamaJanela("TfrmDataSheet", "MarcaObservacoes", true);
    MostraJanela(JAN_DADOS);
}

void TfrmOpen::Exclui() {
    const TResumoOrc *sel = Selecionada();
    if (!btExclui_->isEnabled() || !sel)
        return;
    const TResumoOrc linha = *sel;
    if (Mensagem(QString::fromUtf8(MsgConfirmaExclusao).arg(linha.Numero), MB_SIMNAO_EXCLAMACAO) == ID_NAO)
        return;
    QString erro;
    if (!AcervoDoPrograma().Exclui(linha.Arquivo, &erro)) {
        MensagemErro(QString::fromUtf8(MsgErroExclusao) + (erro.isEmpty() ? QString() : QStringLiteral("\r\n") + erro));
        return;
    }
    Lista();
}

bool TfrmOpen::eventFilter(QObject *o, QEvent *e) {
    if (o == sgFiles_ && e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            Abre();
            return true;
        }
    }
    return JanelaFilha::eventFilter(o, e);
}

void TfrmOpen::mouseDoubleClickEvent(QMouseEvent *e) {
    JanelaFilha::mouseDoubleClickEvent(e);
    Abre();
}

void CarregaOrcamento() {
    auto &g = G();
    g.Carregando = true;
    if (TfrmDados *d = JanelaDados())
        d->CarregaDados();
    else {
        g.NumOrcAtual = g.Orcamento.NumOrc;
        g.ProjetoAtual = g.Orcamento.Projeto;
    }
    g.Carregando = false;
    SetAlterado(false);
    MostraJanela(JAN_DADOS);
}

QWidget *CriaTfrmOpen(QWidget *painel, const EntradaJanela &) { return new TfrmOpen(painel); }

} // namespace quellora
