#include "selection/windows/uqlcurva.h"

#include "selection/desenho_sistema.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/windows/servicos.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellora {

// --- PainelCurva --------------------------------------------------------------

PainelCurva::PainelCurva(int tamFonte, int tamFonteMenor, QWidget *pai)
    : QWidget(pai), tamFonte_(tamFonte), tamFonteMenor_(tamFonteMenor) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void PainelCurva::setValido(bool v) {
    valido_ = v;
    update();
}

void PainelCurva::setFiguras(const TFiguras &f) {
    figuras_ = f;
    update();
}

void PainelCurva::desenha(QPaintDevice &d) {
    QPainter f(&d);
    f.fillRect(QRect(0, 0, width(), height()), Qt::white);
    if (!valido_)
        return;
    auto &p = Pagina();
    const TEstadoPagina antes = p;
    p.Folha = &f;
    p.AreaPagina = {0, 0, width(), height()};
    p.TamFonte = tamFonte_;
    p.TamFonteMenor = tamFonteMenor_;
    p.Imprimindo = false;
    p.Monocromatico = false;
    geometria_ = DesenhaCurva(G().DadosCurva, G().Curva, {}, ExtrasDasFiguras(figuras_));
    p = antes;
}

void PainelCurva::paintEvent(QPaintEvent *) { desenha(*this); }

QImage PainelCurva::imagem() {
    QImage img(size(), QImage::Format_RGB32);
    img.setDotsPerMeterX(static_cast<int>(logicalDpiX() / 0.0254 + 0.5));
    img.setDotsPerMeterY(static_cast<int>(logicalDpiY() / 0.0254 + 0.5));
    desenha(img);
    return img;
}

void PainelCurva::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicado();
    QWidget::mouseReleaseEvent(e);
}

// --- TfrmCurva ----------------------------------------------------------------

TfrmCurva::TfrmCurva(QWidget *painel) : JanelaFilha(QStringLiteral("Curva"), AJUDA_CURVA, painel) {
    setObjectName(QStringLiteral("TfrmCurva"));

    auto *topo = new QWidget(this);
    topo->setObjectName(QStringLiteral("Panel1"));
    auto *lt = new QHBoxLayout(topo);
    auto *btCancela = new QPushButton(QStringLiteral("&Retornar"), topo);
    btCancela->setObjectName(QStringLiteral("btCancela"));
    auto *BitBtn2 = new QPushButton(QStringLiteral("&Imprime"), topo);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    ckbColorida_ = new QCheckBox(QStringLiteral("Impressora &colorida"), topo);
    ckbColorida_->setObjectName(QStringLiteral("ckbColorida"));
    lt->addWidget(btCancela);
    lt->addWidget(BitBtn2);
    lt->addSpacing(16);
    lt->addWidget(ckbColorida_);
    lt->addStretch();

    auto *branco = new QWidget(this);
    branco->setObjectName(QStringLiteral("Panel2"));
    branco->setAutoFillBackground(true);
    QPalette pal = branco->palette();
    pal.setColor(QPalette::Window, Qt::white);
    branco->setPalette(pal);
    auto *lb = new QHBoxLayout(branco);

    pb_ = new PainelCurva(10, 8, branco);
    pb_->setObjectName(QStringLiteral("pb"));
    pb_->setFixedSize(473, 370);
    pb_->setValido(true);
    pb_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *copiar = new QAction(QStringLiteral("Para a área de transferência"), pb_);
    copiar->setObjectName(QStringLiteral("Paraareadetransferencia1"));
    pb_->addAction(copiar);
    connect(copiar, &QAction::triggered, this, &TfrmCurva::copiaParaAreaDeTransferencia);

    auto *dados = new QWidget(branco);
    auto *gl = new QGridLayout(dados);
    gl->setVerticalSpacing(6);
    lbItem_ = new QLabel(dados);
    lbItem_->setObjectName(QStringLiteral("lbItem"));
    QFont negrito = lbItem_->font();
    negrito.setBold(true);
    lbItem_->setFont(negrito);
    gl->addWidget(lbItem_, 0, 0, 1, 2);
    const char *rotulos[11] = {"Projeto:", "TAG/Ref.:", "Descrição:", "Ventilador:", "Vazão de ar:", "Pressão estática:",
                               "Temperatura:", "Altitude:", "Potência abs.:", "Rendimento:", "Pot. sonora Lw:A"};
    for (int i = 0; i < 11; ++i) {
        auto *r = new QLabel(QString::fromUtf8(rotulos[i]), dados);
        r->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        st_[static_cast<std::size_t>(i)] = new QLabel(dados);
        st_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("st%1").arg(i + 1));
        st_[static_cast<std::size_t>(i)]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        r->setBuddy(st_[static_cast<std::size_t>(i)]);
        gl->addWidget(r, i + 1, 0, Qt::AlignRight);
        gl->addWidget(st_[static_cast<std::size_t>(i)], i + 1, 1);
    }
    const char *extras[4] = {"Ventiladores:", "Pressão sonora LpA:", "Exposição (NR-15):", "Avisos:"};
    for (int i = 0; i < 4; ++i) {
        auto *r = new QLabel(QString::fromUtf8(extras[i]), dados);
        auto *v = new QLabel(dados);
        v->setObjectName(QStringLiteral("st%1").arg(12 + i));
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        v->setWordWrap(true);
        r->setBuddy(v);
        extras_[static_cast<std::size_t>(i)] = v;
        gl->addWidget(r, 12 + i, 0, Qt::AlignRight | Qt::AlignTop);
        gl->addWidget(v, 12 + i, 1);
    }
    gl->setRowStretch(16, 1);
    gl->setColumnStretch(1, 1);
    lb->addWidget(pb_, 0, Qt::AlignTop);
    lb->addWidget(dados, 1);

    auto *lv = new QVBoxLayout(this);
    lv->setContentsMargins(0, 0, 0, 0);
    lv->addWidget(topo);
    lv->addWidget(branco, 1);

    connect(btCancela, &QPushButton::clicked, this, [] { VoltaJanela(); });
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmCurva::imprime);
}

void TfrmCurva::defineTextos(const TTextosCurva &t) {
    lbItem_->setText(t.Item);
    for (std::size_t i = 0; i < 11; ++i)
        st_[i]->setText(t.Valores[i]);
    bloco_ = t.Bloco;
    figuras_ = t.Figuras;
    pb_->setFiguras(figuras_);
    const TFiguras &f = figuras_;
    const int n = f.Sistema.Ventiladores;
    extras_[0]->setText(n == 1 ? QStringLiteral("1") : QStringLiteral("%1 em paralelo").arg(n));
    extras_[1]->setText(f.TemRuido ? QStringLiteral("%1 dB(A) a %2 m")
                                         .arg(FormataFloat(QStringLiteral("0"), f.Ruido.LpA), NumeroGeral(f.Ruido.Distancia))
                                   : QStringLiteral("-.-"));
    extras_[2]->setText(f.TemRuido ? TextoExposicao(f.Ruido.Exposicao) : QStringLiteral("-.-"));
    extras_[3]->setText(f.Avisos.isEmpty() ? QStringLiteral("nenhum") : TextoDosAvisos(f));
}

void TfrmCurva::imprimeEm(QPrinter &impressora) {
    auto &p = Pagina();
    const TEstadoPagina antes = p;
    p.Monocromatico = !ckbColorida_->isChecked();
    p.Imprimindo = true;
    impressora.setPageOrientation(QPageLayout::Portrait);
    impressora.setDocName(QStringLiteral("Quellora"));
    QPainter f;
    if (f.begin(&impressora)) {
        p.TamFonte = 9;
        p.TamFonteMenor = 7;
        p.Folha = &f;
        const QRect pagina = impressora.pageLayout().paintRectPixels(impressora.resolution());
        p.AreaPagina = {0, 0, pagina.width(), pagina.height()};
        DesenhaCurva(G().DadosCurva, G().Curva, bloco_, ExtrasDasFiguras(figuras_));
        f.end();
    }
    p = antes;
    p.Imprimindo = false;
    p.Monocromatico = false;
}

void TfrmCurva::imprime() {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setPageOrientation(QPageLayout::Portrait);
    bool ok;
    if (confirmaImpressao) {
        ok = confirmaImpressao(impressora);
    } else {
        QPrintDialog dlg(&impressora, this);
        ok = dlg.exec() == QDialog::Accepted;
    }
    if (ok)
        imprimeEm(impressora);
}

void TfrmCurva::copiaParaAreaDeTransferencia() {
    QApplication::clipboard()->setImage(pb_->imagem());
}

QWidget *CriaTfrmCurva(QWidget *painel, const EntradaJanela &) { return new TfrmCurva(painel); }

} // namespace quellora
