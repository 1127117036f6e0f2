// SPDX-License-Identifier: MIT
#pragma once

// A field's text with its caret or selection written in one string, so that test rows read as
// what the user sees: "3.|14000" has the caret after the separator, "1[23]4" has "23" selected
// with the caret at its right end, "1[|23]4" the same selection made leftwards (caret at its left
// end).

#include "LocaleSeparators.h"
#include "NumEditRules.h"

#include <QString>

inline TEditState ParseEditState(const QString &notation)
{
    TEditState s;
    int bar = -1;
    int open = -1;
    int close = -1;
    for (const QChar c : notation) {
        const int at = static_cast<int>(s.text.size());
        if (c == u'|')
            bar = at;
        else if (c == u'[')
            open = at;
        else if (c == u']')
            close = at;
        else
            s.text += c;
    }
    if (open >= 0 && close > open) {
        const bool leftwards = bar == open;
        s.caret = leftwards ? open : close;
        s.anchor = leftwards ? close : open;
    } else {
        s.SetCaret(std::max(bar, 0));
    }
    return s;
}

inline QString EditStateNotation(const TEditState &s)
{
    QString n = s.text;
    if (s.HasSelection()) {
        n.insert(s.SelStart() + s.SelLength(), u']');
        n.insert(s.SelStart(), s.caret < s.anchor ? QStringLiteral("[|") : QStringLiteral("["));
    } else {
        n.insert(s.caret, u'|');
    }
    return n;
}

// The separators of the locales the rows name: English, German, French (a narrow no-break space
// groups) and Swiss (an apostrophe groups).
inline TSeparators SeparatorsOf(const QString &name)
{
    if (name == QLatin1String("de"))
        return {u',', u'.'};
    if (name == QLatin1String("fr"))
        return {u',', QChar(0x202F)};
    if (name == QLatin1String("ch"))
        return {u'.', QChar(0x2019)};
    return {u'.', u','};
}
