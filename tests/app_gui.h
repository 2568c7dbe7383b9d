#pragma once
// Logic tests that measure text or draw need a QGuiApplication (fonts);
// this creates one, headless, the first time it is asked for.

#include <QGuiApplication>

namespace quellora::teste {

inline void GaranteAppGui() {
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "quellora_tests";
    static char *argv[] = {nome, nullptr};
    static QGuiApplication *app = new QGuiApplication(argc, argv);
    (void)app;
}

} // namespace quellora::teste
