// SPDX-License-Identifier: MIT
#include "NvNumEdit.h"

#include "UiSeam.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <limits>

TNvNumEdit::TNvNumEdit(QWidget *parent)
    : TNvEditBase(parent)
    , m_storedSeparators(LocaleSeparators())
{
    QLineEdit::setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &TNvNumEdit::Change);
    setValue(0);
}

TNvNumEdit::~TNvNumEdit() = default;

Extended TNvNumEdit::Value() const
{
    const TSeparators current = LocaleSeparators();
    // A read does not touch the shown text; the posted relocalisation will.
    const QString text = m_storedSeparators == current
                             ? this->text()
                             : ::RelocaliseText(this->text(), m_storedSeparators, current);
    return StrToValue(text, current);
}

void TNvNumEdit::setValue(Extended x)
{
    const TSeparators seps = LocaleSeparators();
    ReplaceText(FormatValue(x, m_decimals, m_format, seps), seps);
}

void TNvNumEdit::setMinValue(Extended x)
{
    if (x == m_minValue || x > m_maxValue)
        return;
    m_minValue = x;
}

void TNvNumEdit::setMaxValue(Extended x)
{
    if (x == m_maxValue || x < m_minValue)
        return;
    m_maxValue = x;
}

void TNvNumEdit::setDecimals(int d)
{
    if (d == m_decimals)
        return;
    d = std::clamp(d, -1, MaxDecimals);
    if (m_maxLength > 0 && d > m_maxLength - 2)
        d = std::max(-1, m_maxLength - 2);
    const Extended value = Value();
    m_decimals = d;
    setValue(value);
}

void TNvNumEdit::setNumberFormat(TNumberFormat f)
{
    const Extended value = Value();
    m_format = f;
    setValue(value);
}

void TNvNumEdit::setMaxLength(int n)
{
    m_maxLength = std::max(0, n);
}

TNumEditRules TNvNumEdit::Rules() const
{
    return TNumEditRules(m_decimals, m_format, m_maxLength, LocaleSeparators());
}

bool TNvNumEdit::ClearByOwner()
{
    if (!m_onClear)
        return false;
    m_onClear(this);
    return true;
}

void TNvNumEdit::HandleInvalidEntry()
{
    if (Loading())
        return;
    if (m_onInvalidEntry) {
        m_onInvalidEntry(this);
        return;
    }
    const Extended value = Value();
    if (value < m_minValue)
        setValue(m_minValue);
    else if (value > m_maxValue)
        setValue(m_maxValue);
    UiSeam().Beep();
    if (CanFocus())
        setFocus(Qt::OtherFocusReason);
}

void TNvNumEdit::focusOutEvent(QFocusEvent *event)
{
    TNvEditBase::focusOutEvent(event);
    // Switching to another window or opening a menu does not leave the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    RunGuarded(this, [this] { LeaveField(); });
}

void TNvNumEdit::LeaveField()
{
    // A read-only field holds what the program put there, which may be a marker such as "-----"
    // rather than a number: the user typed nothing to commit or check.
    if (isReadOnly()) {
        Q_EMIT Exit();
        return;
    }
    setValue(Value());
    if (m_minValue == 0 && m_maxValue == 0) {
        Q_EMIT Exit();
        return;
    }
    const Extended value = Value();
    if (value < m_minValue || value > m_maxValue)
        HandleInvalidEntry();
    else
        Q_EMIT Exit();
}

bool TNvNumEdit::CanFocus() const
{
    return isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus;
}

void TNvNumEdit::keyPressEvent(QKeyEvent *event)
{
    KeyPressed();
    if (m_input.KeyPress(event)) {
        event->accept();
        return;
    }
    // What is left to QLineEdit moves the caret or the selection; should a platform key of its
    // own change the text, the change is undone.
    const QString before = text();
    TNvEditBase::keyPressEvent(event);
    if (text() != before) {
        setText(before);
        UiSeam().Beep();
    }
}

void TNvNumEdit::keyReleaseEvent(QKeyEvent *event)
{
    TNvEditBase::keyReleaseEvent(event);
    m_input.KeyRelease(event);
}

void TNvNumEdit::inputMethodEvent(QInputMethodEvent *event)
{
    m_input.InputMethod(event);
}

void TNvNumEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_input.MouseRelease(event)) {
        event->accept();
        return;
    }
    TNvEditBase::mouseReleaseEvent(event);
}

void TNvNumEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = m_input.CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void TNvNumEdit::dragEnterEvent(QDragEnterEvent *event)
{
    event->ignore();
}

void TNvNumEdit::dragMoveEvent(QDragMoveEvent *event)
{
    event->ignore();
}

void TNvNumEdit::dropEvent(QDropEvent *event)
{
    event->ignore();
}

void TNvNumEdit::DeleteOneChar(Qt::Key key)
{
    m_input.DeleteOneChar(key == Qt::Key_Delete ? TDeleteKey::Delete : TDeleteKey::Backspace);
}

void TNvNumEdit::changeEvent(QEvent *event)
{
    TNvEditBase::changeEvent(event);
    if (event->type() == QEvent::LocaleChange) {
        // Acted on later, once the notification has been fully processed everywhere.
        QMetaObject::invokeMethod(this, &TNvNumEdit::RelocaliseText, Qt::QueuedConnection);
    }
}

void TNvNumEdit::ReplaceText(const QString &text, const TSeparators &seps)
{
    m_storedSeparators = seps;
    if (text == this->text())
        return;
    setText(text);
    setCursorPosition(0);
}

void TNvNumEdit::RelocaliseText()
{
    const TSeparators current = LocaleSeparators();
    if (current == m_storedSeparators)
        return;
    ReplaceText(::RelocaliseText(text(), m_storedSeparators, current), current);
}

double TNvNumEdit::ValueProperty() const
{
    try {
        return static_cast<double>(Value());
    } catch (const EConvertError &) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

void TNvNumEdit::WriteValueProperty(double x)
{
    RunGuarded(this, [&] { setValue(x); });
}

void TNvNumEdit::WriteDecimalsProperty(int d)
{
    RunGuarded(this, [&] { setDecimals(d); });
}

void TNvNumEdit::WriteNumberFormatProperty(TNumberFormat f)
{
    RunGuarded(this, [&] { setNumberFormat(f); });
}
