// SPDX-License-Identifier: MIT
#include "NumEditRules.h"

#include <algorithm>

namespace {

constexpr QChar ExponentLetter = u'E';

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// 0-based index of the first c in text, -1 when there is none.
int IndexOf(const QString &text, QChar c)
{
    return static_cast<int>(text.indexOf(c));
}

// Where the fraction of a cleaned paste ends: at the exponent letter (either case) or the end.
qsizetype FractionEnd(const QString &text, qsizetype decimalAt)
{
    qsizetype end = decimalAt + 1;
    while (end < text.size() && text.at(end) != ExponentLetter && text.at(end) != u'e')
        ++end;
    return end;
}

// The magnitude of an exponent text read as an integer (saturated far above any exponent the
// extended type can hold).
long long ExponentMagnitude(const QString &text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    if (i == text.size())
        throw EConvertError(
            QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            throw EConvertError(
                QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
        magnitude = std::min(magnitude * 10 + (text[i].unicode() - u'0'), 1'000'000'000LL);
    }
    return magnitude;
}

} // namespace

TNumEditRules::TNumEditRules(int decimals, TNumberFormat format, int maxLength,
                             const TSeparators &seps)
    : m_decimals(std::clamp(decimals, -1, MaxDecimals))
    , m_format(format)
    , m_maxLength(std::max(0, maxLength))
    , m_seps(seps)
{
}

bool TNumEditRules::TypeChar(TEditState &state, QChar key) const
{
    TEditState proposed = state;
    const TOutcome outcome = FilterChar(proposed, key);
    return Guard(state, proposed, outcome);
}

bool TNumEditRules::PressDeleteKey(TEditState &state, TDeleteKey key) const
{
    TEditState proposed = state;
    if (proposed.HasSelection())
        DeleteSelection(proposed);
    else
        DeleteOneChar(proposed, key);
    return Guard(state, proposed, TOutcome::Accepted);
}

bool TNumEditRules::Clear(TEditState &state) const
{
    TEditState proposed = state;
    DeleteSelection(proposed);
    return Guard(state, proposed, TOutcome::Accepted);
}

QString TNumEditRules::CopyText(const TEditState &state) const
{
    return PlainText(state.SelectedText(), m_seps);
}

int TNumEditRules::Paste(TEditState &state, const QString &clipboardText) const
{
    QString pasted = CleanPastedText(clipboardText, m_seps);
    const qsizetype decimalAt = pasted.indexOf(m_seps.decimal);
    if (decimalAt >= 0) {
        // Fed one by one, a fraction's stray characters would be refused while its digits land,
        // and a field without fraction digits refuses the separator, so that the digits would
        // join the integer part (1234.5 pasted becoming 12345). Such a paste is refused whole.
        const qsizetype end = FractionEnd(pasted, decimalAt);
        const QStringView fraction = QStringView(pasted).sliced(decimalAt + 1, end - decimalAt - 1);
        if (!std::all_of(fraction.cbegin(), fraction.cend(), IsDigit))
            return 1;
        if (m_decimals == 0) {
            if (!std::all_of(fraction.cbegin(), fraction.cend(), [](QChar c) { return c == u'0'; }))
                return 1;
            pasted.remove(decimalAt, end - decimalAt);
        }
    }
    TEditState s = state;
    if (!Clear(s))
        return 1;
    int refused = 0;
    for (const QChar c : std::as_const(pasted)) {
        if (!TypeChar(s, c))
            ++refused;
    }
    state = s;
    return refused;
}

QString TNumEditRules::CleanPastedText(const QString &text, const TSeparators &seps)
{
    const QString trimmed = text.trimmed();
    const qsizetype dots = trimmed.count(u'.');
    const qsizetype commas = trimmed.count(u',');
    QChar decimalMark;
    if (dots > 0 && commas > 0)
        decimalMark = trimmed.lastIndexOf(u'.') > trimmed.lastIndexOf(u',') ? u'.' : u',';
    else if (dots > 0)
        decimalMark = u'.';
    else if (commas > 0)
        decimalMark = u',';
    // A mark that occurs more than once groups digits, whichever came last.
    if (trimmed.count(decimalMark) > 1)
        decimalMark = QChar();

    const bool groupIsMark = seps.group == u'.' || seps.group == u',';
    QString clean;
    clean.reserve(trimmed.size());
    for (const QChar c : trimmed) {
        if (c == u'.' || c == u',') {
            if (!decimalMark.isNull() && c == decimalMark)
                clean += seps.decimal;
        } else if (groupIsMark || c != seps.group || c == seps.decimal) {
            clean += c;
        }
    }
    return clean;
}

void TNumEditRules::Regroup(TEditState &state, bool enterOrSpace) const
{
    if (!Regroups() || state.HasSelection())
        return;
    const QChar group = m_seps.group;
    const bool hadDecimal = state.text.contains(m_seps.decimal);
    const QString grouped
        = FormatValue(StrToValue(state.text, m_seps), m_decimals, m_format, m_seps);
    const int groupsNew = static_cast<int>(grouped.count(group));
    const int groupsOld = static_cast<int>(state.text.count(group));
    if (groupsNew == groupsOld && grouped.indexOf(group) == state.text.indexOf(group)
        && !enterOrSpace)
        return;

    int caret = state.caret + groupsNew - groupsOld;
    const bool hasDecimal = grouped.contains(m_seps.decimal);
    if (hasDecimal && !hadDecimal)
        ++caret;
    else if (hadDecimal && !hasDecimal)
        --caret;
    state.text = grouped;
    state.SetCaret(caret);
    if (state.caret < grouped.size() && grouped[state.caret] == group)
        state.SetCaret(state.caret + 1);
}

int TNumEditRules::CharToDelete(const QString &text, int caret, TDeleteKey key) const
{
    // The exponent letter and the separators are never deleted; the digit beyond them is. Where
    // two of them stand together (a group separator left beside the decimal separator, "12.E5"),
    // all of them are passed over.
    const int length = static_cast<int>(text.size());
    int at = 0;
    if (key == TDeleteKey::Delete) {
        at = caret;
        while (at < length && IsSeparatorOrLetter(text[at]))
            ++at;
    } else {
        at = caret - 1;
        while (at >= 0 && IsSeparatorOrLetter(text[at]))
            --at;
    }
    return at >= 0 && at < length ? at : -1;
}

void TNumEditRules::DeleteOneChar(TEditState &state, TDeleteKey key) const
{
    state.Collapse();
    const int at = CharToDelete(state.text, state.caret, key);
    if (at < 0)
        return;
    QString &t = state.text;
    const int length = static_cast<int>(t.size());
    const int decimalAt = IndexOf(t, m_seps.decimal);
    // Where the mantissa ends: at the exponent letter, or the end of the text.
    const int mantissaEnd = t.contains(ExponentLetter) ? IndexOf(t, ExponentLetter) : length;
    const bool negative = t.startsWith(u'-');

    if (decimalAt >= 0 && decimalAt < at && at < mantissaEnd) {
        // A fraction digit: the following ones shift left, and a fixed fraction keeps its length.
        t.remove(at, 1);
        if (m_decimals > 0)
            t.insert(mantissaEnd - 1, u'0');
        state.SetCaret(at);
    } else if (at == 0 && negative) {
        t.remove(0, 1);
        if (t.isEmpty())
            t = QStringLiteral("0");
        state.SetCaret(0);
    } else if (at == 0 && (length == 1 || t[1] == m_seps.decimal || t[1] == ExponentLetter)) {
        // The only integer digit leaves a zero.
        t[0] = u'0';
        state.SetCaret(1);
    } else if (at == 1 && negative && length > 2 && t[2] == ExponentLetter) {
        // The only digit of a signed mantissa: "-E3" would read as no number.
        t[1] = u'0';
        state.SetCaret(2);
    } else {
        t.remove(at, 1);
        state.SetCaret(at);
        if ((m_format == TNumberFormat::Scientific || m_format == TNumberFormat::Engineering)
            && t.endsWith(ExponentLetter))
            t.append(u'0');
    }
}

void TNumEditRules::DeleteSelection(TEditState &state) const
{
    if (!state.HasSelection())
        return;
    if (state.SelStart() == 0 && state.SelLength() >= state.text.size()) {
        state.text = FormatValue(0, m_decimals, m_format, m_seps);
        state.SetCaret(0);
        return;
    }
    // One Backspace for each character that Backspace can delete. The separators and the exponent
    // letter are not among them: counting them would delete as many digits outside the selection.
    const QString selected = state.SelectedText();
    const auto n = std::count_if(selected.cbegin(), selected.cend(),
                                 [this](QChar c) { return !IsSeparatorOrLetter(c); });
    state.SetCaret(state.SelStart() + state.SelLength());
    for (qsizetype k = 0; k < n; ++k)
        DeleteOneChar(state, TDeleteKey::Backspace);
}

// What the rule of a typed character reads. The caret and the places of the decimal separator and
// of the exponent letter (-1 where there is none) are taken before the selection goes, and keep
// those values after; the rest is read once it has gone.
struct TNumEditRules::TTyping
{
    int caretBefore = 0;
    int decimalAt = -1;
    int letterAt = -1;
    // Where a character goes: nothing is typed before the mantissa's sign, and a digit typed right
    // after the exponent letter goes behind the exponent's sign.
    int caret = 0;
    bool negative = false;
    bool negativeExponent = false;
};

TNumEditRules::TOutcome TNumEditRules::FilterChar(TEditState &s, QChar key) const
{
    const char16_t code = key.unicode();
    // Ctrl+C, Ctrl+V and Ctrl+X: the field runs them as its clipboard commands.
    if (code == 3 || code == 22 || code == 24)
        return TOutcome::Accepted;
    // The character of a Backspace keystroke; the key itself was handled when it went down.
    if (code == 8)
        return TOutcome::Accepted;
    const QChar ds = m_seps.decimal;
    const bool accepted = IsDigit(key) || key == u'-' || key == u'E' || key == u'e'
                          || (key == ds && m_decimals != 0);
    if (!accepted)
        return TOutcome::Refused;
    if (key == u'e')
        key = ExponentLetter;

    TTyping at;
    at.caretBefore = s.SelStart();
    at.decimalAt = IndexOf(s.text, ds);
    at.letterAt = IndexOf(s.text, ExponentLetter);
    if (key == ExponentLetter || key == ds)
        s.Collapse();
    else
        DeleteSelection(s);
    at.negative = s.text.startsWith(u'-');
    at.negativeExponent = at.letterAt >= 0 && s.text.mid(at.letterAt + 1).contains(u'-');
    at.caret = s.caret;
    if (at.negative && at.caret == 0)
        at.caret = 1;
    if (at.negativeExponent && at.caret == at.letterAt + 1)
        at.caret = at.letterAt + 2;

    if (key == u'-')
        return ToggleSign(s, at);
    if (key == ds)
        return TypeDecimalSeparator(s, at);
    if (key == ExponentLetter)
        return TypeExponentLetter(s, at);
    return TypeDigit(s, key, at);
}

TNumEditRules::TOutcome TNumEditRules::ToggleSign(TEditState &s, const TTyping &at)
{
    // The sign of the part the caret was in: the mantissa up to the exponent letter, else the
    // exponent.
    if (at.letterAt < 0 || at.caretBefore <= at.letterAt) {
        if (!at.negative) {
            s.text.prepend(u'-');
            s.SetCaret(at.caretBefore + 1);
        } else {
            s.text.remove(0, 1);
            // A lone sign toggled off leaves a zero, as when Backspace takes it.
            if (s.text.isEmpty())
                s.text = QStringLiteral("0");
            s.SetCaret(at.caretBefore - 1);
        }
        return TOutcome::Accepted;
    }
    const int letterAt = IndexOf(s.text, ExponentLetter);
    if (letterAt < 0)
        return TOutcome::Refused;
    if (!at.negativeExponent) {
        s.text.insert(letterAt + 1, u'-');
        s.SetCaret(at.caretBefore + 1);
    } else {
        s.text.remove(letterAt + 1, 1);
        s.SetCaret(at.caretBefore - 1);
    }
    return TOutcome::Accepted;
}

TNumEditRules::TOutcome TNumEditRules::TypeDecimalSeparator(TEditState &s, const TTyping &at) const
{
    // One separator: typing it again moves the caret behind it.
    if (at.decimalAt >= 0) {
        s.SetCaret(at.decimalAt + 1);
        return TOutcome::Accepted;
    }
    // A fixed fraction takes it where the caret is; a free one at the end of the mantissa.
    int caret = at.caret;
    if (m_decimals < 0)
        caret = at.letterAt >= 0 ? at.letterAt : static_cast<int>(s.text.size());
    return Insert(s, caret, m_seps.decimal);
}

TNumEditRules::TOutcome TNumEditRules::TypeExponentLetter(TEditState &s, const TTyping &at) const
{
    // One letter, always at the end: typing it again moves the caret behind it.
    if (at.letterAt >= 0) {
        s.SetCaret(at.letterAt + 1);
        return TOutcome::Accepted;
    }
    return Insert(s, static_cast<int>(s.text.size()), ExponentLetter);
}

TNumEditRules::TOutcome TNumEditRules::TypeDigit(TEditState &s, QChar key, const TTyping &at) const
{
    const QString &t = s.text;
    const int length = static_cast<int>(t.size());
    // A lone leading zero is replaced by the digit rather than written before or after it.
    if (at.caret <= 2 && at.negative && length >= 2 && t[1] == u'0') {
        Overwrite(s, 1, key);
        return TOutcome::Accepted;
    }
    if (at.caret <= 1 && length >= 1 && t[0] == u'0') {
        Overwrite(s, 0, key);
        return TOutcome::Accepted;
    }
    if (at.letterAt >= 0 && at.caret > at.letterAt)
        return TypeExponentDigit(s, key, at);
    return TypeMantissaDigit(s, key, at);
}

TNumEditRules::TOutcome TNumEditRules::TypeExponentDigit(TEditState &s, QChar key,
                                                         const TTyping &at) const
{
    const QString &t = s.text;
    const int exponentAt = at.letterAt + 1;
    // The exponent's lone leading zero is replaced, the result held to the same limit as a digit
    // inserted into it.
    if (at.caret == exponentAt && exponentAt < t.size() && t[exponentAt] == u'0') {
        if (ExponentMagnitude(key + t.mid(exponentAt + 1)) > MaxExponent)
            return TOutcome::Refused;
        Overwrite(s, exponentAt, key);
        return TOutcome::Accepted;
    }
    const QString exponent = t.mid(exponentAt, at.caret - exponentAt) + key + t.mid(at.caret);
    if (ExponentMagnitude(exponent) > MaxExponent)
        return TOutcome::Refused;
    return Insert(s, at.caret, key);
}

TNumEditRules::TOutcome TNumEditRules::TypeMantissaDigit(TEditState &s, QChar key,
                                                         const TTyping &at) const
{
    if (m_decimals <= 0 || at.decimalAt < 0 || at.caret <= at.decimalAt)
        return Insert(s, at.caret, key);
    // A fixed fraction is overwritten digit by digit and full at its end.
    const int fractionAt = at.decimalAt + 1;
    if (at.caret == fractionAt + m_decimals)
        return TOutcome::Refused;
    // In a fraction shorter than Decimals (an engineering mantissa shows fewer), its end is full
    // as well: the digit would otherwise overwrite the exponent letter.
    if (at.caret >= s.text.size() || !IsDigit(s.text[at.caret]))
        return TOutcome::Refused;
    Overwrite(s, at.caret, key);
    return TOutcome::Accepted;
}

TNumEditRules::TOutcome TNumEditRules::Insert(TEditState &state, int caret, QChar key) const
{
    if (m_maxLength > 0 && state.text.size() >= m_maxLength)
        return TOutcome::Refused;
    caret = std::clamp(caret, 0, static_cast<int>(state.text.size()));
    state.text.insert(caret, key);
    state.SetCaret(caret + 1);
    return TOutcome::Accepted;
}

void TNumEditRules::Overwrite(TEditState &state, int index, QChar key)
{
    state.text[index] = key;
    state.SetCaret(index + 1);
}

bool TNumEditRules::Guard(TEditState &state, const TEditState &proposed, TOutcome outcome) const
{
    if (outcome == TOutcome::Refused)
        return false;
    // The rules alone let some edits through whose result is no number: a mantissa pushed past
    // the extended range by a large exponent ("9E4932" for an 80-bit long double), an exponent
    // letter after a lone sign.
    if (proposed.text != state.text && !ReadsAsNumber(proposed.text) && ReadsAsNumber(state.text))
        return false;
    state = proposed;
    return true;
}

bool TNumEditRules::ReadsAsNumber(const QString &text) const
{
    // The field reads an empty text as 0, but the user never leaves it empty.
    if (text.isEmpty())
        return false;
    Extended value = 0;
    return TryParseValue(PlainText(text, m_seps), m_seps, value);
}

bool TNumEditRules::IsSeparatorOrLetter(QChar c) const
{
    return c == ExponentLetter || c == m_seps.decimal || c == m_seps.group;
}
