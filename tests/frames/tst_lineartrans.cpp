// SPDX-License-Identifier: MIT
#include "FrameTest.h"
#include "NvNumEdit.h"
#include "uMfrLinearTrans.h"
#include "uMfrResultEdit.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestLinearTrans : public TFrameTest
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithoutAResult();
    void illustrationWaitsForTheTab();
    void tabVisitsTheFieldsInTheirDesignedOrder();
    void firstCalculateWarnsAboutTheEqualPoints();
    void evaluatesTheLine_data();
    void evaluatesTheLine();
    void onlyTheDividedPairMustDiffer_data();
    void onlyTheDividedPairMustDiffer();
    void resultTooLargeToShowGivesNoResult_data();
    void resultTooLargeToShowGivesNoResult();
    void directionSwapsLabelsAndKeepsTheInput();

private:
    TMfrBaseFrame *MakeFrame() const override { return new TMfrLinearTrans; }
    void SetLine(const QString &x0, const QString &x1, const QString &y0, const QString &y1);
    void ChooseInverse(bool inverse);
};

void TestLinearTrans::SetLine(const QString &x0, const QString &x1, const QString &y0,
                              const QString &y1)
{
    TypeInto("neX0", x0);
    TypeInto("neX1", x1);
    TypeInto("neY0", y0);
    TypeInto("neY1", y1);
}

void TestLinearTrans::ChooseInverse(bool inverse)
{
    Choose(inverse ? "rbYtoX" : "rbXToY");
}

void TestLinearTrans::opensWithoutAResult()
{
    Open();
    for (const char *field : {"neX0", "neX1", "neY0", "neY1"})
        QCOMPARE(Find<TNvNumEdit>(field)->text(), QStringLiteral("0.00"));
    QCOMPARE(Find<TNvNumEdit>("neInput")->text(), QStringLiteral("0.00000"));
    QVERIFY(Find<QRadioButton>("rbXToY")->isChecked());
    QCOMPARE(Find<QLabel>("lInput")->text(), QStringLiteral("x ="));
    QCOMPARE(Find<QLabel>("lResult")->text(), QStringLiteral("y ="));
    // The display's own initial state: nothing has been calculated, so no warning either.
    QCOMPARE(Shown(), QStringLiteral("0.000"));
    NoBoxes();

    const QLabel *picture = Find<QLabel>("Image1");
    QCOMPARE(picture->geometry(), QRect(96, 268, 198, 115));
    QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), QSize(198, 115));
}

void TestLinearTrans::illustrationWaitsForTheTab()
{
    TMfrLinearTrans frame;
    const auto *picture = frame.findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(picture->pixmap().isNull()); // a tab not opened yet has read no picture
    frame.show();
    QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), QSize(198, 115));
}

void TestLinearTrans::tabVisitsTheFieldsInTheirDesignedOrder()
{
    Open();
    CompareTabStops({"neX0", "neX1", "neY0", "neY1", "rbXToY", "neInput"});
}

void TestLinearTrans::firstCalculateWarnsAboutTheEqualPoints()
{
    Open();
    Calculate();
    QCOMPARE(m_seam->warnings, QStringList{"x0 must be different then x1"});
    QCOMPARE(Shown(), QStringLiteral("-----"));
    QVERIFY(m_seam->errors.isEmpty());
}

void TestLinearTrans::evaluatesTheLine_data()
{
    QTest::addColumn<QStringList>("line");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const QStringList decade{"0", "10", "0", "100"};
    QTest::newRow("y at x = 5") << decade << false << "5"
                                << "50.000";
    QTest::newRow("y extrapolated at x = 20") << decade << false << "20"
                                              << "200.000";
    QTest::newRow("y extrapolated below x0") << decade << false << "-1"
                                             << "-10.000";
    QTest::newRow("x at y = 25") << decade << true << "25"
                                 << "2.500";
    QTest::newRow("x extrapolated at y = 300") << decade << true << "300"
                                               << "30.000";
    QTest::newRow("a third") << QStringList{"0", "3", "0", "1"} << false << "1"
                             << "0.333";
    QTest::newRow("falling line") << QStringList{"-1", "1", "10", "-10"} << false << "0.5"
                                  << "-5.000";
}

void TestLinearTrans::evaluatesTheLine()
{
    Open();
    QFETCH(QStringList, line);
    QFETCH(bool, inverse);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    SetLine(line[0], line[1], line[2], line[3]);
    ChooseInverse(inverse);
    TypeInto("neInput", input);
    Calculate();
    QCOMPARE(Shown(), expected);
    NoBoxes();
}

void TestLinearTrans::onlyTheDividedPairMustDiffer_data()
{
    QTest::addColumn<QStringList>("line");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("expected");
    const QStringList flat{"1", "2", "7", "7"};
    const QStringList upright{"4", "4", "1", "2"};
    QTest::newRow("equal y, y = f(x) is constant") << flat << false << QString() << "7.000";
    QTest::newRow("equal y, inverse") << flat << true << "y0 must be different then y1"
                                      << "-----";
    QTest::newRow("equal x, y = f(x)") << upright << false << "x0 must be different then x1"
                                       << "-----";
    QTest::newRow("equal x, inverse is constant") << upright << true << QString() << "4.000";
}

void TestLinearTrans::onlyTheDividedPairMustDiffer()
{
    Open();
    QFETCH(QStringList, line);
    QFETCH(bool, inverse);
    QFETCH(QString, warning);
    QFETCH(QString, expected);
    SetLine(line[0], line[1], line[2], line[3]);
    ChooseInverse(inverse);
    TypeInto("neInput", QStringLiteral("3"));
    Calculate();
    QCOMPARE(m_seam->warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(Shown(), expected);
    QVERIFY(m_seam->errors.isEmpty());
}

void TestLinearTrans::resultTooLargeToShowGivesNoResult_data()
{
    QTest::addColumn<QStringList>("line");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<QString>("input");
    QTest::newRow("beyond the display's range")
        << QStringList{"0", "1", "0", "1E10"} << false << "1E10";
    QTest::newRow("beyond the extended range")
        << QStringList{"0", "1", "0", "1E4000"} << false << "1E4000";
    QTest::newRow("steep inverse") << QStringList{"0", "1E300", "0", "1"} << true << "1E300";
}

void TestLinearTrans::resultTooLargeToShowGivesNoResult()
{
    Open();
    QFETCH(QStringList, line);
    QFETCH(bool, inverse);
    QFETCH(QString, input);
    SetLine(line[0], line[1], line[2], line[3]);
    ChooseInverse(inverse);
    TypeInto("neInput", input);
    Calculate();
    QCOMPARE(Shown(), QStringLiteral("-----"));
    NoBoxes();

    // The next sound calculation shows a number again.
    TypeInto("neInput", QStringLiteral("0"));
    Calculate();
    QCOMPARE(Shown(), QStringLiteral("0.000"));
}

void TestLinearTrans::directionSwapsLabelsAndKeepsTheInput()
{
    Open();
    SetLine("0", "10", "0", "100");
    TypeInto("neInput", QStringLiteral("5"));
    Calculate();
    QCOMPARE(Shown(), QStringLiteral("50.000"));

    ChooseInverse(true);
    QCOMPARE(Find<QLabel>("lInput")->text(), QStringLiteral("y ="));
    QCOMPARE(Find<QLabel>("lResult")->text(), QStringLiteral("x ="));
    QCOMPARE(Find<TNvNumEdit>("neInput")->text(), QStringLiteral("5.00000"));
    QCOMPARE(Shown(), QStringLiteral("50.000"));

    // The same number now reads as y.
    Calculate();
    QCOMPARE(Shown(), QStringLiteral("0.500"));

    ChooseInverse(false);
    QCOMPARE(Find<QLabel>("lInput")->text(), QStringLiteral("x ="));
    QCOMPARE(Find<QLabel>("lResult")->text(), QStringLiteral("y ="));
    QCOMPARE(Find<TNvNumEdit>("neInput")->text(), QStringLiteral("5.00000"));
}

QTEST_MAIN(TestLinearTrans)
#include "tst_lineartrans.moc"
