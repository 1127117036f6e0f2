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
double Shown(long double value)
{
    return arith::Checked(static_cast<double>(value));
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

TReport RunLoop(const TLoopArgs &args, std::istream &in)
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
    const std::vector<TInputValue> inputs
        = toValue ? ValuesOrInput(GivenValues(args.currents), in, "current")
                  : ValuesOrInput(GivenValues(args.values), in, "output value");

    const TColumn currentColumn{"current", "current", "mA"};
    const TColumn valueColumn{"value", "output value", ""};
    TReport report("loop", {toValue ? currentColumn : valueColumn,
                            toValue ? valueColumn : currentColumn,
                            {"percent_of_span", "span", "%"},
                            {"namur_zone", "NE 43 zone", "", true}});
    report.Settings()["lo"] = static_cast<double>(range.lo);
    report.Settings()["hi"] = static_cast<double>(range.hi);
    report.Reserve(inputs.size());
    for (const TInputValue &input : inputs) {
        try {
            const long double current
                = toValue ? input.value : scaling::LoopCurrent(range, input.value);
            const long double result = toValue ? scaling::LoopValue(range, input.value) : current;
            const long double percent = scaling::LoopPercentOfSpan(current);
            report.AddRow({Shown(input.value), Shown(result), Shown(percent),
                           std::string(scaling::NamurZoneText(scaling::NamurZone(current)))});
        } catch (const arith::EMathError &error) {
            ThrowCalculationError((toValue ? "current " : "output value ") + input.text, error);
        }
    }
    return report;
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

TReport RunLine(const TLineArgs &args, std::istream &in)
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
    const std::vector<TInputValue> inputs = toY ? ValuesOrInput(GivenValues(args.xs), in, "x")
                                                : ValuesOrInput(GivenValues(args.ys), in, "y");

    const TColumn xColumn{"x", "x", ""};
    const TColumn yColumn{"y", "y", ""};
    TReport report("line", {toY ? xColumn : yColumn, toY ? yColumn : xColumn});
    report.Settings()["x0"] = static_cast<double>(line.x0);
    report.Settings()["x1"] = static_cast<double>(line.x1);
    report.Settings()["y0"] = static_cast<double>(line.y0);
    report.Settings()["y1"] = static_cast<double>(line.y1);
    report.Reserve(inputs.size());
    for (const TInputValue &input : inputs) {
        try {
            const long double result
                = toY ? scaling::LineY(line, input.value) : scaling::LineX(line, input.value);
            report.AddRow({Shown(input.value), Shown(result)});
        } catch (const arith::EMathError &error) {
            ThrowCalculationError((toY ? "x " : "y ") + input.text, error);
        }
    }
    return report;
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
    const auto mA = [](long double current) {
        return MessageNumber(static_cast<double>(current)) + " mA";
    };
    command->footer("Prints the percentage of the 4-20 mA span and the NAMUR NE 43 zone of the "
                    "current:\nmeasuring "
                    + mA(scaling::NamurMeasuringLo) + " to " + mA(scaling::NamurMeasuringHi)
                    + ", failure at or below " + mA(scaling::NamurFailureLo) + " and at or above "
                    + mA(scaling::NamurFailureHi)
                    + ",\nout of range between. Currents and values outside the range are "
                      "extrapolated.\nWithout numbers after --current or --value, they are read "
                      "from standard input.\n\nExample: velmora-cli loop --lo -30 --hi 80 "
                      "--current 12");
    AddNumberOption(*command, "--lo", args->lo, "output value at 4 mA")->required();
    AddNumberOption(*command, "--hi", args->hi, "output value at 20 mA")->required();
    args->currentOption
        = AddValuesOption(*command, "--current", args->currents, "loop current(s) in mA");
    args->valueOption = AddValuesOption(*command, "--value", args->values, "output value(s)");
    args->currentOption->excludes(args->valueOption);
    return {command, [args](std::istream &in) {
                return RunLoop(*args, in);
            }};
}

TCommand AddLineCommand(CLI::App &app)
{
    auto args = std::make_shared<TLineArgs>();
    CLI::App *command = app.add_subcommand(
        "line", "Evaluate the straight line through (x0, y0) and (x1, y1), either way.");
    command->footer("Inputs outside the two points are extrapolated. Without numbers after --x or "
                    "--y,\nthey are read from standard input.\n\n"
                    "Example: velmora-cli line --x0 0 --x1 10 --y0 0 --y1 100 --x 5");
    AddNumberOption(*command, "--x0", args->x0, "x of the first point")->required();
    AddNumberOption(*command, "--x1", args->x1, "x of the second point")->required();
    AddNumberOption(*command, "--y0", args->y0, "y of the first point")->required();
    AddNumberOption(*command, "--y1", args->y1, "y of the second point")->required();
    args->xOption = AddValuesOption(*command, "--x", args->xs, "x value(s): calculate y = f(x)");
    args->yOption = AddValuesOption(*command, "--y", args->ys, "y value(s): calculate x = f^-1(y)");
    args->xOption->excludes(args->yOption);
    return {command, [args](std::istream &in) {
                return RunLine(*args, in);
            }};
}

} // namespace cli
