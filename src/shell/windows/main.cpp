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
    CarregaTraducoes();
    // Before any window: numbers follow the user's locale, a Brazilian's
    // when the system names none.
    QLocale::setDefault(LocalDoPrograma(QLocale::system()));

    auto *splash = new Splash;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    splash->mostra();

    QApplication::setApplicationName(QString::fromUtf8(TituloAplicacao));

    TfrmQuellora janela;
    janela.criaJanelas();
    janela.defineSplash(splash);
    janela.show();
    janela.raise();
    janela.activateWindow();
    // Normally the first activation closes the splash; a desktop that keeps
    // the focus elsewhere must not leave it (and the hourglass) up.
    QTimer::singleShot(3000, &janela, [&janela] { janela.fechaSplash(); });
    return app.exec();
}
