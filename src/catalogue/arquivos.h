#pragma once
// Whole-file reads of fixed-size records and atomic writes, with error texts
// that name the file.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <functional>

namespace quellora {

// Joins a directory (with or without trailing separator) and a file name.
QString CaminhoEm(const QString &dir, const QString &nome);

// Reads 'quantos' records of 'tamanho' bytes starting at record 'primeiro'
// (0-based) of the file. Fails, with a message naming the file, when the file
// is missing or unreadable, when 'primeiro' lies beyond its end, or when the
// file ends before the last record asked for.
[[nodiscard]] bool LeRegistros(const QString &arquivo, std::size_t tamanho, qint64 primeiro, qint64 quantos,
                               QByteArray &dados, QString *erro);

// Reads a whole file of records; a trailing partial record is an error.
[[nodiscard]] bool LeTodosRegistros(const QString &arquivo, std::size_t tamanho, QByteArray &dados, QString *erro);

// Reads a whole file that may be missing: true with 'existe' false when it
// is; false, with a message naming the file, when it is there but can't be
// read.
[[nodiscard]] bool LeArquivoOpcional(const QString &arquivo, QByteArray &dados, bool *existe, QString *erro);

// A settings file that may be missing: 'ausente' runs when it is; else its
// bytes go to 'le', which says why it refuses them, and a refusal is "O
// arquivo " + 'oque' + " <file> está danificado: <why>.".
[[nodiscard]] bool CarregaArquivoOpcional(const QString &arquivo, const QString &oque,
                                          const std::function<bool(const QByteArray &, QString *)> &le,
                                          const std::function<void()> &ausente, QString *erro);

// Writes the file through a temporary beside it, so a failure at any point
// leaves the previous file intact.
[[nodiscard]] bool GravaArquivoAtomico(const QString &arquivo, const QByteArray &dados, QString *erro);

} // namespace quellora
