#pragma once
// Where the program's files live. A portable copy keeps dados/ and projetos/
// beside the executable. An installed copy (its folder not writable, or a
// bin/ with share/quellora/dados/ beside it) keeps the user's own files in
// $XDG_DATA_HOME/quellora/, reads the catalogue shipped in
// share/quellora/dados/ unless the user's data folder holds a whole
// catalogue of its own, and saves quotations in the documents folder under
// Quellora/projetos/. The preferences' "Pasta de projetos" overrides where
// quotations go in either layout.

#include <QByteArray>
#include <QString>

#include <functional>

namespace quellora {

// What the decision looks at; AmbienteDoSistema fills it from the machine.
struct TAmbientePastas {
    QString DirExecutavel;           // the folder of the program file
    bool ExecutavelGravavel = true;  // whether that folder can be written
    QString XdgDataHome;             // the environment, empty when unset
    QString XdgConfigHome;
    QString Home;
    QByteArray UserDirs;             // the text of user-dirs.dirs, empty when missing
    std::function<bool(const QString &caminho)> Existe; // a file or folder exists
};

// Every folder absolute, with a trailing '/'.
struct TPastas {
    bool Instalado = false;
    QString Programa;
    QString Dados;     // the user's own files: settings, profile, clients, counter, preferences
    QString Catalogo;  // the read-only catalogue and the fan-family texts
    QString Projetos;  // quotation files

    bool operator==(const TPastas &) const = default;
};

// The folders for 'a'; 'pastaProjetos' is the preference (empty: the default).
TPastas DecidePastas(const TAmbientePastas &a, const QString &pastaProjetos = {});

// $XDG_CONFIG_HOME, or ~/.config; where user-dirs.dirs is read.
QString PastaConfiguracao(const TAmbientePastas &a);

// True when 'dir' holds the seven catalogue files.
bool TemCatalogo(const QString &dir, const std::function<bool(const QString &)> &existe);

// The environment of this process for a program file in 'dirExecutavel'.
TAmbientePastas AmbienteDoSistema(const QString &dirExecutavel);

// The folders in use: decided for this machine with the "Pasta de projetos"
// of the preferences found in the data folder. A damaged preferences file
// gives the default projects folder and its message in 'erro'.
TPastas PastasEmUso(const QString &dirExecutavel, QString *erro = nullptr);

} // namespace quellora
