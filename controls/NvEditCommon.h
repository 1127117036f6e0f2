#pragma once

// What the numeric field and the text field share beyond QLineEdit: a background colour for the
// enabled and one for the disabled state (optionally the parent's), the selection of the whole
// text on entry (also after the click that gave the focus), and knowing whether the form that
// holds the field is still being built.

#include <QColor>
#include <QString>

class QEvent;
class QFocusEvent;
class QLineEdit;
class QMouseEvent;

class TNvEditCommon
{
public:
    explicit TNvEditCommon(QLineEdit *edit);

    static QString Version() { return QStringLiteral("8.50.00.00"); }

    QColor Color() const { return m_color; }
    void SetColor(const QColor &c);
    QColor DisabledColor() const { return m_disabledColor; }
    void SetDisabledColor(const QColor &c);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool b);
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool b) { m_autoSelect = b; }

    // True until the field is first shown: its form is still setting its designed properties.
    bool Loading() const { return m_loading; }

    // Hooks called by the field's event handlers, after (or around) QLineEdit's own.
    void AfterFocusIn(QFocusEvent *event, int cursorBefore);
    // Clears the entered-by-click flag; true when this press ends the click that gave the focus,
    // so that the whole text is to be selected again once QLineEdit has placed the caret.
    bool BeforeMousePress(QMouseEvent *event);
    void AfterMousePress(bool reselect);
    void KeyPressed() { m_enteredByClick = false; }
    void Shown();
    void Changed(QEvent *event);

private:
    // Shows Color while enabled and DisabledColor while disabled, through the palette's base role.
    void ApplyColour();
    QColor ParentBackground() const;

    QLineEdit *m_edit;
    QColor m_color;
    QColor m_disabledColor;
    bool m_parentColor = false;
    bool m_autoSelect = true;
    bool m_enteredByClick = false;
    bool m_loading = true;
    bool m_applying = false;
};
