// SPDX-License-Identifier: MIT
#pragma once

// How the numeric field writes a number as text and reads it back. Pure functions over the
// extended type and the locale's two separators, so that every keystroke can afford them and
// tests can reach them without a widget.

#include "Extended.h"
#include "LocaleSeparators.h"

#include <QObject>
#include <QString>

#include <stdexcept>

// The four formats with their meta-object, so that Qt Designer, uic and QObject::setProperty reach
// them by name. A form writes them as Qt Designer does, "NumberFormats::Thousands"; code may also
// write "TNumberFormat::Thousands".
namespace NumberFormats {
Q_NAMESPACE

enum TNumberFormat { Standard = 0, Thousands = 1, Scientific = 2, Engineering = 3 };
Q_ENUM_NS(TNumberFormat)

} // namespace NumberFormats

using NumberFormats::TNumberFormat;

// A text that is not a number; the message is the one the user sees.
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Most fraction digits a field shows; also the cap of the free format.
inline constexpr int MaxDecimals = 14;

// x as the numeric field shows it: decimals -1 (free, up to 14, trailing zeros dropped), 0 (none)
// or 1..14 (fixed), rounded half away from zero on the 18-digit decimal expansion of x, never more
// than 15 significant digits in a fixed fraction. A NaN throws arith::EInvalidOp and an infinity
// arith::EOverflow: no text can stand for them.
QString FormatValue(Extended x, int decimals, TNumberFormat format, const TSeparators &seps);

// The text with every group separator removed; "" becomes "0" and "-" becomes "-0".
QString PlainText(const QString &text, const TSeparators &seps);

// Reads a plain text: optional blanks, sign, digits with at most one decimal separator (at least
// a digit or the separator), an optional exponent ("E" or "e", sign, digits; "12.5E" reads 12.5,
// reading stops once the exponent reaches 500), optional blanks. False when the text is no number
// or overflows the extended range; value is then untouched.
bool TryParseValue(const QString &plainText, const TSeparators &seps, Extended &value);

// PlainText, then TryParseValue; throws EConvertError("'<plain text>' is not a valid floating
// point value") when the text is no number.
Extended StrToValue(const QString &text, const TSeparators &seps);

// Rewrites a text written with the separators `from` into the separators `to`, both exchanged in
// one pass so that swapped separators come out right.
QString RelocaliseText(const QString &text, const TSeparators &from, const TSeparators &to);
