// SPDX-License-Identifier: MIT
#include "FieldWindow.h"
#include "NvNumEdit.h"
#include "RecordingSeam.h"
#include "arith.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

using TWindow = TFieldWindow;

} // namespace

class TestNvNumEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsShowingZeroRightAligned();
    void writingValueFormatsIt_data();
    void writingValueFormatsIt();
    void equalTextRaisesNoChange();
    void nonFiniteValueLeavesTextAlone_data();
    void nonFiniteValueLeavesTextAlone();
    void limitsApplyOneAtATime_data();
    void limitsApplyOneAtATime();
    void decimalsAreClamped_data();
    void decimalsAreClamped();
    void decimalsAndFormatReformatTheValue();
    void readingNonNumberFails();
    void propertiesReachTheField();
    void maxLengthLimitsTypingOnly();

    void leavingNormalisesTheText();
    void leavingOutOfRange_data();
    void leavingOutOfRange();
    void leavingWithoutLimitsChecksNothing();
    void leavingWithNonNumberReportsIt();
    void leavingReadOnlyMarkerReportsNothing();
    void switchingWindowsIsNotLeaving();

    void tabbingInSelectsAll_data();
    void tabbingInSelectsAll();
    void clickThatGivesFocusSelectsAll();

    void colourMatchesEnabled();
    void parentColourIsFollowed();

    void localeChangeRelocalisesLater();
    void readingBeforeRelocalisationKeepsTheValue();
    void textWrittenAfterUnannouncedChangeReadsBack();
    void invalidEntryIgnoredWhileFormIsBuilt();
};

void TestNvNumEdit::init()
{
    QLocale::setDefault(english);
}

void TestNvNumEdit::cleanup()
{
    QLocale::setDefault(english);
}

void TestNvNumEdit::startsShowingZeroRightAligned()
{
    TNvNumEdit edit;
    QCOMPARE(edit.text(), QStringLiteral("0"));
    QCOMPARE(edit.Value(), Extended(0.0));
    QCOMPARE(edit.Decimals(), -1);
    QCOMPARE(edit.NumberFormat(), TNumberFormat::Standard);
    QCOMPARE(edit.MaxLength(), 0);
    QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(edit.width(), 100);
    QVERIFY(edit.AutoSelect());
    QVERIFY(!edit.ParentColor());
    QCOMPARE(edit.Version(), QStringLiteral("8.50.00.00"));
    edit.setProperty("Version", QStringLiteral("1.0"));
    QCOMPARE(edit.property("Version").toString(), QStringLiteral("8.50.00.00"));
}

void TestNvNumEdit::writingValueFormatsIt_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<TNumberFormat>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("thousands") << 2 << TNumberFormat::Thousands << 1234.5 << "en_US"
                               << "1,234.50";
    QTest::newRow("thousands german") << 2 << TNumberFormat::Thousands << 1234.5 << "de_DE"
                                      << "1.234,50";
    QTest::newRow("engineering") << -1 << TNumberFormat::Engineering << 0.0005 << "en_US"
                                 << "0.5E-3";
    QTest::newRow("fifteen digits")
        << 5 << TNumberFormat::Standard << 123456789012.345678 << "en_US"
        << "123456789012.34600";
}

void TestNvNumEdit::writingValueFormatsIt()
{
    QFETCH(int, decimals);
    QFETCH(TNumberFormat, format);
    QFETCH(double, value);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale(locale));
    TNvNumEdit edit;
    edit.setDecimals(decimals);
    edit.setNumberFormat(format);
    edit.setCursorPosition(1);
    edit.setValue(value);
    QCOMPARE(edit.text(), expected);
    QCOMPARE(edit.cursorPosition(), 0);
    QVERIFY(!edit.hasSelectedText());
}

void TestNvNumEdit::equalTextRaisesNoChange()
{
    TNvNumEdit edit;
    edit.setDecimals(2);
    QSignalSpy changes(&edit, &TNvNumEdit::Change);
    edit.setValue(1.001L);
    QCOMPARE(changes.count(), 1);
    edit.setValue(1.004L);
    QCOMPARE(edit.text(), QStringLiteral("1.00"));
    QCOMPARE(changes.count(), 1);
    edit.setValue(2); // written from an integer
    QCOMPARE(edit.text(), QStringLiteral("2.00"));
    QCOMPARE(changes.count(), 2);
}

void TestNvNumEdit::nonFiniteValueLeavesTextAlone_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("isNan");
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << true;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false;
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << false;
}

void TestNvNumEdit::nonFiniteValueLeavesTextAlone()
{
    QFETCH(double, value);
    QFETCH(bool, isNan);
    TNvNumEdit edit;
    edit.setValue(12.5L);
    QSignalSpy changes(&edit, &TNvNumEdit::Change);
    if (isNan)
        QVERIFY_THROWS_EXCEPTION(arith::EInvalidOp, edit.setValue(value));
    else
        QVERIFY_THROWS_EXCEPTION(arith::EOverflow, edit.setValue(value));
    QCOMPARE(edit.text(), QStringLiteral("12.5"));
    QCOMPARE(edit.Value(), Extended(12.5));
    QCOMPARE(changes.count(), 0);
    // Through the property system the failure may not unwind through Qt: it is reported.
    TRecordingSeam seam;
    edit.setProperty("Value", value);
    QCOMPARE(edit.text(), QStringLiteral("12.5"));
    QCOMPARE(seam.errors.size(), 1);
    QCOMPARE(seam.errors.front(), isNan ? QStringLiteral("Invalid floating point operation")
                                        : QStringLiteral("Floating point overflow"));
}

void TestNvNumEdit::limitsApplyOneAtATime_data()
{
    QTest::addColumn<double>("oldMin");
    QTest::addColumn<double>("oldMax");
    QTest::addColumn<bool>("maxFirst");
    QTest::addColumn<double>("newMin");
    QTest::addColumn<double>("newMax");
    QTest::addColumn<double>("expectedMin");
    QTest::addColumn<double>("expectedMax");

    QTest::newRow("up, max first") << 0.0 << 150.0 << true << 200.0 << 300.0 << 200.0 << 300.0;
    QTest::newRow("up, min first ignored")
        << 0.0 << 150.0 << false << 200.0 << 300.0 << 0.0 << 300.0;
    QTest::newRow("down, min first") << 100.0 << 150.0 << false << -50.0 << 50.0 << -50.0 << 50.0;
    QTest::newRow("down, max first ignored")
        << 100.0 << 150.0 << true << -50.0 << 50.0 << -50.0 << 150.0;
    QTest::newRow("overlapping, either order")
        << 0.0 << 150.0 << false << 100.0 << 200.0 << 100.0 << 200.0;
}

void TestNvNumEdit::limitsApplyOneAtATime()
{
    QFETCH(double, oldMin);
    QFETCH(double, oldMax);
    QFETCH(bool, maxFirst);
    QFETCH(double, newMin);
    QFETCH(double, newMax);
    QFETCH(double, expectedMin);
    QFETCH(double, expectedMax);
    TNvNumEdit edit;
    edit.setMaxValue(oldMax);
    edit.setMinValue(oldMin);
    QCOMPARE(edit.MinValue(), static_cast<Extended>(oldMin));
    QCOMPARE(edit.MaxValue(), static_cast<Extended>(oldMax));
    if (maxFirst) {
        edit.setMaxValue(newMax);
        edit.setMinValue(newMin);
    } else {
        edit.setMinValue(newMin);
        edit.setMaxValue(newMax);
    }
    QCOMPARE(edit.MinValue(), static_cast<Extended>(expectedMin));
    QCOMPARE(edit.MaxValue(), static_cast<Extended>(expectedMax));
}

void TestNvNumEdit::decimalsAreClamped_data()
{
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("expected");
    QTest::newRow("above 14") << 0 << 20 << 14;
    QTest::newRow("below -1") << 0 << -7 << -1;
    QTest::newRow("room for sign and separator") << 10 << 9 << 8;
    QTest::newRow("fits the length") << 10 << 8 << 8;
    QTest::newRow("length too short for any fraction") << 1 << 3 << -1;
}

void TestNvNumEdit::decimalsAreClamped()
{
    QFETCH(int, maxLength);
    QFETCH(int, written);
    QFETCH(int, expected);
    TNvNumEdit edit;
    edit.setMaxLength(maxLength);
    edit.setDecimals(written);
    QCOMPARE(edit.Decimals(), expected);
}

void TestNvNumEdit::decimalsAndFormatReformatTheValue()
{
    TNvNumEdit edit;
    edit.setText(QStringLiteral("1234.5"));
    edit.setDecimals(2);
    QCOMPARE(edit.text(), QStringLiteral("1234.50"));
    edit.setNumberFormat(TNumberFormat::Thousands);
    QCOMPARE(edit.text(), QStringLiteral("1,234.50"));
    // The same format written again still normalises a typed text.
    edit.setText(QStringLiteral("1E3"));
    edit.setNumberFormat(TNumberFormat::Thousands);
    QCOMPARE(edit.text(), QStringLiteral("1,000.00"));
}

void TestNvNumEdit::readingNonNumberFails()
{
    TNvNumEdit edit;
    edit.setText(QStringLiteral("1,2a"));
    try {
        (void)edit.Value();
        QFAIL("no failure");
    } catch (const EConvertError &e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral("'12a' is not a valid floating point value"));
    }
    QCOMPARE(edit.text(), QStringLiteral("1,2a"));
    QVERIFY_THROWS_EXCEPTION(EConvertError, edit.setDecimals(3));
    QCOMPARE(edit.text(), QStringLiteral("1,2a"));
    QCOMPARE(edit.Decimals(), -1);
    TRecordingSeam seam;
    edit.setProperty("NumberFormat", QStringLiteral("Thousands"));
    QCOMPARE(seam.errors, QStringList{QStringLiteral("'12a' is not a valid floating point value")});
    QVERIFY(std::isnan(edit.property("Value").toDouble()));
}

void TestNvNumEdit::propertiesReachTheField()
{
    TNvNumEdit edit;
    QVERIFY(edit.setProperty("Decimals", 3));
    // The format by name, as Qt Designer and other property-driven tools give it.
    QVERIFY(edit.setProperty("NumberFormat", QStringLiteral("Scientific")));
    QVERIFY(edit.setProperty("Value", 1234.5));
    QCOMPARE(edit.text(), QStringLiteral("1.235E3")); // 1.2345 rounds half away from zero
    QCOMPARE(edit.property("Value").toDouble(), 1235.0);
    QVERIFY(edit.setProperty("MaxValue", 10.5));
    QCOMPARE(edit.property("MaxValue").toDouble(), 10.5);
    QCOMPARE(edit.property("NumberFormat").value<TNumberFormat>(), TNumberFormat::Scientific);
    QCOMPARE(edit.property("NumberFormat").toString(), QStringLiteral("Scientific"));
    QVERIFY(!edit.setProperty("NumberFormat", QStringLiteral("Hexadecimal")));
    QCOMPARE(edit.NumberFormat(), TNumberFormat::Scientific);

    const QMetaObject *meta = edit.metaObject();
    const QMetaEnum formats = meta->property(meta->indexOfProperty("NumberFormat")).enumerator();
    QStringList keys;
    for (int i = 0; i < formats.keyCount(); ++i)
        keys << QString::fromLatin1(formats.key(i)) + u'=' + QString::number(formats.value(i));
    QCOMPARE(keys, (QStringList{"Standard=0", "Thousands=1", "Scientific=2", "Engineering=3"}));
}

void TestNvNumEdit::maxLengthLimitsTypingOnly()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setMaxLength(3);
    w.edit->setFocus();
    w.edit->selectAll();
    QTest::keyClicks(w.edit, QStringLiteral("12345"));
    QCOMPARE(w.edit->text(), QStringLiteral("123"));
    w.edit->setValue(123456);
    QCOMPARE(w.edit->text(), QStringLiteral("123456"));
    w.edit->setMaxLength(0);
    w.edit->end(false);
    QTest::keyClicks(w.edit, QStringLiteral("78"));
    QCOMPARE(w.edit->text(), QStringLiteral("12345678"));
}

void TestNvNumEdit::leavingNormalisesTheText()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(5);
    QSignalSpy exits(w.edit, &TNvNumEdit::Exit);
    w.edit->setFocus();
    w.edit->setText(QStringLiteral("1E3"));
    w.other->setFocus();
    QCOMPARE(w.edit->text(), QStringLiteral("1000.00000"));
    QCOMPARE(exits.count(), 1);
}

void TestNvNumEdit::leavingOutOfRange_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("withHandler");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedBeeps");
    QTest::addColumn<bool>("focusBack");
    QTest::addColumn<int>("expectedExits");

    QTest::newRow("above, own handling") << "25" << false << "10.00" << 1 << true << 0;
    QTest::newRow("below, own handling") << "-25" << false << "-10.00" << 1 << true << 0;
    QTest::newRow("above, owner's handler") << "25" << true << "25.00" << 0 << false << 0;
    QTest::newRow("on the limit") << "10" << false << "10.00" << 0 << false << 1;
    QTest::newRow("inside") << "-3.5" << false << "-3.50" << 0 << false << 1;
}

void TestNvNumEdit::leavingOutOfRange()
{
    QFETCH(QString, typed);
    QFETCH(bool, withHandler);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedBeeps);
    QFETCH(bool, focusBack);
    QFETCH(int, expectedExits);

    TRecordingSeam seam;
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setDecimals(2);
    w.edit->setMinValue(-10);
    w.edit->setMaxValue(10);
    QList<TNvNumEdit *> senders;
    if (withHandler)
        w.edit->setOnInvalidEntry([&](TNvNumEdit *sender) { senders << sender; });
    QSignalSpy exits(w.edit, &TNvNumEdit::Exit);

    w.edit->setFocus();
    w.edit->selectAll();
    QTest::keyClicks(w.edit, typed);
    w.other->setFocus();

    QCOMPARE(w.edit->text(), expectedText);
    QCOMPARE(seam.beeps, expectedBeeps);
    QCOMPARE(w.edit->hasFocus(), focusBack);
    QCOMPARE(exits.count(), expectedExits);
    QCOMPARE(senders.count(), withHandler ? 1 : 0);
    if (withHandler)
        QCOMPARE(senders.front(), w.edit);
    QVERIFY(seam.errors.isEmpty());
}

void TestNvNumEdit::leavingWithoutLimitsChecksNothing()
{
    TRecordingSeam seam;
    TWindow w;
    QVERIFY(w.Ready());
    QSignalSpy exits(w.edit, &TNvNumEdit::Exit);
    w.edit->setFocus();
    w.edit->setText(QStringLiteral("-1e300"));
    w.other->setFocus();
    QCOMPARE(exits.count(), 1);
    QCOMPARE(seam.beeps, 0);
    QVERIFY(w.edit->text().startsWith(QStringLiteral("-1000000000")));
}

void TestNvNumEdit::leavingWithNonNumberReportsIt()
{
    TRecordingSeam seam;
    TWindow w;
    QVERIFY(w.Ready());
    QSignalSpy exits(w.edit, &TNvNumEdit::Exit);
    w.edit->setFocus();
    w.edit->setText(QStringLiteral("1-2"));
    w.other->setFocus();
    QCOMPARE(seam.errors, QStringList{QStringLiteral("'1-2' is not a valid floating point value")});
    QCOMPARE(w.edit->text(), QStringLiteral("1-2"));
    QCOMPARE(exits.count(), 0);
}

// A read-only field shows what the program wrote, such as the "no result" marker: the user typed
// nothing to commit or check, and passing through it reports nothing.
void TestNvNumEdit::leavingReadOnlyMarkerReportsNothing()
{
    TRecordingSeam seam;
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setReadOnly(true);
    w.edit->setText(QStringLiteral("-----"));
    QSignalSpy exits(w.edit, &TNvNumEdit::Exit);
    w.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.edit, Qt::Key_Tab);
    QVERIFY(!w.edit->hasFocus());
    QCOMPARE(w.edit->text(), QStringLiteral("-----"));
    QCOMPARE(seam.errors, QStringList());
    QCOMPARE(exits.count(), 1);
}

void TestNvNumEdit::switchingWindowsIsNotLeaving()
{
    TRecordingSeam seam;
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setMinValue(-10);
    w.edit->setMaxValue(10);
    QSignalSpy exits(w.edit, &TNvNumEdit::Exit);
    w.edit->setFocus();
    w.edit->setText(QStringLiteral("25"));
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(w.edit, &out);
    QCOMPARE(w.edit->text(), QStringLiteral("25"));
    QCOMPARE(seam.beeps, 0);
    QCOMPARE(exits.count(), 0);
}

void TestNvNumEdit::tabbingInSelectsAll_data()
{
    QTest::addColumn<bool>("autoSelect");
    QTest::newRow("auto-select") << true;
    QTest::newRow("no auto-select") << false;
}

void TestNvNumEdit::tabbingInSelectsAll()
{
    QFETCH(bool, autoSelect);
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setAutoSelect(autoSelect);
    w.edit->setValue(12.5L);
    w.other->setFocus();
    QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(w.edit->selectedText(), autoSelect ? QStringLiteral("12.5") : QString());
}

void TestNvNumEdit::clickThatGivesFocusSelectsAll()
{
    TWindow w;
    QVERIFY(w.Ready());
    w.edit->setValue(12345.5L);
    w.other->setFocus();
    QWindow *window = w.window.windowHandle();
    const QPoint inside = w.edit->mapTo(&w.window, QPoint(w.edit->width() - 20, 5));
    // Through the window, as the platform delivers it, so that the button state is known.
    QTest::mousePress(window, Qt::LeftButton, {}, inside);
    QVERIFY(w.edit->hasFocus());
    QTest::mouseRelease(window, Qt::LeftButton, {}, inside);
    QCOMPARE(w.edit->selectedText(), QStringLiteral("12345.5"));
    QTest::mouseClick(window, Qt::LeftButton, {}, inside, 400);
    QVERIFY(!w.edit->hasSelectedText());
}

void TestNvNumEdit::colourMatchesEnabled()
{
    QWidget parent;
    auto *edit = new TNvNumEdit(&parent);
    const auto shown = [edit] {
        return edit->palette().color(edit->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                     QPalette::Base);
    };
    QCOMPARE(edit->Color(), QApplication::palette().color(QPalette::Active, QPalette::Base));
    QCOMPARE(edit->DisabledColor(),
             QApplication::palette().color(QPalette::Active, QPalette::Button));
    edit->setDisabledColor(Qt::gray);
    edit->setColor(Qt::yellow);
    QCOMPARE(shown(), QColor(Qt::yellow));
    edit->setEnabled(false);
    QCOMPARE(shown(), QColor(Qt::gray));
    edit->setColor(Qt::cyan);
    QCOMPARE(shown(), QColor(Qt::gray));
    edit->setEnabled(true);
    QCOMPARE(shown(), QColor(Qt::cyan));
    parent.setEnabled(false);
    QCOMPARE(shown(), QColor(Qt::gray));
}

void TestNvNumEdit::parentColourIsFollowed()
{
    QWidget parent;
    QPalette p = parent.palette();
    p.setColor(QPalette::Window, Qt::darkGreen);
    parent.setPalette(p);
    auto *edit = new TNvNumEdit(&parent);
    edit->setParentColor(true);
    QCOMPARE(edit->Color(), QColor(Qt::darkGreen));
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::darkGreen));
    p.setColor(QPalette::Window, Qt::darkBlue);
    parent.setPalette(p);
    QCOMPARE(edit->Color(), QColor(Qt::darkBlue));
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::darkBlue));
    // A colour of its own ends the following.
    edit->setColor(Qt::white);
    QVERIFY(!edit->ParentColor());
    p.setColor(QPalette::Window, Qt::darkRed);
    parent.setPalette(p);
    QCOMPARE(edit->Color(), QColor(Qt::white));
}

void TestNvNumEdit::localeChangeRelocalisesLater()
{
    QWidget window;
    auto *edit = new TNvNumEdit(&window);
    edit->setDecimals(2);
    edit->setNumberFormat(TNumberFormat::Thousands);
    edit->setValue(1234.5L);
    QCOMPARE(edit->text(), QStringLiteral("1,234.50"));
    QSignalSpy changes(edit, &TNvNumEdit::Change);

    QLocale::setDefault(german);
    QEvent localeChange(QEvent::LocaleChange);
    QApplication::sendEvent(qApp, &localeChange);
    QCOMPARE(edit->text(), QStringLiteral("1,234.50")); // not at once
    QTRY_COMPARE(edit->text(), QStringLiteral("1.234,50"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(edit->Value(), Extended(1234.5));
    QCOMPARE(edit->StoredSeparators(), (TSeparators{u',', u'.'}));
}

void TestNvNumEdit::readingBeforeRelocalisationKeepsTheValue()
{
    QWidget window;
    auto *edit = new TNvNumEdit(&window);
    edit->setDecimals(2);
    edit->setNumberFormat(TNumberFormat::Thousands);
    edit->setValue(1234.5L);

    QLocale::setDefault(german);
    QEvent localeChange(QEvent::LocaleChange);
    QApplication::sendEvent(edit, &localeChange);
    // A calculation reads the field before the posted relocalisation has run.
    QCOMPARE(edit->Value(), Extended(1234.5));
    QCOMPARE(edit->text(), QStringLiteral("1,234.50"));
    QTRY_COMPARE(edit->text(), QStringLiteral("1.234,50"));
    QCOMPARE(edit->Value(), Extended(1234.5));
}

void TestNvNumEdit::textWrittenAfterUnannouncedChangeReadsBack()
{
    TNvNumEdit edit;
    edit.setDecimals(2);
    edit.setNumberFormat(TNumberFormat::Thousands);
    QLocale::setDefault(german); // no notification yet
    edit.setValue(1234.5L);
    QCOMPARE(edit.text(), QStringLiteral("1.234,50"));
    QCOMPARE(edit.Value(), Extended(1234.5));
}

void TestNvNumEdit::invalidEntryIgnoredWhileFormIsBuilt()
{
    TRecordingSeam seam;
    TNvNumEdit edit;
    edit.setMinValue(-10);
    edit.setMaxValue(10);
    edit.setText(QStringLiteral("25"));
    int calls = 0;
    edit.HandleInvalidEntry();
    edit.setOnInvalidEntry([&](TNvNumEdit *) { ++calls; });
    edit.HandleInvalidEntry();
    QCOMPARE(edit.text(), QStringLiteral("25"));
    QCOMPARE(seam.beeps, 0);
    QCOMPARE(calls, 0);
    edit.show();
    edit.HandleInvalidEntry();
    QCOMPARE(calls, 1);
}

QTEST_MAIN(TestNvNumEdit)
#include "tst_nvnumedit.moc"
