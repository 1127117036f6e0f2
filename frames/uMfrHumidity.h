// SPDX-License-Identifier: MIT
#pragma once

// The "Humidity calculator" tab: air temperature, relative humidity and pressure in; dew point,
// absolute humidity, specific humidity, mixing ratio and specific enthalpy out, each with the ±
// accuracy that follows from the stated accuracies of temperature and relative humidity. All the
// arithmetic is the humidity engine's; the frame checks the two accuracies, moves the values in
// and out and shows "-----" where no value exists.

#include "uMfrBaseFrame.h"
#include "ui_uMfrHumidity.h"

#include "humidity/humidity.h"

#include <array>

class TMfrHumidity final : public TMfrBaseFrame
{
    Q_OBJECT

public:
    explicit TMfrHumidity(QWidget *parent = nullptr);

protected:
    void InitFrame() override;

private:
    struct TResultRow
    {
        TMfrResultEdit *value;
        TMfrResultEdit *accuracy;
        int index; // into the engine's Results and Accuracies
    };

    void bCalculateClick();
    std::array<TResultRow, humidity::ResultCount> ResultRows() const;
    void ShowResults();
    void ShowNoResults();

    Ui::TMfrHumidity ui;
};
