#include "shell/windows/desenho_splash.h"

#include "shell/versao.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

namespace quellora {

namespace {
// The name's two colours (Windows BGR values 8553090 and 16548931).
const QColor CorNome1(0x82, 0x82, 0x82);
const QColor CorNome2(0x43, 0x82, 0xFC);

QFont FonteNome() {
    QFont f(QStringLiteral("Arial Black"));
    f.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(24);
    f.setWeight(QFont::Black);
    return f;
}
} // namespace

QImage DesenhoSplash(const QByteArray &figuraSvg) {
    QImage img(TamanhoSplash, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer figura(figuraSvg);
    const QRect area(QPoint(0, 0), TamanhoSplash);
    figura.render(&p, QRectF(area));

    // Product name in two parts, then the start-up line.
    const QFont f = FonteNome();
    p.setFont(f);
    const QString a = QStringLiteral("Quel");
    const QString b = QStringLiteral("lora");
    const QFontMetrics fm(f);
    const int x = 24;
    const int y = area.height() - 62;
    p.setPen(CorNome1);
    p.drawText(x, y, a);
    p.setPen(CorNome2);
    p.drawText(x + fm.horizontalAdvance(a), y, b);

    QFont g(QStringLiteral("DejaVu Sans"));
    g.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    g.setPixelSize(13);
    p.setFont(g);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawText(x, y + 22, QStringLiteral("Seleção de ventiladores industriais  -  versão ") + QString::fromLatin1(VersaoPrograma));
    p.drawText(x, y + 42, QStringLiteral("Iniciando...."));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(area.adjusted(0, 0, -1, -1));
    return img;
}

QImage DesenhoSvg(const QByteArray &svg, const QSize &tamanho, qreal escala) {
    QImage img(tamanho * escala, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(escala);
    img.fill(Qt::transparent);
    QSvgRenderer r(svg);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The whole drawing over the picture's size in its own units: the
    // painter's default bounds would be the picture's pixels, which a picture
    // made for a higher resolution has more of.
    r.render(&p, QRectF(QPointF(0, 0), QSizeF(tamanho)));
    return img;
}

QImage PixelsProntos(const QString &recurso, const QSize &tamanho, QImage::Format formato) {
    const QResource r(recurso);
    const qint64 linha = qint64(tamanho.width()) * 4;
    if (!r.isValid() || r.compressionAlgorithm() != QResource::NoCompression || r.size() != linha * tamanho.height())
        return QImage();
    return QImage(r.data(), tamanho.width(), tamanho.height(), linha, formato);
}

} // namespace quellora
