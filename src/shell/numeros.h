#pragma once
// Numbers as the user sees and types them. Shown numbers follow the user's
// locale (QLocale(): "1,205" in Brazilian Portuguese); stored files, JSON and
// CSV keep the dot and never pass through here.

#include <QLocale>
#include <QString>

namespace quellora {

// A number through a display format of the classic desktop kind:
//   "0", "0.0", "0.00", "0.000"  fixed decimals;
//   "#0.000"                     '#' is an optional digit, '0' a required one;
//   "0000"                       at least four integer digits;
//   ",0.00" / "#,##0.00"         a ',' in the integer part groups thousands.
// The decimal point and thousands separator are the locale's. Rounds to the
// nearest; a result that rounds to zero never shows a minus sign.
QString FormataFloat(const QString &formato, double v, const QLocale &local = QLocale());

// The general form: the shortest text of up to 15 significant digits, with
// the locale's decimal point and no thousands separator ("1,20520842200018").
QString NumeroGeral(double v, const QLocale &local = QLocale());

// A number the user typed: the locale's form ("12,5" in Brazilian
// Portuguese), or the dot form the program stores ("12.5"). Thousands
// separators are refused, so "1.205" is never read as 1205. False for an
// empty, malformed or infinite text.
bool LeNumero(const QString &texto, double *valor, const QLocale &local = QLocale());

} // namespace quellora
