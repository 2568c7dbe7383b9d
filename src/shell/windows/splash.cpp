#include "shell/windows/splash.h"
#include "shell/windows/desenho_splash.h"
#include "shell/windows/recursos.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QScreen>

namespace quellora {

namespace {
// The picture drawn when the program was built, its pixels as they are in
// memory; drawn here only when the build could not (it then costs the fonts
// and the SVG at start-up).
QImage FiguraSplash() {
    const QImage pronta = PixelsProntos(QStringLiteral(":/gerado/splash.rgb32"), TamanhoSplash, QImage::Format_RGB32);
    if (!pronta.isNull())
        return pronta;
    QFile svg(QStringLiteral(":/imagens/splash.svg"));
    return DesenhoSplash(svg.open(QIODevice::ReadOnly) ? svg.readAll() : QByteArray());
}
} // namespace

Splash::Splash(QWidget *pai) : QWidget(pai, Qt::SplashScreen | Qt::FramelessWindowHint) {
    IniciaRecursos();
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(TamanhoSplash);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Splash::mostra() {
    if (QScreen *tela = QGuiApplication::primaryScreen())
        move(tela->geometry().center() - QPoint(width() / 2, height() / 2));
    show();
    repaint();
    QApplication::processEvents();
}

void Splash::paintEvent(QPaintEvent *) {
    if (figura_.isNull())
        figura_ = FiguraSplash();
    QPainter(this).drawImage(0, 0, figura_);
}

} // namespace quellora
