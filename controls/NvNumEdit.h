// SPDX-License-Identifier: MIT
#pragma once

// The single-line field through which every number of the program is typed or shown. It holds one
// extended-precision number in its text, formats it by its own rules (fixed decimals, grouping,
// scientific or engineering notation, the locale's separators), reformats and range-checks it
// when the user leaves it, and follows a change of the locale's separators. Every user edit
// passes its editing rules (NumEditRules.h), so that the text stays a number as the user types.

#include "LocaleSeparators.h"
#include "NumEditInput.h"
#include "NumberFormat.h"
#include "NvEditBase.h"

#include <functional>

class TNvNumEdit : public TNvEditBase, private TNumEditHost
{
    Q_OBJECT
    // A form compiled by uic calls the setters named after the properties, in the order it lists
    // them (Decimals and NumberFormat before Value, so that the number is shown already formatted).
    // Writes through the property system go through guarded writers instead, since a failure may
    // not unwind through Qt.
    Q_PROPERTY(int Decimals READ Decimals WRITE WriteDecimalsProperty)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(double MaxValue READ MaxValueProperty WRITE setMaxValue)
    Q_PROPERTY(double MinValue READ MinValueProperty WRITE setMinValue)
    Q_PROPERTY(
        NumberFormats::TNumberFormat NumberFormat READ NumberFormat WRITE WriteNumberFormatProperty)
    Q_PROPERTY(double Value READ ValueProperty WRITE WriteValueProperty)

public:
    using TNotify = std::function<void(TNvNumEdit *sender)>;

    explicit TNvNumEdit(QWidget *parent = nullptr);
    ~TNvNumEdit() override;

    // The number in the text; throws EConvertError when the text is no number.
    Extended Value() const;
    // Formats x into the text, which changes (and notifies) only when the formatted text differs.
    // No range check. A NaN throws arith::EInvalidOp and an infinity arith::EOverflow, and the text
    // stays as it was: no text stands for them.
    void setValue(Extended x);

    Extended MinValue() const { return m_minValue; }
    void setMinValue(Extended x);
    Extended MaxValue() const { return m_maxValue; }
    void setMaxValue(Extended x);

    int Decimals() const { return m_decimals; }
    void setDecimals(int d);
    TNumberFormat NumberFormat() const { return m_format; }
    void setNumberFormat(TNumberFormat f);

    // Most characters the user may type; 0 means no limit. Text written by the program is never
    // cut by it.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int n);

    // Empty handlers mean the field's own handling.
    void setOnInvalidEntry(TNotify handler) { m_onInvalidEntry = std::move(handler); }
    void setOnClear(TNotify handler) { m_onClear = std::move(handler); }

    // The reaction to a value outside the limits on leaving: the owner's OnInvalidEntry if set,
    // else the value is clamped to the limit, a beep sounds and the focus comes back.
    void HandleInvalidEntry();

    // The text with its caret and the anchor of its selection, as the editing rules take them.
    TEditState EditState() const { return ReadEditState(*this); }

    // The separators with which the current text was written.
    TSeparators StoredSeparators() const { return m_storedSeparators; }

    // The field's own clipboard commands: copy leaves the group separators out, paste feeds the
    // clipboard text through the keystroke filter, clear is the owner's OnClear if set. A
    // read-only field does nothing but copy.
    void Cut() { m_input.Cut(); }
    void Copy() { m_input.Copy(); }
    void Paste() { m_input.Paste(); }
    void Clear() { m_input.Clear(); }
    // One character before (Qt::Key_Backspace) or after (Qt::Key_Delete) the caret, and the
    // selection, under the rules of the Backspace and Delete keys.
    void DeleteOneChar(Qt::Key key);
    void DeleteSelection() { m_input.DeleteSelection(); }

Q_SIGNALS:
    void Change(); // whenever the text changes
    void Exit();   // on leaving, after reformatting, when the value is within the limits

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void changeEvent(QEvent *event) override;

    // Replaces the whole text (caret at the start, nothing selected) with a text written with the
    // given separators; notifies only when the text differs.
    void ReplaceText(const QString &text, const TSeparators &seps);
    // Exchanges the separators the text was written with for the locale's current ones.
    void RelocaliseText() override;

private:
    TNumEditRules Rules() const override;
    bool ClearByOwner() override;

    // Property access never throws: a text that is no number reads as NaN, and a failed write
    // ends in the error box with the text unchanged.
    double ValueProperty() const;
    void WriteValueProperty(double x);
    void WriteDecimalsProperty(int d);
    void WriteNumberFormatProperty(TNumberFormat f);
    double MinValueProperty() const { return static_cast<double>(m_minValue); }
    double MaxValueProperty() const { return static_cast<double>(m_maxValue); }
    void LeaveField();
    bool CanFocus() const;

    TSeparators m_storedSeparators;
    Extended m_minValue = 0;
    Extended m_maxValue = 0;
    int m_decimals = -1;
    int m_maxLength = 0;
    TNumberFormat m_format = TNumberFormat::Standard;
    TNotify m_onInvalidEntry;
    TNotify m_onClear;
    TNumEditInput m_input{this, this};
};
