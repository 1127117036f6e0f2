#pragma once

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
    void bCalculateClick();

    Ui::TMfrLinearTrans ui;
};
