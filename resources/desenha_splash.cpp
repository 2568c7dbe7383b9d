// Build tool: draws the start-up picture once, so that the program only
// shows an image at start-up (no SVG to read, no fonts to load).
//   quellora_desenha_splash FIGURA.svg SAIDA
// SAIDA holds the pixels as they are in memory (32-bit RGB, row after row),
// stored uncompressed in the resources: showing them needs no decoding.
#include "shell/windows/desenho_splash.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "uso: %s FIGURA.svg SAIDA\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: não pôde ser lido\n", argv[1]);
        return 1;
    }
    const QImage img = quellora::DesenhoSplash(svg.readAll());
    QFile saida(QString::fromLocal8Bit(argv[2]));
    const auto bytes = static_cast<qint64>(img.sizeInBytes());
    if (img.bytesPerLine() != img.width() * 4 || !saida.open(QIODevice::WriteOnly) ||
        saida.write(reinterpret_cast<const char *>(img.constBits()), bytes) != bytes || !saida.flush()) {
        std::fprintf(stderr, "%s: não pôde ser gravado\n", argv[2]);
        return 1;
    }
    return 0;
}
