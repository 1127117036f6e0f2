// SPDX-License-Identifier: MIT
// pressure-dew-point: the dew point of the same air at another pressure.

#include "commands/Command.h"
#include "commands/HumidityQuantities.h"
#include "input/PressureText.h"

#include "humidity/HumidityInputLimits.h"

namespace cli {

namespace {

struct TPressureDewPointArgs
{
    std::string dewPoint;
    std::string from;
    std::string to;
    std::string pressureUnit = "Pa";
    std::string atmosphere;
};

struct TPressureDewPointPlan
{
    TInputValue dewPoint;
    TInputValue from;
    TInputValue to;
    TPressureSetting pressures;
};

TPressureDewPointPlan PlanPressureDewPoint(const TPressureDewPointArgs &args, const TInputArgs &,
                                           TRunContext &)
{
    if (args.dewPoint.empty() || args.from.empty() || args.to.empty())
        throw TCliError("give --dew-point, --at and --to");
    TPressureDewPointPlan plan;
    plan.pressures = PlanPressures(args.pressureUnit, args.atmosphere, {args.from, args.to});
    plan.dewPoint = ParseNumber(args.dewPoint, "--dew-point");
    plan.from = ParsePressureText(args.from, "--at", plan.pressures);
    plan.to = ParsePressureText(args.to, "--to", plan.pressures);
    // The same pressures as humidity takes.
    CheckPressure(plan.from, "--at");
    CheckPressure(plan.to, "--to");
    return plan;
}

void RunPressureDewPoint(const TPressureDewPointPlan &plan, TRunContext &context)
{
    const humidity::TPressureDewPoint r = humidity::ConvertPressureDewPoint(
        static_cast<double>(plan.dewPoint.value), static_cast<double>(plan.from.value),
        static_cast<double>(plan.to.value));
    if (r.fault != humidity::ifNone)
        throw TCliError(HumidityFaultMessage(r.fault, {"--dew-point " + plan.dewPoint.text + " °C",
                                                       humidity::InputTempMax, "", "",
                                                       plan.from.text, plan.to.text, true}));

    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    AddAtmosphere(settings, plan.pressures);
    TReportWriter writer("pressure-dew-point",
                         {{"dew_point", "dew point", "°C", "C"},
                          {"from_pressure", "at pressure", "Pa", "Pa"},
                          {"to_pressure", "to pressure", "Pa", "Pa"},
                          {"converted_dew_point", "dew point there", "°C", "C"},
                          {"converted_frost_point", "frost point there", "°C", "C"}},
                         std::move(settings), context.Options(), TLayout::Quantities);
    writer.AddRow({TValue::Given(plan.dewPoint.text, static_cast<double>(plan.dewPoint.value)),
                   TValue::Given(plan.from.text, static_cast<double>(plan.from.value)),
                   TValue::Given(plan.to.text, static_cast<double>(plan.to.value)),
                   HumidityValue(r.dewPoint), HumidityValue(r.frostPoint)});
    writer.Finish(context.Out());
}

void AddPressureDewPointOptions(CLI::App &command, TPressureDewPointArgs &args)
{
    AddNumberOption(command, "--dew-point", args.dewPoint, "dew point in °C at --at");
    command.add_option("--at", args.from, "pressure of the dew point given")->type_name("PRESSURE");
    command.add_option("--to", args.to, "pressure to give the dew point at")->type_name("PRESSURE");
    AddPressureUnitOption(command, args.pressureUnit);
    AddAtmosphereOption(command, args.atmosphere);
}

} // namespace

TCommand AddPressureDewPointCommand(CLI::App &app)
{
    return DefineCommand(
        app,
        {"pressure-dew-point",
         "The dew point of the same air at another pressure, as after a compressed-air dryer's "
         "outlet is let down to atmosphere.",
         "The vapour keeps its share of the pressure (ideal gases, Hardy's ITS-90 formulation "
         "over water, no enhancement factor). The frost point is given where it lies below "
         "0 °C. Pressures take a unit ("
             + PressureUnitList()
             + "); a gauge pressure (kPag, barg, psig) is above --atmosphere, the others are "
               "absolute.",
         "",
         {"velmora-cli pressure-dew-point --dew-point 3 --at 8bar --to 1.01325bar",
          "velmora-cli pressure-dew-point --dew-point 3 --at 7barg --to 0barg"}},
        TInputOptions::None, AddPressureDewPointOptions, PlanPressureDewPoint, RunPressureDewPoint);
}

} // namespace cli
