// SPDX-License-Identifier: MIT
#include "FrameTest.h"
#include "NvEdit.h"
#include "NvNumEdit.h"
#include "humidity/humidity.h"
#include "uMfrHumidity.h"
#include "uMfrResultEdit.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <limits>

namespace {

// The ten displays in the order the calculation fills them: the five values, then the five
// accuracies.
const char *const Displays[]
    = {"reDewpoint",         "reAbsHum",           "reSpecHum",        "reMixRatio",
       "reSpecEnth",         "reDewpointAccuracy", "reAbsHumAccuracy", "reSpecHumAccuracy",
       "reMixRatioAccuracy", "reSpecEnthAccuracy"};

const QString NoResult = QStringLiteral("-----");

const QString AccuracyWarning
    = QStringLiteral("Temperature accuracy must be between 0 and 200.\r\n"
                     "Relative humidity accuracy must be between 0 and 100.");

// The table the tab opens with (20 °C, 50 %, 101325 Pa, ± 0.4 °C, ± 2.5 %).
const QStringList StartUpTable{"9.277", "8.655", "7.220", "7.272", "38.566",
                               "1.110", "0.645", "0.550", "0.558", "1.802"};

} // namespace

class TestHumidity : public TFrameTest
{
    Q_OBJECT

private Q_SLOTS:
    void opensShowingTheDefaultTable();
    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void cubicMetreIsDrawnWithARaisedThree();
    void tabOrderRunsRowByRow();
    void calculatesFromTypedInputs_data();
    void calculatesFromTypedInputs();
    void accuracyLimits_data();
    void accuracyLimits();
    void impossibleStateShowsNoQuantitiesPerKilogram_data();
    void impossibleStateShowsNoQuantitiesPerKilogram();
    void refusedInputsClaimNoAccuracy();
    void arithmeticFailureShowsNoResultAnywhere_data();
    void arithmeticFailureShowsNoResultAnywhere();
    void recoversAfterAFailure();

private:
    TMfrBaseFrame *MakeFrame() const override { return new TMfrHumidity; }
    void ResetShared() override { humidity::ResetModuleState(); }
    QStringList Table() const;
};

QStringList TestHumidity::Table() const
{
    QStringList texts;
    for (const char *name : Displays)
        texts << Shown(name);
    return texts;
}

void TestHumidity::opensShowingTheDefaultTable()
{
    Open();
    QCOMPARE(Find<TNvNumEdit>("neTemp")->text(), QStringLiteral("20.00000"));
    QCOMPARE(Find<TNvNumEdit>("neTempAccuracy")->text(), QStringLiteral("0.40000"));
    QCOMPARE(Find<TNvNumEdit>("neRelHum")->text(), QStringLiteral("50.00000"));
    QCOMPARE(Find<TNvNumEdit>("neRelHumAccuracy")->text(), QStringLiteral("2.50000"));
    QCOMPARE(Find<TNvNumEdit>("nePress")->text(), QStringLiteral("101325.00000"));
    QCOMPARE(Table(), StartUpTable);
    NoBoxes();
}

void TestHumidity::layoutFollowsTheDesign_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("accuracy");
    QTest::addColumn<int>("accuracyWidth");

    QTest::newRow("temperature") << "lTemp"
                                 << "Temperature ="
                                 << "neTemp" << 20 << 100 << "°C"
                                 << "neTempAccuracy" << 65;
    QTest::newRow("relative humidity") << "lRelHum"
                                       << "Relative humidity ="
                                       << "neRelHum" << 48 << 100 << "%"
                                       << "neRelHumAccuracy" << 65;
    QTest::newRow("pressure") << "lPress"
                              << "Pressure ="
                              << "nePress" << 76 << 100 << "Pa"
                              << "" << 0;
    QTest::newRow("dew point") << "lDewpoint"
                               << "Dewpoint ="
                               << "reDewpoint" << 20 << 105 << "°C"
                               << "reDewpointAccuracy" << 68;
    QTest::newRow("absolute humidity") << "lAbsHum"
                                       << "Absolute humidity ="
                                       << "reAbsHum" << 48 << 105 << "g/m"
                                       << "reAbsHumAccuracy" << 68;
    QTest::newRow("specific humidity") << "lSpecHum"
                                       << "Specific humidity ="
                                       << "reSpecHum" << 76 << 105 << "g/kg"
                                       << "reSpecHumAccuracy" << 68;
    QTest::newRow("mixing ratio") << "lMixRatio"
                                  << "Mixing ratio ="
                                  << "reMixRatio" << 104 << 105 << "g/kg"
                                  << "reMixRatioAccuracy" << 68;
    QTest::newRow("specific enthalpy") << "lSpecEnth"
                                       << "Specific enthalpy ="
                                       << "reSpecEnth" << 132 << 105 << "kJ/kg"
                                       << "reSpecEnthAccuracy" << 68;
}

void TestHumidity::layoutFollowsTheDesign()
{
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QFETCH(QString, control);
    QFETCH(int, y);
    QFETCH(int, width);
    QFETCH(QString, unit);
    QFETCH(QString, accuracy);
    QFETCH(int, accuracyWidth);
    Open();

    auto *inputs = Find<QGroupBox>("gbInputs");
    auto *results = Find<QGroupBox>("gbResults");
    QCOMPARE(inputs->title(), QStringLiteral("Inputs"));
    QCOMPARE(inputs->geometry(), QRect(10, 6, 380, 107));
    QCOMPARE(results->title(), QStringLiteral("Results"));
    QCOMPARE(results->geometry(), QRect(10, 118, 380, 169));

    const QByteArray key = label.mid(1).toLatin1();
    auto *captionLabel = Find<QLabel>(label.toLatin1().constData());
    QCOMPARE(captionLabel->text(), caption);
    QCOMPARE(captionLabel->geometry().right() + 1, 105);
    QVERIFY(captionLabel->alignment() & Qt::AlignRight);
    // The caption is read whole, not cut at the label's left edge.
    QVERIFY(captionLabel->fontMetrics().horizontalAdvance(caption) <= captionLabel->width());
    QWidget *value = Find<QWidget>(control.toLatin1().constData());
    QCOMPARE(value->geometry(), QRect(108, y, width, 21));
    auto *unitLabel = Find<QLabel>(("l" + key + "Unit").constData());
    QCOMPARE(unitLabel->text(), unit);
    QCOMPARE(unitLabel->x(), 212);

    if (accuracy.isEmpty()) {
        QVERIFY(!Frame()->findChild<QLabel *>("l" + QString::fromLatin1(key) + "Pm"));
        return;
    }
    auto *plusMinus = Find<QLabel>(("l" + key + "Pm").constData());
    QCOMPARE(plusMinus->text(), QStringLiteral("±"));
    QCOMPARE(plusMinus->x(), 251);
    QWidget *accuracyControl = Find<QWidget>(accuracy.toLatin1().constData());
    QCOMPARE(accuracyControl->geometry(), QRect(260, y, accuracyWidth, 21));
    auto *accuracyUnit = Find<QLabel>(("l" + key + "AccuracyUnit").constData());
    QCOMPARE(accuracyUnit->text(), unit);
    QCOMPARE(accuracyUnit->x(), 329);

    if (auto *input = qobject_cast<TNvNumEdit *>(value)) {
        auto *accuracyInput = qobject_cast<TNvNumEdit *>(accuracyControl);
        QVERIFY(accuracyInput);
        QCOMPARE(input->MaxLength(), 15);
        QCOMPARE(accuracyInput->MaxLength(), 10);
        for (TNvNumEdit *edit : {input, accuracyInput}) {
            QCOMPARE(edit->Decimals(), 5);
            QCOMPARE(edit->NumberFormat(), TNumberFormat::Standard);
            QVERIFY(edit->alignment() & Qt::AlignRight);
            QVERIFY(!edit->isReadOnly());
        }
    } else {
        // The accuracy displays are narrower than the value displays, and so are their fields.
        auto *display = qobject_cast<TMfrResultEdit *>(accuracyControl);
        QVERIFY(display);
        QCOMPARE(display->eNumResult()->width(), 65);
        QCOMPARE(display->eTextResult()->width(), 65);
    }
}

void TestHumidity::cubicMetreIsDrawnWithARaisedThree()
{
    Open();
    for (const char *unitName : {"lAbsHumUnit", "lAbsHumAccuracyUnit"}) {
        auto *unit = Find<QLabel>(unitName);
        auto *three = Find<QLabel>((QByteArray(unitName) + "3").constData());
        QCOMPARE(unit->text(), QStringLiteral("g/m"));
        QCOMPARE(three->text(), QStringLiteral("3"));
        QCOMPARE(three->y(), unit->y() - 4);
        QCOMPARE(three->x(), unit->geometry().right() + 1);
        QVERIFY(QFontInfo(three->font()).pointSizeF() < QFontInfo(unit->font()).pointSizeF());
    }
}

void TestHumidity::tabOrderRunsRowByRow()
{
    Open();
    CompareTabStops({"neTemp", "neTempAccuracy", "neRelHum", "neRelHumAccuracy", "nePress",
                     "reDewpoint", "reDewpointAccuracy", "reAbsHum", "reAbsHumAccuracy",
                     "reSpecHum", "reSpecHumAccuracy", "reMixRatio", "reMixRatioAccuracy",
                     "reSpecEnth", "reSpecEnthAccuracy", "bCalculate"});
}

void TestHumidity::calculatesFromTypedInputs_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("inputs"); // temperature, ±, humidity, ±, pressure
    QTest::addColumn<QStringList>("expected");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("below freezing")
        << us << QStringList{"-10", "0.4", "80", "2.5", "101325"}
        << QStringList{"-12.791", "1.885", "", "", "", "0.777", "0.118", "", "", ""};
    QTest::newRow("saturated air has its own dew point")
        << us << QStringList{"27.5", "0.4", "100", "2.5", "101325"}
        << QStringList{"27.500", "", "", "", "", "", "", "", "", ""};
    // With both accuracies 0 only the model's own departure from ITS-90 is left.
    QTest::newRow("model terms alone") << us << QStringList{"20", "0", "50", "0", "101325"}
                                       << QStringList{"9.277", "8.655", "7.220", "7.272", "38.566",
                                                      "0.000", "0.010", "0.008", "0.009", "0.000"};
    QTest::newRow("dry air has no dew point")
        << us << QStringList{"25", "0.4", "0", "2.5", "101325"}
        << QStringList{NoResult, "0.000", "0.000", "0.000", "25.136",
                       NoResult, "0.576", "0.486", "0.486", "1.641"};
    QTest::newRow("decimal comma")
        << QLocale(QLocale::German, QLocale::Germany)
        << QStringList{"-10", "0,4", "80", "2,5", "101325"}
        << QStringList{"-12,791", "1,885", "", "", "", "0,777", "0,118", "", "", ""};
}

void TestHumidity::calculatesFromTypedInputs()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, expected);
    QLocale::setDefault(locale);
    Open();

    const char *const fields[]
        = {"neTemp", "neTempAccuracy", "neRelHum", "neRelHumAccuracy", "nePress"};
    for (int i = 0; i < 5; ++i)
        TypeInto(fields[i], inputs[i]);
    Calculate();

    const QStringList shown = Table();
    for (int i = 0; i < expected.size(); ++i) {
        if (!expected[i].isEmpty())
            QCOMPARE(shown[i] + " " + Displays[i], expected[i] + " " + Displays[i]);
    }
    NoBoxes();
}

void TestHumidity::accuracyLimits_data()
{
    QTest::addColumn<QString>("tempAccuracy");
    QTest::addColumn<QString>("relHumAccuracy");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("temperature accuracy 200") << "200"
                                              << "2.5" << true;
    QTest::newRow("humidity accuracy 100") << "0.4"
                                           << "100" << true;
    QTest::newRow("both 0") << "0"
                            << "0" << true;
    QTest::newRow("temperature accuracy 200.00001") << "200.00001"
                                                    << "2.5" << false;
    QTest::newRow("humidity accuracy 100.00001") << "0.4"
                                                 << "100.00001" << false;
    QTest::newRow("negative temperature accuracy") << "-0.00001"
                                                   << "2.5" << false;
    QTest::newRow("negative humidity accuracy") << "0.4"
                                                << "-1" << false;
}

void TestHumidity::accuracyLimits()
{
    QFETCH(QString, tempAccuracy);
    QFETCH(QString, relHumAccuracy);
    QFETCH(bool, accepted);
    Open();

    // A new temperature as well, so that any calculation would change the table.
    TypeInto("neTemp", "30");
    TypeInto("neTempAccuracy", tempAccuracy);
    TypeInto("neRelHumAccuracy", relHumAccuracy);
    Calculate();

    if (accepted) {
        NoBoxes();
        QVERIFY(Table() != StartUpTable);
        QVERIFY(!Table().contains(NoResult));
    } else {
        QCOMPARE(m_seam->warnings, QStringList{AccuracyWarning});
        QCOMPARE(Table(), StartUpTable);
    }
    QVERIFY(m_seam->errors.isEmpty());
}

void TestHumidity::impossibleStateShowsNoQuantitiesPerKilogram_data()
{
    QTest::addColumn<QString>("temp");
    QTest::addColumn<QString>("relHum");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QStringList>("expected");

    // Vapour at or above the total pressure: no humidity per kilogram of air exists, with or
    // without an accuracy; absolute humidity and dew point do not depend on the pressure.
    QTest::newRow("200 °C at 50 %")
        << "200"
        << "50"
        << "101325" << QStringList{"169.619", "3653.969", NoResult, NoResult, NoResult,
                                   "*",       "*",        NoResult, NoResult, NoResult};
    QTest::newRow("zero pressure")
        << "20"
        << "50"
        << "0" << QStringList{"9.277", "8.655", NoResult, NoResult, NoResult,
                              "1.110", "0.645", NoResult, NoResult, NoResult};
    QTest::newRow("zero pressure, dry air")
        << "25"
        << "0"
        << "0" << QStringList{NoResult, "0.000", NoResult, NoResult, NoResult,
                              NoResult, "0.576", NoResult, NoResult, NoResult};
    QTest::newRow("negative pressure")
        << "20"
        << "50"
        << "-500" << QStringList{"9.277", "8.655", NoResult, NoResult, NoResult,
                                 "1.110", "0.645", NoResult, NoResult, NoResult};
    // A hot state whose vapour stays below the total pressure keeps every number.
    QTest::newRow("150 °C at 10 %")
        << "150"
        << "10"
        << "101325" << QStringList{"80.425", "246.361", "359.963", "562.410", "1714.130",
                                   "*",      "*",       "*",       "*",       "*"};
}

void TestHumidity::impossibleStateShowsNoQuantitiesPerKilogram()
{
    QFETCH(QString, temp);
    QFETCH(QString, relHum);
    QFETCH(QString, press);
    QFETCH(QStringList, expected);
    Open();

    TypeInto("neTemp", temp);
    TypeInto("neRelHum", relHum);
    TypeInto("nePress", press);
    Calculate();

    const QStringList shown = Table();
    for (int i = 0; i < expected.size(); ++i) {
        const QString tag = QLatin1String(" ") + Displays[i];
        if (expected[i] == "*") // some number
            QVERIFY2(shown[i] != NoResult, qPrintable(tag));
        else
            QCOMPARE(shown[i] + tag, expected[i] + tag);
    }
    NoBoxes();
}

void TestHumidity::refusedInputsClaimNoAccuracy()
{
    Open();
    TypeInto("neTemp", "200.5");
    Calculate();
    // Not "0.000" beside a missing value: that would claim an exact one.
    QCOMPARE(Table(), QStringList(10, NoResult));
    NoBoxes();
}

void TestHumidity::arithmeticFailureShowsNoResultAnywhere_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    // Numbers the field holds but the engine's doubles cannot: storing them overflows.
    QTest::newRow("pressure beyond any double") << "nePress"
                                                << "1E400";
    QTest::newRow("negative pressure beyond any double") << "nePress"
                                                         << "-1E400";
    QTest::newRow("temperature beyond any double") << "neTemp"
                                                   << "1E400";
    QTest::newRow("humidity beyond any double") << "neRelHum"
                                                << "1E400";
}

void TestHumidity::arithmeticFailureShowsNoResultAnywhere()
{
    if (std::numeric_limits<Extended>::max_exponent10
        <= std::numeric_limits<double>::max_exponent10)
        QSKIP("no value lies beyond a double where the extended type is double");
    QFETCH(QString, field);
    QFETCH(QString, text);
    Open();
    QCOMPARE(Table(), StartUpTable);

    TypeInto(field.toLatin1().constData(), text);
    Calculate();

    QCOMPARE(Table(), QStringList(10, NoResult));
    // Handled by the calculator: no box of any kind.
    NoBoxes();
}

void TestHumidity::recoversAfterAFailure()
{
    if (std::numeric_limits<Extended>::max_exponent10
        <= std::numeric_limits<double>::max_exponent10)
        QSKIP("no value lies beyond a double where the extended type is double");
    Open();
    TypeInto("nePress", "1E400");
    Calculate();
    QCOMPARE(Table(), QStringList(10, NoResult));

    TypeInto("nePress", "101325");
    Calculate();
    QCOMPARE(Table(), StartUpTable);
}

QTEST_MAIN(TestHumidity)
#include "tst_humidity.moc"
