#include "proposal/windows/uqldatasheet.h"

#include "proposal/folha_tecnica.h"
#include "proposal/planilha.h"
#include "proposal/proposta.h"
#include "quotation/arquivo_orc.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace quellora {

std::function<QStringList(const QString &)> TfrmDataSheet::LocalizaPrograma = &ComandoParaAbrir;
std::function<bool(const QString &)> TfrmDataSheet::AbreNoVisualizador = [](const QString &arquivo) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(arquivo));
};

namespace {
const QString MsgSemPlanilha = QStringLiteral("Não foi possível localizar o programa para abrir uma planilha!");
const QString MsgSalvaPlanilha = QStringLiteral("\r\nDeseja salvar a planilha em um arquivo, para abri-la depois?");
const QString MsgNaoAbriu = QStringLiteral("Não foi possível abrir o arquivo!");
} // namespace

// The white sheet the page is drawn on.
class FolhaProposta : public QWidget {
public:
    FolhaProposta(TfrmDataSheet *janela, QWidget *pai) : QWidget(pai), janela_(janela) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter f(this);
        janela_->desenhaFolha(f);
    }

private:
    TfrmDataSheet *janela_;
};

TfrmDataSheet::TfrmDataSheet(QWidget *painel) : JanelaFilha(QStringLiteral("Folha de dados"), AJUDA_DATASHEET, painel) {
    setObjectName(QStringLiteral("TfrmDataSheet"));
    setWindowTitle(QStringLiteral("Data Sheet"));
    setFocusPolicy(Qt::StrongFocus);

    // Top panel.
    auto *topo = new QWidget(this);
    topo->setObjectName(QStringLiteral("Panel1"));
    auto *lt = new QHBoxLayout(topo);
    auto botao = [&](const char *nome, const char *texto, const char *dica) {
        auto *b = new QPushButton(QString::fromUtf8(texto), topo);
        b->setObjectName(QString::fromLatin1(nome));
        b->setToolTip(QString::fromUtf8(dica));
        b->setFocusPolicy(Qt::TabFocus);
        lt->addWidget(b);
        return b;
    };
    auto *btCancela = botao("btCancela", "&Retornar", "Retornar");
    btCancela->setShortcut(QKeySequence(Qt::Key_Escape));
    auto *btImprime = botao("btImprime", "&Imprime", "Imprime proposta");
    auto *btObs = botao("btObs", "&Obs.", "Inclui observações na proposta");
    btReduzida_ = botao("btReduzida", "Normal", "");
    btReduzida_->setCheckable(true);
    btReduzida_->setChecked(true);
    auto *btBases = botao("btBases", "&Bases", "Alteração das bases comerciais");
    auto *btExcel = botao("btExcel", "Excel", "Abre proposta no Excel");
    auto *btEmail = botao("btEmail", "email", "Envia proposta por email");
    auto *btPDF = botao("btPDF", "Salvar PDF", "Salva a proposta em um arquivo PDF");
    auto *btFolhas = botao("btFolhas", "Folhas &técnicas",
                           "Salva em PDF uma folha técnica por item pronto e a abre no visualizador");
    // The longest caption of the row stays whole on an 800-pixel screen.
    btFolhas->setMinimumWidth(btFolhas->sizeHint().width());
    lt->addStretch();
    lbPg_ = new QLabel(QStringLiteral("pág.:"), topo);
    lbPg_->setObjectName(QStringLiteral("lbPg"));
    lbPg_->setMinimumWidth(70);
    lbPg_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lt->addWidget(lbPg_);
    btPrevPg_ = botao("btPrevPg", "Pág", "página anterior");
    btPrevPg_->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    btNextPg_ = botao("btNextPg", "Pág", "próxima página");
    btNextPg_->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    btNextPg_->setLayoutDirection(Qt::RightToLeft);

    // Option panel: the sections and the warnings.
    auto *opcoes = new QWidget(this);
    opcoes->setObjectName(QStringLiteral("Panel2"));
    auto *lopcoes = new QVBoxLayout(opcoes);
    lopcoes->setContentsMargins(9, 0, 9, 4);
    auto *lo = new QHBoxLayout;
    auto *lavisos = new QHBoxLayout;
    lopcoes->addLayout(lo);
    lopcoes->addLayout(lavisos);
    auto caixa = [&](QCheckBox *&cb, const char *nome, const char *texto, bool marcada) {
        cb = new QCheckBox(QString::fromUtf8(texto), opcoes);
        cb->setObjectName(QString::fromLatin1(nome));
        cb->setChecked(marcada);
        lo->addWidget(cb);
        connect(cb, &QCheckBox::toggled, this, &TfrmDataSheet::atualizaPaginas);
    };
    caixa(cbTecnicas_, "cbTecnicas", "&Características técnicas", true);
    caixa(cbRuido_, "cbRuido", "&Nível de ruído em bandas de oitava", true);
    caixa(cbAcessorios_, "cbAcessorios", "&Acessórios", true);
    caixa(cbObs_, "cbObs", "Obser&vações", false);
    caixa(cbPrecos_, "cbPrecos", "&Preços", false);
    caixa(cbCondicoes_, "cbCondicoes", "R&odapé com condições de pagamento e prazos", false);
    lo->addStretch();
    auto aviso = [&](const char *nome, const char *texto) {
        auto *l = new QLabel(QString::fromUtf8(texto), opcoes);
        l->setObjectName(QString::fromLatin1(nome));
        l->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
        l->hide();
        lavisos->addWidget(l);
        return l;
    };
    lbQuantidade_ = aviso("lbQuantidade", "Existem quantidades zeradas!");
    lavisos->addSpacing(24);
    lbSelecao_ = aviso("lbSelecao", "Existem items NÃO selecionados!");
    lavisos->addSpacing(24);
    // Which items those are: the proposal leaves them out.
    lbForaDaProposta_ = aviso("lbForaDaProposta", "");
    lavisos->addStretch();

    // The sheet in its scroll box, on a grey desk.
    sb_ = new QScrollArea(this);
    sb_->setObjectName(QStringLiteral("sb"));
    sb_->setFocusPolicy(Qt::NoFocus);
    sb_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    sb_->setBackgroundRole(QPalette::Dark);
    pb_ = new FolhaProposta(this, sb_);
    pb_->setObjectName(QStringLiteral("pb"));
    // The paper of the page, at the screen's 96 pixels per inch.
    const QSizeF papel = LayoutPaginaProposta().fullRect(QPageLayout::Inch).size() * 96;
    pb_->setFixedSize(qRound(papel.width()), qRound(papel.height()));
    sb_->setWidget(pb_);
    sb_->viewport()->installEventFilter(this);
    pb_->installEventFilter(this);
    // The page heading shows the quotation's number: a save repaints it.
    connect(AvisoDoNumero(), &AvisoNumero::numeroAlterado, pb_, [this] { pb_->update(); });

    auto *lv = new QVBoxLayout(this);
    lv->setContentsMargins(0, 0, 0, 0);
    lv->setSpacing(0);
    lv->addWidget(topo);
    lv->addWidget(opcoes);
    lv->addWidget(sb_, 1);

    connect(btCancela, &QPushButton::clicked, this, [] { VoltaJanela(); });
    connect(btImprime, &QPushButton::clicked, this, &TfrmDataSheet::btImprimeClick);
    connect(btObs, &QPushButton::clicked, this, &TfrmDataSheet::btObsClick);
    connect(btReduzida_, &QPushButton::clicked, this, &TfrmDataSheet::btReduzidaClick);
    connect(btBases, &QPushButton::clicked, this, &TfrmDataSheet::btBasesClick);
    connect(btExcel, &QPushButton::clicked, this, &TfrmDataSheet::btExcelClick);
    connect(btEmail, &QPushButton::clicked, this, &TfrmDataSheet::btEmailClick);
    connect(btPDF, &QPushButton::clicked, this, &TfrmDataSheet::btPDFClick);
    connect(btFolhas, &QPushButton::clicked, this, &TfrmDataSheet::btFolhasClick);
    connect(btPrevPg_, &QPushButton::clicked, this, [this] { mudaPagina(-1); });
    connect(btNextPg_, &QPushButton::clicked, this, [this] { mudaPagina(+1); });

    // Prices and the conditions footer are not offered.
    cbPrecos_->hide();
    cbCondicoes_->hide();
    btBases->hide();
    aplicaOpcoes();
    Pintando = false;
}

void TfrmDataSheet::aplicaOpcoes() {
    auto &pr = G().Proposta;
    pr.SecaoTecnicas = cbTecnicas_->isChecked();
    pr.SecaoRuido = cbRuido_->isChecked();
    pr.SecaoAcessorios = cbAcessorios_->isChecked();
    pr.SecaoPrecos = cbPrecos_->isChecked();
    pr.SecaoCondicoes = cbCondicoes_->isChecked();
    pr.SecaoObs = cbObs_->isChecked();
    pr.Reduzida = btReduzida_->isChecked();
}

void TfrmDataSheet::desenhaFolha(QPainter &f) {
    f.fillRect(pb_->rect(), Qt::white);
    if (Pintando || paginas_.empty())
        return;
    auto &p = Pagina();
    const TEstadoPagina antes = p;
    p.Imprimindo = false;
    aplicaOpcoes();
    f.setRenderHint(QPainter::Antialiasing);
    // The page as printed on the standard paper, within its margins.
    const QRectF area = LayoutPaginaProposta().paintRect(QPageLayout::Inch);
    const QRectF alvo(area.topLeft() * 96, area.size() * 96);
    DesenhaProposta(f, alvo, AreaPaginaPadrao(), paginas_[static_cast<std::size_t>(PaginaAtual - 1)]);
    p = antes;
}

void TfrmDataSheet::atualizaPaginas() {
    aplicaOpcoes();
    // Hidden, the pages wait for the window to be shown.
    if (!isVisible())
        return;
    paginas_ = PaginasProposta();
    NumPaginas = static_cast<int>(paginas_.size());
    PaginaAtual = std::clamp(PaginaAtual, 1, NumPaginas);
    const bool varias = NumPaginas > 1;
    btPrevPg_->setVisible(varias);
    btNextPg_->setVisible(varias);
    lbPg_->setVisible(varias);
    btPrevPg_->setEnabled(PaginaAtual > 1);
    btNextPg_->setEnabled(PaginaAtual < NumPaginas);
    ajustaPagina();
}

void TfrmDataSheet::aoMostrar() {
    const auto &g = G();
    TextoStatus(QStringLiteral("Alt+Setas para mover o relatório"));
    bool zerada = false, naoSelecionado = false;
    for (int k = 1; k <= std::min(g.NumItens, 40); ++k) {
        zerada |= g.Itens[k].Qtd == 0;
        naoSelecionado |= !g.Itens[k].Selecionado;
    }
    lbQuantidade_->setVisible(zerada);
    lbSelecao_->setVisible(naoSelecionado);
    const QString fora = AvisoItensFora(ItensForaDaProposta(g.Itens, g.NumItens));
    lbForaDaProposta_->setText(fora);
    lbForaDaProposta_->setVisible(!fora.isEmpty());
    PaginaAtual = 1;
    atualizaPaginas();
    sb_->horizontalScrollBar()->setValue(0);
    sb_->verticalScrollBar()->setValue(0);
    focaFolha();
}

void TfrmDataSheet::aoEsconder() {
    TextoStatus(QString());
    lbQuantidade_->hide();
    lbSelecao_->hide();
    lbForaDaProposta_->hide();
}

void TfrmDataSheet::ajustaPagina() {
    const QString t = QStringLiteral("Pág. %1/%2").arg(PaginaAtual).arg(NumPaginas);
    lbPg_->setText(t);
    G().Proposta.TextoPagina = t;
    pb_->update();
}

void TfrmDataSheet::mudaPagina(int passo) {
    PaginaAtual = std::clamp(PaginaAtual + passo, 1, NumPaginas);
    btPrevPg_->setEnabled(PaginaAtual > 1);
    btNextPg_->setEnabled(PaginaAtual < NumPaginas);
    ajustaPagina();
    focaFolha();
}

void TfrmDataSheet::focaFolha() {
    if (isVisible())
        setFocus();
}

void TfrmDataSheet::btReduzidaClick() {
    btReduzida_->setText(btReduzida_->isChecked() ? QStringLiteral("Normal") : QStringLiteral("Reduzida"));
    atualizaPaginas();
    focaFolha();
}

void TfrmDataSheet::btImprimeClick() {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setPageOrientation(QPageLayout::Portrait);
    impressora.setDocName(QStringLiteral("Quellora"));
    // The paper the preview shows, unless the user chooses another.
    impressora.setPageLayout(LayoutPaginaProposta());
    impressora.setFromTo(1, NumPaginas);
    bool ok;
    if (confirmaImpressao) {
        ok = confirmaImpressao(impressora);
    } else {
        QPrintDialog dlg(&impressora, this);
        dlg.setOption(QAbstractPrintDialog::PrintPageRange);
        dlg.setMinMax(1, NumPaginas);
        ok = dlg.exec() == QDialog::Accepted;
    }
    if (ok) {
        aplicaOpcoes();
        QApplication::processEvents();
        int de = 1, ate = NumPaginas;
        if (impressora.printRange() == QPrinter::PageRange && impressora.fromPage() > 0) {
            de = impressora.fromPage();
            ate = std::max(de, impressora.toPage());
        }
        CursorOcupado ocupado;
        ImprimeProposta(impressora, de, ate);
    }
    focaFolha();
}

void TfrmDataSheet::btObsClick() {
    auto *d = qobject_cast<QDialog *>(JanelaClasse("TfrmObs"));
    if (d && d->exec() == QDialog::Accepted) {
        const auto &o = G().Orcamento;
        const bool vazias = o.Obs1.trimmed().isEmpty() && o.Obs2.trimmed().isEmpty();
        cbObs_->setChecked(!vazias);
        if (!vazias)
            SetAlterado(true);
        atualizaPaginas();
    }
    focaFolha();
}

void TfrmDataSheet::btBasesClick() {
    auto *d = qobject_cast<QDialog *>(JanelaClasse("TfrmCondCom"));
    if (d && d->exec() == QDialog::Accepted)
        atualizaPaginas();
    focaFolha();
}

void TfrmDataSheet::btExcelClick() {
    const QString arquivo = QDir(QDir::tempPath()).filePath(QStringLiteral("proposta.xls"));
    const QStringList comando = LocalizaPrograma ? LocalizaPrograma(arquivo) : QStringList();
    // Without a spreadsheet program the file can still be saved where the
    // user chooses, to be opened elsewhere.
    QString salvo;
    if (comando.isEmpty()) {
        if (Mensagem(MsgSemPlanilha + MsgSalvaPlanilha, MB_SIMNAO_EXCLAMACAO) == ID_SIM)
            salvo = destino(QStringLiteral("Salvar planilha"), QStringLiteral("xls"),
                            QStringLiteral("Planilha (*.xls)"));
        if (salvo.isEmpty()) {
            focaFolha();
            return;
        }
    }
    QString erro;
    bool gravou;
    {
        CursorOcupado ocupado;
        aplicaOpcoes();
        gravou = GravaPropostaHTML(salvo.isEmpty() ? arquivo : salvo, &erro);
    }
    if (!gravou)
        MensagemErro(erro);
    else if (salvo.isEmpty() && !QProcess::startDetached(comando.first(), comando.mid(1)))
        MensagemErro(MsgNaoAbriu);
    focaFolha();
}

QString TfrmDataSheet::destino(const QString &titulo, const QString &extensao, const QString &filtro,
                               const QString &nomeProposto) {
    const QString numero = G().Orcamento.NumOrc.trimmed();
    QString nome = nomeProposto;
    if (nome.isEmpty())
        nome = numero.isEmpty() ? QStringLiteral("proposta.") + extensao
                                : QStringLiteral("proposta_%1.%2").arg(NomeArquivoOrc(numero).chopped(4), extensao);
    QString pasta = G().DirProjetos;
    if (pasta.isEmpty() || !QDir(pasta).exists())
        pasta = QDir::homePath();
    const QString proposto = QDir(pasta).filePath(nome);
    QString arquivo = escolheArquivo ? escolheArquivo(proposto)
                                     : QFileDialog::getSaveFileName(this, titulo, proposto, filtro);
    const QString fim = QLatin1Char('.') + extensao;
    if (!arquivo.isEmpty() && !arquivo.endsWith(fim, Qt::CaseInsensitive))
        arquivo += fim;
    return arquivo;
}

void TfrmDataSheet::btEmailClick() {
    aplicaOpcoes();
    if (auto *d = qobject_cast<QDialog *>(JanelaClasse("TfrmEmail")))
        d->exec();
    focaFolha();
}

void TfrmDataSheet::btPDFClick() {
    const QString arquivo =
        destino(QStringLiteral("Salvar PDF"), QStringLiteral("pdf"), QStringLiteral("Documento PDF (*.pdf)"));
    if (!arquivo.isEmpty()) {
        QString erro;
        bool gravou;
        {
            CursorOcupado ocupado;
            aplicaOpcoes();
            gravou = GravaPropostaPDF(arquivo, &erro);
        }
        if (!gravou)
            MensagemErro(erro);
    }
    focaFolha();
}

void TfrmDataSheet::btFolhasClick() {
    std::vector<TFolhaTecnica> folhas;
    {
        CursorOcupado ocupado;
        folhas = FolhasDoOrcamento(G());
    }
    if (folhas.empty()) {
        Mensagem(QString::fromUtf8(MsgSemItensProntos));
        focaFolha();
        return;
    }
    const QString arquivo = destino(QStringLiteral("Salvar folhas técnicas"), QStringLiteral("pdf"),
                                    QStringLiteral("Documento PDF (*.pdf)"), NomeArquivoFolhas(G().Orcamento.NumOrc));
    if (!arquivo.isEmpty()) {
        QString erro;
        bool gravou;
        {
            CursorOcupado ocupado;
            gravou = GravaFolhasTecnicasPDF(arquivo, folhas, &erro);
        }
        if (!gravou)
            MensagemErro(erro);
        else if (!AbreNoVisualizador || !AbreNoVisualizador(arquivo))
            MensagemErro(MsgNaoAbriu);
    }
    focaFolha();
}

void TfrmDataSheet::MarcaObservacoes(bool marcar) {
    cbObs_->setChecked(marcar);
    atualizaPaginas();
}

void TfrmDataSheet::keyReleaseEvent(QKeyEvent *e) {
    if (e->modifiers() & Qt::AltModifier) {
        QScrollBar *h = sb_->horizontalScrollBar();
        QScrollBar *v = sb_->verticalScrollBar();
        switch (e->key()) {
        case Qt::Key_Left: h->setValue(h->value() - 50); return;
        case Qt::Key_Right: h->setValue(h->value() + 50); return;
        case Qt::Key_Up: v->setValue(v->value() - 50); return;
        case Qt::Key_Down: v->setValue(v->value() + 50); return;
        default: break;
        }
    }
    JanelaFilha::keyReleaseEvent(e);
}

bool TfrmDataSheet::eventFilter(QObject *o, QEvent *e) {
    if (e->type() == QEvent::MouseButtonPress && (o == pb_ || o == sb_->viewport()))
        focaFolha();
    return JanelaFilha::eventFilter(o, e);
}

QWidget *CriaTfrmDataSheet(QWidget *painel, const EntradaJanela &) { return new TfrmDataSheet(painel); }

} // namespace quellora
