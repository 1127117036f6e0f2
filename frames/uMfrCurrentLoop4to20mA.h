// SPDX-License-Identifier: MIT
#pragma once

// The "Current Loop" tab: scaling between the current of a 4-20 mA loop and the transmitter's
// output value, with a list of preset ranges.

#include "uMfrBaseFrame.h"
#include "ui_uMfrCurrentLoop4to20mA.h"

class TMfrCurrentLoop4to20mA final : public TMfrBaseFrame
{
    Q_OBJECT

public:
    explicit TMfrCurrentLoop4to20mA(QWidget *parent = nullptr);

protected:
    void InitFrame() override;

private:
    // The ids of the direction options.
    enum TDirection { ToValue = 0, ToCurrent = 1 };

    TDirection Direction() const;
    void cbDefaultsChange();
    void OnDirectionChange();
    void bCalculateClick();

    Ui::TMfrCurrentLoop4to20mA ui;
};
