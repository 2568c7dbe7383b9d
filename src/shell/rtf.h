#pragma once
// A small reader of rich-text (.rtf) files for the fan-family description
// texts. It understands what word processors put in such short texts:
// paragraphs and line breaks, bold, italic, underline, strike-through,
// super- and subscript, font sizes, fonts and colours from the document's
// tables, paragraph alignment and indents, tabs, \'hh escapes (Windows-1252),
// \uN with its \ucN fallback, and the special characters (dashes, quotes,
// bullets, non-breaking space). Tables become tab-separated lines. Pictures,
// fields' instructions, style sheets, document information, headers and
// footers and every "\*" destination are skipped. Unknown control words are
// ignored, never an error.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace quellora {

// Fills 'doc' (cleared first) from the bytes of an RTF file. Bytes that do
// not start with "{\rtf" are taken as plain Windows-1252 text. Never fails.
void LeRtf(const QByteArray &dados, QTextDocument &doc);

// Reads the file and fills 'doc'. Fails, with a message naming the file,
// when the file cannot be read (or is larger than any description text
// could reasonably be: 32 MB).
[[nodiscard]] bool CarregaRtf(const QString &arquivo, QTextDocument &doc, QString *erro = nullptr);

// The file name of a fan family's description text: the family's caption
// with its first "/" replaced by "_", plus ".rtf" ("AB/C" gives "AB_C.rtf").
QString NomeTextoModelo(const QString &familia);

} // namespace quellora
