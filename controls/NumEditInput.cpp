// SPDX-License-Identifier: MIT
#include "NumEditInput.h"

#include "LocaleSeparators.h"
#include "UiSeam.h"

#include <QAction>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace {

void Beep(int times)
{
    for (int i = 0; i < times; ++i)
        UiSeam().Beep();
}

// The characters a key types. Ctrl with a letter types its control character (Ctrl+Z is 26), so
// that undo, redo and the rest are refused like any character outside the accepted set; Enter and
// Escape type theirs whatever text the platform gives them.
QString TypedText(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int key = event->key();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & (Qt::AltModifier | Qt::MetaModifier))) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return QString(QChar(static_cast<char16_t>(key - Qt::Key_A + 1)));
        return {};
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QStringLiteral("\r");
    if (key == Qt::Key_Escape)
        return QString(QChar(27));
    return event->text();
}

// Text that arrives other than by a key passes the window's decimal-mark rule as typed keys do:
// "." or "," becomes the locale's decimal separator.
QString WithLocaleDecimalMarks(QString text, QChar decimal)
{
    for (QChar &c : text) {
        if (c == u'.' || c == u',')
            c = decimal;
    }
    return text;
}

} // namespace

TEditState ReadEditState(const QLineEdit &edit)
{
    TEditState state;
    state.text = edit.text();
    state.caret = edit.cursorPosition();
    state.anchor = state.caret;
    if (edit.hasSelectedText())
        state.anchor
            = state.caret == edit.selectionStart() ? edit.selectionEnd() : edit.selectionStart();
    return state;
}

void WriteEditState(QLineEdit &edit, const TEditState &state)
{
    if (state.text != edit.text())
        edit.setText(state.text);
    if (state.HasSelection())
        edit.setSelection(state.anchor, state.caret - state.anchor);
    else
        edit.setCursorPosition(state.caret);
}

TNumEditInput::TNumEditInput(QLineEdit *edit, TNumEditHost *host)
    : m_edit(edit)
    , m_host(host)
{
    // Dropped text would bypass the rules; a numeric field takes none.
    m_edit->setAcceptDrops(false);
    m_edit->setInputMethodHints(Qt::ImhFormattedNumbersOnly | Qt::ImhNoPredictiveText);
}

bool TNumEditInput::KeyPress(QKeyEvent *event)
{
    bool handled = true;
    RunGuarded(m_edit, [&] {
        if (event->matches(QKeySequence::Copy)) {
            Copy();
            return;
        }
        // A read-only field takes nothing but copy; QLineEdit moves its caret and selection.
        if (m_edit->isReadOnly()) {
            handled = false;
            return;
        }
        const int key = event->key();
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            DeleteKey(key == Qt::Key_Backspace ? TDeleteKey::Backspace : TDeleteKey::Delete);
            return;
        }
        if (event->matches(QKeySequence::Cut)) {
            Cut();
            return;
        }
        if (event->matches(QKeySequence::Paste)) {
            Paste();
            return;
        }
        const QString typed = TypedText(event);
        if (!typed.isEmpty()) {
            TypeText(typed);
            return;
        }
        // Keys of their own for undo and redo, where a keyboard has them.
        if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
            Beep(1);
            return;
        }
        handled = false;
    });
    return handled;
}

void TNumEditInput::KeyRelease(const QKeyEvent *event)
{
    if (m_edit->isReadOnly() || !m_host->Rules().Regroups())
        return;
    RunGuarded(m_edit, [&] {
        const int key = event->key();
        const TNumEditRules rules = BeginEdit();
        TEditState state = ReadEditState(*m_edit);
        rules.Regroup(state, key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space);
        Apply(state);
    });
}

void TNumEditInput::InputMethod(QInputMethodEvent *event)
{
    // The composition is not shown: QLineEdit would remove the selection as it began. What the
    // input method commits is typed.
    event->accept();
    if (m_edit->isReadOnly() || event->commitString().isEmpty())
        return;
    RunGuarded(m_edit, [&] {
        TypeText(WithLocaleDecimalMarks(event->commitString(), LocaleSeparators().decimal));
    });
}

bool TNumEditInput::MouseRelease(const QMouseEvent *event)
{
    if (event->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
        return false;
    if (!m_edit->isReadOnly()) {
        // The press has put the caret where the button went down; the text goes in there.
        m_edit->deselect();
        Paste(QClipboard::Selection);
    }
    return true;
}

QMenu *TNumEditInput::CreateContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const bool readOnly = m_edit->isReadOnly();
    const bool selected = m_edit->hasSelectedText();
    const auto add = [&](const QString &caption, bool enabled, auto command) {
        QAction *action = menu->addAction(caption);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, m_edit, command);
    };
    if (!readOnly)
        add(QStringLiteral("Cu&t"), selected, [this] { Cut(); });
    add(QStringLiteral("&Copy"), selected, [this] { Copy(); });
    if (!readOnly) {
        add(QStringLiteral("&Paste"), !QGuiApplication::clipboard()->text().isEmpty(),
            [this] { Paste(); });
        add(QStringLiteral("&Delete"), selected, [this] { Clear(); });
    }
    menu->addSeparator();
    add(QStringLiteral("Select &All"),
        !m_edit->text().isEmpty() && m_edit->selectedText() != m_edit->text(),
        [this] { m_edit->selectAll(); });
    return menu;
}

void TNumEditInput::Copy()
{
    RunGuarded(m_edit, [&] {
        const TNumEditRules rules = BeginEdit();
        QGuiApplication::clipboard()->setText(rules.CopyText(ReadEditState(*m_edit)));
    });
}

void TNumEditInput::Cut()
{
    if (m_edit->isReadOnly())
        return;
    RunGuarded(m_edit, [&] {
        const TNumEditRules rules = BeginEdit();
        TEditState state = ReadEditState(*m_edit);
        QGuiApplication::clipboard()->setText(rules.CopyText(state));
        const bool cleared = rules.Clear(state);
        Apply(state, cleared ? 0 : 1);
    });
}

void TNumEditInput::Paste(QClipboard::Mode mode)
{
    if (m_edit->isReadOnly())
        return;
    RunGuarded(m_edit, [&] {
        const QString text = QGuiApplication::clipboard()->text(mode);
        const TNumEditRules rules = BeginEdit();
        TEditState state = ReadEditState(*m_edit);
        const int refused = rules.Paste(state, text);
        Apply(state, refused);
    });
}

void TNumEditInput::Clear()
{
    if (m_edit->isReadOnly())
        return;
    RunGuarded(m_edit, [&] {
        if (m_host->ClearByOwner())
            return;
        const TNumEditRules rules = BeginEdit();
        TEditState state = ReadEditState(*m_edit);
        const bool cleared = rules.Clear(state);
        Apply(state, cleared ? 0 : 1);
    });
}

void TNumEditInput::DeleteOneChar(TDeleteKey key)
{
    const TNumEditRules rules = BeginEdit();
    TEditState state = ReadEditState(*m_edit);
    rules.DeleteOneChar(state, key);
    Apply(state);
}

void TNumEditInput::DeleteSelection()
{
    const TNumEditRules rules = BeginEdit();
    TEditState state = ReadEditState(*m_edit);
    rules.DeleteSelection(state);
    Apply(state);
}

TNumEditRules TNumEditInput::BeginEdit()
{
    m_host->RelocaliseText();
    return m_host->Rules();
}

void TNumEditInput::Apply(const TEditState &state, int refusals)
{
    WriteEditState(*m_edit, state);
    Beep(refusals);
}

void TNumEditInput::TypeText(const QString &text)
{
    const TNumEditRules rules = BeginEdit();
    TEditState state = ReadEditState(*m_edit);
    int refused = 0;
    for (const QChar c : text) {
        if (!rules.TypeChar(state, c))
            ++refused;
    }
    Apply(state, refused);
}

void TNumEditInput::DeleteKey(TDeleteKey key)
{
    const TNumEditRules rules = BeginEdit();
    TEditState state = ReadEditState(*m_edit);
    const bool accepted = rules.PressDeleteKey(state, key);
    Apply(state, accepted ? 0 : 1);
}
