#pragma once

// Every way the user's input reaches a numeric field, each sent through the field's editing rules
// or shut: typed keys, Backspace and Delete, the clipboard commands from keys and from the context
// menu, the X11 selection pasted by the middle button, and input-method commits. Undo and redo are
// refused and dropped text is not taken. The outcome is written back into the field, and every
// refusal beeps.

#include "NumEditRules.h"

#include <QClipboard>

class QInputMethodEvent;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class QWidget;
class TNvNumEdit;

class TNumEditInput
{
public:
    explicit TNumEditInput(TNvNumEdit *edit);

    // True when the key was handled here; otherwise QLineEdit may move the caret or the
    // selection, which is all that is left to it.
    bool KeyPress(QKeyEvent *event);
    // Regroups the digits of a Thousands field.
    void KeyRelease(const QKeyEvent *event);
    void InputMethod(QInputMethodEvent *event);
    // True when the release was the middle button's paste of the X11 selection.
    bool MouseRelease(const QMouseEvent *event);
    // Cut, copy, paste, delete and select all, as far as they apply.
    QMenu *CreateContextMenu(QWidget *parent);

    void Copy();
    void Cut();
    void Paste(QClipboard::Mode mode = QClipboard::Clipboard);
    void Clear();
    void DeleteOneChar(TDeleteKey key);
    void DeleteSelection();

private:
    // The rules with the field's settings and the locale's separators, after the text has been
    // brought to those separators.
    TNumEditRules BeginEdit();
    void Apply(const TEditState &state);
    void TypeText(const QString &text);
    void DeleteKey(TDeleteKey key);

    TNvNumEdit *m_edit;
};
