// SPDX-License-Identifier: MIT
#pragma once

// The "Linear Transformation" tab: the straight line through two points, evaluated as y = f(x)
// or as its inverse x = f^-1(y).

#include "uMfrBaseFrame.h"
#include "ui_uMfrLinearTrans.h"

class TMfrLinearTrans final : public TMfrBaseFrame
{
    Q_OBJECT

public:
    explicit TMfrLinearTrans(QWidget *parent = nullptr);

protected:
    void InitFrame() override;

private:
    // The ids of the direction options: the line or its inverse.
    enum TDirection { XToY = 0, YToX = 1 };

    void OnChangeDirection();
    void bCalculateClick();

    Ui::TMfrLinearTrans ui;
};
