// Program entry: splash, main window, the other windows, event loop.

#include "shell/numeros.h"
#include "shell/windows/aplicacao.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/splash.h"
#include "shell/windows/uquellora.h"

#include <QLocale>
#include <QTimer>

using namespace quellora;

int main(int argc, char **argv) {
    AplicacaoQuellora app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(TituloAplicacao));

    // The frame is shown at once, then the splash over it; the window's
    // contents are built while the desktop maps it, before its first paint.
    TfrmQuellora janela{TfrmQuellora::Moldura{}};
    janela.show();
    QTimer::singleShot(0, &janela, [&janela] {
        auto *splash = new Splash;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        splash->mostra();
        janela.defineSplash(splash);
        CarregaTraducoes();
        // Before any number is shown: numbers follow the user's locale, a
        // Brazilian's when the system names none.
        QLocale::setDefault(LocalDoPrograma(QLocale::system()));
        janela.inicia();
        janela.criaJanelas();
        janela.raise();
        janela.activateWindow();
    });
    // Normally the first activation closes the splash; a desktop that keeps
    // the focus elsewhere must not leave it (and the hourglass) up.
    QTimer::singleShot(3000, &janela, [&janela] { janela.fechaSplash(); });
    return app.exec();
}
