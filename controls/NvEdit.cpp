#include "NvEdit.h"

#include "UiSeam.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

TNvEdit::TNvEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_common(this)
{
    resize(100, height());
}

void TNvEdit::setAlignment(Qt::Alignment a)
{
    if (a != alignment())
        QLineEdit::setAlignment(a);
}

void TNvEdit::focusInEvent(QFocusEvent *event)
{
    const int cursorBefore = cursorPosition();
    QLineEdit::focusInEvent(event);
    m_common.AfterFocusIn(event, cursorBefore);
}

void TNvEdit::mousePressEvent(QMouseEvent *event)
{
    const bool reselect = m_common.BeforeMousePress(event);
    QLineEdit::mousePressEvent(event);
    m_common.AfterMousePress(reselect);
}

void TNvEdit::keyPressEvent(QKeyEvent *event)
{
    m_common.KeyPressed();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Refused even when read-only; the window has already had its say on these keys.
        UiSeam().Beep();
        event->accept();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void TNvEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    m_common.Changed(event);
}

void TNvEdit::showEvent(QShowEvent *event)
{
    QLineEdit::showEvent(event);
    m_common.Shown();
}
