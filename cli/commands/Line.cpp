// SPDX-License-Identifier: MIT
// line: the straight line through two points, either way.

#include "commands/Command.h"
#include "input/ReadingRunner.h"

#include "arith.h"
#include "scaling/scaling.h"

namespace cli {

namespace {

struct TLineArgs
{
    std::string x0;
    std::string x1;
    std::string y0;
    std::string y1;
    TEitherWayArgs values; // --x or --y
};

struct TLinePlan
{
    bool toY = false; // from x
    scaling::TLine line{};
    std::unique_ptr<TReadings> readings;
};

TLinePlan PlanLine(const TLineArgs &args, const TInputArgs &input, TRunContext &context)
{
    TLinePlan plan;
    plan.toY
        = args.values.Forward("give --x (to calculate y = f(x)) or --y (to calculate x = f^-1(y))");
    const TInputValue x0 = ParseNumber(args.x0, "--x0");
    const TInputValue x1 = ParseNumber(args.x1, "--x1");
    const TInputValue y0 = ParseNumber(args.y0, "--y0");
    const TInputValue y1 = ParseNumber(args.y1, "--y1");
    plan.line = {x0.value, x1.value, y0.value, y1.value};
    // Only the pair divided by must differ: equal y give a constant y, equal x a constant x.
    if (plan.toY && plan.line.x0 == plan.line.x1)
        throw TCliError("--x0 and --x1 are both " + x0.text
                        + ": x0 must be different from x1 to calculate y = f(x)");
    if (!plan.toY && plan.line.y0 == plan.line.y1)
        throw TCliError("--y0 and --y1 are both " + y0.text
                        + ": y0 must be different from y1 to calculate x = f^-1(y)");
    plan.readings = std::make_unique<TReadings>(args.values.Values(), context.In(), input);
    return plan;
}

void RunLine(const TLinePlan &plan, TRunContext &context)
{
    const scaling::TLine &line = plan.line;
    const TColumn xColumn{"x", "x", "", ""};
    const TColumn yColumn{"y", "y", "", ""};
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["x0"] = static_cast<double>(line.x0);
    settings["x1"] = static_cast<double>(line.x1);
    settings["y0"] = static_cast<double>(line.y0);
    settings["y1"] = static_cast<double>(line.y1);
    TReportWriter writer("line", {plan.toY ? xColumn : yColumn, plan.toY ? yColumn : xColumn},
                         std::move(settings), context.Options());
    const std::string what = plan.toY ? "x" : "y";
    RunReadings(*plan.readings, context, writer, what, [&](const TReading &reading, TRow &row) {
        const TInputValue input = ReadingValue(reading, 0, what);
        row[0] = TValue::Given(input.text, static_cast<double>(input.value));
        // The window shows the extended result as a double.
        row[1] = TValue::Number(
            Calculate([&] { return what + " " + input.text; },
                      [&] {
                          const std::string result = plan.toY ? "y" : "x";
                          return PrintableResult(
                              NamedResult(result,
                                          [&] {
                                              return plan.toY ? scaling::LineY(line, input.value)
                                                              : scaling::LineX(line, input.value);
                                          }),
                              result);
                      }));
    });
    writer.Finish(context.Out());
}

void AddLineOptions(CLI::App &command, TLineArgs &args)
{
    AddNumberOption(command, "--x0", args.x0, "x of the first point")->required();
    AddNumberOption(command, "--x1", args.x1, "x of the second point")->required();
    AddNumberOption(command, "--y0", args.y0, "y of the first point")->required();
    AddNumberOption(command, "--y1", args.y1, "y of the second point")->required();
    AddEitherWayOptions(command, args.values, "--x", "x value(s): calculate y = f(x)", "--y",
                        "y value(s): calculate x = f^-1(y)");
}

} // namespace

TCommand AddLineCommand(CLI::App &app)
{
    return DefineCommand(app,
                         {"line",
                          "Evaluate the straight line through (x0, y0) and (x1, y1), either way.",
                          "Inputs outside the two points are extrapolated. ",
                          "numbers after --x or --y",
                          {"velmora-cli line --x0 0 --x1 10 --y0 0 --y1 100 --x 5"}},
                         TInputOptions::InputAndColumn, AddLineOptions, PlanLine, RunLine);
}

} // namespace cli
