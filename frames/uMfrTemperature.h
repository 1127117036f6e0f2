#pragma once

#include "uMfrBaseFrame.h"
#include "ui_uMfrTemperature.h"

class TMfrTemperature final : public TMfrBaseFrame
{
    Q_OBJECT

public:
    explicit TMfrTemperature(QWidget *parent = nullptr);

protected:
    void InitFrame() override;

private:
    void bCalculateClick();

    Ui::TMfrTemperature ui;
};
