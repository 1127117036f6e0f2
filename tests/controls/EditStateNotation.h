#pragma once

// A field's text with its caret or selection written in one string, so that test rows read as
// what the user sees: "3.|14000" has the caret after the separator, "1[23]4" has "23" selected.

#include "LocaleSeparators.h"
#include "NumEditRules.h"

#include <QString>

inline TEditState ParseEditState(const QString &notation)
{
    TEditState s;
    int selEnd = -1;
    for (const QChar c : notation) {
        if (c == u'|')
            s.selStart = static_cast<int>(s.text.size());
        else if (c == u'[')
            s.selStart = static_cast<int>(s.text.size());
        else if (c == u']')
            selEnd = static_cast<int>(s.text.size());
        else
            s.text += c;
    }
    if (selEnd >= 0)
        s.selLength = selEnd - s.selStart;
    return s;
}

inline QString EditStateNotation(const TEditState &s)
{
    QString n = s.text;
    if (s.selLength > 0) {
        n.insert(s.selStart + s.selLength, u']');
        n.insert(s.selStart, u'[');
    } else {
        n.insert(s.selStart, u'|');
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
