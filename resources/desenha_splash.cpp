// Build tool: draws the start-up picture once, so that the program only
// shows an image at start-up (no SVG to read, no fonts to load).
//   quellora_desenha_splash FIGURA.svg SAIDA             the splash over FIGURA
//   quellora_desenha_splash FIGURA.svg LxA SAIDA         FIGURA alone, L×A pixels
// SAIDA holds the pixels as they are in memory (32-bit RGB, or premultiplied
// ARGB for a figure alone, row after row), stored uncompressed in the
// resources: showing them needs no decoding.
#include "shell/windows/desenho_splash.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "uso: %s FIGURA.svg [LxA] SAIDA\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: não pôde ser lido\n", argv[1]);
        return 1;
    }
    QImage img;
    if (argc == 3) {
        img = quellora::DesenhoSplash(svg.readAll());
    } else {
        const QStringList lxa = QString::fromLatin1(argv[2]).split(QLatin1Char('x'));
        const QSize tamanho(lxa.value(0).toInt(), lxa.value(1).toInt());
        if (lxa.size() != 2 || tamanho.isEmpty()) {
            std::fprintf(stderr, "%s: tamanho inválido\n", argv[2]);
            return 2;
        }
        img = quellora::DesenhoSvg(svg.readAll(), tamanho);
    }
    QFile saida(QString::fromLocal8Bit(argv[argc - 1]));
    const auto bytes = static_cast<qint64>(img.sizeInBytes());
    if (img.bytesPerLine() != img.width() * 4 || !saida.open(QIODevice::WriteOnly) ||
        saida.write(reinterpret_cast<const char *>(img.constBits()), bytes) != bytes || !saida.flush()) {
        std::fprintf(stderr, "%s: não pôde ser gravado\n", argv[argc - 1]);
        return 1;
    }
    return 0;
}
