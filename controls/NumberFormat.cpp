// SPDX-License-Identifier: MIT
#include "NumberFormat.h"

#include "DecimalText.h"
#include "arith.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

// Number of significant digits in which the extended type is written out before any rounding for
// display; rounding happens on these decimal digits, never in binary.
constexpr int ExpansionDigits = 18;
// A fixed fraction never shows more significant digits than this.
constexpr int MaxShownDigits = 15;

// |x| = d1.d2...d18 x 10^exponent (all digits '0' and exponent 0 for zero).
struct TExpansion
{
    char digits[ExpansionDigits];
    int exponent = 0;
};

TExpansion Expand(Extended magnitude)
{
    const std::string text = decimal::Scientific(magnitude, ExpansionDigits - 1);
    TExpansion e;
    int n = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] >= '0' && text[i] <= '9' && n < ExpansionDigits)
            e.digits[n++] = text[i];
    }
    std::fill(e.digits + n, e.digits + ExpansionDigits, '0');
    e.exponent = i < text.size() ? std::atoi(text.c_str() + i + 1) : 0;
    return e;
}

// Adds one unit in the last place of a digit string; false when it carried out of the first digit
// (the string is then all zeros and the caller prepends the 1).
bool Increment(std::string &s)
{
    for (auto it = s.rbegin(); it != s.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

// The digits of |x| x 10^frac rounded half away from zero to an integer, without leading zeros
// ("" for zero).
std::string ScaledDigits(const TExpansion &e, int frac)
{
    const int keep = e.exponent + 1 + frac;
    std::string s;
    if (keep <= 0) {
        if (keep == 0 && e.digits[0] >= '5')
            s = "1";
        return s;
    }
    if (keep >= ExpansionDigits) {
        s.assign(e.digits, ExpansionDigits);
        s.append(keep - ExpansionDigits, '0');
    } else {
        s.assign(e.digits, keep);
        if (e.digits[keep] >= '5' && !Increment(s))
            s.insert(s.begin(), '1');
    }
    const auto firstNonZero = s.find_first_not_of('0');
    s.erase(0, firstNonZero == std::string::npos ? s.size() : firstNonZero);
    return s;
}

struct TFixed
{
    std::string integer;  // at least one digit
    std::string fraction; // exactly the digits asked for, or fewer when trailing zeros were dropped
};

TFixed Fixed(const TExpansion &expansion, int frac, bool dropTrailingZeros)
{
    std::string s = ScaledDigits(expansion, frac);
    if (static_cast<int>(s.size()) < frac + 1)
        s.insert(0, frac + 1 - s.size(), '0');
    TFixed f;
    f.integer = s.substr(0, s.size() - frac);
    f.fraction = s.substr(s.size() - frac);
    if (dropTrailingZeros) {
        const auto last = f.fraction.find_last_not_of('0');
        f.fraction.erase(last == std::string::npos ? 0 : last + 1);
    }
    return f;
}

// Builds the text in ASCII with '.' and ',' standing for the separators, which are put in at the
// end so that the rules above never see the locale.
void AppendInteger(std::string &out, const std::string &digits, bool grouped)
{
    if (!grouped) {
        out += digits;
        return;
    }
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
}

void AppendFixed(std::string &out, const TFixed &f, bool grouped)
{
    AppendInteger(out, f.integer, grouped);
    if (!f.fraction.empty()) {
        out += '.';
        out += f.fraction;
    }
}

void AppendExponent(std::string &out, int exponent)
{
    out += 'E';
    out += std::to_string(exponent);
}

QString Localised(const std::string &ascii, const TSeparators &seps)
{
    QString text(static_cast<qsizetype>(ascii.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : ascii) {
        if (c == '.')
            *out++ = seps.decimal;
        else if (c == ',')
            *out++ = seps.group;
        else
            *out++ = QLatin1Char(c);
    }
    return text;
}

// One integer digit, `frac` fraction digits (trailing zeros dropped for the free format), "E" and
// the exponent.
void AppendScientific(std::string &out, const TExpansion &e, int frac, bool dropTrailingZeros)
{
    const int significant = frac + 1;
    std::string s;
    int exponent = e.exponent;
    if (significant >= ExpansionDigits) {
        s.assign(e.digits, ExpansionDigits);
        s.append(significant - ExpansionDigits, '0');
    } else {
        s.assign(e.digits, significant);
        if (e.digits[significant] >= '5' && !Increment(s)) {
            s.insert(s.begin(), '1');
            s.pop_back();
            ++exponent;
        }
    }
    if (s.find_first_not_of('0') == std::string::npos)
        exponent = 0;
    TFixed f{s.substr(0, 1), s.substr(1)};
    if (dropTrailingZeros) {
        const auto last = f.fraction.find_last_not_of('0');
        f.fraction.erase(last == std::string::npos ? 0 : last + 1);
    }
    AppendFixed(out, f, false);
    AppendExponent(out, exponent);
}

// Powers of a thousand: the mantissa keeps one to three integer digits, fewer fraction digits the
// more integer digits it has.
void AppendEngineering(std::string &out, Extended x, int decimals)
{
    const Extended magnitude = std::fabs(x);
    const int k = static_cast<int>(std::trunc(std::log(magnitude) / std::log(Extended(10)) / 3));
    const int exponent = 3 * k;
    // the power of ten correctly rounded, as its text reads
    Extended scale = 1;
    decimal::Read("1e" + std::to_string(exponent), scale);
    const Extended m = x / scale;
    int cap = MaxDecimals;
    if (m > 9)
        cap = 13;
    if (m > 99)
        cap = 12;
    const int frac = decimals < 0 ? cap : std::min(decimals, cap);
    if (m < 0)
        out += '-';
    AppendFixed(out, Fixed(Expand(std::fabs(m)), frac, decimals < 0), false);
    AppendExponent(out, exponent);
}

} // namespace

QString FormatValue(Extended x, int decimals, TNumberFormat format, const TSeparators &seps)
{
    arith::Checked(x);
    decimals = std::clamp(decimals, -1, MaxDecimals);
    std::string out;
    out.reserve(32);

    if (format == TNumberFormat::Engineering && x != 0) {
        AppendEngineering(out, x, decimals);
        return Localised(out, seps);
    }
    // The sign bit, so that "-0" (what a lone minus reads as) is written back as it was typed.
    if (std::signbit(x))
        out += '-';
    const bool free = decimals < 0;
    const int frac = free ? MaxDecimals : decimals;
    if (format == TNumberFormat::Scientific || format == TNumberFormat::Engineering) {
        AppendScientific(out, Expand(std::fabs(x)), frac, free);
        return Localised(out, seps);
    }

    const bool grouped = format == TNumberFormat::Thousands;
    const TExpansion expansion = Expand(std::fabs(x));
    TFixed f = Fixed(expansion, frac, free);
    if (!f.fraction.empty()) {
        const int integerDigits = static_cast<int>(f.integer.size());
        if (free && grouped) {
            f = Fixed(expansion, std::max(0, MaxShownDigits - integerDigits), true);
        } else if (!free && integerDigits + decimals > MaxShownDigits) {
            const int shown = std::max(0, MaxShownDigits - integerDigits);
            f = Fixed(expansion, shown, false);
            f.fraction.append(decimals - shown, '0');
        }
    }
    AppendFixed(out, f, grouped);
    return Localised(out, seps);
}

QString PlainText(const QString &text, const TSeparators &seps)
{
    QString plain = text;
    plain.remove(seps.group);
    if (plain.isEmpty())
        return QStringLiteral("0");
    if (plain == QLatin1String("-"))
        return QStringLiteral("-0");
    return plain;
}

bool TryParseValue(const QString &plainText, const TSeparators &seps, Extended &value)
{
    const QChar *p = plainText.constData();
    const QChar *const end = p + plainText.size();
    const auto isDigit = [](QChar c) {
        return c >= u'0' && c <= u'9';
    };
    const auto skipBlanks = [&] {
        while (p < end && *p == u' ')
            ++p;
    };

    std::string ascii;
    ascii.reserve(plainText.size() + 8);
    skipBlanks();
    if (p < end && (*p == u'+' || *p == u'-')) {
        if (*p == u'-')
            ascii += '-';
        ++p;
    }
    ascii += '0'; // so that ".5" and "." read as C numbers
    bool mantissa = false;
    for (; p < end && isDigit(*p); ++p, mantissa = true)
        ascii += char(p->unicode());
    if (p < end && *p == seps.decimal) {
        mantissa = true;
        ascii += '.';
        for (++p; p < end && isDigit(*p); ++p)
            ascii += char(p->unicode());
    }
    if (!mantissa)
        return false;
    if (p < end && (*p == u'E' || *p == u'e')) {
        ++p;
        bool negative = false;
        if (p < end && (*p == u'+' || *p == u'-')) {
            negative = *p == u'-';
            ++p;
        }
        int exponent = 0;
        for (; p < end && isDigit(*p) && exponent < 500; ++p)
            exponent = exponent * 10 + (p->unicode() - u'0');
        ascii += negative ? "e-" : "e";
        ascii += std::to_string(exponent);
    }
    skipBlanks();
    if (p != end)
        return false;

    return decimal::Read(ascii, value) == decimal::TReadStatus::Ok;
}

Extended StrToValue(const QString &text, const TSeparators &seps)
{
    const QString plain = PlainText(text, seps);
    Extended value = 0;
    if (!TryParseValue(plain, seps, value)) {
        throw EConvertError(
            QStringLiteral("'%1' is not a valid floating point value").arg(plain).toStdString());
    }
    return value;
}

QString RelocaliseText(const QString &text, const TSeparators &from, const TSeparators &to)
{
    QString result = text;
    for (QChar &c : result) {
        if (c == from.decimal)
            c = to.decimal;
        else if (c == from.group)
            c = to.group;
    }
    return result;
}
