#include "selection/windows/uqlarranjo.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "quotation/orcamento.h"
#include "selection/arranjo.h"
#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlmotor4.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "ui/grade.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace quellora {

namespace {

// Columns of the selection window's size grid that the arrangement reads.
enum { SG_TAM = 0, SG_ARR = 1, SG_ROT = 2, SG_INDICE = 10 };

// A page of arrangement pictures, drawn from its SVG at whatever scale the
// screen has and grown with the window (up to half again its size); the
// check boxes lie over the pictures at their places in the drawing.
class FiguraArranjos : public QWidget {
public:
    FiguraArranjos(const QString &recurso, QWidget *pai) : QWidget(pai), svg_(recurso, this) {
        setMinimumSize(svg_.defaultSize());
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    QSize sizeHint() const override { return svg_.defaultSize(); }

    // A box at (x, y) of the drawing.
    void poe(QWidget *w, int x, int y) {
        lugares_.push_back({w, QPoint(x, y)});
        posiciona();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        svg_.render(&p, area());
    }

    void resizeEvent(QResizeEvent *) override { posiciona(); }

private:
    QRectF area() const {
        const QSizeF d = svg_.defaultSize();
        const qreal e = std::clamp(std::min(width() / d.width(), height() / d.height()), 1.0, 1.5);
        const QSizeF t = d * e;
        return QRectF(QPointF((width() - t.width()) / 2, (height() - t.height()) / 2), t);
    }

    void posiciona() {
        const QRectF a = area();
        const qreal e = a.width() / svg_.defaultSize().width();
        for (const auto &[w, p] : lugares_)
            w->move(qRound(a.left() + p.x() * e), qRound(a.top() + p.y() * e));
    }

    QSvgRenderer svg_;
    std::vector<std::pair<QWidget *, QPoint>> lugares_;
};

// Where each box lies on its picture (the panels of the drawings).
struct Lugar {
    int pagina, x, y;
};
const Lugar Lugares[NumCaixasArranjo + 1] = {
    {0, 0, 0},                                                   // (no box 0)
    {PAG_SIMPLES, 16, 136},  {PAG_SIMPLES, 194, 136}, {PAG_SIMPLES, 372, 136}, {PAG_SIMPLES, 550, 136},
    {PAG_SIMPLES, 105, 304}, {PAG_SIMPLES, 283, 304}, {PAG_SIMPLES, 461, 304},
    {PAG_DUPLA, 120, 260},   {PAG_DUPLA, 450, 260},
};

const char *const Rotulos[NumCaixasArranjo + 1] = {
    "",
    "&a - Arranjo 1", "&b - Arranjo 3", "&c - Arranjo 4", "&d - Arranjo 4K",
    "&e - Arranjo 8", "&f - Arranjo 9", "&g - Arranjo 10",
    "(&1) Arranjo 3", "(&2) Arranjo 7",
};

void Negrito(QCheckBox *cb, bool sim) {
    QFont f = cb->font();
    f.setBold(sim);
    cb->setFont(f);
    cb->adjustSize(); // the bold caption is wider
}

// A row of the size grid as the numbers its cells hold.
TLinhaGrade LinhaDaTabela(const GradeTexto *sg, int row) {
    TLinhaGrade l;
    l.Tamanho = static_cast<int>(sg->Numero(0, row));
    l.Arranjos = sg->Cells(1, row);
    l.Rotacao = sg->Numero(2, row);
    l.Velocidade = sg->Numero(3, row);
    l.VelPeriferica = sg->Numero(4, row);
    l.PTotal20 = sg->Numero(5, row);
    l.Rendimento = sg->Numero(6, row);
    l.PotOp = sg->Numero(7, row);
    l.Pot20 = sg->Numero(8, row);
    l.PotMotor = sg->Numero(9, row);
    l.Indice = static_cast<int>(sg->Numero(10, row));
    l.LwA = sg->Numero(11, row);
    return l;
}

} // namespace

TfrmArranjo::TfrmArranjo(QWidget *painel) : JanelaFilha(QStringLiteral("Arranjo"), AJUDA_ARRANJO, painel) {
    setObjectName(QStringLiteral("TfrmArranjo"));

    Label1_ = new QLabel(this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setAlignment(Qt::AlignCenter);
    QFont f = Label1_->font();
    f.setBold(true);
    f.setPixelSize(13);
    Label1_->setFont(f);

    nb_ = new QStackedWidget(this);
    nb_->setObjectName(QStringLiteral("nb"));
    FiguraArranjos *paginas[2] = {new FiguraArranjos(QStringLiteral(":/imagens/arranjos_simples.svg"), nb_),
                                  new FiguraArranjos(QStringLiteral(":/imagens/arranjos_dupla.svg"), nb_)};
    paginas[PAG_SIMPLES]->setObjectName(QStringLiteral("simples"));
    paginas[PAG_DUPLA]->setObjectName(QStringLiteral("dupla"));
    nb_->addWidget(paginas[PAG_SIMPLES]);
    nb_->addWidget(paginas[PAG_DUPLA]);
    const TCaixasArranjo iniciais = CaixasIniciais();
    for (int n = 1; n <= NumCaixasArranjo; ++n) {
        auto *cb = new QCheckBox(QString::fromUtf8(Rotulos[n]), paginas[Lugares[n].pagina]);
        cb->setObjectName(QStringLiteral("ckb%1").arg(n));
        cb->setProperty("tag", iniciais[n].Tag);
        paginas[Lugares[n].pagina]->poe(cb, Lugares[n].x, Lugares[n].y);
        cb->setEnabled(false);
        cb->adjustSize();
        connect(cb, &QCheckBox::toggled, this, [this, cb](bool marcada) { VerMarca(cb, marcada); });
        ckb_[static_cast<std::size_t>(n)] = cb;
    }

    btOK_ = new QPushButton(QStringLiteral("OK"), this);
    btOK_->setObjectName(QStringLiteral("btOK"));
    btOK_->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    btOK_->setMinimumWidth(100);
    btOK_->setEnabled(false);
    btCancela_ = new QPushButton(QStringLiteral("Cálculos"), this);
    btCancela_->setObjectName(QStringLiteral("btCancela"));
    btCancela_->setIcon(QIcon(QStringLiteral(":/imagens/retorna.svg")));
    btCancela_->setMinimumWidth(100);
    btCancela_->setToolTip(QStringLiteral("Volta aos cálculos sem escolher o arranjo (Esc)"));
    connect(btOK_, &QPushButton::clicked, this, &TfrmArranjo::btOKClick);
    connect(btCancela_, &QPushButton::clicked, this, &TfrmArranjo::cancela);
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, &TfrmArranjo::cancela);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btOK_);
    botoes->addWidget(btCancela_);
    botoes->addStretch();

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(8, 10, 8, 10);
    l->setSpacing(10);
    l->addWidget(Label1_);
    l->addWidget(nb_, 1);
    l->addLayout(botoes);
}

QCheckBox *TfrmArranjo::caixa(int n) const {
    return (n >= 1 && n <= NumCaixasArranjo) ? ckb_[static_cast<std::size_t>(n)] : nullptr;
}

int TfrmArranjo::pagina() const { return nb_->currentIndex(); }

TfrmCalculos *TfrmArranjo::calculos() const { return qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS)); }

TfrmMotor4 *TfrmArranjo::dialogoMotor() {
    if (auto *d = qobject_cast<TfrmMotor4 *>(JanelaClasse("TfrmMotor4")))
        return d;
    if (!motor4_)
        motor4_ = new TfrmMotor4(window());
    return motor4_;
}

void TfrmArranjo::aoMostrar() {
    const auto &g = G();
    const TItemOrc *corrente = ItemCorrente();
    const TItemOrc it = corrente ? *corrente : TItemOrc{};
    itemAntes_ = it;
    ListaArranjos = it.DescTamanho;
    const int pag = it.PaginaArranjo == 2 ? PAG_DUPLA : PAG_SIMPLES;
    nb_->setCurrentIndex(pag);

    btOK_->setEnabled(false);
    CaixaMarcada = nullptr;
    Label1_->setText(((QStringLiteral("Modelo: ") + g.Modelo.Codigo).left(12) + QLatin1Char(' ')).left(13) +
                     QString::number(it.Tamanho));

    // The size index of the row under the cursor of the selection.
    int i = 0;
    if (TfrmCalculos *calc = calculos())
        i = static_cast<int>(calc->sgModelos()->Numero(SG_INDICE, calc->sgModelos()->Row()));
    const TCaixasArranjo caixas = CaixasHabilitadas(ListaArranjos, pag, g.Modelo, i);
    ListaArranjos.clear();
    QCheckBox *primeira = nullptr;
    for (int n = 1; n <= NumCaixasArranjo; ++n) {
        QCheckBox *cb = caixa(n);
        const QSignalBlocker bloqueio(cb);
        cb->setChecked(false);
        Negrito(cb, false);
        cb->setEnabled(caixas[n].Habilitada);
        cb->setProperty("tag", caixas[n].Tag);
        if (caixas[n].Habilitada && Lugares[n].pagina == pag && !primeira)
            primeira = cb;
    }
    if (primeira)
        primeira->setFocus();
    else
        btCancela_->setFocus();
}

void TfrmArranjo::VerMarca(QCheckBox *cb, bool marcada) {
    if (!marcada) {
        Negrito(cb, false);
        return;
    }
    ArranjoEscolhido = cb->property("tag").toInt();
    const int n = cb->objectName().mid(3).toInt();
    DiretoEscolhido = ArranjoDiretoNaPagina(ArranjoEscolhido, n >= 1 ? Lugares[n].pagina : pagina());
    if (DiretoEscolhido)
        MensagemInfo(MsgAcoplamentoDireto);
    if (TItemOrc *it = ItemCorrente())
        it->Direto = DiretoEscolhido;
    btOK_->setEnabled(true);
    if (CaixaMarcada && CaixaMarcada != cb) {
        const QSignalBlocker bloqueio(CaixaMarcada);
        CaixaMarcada->setChecked(false);
        Negrito(CaixaMarcada, false);
    }
    Negrito(cb, true);
    CaixaMarcada = cb;
}

void TfrmArranjo::btOKClick() {
    if (DiretoEscolhido) {
        RecalculaDireto();
        return;
    }
    auto &g = G();
    TfrmCalculos *calc = calculos();
    // A belt drive after a direct coupling of the same size: the size goes
    // back to the item's own duty before it is stored.
    if (calc && DeverReescalado()) {
        const int i = static_cast<int>(calc->sgModelos()->Numero(SG_INDICE, calc->sgModelos()->Row()));
        QString erro;
        if (!CarregaMotores(g.DirCatalogo, 1, &erro)) {
            MensagemErro(erro);
            return;
        }
        TItemOrc *it = ItemCorrente();
        if (!it)
            return;
        const Tentativa antes = Tentativa::Agora();
        const std::int32_t rotMotor = it->RotMotor;
        PreparaDeverDoItem(i);
        calc->CalculaTamanhos();
        it->RotMotor = rotMotor;
        if (g.Resultado.NumQualificados == 0 || i < 1 || i > 23) {
            voltaSemTamanho(antes);
            return;
        }
        // The single-size mode proposes the direct coupling's pole choice;
        // a belt drive takes the poles of its speed.
        g.Resultado.PolosTam[i] = PolosDaRotacao(g.Resultado.RotacaoTam[i]);
    }
    ConfirmaArranjo();
}

void TfrmArranjo::RecalculaDireto() {
    auto &g = G();
    TfrmCalculos *calc = calculos();
    if (!calc)
        return;
    const GradeTexto *sg = calc->sgModelos();
    const int r = sg->Row();
    const int i = static_cast<int>(sg->Numero(SG_INDICE, r));
    const double nA = sg->Numero(SG_ROT, r);
    const int k = ArranjoEscolhido;
    if (r < 1 || i < 1 || i > 23 || k < 1 || k > 8 || !(nA > 0))
        return;
    const int m = g.Modelo.ArranjoModelo[k].RotMaxTam[i];
    TfrmMotor4 *d = dialogoMotor();
    d->Prepara(Label1_->text(), nA, m);
    const TItemOrc *it = ItemCorrente();
    d->PreparaDever(it ? it->Vazao : 0, it ? it->Pressao : 0, [nA](int rotacao) {
        const auto &e = G();
        return DeverNaRotacao(e.Resultado, e.Densidade, e.Modelo.Entradas, nA, rotacao);
    });
    if (d->exec() != QDialog::Accepted)
        return;
    const Tentativa antes = Tentativa::Agora();
    QString erro;
    if (!PreparaDireto(g.DirCatalogo, i, d->NovaRotacao, nA, d->Escolha, &erro)) {
        MensagemErro(erro);
        return;
    }
    calc->CalculaTamanhos();
    if (g.Resultado.NumQualificados == 0) {
        voltaSemTamanho(antes);
        return;
    }
    ConfirmaArranjo();
}

TfrmArranjo::Tentativa TfrmArranjo::Tentativa::Agora() { return {G().Resultado, G().PressaoCalc}; }

void TfrmArranjo::voltaSemTamanho(const Tentativa &antes) {
    auto &g = G();
    g.SoTamanho = false;
    // Nothing of the speed that failed stays: the item as the selection
    // handed it over (a confirmed selection kept), the sizes as they were
    // calculated, and the selection window as it was left, like after a
    // look at the chart.
    if (TItemOrc *it = ItemCorrente())
        *it = itemAntes_;
    g.Resultado = antes.Resultado;
    g.PressaoCalc = antes.PressaoCalc;
    if (TfrmCalculos *calc = calculos()) {
        calc->Falhou = false;
        calc->Selecionando = false;
        calc->VoltaCurva = true;
    }
    MostraJanela(JAN_CALCULOS);
}

void TfrmArranjo::ConfirmaArranjo() {
    auto &g = G();
    TfrmCalculos *calc = calculos();
    TItemOrc *item = ItemCorrente();
    if (!calc || !item || ArranjoEscolhido < 1 || ArranjoEscolhido > 8)
        return;
    // The line's prices first: a file that cannot be read leaves the item
    // as it was.
    QString erro;
    if (!CarregaPrecoModelo(g.DirCatalogo, g.ModeloCalc, &erro)) {
        MensagemErro(erro);
        return;
    }
    GradeTexto *sg = calc->sgModelos();
    TItemOrc &it = *item;
    it.RegModelo = g.ModeloCalc;
    if (!g.SoTamanho) {
        const int r = sg->Row();
        if (r > 1)
            for (int c = 0; c < sg->ColCount(); ++c)
                sg->setCells(c, 1, sg->Cells(c, r));
    }
    sg->setLinhaDestaque(1);
    sg->setRowCount(2);
    sg->setCelulaAtual(SG_TAM, 1);
    GravaArranjo(it, LinhaDaTabela(sg, 1), g.Resultado, g.Modelo, g.PrecoModelo, ArranjoEscolhido,
                 DiretoEscolhido);
    sg->setCells(SG_ARR, 1, QString::fromLatin1(Arranjos[ArranjoEscolhido]));
    IniciaBlocoComercial();
    g.SoTamanho = false;
    MostraJanela(JAN_CALCULOS);
}

void TfrmArranjo::cancela() {
    // Nothing chosen: the item keeps the drive it had.
    if (TItemOrc *it = ItemCorrente())
        it->Direto = itemAntes_.Direto;
    MostraJanela(JAN_CALCULOS);
}

QWidget *CriaTfrmArranjo(QWidget *painel, const EntradaJanela &) { return new TfrmArranjo(painel); }

} // namespace quellora
