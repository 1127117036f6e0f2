// SPDX-License-Identifier: MIT
#include "NvEdit.h"

#include "UiSeam.h"

#include <QKeyEvent>

TNvEdit::TNvEdit(QWidget *parent)
    : TNvEditBase(parent)
{
}

void TNvEdit::keyPressEvent(QKeyEvent *event)
{
    KeyPressed();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Refused even when read-only; the window has already had its say on these keys.
        UiSeam().Beep();
        event->accept();
        return;
    default:
        TNvEditBase::keyPressEvent(event);
    }
}
