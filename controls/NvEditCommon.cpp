#include "NvEditCommon.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>

TNvEditCommon::TNvEditCommon(QLineEdit *edit)
    : m_edit(edit)
    , m_color(edit->palette().color(QPalette::Active, QPalette::Base))
    , m_disabledColor(edit->palette().color(QPalette::Active, QPalette::Button))
{
    ApplyColour();
}

void TNvEditCommon::SetColor(const QColor &c)
{
    if (c == m_color)
        return;
    m_color = c;
    if (m_edit->parentWidget() && ParentBackground() != c)
        m_parentColor = false;
    ApplyColour();
}

void TNvEditCommon::SetDisabledColor(const QColor &c)
{
    if (c == m_disabledColor)
        return;
    m_disabledColor = c;
    ApplyColour();
}

void TNvEditCommon::SetParentColor(bool b)
{
    if (b == m_parentColor)
        return;
    m_parentColor = b;
    if (b && m_edit->parentWidget())
        m_color = ParentBackground();
    ApplyColour();
}

void TNvEditCommon::AfterFocusIn(QFocusEvent *event, int cursorBefore)
{
    // The focus coming back from the context menu does not enter the field anew: selecting all
    // then would let the next key replace the whole text.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        m_enteredByClick = true;
    if (m_autoSelect) {
        m_edit->selectAll();
    } else if (m_edit->hasSelectedText()
               && (event->reason() == Qt::TabFocusReason
                   || event->reason() == Qt::BacktabFocusReason
                   || event->reason() == Qt::ShortcutFocusReason)) {
        // QLineEdit selects everything on keyboard entry by itself; without AutoSelect the caret
        // stays where it was.
        m_edit->deselect();
        m_edit->setCursorPosition(cursorBefore);
    }
}

bool TNvEditCommon::BeforeMousePress(QMouseEvent *event)
{
    const bool reselect = m_enteredByClick && (event->buttons() & Qt::LeftButton);
    m_enteredByClick = false;
    return reselect;
}

void TNvEditCommon::AfterMousePress(bool reselect)
{
    if (reselect && m_autoSelect)
        m_edit->selectAll();
}

void TNvEditCommon::Shown()
{
    if (!m_loading)
        return;
    m_loading = false;
    ApplyColour();
}

void TNvEditCommon::Changed(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        ApplyColour();
        break;
    case QEvent::PaletteChange:
        // Our own palette writes come back as a change too; only a parent's change is followed.
        if (!m_applying && m_parentColor && m_edit->parentWidget()) {
            m_color = ParentBackground();
            ApplyColour();
        }
        break;
    default:
        break;
    }
}

void TNvEditCommon::ApplyColour()
{
    const QColor shown = m_edit->isEnabled() ? m_color : m_disabledColor;
    QPalette palette = m_edit->palette();
    if (palette.color(QPalette::Active, QPalette::Base) == shown
        && palette.color(QPalette::Disabled, QPalette::Base) == shown
        && palette.color(QPalette::Inactive, QPalette::Base) == shown)
        return;
    palette.setColor(QPalette::All, QPalette::Base, shown);
    m_applying = true;
    m_edit->setPalette(palette);
    m_applying = false;
}

QColor TNvEditCommon::ParentBackground() const
{
    const QWidget *parent = m_edit->parentWidget();
    return parent->palette().color(QPalette::Active, parent->backgroundRole());
}
