// SPDX-License-Identifier: MIT
#include "uMfrTemperatureUnit.h"

#include "UiSeam.h"

using namespace temperature;

TMfrTemperatureUnit::TMfrTemperatureUnit(QWidget *parent)
    : QFrame(parent)
{
    ui.setupUi(this);
    // activated, not currentIndexChanged: choosing the item already selected is a change too,
    // which an owner tells from a real one.
    connect(ui.cbTempUnit, &QComboBox::activated, this,
            [this] { RunGuarded(this, [this] { cbTempUnitChange(); }); });
    setMode(umTemperature);
}

void TMfrTemperatureUnit::setMode(TUnitMode mode)
{
    m_mode = mode;
    if (mode > umVoltage)
        return;
    const bool temperature = mode == umTemperature;
    ui.cbTempUnit->setVisible(temperature);
    ui.neTemp2->setVisible(temperature);
    ui.lTemp2Unit->setVisible(temperature);
    ui.lResist->setVisible(mode == umResistance);
    ui.lMicroVolts->setVisible(mode == umVoltage);
}

TTempUnit TMfrTemperatureUnit::TempUnit() const
{
    if (m_mode != umTemperature)
        return unNone;
    switch (ui.cbTempUnit->currentIndex()) {
    case 0:
        return unCelsius;
    case 1:
        return unFahrenheit;
    default:
        return unNone;
    }
}

Extended TMfrTemperatureUnit::CompanionValue() const
{
    return ui.neTemp2->Value();
}

void TMfrTemperatureUnit::setCompanionValue(Extended x)
{
    ui.neTemp2->setValue(x);
}

void TMfrTemperatureUnit::ShowNoCompanion()
{
    ui.neTemp2->setText(QStringLiteral("-----"));
}

QString TMfrTemperatureUnit::FieldName() const
{
    switch (m_mode) {
    case umResistance:
        return QStringLiteral("Resistance, Ω");
    case umVoltage:
        return QStringLiteral("Voltage, µV");
    default:
        return QStringLiteral("Temperature, ") + ui.cbTempUnit->currentText();
    }
}

void TMfrTemperatureUnit::OnUnitChange()
{
    const QString otherScale
        = TempUnit() == unCelsius ? QStringLiteral("°F") : QStringLiteral("°C");
    ui.lTemp2Unit->setText(otherScale);
    ui.neTemp2->setAccessibleName(QStringLiteral("Temperature, ") + otherScale);
}

void TMfrTemperatureUnit::cbTempUnitChange()
{
    if (m_onUnitChange)
        m_onUnitChange();
    else
        OnUnitChange();
}
