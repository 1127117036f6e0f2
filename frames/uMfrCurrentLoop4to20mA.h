#pragma once

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
    void bCalculateClick();

    Ui::TMfrCurrentLoop4to20mA ui;
};
