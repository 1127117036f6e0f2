#include "NumEditRules.h"

#include <algorithm>

namespace {

constexpr QChar ExponentLetter = u'E';

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Drops a fraction of zeros from a cleaned paste (up to the exponent letter or the end); false when
// the fraction holds another digit.
bool DropZeroFraction(QString &text, QChar decimal)
{
    const qsizetype dp = text.indexOf(decimal);
    if (dp < 0)
        return true;
    qsizetype end = dp + 1;
    while (end < text.size() && text.at(end) != ExponentLetter && text.at(end) != u'e') {
        if (IsDigit(text.at(end)) && text.at(end) != u'0')
            return false;
        ++end;
    }
    text.remove(dp, end - dp);
    return true;
}

// 1-based position of the first c in text, 0 when there is none.
int PositionOf(const QString &text, QChar c)
{
    return static_cast<int>(text.indexOf(c)) + 1;
}

void SetCaret(TEditState &state, int caret)
{
    state.selStart = std::clamp(caret, 0, static_cast<int>(state.text.size()));
    state.selLength = 0;
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
    // A field without fraction digits refuses the separator, so the fraction's digits would join
    // the integer part (1234.5 pasted becoming 12345): such a paste is refused whole.
    if (m_decimals == 0 && !DropZeroFraction(pasted, m_seps.decimal))
        return 1;
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
    if (m_format != TNumberFormat::Thousands || state.HasSelection())
        return;
    const QChar group = m_seps.group;
    const int dp = PositionOf(state.text, m_seps.decimal);
    const int caret = state.Caret();
    const QString grouped
        = FormatValue(StrToValue(state.text, m_seps), m_decimals, m_format, m_seps);
    const int groupsNew = static_cast<int>(grouped.count(group));
    const int groupsOld = static_cast<int>(state.text.count(group));
    if (groupsNew == groupsOld && grouped.indexOf(group) == state.text.indexOf(group)
        && !enterOrSpace)
        return;

    state.text = grouped;
    int newCaret = caret + groupsNew - groupsOld;
    const bool hasDecimal = grouped.contains(m_seps.decimal);
    if (hasDecimal && dp == 0)
        ++newCaret;
    else if (dp != 0 && !hasDecimal)
        --newCaret;
    SetCaret(state, newCaret);
    if (state.selStart < grouped.size() && grouped[state.selStart] == group)
        SetCaret(state, state.selStart + 1);
}

void TNumEditRules::DeleteOneChar(TEditState &state, TDeleteKey key) const
{
    QString &t = state.text;
    const int length = static_cast<int>(t.size());
    const int dp = PositionOf(t, m_seps.decimal);
    int ep = PositionOf(t, ExponentLetter);
    if (ep == 0)
        ep = length + 1;
    const int caret = state.Caret();
    state.selLength = 0;

    // The exponent letter and the separators are never deleted; the digit beyond them is. Where
    // two of them stand together (a group separator left beside the decimal separator, "12.E5"),
    // all of them are passed over.
    int i = 0;
    if (key == TDeleteKey::Delete) {
        i = caret + 1;
        if (i > length)
            return;
        while (i <= length && IsSeparatorOrLetter(t[i - 1]))
            ++i;
    } else {
        i = caret;
        if (i == 0)
            return;
        while (i > 0 && IsSeparatorOrLetter(t[i - 1]))
            --i;
    }
    const bool neg = t.startsWith(u'-');
    if (i == 0 || i > length)
        return;

    if (dp != 0 && dp < i && i < ep) {
        // A fraction digit: the following ones shift left, and a fixed fraction keeps its length.
        t.remove(i - 1, 1);
        if (m_decimals > 0)
            t.insert(ep - 2, u'0');
        SetCaret(state, i - 1);
    } else if (i == 1 && neg) {
        t.remove(0, 1);
        if (t.isEmpty())
            t = QStringLiteral("0");
        SetCaret(state, 0);
    } else if (i == 1 && (length == 1 || t[1] == m_seps.decimal || t[1] == ExponentLetter)) {
        t[0] = u'0';
        SetCaret(state, 1);
    } else if (i == 2 && neg && length > 2 && t[2] == ExponentLetter) {
        // The only digit of a signed mantissa: "-E3" would read as no number.
        t[1] = u'0';
        SetCaret(state, 2);
    } else {
        t.remove(i - 1, 1);
        SetCaret(state, i - 1);
        if ((m_format == TNumberFormat::Scientific || m_format == TNumberFormat::Engineering)
            && t.endsWith(ExponentLetter))
            t.append(u'0');
    }
}

void TNumEditRules::DeleteSelection(TEditState &state) const
{
    if (!state.HasSelection())
        return;
    if (state.selStart == 0 && state.selLength >= state.text.size()) {
        state.text = FormatValue(0, m_decimals, m_format, m_seps);
        SetCaret(state, 0);
        return;
    }
    // One Backspace for each character that Backspace can delete. The separators and the exponent
    // letter are not among them: counting them would delete as many digits outside the selection.
    const QString selected = state.SelectedText();
    const auto n = std::count_if(selected.cbegin(), selected.cend(),
                                 [this](QChar c) { return !IsSeparatorOrLetter(c); });
    SetCaret(state, state.selStart + state.selLength);
    for (qsizetype k = 0; k < n; ++k)
        DeleteOneChar(state, TDeleteKey::Backspace);
}

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

    const int c0 = s.Caret();
    const int dp = PositionOf(s.text, ds);
    const int ep = PositionOf(s.text, ExponentLetter);
    if (key == u'e')
        key = ExponentLetter;
    if (key == ExponentLetter || key == ds)
        s.selLength = 0;
    else
        DeleteSelection(s);

    const bool neg = s.text.startsWith(u'-');
    const bool expneg = ep != 0 && s.text.mid(ep).contains(u'-');
    int caret = s.Caret();
    // Nothing is typed before a sign.
    if (neg && caret == 0)
        caret = 1;
    if (expneg && caret == ep)
        caret = ep + 1;

    if (key == u'-') {
        if (ep == 0 || ep > c0) {
            if (!neg) {
                s.text.prepend(u'-');
                SetCaret(s, c0 + 1);
            } else {
                s.text.remove(0, 1);
                // A lone sign toggled off leaves a zero, as when Backspace takes it.
                if (s.text.isEmpty())
                    s.text = QStringLiteral("0");
                SetCaret(s, c0 - 1);
            }
        } else {
            const int letter = static_cast<int>(s.text.indexOf(ExponentLetter));
            if (letter < 0)
                return TOutcome::Refused;
            if (!expneg) {
                s.text.insert(letter + 1, u'-');
                SetCaret(s, c0 + 1);
            } else {
                s.text.remove(letter + 1, 1);
                SetCaret(s, c0 - 1);
            }
        }
        return TOutcome::Accepted;
    }

    if (key == ds) {
        if (dp != 0) {
            SetCaret(s, dp);
            return TOutcome::Accepted;
        }
        if (m_decimals < 0)
            caret = ep != 0 ? ep - 1 : static_cast<int>(s.text.size());
        return Insert(s, caret, ds);
    }

    if (key == ExponentLetter) {
        if (ep != 0) {
            SetCaret(s, ep);
            return TOutcome::Accepted;
        }
        return Insert(s, static_cast<int>(s.text.size()), ExponentLetter);
    }

    return TypeDigit(s, key, caret, dp, ep, neg);
}

TNumEditRules::TOutcome TNumEditRules::TypeDigit(TEditState &s, QChar key, int caret, int dp,
                                                 int ep, bool neg) const
{
    const QString &t = s.text;
    const int length = static_cast<int>(t.size());
    // A lone leading zero is replaced by the digit rather than written before or after it.
    if (caret <= 2 && neg && length >= 2 && t[1] == u'0') {
        Overwrite(s, 1, key);
        return TOutcome::Accepted;
    }
    if (caret <= 1 && length >= 1 && t[0] == u'0') {
        Overwrite(s, 0, key);
        return TOutcome::Accepted;
    }
    if (ep != 0 && caret == ep && length > ep && t[ep] == u'0') {
        // The exponent that results is held to the same limit as a digit inserted into it.
        if (ExponentMagnitude(key + t.mid(ep + 1)) > MaxExponent)
            return TOutcome::Refused;
        Overwrite(s, ep, key);
        return TOutcome::Accepted;
    }
    if (ep != 0 && caret >= ep) {
        const QString exponent = t.mid(ep, caret - ep) + key + t.mid(caret);
        if (ExponentMagnitude(exponent) > MaxExponent)
            return TOutcome::Refused;
        return Insert(s, caret, key);
    }
    if (m_decimals <= 0 || dp == 0)
        return Insert(s, caret, key);
    if (caret == dp + m_decimals)
        return TOutcome::Refused;
    if (caret >= dp) {
        // In a fraction shorter than Decimals (an engineering mantissa shows fewer), its end is
        // full as well: the digit would otherwise overwrite the exponent letter.
        if (caret >= length || !IsDigit(t[caret]))
            return TOutcome::Refused;
        Overwrite(s, caret, key);
        return TOutcome::Accepted;
    }
    return Insert(s, caret, key);
}

TNumEditRules::TOutcome TNumEditRules::Insert(TEditState &state, int caret, QChar key) const
{
    if (m_maxLength > 0 && state.text.size() >= m_maxLength)
        return TOutcome::Refused;
    caret = std::clamp(caret, 0, static_cast<int>(state.text.size()));
    state.text.insert(caret, key);
    SetCaret(state, caret + 1);
    return TOutcome::Accepted;
}

void TNumEditRules::Overwrite(TEditState &state, int index, QChar key)
{
    state.text[index] = key;
    SetCaret(state, index + 1);
}

bool TNumEditRules::Guard(TEditState &state, const TEditState &proposed, TOutcome outcome) const
{
    if (outcome == TOutcome::Refused)
        return false;
    // The rules alone let some edits through whose result is no number: a mantissa pushed past
    // the extended range by a large exponent ("9E4932"), an exponent letter after a lone sign.
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
    long double value = 0;
    return TryParseValue(PlainText(text, m_seps), m_seps, value);
}

bool TNumEditRules::IsSeparatorOrLetter(QChar c) const
{
    return c == ExponentLetter || c == m_seps.decimal || c == m_seps.group;
}
