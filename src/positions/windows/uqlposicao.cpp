#include "positions/windows/uqlposicao.h"

#include "quotation/orcamento.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/recursos.h"
#include "shell/windows/servicos.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quellora {

namespace {

inline constexpr const char *TextoEntrada = "Clique com o mouse sobre a posição de entrada desejada.";
inline constexpr const char *TextoExigeQuadro = "Esta posição exige quadro. Marquei automaticamente.";

const QColor CorTraco(0x1F, 0x3A, 0x6B);
const QColor CorCabecalho(0xEE, 0xF3, 0xFA);

// Room around the pictures inside their frame; with spots, the tag of a spot
// at a picture's top edge fits above it.
constexpr int MargemLado = 10, MargemTopoAreas = 26, MargemTopo = 12, MargemBase = 12;

// A drawing, painted as vectors: sharp at any screen scale. A position that
// cannot be picked is drawn faded.
class FiguraSvg : public QWidget {
public:
    FiguraSvg(const QString &arquivo, const QSize &tamanho, bool esmaecida, QWidget *pai)
        : QWidget(pai), svg_(arquivo, this), esmaecida_(esmaecida) {
        setFixedSize(tamanho);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        if (esmaecida_)
            p.setOpacity(0.4);
        svg_.render(&p, QRectF(rect()));
    }

private:
    QSvgRenderer svg_;
    bool esmaecida_;
};

// A frame with rounded corners, filled.
class MolduraArredondada : public QFrame {
public:
    explicit MolduraArredondada(QWidget *pai) : QFrame(pai) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(CorTraco, 1));
        p.setBrush(CorCabecalho);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
    }
};

// The pictures' bounding rectangle in window coordinates.
TRetangulo Envolvente(const TSeletor &s) {
    TRetangulo r = s.Figuras.front().Ret;
    for (const TFigura &f : s.Figuras) {
        r.Esquerda = std::min(r.Esquerda, f.Ret.Esquerda);
        r.Topo = std::min(r.Topo, f.Ret.Topo);
        r.Direita = std::max(r.Direita, f.Ret.Direita);
        r.Base = std::max(r.Base, f.Ret.Base);
    }
    return r;
}

QString NomeFigura(int tag) {
    return tag == 1 ? QStringLiteral("Im1") : QStringLiteral("Image%1").arg(tag - 1);
}

} // namespace

// The marker: a rectangle drawn with a red pen 3 pixels wide, hollow, or
// filled red while pressed.
class MarcadorPosicao : public QWidget {
public:
    explicit MarcadorPosicao(QWidget *pai) : QWidget(pai) { setCursor(Qt::PointingHandCursor); }
    void defineCheio(bool v) {
        if (v != cheio_) {
            cheio_ = v;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        QPen caneta(Qt::red, 3);
        caneta.setJoinStyle(Qt::MiterJoin);
        p.setPen(caneta);
        p.setBrush(cheio_ ? QBrush(Qt::red) : QBrush(Qt::NoBrush));
        p.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    }

private:
    bool cheio_ = false;
};

JanelaPosicao::JanelaPosicao(const TSeletor &seletor, QWidget *painel)
    : JanelaFilha(QStringLiteral("Posição"), AJUDA_POSICAO, painel), estado_(seletor, G().PosicaoExigeQuadro) {
    IniciaRecursos();
    setObjectName(QString::fromLatin1(seletor.Classe));

    const TRetangulo caixa = Envolvente(seletor);
    // Window coordinates of the board's top-left corner.
    const int margemTopo = seletor.ComAreas ? MargemTopoAreas : MargemTopo;
    origem_ = QPoint(caixa.Esquerda - MargemLado, caixa.Topo - margemTopo);
    const QSize tamanhoQuadro(caixa.Largura() + 2 * MargemLado, caixa.Altura() + margemTopo + MargemBase);

    auto *conteudo = new QWidget;
    auto *lv = new QVBoxLayout(conteudo);
    lv->setContentsMargins(12, 10, 12, 10);
    lv->setSpacing(8);

    Label1_ = new QLabel(conteudo);
    Label1_->setObjectName(QStringLiteral("Label1"));
    QFont negrito = Label1_->font();
    negrito.setBold(true);
    negrito.setPointSizeF(negrito.pointSizeF() * 1.15);
    Label1_->setFont(negrito);
    {
        QPalette p = Label1_->palette();
        p.setColor(QPalette::WindowText, CorTraco);
        Label1_->setPalette(p);
    }

    auto *Shape1 = new MolduraArredondada(conteudo);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFixedWidth(tamanhoQuadro.width());
    auto *l1 = new QVBoxLayout(Shape1);
    l1->setContentsMargins(16, 8, 16, 9);
    l1->setSpacing(3);
    auto *Label2 = new QLabel(QString::fromUtf8(seletor.Rotulo2), Shape1);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont titulo = negrito;
    titulo.setPointSizeF(Label2->font().pointSizeF() * 1.3);
    Label2->setFont(titulo);
    Label2->setPalette(Label1_->palette());
    auto *Label3 = new QLabel(QString::fromUtf8(seletor.Rotulo3), Shape1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setTextFormat(Qt::PlainText); // its runs of spaces are kept
    l1->addWidget(Label2);
    l1->addWidget(Label3);

    auto *Shape2 = new QFrame(conteudo);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setFixedSize(tamanhoQuadro);
    Shape2->setFrameShape(QFrame::Box);
    Shape2->setAutoFillBackground(true);
    {
        QPalette p = Shape2->palette();
        p.setColor(QPalette::Window, Qt::white);
        p.setColor(QPalette::WindowText, QColor(0x8A, 0x96, 0xA8));
        Shape2->setPalette(p);
    }
    quadro_ = Shape2;

    figuras_.assign(8, nullptr);
    for (const TFigura &f : seletor.Figuras) {
        auto *w = new FiguraSvg(DesenhoFigura(seletor, f), QSize(f.Ret.Largura(), f.Ret.Altura()),
                                !FiguraSelecionavel(seletor, f), Shape2);
        w->setObjectName(NomeFigura(f.Tag));
        w->move(f.Ret.Esquerda - origem_.x(), f.Ret.Topo - origem_.y());
        w->setProperty("tag", f.Tag);
        w->installEventFilter(this);
        figuras_[static_cast<std::size_t>(f.Tag - 1)] = w;
    }

    sh1_ = new MarcadorPosicao(Shape2);
    sh1_->setObjectName(QStringLiteral("sh1"));
    sh1_->hide();
    sh1_->installEventFilter(this);

    lb1_ = new QLabel(Shape2);
    lb1_->setObjectName(QStringLiteral("lb1"));
    lb1_->setStyleSheet(QStringLiteral("QLabel { background: #ffff00; color: black; border: 1px solid black; "
                                       "padding: 0px 2px; }"));
    lb1_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lb1_->hide();

    lv->addWidget(Label1_);
    lv->addWidget(Shape1, 0, Qt::AlignHCenter);
    lv->addWidget(Shape2, 0, Qt::AlignHCenter);
    lv->addStretch(1);

    // Smaller than its pictures, the window scrolls rather than cut them.
    auto *rolagem = new QScrollArea(this);
    rolagem->setFrameShape(QFrame::NoFrame);
    rolagem->setWidgetResizable(true);
    rolagem->setWidget(conteudo);
    rolagem->viewport()->setAutoFillBackground(false);
    conteudo->setAutoFillBackground(false);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(rolagem);
}

void JanelaPosicao::aoMostrar() {
    auto &g = G();
    const int k = g.ItemAtual;
    const bool temItem = k >= 1 && k <= g.NumItens && k <= MaxItens;
    Label1_->setText(LegendaModelo());
    estado_.Mostra(temItem ? g.Itens[k].Tamanho : 0);
    for (const TFigura &f : estado_.Seletor().Figuras)
        figuras_[static_cast<std::size_t>(f.Tag - 1)]->setVisible(estado_.Oferecida(f.Tag));
    atualizaMarcador();
    if (estado_.Seletor().PedeEntrada)
        TextoStatus(QString::fromUtf8(TextoEntrada));
}

void JanelaPosicao::aoEsconder() {
    if (estado_.Seletor().PedeEntrada)
        TextoStatus(QString());
}

void JanelaPosicao::atualizaMarcador() {
    sh1_->defineCheio(estado_.MarcadorCheio());
    if (!estado_.MarcadorVisivel()) {
        sh1_->hide();
        lb1_->hide();
        return;
    }
    const TRetangulo m = estado_.Marcador();
    sh1_->setGeometry(m.Esquerda - origem_.x(), m.Topo - origem_.y(), m.Largura(), m.Altura());
    lb1_->setText(estado_.Etiqueta());
    lb1_->adjustSize();
    lb1_->move(estado_.EtiquetaEsquerda() - origem_.x(), estado_.EtiquetaTopo(lb1_->height()) - origem_.y());
    sh1_->show();
    sh1_->raise();
    lb1_->show();
    lb1_->raise();
}

bool JanelaPosicao::eventFilter(QObject *o, QEvent *e) {
    const QEvent::Type tipo = e->type();
    if (tipo != QEvent::MouseMove && tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonRelease)
        return JanelaFilha::eventFilter(o, e);
    auto *w = static_cast<QWidget *>(o);
    auto *m = static_cast<QMouseEvent *>(e);
    const QPointF p = m->position();

    if (tipo == QEvent::MouseMove) {
        if (w != sh1_ && m->buttons() == Qt::NoButton) {
            const bool mao = estado_.Aponta(w->property("tag").toInt(), static_cast<int>(std::floor(p.x())),
                                            static_cast<int>(std::floor(p.y())));
            w->setCursor(mao ? Qt::PointingHandCursor : Qt::ArrowCursor);
            atualizaMarcador();
        }
        return false;
    }
    if (m->button() != Qt::LeftButton)
        return false;
    // In window coordinates, as the marker's rectangle.
    const QPointF q = w->mapTo(quadro_, p) + QPointF(origem_);
    const int x = static_cast<int>(std::floor(q.x())), y = static_cast<int>(std::floor(q.y()));
    if (tipo == QEvent::MouseButtonPress) {
        estado_.Pressiona(x, y);
        atualizaMarcador();
        return false;
    }
    const std::optional<TEscolha> escolha = estado_.Solta(x, y);
    atualizaMarcador();
    if (escolha)
        escolhe(*escolha);
    return false;
}

void JanelaPosicao::escolhe(const TEscolha &e) {
    auto &g = G();
    const int k = g.ItemAtual;
    if (k >= 1 && k <= g.NumItens && k <= MaxItens) {
        TItemOrc &item = g.Itens[k];
        item.Posicao = e.Posicao.left(20);
        if (e.GravaQuadro)
            item.ExigeQuadro = e.ExigeQuadro;
        // Also after a save made while this window was open.
        SetAlterado(true);
    }
    if (e.GravaQuadro && e.ExigeQuadro)
        MensagemInfo(QString::fromUtf8(TextoExigeQuadro));
    MostraJanela(JAN_CONFIGURA);
}

TfrmPosicao::TfrmPosicao(QWidget *painel) : JanelaPosicao(*SeletorNumero(JAN_POSICAO), painel) {}
TfrmPosicaoBU::TfrmPosicaoBU(QWidget *painel) : JanelaPosicao(*SeletorNumero(JAN_POSICAOBU), painel) {}
TfrmPosicao4::TfrmPosicao4(QWidget *painel) : JanelaPosicao(*SeletorNumero(JAN_POSICAO4), painel) {}
TfrmPosicao1::TfrmPosicao1(QWidget *painel) : JanelaPosicao(*SeletorNumero(JAN_POSICAO1), painel) {}
TfrmGab160a560::TfrmGab160a560(QWidget *painel) : JanelaPosicao(*SeletorNumero(JAN_GAB160A560), painel) {}
TfrmGab680a1000::TfrmGab680a1000(QWidget *painel) : JanelaPosicao(*SeletorNumero(JAN_GAB680A1000), painel) {}
TfrmAxial::TfrmAxial(QWidget *painel) : JanelaPosicao(*SeletorNumero(JAN_AXIAL), painel) {}

QWidget *CriaJanelaPosicao(QWidget *painel, const EntradaJanela &entrada) {
    switch (entrada.numero) {
    case JAN_POSICAO: return new TfrmPosicao(painel);
    case JAN_POSICAOBU: return new TfrmPosicaoBU(painel);
    case JAN_POSICAO4: return new TfrmPosicao4(painel);
    case JAN_POSICAO1: return new TfrmPosicao1(painel);
    case JAN_GAB160A560: return new TfrmGab160a560(painel);
    case JAN_GAB680A1000: return new TfrmGab680a1000(painel);
    case JAN_AXIAL: return new TfrmAxial(painel);
    default: return nullptr;
    }
}

} // namespace quellora
