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
    std::vector<std::string> xs;
    std::vector<std::string> ys;
    CLI::Option *xOption = nullptr;
    CLI::Option *yOption = nullptr;
};

struct TLinePlan
{
    bool toY = false; // from x
    scaling::TLine line{};
    std::unique_ptr<TReadings> readings;
};

TLinePlan PlanLine(const TLineArgs &args, TRunContext &context, const TInputArgs &input)
{
    TLinePlan plan;
    plan.toY = args.xOption->count() > 0;
    if (!plan.toY && args.yOption->count() == 0)
        throw TCliError("give --x (to calculate y = f(x)) or --y (to calculate x = f^-1(y))");
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
    plan.readings = std::make_unique<TReadings>(GivenValues(plan.toY ? args.xs : args.ys),
                                                context.In(), input);
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
        try {
            // The window shows the extended result as a double.
            row[1] = TValue::Number(arith::ToDouble(plan.toY ? scaling::LineY(line, input.value)
                                                             : scaling::LineX(line, input.value)));
        } catch (const arith::EMathError &error) {
            throw TCalculationError(what + " " + input.text, error);
        }
    });
    writer.Finish(context.Out());
}

} // namespace

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
    return {command, common, [args, common](TRunContext &context) {
                RunLine(PlanLine(*args, context, common->input), context);
            }};
}

} // namespace cli
