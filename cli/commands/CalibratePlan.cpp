// SPDX-License-Identifier: MIT
#include "commands/CalibratePlan.h"

#include "CliError.h"
#include "Messages.h"
#include "input/Readings.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace cli {

namespace {

using namespace calibration;

// The input holds one line a test point; more than this is no calibration.
constexpr std::size_t MaxInputBytes = std::size_t{64} << 20;

TGiven Given(const std::string &text, const std::string &what)
{
    const TInputValue value = ParseNumber(text, what);
    TGiven given;
    if (ReadGiven(text, given) != decimal::TReadStatus::Ok)
        throw TCliError(what + " '" + text + "' is not a number");
    given.value = value.value;
    return given;
}

std::vector<std::string> SplitList(const std::string &text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(',', start);
        items.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return items;
        start = end + 1;
    }
}

void CheckLabel(const std::string &text, const std::string &option)
{
    if (std::any_of(text.begin(), text.end(),
                    [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
        throw TCliError(option + " '" + text + "' holds a control character");
}

// Today's date in UTC, read only when asked for with --date now.
std::string Today()
{
    const auto days = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    const std::chrono::year_month_day date{days};
    char text[16] = {};
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::vector<TGiven> Points(const std::string &text)
{
    if (text.find(',') == std::string::npos) {
        const TInputValue count = ParseNumber(text, "--points");
        if (count.value != static_cast<Extended>(static_cast<long long>(count.value))
            || count.value < MinPointCount || count.value > MaxPointCount)
            throw TCliError("--points '" + text + "' is not a count of points from "
                            + std::to_string(MinPointCount) + " to "
                            + std::to_string(MaxPointCount)
                            + " (or a list of % of span, such as 0,50,100)");
        return PointsFromCount(static_cast<int>(count.value));
    }
    std::vector<TGiven> percents;
    const std::vector<std::string> items = SplitList(text);
    if (items.size() > static_cast<std::size_t>(MaxPointCount))
        throw TCliError("--points gives " + std::to_string(items.size())
                        + " test points; at most " + std::to_string(MaxPointCount));
    for (const std::string &item : items)
        percents.push_back(Given(item, "--points"));
    return percents;
}

// "0.25%" of span, "0.3C" in the input's unit, "0.04mA" in the output's.
void PlanTolerance(TCalibratePlan &plan, const std::string &text)
{
    const std::size_t end = text.find_first_not_of("0123456789.+-eE");
    const std::string amount = text.substr(0, end);
    const std::string unit = end == std::string::npos ? std::string() : text.substr(end);
    const std::string output = plan.Output().unit;
    const std::string input = plan.input.unit;
    std::string inputWord = input;
    if (!plan.input.asciiUnit.empty())
        inputWord = plan.input.asciiUnit;
    TTolerance tolerance;
    tolerance.amount = Given(amount, "--tolerance");
    if (unit == "%") {
        tolerance.unit = TToleranceUnit::PercentOfSpan;
        plan.toleranceText = "±" + amount + " % of span";
    } else if (unit == output) {
        tolerance.unit = TToleranceUnit::Output;
        plan.toleranceText = "±" + amount + " " + output;
    } else if (!unit.empty() && (unit == input || unit == inputWord)) {
        tolerance.unit = TToleranceUnit::Input;
        plan.toleranceText = "±" + amount + " " + input;
    } else {
        throw TCliError("--tolerance '" + text + "' is not an amount in % (of span), " + inputWord
                        + " or " + output + ", such as 0.25% or 0.04" + output);
    }
    try {
        CheckTolerance(plan.plan, tolerance);
    } catch (const ECalibrationInput &error) {
        throw TCliError("--tolerance " + text + ": " + error.what());
    }
    plan.tolerance = tolerance;
}

std::vector<TGiven> ListReadings(const std::string &text, const std::string &option)
{
    std::vector<TGiven> readings;
    const std::vector<std::string> items = SplitList(text);
    for (std::size_t i = 0; i < items.size() && i <= static_cast<std::size_t>(MaxPointCount); ++i)
        readings.push_back(Given(items[i], option + " reading " + std::to_string(i + 1)));
    return readings;
}

std::string ReadAll(const TInputArgs &input, TRunContext &context)
{
    std::ifstream file;
    if (!input.file.empty()) {
        file.open(input.file, std::ios::binary);
        if (!file)
            throw TCliError("--input '" + input.file + "' cannot be opened: "
                            + std::strerror(errno));
    }
    std::istream &in = input.file.empty() ? context.In() : file;
    std::string text;
    std::array<char, 65536> chunk{};
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) {
        text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (text.size() > MaxInputBytes)
            throw TCliError("the input is longer than "
                            + std::to_string(MaxInputBytes >> 20)
                            + " MiB; a calibration has at most "
                            + std::to_string(MaxPointCount) + " test points");
    }
    if (in.bad())
        throw TCliError("cannot read the input: " + std::string(std::strerror(errno)));
    return text;
}

// The readings of one column of the input, each named by its line where it is refused.
std::vector<TGiven> ColumnReadings(const std::string &text, const std::string &column,
                                   const std::string &setName)
{
    std::istringstream in(text);
    TInputArgs args;
    args.column = column;
    TReadings readings({}, in, args);
    std::vector<TGiven> values;
    TReading reading;
    while (values.size() <= static_cast<std::size_t>(MaxPointCount) && readings.Next(reading)) {
        const std::string what = setName + " reading (column " + column + ")";
        if (!reading.problem.empty())
            throw TCliError(reading.Where() + reading.problem);
        try {
            values.push_back(Given(reading.fields.at(0), what));
        } catch (const TCliError &error) {
            throw TCliError(reading.Where() + error.what());
        }
    }
    return values;
}

void PlanInput(TCalibratePlan &plan, const TCalibrateArgs &args)
{
    if (Lower(args.sensor.sensor) == "linear") {
        if (!args.sensor.coldJunction.empty())
            throw TCliError("--cj applies to thermocouples only, not to a linear input");
        if (args.inputUnit.empty())
            throw TCliError("a linear input needs --input-unit, the unit of its range (bar, m, "
                            "m3/h, %)");
        CheckLabel(args.inputUnit, "--input-unit");
        if (args.inputUnit.find_first_of(",\"") != std::string::npos)
            throw TCliError("--input-unit '" + args.inputUnit + "' holds a comma or a quote");
        const bool ascii = std::none_of(args.inputUnit.begin(), args.inputUnit.end(),
                                        [](unsigned char c) { return c >= 0x80; });
        plan.input = {"input", "input", args.inputUnit, ascii ? args.inputUnit : ""};
        return;
    }
    if (!args.inputUnit.empty())
        throw TCliError("--input-unit is for a linear input; a sensor's temperatures are in --unit");
    plan.sensor = PlanSensor(args.sensor, temperature::cdTempToElectricQuant);
    plan.input = plan.sensor->Temperature();
    plan.input.key = "input";
    plan.input.heading = "input";
    TColumn terminals = plan.sensor->Electric();
    terminals.key = "apply";
    terminals.heading = "apply";
    plan.terminals = terminals;
}

} // namespace

TCalibratePlan PlanCalibrate(const TCalibrateArgs &args, const TInputArgs &input,
                             TRunContext &context)
{
    TCalibratePlan plan;
    PlanInput(plan, args);

    const std::vector<std::string> ends = SplitList(args.range);
    if (ends.size() != 2)
        throw TCliError("--range '" + args.range + "' is not two numbers LRV,URV (such as 0,150)");
    TRange range{Given(ends[0], "--range LRV"), Given(ends[1], "--range URV")};
    plan.rangeText = args.range;
    if (plan.sensor) {
        CheckTemperature(*plan.sensor, {ends[0], range.lrv.value}, "--range LRV");
        CheckTemperature(*plan.sensor, {ends[1], range.urv.value}, "--range URV");
    }

    const std::optional<TOutput> output = OutputNamed(args.output);
    if (!output)
        throw TCliError("--output '" + args.output + "' is not one of 4-20mA, 0-20mA, 0-10V, 1-5V");

    TStimulus stimulus;
    if (plan.sensor) {
        const TSensorPlan &sensor = *plan.sensor;
        stimulus = [&sensor](Extended t) -> Extended {
            return ConvertValue(sensor, {MessageNumber(static_cast<double>(t)), t});
        };
    }
    try {
        plan.plan = MakePlan(range, *output, Points(args.points), args.upDown, stimulus);
    } catch (const ECalibrationInput &error) {
        throw TCliError(error.what());
    }
    if (!args.tolerance.empty())
        PlanTolerance(plan, args.tolerance);

    CheckLabel(args.tag, "--tag");
    CheckLabel(args.date, "--date");
    plan.tag = args.tag;
    plan.date = args.date == "now" ? Today() : args.date;

    if (!args.found.empty() && !args.foundColumn.empty())
        throw TCliError("--found and --found-column exclude each other; give one");
    if (!args.left.empty() && !args.leftColumn.empty())
        throw TCliError("--left and --left-column exclude each other; give one");
    const bool fromInput = !args.foundColumn.empty() || !args.leftColumn.empty();
    if (!input.file.empty() && !fromInput)
        throw TCliError("--input needs --found-column or --left-column, the columns it reads");
    std::string text;
    if (fromInput)
        text = ReadAll(input, context);
    const auto addSet = [&](const std::string &list, const std::string &column,
                            const std::string &option, const std::string &name,
                            const std::string &key) {
        if (list.empty() && column.empty())
            return;
        if (!plan.tolerance)
            throw TCliError(option + " needs --tolerance to judge the readings against");
        TCalibrationSet set{name, key, {}, {}};
        set.readings = column.empty() ? ListReadings(list, option)
                                      : ColumnReadings(text, column, name);
        try {
            set.check = CheckSet(plan.plan, *plan.tolerance, set.readings, name);
        } catch (const ECalibrationInput &error) {
            throw TCliError(error.what());
        }
        plan.sets.push_back(std::move(set));
    };
    addSet(args.found, args.foundColumn, "--found", "as-found", "as_found");
    addSet(args.left, args.leftColumn, "--left", "as-left", "as_left");
    return plan;
}

} // namespace cli
