// SPDX-License-Identifier: MIT
#include "CliError.h"
#include "Command.h"
#include "PressureText.h"

#include "humidity/HumidityInputLimits.h"
#include "humidity/HumidityQuantities.h"

#include <memory>

namespace cli {

namespace {

struct TPressureDewPointArgs
{
    std::string dewPoint;
    std::string from;
    std::string to;
    std::string pressureUnit = "Pa";
};

std::vector<TColumn> PressureDewPointColumns()
{
    return {{"dew_point", "dew point", "°C", "C"},
            {"from_pressure", "at pressure", "Pa", "Pa"},
            {"to_pressure", "to pressure", "Pa", "Pa"},
            {"converted_dew_point", "dew point there", "°C", "C"},
            {"converted_frost_point", "frost point there", "°C", "C"}};
}

TCell ResultCell(double value)
{
    if (value == humidity::NoValueSentinel)
        return std::monostate();
    return value;
}

void RunPressureDewPoint(const TPressureDewPointArgs &args, TRunContext &context)
{
    if (args.dewPoint.empty() || args.from.empty() || args.to.empty())
        throw TCliError("give --dew-point, --at and --to");
    const humidity::TPressureUnit &unit = PressureUnitOption(args.pressureUnit);
    const TInputValue dewPoint = ParseNumber(args.dewPoint, "--dew-point");
    const TInputValue from = ParsePressureText(args.from, "--at", unit);
    const TInputValue to = ParsePressureText(args.to, "--to", unit);
    for (const auto &[what, pressure] : {std::pair{"--at", &from}, std::pair{"--to", &to}}) {
        if (!humidity::PressureValid(static_cast<double>(pressure->value)))
            throw TCliError(std::string(what) + " " + pressure->text + " Pa is not above 0 Pa");
    }

    const humidity::TPressureDewPoint r = humidity::ConvertPressureDewPoint(
        static_cast<double>(dewPoint.value), static_cast<double>(from.value),
        static_cast<double>(to.value));
    const std::string range = MessageNumber(humidity::InputTempMin) + " to "
                              + MessageNumber(humidity::InputTempMax) + " °C";
    switch (r.fault) {
    case humidity::ifNone:
        break;
    case humidity::ifValueOutOfRange:
        throw TCliError("--dew-point " + dewPoint.text + " °C is outside " + range);
    case humidity::ifVapourExceedsPressure:
        throw TCliError("--dew-point " + dewPoint.text + " °C is above the boiling point at "
                        + from.text + " Pa");
    case humidity::ifResultOutOfRange:
        throw TCliError("the dew point at " + to.text + " Pa would lie outside " + range);
    default:
        throw TCliError("--dew-point " + dewPoint.text + " °C cannot be converted");
    }

    TReportWriter writer("pressure-dew-point", PressureDewPointColumns(),
                         nlohmann::ordered_json::object(), context.Options(), TLayout::Quantities);
    writer.AddRow({TGiven{dewPoint.text, static_cast<double>(dewPoint.value)},
                   TGiven{from.text, static_cast<double>(from.value)},
                   TGiven{to.text, static_cast<double>(to.value)}, ResultCell(r.dewPoint),
                   ResultCell(r.frostPoint)});
    writer.Finish(context.Out());
}

} // namespace

TCommand AddPressureDewPointCommand(CLI::App &app)
{
    auto args = std::make_shared<TPressureDewPointArgs>();
    CLI::App *command = app.add_subcommand(
        "pressure-dew-point", "The dew point of the same air at another pressure, as after a "
                              "compressed-air dryer's outlet is let down to atmosphere.");
    command->footer(
        "The vapour keeps its share of the pressure (ideal gases, Hardy's ITS-90 "
        "formulation over water, no enhancement factor). The frost point is given "
        "where it lies below 0 °C. Pressures are absolute and take a unit ("
        + PressureUnitList()
        + ").\n\n"
          "Example: velmora-cli pressure-dew-point --dew-point 3 --at 8bar --to 1.01325bar");
    AddNumberOption(*command, "--dew-point", args->dewPoint, "dew point in °C at --at");
    command->add_option("--at", args->from, "absolute pressure of the dew point given")
        ->type_name("PRESSURE");
    command->add_option("--to", args->to, "absolute pressure to give the dew point at")
        ->type_name("PRESSURE");
    command
        ->add_option("--pressure-unit", args->pressureUnit,
                     "unit of a pressure written without one: " + PressureUnitList())
        ->type_name("UNIT")
        ->default_str(args->pressureUnit);
    auto common = AddCommonOptions(*command, false, false);
    return {command, common, [args](TRunContext &context) {
                RunPressureDewPoint(*args, context);
            }};
}

} // namespace cli
