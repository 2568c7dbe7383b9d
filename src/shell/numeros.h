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

// A whole number the user typed: as LeNumero, and also with the locale's
// thousands separators in their places ("10.000" is ten thousand in
// Brazilian Portuguese). False for a number with a fraction.
bool LeNumeroInteiro(const QString &texto, double *valor, const QLocale &local = QLocale());

// The locale of the numbers the program shows and reads: the system's, or
// Brazilian Portuguese, the language of the interface, when the system
// names none (C or POSIX).
QLocale LocalDoPrograma(const QLocale &sistema);

// Why a typed number is refused, and the field it was typed in: its name
// and what it asks for ("Vazão", "Informe a vazão em m³/h.").
enum class RecusaNumero { NaoENumero, NaoEInteiro, Negativo, GrandeDemais };
struct TCampoNumero {
    QString Nome;
    QString Pedido;
};
// "Vazão: «abc» não é um número. Informe a vazão em m³/h."
QString MsgNumeroRecusado(const TCampoNumero &campo, const QString &texto, RecusaNumero porque);

} // namespace quellora
