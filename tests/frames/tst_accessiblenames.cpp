// SPDX-License-Identifier: MIT
#include "FrameTest.h"
#include "uMfrCurrentLoop4to20mA.h"
#include "uMfrHumidity.h"
#include "uMfrLinearTrans.h"
#include "uMfrResultEdit.h"
#include "uMfrTemperature.h"
#include "uMfrTemperatureUnit.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRadioButton>
#include <QTest>

// What a screen reader hears on each tab: every control that takes the focus has a name, unique
// on its tab; each field and display is named by its quantity and unit, which follow the
// direction and the scales chosen; displays are read-only; labels are tied to their fields.
class TestAccessibleNames : public TFrameTest
{
    Q_OBJECT

private Q_SLOTS:
    void everyFocusableControlIsNamed_data();
    void everyFocusableControlIsNamed();
    void captionLabelsAreTiedToTheirFields_data();
    void captionLabelsAreTiedToTheirFields();
    void inverseOptionAndDiagramReadSensibly();

private:
    enum TTab { Temperature, Humidity, CurrentLoop, LinearTrans };

    TMfrBaseFrame *MakeFrame() const override;
    void Perform(const QString &step);
    static QString Key(const QWidget *w);

    TTab m_tab = Temperature;
};

TMfrBaseFrame *TestAccessibleNames::MakeFrame() const
{
    switch (m_tab) {
    case Temperature:
        return new TMfrTemperature;
    case Humidity:
        return new TMfrHumidity;
    case CurrentLoop:
        return new TMfrCurrentLoop4to20mA;
    case LinearTrans:
        return new TMfrLinearTrans;
    }
    return nullptr;
}

// "choose OPTION"; "unit SELECTOR INDEX" picks a scale with the keyboard; "type FIELD TEXT";
// "calculate".
void TestAccessibleNames::Perform(const QString &step)
{
    const QStringList words = step.split(' ');
    if (words[0] == "choose") {
        Choose(qPrintable(words[1]));
    } else if (words[0] == "unit") {
        QComboBox *combo = Find<TMfrTemperatureUnit>(qPrintable(words[1]))->cbTempUnit();
        combo->setFocus(Qt::TabFocusReason);
        while (combo->currentIndex() < words[2].toInt())
            QTest::keyClick(combo, Qt::Key_Down);
    } else if (words[0] == "type") {
        TypeInto(qPrintable(words[1]), words[2]);
    } else if (words[0] == "calculate") {
        Calculate();
    } else {
        QFAIL(qPrintable("no step " + step));
    }
}

// A field inside a result display is known by the display; a field of a unit selector by the
// selector and its own name.
QString TestAccessibleNames::Key(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    if (qobject_cast<const TMfrResultEdit *>(parent))
        return parent->objectName();
    if (qobject_cast<const TMfrTemperatureUnit *>(parent))
        return parent->objectName() + '/' + w->objectName();
    return w->objectName();
}

void TestAccessibleNames::everyFocusableControlIsNamed_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("steps");
    // Every field and display that takes the focus, and the name it must have.
    QTest::addColumn<QStringList>("names");

    QTest::newRow("temperature at start")
        << int(Temperature) << QStringList{}
        << QStringList{"neSource=Temperature, °C", "tuSource/neTemp2=Temperature, °F",
                       "reResult=Resistance, Ω"};
    QTest::newRow("temperature, input in °F")
        << int(Temperature) << QStringList{"unit tuSource 1"}
        << QStringList{"neSource=Temperature, °F", "tuSource/neTemp2=Temperature, °C",
                       "reResult=Resistance, Ω"};
    QTest::newRow("temperature from a resistance")
        << int(Temperature) << QStringList{"choose rbElectricQuantToTemp"}
        << QStringList{"neSource=Resistance, Ω", "reResult=Temperature, °C",
                       "tuResult/neTemp2=Temperature, °F"};
    QTest::newRow("temperature from a voltage, result in °F")
        << int(Temperature)
        << QStringList{"choose rbTcK", "choose rbElectricQuantToTemp", "unit tuResult 1"}
        << QStringList{"neSource=Voltage, µV", "reResult=Temperature, °F",
                       "tuResult/neTemp2=Temperature, °C"};
    QTest::newRow("temperature without a result")
        << int(Temperature)
        << QStringList{"choose rbPt100", "choose rbElectricQuantToTemp", "type neSource 390",
                       "calculate"}
        << QStringList{"neSource=Resistance, Ω", "reResult=Temperature, °C",
                       "tuResult/neTemp2=Temperature, °F"};

    const QStringList humidityInputs{
        "neTemp=Temperature, °C", "neTempAccuracy=Temperature accuracy, °C",
        "neRelHum=Relative humidity, %", "neRelHumAccuracy=Relative humidity accuracy, %",
        "nePress=Pressure, Pa"};
    const QStringList humidityResults{"reDewpoint=Dew point, °C",
                                      "reDewpointAccuracy=Dew point accuracy, °C",
                                      "reAbsHum=Absolute humidity, g/m³",
                                      "reAbsHumAccuracy=Absolute humidity accuracy, g/m³",
                                      "reSpecHum=Specific humidity, g/kg",
                                      "reSpecHumAccuracy=Specific humidity accuracy, g/kg",
                                      "reMixRatio=Mixing ratio, g/kg",
                                      "reMixRatioAccuracy=Mixing ratio accuracy, g/kg",
                                      "reSpecEnth=Specific enthalpy, kJ/kg",
                                      "reSpecEnthAccuracy=Specific enthalpy accuracy, kJ/kg"};
    QTest::newRow("humidity") << int(Humidity) << QStringList{} << humidityInputs + humidityResults;

    const QStringList loopSettings{"neValLo=Output value at 4 mA", "neValHi=Output value at 20 mA"};
    QTest::newRow("current loop to the output value")
        << int(CurrentLoop) << QStringList{}
        << loopSettings + QStringList{"neInput=Current, mA", "reResult=Output value"};
    QTest::newRow("current loop to the current")
        << int(CurrentLoop) << QStringList{"choose rbToCurrent", "calculate"}
        << loopSettings + QStringList{"neInput=Output value", "reResult=Current, mA"};

    const QStringList points{"neX0=x0", "neX1=x1", "neY0=y0", "neY1=y1"};
    QTest::newRow("linear y from x")
        << int(LinearTrans) << QStringList{} << points + QStringList{"neInput=x", "reResult=y"};
    // Without a line the result is "-----".
    QTest::newRow("linear x from y")
        << int(LinearTrans) << QStringList{"choose rbYtoX", "calculate"}
        << points + QStringList{"neInput=y", "reResult=x"};
}

void TestAccessibleNames::everyFocusableControlIsNamed()
{
    QFETCH(int, tab);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, names);
    QMap<QString, QString> expected;
    for (const QString &entry : names)
        expected.insert(entry.section('=', 0, 0), entry.section('=', 1));
    m_tab = static_cast<TTab>(tab);
    Open();
    for (const QString &step : steps)
        Perform(step);
    m_seam->warnings.clear(); // the linear tab's warning about a missing line is not the point

    QMap<QString, QString> seen; // name -> control
    QStringList fieldsSeen;
    for (QWidget *w : Frame()->findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(Frame()) || !w->isEnabled())
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(iface, qPrintable(w->objectName()));
        const QString name = iface->text(QAccessible::Name);
        const QString key = Key(w);
        QVERIFY2(!name.isEmpty(), qPrintable(key));
        QVERIFY2(
            !seen.contains(name),
            qPrintable(QStringLiteral("%1 and %2 are both \"%3\"").arg(seen[name], key, name)));
        seen.insert(name, key);

        const auto *edit = qobject_cast<QLineEdit *>(w);
        if (!edit)
            continue;
        QVERIFY2(expected.contains(key), qPrintable("no name expected for " + key));
        QCOMPARE(name, expected[key]);
        fieldsSeen << key;
        // Displays and companions are read-only, and are reported so; inputs are not.
        const bool display = key.startsWith("re") || key.endsWith("/neTemp2");
        QCOMPARE(edit->isReadOnly(), display);
        QCOMPARE(bool(iface->state().readOnly), display);
    }
    fieldsSeen.sort();
    QStringList keys = expected.keys();
    keys.sort();
    QCOMPARE(fieldsSeen, keys);
    NoBoxes();
}

void TestAccessibleNames::captionLabelsAreTiedToTheirFields_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("labels"); // captions beside a field, "±" signs included

    QTest::newRow("temperature") << int(Temperature) << 2;
    QTest::newRow("humidity") << int(Humidity) << 15;
    QTest::newRow("current loop") << int(CurrentLoop) << 5;
    QTest::newRow("linear transformation") << int(LinearTrans) << 6;
}

// A caption ("Pressure =", "±", "Choose from Defaults:") names its field for the accessibility
// bridge: the field reports the label among its labelling relations.
void TestAccessibleNames::captionLabelsAreTiedToTheirFields()
{
    QFETCH(int, tab);
    QFETCH(int, labels);
    m_tab = static_cast<TTab>(tab);
    Open();
    int tied = 0;
    for (QLabel *label : Frame()->findChildren<QLabel *>()) {
        const QString text = label->text();
        if (!text.endsWith('=') && !text.endsWith(':') && text != "±")
            continue;
        QWidget *field = label->buddy();
        QVERIFY2(field, qPrintable(label->objectName() + " has no field"));
        QCOMPARE(field->parentWidget(), label->parentWidget());
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(field);
        QVERIFY(iface);
        bool found = false;
        for (const auto &relation : iface->relations(QAccessible::Label))
            found = found || relation.first->object() == label;
        QVERIFY2(found, qPrintable(label->objectName()));
        ++tied;
    }
    QCOMPARE(tied, labels);
}

void TestAccessibleNames::inverseOptionAndDiagramReadSensibly()
{
    m_tab = LinearTrans;
    Open();
    // Drawn as "x = f" with a raised "-1" and "( y )" beside it.
    QAccessibleInterface *inverse
        = QAccessible::queryAccessibleInterface(Find<QRadioButton>("rbYtoX"));
    QCOMPARE(inverse->text(QAccessible::Name), "x = f inverse (y), x from y");
    QAccessibleInterface *diagram = QAccessible::queryAccessibleInterface(Find<QLabel>("Image1"));
    QCOMPARE(diagram->role(), QAccessible::Graphic);
    QVERIFY(!diagram->text(QAccessible::Name).isEmpty());
    QVERIFY(diagram->text(QAccessible::Description).contains("(x0, y0) and (x1, y1)"));
}

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
