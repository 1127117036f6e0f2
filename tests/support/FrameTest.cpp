// SPDX-License-Identifier: MIT
#include "FrameTest.h"

#include "uMfrBaseFrame.h"
#include "uMfrResultEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

void TFrameTest::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ResetShared();
    m_seam = std::make_unique<TRecordingSeam>();
}

void TFrameTest::cleanup()
{
    m_frame.reset();
    m_seam.reset();
    ResetShared();
    QLocale::setDefault(QLocale::c());
}

void TFrameTest::Open()
{
    m_frame.reset(MakeFrame());
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
}

QWidget *TFrameTest::FindWidget(const char *name, const QMetaObject &type) const
{
    QWidget *child = m_frame->findChild<QWidget *>(QString::fromLatin1(name));
    if (!child || !type.cast(child))
        qFatal("no control %s of class %s", name, type.className());
    return child;
}

void TFrameTest::TypeInto(const char *field, const QString &text)
{
    auto *edit = Find<QLineEdit>(field);
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void TFrameTest::Choose(const char *button)
{
    auto *option = Find<QAbstractButton>(button);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    QVERIFY(option->isChecked());
}

void TFrameTest::Calculate()
{
    QTest::mouseClick(m_frame->bCalculate(), Qt::LeftButton);
}

QString TFrameTest::Shown(const char *display) const
{
    return Find<TMfrResultEdit>(display)->DisplayedText();
}

void TFrameTest::NoBoxes() const
{
    QCOMPARE(m_seam->warnings, QStringList());
    QCOMPARE(m_seam->errors, QStringList());
}

void TFrameTest::CompareTabStops(const QStringList &expected)
{
    QWidget *first = Find<QWidget>(qPrintable(expected.front()));
    first->setFocus(Qt::TabFocusReason);
    const auto stopName = [this, &expected](QWidget *w) {
        for (QWidget *p = w; p && p != m_frame.get(); p = p->parentWidget()) {
            if (expected.contains(p->objectName()))
                return p->objectName();
        }
        return w ? w->objectName() : QString();
    };
    QStringList visited{stopName(QApplication::focusWidget())};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << stopName(QApplication::focusWidget());
    }
    QCOMPARE(visited, expected);
}
