#pragma once
// Running quellora-cli, or another program a test needs, as a user runs it.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace quellora::teste {

struct Execucao {
    int status = -1; // exit code; -1 when it crashed or did not finish
    QString saida, erro;
};

// 'ambiente' adds "NOME=valor" entries to this process's environment;
// 'entrada' is the whole of its standard input.
inline Execucao Executa(const QString &programa, const QStringList &args, const QStringList &ambiente = {},
                        int ms = 60000, const QByteArray &entrada = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &v : ambiente)
        env.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    p.start(programa, args);
    p.write(entrada);
    p.closeWriteChannel();
    Execucao e;
    if (!p.waitForFinished(ms))
        return e;
    e.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.saida = QString::fromUtf8(p.readAllStandardOutput());
    e.erro = QString::fromUtf8(p.readAllStandardError());
    return e;
}

inline Execucao ExecutaCli(const QStringList &args, const QStringList &ambiente = {}, const QByteArray &entrada = {}) {
    return Executa(QStringLiteral(QUELLORA_CLI), args, ambiente, 60000, entrada);
}

} // namespace quellora::teste
