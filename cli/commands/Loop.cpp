// SPDX-License-Identifier: MIT
// loop: between the current of a 4-20 mA loop and the transmitter's output value.

#include "commands/Command.h"
#include "input/ReadingRunner.h"

#include "arith.h"
#include "scaling/LoopSignal.h"
#include "scaling/scaling.h"

namespace cli {

namespace {

struct TLoopArgs
{
    std::string lo;
    std::string hi;
    TEitherWayArgs values; // --current or --value
};

struct TLoopPlan
{
    bool toValue = false; // from currents
    scaling::TLoopRange range{};
    std::unique_ptr<TReadings> readings;
};

TLoopPlan PlanLoop(const TLoopArgs &args, const TInputArgs &input, TRunContext &context)
{
    TLoopPlan plan;
    plan.toValue = args.values.Forward("give --current (to calculate the output value) or --value "
                                       "(to calculate the current)");
    const TInputValue lo = ParseNumber(args.lo, "--lo");
    const TInputValue hi = ParseNumber(args.hi, "--hi");
    plan.range = {lo.value, hi.value};
    // Only the current divides by the span; a flat range is a valid constant output value.
    if (!plan.toValue && plan.range.lo == plan.range.hi)
        throw TCliError("--lo and --hi are both " + lo.text
                        + ": the output values for 4 mA and 20 mA must differ to calculate a "
                          "current");
    plan.readings = std::make_unique<TReadings>(args.values.Values(), context.In(), input);
    return plan;
}

void RunLoop(const TLoopPlan &plan, TRunContext &context)
{
    const scaling::TLoopRange &range = plan.range;
    const TColumn currentColumn{"current", "current", "mA", "mA"};
    const TColumn valueColumn{"value", "output value", "", ""};
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    settings["lo"] = static_cast<double>(range.lo);
    settings["hi"] = static_cast<double>(range.hi);
    TReportWriter writer("loop",
                         {plan.toValue ? currentColumn : valueColumn,
                          plan.toValue ? valueColumn : currentColumn,
                          {"percent_of_span", "span", "%", "pct"},
                          {"namur_zone", "NE 43 zone", "", "", true}},
                         std::move(settings), context.Options());
    const std::string what = plan.toValue ? "current" : "output value";
    RunReadings(*plan.readings, context, writer, what, [&](const TReading &reading, TRow &row) {
        const TInputValue input = ReadingValue(reading, 0, what);
        row[0] = TValue::Given(input.text, static_cast<double>(input.value));
        Calculate([&] { return what + " " + input.text; },
                  [&] {
                      const std::string name = plan.toValue ? "the output value" : "the current";
                      const Extended current = plan.toValue ? input.value : NamedResult(name, [&] {
                          return scaling::LoopCurrent(range, input.value);
                      });
                      const Extended result
                          = plan.toValue ? NamedResult(
                                name, [&] { return scaling::LoopValue(range, input.value); })
                                         : current;
                      const Extended percent = NamedResult("the percentage of span", [&] {
                          return scaling::LoopPercentOfSpan(current);
                      });
                      // The window shows the extended result as a double; one that does not fit is
                      // a failure there.
                      row[1] = TValue::Number(PrintableResult(result, name));
                      row[2] = TValue::Number(PrintableResult(percent, "the percentage of span"));
                      row[3] = TValue::Word(scaling::NamurZoneText(scaling::NamurZone(current)));
                  });
    });
    writer.Finish(context.Out());
}

void AddLoopOptions(CLI::App &command, TLoopArgs &args)
{
    AddNumberOption(command, "--lo", args.lo, "output value at 4 mA")->required();
    AddNumberOption(command, "--hi", args.hi, "output value at 20 mA")->required();
    AddEitherWayOptions(command, args.values, "--current", "loop current(s) in mA", "--value",
                        "output value(s)");
}

} // namespace

TCommand AddLoopCommand(CLI::App &app)
{
    const auto mA = [](Extended current) {
        return MessageNumber(static_cast<double>(current)) + " mA";
    };
    return DefineCommand(
        app,
        {"loop",
         "Scale between the current of a 4-20 mA loop and the transmitter's output value.",
         "Prints the percentage of the 4-20 mA span and the NAMUR NE 43 zone of the current: "
         "measuring "
             + mA(scaling::NamurMeasuringLo) + " to " + mA(scaling::NamurMeasuringHi)
             + ", failure at or below " + mA(scaling::NamurFailureLo) + " and at or above "
             + mA(scaling::NamurFailureHi)
             + ", out of range between. Currents and values outside the range are "
               "extrapolated. ",
         "numbers after --current or --value",
         {"velmora-cli loop --lo -30 --hi 80 --current 12"}},
        TInputOptions::InputAndColumn, AddLoopOptions, PlanLoop, RunLoop);
}

} // namespace cli
