// SPDX-License-Identifier: MIT
#include "NvEditBase.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>

TNvEditBase::TNvEditBase(QWidget *parent)
    : QLineEdit(parent)
    , m_color(palette().color(QPalette::Active, QPalette::Base))
    , m_disabledColor(palette().color(QPalette::Active, QPalette::Button))
{
    resize(100, height());
    ApplyColour();
}

void TNvEditBase::setAlignment(Qt::Alignment a)
{
    if (a != alignment())
        QLineEdit::setAlignment(a);
}

void TNvEditBase::setColor(const QColor &c)
{
    if (c == m_color)
        return;
    m_color = c;
    if (parentWidget() && ParentBackground() != c)
        m_parentColor = false;
    ApplyColour();
}

void TNvEditBase::setDisabledColor(const QColor &c)
{
    if (c == m_disabledColor)
        return;
    m_disabledColor = c;
    ApplyColour();
}

void TNvEditBase::setParentColor(bool b)
{
    if (b == m_parentColor)
        return;
    m_parentColor = b;
    if (b && parentWidget())
        m_color = ParentBackground();
    ApplyColour();
}

void TNvEditBase::focusInEvent(QFocusEvent *event)
{
    const int cursorBefore = cursorPosition();
    QLineEdit::focusInEvent(event);
    // The focus coming back from the context menu does not enter the field anew: selecting all
    // then would let the next key replace the whole text.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        m_enteredByClick = true;
    if (m_autoSelect) {
        selectAll();
    } else if (hasSelectedText()
               && (event->reason() == Qt::TabFocusReason
                   || event->reason() == Qt::BacktabFocusReason
                   || event->reason() == Qt::ShortcutFocusReason)) {
        // QLineEdit selects everything on keyboard entry by itself; without AutoSelect the caret
        // stays where it was.
        deselect();
        setCursorPosition(cursorBefore);
    }
}

void TNvEditBase::mousePressEvent(QMouseEvent *event)
{
    // The press that ends the click which gave the focus selects everything again, once
    // QLineEdit has placed the caret.
    const bool reselect = m_enteredByClick && (event->buttons() & Qt::LeftButton);
    m_enteredByClick = false;
    QLineEdit::mousePressEvent(event);
    if (reselect && m_autoSelect)
        selectAll();
}

void TNvEditBase::showEvent(QShowEvent *event)
{
    QLineEdit::showEvent(event);
    if (!m_loading)
        return;
    m_loading = false;
    ApplyColour();
}

void TNvEditBase::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        ApplyColour();
        break;
    case QEvent::PaletteChange:
        // Our own palette writes come back as a change too; only a parent's change is followed.
        if (!m_applying && m_parentColor && parentWidget()) {
            m_color = ParentBackground();
            ApplyColour();
        }
        break;
    default:
        break;
    }
}

void TNvEditBase::ApplyColour()
{
    const QColor shown = isEnabled() ? m_color : m_disabledColor;
    QPalette p = palette();
    if (p.color(QPalette::Active, QPalette::Base) == shown
        && p.color(QPalette::Disabled, QPalette::Base) == shown
        && p.color(QPalette::Inactive, QPalette::Base) == shown)
        return;
    p.setColor(QPalette::All, QPalette::Base, shown);
    m_applying = true;
    setPalette(p);
    m_applying = false;
}

QColor TNvEditBase::ParentBackground() const
{
    const QWidget *parent = parentWidget();
    return parent->palette().color(QPalette::Active, parent->backgroundRole());
}
