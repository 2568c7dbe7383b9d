#pragma once
// Running quellora-cli as a user runs it, for the tests of its commands.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace quellora::teste {

struct Execucao {
    int status = -1; // exit code; -1 when it crashed or did not finish
    QString saida, erro;
};

inline Execucao ExecutaCli(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(QUELLORA_CLI), args);
    Execucao e;
    if (!p.waitForFinished(60000))
        return e;
    e.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.saida = QString::fromUtf8(p.readAllStandardOutput());
    e.erro = QString::fromUtf8(p.readAllStandardError());
    return e;
}

} // namespace quellora::teste
