#include "proposal/planilha.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace quellora {

namespace {

// The arguments of an Exec line: blanks separate them, double quotes group,
// a backslash inside quotes escapes the next character.
QStringList Argumentos(const QString &exec) {
    QStringList r;
    QString atual;
    bool temArgumento = false, aspas = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (aspas && c == QLatin1Char('\\') && i + 1 < exec.size()) {
            atual += exec[++i];
        } else if (c == QLatin1Char('"')) {
            aspas = !aspas;
            temArgumento = true;
        } else if (!aspas && c.isSpace()) {
            if (temArgumento)
                r << atual;
            atual.clear();
            temArgumento = false;
        } else {
            atual += c;
            temArgumento = true;
        }
    }
    if (temArgumento)
        r << atual;
    return r;
}

// The desktop entry file of a desktop file id ("libreoffice-calc.desktop";
// a dash may stand for a subfolder).
QString EntradaDaAplicacao(const QString &id) {
    QString nome = id;
    for (;;) {
        const QString caminho = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, nome);
        if (!caminho.isEmpty())
            return caminho;
        const qsizetype traco = nome.indexOf(QLatin1Char('-'));
        if (traco < 0)
            return {};
        nome[traco] = QLatin1Char('/');
    }
}

QString ExecDaEntrada(const QString &caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream t(&f);
    bool grupo = false;
    while (!t.atEnd()) {
        const QString l = t.readLine().trimmed();
        if (l.startsWith(QLatin1Char('[')))
            grupo = l == QLatin1String("[Desktop Entry]");
        else if (grupo && l.startsWith(QLatin1String("Exec=")))
            return l.mid(5);
    }
    return {};
}

} // namespace

QStringList ComandoDaEntrada(const QString &exec, const QString &arquivo) {
    QStringList r;
    bool usouArquivo = false;
    for (const QString &a : Argumentos(exec)) {
        if (a == QLatin1String("%f") || a == QLatin1String("%F") || a == QLatin1String("%u") ||
            a == QLatin1String("%U")) {
            if (!usouArquivo)
                r << arquivo;
            usouArquivo = true;
            continue;
        }
        QString s;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a[i] == QLatin1Char('%') && i + 1 < a.size()) {
                if (a[++i] == QLatin1Char('%'))
                    s += QLatin1Char('%');
            } else {
                s += a[i];
            }
        }
        if (!s.isEmpty())
            r << s;
    }
    if (r.isEmpty())
        return {};
    if (!usouArquivo)
        r << arquivo;
    return r;
}

QStringList ComandoParaAbrir(const QString &arquivo) {
    const QMimeType tipo = QMimeDatabase().mimeTypeForFile(arquivo, QMimeDatabase::MatchExtension);
    if (!tipo.isValid() || tipo.isDefault())
        return {};
    QProcess consulta;
    consulta.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), tipo.name()});
    if (!consulta.waitForFinished(10000) || consulta.exitStatus() != QProcess::NormalExit || consulta.exitCode() != 0)
        return {};
    const QString id = QString::fromUtf8(consulta.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (id.isEmpty())
        return {};
    const QString entrada = EntradaDaAplicacao(id);
    if (entrada.isEmpty())
        return {};
    return ComandoDaEntrada(ExecDaEntrada(entrada), arquivo);
}

} // namespace quellora
