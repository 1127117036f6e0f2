// SPDX-License-Identifier: MIT
#include "CliError.h"
#include "Command.h"
#include "InputValues.h"

#include "arith.h"
#include "scaling/LoopSignal.h"
#include "scaling/scaling.h"

#include <memory>

namespace cli {

namespace {

// The window shows the extended result as a double; one that does not fit is a failure there.
double Shown(Extended value)
{
    return arith::ToDouble(value);
}

struct TLoopArgs
{
    std::string lo;
    std::string hi;
    std::vector<std::string> currents;
    std::vector<std::string> values;
    CLI::Option *currentOption = nullptr;
    CLI::Option *valueOption = nullptr;
};

// An option given without any value ("--current" alone) asks for standard input.
std::vector<std::string> GivenValues(const std::vector<std::string> &texts)
{
    std::vector<std::string> given;
    for (const std::string &text : texts) {
        if (!text.empty())
            given.push_back(text);
    }
    return given;
}

// Every reading of a command through `compute`, which fills the result cells of its row.
template<typename F>
void WriteRows(TRunContext &context, TReadings &readings, TReportWriter &writer,
               const std::string &what, F &&compute)
{
    TReading reading;
    while (readings.Next(reading)) {
        std::vector<TCell> cells(writer.Columns().size());
        context.Row([&] {
            if (!reading.problem.empty())
                throw TCliError(reading.Where() + reading.problem);
            const TInputValue input = ReadingValue(reading, 0, what);
            cells[0] = TGiven{input.text, static_cast<double>(input.value)};
            try {
                compute(input, cells);
            } catch (const arith::EMathError &error) {
                ThrowCalculationError(reading.Where() + what + " " + input.text, error);
            }
        });
        writer.AddRow(cells);
    }
    if (readings.Count() == 0)
        throw TCliError("no " + what + " given, and none in the input");
    writer.Finish(context.Out());
}

void RunLoop(const TLoopArgs &args, TRunContext &context)
{
    const bool toValue = args.currentOption->count() > 0;
    if (!toValue && args.valueOption->count() == 0)
        throw TCliError("give --current (to calculate the output value) or --value (to calculate "
                        "the current)");
    const TInputValue lo = ParseNumber(args.lo, "--lo");
    const TInputValue hi = ParseNumber(args.hi, "--hi");
    const scaling::TLoopRange range{lo.value, hi.value};
    // Only the current divides by the span; a flat range is a valid constant output value.
    if (!toValue && range.lo == range.hi)
        throw TCliError("--lo and --hi are both " + lo.text
                        + ": the output values for 4 mA and 20 mA must differ to calculate a "
                          "current");
    TReadings readings(GivenValues(toValue ? args.currents : args.values), context.In(),
                       context.Args().input);

    const TColumn currentColumn{"current", "current", "mA", "mA"};
    const TColumn valueColumn{"value", "output value", "", ""};
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["lo"] = static_cast<double>(range.lo);
    settings["hi"] = static_cast<double>(range.hi);
    TReportWriter writer("loop",
                         {toValue ? currentColumn : valueColumn,
                          toValue ? valueColumn : currentColumn,
                          {"percent_of_span", "span", "%", "pct"},
                          {"namur_zone", "NE 43 zone", "", "", true}},
                         std::move(settings), context.Options());
    WriteRows(context, readings, writer, toValue ? "current" : "output value",
              [&](const TInputValue &input, std::vector<TCell> &cells) {
                  const Extended current
                      = toValue ? input.value : scaling::LoopCurrent(range, input.value);
                  const Extended result
                      = toValue ? scaling::LoopValue(range, input.value) : current;
                  const Extended percent = scaling::LoopPercentOfSpan(current);
                  cells[1] = Shown(result);
                  cells[2] = Shown(percent);
                  cells[3] = std::string(scaling::NamurZoneText(scaling::NamurZone(current)));
              });
}

struct TLineArgs
{
    std::string x0;
    std::string x1;
    std::string y0;
    std::string y1;
    std::vector<std::string> xs;
    std::vector<std::string> ys;
    CLI::Option *xOption = nullptr;
    CLI::Option *yOption = nullptr;
};

void RunLine(const TLineArgs &args, TRunContext &context)
{
    const bool toY = args.xOption->count() > 0;
    if (!toY && args.yOption->count() == 0)
        throw TCliError("give --x (to calculate y = f(x)) or --y (to calculate x = f^-1(y))");
    const TInputValue x0 = ParseNumber(args.x0, "--x0");
    const TInputValue x1 = ParseNumber(args.x1, "--x1");
    const TInputValue y0 = ParseNumber(args.y0, "--y0");
    const TInputValue y1 = ParseNumber(args.y1, "--y1");
    const scaling::TLine line{x0.value, x1.value, y0.value, y1.value};
    // Only the pair divided by must differ: equal y give a constant y, equal x a constant x.
    if (toY && line.x0 == line.x1)
        throw TCliError("--x0 and --x1 are both " + x0.text
                        + ": x0 must be different from x1 to calculate y = f(x)");
    if (!toY && line.y0 == line.y1)
        throw TCliError("--y0 and --y1 are both " + y0.text
                        + ": y0 must be different from y1 to calculate x = f^-1(y)");
    TReadings readings(GivenValues(toY ? args.xs : args.ys), context.In(), context.Args().input);

    const TColumn xColumn{"x", "x", "", ""};
    const TColumn yColumn{"y", "y", "", ""};
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["x0"] = static_cast<double>(line.x0);
    settings["x1"] = static_cast<double>(line.x1);
    settings["y0"] = static_cast<double>(line.y0);
    settings["y1"] = static_cast<double>(line.y1);
    TReportWriter writer("line", {toY ? xColumn : yColumn, toY ? yColumn : xColumn},
                         std::move(settings), context.Options());
    WriteRows(context, readings, writer, toY ? "x" : "y",
              [&](const TInputValue &input, std::vector<TCell> &cells) {
                  cells[1] = Shown(toY ? scaling::LineY(line, input.value)
                                       : scaling::LineX(line, input.value));
              });
}

// "--current" with no number reads the currents from standard input.
CLI::Option *AddValuesOption(CLI::App &command, const std::string &name,
                             std::vector<std::string> &texts, const std::string &description)
{
    return command.add_option(name, texts, description)
        ->type_name("NUMBER")
        ->expected(0, CLI::detail::expected_max_vector_size)
        ->allow_extra_args();
}

} // namespace

TCommand AddLoopCommand(CLI::App &app)
{
    auto args = std::make_shared<TLoopArgs>();
    CLI::App *command = app.add_subcommand(
        "loop", "Scale between the current of a 4-20 mA loop and the transmitter's output value.");
    const auto mA = [](Extended current) {
        return MessageNumber(static_cast<double>(current)) + " mA";
    };
    command->footer("Prints the percentage of the 4-20 mA span and the NAMUR NE 43 zone of the "
                    "current: measuring "
                    + mA(scaling::NamurMeasuringLo) + " to " + mA(scaling::NamurMeasuringHi)
                    + ", failure at or below " + mA(scaling::NamurFailureLo) + " and at or above "
                    + mA(scaling::NamurFailureHi)
                    + ", out of range between. Currents and values outside the range are "
                      "extrapolated. "
                    + InputHelp("numbers after --current or --value")
                    + "\n\nExample: velmora-cli loop --lo -30 --hi 80 "
                      "--current 12");
    AddNumberOption(*command, "--lo", args->lo, "output value at 4 mA")->required();
    AddNumberOption(*command, "--hi", args->hi, "output value at 20 mA")->required();
    args->currentOption
        = AddValuesOption(*command, "--current", args->currents, "loop current(s) in mA");
    args->valueOption = AddValuesOption(*command, "--value", args->values, "output value(s)");
    args->currentOption->excludes(args->valueOption);
    auto common = AddCommonOptions(*command, true, true);
    return {command, common, [args](TRunContext &context) {
                RunLoop(*args, context);
            }};
}

TCommand AddLineCommand(CLI::App &app)
{
    auto args = std::make_shared<TLineArgs>();
    CLI::App *command = app.add_subcommand(
        "line", "Evaluate the straight line through (x0, y0) and (x1, y1), either way.");
    command->footer("Inputs outside the two points are extrapolated. "
                    + InputHelp("numbers after --x or --y")
                    + "\n\nExample: velmora-cli line --x0 0 --x1 10 --y0 0 --y1 100 --x 5");
    AddNumberOption(*command, "--x0", args->x0, "x of the first point")->required();
    AddNumberOption(*command, "--x1", args->x1, "x of the second point")->required();
    AddNumberOption(*command, "--y0", args->y0, "y of the first point")->required();
    AddNumberOption(*command, "--y1", args->y1, "y of the second point")->required();
    args->xOption = AddValuesOption(*command, "--x", args->xs, "x value(s): calculate y = f(x)");
    args->yOption = AddValuesOption(*command, "--y", args->ys, "y value(s): calculate x = f^-1(y)");
    args->xOption->excludes(args->yOption);
    auto common = AddCommonOptions(*command, true, true);
    return {command, common, [args](TRunContext &context) {
                RunLine(*args, context);
            }};
}

} // namespace cli
