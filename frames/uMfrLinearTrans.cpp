#include "uMfrLinearTrans.h"

TMfrLinearTrans::TMfrLinearTrans(QWidget *parent)
    : TMfrBaseFrame(parent)
{
    ui.setupUi(pMain());
    connect(bCalculate(), &QPushButton::clicked, this, &TMfrLinearTrans::bCalculateClick);
    InitFrame();
}

void TMfrLinearTrans::InitFrame()
{
    TMfrBaseFrame::InitFrame();
}

void TMfrLinearTrans::bCalculateClick() {}
