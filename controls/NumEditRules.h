// SPDX-License-Identifier: MIT
#pragma once

// The editing rules of the numeric field, apart from the widget: each user edit (a typed
// character, Backspace or Delete, the clipboard commands, the regrouping of digits while typing)
// takes a text with its selection to the next one, and says whether the field is to beep. The
// rules keep the text a well-formed number while the user types, so that reading it never fails.

#include "LocaleSeparators.h"
#include "NumberFormat.h"

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <limits>

// A text with its caret and the anchor of its selection: the end that stays put while Shift with
// an arrow moves the caret. Nothing is selected when the two coincide. Positions count the
// characters before them. A rule that acts at "the caret" acts at the start of the selection, as
// a typed character replaces the selection from there.
struct TEditState
{
    QString text;
    int caret = 0;
    int anchor = 0;

    int SelStart() const { return std::min(caret, anchor); }
    int SelLength() const { return std::abs(caret - anchor); }
    bool HasSelection() const { return caret != anchor; }
    QString SelectedText() const { return text.mid(SelStart(), SelLength()); }

    // Moves the caret to position (held within the text) and drops the selection.
    void SetCaret(int position)
    {
        caret = std::clamp(position, 0, static_cast<int>(text.size()));
        anchor = caret;
    }
    // Collapses the selection to its start.
    void Collapse() { SetCaret(SelStart()); }

    friend bool operator==(const TEditState &, const TEditState &) = default;
};

enum class TDeleteKey { Backspace, Delete };

class TNumEditRules
{
public:
    // decimals as the field's Decimals (-1 free, 0 none, 1..14 fixed); maxLength 0 means no limit.
    TNumEditRules(int decimals, TNumberFormat format, int maxLength, const TSeparators &seps);

    // Each edit below returns false when it is refused: the state is then as it was, selection
    // and its direction included, and the field beeps.

    // The keystroke filter, for one character the user typed.
    bool TypeChar(TEditState &state, QChar key) const;
    // Backspace or Delete pressed: the selection goes, or else one character.
    bool PressDeleteKey(TEditState &state, TDeleteKey key) const;
    // The clear command without an owner's handler, and the removal half of cut.
    bool Clear(TEditState &state) const;
    // The text that copy puts on the clipboard: the selection without group separators.
    QString CopyText(const TEditState &state) const;
    // Removes the selection, then feeds the clipboard text, cleaned, through the keystroke filter
    // one character at a time. Returns how many characters were refused (one beep each). A
    // fraction that holds anything but digits, or one that a field without decimals cannot show,
    // refuses the paste whole: one refusal, nothing changed.
    int Paste(TEditState &state, const QString &clipboardText) const;

    // True for the format whose digits are regrouped as keys go up.
    bool Regroups() const { return m_format == TNumberFormat::Thousands; }
    // Regroups the digits in Thousands format when a key is released; enterOrSpace forces the
    // rewrite. Throws EConvertError when the text is no number.
    void Regroup(TEditState &state, bool enterOrSpace) const;

    // The building blocks, unguarded and always carried out.
    void DeleteOneChar(TEditState &state, TDeleteKey key) const;
    void DeleteSelection(TEditState &state) const;

    // A clipboard text made fit to be fed as typed: blanks around it dropped; of "." and "," the
    // one that occurs last is the decimal mark when both occur, a mark that occurs more than once
    // is a group mark; group marks (and the locale's own group separator) dropped; the decimal
    // mark written as the locale's decimal separator.
    static QString CleanPastedText(const QString &text, const TSeparators &seps);

    // The largest exponent magnitude a user may type: that of the extended type's largest value
    // (4932 for an 80-bit or 128-bit long double, 308 where it is double).
    static constexpr int MaxExponent = std::numeric_limits<Extended>::max_exponent10;

private:
    enum class TOutcome { Accepted, Refused };
    struct TTyping;

    // The index of the character that Backspace or Delete at caret takes, -1 when there is none.
    int CharToDelete(const QString &text, int caret, TDeleteKey key) const;
    TOutcome FilterChar(TEditState &state, QChar key) const;
    static TOutcome ToggleSign(TEditState &state, const TTyping &at);
    TOutcome TypeDecimalSeparator(TEditState &state, const TTyping &at) const;
    TOutcome TypeExponentLetter(TEditState &state, const TTyping &at) const;
    TOutcome TypeDigit(TEditState &state, QChar key, const TTyping &at) const;
    TOutcome TypeExponentDigit(TEditState &state, QChar key, const TTyping &at) const;
    TOutcome TypeMantissaDigit(TEditState &state, QChar key, const TTyping &at) const;
    // Inserts at the caret as the underlying edit does: refused when MaxLength is reached.
    TOutcome Insert(TEditState &state, int caret, QChar key) const;
    // Puts the key in place of the character at index, which MaxLength never blocks.
    static void Overwrite(TEditState &state, int index, QChar key);
    // Takes the proposed state of an accepted edit unless it leaves a text that reads as no
    // number where there was one.
    bool Guard(TEditState &state, const TEditState &proposed, TOutcome outcome) const;
    bool ReadsAsNumber(const QString &text) const;
    bool IsSeparatorOrLetter(QChar c) const;

    int m_decimals;
    TNumberFormat m_format;
    int m_maxLength;
    TSeparators m_seps;
};
