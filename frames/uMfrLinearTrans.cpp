// SPDX-License-Identifier: MIT
#include "uMfrLinearTrans.h"

#include "BuiltInPictures.h"
#include "UiSeam.h"
#include "arith.h"
#include "scaling/scaling.h"

TMfrLinearTrans::TMfrLinearTrans(QWidget *parent)
    : TMfrBaseFrame(parent)
{
    ui.setupUi(pMain());
    // The illustration is read when the tab is first opened, at that screen's density.
    WhenFirstShown(ui.Image1, [this] {
        ui.Image1->setPixmap(BuiltInPixmap(QStringLiteral(":/velmora/lineartrans.png"),
                                           ui.Image1->devicePixelRatioF()));
    });

    connect(bCalculate(), &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { bCalculateClick(); }); });
    ui.bgDirection->setId(ui.rbXToY, XToY);
    ui.bgDirection->setId(ui.rbYtoX, YToX);
    connect(ui.bgDirection, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            OnChangeDirection();
    });
    InitFrame();
}

// Unlike the other calculators this one computes nothing until the first "Calculate": with both
// points at 0 there is no line yet.
void TMfrLinearTrans::InitFrame()
{
    TMfrBaseFrame::InitFrame();
    OnChangeDirection();
}

void TMfrLinearTrans::OnChangeDirection()
{
    const bool inverse = ui.bgDirection->checkedId() == YToX;
    const QString input = inverse ? QStringLiteral("y") : QStringLiteral("x");
    const QString result = inverse ? QStringLiteral("x") : QStringLiteral("y");
    ui.lInput->setText(input + QStringLiteral(" ="));
    ui.lResult->setText(result + QStringLiteral(" ="));
    ui.neInput->setAccessibleName(input);
    ui.reResult->setResultName(result);
}

void TMfrLinearTrans::bCalculateClick()
{
    // Only the pair divided by must differ: equal y values make y = f(x) a constant, and equal x
    // values do the same for the inverse.
    const bool inverse = ui.bgDirection->checkedId() == YToX;
    const bool noSlope
        = inverse ? ui.neY0->Value() == ui.neY1->Value() : ui.neX0->Value() == ui.neX1->Value();
    if (noSlope) {
        UiSeam().ShowWarning(this, inverse ? QStringLiteral("y0 must be different then y1")
                                           : QStringLiteral("x0 must be different then x1"));
        ui.reResult->ShowNoResult();
        return;
    }
    const scaling::TLine line{.x0 = ui.neX0->Value(),
                              .x1 = ui.neX1->Value(),
                              .y0 = ui.neY0->Value(),
                              .y1 = ui.neY1->Value()};
    try {
        const Extended input = ui.neInput->Value();
        const Extended answer = inverse ? scaling::LineX(line, input) : scaling::LineY(line, input);
        ui.reResult->ShowValue(arith::ToDouble(answer));
    } catch (const std::exception &) {
        // An unreadable input or a result that cannot be computed or shown has no answer; the
        // user sees the marker, not a message.
        ui.reResult->ShowNoResult();
    }
}
