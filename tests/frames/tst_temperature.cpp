// SPDX-License-Identifier: MIT
#include "FrameTest.h"
#include "NvNumEdit.h"
#include "uMfrResultEdit.h"
#include "uMfrTemperature.h"
#include "uMfrTemperatureUnit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <limits>

using namespace temperature;

namespace {

const QString NoResult = QStringLiteral("-----");

} // namespace

class TestTemperature : public TFrameTest
{
    Q_OBJECT

private Q_SLOTS:
    void opensOnPt1000TemperatureToResistance();
    void layoutFollowsTheDesign_data();
    void layoutFollowsTheDesign();
    void sensorButtonsFollowTheDesign_data();
    void sensorButtonsFollowTheDesign();
    void tabOrderFollowsTheDesign();
    void unitSelectorShowsOneModeAtATime();
    void unitLabelsShowWhole_data();
    void unitLabelsShowWhole();
    void calculatesTypedInput_data();
    void calculatesTypedInput();
    void inputUnitChangeConvertsTheInput();
    void choosingTheSameUnitAgainConvertsNothing();
    void resistanceToTemperatureInBothScales();
    void outOfRangeInputIsCorrectedOnLeavingTheField();
    void sensorChangeBringsTheInputIntoRange();
    void directionChangeReadsTheNumberInTheNewQuantity();
    void nickelResistanceLimits();
    void thermocoupleCaptionsAndBack();
    void thermocoupleOutsideItsAcceptedRangeShowsNoResult_data();
    void thermocoupleOutsideItsAcceptedRangeShowsNoResult();
    void directionRoundTripRecomputesTheCompanion();
    void failedCalculationBlanksTheCompanion();
    void companionsShowWhatIsBesideThem_data();
    void companionsShowWhatIsBesideThem();
    void typeJVoltageCoversItsInverseFunction_data();
    void typeJVoltageCoversItsInverseFunction();
    void companionBeyondEveryTemperatureShowsNoResult_data();
    void companionBeyondEveryTemperatureShowsNoResult();

private:
    TMfrBaseFrame *MakeFrame() const override { return new TMfrTemperature; }
    TMfrTemperature *Calculator() const { return static_cast<TMfrTemperature *>(Frame()); }
    void TypeInput(const QString &text) { TypeInto("neSource", text); }
    void ChooseUnit(TMfrTemperatureUnit *selector, int index);
    TNvNumEdit *Source() const { return Find<TNvNumEdit>("neSource"); }
    TMfrTemperatureUnit *SourceUnit() const { return Find<TMfrTemperatureUnit>("tuSource"); }
    TMfrTemperatureUnit *ResultUnit() const { return Find<TMfrTemperatureUnit>("tuResult"); }
    void CompareLimits(double min, double max) const;
    void Perform(const QString &step);
    void CheckCompanion(TMfrTemperatureUnit *selector, const QString &beside, double tolerance,
                        const QString &after) const;
};

// The drop-down chosen with the keyboard: the arrow keys select the neighbouring item.
void TestTemperature::ChooseUnit(TMfrTemperatureUnit *selector, int index)
{
    QComboBox *combo = selector->cbTempUnit();
    combo->setFocus(Qt::TabFocusReason);
    QVERIFY(combo->hasFocus());
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
}

void TestTemperature::CompareLimits(double min, double max) const
{
    QVERIFY2(std::fabs(static_cast<double>(Source()->MinValue()) - min) < 1e-9,
             qPrintable(QString::number(static_cast<double>(Source()->MinValue()), 'g', 17)));
    QVERIFY2(std::fabs(static_cast<double>(Source()->MaxValue()) - max) < 1e-9,
             qPrintable(QString::number(static_cast<double>(Source()->MaxValue()), 'g', 17)));
}

void TestTemperature::opensOnPt1000TemperatureToResistance()
{
    Open();
    QVERIFY(Find<QRadioButton>("rbPt1000")->isChecked());
    QCOMPARE(Calculator()->Sensor(), stPt1000);
    QVERIFY(!Calculator()->IsThermocouple());
    QCOMPARE(Calculator()->Direction(), cdTempToElectricQuant);
    QCOMPARE(Calculator()->LastSourceUnit(), unCelsius);
    QVERIFY(Find<QRadioButton>("rbTempToElectricQuant")->isChecked());
    QCOMPARE(Find<QRadioButton>("rbTempToElectricQuant")->text(), "Temperature to resistance");
    QCOMPARE(Find<QRadioButton>("rbElectricQuantToTemp")->text(), "Resistance to temperature");
    QCOMPARE(Find<QLabel>("lSource")->text(), "Temperature =");
    QCOMPARE(Find<QLabel>("lResult")->text(), "Resistance =");
    QCOMPARE(Source()->text(), "0.00000");
    QCOMPARE(SourceUnit()->Mode(), umTemperature);
    QCOMPARE(SourceUnit()->cbTempUnit()->currentText(), "°C");
    QCOMPARE(SourceUnit()->neTemp2()->text(), "32.00000");
    QCOMPARE(SourceUnit()->lTemp2Unit()->text(), "°F");
    QCOMPARE(Shown(), "1000.000");
    QCOMPARE(ResultUnit()->Mode(), umResistance);
    QVERIFY(ResultUnit()->lResist()->isVisible());
    QCOMPARE(ResultUnit()->lResist()->text(), "Ohms");
    CompareLimits(-200.1, 850.1);
    NoBoxes();
    QCOMPARE(m_seam->beeps, 0);
}

void TestTemperature::layoutFollowsTheDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    QTest::newRow("sensors") << "gbSensors" << QRect(10, 6, 380, 224) << "Choose sensor";
    QTest::newRow("direction") << "gbDirection" << QRect(10, 235, 380, 65) << "Choose direction";
    QTest::newRow("input") << "gbInput" << QRect(10, 305, 380, 53) << "Input";
    QTest::newRow("result") << "gbResult" << QRect(10, 363, 380, 53) << "Result";
    QTest::newRow("to electric") << "rbTempToElectricQuant" << QRect(8, 20, 161, 17)
                                 << "Temperature to resistance";
    QTest::newRow("to temperature")
        << "rbElectricQuantToTemp" << QRect(8, 40, 161, 17) << "Resistance to temperature";
    QTest::newRow("source") << "neSource" << QRect(92, 18, 100, 21) << "0.00000";
    QTest::newRow("source unit") << "tuSource" << QRect(199, 18, 176, 21) << QString();
    QTest::newRow("result display") << "reResult" << QRect(92, 18, 103, 22) << QString();
    QTest::newRow("result unit") << "tuResult" << QRect(199, 18, 176, 21) << QString();
}

void TestTemperature::layoutFollowsTheDesign()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    Open();
    auto *widget = Frame()->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(box->title(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), caption);
    else if (auto *edit = qobject_cast<TNvNumEdit *>(widget))
        QCOMPARE(edit->text(), caption);
    QCOMPARE(Find<QLabel>("lSource")->pos(), QPoint(20, 22));
    QCOMPARE(Find<QLabel>("lResult")->pos(), QPoint(20, 23));
}

void TestTemperature::sensorButtonsFollowTheDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("sensor");

    QTest::newRow("Pt1000") << "rbPt1000"
                            << "RTD Pt1000/3850 ppm" << 0;
    QTest::newRow("Pt100") << "rbPt100"
                           << "RTD Pt100/3850 ppm" << 1;
    QTest::newRow("Ni1000") << "rbNi1000"
                            << "RTD Ni1000/6180 ppm" << 2;
    QTest::newRow("NTC2252") << "rbNTC2252"
                             << "Thermistor NTC2252" << 3;
    QTest::newRow("K") << "rbTcK"
                       << "Thermocouple \"K\" (NiCr - Ni)" << 4;
    QTest::newRow("J") << "rbTcJ"
                       << "Thermocouple \"J\" (Fe - Co)" << 5;
    QTest::newRow("S") << "rbTcS"
                       << "Thermocouple \"S\" (Pt10%Rh - Pt)" << 6;
    QTest::newRow("B") << "rbTcB"
                       << "Thermocouple \"B\" (Pt30%Rh - Pt)" << 7;
    QTest::newRow("T") << "rbTcT"
                       << "Thermocouple \"T\" (Cu - CuNi)" << 8;
    QTest::newRow("N") << "rbTcN"
                       << "Thermocouple \"N\" (Nikrosil-Nisil)" << 9;
}

void TestTemperature::sensorButtonsFollowTheDesign()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, sensor);
    Open();
    auto *button = Find<QRadioButton>(qPrintable(name));
    QCOMPARE(button->parentWidget()->objectName(), "gbSensors");
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->geometry(), QRect(8, 20 + 20 * sensor, 200, 17));
    Choose(qPrintable(name));
    QCOMPARE(static_cast<int>(Calculator()->Sensor()), sensor);
    QCOMPARE(Calculator()->IsThermocouple(), sensor >= 4);
}

void TestTemperature::tabOrderFollowsTheDesign()
{
    Open();
    const QStringList expected{"rbPt1000",
                               "rbPt100",
                               "rbNi1000",
                               "rbTcK",
                               "rbTcJ",
                               "rbTcS",
                               "rbTcB",
                               "rbTcT",
                               "rbNTC2252",
                               "rbTcN",
                               "rbTempToElectricQuant",
                               "rbElectricQuantToTemp",
                               "neSource",
                               "tuSource",
                               "reResult",
                               "tuResult",
                               "bCalculate"};
    // The named controls as they come in the focus chain, each the first time it or one of its
    // inner controls appears.
    QStringList order;
    QWidget *w = Find<QRadioButton>("rbPt1000");
    for (int i = 0; i < 200 && order.size() < expected.size(); ++i, w = w->nextInFocusChain()) {
        for (QWidget *p = w; p && p != Frame(); p = p->parentWidget()) {
            const QString name = p->objectName();
            if (expected.contains(name)) {
                if (!order.contains(name))
                    order << name;
                break;
            }
        }
    }
    QCOMPARE(order, expected);
}

void TestTemperature::unitSelectorShowsOneModeAtATime()
{
    TMfrTemperatureUnit selector;
    QCOMPARE(selector.size(), QSize(175, 21));
    QCOMPARE(selector.Mode(), umTemperature);
    QCOMPARE(selector.cbTempUnit()->geometry(), QRect(0, 0, 45, 21));
    QCOMPARE(selector.neTemp2()->geometry(), QRect(58, 0, 100, 21));
    QVERIFY(selector.neTemp2()->isReadOnly());
    QCOMPARE(selector.lTemp2Unit()->pos(), QPoint(161, 4));
    QCOMPARE(selector.lResist()->pos(), QPoint(4, 4));
    QCOMPARE(selector.lMicroVolts()->pos(), QPoint(4, 4));
    const auto shown = [&selector] {
        QString s;
        for (QWidget *w : std::initializer_list<QWidget *>{
                 selector.cbTempUnit(), selector.neTemp2(), selector.lTemp2Unit(),
                 selector.lResist(), selector.lMicroVolts()})
            s += w->isVisibleTo(&selector) ? '1' : '0';
        return s;
    };
    QCOMPARE(shown(), "11100");
    QCOMPARE(selector.TempUnit(), unCelsius);
    selector.setMode(umResistance);
    QCOMPARE(shown(), "00010");
    QCOMPARE(selector.TempUnit(), unNone);
    selector.setMode(umVoltage);
    QCOMPARE(shown(), "00001");
    selector.setMode(static_cast<TUnitMode>(3));
    QCOMPARE(shown(), "00001"); // stored, nothing shown anew
    QCOMPARE(selector.Mode(), static_cast<TUnitMode>(3));
    QCOMPARE(selector.TempUnit(), unNone);
    selector.setMode(umTemperature);
    QCOMPARE(shown(), "11100");

    // On its own the selector relabels its companion when the unit changes.
    selector.show();
    QVERIFY(QTest::qWaitForWindowActive(&selector));
    selector.cbTempUnit()->setFocus();
    QTest::keyClick(selector.cbTempUnit(), Qt::Key_Down);
    QCOMPARE(selector.TempUnit(), unFahrenheit);
    QCOMPARE(selector.lTemp2Unit()->text(), "°C");
    QTest::keyClick(selector.cbTempUnit(), Qt::Key_Up);
    QCOMPARE(selector.lTemp2Unit()->text(), "°F");
}

void TestTemperature::unitLabelsShowWhole_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::newRow("resistance") << "lResist"
                                << "Ohms";
    QTest::newRow("voltage") << "lMicroVolts"
                             << "uV";
}

// At the frame's designed font, where the selector's labels are drawn.
void TestTemperature::unitLabelsShowWhole()
{
    QFETCH(QString, label);
    QFETCH(QString, caption);
    Open();
    for (TMfrTemperatureUnit *selector : {SourceUnit(), ResultUnit()}) {
        auto *unit = selector->findChild<QLabel *>(label);
        QVERIFY(unit);
        QCOMPARE(unit->text(), caption);
        QCOMPARE(unit->pos(), QPoint(4, 4));
        QVERIFY2(unit->fontMetrics().horizontalAdvance(caption) <= unit->width(),
                 qPrintable(QStringLiteral("%1 wide in %2")
                                .arg(unit->fontMetrics().horizontalAdvance(caption))
                                .arg(unit->width())));
        QVERIFY(unit->geometry().right() < selector->width());
    }
}

void TestTemperature::calculatesTypedInput_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<int>("sourceUnit");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("field"); // the input as the field shows it when calculating
    QTest::addColumn<QString>("result");

    QTest::newRow("Pt1000 100 °C") << "rbPt1000" << false << 0 << "100"
                                   << "100.00000"
                                   << "1385.055";
    QTest::newRow("Pt100 0 °C") << "rbPt100" << false << 0 << "0"
                                << "0.00000"
                                << "100.000";
    QTest::newRow("Pt1000 212 °F") << "rbPt1000" << false << 1 << "212"
                                   << "212.00000"
                                   << "1385.055";
    QTest::newRow("Pt1000 900 °C corrected to 850") << "rbPt1000" << false << 0 << "900"
                                                    << "850.00000"
                                                    << "3904.811";
    QTest::newRow("Pt1000 850.05 °C in the margin") << "rbPt1000" << false << 0 << "850.05"
                                                    << "850.05000"
                                                    << "3904.958";
    QTest::newRow("Ni1000 742 Ω has no temperature") << "rbNi1000" << true << 0 << "742"
                                                     << "742.00000" << NoResult;
    QTest::newRow("Ni1000 1617.785 Ω") << "rbNi1000" << true << 0 << "1617.785"
                                       << "1617.78500"
                                       << "99.998";
    QTest::newRow("Pt1000 3900 Ω beyond 650 °C") << "rbPt1000" << true << 0 << "3900"
                                                 << "3900.00000" << NoResult;
    QTest::newRow("NTC 25 °C") << "rbNTC2252" << false << 0 << "25"
                               << "25.00000"
                               << "2253.033";
    QTest::newRow("NTC 2252 Ω") << "rbNTC2252" << true << 0 << "2252"
                                << "2252.00000"
                                << "25.010";
    QTest::newRow("K 100 °C") << "rbTcK" << false << 0 << "100"
                              << "100.00000"
                              << "4096.230";
    QTest::newRow("J 1200 °C") << "rbTcJ" << false << 0 << "1200"
                               << "1200.00000"
                               << "69553.180";
    QTest::newRow("N 36255.54 µV") << "rbTcN" << true << 0 << "36255.54"
                                   << "36255.54000"
                                   << "1000.007";
}

void TestTemperature::calculatesTypedInput()
{
    QFETCH(QString, sensor);
    QFETCH(bool, inverse);
    QFETCH(int, sourceUnit);
    QFETCH(QString, input);
    QFETCH(QString, field);
    QFETCH(QString, result);
    Open();
    Choose(qPrintable(sensor));
    if (inverse)
        Choose("rbElectricQuantToTemp");
    if (sourceUnit != 0)
        ChooseUnit(SourceUnit(), sourceUnit);
    TypeInput(input);
    Calculate();
    QCOMPARE(Source()->text(), field);
    QCOMPARE(Shown(), result);
    NoBoxes();
}

void TestTemperature::inputUnitChangeConvertsTheInput()
{
    Open();
    TypeInput("100");
    Calculate();
    QCOMPARE(Shown(), "1385.055");
    ChooseUnit(SourceUnit(), 1);
    QCOMPARE(Source()->text(), "212.00000");
    QCOMPARE(SourceUnit()->neTemp2()->text(), "100.00000");
    QCOMPARE(SourceUnit()->lTemp2Unit()->text(), "°C");
    QCOMPARE(Calculator()->LastSourceUnit(), unFahrenheit);
    CompareLimits(-328.1, 1562.1);
    QCOMPARE(Shown(), "1385.055");
    // and back
    ChooseUnit(SourceUnit(), 0);
    QCOMPARE(Source()->text(), "100.00000");
    QCOMPARE(SourceUnit()->neTemp2()->text(), "212.00000");
    CompareLimits(-200.1, 850.1);
}

void TestTemperature::choosingTheSameUnitAgainConvertsNothing()
{
    Open();
    TypeInput("100");
    QComboBox *combo = SourceUnit()->cbTempUnit();
    combo->setFocus(Qt::TabFocusReason);
    // Open the list and take the item already selected.
    QTest::keyClick(combo, Qt::Key_F4);
    QTRY_VERIFY(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QTRY_VERIFY(!combo->view()->isVisible());
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(Source()->text(), "100.00000");
    QCOMPARE(Shown(), "1385.055"); // recalculated all the same
}

void TestTemperature::resistanceToTemperatureInBothScales()
{
    Open();
    Choose("rbElectricQuantToTemp");
    QCOMPARE(Find<QLabel>("lSource")->text(), "Resistance =");
    QCOMPARE(Find<QLabel>("lResult")->text(), "Temperature =");
    QCOMPARE(ResultUnit()->Mode(), umTemperature);
    QCOMPARE(SourceUnit()->Mode(), umResistance);
    TypeInput("1385.055");
    Calculate();
    QCOMPARE(Shown(), "100.000");
    QCOMPARE(ResultUnit()->cbTempUnit()->currentText(), "°C");
    QCOMPARE(ResultUnit()->lTemp2Unit()->text(), "°F");
    QCOMPARE(ResultUnit()->neTemp2()->text(), "212.00024");
    ChooseUnit(ResultUnit(), 1);
    QCOMPARE(Shown(), "212.000");
    QCOMPARE(ResultUnit()->neTemp2()->text(), "100.00013");
    QCOMPARE(ResultUnit()->lTemp2Unit()->text(), "°C");
    QCOMPARE(Source()->text(), "1385.05500"); // the input is not converted
}

void TestTemperature::outOfRangeInputIsCorrectedOnLeavingTheField()
{
    Open();
    TypeInput("900");
    QTest::keyClick(Source(), Qt::Key_Tab);
    QCOMPARE(Source()->text(), "850.00000");
    QVERIFY(Source()->hasFocus()); // given back
    QCOMPARE(m_seam->beeps, 0);    // the frame's own correction, without the field's beep
    QCOMPARE(Shown(), "1000.000"); // typing and leaving do not calculate
    QCOMPARE(SourceUnit()->neTemp2()->text(), "1562.00000");
    TypeInput("-1000");
    QTest::keyClick(Source(), Qt::Key_Tab);
    QCOMPARE(Source()->text(), "-200.00000");
}

void TestTemperature::sensorChangeBringsTheInputIntoRange()
{
    Open();
    Choose("rbTcK");
    TypeInput("1000");
    Calculate();
    QCOMPARE(Shown(), "41275.605");
    Choose("rbPt1000");
    QCOMPARE(Source()->text(), "850.00000");
    QCOMPARE(Shown(), "3904.811");
}

void TestTemperature::directionChangeReadsTheNumberInTheNewQuantity()
{
    Open();
    TypeInput("100");
    Calculate();
    Choose("rbElectricQuantToTemp");
    QCOMPARE(Calculator()->Direction(), cdElectricQuantToTemp);
    QCOMPARE(Source()->text(), "180.00000");
    CompareLimits(179.9, 3900.1);
    QCOMPARE(Shown(), "-201.202");
    Choose("rbTempToElectricQuant");
    QCOMPARE(Source()->text(), "180.00000"); // within -200 ... 850 °C
    QCOMPARE(Shown(), "1684.783");
}

void TestTemperature::nickelResistanceLimits()
{
    Open();
    Choose("rbNi1000");
    CompareLimits(-50.1, 250.1);
    Choose("rbElectricQuantToTemp");
    CompareLimits(741.9, 2891.1);
    QCOMPARE(Source()->text(), "742.00000"); // 0 Ω brought onto the lower limit
    TypeInput("500");
    QTest::keyClick(Source(), Qt::Key_Tab);
    QCOMPARE(Source()->text(), "742.00000");
    QVERIFY(Source()->hasFocus());
}

void TestTemperature::thermocoupleCaptionsAndBack()
{
    Open();
    Choose("rbTcK");
    QCOMPARE(Find<QRadioButton>("rbTempToElectricQuant")->text(), "Temperature to voltage");
    QCOMPARE(Find<QRadioButton>("rbElectricQuantToTemp")->text(), "Voltage to temperature");
    QCOMPARE(Find<QLabel>("lResult")->text(), "Voltage =");
    QCOMPARE(ResultUnit()->Mode(), umVoltage);
    QVERIFY(ResultUnit()->lMicroVolts()->isVisible());
    QCOMPARE(ResultUnit()->lMicroVolts()->text(), "uV");
    QVERIFY(!ResultUnit()->lResist()->isVisible());
    CompareLimits(-270.1, 1370.1);
    Choose("rbElectricQuantToTemp");
    QCOMPARE(Find<QLabel>("lSource")->text(), "Voltage =");
    QVERIFY(SourceUnit()->lMicroVolts()->isVisible());
    CompareLimits(-5500.1, 54500.1);
    Choose("rbPt100");
    QCOMPARE(Find<QRadioButton>("rbTempToElectricQuant")->text(), "Temperature to resistance");
    QCOMPARE(Find<QRadioButton>("rbElectricQuantToTemp")->text(), "Resistance to temperature");
    QCOMPARE(Find<QLabel>("lSource")->text(), "Resistance =");
    QVERIFY(SourceUnit()->lResist()->isVisible());
    QVERIFY(!SourceUnit()->lMicroVolts()->isVisible());
    CompareLimits(17.9, 390.1);
}

void TestTemperature::thermocoupleOutsideItsAcceptedRangeShowsNoResult_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<QString>("input");

    // The field tolerates 0.1 beyond the limits; there the functions accept nothing.
    QTest::newRow("J 1200.05 °C") << "rbTcJ" << false << "1200.05";
    QTest::newRow("J -210.05 °C") << "rbTcJ" << false << "-210.05";
    QTest::newRow("B -0.05 °C") << "rbTcB" << false << "-0.05";
    QTest::newRow("B 290.95 µV") << "rbTcB" << true << "290.95";
}

void TestTemperature::thermocoupleOutsideItsAcceptedRangeShowsNoResult()
{
    QFETCH(QString, sensor);
    QFETCH(bool, inverse);
    QFETCH(QString, input);
    Open();
    Choose(qPrintable(sensor));
    if (inverse)
        Choose("rbElectricQuantToTemp");
    TypeInput(input);
    Calculate();
    QCOMPARE(Source()->text(), input + (input.contains('.') ? "000" : ".00000"));
    QCOMPARE(Shown(), NoResult);
    NoBoxes();
}

void TestTemperature::directionRoundTripRecomputesTheCompanion()
{
    Open();
    Find<QRadioButton>("rbPt1000")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(Calculator()->Sensor(), stPt100);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(Calculator()->Direction(), cdElectricQuantToTemp);
    QCOMPARE(Source()->text(), "18.00000"); // 0 Ω brought onto the lower limit
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(Calculator()->Direction(), cdTempToElectricQuant);
    // 18 is now read as °C; its companion is not the -7.77778 computed while it was a resistance.
    QCOMPARE(Source()->text(), "18.00000");
    QCOMPARE(SourceUnit()->neTemp2()->text(), "64.40000");
    NoBoxes();
}

void TestTemperature::failedCalculationBlanksTheCompanion()
{
    Open();
    Choose("rbPt100");
    Choose("rbElectricQuantToTemp");
    TypeInput("138.5");
    Calculate();
    QCOMPARE(Shown(), "99.986");
    QCOMPARE(ResultUnit()->neTemp2()->text(), "211.97413");
    // 390 Ω lies beyond the 650 °C the thermometer's inverse covers: a number beside the marker
    // would be a wrong result.
    TypeInput("390");
    Calculate();
    QCOMPARE(Shown(), NoResult);
    QCOMPARE(ResultUnit()->neTemp2()->text(), NoResult);
    TypeInput("138.5");
    Calculate();
    QCOMPARE(ResultUnit()->neTemp2()->text(), "211.97413");
    NoBoxes();
}

// A companion shows the number beside it in the other scale, "-----" beside "-----". Parsed and
// converted here, independently of the frame.
void TestTemperature::CheckCompanion(TMfrTemperatureUnit *selector, const QString &beside,
                                     double tolerance, const QString &after) const
{
    const QString companion = selector->neTemp2()->text();
    const QString scale = selector->cbTempUnit()->currentText();
    const QString other = scale == "°C" ? "°F" : "°C";
    const QString where = QStringLiteral("after %1, %2: %3 %4 beside %5 %6")
                              .arg(after, selector->objectName(), companion, other, beside, scale);
    QVERIFY2(selector->lTemp2Unit()->text() == other, qPrintable(where));
    if (beside == NoResult) {
        QVERIFY2(companion == NoResult, qPrintable(where));
        return;
    }
    bool ok = false;
    const double x = beside.toDouble(&ok);
    QVERIFY2(ok, qPrintable(where));
    const double expected = scale == "°C" ? x * 1.8 + 32 : (x - 32) / 1.8;
    const double shown = companion.toDouble(&ok);
    QVERIFY2(ok && std::fabs(shown - expected) <= tolerance, qPrintable(where));
}

void TestTemperature::companionsShowWhatIsBesideThem_data()
{
    QTest::addColumn<QStringList>("steps");

    // "sensor N" and "direction N" move through the options with the arrow keys, each key a
    // change; "input X" types X and calculates; "input unit N" and "result unit N" pick a scale
    // with the keyboard.
    QTest::newRow("typed resistance read as a temperature")
        << QStringList{"direction 1", "input 390", "direction 0"};
    QTest::newRow("failure, then result in °F and back")
        << QStringList{"direction 1",    "input 3900", "result unit 1",
                       "input 1385.055", "input 3900", "result unit 0"};
    QTest::newRow("input in °F through the directions")
        << QStringList{"input 100", "input unit 1", "direction 1", "direction 0", "input unit 0"};
    QTest::newRow("every sensor forward") << QStringList{"input 300", "sensor 9", "sensor 0"};
    QTest::newRow("every sensor backward, result in °F")
        << QStringList{"direction 1", "result unit 1", "input 2000", "sensor 9", "sensor 0"};
    QTest::newRow("thermocouple voltage back to a temperature")
        << QStringList{"sensor 4", "direction 1", "input 4096", "direction 0",
                       "sensor 3", "direction 1", "direction 0"};
    QTest::newRow("both scales in °F, both directions")
        << QStringList{"input unit 1", "direction 1",  "result unit 1", "input 1000",
                       "direction 0",  "input unit 0", "direction 1",   "result unit 0"};
}

// After every step each visible companion shows the conversion of what is beside it.
void TestTemperature::companionsShowWhatIsBesideThem()
{
    QFETCH(QStringList, steps);
    Open();
    for (const QString &step : steps) {
        Perform(step);
        if (SourceUnit()->neTemp2()->isVisible())
            CheckCompanion(SourceUnit(), Source()->text(), 0.6e-5, step);
        // The result is rounded to 0.001, its companion is not.
        if (ResultUnit()->neTemp2()->isVisible())
            CheckCompanion(ResultUnit(), Shown(), 0.001, step);
        if (QTest::currentTestFailed())
            return;
    }
    NoBoxes();
}

void TestTemperature::Perform(const QString &step)
{
    const QStringList words = step.split(' ');
    const auto arrowTo = [](QButtonGroup *group, int id) {
        QAbstractButton *checked = group->checkedButton();
        checked->setFocus(Qt::TabFocusReason);
        while (group->checkedId() != id) {
            const int before = group->checkedId();
            QTest::keyClick(QApplication::focusWidget(), id > before ? Qt::Key_Down : Qt::Key_Up);
            QVERIFY(group->checkedId() != before);
        }
    };
    if (words[0] == "sensor") {
        // Options in the order they are drawn, which is the order of the sensors.
        arrowTo(Frame()->findChild<QButtonGroup *>("bgSensors"), words[1].toInt());
    } else if (words[0] == "direction") {
        arrowTo(Frame()->findChild<QButtonGroup *>("bgDirection"), words[1].toInt());
    } else if (words[0] == "input" && words.size() == 2) {
        TypeInput(words[1]);
        Calculate();
    } else if (words[1] == "unit") {
        ChooseUnit(words[0] == "input" ? SourceUnit() : ResultUnit(), words[2].toInt());
    } else {
        QFAIL(qPrintable("no step " + step));
    }
}

void TestTemperature::typeJVoltageCoversItsInverseFunction_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("field"); // as the field holds it once left
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("tolerance"); // the inverse function's own error band

    QTest::newRow("57953 µV is 1000 °C") << "57953"
                                         << "57953.00000" << 1000.0 << 0.02;
    QTest::newRow("lower limit") << "-8095"
                                 << "-8095.00000" << -210.0 << 0.05;
    QTest::newRow("upper limit") << "69553"
                                 << "69553.00000" << 1200.0 << 0.05;
    // Beyond the field's tolerance the value is brought back onto the limit.
    QTest::newRow("below the lower limit") << "-8095.2"
                                           << "-8095.00000" << -210.0 << 0.05;
    QTest::newRow("above the upper limit") << "69553.2"
                                           << "69553.00000" << 1200.0 << 0.05;
}

void TestTemperature::typeJVoltageCoversItsInverseFunction()
{
    QFETCH(QString, input);
    QFETCH(QString, field);
    QFETCH(double, temperature);
    QFETCH(double, tolerance);
    Open();
    Choose("rbTcJ");
    Choose("rbElectricQuantToTemp");
    CompareLimits(-8095.1, 69553.1);
    TypeInput(input);
    QTest::keyClick(Source(), Qt::Key_Tab);
    QCOMPARE(Source()->text(), field);
    Calculate();
    bool ok = false;
    const double shown = Shown().toDouble(&ok);
    QVERIFY2(ok, qPrintable(Shown()));
    QVERIFY2(std::fabs(shown - temperature) <= tolerance, qPrintable(Shown()));
    NoBoxes();
}

void TestTemperature::companionBeyondEveryTemperatureShowsNoResult_data()
{
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<int>("sourceUnit");
    QTest::addColumn<QString>("corrected"); // the field once left, and its companion

    // The largest power of ten the extended type holds: no double holds it, in either scale.
    QTest::newRow("typed in °C") << false << 0 << "850.00000 1562.00000";
    QTest::newRow("pasted in °C") << true << 0 << "850.00000 1562.00000";
    QTest::newRow("typed in °F") << false << 1 << "1562.00000 850.00000";
}

void TestTemperature::companionBeyondEveryTemperatureShowsNoResult()
{
    if (std::numeric_limits<Extended>::max_exponent10
        <= std::numeric_limits<double>::max_exponent10)
        QSKIP("no value lies beyond a double where the extended type is double");
    QFETCH(bool, pasted);
    QFETCH(int, sourceUnit);
    QFETCH(QString, corrected);
    Open();
    if (sourceUnit != 0)
        ChooseUnit(SourceUnit(), sourceUnit);
    const QString shownBefore = Shown();
    const QString huge = QStringLiteral("1e%1").arg(std::numeric_limits<Extended>::max_exponent10);
    if (pasted) {
        QApplication::clipboard()->setText(huge);
        Source()->setFocus(Qt::TabFocusReason);
        Source()->selectAll();
        QTest::keyClick(Source(), Qt::Key_V, Qt::ControlModifier);
    } else {
        TypeInput(huge);
    }
    QVERIFY2(Source()->Value() > std::numeric_limits<double>::max(), qPrintable(Source()->text()));
    QCOMPARE(SourceUnit()->neTemp2()->text(), NoResult);
    QCOMPARE(Shown(), shownBefore);
    NoBoxes();

    // The field's own limits still hold when it is left.
    QTest::keyClick(Source(), Qt::Key_Tab);
    QCOMPARE(Source()->text() + ' ' + SourceUnit()->neTemp2()->text(), corrected);
    NoBoxes();
}

QTEST_MAIN(TestTemperature)
#include "tst_temperature.moc"
