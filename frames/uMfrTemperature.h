// SPDX-License-Identifier: MIT
#pragma once

// The "Temperature sensors" tab: temperature to resistance or thermo-voltage and back for ten
// sensors, temperatures in °C or °F with the other scale beside them. The arithmetic is the
// temperature engine's; the frame keeps the input within the sensor's range, reads the fields and
// shows the result or "-----".

#include "uMfrBaseFrame.h"
#include "ui_uMfrTemperature.h"

#include "temperature/TempScales.h"

class TMfrTemperature final : public TMfrBaseFrame
{
    Q_OBJECT

public:
    explicit TMfrTemperature(QWidget *parent = nullptr);

    temperature::TSensorType Sensor() const { return m_sensor; }
    bool IsThermocouple() const { return m_isThermocouple; }
    temperature::TConversionDirection Direction() const { return m_direction; }
    temperature::TTempUnit LastSourceUnit() const { return m_lastSourceUnit; }

protected:
    void InitFrame() override;

private:
    // Handlers of the design
    void bCalculateClick();
    void OnChangeSensor();
    void OnChangeDirection();
    void OnUnitChange(TMfrTemperatureUnit *selector);
    void neSourceChange();
    void neSourceInvalidEntry();

    void UpdateDirectionCaptions();
    void UpdateQuantityLabels();
    void ApplyInputLimits();
    void UpdateSourceCompanion();
    void NameFields();

    // The direction option selected; anything but "to the electrical quantity" reads as its
    // inverse.
    temperature::TConversionDirection SelectedDirection() const;

    Ui::TMfrTemperature ui;
    temperature::TSensorType m_sensor = temperature::stPt1000;
    bool m_isThermocouple = false;
    temperature::TConversionDirection m_direction = temperature::cdTempToElectricQuant;
    temperature::TTempUnit m_lastSourceUnit = temperature::unCelsius;
};
