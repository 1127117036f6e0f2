// SPDX-License-Identifier: MIT
#pragma once

// A shown, active window holding the numeric field under test and a button to move the focus to.

#include "NvNumEdit.h"

#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

struct TFieldWindow
{
    QWidget window;
    QPushButton *other;
    TNvNumEdit *edit;

    TFieldWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        other = new QPushButton(QStringLiteral("Other"), &window);
        edit = new TNvNumEdit(&window);
        layout->addWidget(other);
        layout->addWidget(edit);
        window.show();
        window.activateWindow();
    }

    bool Ready() { return QTest::qWaitForWindowActive(&window); }
};
