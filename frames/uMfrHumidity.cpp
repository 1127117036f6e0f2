#include "uMfrHumidity.h"

TMfrHumidity::TMfrHumidity(QWidget *parent)
    : TMfrBaseFrame(parent)
{
    ui.setupUi(pMain());
    connect(bCalculate(), &QPushButton::clicked, this, &TMfrHumidity::bCalculateClick);
    InitFrame();
}

void TMfrHumidity::InitFrame()
{
    TMfrBaseFrame::InitFrame();
}

void TMfrHumidity::bCalculateClick() {}
