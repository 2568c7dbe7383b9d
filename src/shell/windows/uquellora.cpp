#include "shell/windows/uquellora.h"

#include "catalogue/catalogo.h"
#include "mail/dadosemail.h"
#include "shell/estado.h"
#include "shell/operador.h"
#include "shell/pastas.h"
#include "shell/windows/ajuda.h"
#include "shell/windows/janelafilha.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "shell/windows/uqlpreferencias.h"
#include "shell/windows/uqltextomodelo.h"
#include "store/windows/uqlbanco.h"
#include "ui/barrastatus.h"
#include "shell/windows/recursos.h"
#include "shell/windows/desenho_splash.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QSvgRenderer>
#include <QToolButton>
#include <QVBoxLayout>

namespace quellora {

namespace {

TfrmQuellora *&Principal() {
    static TfrmQuellora *p = nullptr;
    return p;
}

// Colours of the window (Windows BGR values turned into RGB).
const QColor CorFundo(0xF0, 0xF0, 0xFF);      // 16776176
const QColor CorTitulo(0x00, 0x00, 0x80);     // navy
const QColor CorPainelDireito(0x5A, 0x63, 0x6E);
const QColor CorFaixa(0x1F, 0x3A, 0x6B);

QImage ImagemSvg(const QString &recurso, const QSize &tamanho, qreal escala = 1) {
    QFile f(recurso);
    return DesenhoSvg(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(), tamanho, escala);
}

// The main panel's pictures as drawn when the program was built (desenho_
// splash.h), at their sizes in a window of the size it opens with.
const QSize TamanhoLogo(300, 75);
const QSize TamanhoPainel(400, 488);

QIcon IconeSvg(const QString &recurso) { return QIcon(recurso); }

// A picture that fills its widget, stretched like the form's picture.
// Drawn once for each size it takes: the drawing as built for the window's
// first size, else from the SVG.
class ImagemEsticada : public QWidget {
public:
    ImagemEsticada(const QString &recurso, const QImage &pronta, QWidget *pai)
        : QWidget(pai), svg_(recurso, this), pronta_(pronta) {
        setMinimumSize(120, 120);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        const qreal escala = devicePixelRatioF();
        if (desenho_.size() != size() * escala) {
            if (escala == 1 && pronta_.size() == size()) {
                desenho_ = pronta_;
            } else {
                desenho_ = QImage(size() * escala, QImage::Format_ARGB32_Premultiplied);
                desenho_.fill(Qt::transparent);
                QPainter d(&desenho_);
                d.setRenderHint(QPainter::Antialiasing);
                svg_.render(&d, QRectF(QPointF(0, 0), QSizeF(size() * escala)));
            }
            desenho_.setDevicePixelRatio(escala);
        }
        QPainter(this).drawImage(0, 0, desenho_);
    }

private:
    QSvgRenderer svg_;
    QImage pronta_;
    QImage desenho_;
};

// The maker's logo; a click shows the program and maker data.
class Logotipo : public QLabel {
public:
    Logotipo(std::function<void()> clique, QWidget *pai) : QLabel(pai), clique_(std::move(clique)) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent *e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            clique_();
    }

private:
    std::function<void()> clique_;
};

// Start-up loads, in order. Each reports its file in the error text.
struct Carga {
    bool catalogo; // from the catalogue folder, not the user's data folder
    bool (*carrega)(const QString &dir, QString *erro);
};
const Carga CargasIniciais[] = {
    {true, [](const QString &d, QString *e) { return CarregaDenominacoes(d, e); }},
    {true, [](const QString &d, QString *e) { return CarregaMotores(d, 1, e); }},
    {true, [](const QString &d, QString *e) { return CarregaAcessorios(d, e); }},
    {true, [](const QString &d, QString *e) { return CarregaFatores(d, e); }},
    {false, [](const QString &d, QString *e) { return CarregaOperador(d, e); }},
    // A missing or short dadmai.dat leaves the settings empty, silently.
    {false, [](const QString &d, QString *) { LoadEmailSettings(d); return true; }},
};

// The projects folder with any missing parent (never a bare drive-like
// path of two characters or fewer).
void CriaPastaProjetos() {
    const QString &d = G().DirProjetos;
    if (d.size() > 2 && !QDir(d).exists())
        QDir().mkpath(d);
}

} // namespace

TfrmQuellora *JanelaPrincipal() { return Principal(); }

bool AvisoResolucao(int larguraTela) {
    if (larguraTela >= 800)
        return false;
    Mensagem(QString::fromUtf8(AvisoResolucaoTexto), MB_OK_EXCLAMACAO);
    return true;
}

TfrmQuellora::TfrmQuellora(const QString &dirPrograma, int larguraTela) : TfrmQuellora(Moldura{}) {
    inicia(dirPrograma, larguraTela);
}

TfrmQuellora::TfrmQuellora(Moldura) {
    Principal() = this;
    setObjectName(QStringLiteral("TfrmQuellora"));
    preparaMoldura();
}

void TfrmQuellora::inicia(const QString &dirPrograma, int larguraTela) {
    IniciaRecursos();
    setWindowIcon(QIcon(QStringLiteral(":/imagens/icone.svg")));
    DefineContextoAjuda(this, AJUDA_PRINCIPAL);
    montaJanela();
    qApp->installEventFilter(this);
    FormCreate(dirPrograma, larguraTela);
}

TfrmQuellora::~TfrmQuellora() {
    qApp->removeEventFilter(this);
    if (splash_)
        delete splash_.data();
    EsqueceJanelas();
    if (Principal() == this)
        Principal() = nullptr;
}

void TfrmQuellora::preparaMoldura() {
    setWindowTitle(QString::fromUtf8(TituloJanelaPrincipal));
    resize(750, 550);
    setMinimumSize(640, 480);
    QPalette p = palette();
    p.setColor(QPalette::Window, CorFundo);
    setPalette(p);
    // Centred on the screen.
    if (QScreen *tela = QGuiApplication::primaryScreen()) {
        const QRect g = tela->availableGeometry();
        move(g.center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrmQuellora::montaJanela() {
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    central->setAutoFillBackground(true);
    QPalette pc = central->palette();
    pc.setColor(QPalette::Window, CorFundo);
    central->setPalette(pc);
    auto *lc = new QVBoxLayout(central);
    lc->setContentsMargins(0, 0, 0, 0);
    lc->setSpacing(0);

    // --- Top bar ------------------------------------------------------------
    auto *Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto *l1 = new QHBoxLayout(Panel1);
    l1->setContentsMargins(4, 3, 4, 3);
    l1->setSpacing(2);
    auto botao = [&](const char *nome, const QString &dica, int tag, const QString &icone) {
        auto *b = new QToolButton(Panel1);
        b->setObjectName(QString::fromLatin1(nome));
        b->setToolTip(dica);
        b->setAutoRaise(true);
        b->setProperty("tag", tag);
        b->setIcon(IconeSvg(icone));
        b->setIconSize(QSize(24, 24));
        b->setFixedSize(32, 32);
        l1->addWidget(b);
        return b;
    };
    btSave_ = botao("btSave", QStringLiteral("Salvar"), 1, QStringLiteral(":/imagens/salvar.svg"));
    btSave_->setEnabled(false);
    btSave_->setShortcut(QKeySequence::Save);
    connect(btSave_, &QToolButton::clicked, this, [] { LeGravaLimpa(1); });
    auto *abrir = botao("SpeedButton1", QStringLiteral("Abrir"), 11, QStringLiteral(":/imagens/abrir.svg"));
    connect(abrir, &QToolButton::clicked, this, [this] { AbreJanela(11); });
    auto *novo = botao("SpeedButton4", QStringLiteral("Novo"), 3, QStringLiteral(":/imagens/novo.svg"));
    connect(novo, &QToolButton::clicked, this, [] { LeGravaLimpa(3); });
    // Kept for the keyboard-less layouts of earlier versions; not shown.
    const struct {
        const char *nome;
        const char *dica;
        int tag;
    } ocultos[] = {{"SpeedButton2", "Entrada de dados", 2},
                   {"SpeedButton3", "Operador", 1},
                   {"SpeedButton5", "Configuração", 7},
                   {"SpeedButton6", "Folha de dados", 6}};
    for (const auto &o : ocultos) {
        auto *b = botao(o.nome, QString::fromUtf8(o.dica), o.tag, QString());
        connect(b, &QToolButton::clicked, this, [this, t = o.tag] { AbreJanela(t); });
        b->hide();
    }
    l1->addSpacing(8);
    Panel2_ = new QLabel(QString::fromUtf8(TextoTituloPadrao), Panel1);
    Panel2_->setObjectName(QStringLiteral("Panel2"));
    Panel2_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2_->setContentsMargins(8, 0, 8, 0);
    Panel2_->setMinimumHeight(28);
    {
        QFont f = Panel2_->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.15);
        Panel2_->setFont(f);
        QPalette p = Panel2_->palette();
        p.setColor(QPalette::WindowText, CorTitulo);
        Panel2_->setPalette(p);
    }
    l1->addWidget(Panel2_, 1);
    lc->addWidget(Panel1);

    // --- Client panel -------------------------------------------------------
    FPanel_ = new QWidget(central);
    FPanel_->setObjectName(QStringLiteral("FPanel"));
    FPanel_->setAutoFillBackground(true);
    {
        QPalette p = FPanel_->palette();
        p.setColor(QPalette::Window, Qt::white);
        FPanel_->setPalette(p);
    }
    FPanel_->installEventFilter(this);
    auto *lf = new QHBoxLayout(FPanel_);
    lf->setContentsMargins(0, 0, 0, 0);
    lf->setSpacing(0);

    auto *Panel5 = new QFrame(FPanel_);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    auto *l5 = new QVBoxLayout(Panel5);
    l5->setContentsMargins(0, 0, 0, 0);
    auto *Image1 = new ImagemEsticada(QStringLiteral(":/imagens/painel.svg"),
                                     PixelsProntos(QStringLiteral(":/gerado/painel.argb32"), TamanhoPainel,
                                                   QImage::Format_ARGB32_Premultiplied),
                                     Panel5);
    Image1->setObjectName(QStringLiteral("Image1"));
    l5->addWidget(Image1);
    lf->addWidget(Panel5, 1);

    auto *Panel3 = new QFrame(FPanel_);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setAutoFillBackground(true);
    Panel3->setFixedWidth(350);
    {
        QPalette p = Panel3->palette();
        p.setColor(QPalette::Window, CorPainelDireito);
        p.setColor(QPalette::WindowText, Qt::white);
        Panel3->setPalette(p);
    }
    auto *l3 = new QVBoxLayout(Panel3);
    l3->setContentsMargins(12, 10, 12, 8);
    l3->setSpacing(2);

    auto *imBL = new Logotipo([this] { mostraSobre(); }, Panel3);
    imBL->setObjectName(QStringLiteral("imBL"));
    imBL->setToolTip(QStringLiteral("Clique-me"));
    QImage logo =
        PixelsProntos(QStringLiteral(":/gerado/logo.argb32"), TamanhoLogo, QImage::Format_ARGB32_Premultiplied);
    if (logo.isNull())
        logo = ImagemSvg(QStringLiteral(":/imagens/logo.svg"), TamanhoLogo);
    imBL->setPixmap(QPixmap::fromImage(logo));
    imBL->setAlignment(Qt::AlignCenter);
    l3->addWidget(imBL);
    l3->addSpacing(4);

    const char *linhas[] = {DadosFabricante::Nome, DadosFabricante::Endereco, DadosFabricante::Telefone,
                            DadosFabricante::EmailFabrica, DadosFabricante::EmailVendas};
    for (int i = 0; i < 5; ++i) {
        auto *l = new QLabel(QString::fromUtf8(linhas[i]), Panel3);
        l->setObjectName(QStringLiteral("lbFabricante%1").arg(i + 1));
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(p);
        l->setWordWrap(true);
        if (i == 0) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        l3->addWidget(l);
    }
    l3->addSpacing(8);

    auto *grade = new QGridLayout;
    grade->setSpacing(4);
    auto principal = [&](const char *nome, const QString &texto, int tag) {
        auto *b = new QPushButton(texto, Panel3);
        b->setObjectName(QString::fromLatin1(nome));
        b->setProperty("tag", tag);
        b->setMinimumHeight(26);
        return b;
    };
    auto *btAbrit = principal("btAbrit", QStringLiteral("&Propostas"), 11);
    auto *btOperador = principal("btOperador", QStringLiteral("&Operador"), 1);
    auto *btDados = principal("btDados", QStringLiteral("&Entrada de dados"), 2);
    auto *btInstrucoes = principal("btInstrucoes", QStringLiteral("&Instruções"), 0);
    auto *btPreferencias = principal("btPreferencias", QStringLiteral("P&referências"), 0);
    auto *btBanco = principal("btBanco", QStringLiteral("&Banco de dados"), 0);
    btAbrit->setIcon(IconeSvg(QStringLiteral(":/imagens/abrir.svg")));
    btOperador->setIcon(IconeSvg(QStringLiteral(":/imagens/operador.svg")));
    btDados->setIcon(IconeSvg(QStringLiteral(":/imagens/novo.svg")));
    btInstrucoes->setIcon(IconeSvg(QStringLiteral(":/imagens/ajuda.svg")));
    btPreferencias->setIcon(IconeSvg(QStringLiteral(":/imagens/preferencias.svg")));
    btBanco->setIcon(IconeSvg(QStringLiteral(":/imagens/banco.svg")));
    connect(btAbrit, &QPushButton::clicked, this, [this] { AbreJanela(11); });
    connect(btOperador, &QPushButton::clicked, this, [this] { AbreJanela(1); });
    connect(btDados, &QPushButton::clicked, this, [this] { AbreJanela(2); });
    connect(btInstrucoes, &QPushButton::clicked, this, [] { MostraAjuda(AJUDA_INSTRUCOES); });
    connect(btPreferencias, &QPushButton::clicked, this, [this] {
        const QString padrao = DecidePastas(AmbienteDoSistema(G().DirPrograma)).Projetos;
        if (!EditaPreferencias(G().DirDados, padrao, this))
            return;
        // A new projects folder is in use at once.
        G().DirProjetos = PastasEmUso(G().DirPrograma).Projetos;
        CriaPastaProjetos();
    });
    connect(btBanco, &QPushButton::clicked, this, [this] { ConfiguraBanco(this); });
    grade->addWidget(btDados, 0, 0);
    grade->addWidget(btAbrit, 0, 1);
    grade->addWidget(btOperador, 1, 0);
    grade->addWidget(btInstrucoes, 1, 1);
    grade->addWidget(btPreferencias, 2, 0);
    grade->addWidget(btBanco, 2, 1);
    l3->addLayout(grade);
    l3->addSpacing(8);

    auto *Panel6 = new QLabel(QStringLiteral("Modelos disponíveis"), Panel3);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setAutoFillBackground(true);
    Panel6->setAlignment(Qt::AlignCenter);
    Panel6->setMinimumHeight(22);
    {
        QPalette p = Panel6->palette();
        p.setColor(QPalette::Window, CorFaixa);
        p.setColor(QPalette::WindowText, Qt::white);
        Panel6->setPalette(p);
        QFont f = Panel6->font();
        f.setBold(true);
        Panel6->setFont(f);
    }
    l3->addWidget(Panel6);

    sbx_ = new QScrollArea(Panel3);
    sbx_->setObjectName(QStringLiteral("sbx"));
    sbx_->setFrameStyle(QFrame::NoFrame);
    sbx_->setWidgetResizable(false);
    sbxConteudo_ = new QWidget;
    sbxConteudo_->setObjectName(QStringLiteral("sbxConteudo"));
    sbxConteudo_->setAutoFillBackground(false);
    sbx_->setWidget(sbxConteudo_);
    sbx_->viewport()->setAutoFillBackground(false);
    sbx_->setAutoFillBackground(false);
    l3->addSpacing(4);
    l3->addWidget(sbx_, 1);
    lf->addWidget(Panel3, 0);
    proprios_ = {Panel5, Panel3};

    // The logo for the proposal pages, kept hidden.
    auto *Image2 = new QLabel(central);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->hide();

    lc->addWidget(FPanel_, 1);
    setCentralWidget(central);

    // --- Status bar ---------------------------------------------------------
    sb_ = new BarraStatus(this);
    sb_->setObjectName(QStringLiteral("sb"));
    sb_->adicionaPainel(0);
    sb_->painel(0)->setMinimumWidth(200);
    const int glifo = sb_->adicionaPainel(40, Qt::AlignCenter,
                                          QStringLiteral("Dados atuais não podem ser alterados (Alt+E para trocar)"));
    sb_->defineGlifo(glifo, QIcon(QStringLiteral(":/imagens/cadeado.svg")), false);
    sb_->adicionaPainel(80, Qt::AlignCenter, QStringLiteral("Número total de registros"));
    sb_->adicionaPainel(50, Qt::AlignCenter);
    setStatusBar(sb_);
}

void TfrmQuellora::FormCreate(const QString &dirPrograma, int larguraTela) {
    auto &g = G();
    if (larguraTela < 0) {
        const QScreen *tela = QGuiApplication::primaryScreen();
        larguraTela = tela ? tela->geometry().width() : 800;
    }
    AvisoResolucao(larguraTela);
    setWindowTitle(QString::fromUtf8(TituloJanelaPrincipal));

    // Directories: beside the program, or the user's when installed.
    const TPastas pastas =
        PastasEmUso(dirPrograma.isEmpty() ? QCoreApplication::applicationDirPath() : dirPrograma);
    g.DirPrograma = pastas.Programa;
    g.DirDados = pastas.Dados;
    g.DirCatalogo = pastas.Catalogo;
    g.DirProjetos = pastas.Projetos;
    // Failures show when a file is saved there.
    if (pastas.Instalado)
        QDir().mkpath(g.DirDados);
    CriaPastaProjetos();

    if (!g.VersaoDados.endsWith(QStringLiteral("/C")))
        g.VersaoDados += QStringLiteral("/C");

    // Catalogue and settings; the first that cannot be read stops the rest.
    iniciou_ = true;
    for (const Carga &c : CargasIniciais) {
        QString erro;
        if (!c.carrega(c.catalogo ? g.DirCatalogo : g.DirDados, &erro)) {
            MensagemErro(erro);
            iniciou_ = false;
            break;
        }
    }
    if (iniciou_)
        montaFamilias();

    sb_->defineTexto(3, QStringLiteral("DBL ") + g.VersaoDados);
}

void PreparaLogotipo() {
    auto &g = G();
    if (!g.Pagina.Logotipo.isNull())
        return;
    // On the proposal's white page: the dark variant, sized as printed at 96 dpi.
    // Drawn at printer resolution; the page scales it by its logical size.
    g.Pagina.Logotipo = ImagemSvg(QStringLiteral(":/imagens/logo_proposta.svg"), QSize(240, 60), 6.25);
    if (TfrmQuellora *p = Principal())
        if (auto *Image2 = p->findChild<QLabel *>(QStringLiteral("Image2")))
            Image2->setPixmap(QPixmap::fromImage(g.Pagina.Logotipo));
}

void TfrmQuellora::montaFamilias() {
    qDeleteAll(familias_);
    familias_.clear();
    qDeleteAll(sbxConteudo_->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly));
    constexpr int Largura = 75;
    constexpr int Altura = 20;
    int c = 0;
    int direita = Largura;
    const auto &g = G();
    for (int i = 1; i <= NumDenominacoes; ++i) {
        const TDenominacao &d = g.Denominacoes[i];
        if (d.Familia.trimmed().isEmpty())
            continue;
        auto *b = new QPushButton(d.Familia, sbxConteudo_);
        b->setObjectName(QStringLiteral("btFamilia%1").arg(c + 1));
        b->setGeometry(0, Altura * c, Largura, Altura);
        b->setToolTip(d.TextoFamilia);
        connect(b, &QPushButton::clicked, this, [b] {
            if (auto *t = qobject_cast<TfrmTextoModelo *>(JanelaClasse("TfrmTextoModelo")))
                t->mostraTexto(b->text());
        });
        auto *l = new QLabel(d.TextoFamilia, sbxConteudo_);
        l->setObjectName(QStringLiteral("lbFamilia%1").arg(c + 1));
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(p);
        l->setAttribute(Qt::WA_TranslucentBackground);
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.9);
        l->setFont(f);
        l->setToolTip(d.TextoFamilia);
        l->adjustSize();
        l->move(b->width() + 5, b->y() + 3);
        direita = std::max(direita, l->x() + l->width());
        familias_ << b;
        ++c;
    }
    sbxConteudo_->resize(direita + 2, Altura * c);
}

void TfrmQuellora::criaJanelas() { CriaJanelas(FPanel_); }

// While a window covers the panel, the panel's own buttons are hidden under
// it, so that their Alt keys do not take the covering window's.
void TfrmQuellora::cobrePainel() {
    bool coberto = false;
    for (QWidget *w : FPanel_->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        coberto |= !proprios_.contains(w) && !w->isHidden();
    for (QWidget *w : proprios_)
        w->setVisible(!coberto);
}

void TfrmQuellora::defineSplash(QWidget *splash) { splash_ = splash; }

void TfrmQuellora::defineTitulo(const QString &texto) { Panel2_->setText(texto); }

void TfrmQuellora::defineStatus(const QString &texto) { sb_->defineTexto(0, texto); }

void TfrmQuellora::habilitaSalvar(bool v) { btSave_->setEnabled(v); }

void TfrmQuellora::AbreJanela(int tag) { MostraJanela(tag); }

void TfrmQuellora::FPanelResize() {
    // The shown child window, and the model text, keep covering the panel.
    if (auto *j = qobject_cast<JanelaFilha *>(JanelaAtiva()))
        j->ajustaAoPainel();
    if (QWidget *t = JanelaCriada("TfrmTextoModelo"))
        t->setGeometry(FPanel_->rect());
}

void TfrmQuellora::fechaSplash() {
    if (splash_) {
        splash_->hide();
        splash_->deleteLater();
        splash_ = nullptr;
        QApplication::restoreOverrideCursor();
    }
}

void TfrmQuellora::FormActivate() {
    fechaSplash();
    // The child window gets the focus back, on the control that had it.
    if (QWidget *j = JanelaAtiva()) {
        QWidget *f = j->focusWidget();
        (f && j->isAncestorOf(f) ? f : j)->setFocus();
    }
}

void TfrmQuellora::mostraSobre() {
    MensagemInfo(QStringLiteral("%1 - Seleção de ventiladores\r\n\r\n%2\r\n%3\r\n%4\r\n%5\r\n%6\r\n\r\nDados: %7")
                     .arg(QString::fromUtf8(TituloJanelaPrincipal), QString::fromUtf8(DadosFabricante::Nome),
                          QString::fromUtf8(DadosFabricante::Endereco), QString::fromUtf8(DadosFabricante::Telefone),
                          QString::fromUtf8(DadosFabricante::EmailFabrica),
                          QString::fromUtf8(DadosFabricante::EmailVendas), G().VersaoDados));
}

void TfrmQuellora::closeEvent(QCloseEvent *e) {
    if (PerguntaSalvar() == ID_CANCEL) {
        e->ignore();
        return;
    }
    if (QWidget *j = JanelaAtiva())
        j->hide();
    if (JanelaAjuda *a = JanelaAjudaAberta())
        a->close();
    e->accept();
}

void TfrmQuellora::changeEvent(QEvent *e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

bool TfrmQuellora::eventFilter(QObject *o, QEvent *e) {
    if (o == FPanel_ && e->type() == QEvent::Resize) {
        FPanelResize();
        return false;
    }
    // A child window shown or hidden over the panel.
    if ((e->type() == QEvent::Show || e->type() == QEvent::Hide) && o->isWidgetType() && o->parent() == FPanel_ &&
        !proprios_.contains(static_cast<QWidget *>(o)))
        cobrePainel();
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_F1 && k->modifiers() == Qt::NoModifier && o->isWidgetType()) {
            MostraAjuda(ContextoAjuda(static_cast<QWidget *>(o)));
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

} // namespace quellora
