// SPDX-License-Identifier: MIT
#include "NvEdit.h"
#include "NvNumEdit.h"
#include "RecordingSeam.h"
#include "arith.h"
#include "uMfrResultEdit.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

#include <limits>

class TestResultEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void startsInNumberModeShowingZero();
    void showValueRoundsToThousandths_data();
    void showValueRoundsToThousandths();
    void showValueOutsideIntegerRangeChangesNothing_data();
    void showValueOutsideIntegerRangeChangesNothing();
    void textAndNumberModesAlternate();
    void equalValueRaisesNoChange();
    void narrowDisplayNarrowsBothFields();

    void textFieldRefusesEnterAndEscape_data();
    void textFieldRefusesEnterAndEscape();
    void disabledTextFieldShowsDisabledColour();
    void focusBackFromMenuKeepsTheCaret_data();
    void focusBackFromMenuKeepsTheCaret();
};

void TestResultEdit::startsInNumberModeShowingZero()
{
    TMfrResultEdit display;
    QCOMPARE(display.size(), QSize(132, 22));
    QCOMPARE(display.DisplayedText(), QStringLiteral("0.000"));
    QVERIFY(!display.eNumResult()->isHidden());
    QVERIFY(display.eNumResult()->isReadOnly());
    QCOMPARE(display.eNumResult()->Decimals(), 3);
    QCOMPARE(display.eNumResult()->MaxLength(), 15);
    QCOMPARE(display.eTextResult()->text(), QString());
    QVERIFY(!display.eTextResult()->isEnabled());
    QVERIFY(display.eTextResult()->isReadOnly());
    QCOMPARE(display.eTextResult()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(display.eNumResult()->geometry(), display.eTextResult()->geometry());
    // The number field is created last, so it lies on top.
    QCOMPARE(display.children().indexOf(display.eNumResult()),
             display.children().indexOf(display.eTextResult()) + 1);
}

void TestResultEdit::showValueRoundsToThousandths_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2.5") << 2.5 << "2.500";
    QTest::newRow("1.23456") << 1.23456 << "1.235";
    QTest::newRow("-1.23456") << -1.23456 << "-1.235";
    QTest::newRow("138.5055") << 138.5055 << "138.506";
    QTest::newRow("tiny negative") << -0.0001 << "0.000";
    // x / 0.001 is exactly halfway for these: halves go to the even integer.
    QTest::newRow("half to even, down") << 0.0025 << "0.002";
    QTest::newRow("half to even, up") << 0.0035 << "0.004";
    QTest::newRow("half to even, zero") << 0.0005 << "0.000";
    QTest::newRow("largest") << 9.2e15 << "9200000000000000.000";
}

void TestResultEdit::showValueRoundsToThousandths()
{
    QFETCH(double, x);
    QFETCH(QString, expected);
    TMfrResultEdit display;
    display.ShowText(QStringLiteral("-----"));
    display.ShowValue(x);
    QCOMPARE(display.DisplayedText(), expected);
    QVERIFY(!display.eNumResult()->isHidden());
    QVERIFY(!display.eTextResult()->isEnabled());
}

void TestResultEdit::showValueOutsideIntegerRangeChangesNothing_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("textMode");
    QTest::newRow("1E20 in number mode") << 1e20 << false;
    QTest::newRow("-1E20 in text mode") << -1e20 << true;
    QTest::newRow("just past 2^63 thousandths") << 9.3e15 << false;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << true;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false;
}

void TestResultEdit::showValueOutsideIntegerRangeChangesNothing()
{
    QFETCH(double, x);
    QFETCH(bool, textMode);
    TMfrResultEdit display;
    display.ShowValue(7.25);
    if (textMode)
        display.ShowText(QStringLiteral("-----"));
    const QString before = display.DisplayedText();
    try {
        display.ShowValue(x);
        QFAIL("no failure");
    } catch (const arith::EInvalidOp &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Invalid floating point operation"));
    }
    QCOMPARE(display.DisplayedText(), before);
    QCOMPARE(display.eNumResult()->isHidden(), textMode);
    QCOMPARE(display.eNumResult()->text(), QStringLiteral("7.250"));
}

void TestResultEdit::textAndNumberModesAlternate()
{
    QWidget window;
    auto *display = new TMfrResultEdit(&window);
    window.show();
    display->ShowValue(2.5);
    QVERIFY(display->eNumResult()->isVisible());
    display->ShowText(QStringLiteral("-----"));
    QVERIFY(!display->eNumResult()->isVisible());
    QVERIFY(display->eTextResult()->isVisible());
    QVERIFY(display->eTextResult()->isEnabled());
    QVERIFY(display->eTextResult()->isReadOnly());
    QCOMPARE(display->DisplayedText(), QStringLiteral("-----"));
    QCOMPARE(display->eTextResult()->palette().color(QPalette::Active, QPalette::Base),
             display->eTextResult()->Color());
    display->ShowValue(3);
    QVERIFY(display->eNumResult()->isVisible());
    QCOMPARE(display->DisplayedText(), QStringLiteral("3.000"));
    // The text stays behind the number, disabled and on the disabled colour.
    QCOMPARE(display->eTextResult()->text(), QStringLiteral("-----"));
    QVERIFY(!display->eTextResult()->isEnabled());
    QCOMPARE(display->eTextResult()->palette().color(QPalette::Disabled, QPalette::Base),
             display->eTextResult()->DisabledColor());
}

void TestResultEdit::equalValueRaisesNoChange()
{
    TMfrResultEdit display;
    QSignalSpy changes(display.eNumResult(), &TNvNumEdit::Change);
    display.ShowValue(1.2344);
    display.ShowValue(1.2341);
    QCOMPARE(display.DisplayedText(), QStringLiteral("1.234"));
    QCOMPARE(changes.count(), 1);
}

void TestResultEdit::narrowDisplayNarrowsBothFields()
{
    TMfrResultEdit display;
    QVERIFY(display.setProperty("FieldWidth", 65));
    QCOMPARE(display.eNumResult()->width(), 65);
    QCOMPARE(display.eTextResult()->width(), 65);
}

void TestResultEdit::textFieldRefusesEnterAndEscape_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("return") << int(Qt::Key_Return) << false;
    QTest::newRow("enter") << int(Qt::Key_Enter) << false;
    QTest::newRow("escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("return, read-only") << int(Qt::Key_Return) << true;
    QTest::newRow("escape, read-only") << int(Qt::Key_Escape) << true;
}

void TestResultEdit::textFieldRefusesEnterAndEscape()
{
    QFETCH(int, key);
    QFETCH(bool, readOnly);
    TRecordingSeam seam;
    QWidget window;
    auto *edit = new TNvEdit(&window);
    edit->setText(QStringLiteral("abc"));
    edit->setReadOnly(readOnly);
    QSignalSpy returns(edit, &QLineEdit::returnPressed);
    QTest::keyClick(edit, Qt::Key(key));
    QCOMPARE(seam.beeps, 1);
    QCOMPARE(edit->text(), QStringLiteral("abc"));
    QCOMPARE(returns.count(), 0);
    if (!readOnly) {
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("d"));
        QCOMPARE(edit->text(), QStringLiteral("abcd"));
        QCOMPARE(seam.beeps, 1);
    }
}

void TestResultEdit::disabledTextFieldShowsDisabledColour()
{
    QWidget window;
    auto *edit = new TNvEdit(&window);
    edit->setEnabled(false);
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(edit->width(), 100);
    QCOMPARE(edit->palette().color(QPalette::Disabled, QPalette::Base), edit->DisabledColor());
    QVERIFY(edit->DisabledColor() != edit->Color());
}

void TestResultEdit::focusBackFromMenuKeepsTheCaret_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("selected");
    QTest::newRow("Tab enters: all selected") << int(Qt::TabFocusReason) << "abc";
    QTest::newRow("back from the context menu") << int(Qt::PopupFocusReason) << "";
}

void TestResultEdit::focusBackFromMenuKeepsTheCaret()
{
    QFETCH(int, reason);
    QFETCH(QString, selected);
    QWidget window;
    auto *edit = new TNvEdit(&window);
    edit->setText(QStringLiteral("abc"));
    edit->setCursorPosition(1);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(reason));
    QCoreApplication::sendEvent(edit, &focusIn);
    QCOMPARE(edit->selectedText(), selected);
}

QTEST_MAIN(TestResultEdit)
#include "tst_resultedit.moc"
