#pragma once

#include "uMfrBaseFrame.h"
#include "ui_uMfrHumidity.h"

class TMfrHumidity final : public TMfrBaseFrame
{
    Q_OBJECT

public:
    explicit TMfrHumidity(QWidget *parent = nullptr);

protected:
    void InitFrame() override;

private:
    void bCalculateClick();

    Ui::TMfrHumidity ui;
};
