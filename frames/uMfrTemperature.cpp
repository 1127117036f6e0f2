// SPDX-License-Identifier: MIT
#include "uMfrTemperature.h"

#include "UiSeam.h"
#include "arith.h"
#include "temperature/SensorCalculation.h"

#include <exception>
#include <limits>
#include <utility>

using namespace temperature;

namespace {

const QString TemperatureLabel = QStringLiteral("Temperature =");

// Upper limit that admits any lower limit, so that a new pair of limits is never refused.
constexpr Extended OpenUpperLimit = std::numeric_limits<Extended>::max();

} // namespace

TMfrTemperature::TMfrTemperature(QWidget *parent)
    : TMfrBaseFrame(parent)
{
    ui.setupUi(pMain());
    connect(bCalculate(), &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { bCalculateClick(); }); });
    // Each option's id is the value it stands for.
    const std::pair<QAbstractButton *, TSensorType> sensors[]
        = {{ui.rbPt1000, stPt1000},   {ui.rbPt100, stPt100}, {ui.rbNi1000, stNi1000},
           {ui.rbNTC2252, stNTC2252}, {ui.rbTcK, stTcK},     {ui.rbTcJ, stTcJ},
           {ui.rbTcS, stTcS},         {ui.rbTcB, stTcB},     {ui.rbTcT, stTcT},
           {ui.rbTcN, stTcN}};
    for (const auto &[button, sensor] : sensors)
        ui.bgSensors->setId(button, sensor);
    ui.bgDirection->setId(ui.rbTempToElectricQuant, cdTempToElectricQuant);
    ui.bgDirection->setId(ui.rbElectricQuantToTemp, cdElectricQuantToTemp);
    connect(ui.bgSensors, &QButtonGroup::idClicked, this,
            [this] { RunGuarded(this, [this] { OnChangeSensor(); }); });
    connect(ui.bgDirection, &QButtonGroup::idClicked, this,
            [this] { RunGuarded(this, [this] { OnChangeDirection(); }); });
    connect(ui.neSource, &TNvNumEdit::Change, this,
            [this] { RunGuarded(this, [this] { neSourceChange(); }); });
    ui.neSource->setOnInvalidEntry(
        [this](TNvNumEdit *) { RunGuarded(this, [this] { neSourceInvalidEntry(); }); });
    // The selectors guard their own drop-down's notification.
    ui.tuSource->setOnUnitChange([this] { OnUnitChange(ui.tuSource); });
    ui.tuResult->setOnUnitChange([this] { OnUnitChange(ui.tuResult); });
    InitFrame();
}

void TMfrTemperature::InitFrame()
{
    TMfrBaseFrame::InitFrame();
    m_sensor = stPt1000;
    m_isThermocouple = false;
    m_direction = cdTempToElectricQuant;
    OnChangeSensor();
    m_lastSourceUnit = unCelsius;
    UpdateSourceCompanion();
    bCalculateClick();
}

void TMfrTemperature::OnChangeSensor()
{
    // No option selected leaves the sensor as it was.
    if (const int id = ui.bgSensors->checkedId(); id >= 0)
        m_sensor = static_cast<TSensorType>(id);
    m_isThermocouple = IsThermocoupleSensor(m_sensor);
    UpdateDirectionCaptions();
    bCalculateClick();
}

TConversionDirection TMfrTemperature::SelectedDirection() const
{
    return ui.bgDirection->checkedId() == cdTempToElectricQuant ? cdTempToElectricQuant
                                                                : cdElectricQuantToTemp;
}

void TMfrTemperature::UpdateDirectionCaptions()
{
    if (m_isThermocouple) {
        ui.rbTempToElectricQuant->setText(QStringLiteral("Temperature to voltage"));
        ui.rbElectricQuantToTemp->setText(QStringLiteral("Voltage to temperature"));
    } else {
        ui.rbTempToElectricQuant->setText(QStringLiteral("Temperature to resistance"));
        ui.rbElectricQuantToTemp->setText(QStringLiteral("Resistance to temperature"));
    }
    UpdateQuantityLabels();
}

void TMfrTemperature::OnChangeDirection()
{
    m_direction = SelectedDirection();
    UpdateQuantityLabels();
    bCalculateClick();
}

void TMfrTemperature::UpdateQuantityLabels()
{
    const QString electricLabel
        = m_isThermocouple ? QStringLiteral("Voltage =") : QStringLiteral("Resistance =");
    const TUnitMode electricMode = m_isThermocouple ? umVoltage : umResistance;
    if (m_direction == cdTempToElectricQuant) {
        ui.lSource->setText(TemperatureLabel);
        ui.tuSource->setMode(umTemperature);
        ui.lResult->setText(electricLabel);
        ui.tuResult->setMode(electricMode);
    } else {
        ui.lResult->setText(TemperatureLabel);
        ui.tuResult->setMode(umTemperature);
        ui.lSource->setText(electricLabel);
        ui.tuSource->setMode(electricMode);
    }
    NameFields();
    ApplyInputLimits();
    // The number stays but may now be read in another quantity: its companion, last computed
    // for what the number meant before, is computed afresh.
    UpdateSourceCompanion();
}

void TMfrTemperature::NameFields()
{
    // The input and the result are announced by their quantity and unit, which follow the
    // direction, the sensor kind and the scales chosen.
    ui.neSource->setAccessibleName(ui.tuSource->FieldName());
    ui.reResult->setResultName(ui.tuResult->FieldName());
}

void TMfrTemperature::ApplyInputLimits()
{
    const Extended v = ui.neSource->Value();
    const TTempUnit unit = ui.tuSource->TempUnit();
    const TInputLimits limits = InputFieldLimits(m_sensor, m_direction, unit);
    // The field refuses a lower limit above its upper one: open the range, then lower, upper.
    ui.neSource->setMaxValue(OpenUpperLimit);
    ui.neSource->setMinValue(limits.MinValue);
    ui.neSource->setMaxValue(limits.MaxValue);
    if (const auto corrected = InputOntoSensorLimits(m_sensor, m_direction, unit, v))
        ui.neSource->setValue(*corrected);
}

void TMfrTemperature::neSourceChange()
{
    // Typing only refreshes the companion; the result waits for "Calculate".
    UpdateSourceCompanion();
}

void TMfrTemperature::UpdateSourceCompanion()
{
    // The read stays outside the guard: a field that holds no number is reported.
    const Extended v = ui.neSource->Value();
    if (ui.tuSource->Mode() != umTemperature) {
        // Hidden beside a resistance or a voltage; no number of another quantity waits in it to
        // be seen when the input becomes a temperature again.
        ui.tuSource->ShowNoCompanion();
        return;
    }
    try {
        ui.tuSource->setCompanionValue(OtherScale(v, ui.tuSource->TempUnit()));
    } catch (const arith::EMathError &) {
        // A number typed beyond every temperature has none in the other scale; the field's
        // limits bring it back when it is left.
        ui.tuSource->ShowNoCompanion();
    }
}

void TMfrTemperature::neSourceInvalidEntry()
{
    const TInputLimits limits{ui.neSource->MinValue(), ui.neSource->MaxValue()};
    if (const auto corrected = InvalidEntryCorrection(ui.neSource->Value(), limits))
        ui.neSource->setValue(*corrected);
    if (ui.neSource->isVisible() && ui.neSource->isEnabled())
        ui.neSource->setFocus();
}

void TMfrTemperature::OnUnitChange(TMfrTemperatureUnit *selector)
{
    if (selector == ui.tuResult) {
        ui.tuResult->OnUnitChange();
    } else if (selector == ui.tuSource) {
        ui.tuSource->OnUnitChange();
        // Choosing the unit already shown converts nothing.
        if (ui.tuSource->TempUnit() != m_lastSourceUnit) {
            ui.neSource->setValue(ui.tuSource->CompanionValue());
            ApplyInputLimits();
            m_lastSourceUnit = ui.tuSource->TempUnit();
        }
        // Also where the converted number reads as the old one (-40 °C is -40 °F), so that no
        // change notification came.
        UpdateSourceCompanion();
    }
    NameFields();
    bCalculateClick();
}

void TMfrTemperature::bCalculateClick()
{
    // Outside the guard: a field that holds no number is reported, not shown as "-----".
    const Extended v = ui.neSource->Value();
    try {
        const TSensorResult result = CalculateSensor(
            m_sensor, SelectedDirection(), v, ui.tuSource->TempUnit(), ui.tuResult->TempUnit());
        if (result.IsTemperature)
            ui.tuResult->setCompanionValue(result.Companion);
        else
            ui.tuResult->ShowNoCompanion(); // hidden beside a resistance or a voltage
        ui.reResult->ShowValue(result.Value);
    } catch (const std::exception &) {
        // No result (a resistance without a temperature, a thermocouple input outside the
        // accepted range, an arithmetic fault, a number the display cannot round): a number
        // beside the marker would be a wrong result, so the companion shows the marker too.
        // Nothing is reported.
        ui.reResult->ShowNoResult();
        ui.tuResult->ShowNoCompanion();
    }
}
