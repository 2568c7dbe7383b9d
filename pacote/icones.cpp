// Renders the program's icon (SVG) at the PNG sizes of the hicolor icon
// theme: icones ENTRADA.svg PASTA NOME TAMANHO... writes
// PASTA/<n>x<n>/apps/NOME.png for every size.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc < 5) {
        std::fprintf(stderr, "Uso: icones ENTRADA.svg PASTA NOME TAMANHO...\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList a = app.arguments();
    QSvgRenderer svg(a[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "%s não é um desenho SVG legível.\n", qPrintable(a[1]));
        return 1;
    }
    for (qsizetype i = 4; i < a.size(); ++i) {
        const int n = a[i].toInt();
        if (n <= 0) {
            std::fprintf(stderr, "Tamanho inválido: %s\n", qPrintable(a[i]));
            return 2;
        }
        QImage img(n, n, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            svg.render(&p, QRectF(0, 0, n, n));
        }
        const QString pasta = QStringLiteral("%1/%2x%2/apps").arg(a[2]).arg(n);
        const QString arq = pasta + QLatin1Char('/') + a[3] + QStringLiteral(".png");
        if (!QDir().mkpath(pasta) || !img.save(arq, "PNG")) {
            std::fprintf(stderr, "Não foi possível gravar %s\n", qPrintable(arq));
            return 1;
        }
    }
    return 0;
}
