// Program entry: splash, main window, the other windows, event loop.

#include "shell/windows/aplicacao.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/splash.h"
#include "shell/windows/uquellora.h"

#include <QPointer>

using namespace quellora;

int main(int argc, char **argv) {
    AplicacaoQuellora app(argc, argv);

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
    return app.exec();
}
