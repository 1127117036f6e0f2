// SPDX-License-Identifier: MIT
#include "uMfrHumidity.h"

#include "UiSeam.h"
#include "arith.h"
#include "humidity/HumidityInputLimits.h"
#include "humidity/humidity.h"

#include <exception>

namespace {

// A number the engine's double cannot hold would have trapped on the store.
double ToEngine(Extended x)
{
    return arith::ToDouble(x);
}

} // namespace

TMfrHumidity::TMfrHumidity(QWidget *parent)
    : TMfrBaseFrame(parent)
{
    ui.setupUi(pMain());
    connect(bCalculate(), &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { bCalculateClick(); }); });
    InitFrame();
}

void TMfrHumidity::InitFrame()
{
    TMfrBaseFrame::InitFrame();
    bCalculateClick();
}

void TMfrHumidity::bCalculateClick()
{
    // Outside the guard: a field that holds no number is reported, not shown as "-----".
    const Extended tempAccuracy = ui.neTempAccuracy->Value();
    const Extended relHumAccuracy = ui.neRelHumAccuracy->Value();
    if (!humidity::TempAccuracyValid(tempAccuracy)
        || !humidity::RelHumAccuracyValid(relHumAccuracy)) {
        UiSeam().ShowWarning(this,
                             QStringLiteral("Temperature accuracy must be between 0 and 200.\r\n"
                                            "Relative humidity accuracy must be between 0 and "
                                            "100."));
        return;
    }

    try {
        humidity::TModuleState &state = humidity::moduleState;
        state.Temp = ToEngine(ui.neTemp->Value());
        state.RelHum = ToEngine(ui.neRelHum->Value());
        state.Press = ToEngine(ui.nePress->Value());
        state.TempAccuracy = ToEngine(ui.neTempAccuracy->Value());
        state.RelHumAccuracy = ToEngine(ui.neRelHumAccuracy->Value());
        humidity::CalculateHumidity();
        ShowResults();
    } catch (const std::exception &) {
        // A failed calculation leaves no partial table behind; nothing is reported.
        ShowNoResults();
    }
}

std::array<TMfrHumidity::TResultRow, humidity::ResultCount> TMfrHumidity::ResultRows() const
{
    // The table's order, top to bottom, which is also the order in which the displays are filled.
    return {{
        {ui.reDewpoint, ui.reDewpointAccuracy, humidity::riDewPoint},
        {ui.reAbsHum, ui.reAbsHumAccuracy, humidity::riAbsoluteHumidity},
        {ui.reSpecHum, ui.reSpecHumAccuracy, humidity::riSpecificHumidity},
        {ui.reMixRatio, ui.reMixRatioAccuracy, humidity::riMixingRatio},
        {ui.reSpecEnth, ui.reSpecEnthAccuracy, humidity::riSpecificEnthalpy},
    }};
}

void TMfrHumidity::ShowResults()
{
    const humidity::TModuleState &state = humidity::moduleState;
    const auto show = [&state](TMfrResultEdit *display, double value) {
        if (value == state.NoValue)
            display->ShowNoResult();
        else
            display->ShowValue(value);
    };
    const auto rows = ResultRows();
    for (const TResultRow &row : rows)
        show(row.value, state.Results[row.index]);
    for (const TResultRow &row : rows)
        show(row.accuracy, state.Accuracies[row.index]);
}

void TMfrHumidity::ShowNoResults()
{
    const auto rows = ResultRows();
    for (const TResultRow &row : rows)
        row.value->ShowNoResult();
    for (const TResultRow &row : rows)
        row.accuracy->ShowNoResult();
}
