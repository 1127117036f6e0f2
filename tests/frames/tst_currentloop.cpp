// SPDX-License-Identifier: MIT
#include "FrameTest.h"
#include "NvNumEdit.h"
#include "uMfrCurrentLoop4to20mA.h"
#include "uMfrResultEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestCurrentLoop : public TFrameTest
{
    Q_OBJECT

private Q_SLOTS:
    void opensShowingTheStartUpPreset();
    void presetListFollowsTheTableInFixedPitch();
    void fixedPitchWaitsForTheTab();
    void tabVisitsTheFieldsInTheirDesignedOrder();
    void pickingAPresetLoadsItsRangeWithoutRecalculating();
    void currentToOutputValue_data();
    void currentToOutputValue();
    void outputValueToCurrent_data();
    void outputValueToCurrent();
    void equalEndsWarnOnlyForTheCurrent();
    void resultTooLargeToShowGivesNoResult_data();
    void resultTooLargeToShowGivesNoResult();
    void directionSwapsLabelsAndKeepsTheInput();
    void unreadableTextOutsideTheGuardEndsInTheErrorBox();

private:
    TMfrBaseFrame *MakeFrame() const override { return new TMfrCurrentLoop4to20mA; }
    void PickPreset(int index);
};

void TestCurrentLoop::PickPreset(int index)
{
    auto *list = Find<QComboBox>("cbDefaults");
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex(), index);
}

void TestCurrentLoop::opensShowingTheStartUpPreset()
{
    Open();
    QCOMPARE(Find<QComboBox>("cbDefaults")->currentIndex(), 0);
    QCOMPARE(Find<TNvNumEdit>("neValLo")->text(), QStringLiteral("-100.00"));
    QCOMPARE(Find<TNvNumEdit>("neValHi")->text(), QStringLiteral("200.00"));
    QCOMPARE(Find<TNvNumEdit>("neInput")->text(), QStringLiteral("4.00000"));
    QVERIFY(Find<QRadioButton>("rbToValue")->isChecked());
    QCOMPARE(Find<QLabel>("lInput")->text(), QStringLiteral("Current ="));
    QCOMPARE(Find<QLabel>("lInputUnit")->text(), QStringLiteral("mA"));
    QCOMPARE(Find<QLabel>("lResult")->text(), QStringLiteral("Output value ="));
    QCOMPARE(Find<QLabel>("lResultUnit")->text(), QString());
    QCOMPARE(Shown(), QStringLiteral("-100.000"));
    NoBoxes();
}

void TestCurrentLoop::presetListFollowsTheTableInFixedPitch()
{
    Open();
    auto *list = Find<QComboBox>("cbDefaults");
    const QStringList expected{"-100 .. +200", " -30 ..  +80", " -30 .. +105", " -30 .. +125",
                               "   0 ..   35", "   0 ..   50", "   0 ..  100", "   0 ..  150",
                               "   0 ..  250", "   0 ..  400"};
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->itemText(i);
    QCOMPARE(shown, expected);
    // The columns line up when every character of the texts takes the same width.
    const QFontMetrics metrics(list->font());
    const int pitch = metrics.horizontalAdvance(QLatin1Char(' '));
    for (const QString &text : shown) {
        for (const QChar c : text)
            QCOMPARE(metrics.horizontalAdvance(c), pitch);
    }
}

void TestCurrentLoop::fixedPitchWaitsForTheTab()
{
    TMfrCurrentLoop4to20mA frame;
    const auto *list = frame.findChild<QComboBox *>(QStringLiteral("cbDefaults"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QVERIFY(list->font() != fixed); // a tab not opened yet has looked for no font
    frame.show();
    QCOMPARE(list->font(), fixed);
}

void TestCurrentLoop::tabVisitsTheFieldsInTheirDesignedOrder()
{
    Open();
    // The direction's radio buttons are one stop, entered at the first of them; the arrow keys
    // move between them.
    CompareTabStops({"neValLo", "neValHi", "cbDefaults", "rbToCurrent", "neInput"});
}

void TestCurrentLoop::pickingAPresetLoadsItsRangeWithoutRecalculating()
{
    Open();
    PickPreset(3);
    QCOMPARE(Find<TNvNumEdit>("neValLo")->text(), QStringLiteral("-30.00"));
    QCOMPARE(Find<TNvNumEdit>("neValHi")->text(), QStringLiteral("125.00"));
    QCOMPARE(Shown(), QStringLiteral("-100.000"));

    // Picking the entry shown again restores the range after it was edited by hand.
    TypeInto("neValHi", QStringLiteral("7"));
    Calculate();
    QCOMPARE(Find<TNvNumEdit>("neValHi")->text(), QStringLiteral("7.00"));
    auto *list = Find<QComboBox>("cbDefaults");
    list->showPopup();
    QTest::keyClick(list->view(), Qt::Key_Return);
    QCOMPARE(Find<TNvNumEdit>("neValHi")->text(), QStringLiteral("125.00"));
}

void TestCurrentLoop::currentToOutputValue_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("expected");
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("0..100 at 12 mA") << us << 6 << "12"
                                     << "50.000";
    QTest::newRow("0..100 at 0 mA extrapolates") << us << 6 << "0"
                                                 << "-25.000";
    QTest::newRow("0..100 at 24 mA extrapolates") << us << 6 << "24"
                                                  << "125.000";
    QTest::newRow("-30..+80 at -12 mA") << us << 1 << "-12"
                                        << "-140.000";
    QTest::newRow("0..35 at 9.5 mA") << us << 4 << "9.5"
                                     << "12.031";
    QTest::newRow("0..35 at 9,5 mA, German")
        << QLocale(QLocale::German, QLocale::Germany) << 4 << "9,5"
        << "12,031";
}

void TestCurrentLoop::currentToOutputValue()
{
    QFETCH(QLocale, locale);
    QFETCH(int, preset);
    QFETCH(QString, current);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);
    Open();
    PickPreset(preset);
    TypeInto("neInput", current);
    Calculate();
    QCOMPARE(Shown(), expected);
    NoBoxes();
}

void TestCurrentLoop::outputValueToCurrent_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("-30..+80 at 25") << 1 << "25"
                                    << "12.000";
    // 18 of 110 units above the low end
    QTest::newRow("-30..+80 at -12") << 1 << "-12"
                                     << "6.618";
    QTest::newRow("0..400 above the range") << 9 << "500"
                                            << "24.000";
    QTest::newRow("-100..+200 below the range") << 0 << "-400"
                                                << "-12.000";
}

void TestCurrentLoop::outputValueToCurrent()
{
    QFETCH(int, preset);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    Open();
    PickPreset(preset);
    Choose("rbToCurrent");
    TypeInto("neInput", value);
    Calculate();
    QCOMPARE(Shown(), expected);
    NoBoxes();
}

void TestCurrentLoop::equalEndsWarnOnlyForTheCurrent()
{
    Open();
    TypeInto("neValLo", QStringLiteral("5"));
    TypeInto("neValHi", QStringLiteral("5"));
    TypeInto("neInput", QStringLiteral("17.3"));
    Calculate();
    QCOMPARE(Shown(), QStringLiteral("5.000"));
    NoBoxes();

    Choose("rbToCurrent");
    Calculate();
    QCOMPARE(m_seam->warnings,
             QStringList{"Output value for 4 mA must be different then the value for 20 mA."});
    QCOMPARE(Shown(), QStringLiteral("-----"));
    QVERIFY(m_seam->errors.isEmpty());
}

void TestCurrentLoop::resultTooLargeToShowGivesNoResult_data()
{
    QTest::addColumn<QString>("lo");
    QTest::addColumn<QString>("hi");
    QTest::addColumn<bool>("toCurrent");
    QTest::addColumn<QString>("input");
    QTest::newRow("beyond the display's range") << "0"
                                                << "100" << false << "1E20";
    QTest::newRow("beyond the extended range") << "0"
                                               << "1E4000" << false << "1E4000";
    QTest::newRow("current beyond the display's range") << "0"
                                                        << "1" << true << "1E20";
}

void TestCurrentLoop::resultTooLargeToShowGivesNoResult()
{
    QFETCH(QString, lo);
    QFETCH(QString, hi);
    QFETCH(bool, toCurrent);
    QFETCH(QString, input);
    Open();
    TypeInto("neValLo", lo);
    TypeInto("neValHi", hi);
    if (toCurrent)
        Choose("rbToCurrent");
    TypeInto("neInput", input);
    Calculate();
    QCOMPARE(Shown(), QStringLiteral("-----"));
    NoBoxes();

    // The next sound calculation shows a number again.
    TypeInto("neInput", QStringLiteral("4"));
    Calculate();
    QVERIFY(Shown() != QStringLiteral("-----"));
}

void TestCurrentLoop::directionSwapsLabelsAndKeepsTheInput()
{
    Open();
    TypeInto("neInput", QStringLiteral("12"));
    Choose("rbToCurrent");
    QVERIFY(Find<QRadioButton>("rbToCurrent")->isChecked());
    QCOMPARE(Find<QLabel>("lInput")->text(), QStringLiteral("Output value ="));
    QCOMPARE(Find<QLabel>("lInputUnit")->text(), QString());
    QCOMPARE(Find<QLabel>("lResult")->text(), QStringLiteral("Current ="));
    QCOMPARE(Find<QLabel>("lResultUnit")->text(), QStringLiteral("mA"));
    QCOMPARE(Find<TNvNumEdit>("neInput")->text(), QStringLiteral("12.00000"));
    QCOMPARE(Shown(), QStringLiteral("-100.000"));

    // The same number now reads as an output value: 12 on -100..+200 is 4 + 112 * 16 / 300 mA.
    Calculate();
    QCOMPARE(Shown(), QStringLiteral("9.973"));

    Choose("rbToValue");
    QCOMPARE(Find<QLabel>("lInput")->text(), QStringLiteral("Current ="));
    QCOMPARE(Find<QLabel>("lInputUnit")->text(), QStringLiteral("mA"));
    QCOMPARE(Find<QLabel>("lResult")->text(), QStringLiteral("Output value ="));
    QCOMPARE(Find<QLabel>("lResultUnit")->text(), QString());
    QCOMPARE(Find<TNvNumEdit>("neInput")->text(), QStringLiteral("12.00000"));
    QCOMPARE(Shown(), QStringLiteral("9.973"));
}

// The editing rules keep a typed text readable, so the text is put in directly: the range is read
// before the guard and fails into the error box, the input inside it and gives no result.
void TestCurrentLoop::unreadableTextOutsideTheGuardEndsInTheErrorBox()
{
    Open();
    Find<TNvNumEdit>("neInput")->setText(QStringLiteral("1E5E"));
    Calculate();
    QCOMPARE(Shown(), QStringLiteral("-----"));
    NoBoxes();

    Find<TNvNumEdit>("neInput")->setText(QStringLiteral("4"));
    Find<TNvNumEdit>("neValLo")->setText(QStringLiteral("1E5E"));
    Calculate();
    QCOMPARE(m_seam->errors, QStringList{"'1E5E' is not a valid floating point value"});
    QCOMPARE(Shown(), QStringLiteral("-----"));
    QVERIFY(m_seam->warnings.isEmpty());
}

QTEST_MAIN(TestCurrentLoop)
#include "tst_currentloop.moc"
