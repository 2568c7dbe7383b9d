#include "shell/pastas.h"

#include "catalogue/arquivos.h"
#include "catalogue/catalogo.h"
#include "shell/preferencias.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quellora {

namespace {

QString ComBarra(const QString &d) {
    const QString limpo = QDir::cleanPath(d);
    return limpo.endsWith(QLatin1Char('/')) ? limpo : limpo + QLatin1Char('/');
}

// An XDG base folder: the variable when it holds an absolute path (a
// relative one is ignored, as the base-directory rules say), or ~/padrao.
QString BaseXdg(const QString &variavel, const QString &home, const char *padrao) {
    if (QDir::isAbsolutePath(variavel))
        return ComBarra(variavel);
    return ComBarra(home + QLatin1Char('/') + QLatin1String(padrao));
}

// XDG_DOCUMENTS_DIR of user-dirs.dirs ("$HOME/..." or an absolute path,
// backslash escapes, the last assignment wins); empty when not set or set
// to the home folder itself, which means "no such folder".
QString DocumentosDeUserDirs(const QByteArray &texto, const QString &home) {
    QString achado;
    for (const QByteArray &bruta : texto.split('\n')) {
        const QByteArray l = bruta.trimmed();
        static const QByteArray Chave("XDG_DOCUMENTS_DIR=");
        if (!l.startsWith(Chave))
            continue;
        const QByteArray v = l.mid(Chave.size());
        if (v.size() < 2 || !v.startsWith('"') || !v.endsWith('"'))
            continue;
        QByteArray s;
        for (qsizetype i = 1; i + 1 < v.size(); ++i)
            s += v[i] == '\\' && i + 2 < v.size() ? v[++i] : v[i];
        QString c = QString::fromUtf8(s);
        if (c == QLatin1String("$HOME") || c.startsWith(QLatin1String("$HOME/")))
            c = home + c.mid(5);
        else if (!c.startsWith(QLatin1Char('/')))
            continue;
        achado = c;
    }
    if (!achado.isEmpty() && QDir::cleanPath(achado) == QDir::cleanPath(home))
        return {};
    return achado;
}

// The documents folder as xdg-user-dir DOCUMENTS finds it; without one,
// ~/Documentos or ~/Documents, whichever exists (~/Documentos when neither).
QString PastaDocumentos(const TAmbientePastas &a, const std::function<bool(const QString &)> &existe) {
    const QString xdg = DocumentosDeUserDirs(a.UserDirs, a.Home);
    if (!xdg.isEmpty())
        return ComBarra(xdg);
    const QString pt = ComBarra(a.Home + QStringLiteral("/Documentos"));
    const QString en = ComBarra(a.Home + QStringLiteral("/Documents"));
    return !existe(pt) && existe(en) ? en : pt;
}

} // namespace

QString PastaConfiguracao(const TAmbientePastas &a) { return BaseXdg(a.XdgConfigHome, a.Home, ".config"); }

bool TemCatalogo(const QString &dir, const std::function<bool(const QString &)> &existe) {
    for (const char *arq : {ArqModelos, ArqDenominacoes, ArqMotores, ArqAcessorios, ArqFatores, ArqPrecoModelos,
                            ArqPrecoMotores})
        if (!existe(CaminhoEm(dir, QString::fromLatin1(arq))))
            return false;
    return true;
}

TPastas DecidePastas(const TAmbientePastas &a, const QString &pastaProjetos) {
    const auto existe = [&a](const QString &c) { return a.Existe && a.Existe(c); };
    TPastas p;
    p.Programa = ComBarra(a.DirExecutavel);
    const QString junto = p.Programa + QStringLiteral("dados/");
    const QString distribuido = ComBarra(p.Programa + QStringLiteral("../share/quellora/dados"));
    p.Instalado = !a.ExecutavelGravavel || TemCatalogo(distribuido, existe);
    if (p.Instalado) {
        p.Dados = BaseXdg(a.XdgDataHome, a.Home, ".local/share") + QStringLiteral("quellora/");
        // A catalogue of the user's own first; a read-only portable copy's
        // next; the shipped one otherwise (whose absence the loads report).
        p.Catalogo = TemCatalogo(p.Dados, existe) ? p.Dados : TemCatalogo(junto, existe) ? junto : distribuido;
        p.Projetos = PastaDocumentos(a, existe) + QStringLiteral("Quellora/projetos/");
    } else {
        p.Dados = junto;
        p.Catalogo = junto;
        p.Projetos = p.Programa + QStringLiteral("projetos/");
    }
    const QString escolhida = pastaProjetos.trimmed();
    if (QDir::isAbsolutePath(escolhida))
        p.Projetos = ComBarra(escolhida);
    return p;
}

TAmbientePastas AmbienteDoSistema(const QString &dirExecutavel) {
    TAmbientePastas a;
    a.DirExecutavel = QDir(dirExecutavel).absolutePath();
    a.ExecutavelGravavel = QFileInfo(a.DirExecutavel).isWritable();
    a.XdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    a.XdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    a.Home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(a.Home))
        a.Home = QDir::homePath();
    QFile f(PastaConfiguracao(a) + QStringLiteral("user-dirs.dirs"));
    if (f.open(QIODevice::ReadOnly))
        a.UserDirs = f.read(64 * 1024);
    a.Existe = [](const QString &c) { return QFileInfo::exists(c); };
    return a;
}

TPastas PastasEmUso(const QString &dirExecutavel, QString *erro) {
    const TAmbientePastas a = AmbienteDoSistema(dirExecutavel);
    const TPastas p = DecidePastas(a);
    TPreferencias prefs;
    if (!CarregaPreferencias(p.Dados, prefs, erro))
        return p;
    return DecidePastas(a, prefs.PastaProjetos);
}

} // namespace quellora
