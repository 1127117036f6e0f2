// SPDX-License-Identifier: MIT
#pragma once

// The unit beside a value field of the temperature calculator: a °C/°F drop-down with a read-only
// companion field that shows the same temperature in the other scale, or the unit label "Ohms",
// or the unit label "uV".

#include "ui_uMfrTemperatureUnit.h"

#include "Extended.h"
#include "temperature/TempScales.h"

#include <QFrame>

#include <cstdint>
#include <functional>

enum TUnitMode : std::uint8_t { umTemperature = 0, umResistance = 1, umVoltage = 2 };

class TMfrTemperatureUnit : public QFrame
{
    Q_OBJECT

public:
    explicit TMfrTemperatureUnit(QWidget *parent = nullptr);

    TUnitMode Mode() const { return m_mode; }
    // Shows the controls of the mode; a value outside the three modes is stored and shows nothing
    // new.
    void setMode(TUnitMode mode);

    // unNone outside umTemperature or without a valid selection.
    temperature::TTempUnit TempUnit() const;

    Extended CompanionValue() const;
    void setCompanionValue(Extended x);
    // The companion without a temperature: the "no result" marker.
    void ShowNoCompanion();

    // What a screen reader announces for the value field beside the selector: its quantity and
    // unit ("Temperature, °C", "Resistance, Ω", "Voltage, µV").
    QString FieldName() const;

    // The selector's own reaction to a change of the drop-down: the companion names the other
    // scale, on screen and to a screen reader.
    void OnUnitChange();
    // An owner that binds the drop-down's change to its own handler; empty restores OnUnitChange.
    void setOnUnitChange(std::function<void()> handler) { m_onUnitChange = std::move(handler); }

    QComboBox *cbTempUnit() const { return ui.cbTempUnit; }
    TNvNumEdit *neTemp2() const { return ui.neTemp2; }
    QLabel *lTemp2Unit() const { return ui.lTemp2Unit; }
    QLabel *lResist() const { return ui.lResist; }
    QLabel *lMicroVolts() const { return ui.lMicroVolts; }

private:
    void cbTempUnitChange();

    Ui::TMfrTemperatureUnit ui;
    TUnitMode m_mode = umTemperature;
    std::function<void()> m_onUnitChange;
};
