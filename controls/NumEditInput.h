// SPDX-License-Identifier: MIT
#pragma once

// Every way the user's input reaches a numeric field, each sent through the field's editing rules
// or shut: typed keys, Backspace and Delete, the clipboard commands from keys and from the context
// menu, the X11 selection pasted by the middle button, and input-method commits. Undo and redo are
// refused and dropped text is not taken. The outcome is written back into the field, selection
// and its direction included, and every refusal beeps.

#include "NumEditRules.h"

#include <QClipboard>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QWidget;

// What the input needs of the field it serves beyond the QLineEdit it edits.
class TNumEditHost
{
public:
    virtual ~TNumEditHost() = default;

    // The rules under the field's Decimals, NumberFormat and MaxLength and the locale's separators.
    virtual TNumEditRules Rules() const = 0;
    // Brings the text to the locale's separators, should a key come before the posted
    // relocalisation.
    virtual void RelocaliseText() = 0;
    // Runs the owner's own clear command; false when the owner has none.
    virtual bool ClearByOwner() = 0;
};

// The text of a line edit with its caret and the anchor of its selection.
TEditState ReadEditState(const QLineEdit &edit);
// Writes a state back: the text if it differs, then the caret and the selection's anchor.
void WriteEditState(QLineEdit &edit, const TEditState &state);

class TNumEditInput
{
public:
    TNumEditInput(QLineEdit *edit, TNumEditHost *host);

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
    // The rules, once the text has been brought to the separators they know.
    TNumEditRules BeginEdit();
    // Writes the state back and beeps once for each refusal.
    void Apply(const TEditState &state, int refusals = 0);
    void TypeText(const QString &text);
    void DeleteKey(TDeleteKey key);

    QLineEdit *m_edit;
    TNumEditHost *m_host;
};
