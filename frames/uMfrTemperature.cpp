#include "uMfrTemperature.h"

TMfrTemperature::TMfrTemperature(QWidget *parent)
    : TMfrBaseFrame(parent)
{
    ui.setupUi(pMain());
    connect(bCalculate(), &QPushButton::clicked, this, &TMfrTemperature::bCalculateClick);
    InitFrame();
}

void TMfrTemperature::InitFrame()
{
    TMfrBaseFrame::InitFrame();
}

void TMfrTemperature::bCalculateClick() {}
