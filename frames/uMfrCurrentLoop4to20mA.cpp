#include "uMfrCurrentLoop4to20mA.h"

TMfrCurrentLoop4to20mA::TMfrCurrentLoop4to20mA(QWidget *parent)
    : TMfrBaseFrame(parent)
{
    ui.setupUi(pMain());
    connect(bCalculate(), &QPushButton::clicked, this, &TMfrCurrentLoop4to20mA::bCalculateClick);
    InitFrame();
}

void TMfrCurrentLoop4to20mA::InitFrame()
{
    TMfrBaseFrame::InitFrame();
}

void TMfrCurrentLoop4to20mA::bCalculateClick() {}
