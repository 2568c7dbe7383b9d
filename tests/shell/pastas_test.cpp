// The folders the program uses: portable beside the executable, installed
// under the user's folders, a shared projects folder, a catalogue of the
// user's own.

#include "shell/pastas.h"

#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

using namespace quellora;

namespace {

// The seven catalogue files of 'dir' ("/" ended), the first 'quantos' of them.
QStringList Catalogo(const QString &dir, int quantos = 7) {
    const QStringList nomes = {QStringLiteral("dadmod.dat"), QStringLiteral("denmod.dat"), QStringLiteral("dadmot.dat"),
                               QStringLiteral("dadace.dat"), QStringLiteral("dadfat.dat"), QStringLiteral("premod.dat"),
                               QStringLiteral("premot.dat")};
    QStringList l;
    for (int i = 0; i < quantos; ++i)
        l << dir + nomes[i];
    return l;
}

const QString Usr = QStringLiteral("/usr/share/quellora/dados/");
const QString Ana = QStringLiteral("/home/ana/");
const QString Local = QStringLiteral("/home/ana/.local/share/quellora/");

} // namespace

namespace quellora {
// How a failed comparison shows the folders.
void PrintTo(const TPastas &p, std::ostream *o) {
    *o << (p.Instalado ? "instalado" : "portátil") << " programa=" << p.Programa.toStdString()
       << " dados=" << p.Dados.toStdString() << " catálogo=" << p.Catalogo.toStdString()
       << " projetos=" << p.Projetos.toStdString();
}
} // namespace quellora

TEST(Pastas, RegrasDaPortatilEDaInstalada) {
    const struct Caso {
        const char *caso;
        QString executavel;
        bool gravavel;
        QString xdgDataHome;
        const char *userDirs;
        QStringList existem;
        QString pastaProjetos;
        TPastas esperado;
    } casos[] = {
        {"portátil: tudo ao lado do programa", "/opt/q", true, {}, "", Catalogo("/opt/q/dados/"), {},
         {false, "/opt/q/", "/opt/q/dados/", "/opt/q/dados/", "/opt/q/projetos/"}},
        {"portátil com pasta de projetos na rede", "/opt/q/", true, {}, "", {}, "/srv/rede/orc",
         {false, "/opt/q/", "/opt/q/dados/", "/opt/q/dados/", "/srv/rede/orc/"}},
        {"pasta de projetos relativa é ignorada", "/opt/q", true, {}, "", {}, "rede/orc",
         {false, "/opt/q/", "/opt/q/dados/", "/opt/q/dados/", "/opt/q/projetos/"}},
        {"instalado: catálogo distribuído, dados e documentos do usuário", "/usr/bin", false, {}, "", Catalogo(Usr),
         {}, {true, "/usr/bin/", Local, Usr, Ana + "Documentos/Quellora/projetos/"}},
        {"instalado e rodando como root: a pasta pode ser gravada", "/usr/bin", true, {}, "", Catalogo(Usr), {},
         {true, "/usr/bin/", Local, Usr, Ana + "Documentos/Quellora/projetos/"}},
        {"instalado sem catálogo: o distribuído, cuja falta a carga aponta", "/usr/bin", false, {}, "", {}, {},
         {true, "/usr/bin/", Local, Usr, Ana + "Documentos/Quellora/projetos/"}},
        {"XDG_DATA_HOME", "/usr/bin", false, "/dados/ana", "", Catalogo(Usr), {},
         {true, "/usr/bin/", "/dados/ana/quellora/", Usr, Ana + "Documentos/Quellora/projetos/"}},
        {"XDG_DATA_HOME relativo é ignorado", "/usr/bin", false, "dados", "", Catalogo(Usr), {},
         {true, "/usr/bin/", Local, Usr, Ana + "Documentos/Quellora/projetos/"}},
        {"catálogo do usuário tem precedência", "/usr/bin", false, {}, "", Catalogo(Usr) + Catalogo(Local), {},
         {true, "/usr/bin/", Local, Local, Ana + "Documentos/Quellora/projetos/"}},
        {"catálogo do usuário incompleto não conta", "/usr/bin", false, {}, "", Catalogo(Usr) + Catalogo(Local, 6),
         {}, {true, "/usr/bin/", Local, Usr, Ana + "Documentos/Quellora/projetos/"}},
        {"cópia portátil numa pasta só de leitura", "/media/cd", false, {}, "", Catalogo("/media/cd/dados/"), {},
         {true, "/media/cd/", Local, "/media/cd/dados/", Ana + "Documentos/Quellora/projetos/"}},
        {"instalado com pasta de projetos na rede", "/usr/bin", false, {}, "", Catalogo(Usr), "/mnt/rede/",
         {true, "/usr/bin/", Local, Usr, "/mnt/rede/"}},
        {"documentos do user-dirs.dirs", "/usr/bin", false, {},
         "# comentário\nXDG_DESKTOP_DIR=\"$HOME/Mesa\"\nXDG_DOCUMENTS_DIR=\"$HOME/Documentos do Trabalho\"\n",
         Catalogo(Usr), {}, {true, "/usr/bin/", Local, Usr, Ana + "Documentos do Trabalho/Quellora/projetos/"}},
        {"documentos num caminho absoluto, com escapes; vale o último", "/usr/bin", false, {},
         "XDG_DOCUMENTS_DIR=\"$HOME/x\"\nXDG_DOCUMENTS_DIR=\"/mnt/Meus \\\"Docs\\\"\"\n", Catalogo(Usr), {},
         {true, "/usr/bin/", Local, Usr, "/mnt/Meus \"Docs\"/Quellora/projetos/"}},
        {"documentos desligados ($HOME): ~/Documents, que existe", "/usr/bin", false, {},
         "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", Catalogo(Usr) << Ana + "Documents/", {},
         {true, "/usr/bin/", Local, Usr, Ana + "Documents/Quellora/projetos/"}},
        {"sem user-dirs.dirs: ~/Documentos antes de ~/Documents", "/usr/bin", false, {}, "",
         Catalogo(Usr) << Ana + "Documentos/" << Ana + "Documents/", {},
         {true, "/usr/bin/", Local, Usr, Ana + "Documentos/Quellora/projetos/"}},
        {"valor sem aspas ou relativo é ignorado", "/usr/bin", false, {},
         "XDG_DOCUMENTS_DIR=$HOME/a\nXDG_DOCUMENTS_DIR=\"b/c\"\n", Catalogo(Usr), {},
         {true, "/usr/bin/", Local, Usr, Ana + "Documentos/Quellora/projetos/"}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.caso);
        TAmbientePastas a;
        a.DirExecutavel = c.executavel;
        a.ExecutavelGravavel = c.gravavel;
        a.XdgDataHome = c.xdgDataHome;
        a.Home = QStringLiteral("/home/ana");
        a.UserDirs = QByteArray(c.userDirs);
        const QSet<QString> existem(c.existem.begin(), c.existem.end());
        a.Existe = [existem](const QString &p) {
            return existem.contains(p) || existem.contains(p + QLatin1Char('/'));
        };
        EXPECT_EQ(DecidePastas(a, c.pastaProjetos), c.esperado);
    }

    TAmbientePastas a;
    a.Home = QStringLiteral("/home/ana");
    EXPECT_EQ(PastaConfiguracao(a), QStringLiteral("/home/ana/.config/"));
    a.XdgConfigHome = QStringLiteral("/etc/ana");
    EXPECT_EQ(PastaConfiguracao(a), QStringLiteral("/etc/ana/"));
}
