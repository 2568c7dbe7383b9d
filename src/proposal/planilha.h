#pragma once
// The desktop's program for a file type (the MIME association of the free
// desktops: xdg-mime and the application's desktop entry), as the command
// line that opens a given file. The spreadsheet export starts it.

#include <QString>
#include <QStringList>

namespace quellora {

// The command line (program first) that opens 'arquivo' with the program
// the desktop associates with its type, judged by its extension; empty when
// there is none.
QStringList ComandoParaAbrir(const QString &arquivo);

// The Exec line of a desktop entry as a command line for 'arquivo': quoted
// arguments unquoted, the file in place of %f, %F, %u or %U (added at the
// end when there is none), %% a percent sign, the other field codes dropped.
QStringList ComandoDaEntrada(const QString &exec, const QString &arquivo);

} // namespace quellora
