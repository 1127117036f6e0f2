// SPDX-License-Identifier: MIT
// calibrate: a transmitter's check at test points, as found and as left, in % of span, with the
// verdict of each set against the tolerance; a record in text, CSV or JSON, or a chart in SVG.

#include "commands/CalibratePlan.h"
#include "commands/Command.h"
#include "output/SvgPlot.h"

#include "scaling/LoopSignal.h"

namespace cli {

namespace {

using namespace calibration;

double D(Extended value)
{
    return static_cast<double>(value);
}

// A number as it was given, or (a third of the span) its shortest text.
std::string GivenText(const TGiven &given)
{
    return FormatNumber(D(given.value),
                        given.decimals >= 0 ? std::optional<int>(given.decimals) : std::nullopt);
}

// "point 7 (50 % down)"
std::string PointText(const TCalibratePlan &plan, std::size_t index)
{
    const TTestPoint &point = plan.plan.points[index];
    std::string text = "point " + std::to_string(index + 1) + " (" + GivenText(point.percent) + " %";
    if (plan.plan.returnLeg)
        text += point.leg == TLeg::Up ? " up" : " down";
    return text + ")";
}

nlohmann::ordered_json CalibrationSettings(const TCalibratePlan &plan)
{
    nlohmann::ordered_json settings = nlohmann::ordered_json::object();
    if (!plan.tag.empty())
        settings["tag"] = plan.tag;
    if (!plan.date.empty())
        settings["date"] = plan.date;
    if (plan.sensor) {
        settings.update(Settings(*plan.sensor));
    } else {
        settings["sensor"] = "linear";
        settings["input_unit"] = plan.input.unit;
    }
    settings["lrv"] = D(plan.plan.range.lrv.value);
    settings["urv"] = D(plan.plan.range.urv.value);
    settings["output"] = plan.Output().name;
    settings["points"] = plan.plan.points.size();
    settings["up_down"] = plan.plan.returnLeg;
    if (plan.tolerance) {
        settings["tolerance"] = plan.toleranceText;
        settings["tolerance_percent_of_span"]
            = D(ToleranceIn(plan.plan, *plan.tolerance, TToleranceUnit::PercentOfSpan));
    }
    return settings;
}

std::vector<TColumn> Columns(const TCalibratePlan &plan)
{
    const std::string out = plan.Output().unit;
    const TColumn &in = plan.input;
    std::vector<TColumn> columns;
    if (!plan.sets.empty())
        columns.push_back({"set", "set", "", "", true});
    columns.push_back({"point", "point", "", "", false, false, "pt"});
    if (plan.plan.returnLeg)
        columns.push_back({"leg", "leg", "", "", true});
    columns.push_back({"percent_of_span", "span", "%", "pct", false, false, "span"});
    columns.push_back({"input", "input", in.unit, in.asciiUnit, false, false, "input"});
    if (plan.terminals)
        columns.push_back(*plan.terminals);
    columns.back().abbreviation = columns.back().heading;
    columns.push_back({"ideal", "ideal", out, out, false, false, "ideal"});
    if (plan.sets.empty())
        return columns;
    columns.push_back({"reading", "reading", out, out, false, false, "reading"});
    columns.push_back({"error", "error", out, out, false, false, "error"});
    columns.push_back({"error_percent_of_span", "error", "% span", "pct", false, false, "error"});
    columns.push_back({"error_input", "error", in.unit, in.asciiUnit, false, false, "error"});
    columns.push_back({"result", "result", "", "", true});
    if (plan.Output().output == TOutput::Current4To20)
        columns.push_back({"ne43_zone", "NE 43 zone", "", "", true, false, "NE 43"});
    if (plan.plan.returnLeg)
        columns.push_back({"hysteresis_percent_of_span", "hysteresis", "% span", "pct", false,
                           false, "hyst."});
    return columns;
}

TRow PointCells(const TCalibratePlan &plan, std::size_t i)
{
    const TTestPoint &point = plan.plan.points[i];
    TRow row{TValue::Given(std::to_string(i + 1), static_cast<double>(i + 1))};
    if (plan.plan.returnLeg)
        row.push_back(TValue::Word(point.leg == TLeg::Up ? "up" : "down"));
    row.push_back(TValue::Given(GivenText(point.percent), D(point.percent.value)));
    row.push_back(TValue::Number(D(point.input)));
    if (plan.terminals)
        row.push_back(TValue::Maybe(point.stimulus ? std::optional(D(*point.stimulus))
                                                   : std::nullopt));
    row.push_back(TValue::Number(D(point.output)));
    return row;
}

std::string Signed(const TOutputOptions &options, Extended value)
{
    const std::string text = FormatNumber(D(value), options.decimals);
    return text[0] == '-' || text.find_first_not_of("0.") == std::string::npos ? text : "+" + text;
}

std::vector<std::string> SummaryLines(const TCalibratePlan &plan, const TCalibrationSet &set,
                                      const TOutputOptions &options,
                                      nlohmann::ordered_json &json)
{
    const TSetCheck &check = set.check;
    const TReadingCheck &largest = check.readings[check.largest];
    const std::string out = plan.Output().unit;
    json["pass"] = check.pass;
    json["largest_error"] = {{"point", check.largest + 1},
                             {"error", D(largest.errorOutput)},
                             {"error_percent_of_span", D(largest.errorPercent)},
                             {"error_input", D(largest.errorInput)}};
    std::string line = set.name + ": " + (check.pass ? "PASS" : "FAIL") + " against "
                       + plan.toleranceText + "; largest error "
                       + Signed(options, largest.errorPercent) + " % of span ("
                       + Signed(options, largest.errorOutput) + " " + out + ", "
                       + Signed(options, largest.errorInput) + " " + plan.input.unit + ") at "
                       + PointText(plan, check.largest);
    if (check.largestHysteresis) {
        const THysteresis &h = check.hysteresis[*check.largestHysteresis];
        json["largest_hysteresis"] = {{"point", h.up + 1},
                                      {"hysteresis", D(h.output)},
                                      {"hysteresis_percent_of_span", D(h.percent)},
                                      {"hysteresis_input", D(h.input)}};
        line += "; largest hysteresis " + Signed(options, h.percent) + " % of span ("
                + Signed(options, h.output) + " " + out + ") at "
                + GivenText(plan.plan.points[h.up].percent) + " %";
    }
    return {line};
}

std::string Title(const TCalibratePlan &plan)
{
    std::string title = plan.tag.empty() ? std::string() : plan.tag + " ";
    title += plan.sensor ? plan.sensor->sensor->DisplayName() : std::string("linear input");
    title += " " + plan.rangeText + " " + plan.input.unit + ", " + plan.Output().name;
    if (!plan.date.empty())
        title += " · " + plan.date;
    return title;
}

void WriteSvg(const TCalibratePlan &plan, TRunContext &context)
{
    svgplot::TPlot plot;
    plot.title = Title(plan);
    plot.x = {"Input", plan.input.unit};
    plot.y = {"Error", "% of span"};
    if (plan.tolerance) {
        const double band
            = D(ToleranceIn(plan.plan, *plan.tolerance, TToleranceUnit::PercentOfSpan));
        plot.bands.push_back({"tolerance " + plan.toleranceText, {{0, -band, band}}});
    }
    for (const TCalibrationSet &set : plan.sets) {
        svgplot::TSeries series{set.name, {}, true};
        for (std::size_t i = 0; i < set.check.readings.size(); ++i)
            series.points.push_back(
                {D(plan.plan.points[i].input), D(set.check.readings[i].errorPercent)});
        plot.series.push_back(std::move(series));
    }
    context.Out() << svgplot::RenderSvg(plot);
}

void RunCalibrate(const TCalibratePlan &plan, TRunContext &context)
{
    if (!plan.sets.empty() && !plan.sets.back().check.pass)
        context.AnswerNo();
    if (context.Options().format == TFormat::Svg) {
        WriteSvg(plan, context);
        return;
    }
    TReportWriter writer("calibrate", Columns(plan), CalibrationSettings(plan),
                         context.Options());
    const std::size_t count = plan.plan.points.size();
    if (plan.sets.empty()) {
        for (std::size_t i = 0; i < count; ++i)
            writer.AddRow(PointCells(plan, i));
    }
    const bool zones = plan.Output().output == TOutput::Current4To20;
    for (const TCalibrationSet &set : plan.sets) {
        // The hysteresis stands on the return leg's row, down minus up.
        std::vector<std::optional<Extended>> hysteresis(count);
        for (const THysteresis &h : set.check.hysteresis)
            hysteresis[h.down] = h.percent;
        for (std::size_t i = 0; i < count; ++i) {
            const TReadingCheck &r = set.check.readings[i];
            TRow row{TValue::Word(set.name)};
            const TRow point = PointCells(plan, i);
            row.insert(row.end(), point.begin(), point.end());
            row.push_back(TValue::Given(GivenText(r.reading), D(r.reading.value)));
            row.push_back(TValue::Number(D(r.errorOutput)));
            row.push_back(TValue::Number(D(r.errorPercent)));
            row.push_back(TValue::Number(D(r.errorInput)));
            row.push_back(TValue::Word(r.pass ? "pass" : "FAIL"));
            if (zones)
                row.push_back(r.zone ? TValue::Word(scaling::NamurZoneText(*r.zone)) : TValue());
            if (plan.plan.returnLeg)
                row.push_back(hysteresis[i] ? TValue::Number(D(*hysteresis[i])) : TValue());
            writer.AddRow(row);
        }
        nlohmann::ordered_json json = nlohmann::ordered_json::object();
        const std::vector<std::string> lines = SummaryLines(plan, set, context.Options(), json);
        writer.AddSummary(set.key, std::move(json), lines);
    }
    writer.Finish(context.Out());
}

} // namespace

TCommand AddCalibrateCommand(CLI::App &app)
{
    return DefineCommand(
        app,
        {"calibrate",
         R"(Check a transmitter: the test points across its range with what to apply at its
terminals and the ideal output, and for the as-found and as-left readings the error in output
units, in % of span and in input units, pass or fail against the tolerance, the NE 43 zone, the
largest error and, with --up-down, the hysteresis.)",
         R"(An error exactly equal to the tolerance passes: readings are judged at the digits they
and the tolerance were given in. The return leg of --up-down comes back down without the top
point again. For a thermocouple, the millivolts to apply are E(t) - E(cj), as a transmitter
compensating its cold junction at --cj needs them. No clock is read unless --date now is given.
Exit status 0 when the last set given passes, 1 when it fails. )",
         "",
         {"velmora-cli calibrate pt100 --range 0,150 --points 5 --up-down --tolerance 0.25% "
          "--found 4.02,8.04,12.05,16.03,19.98,16.06,12.07,8.05,4.03",
          "velmora-cli calibrate k --range 0,500 --cj 25 --tolerance 2C --format svg --found "
          "4.1,8,12,16,19.9",
          "velmora-cli calibrate linear --input-unit bar --range 0,10 --output 0-10V "
          "--tolerance 0.5% --input log.csv --found-column found --left-column left"}},
        TInputOptions::Input, AddCalibrateOptions, PlanCalibrate, RunCalibrate);
}

void AddCalibrateOptions(CLI::App &command, TCalibrateArgs &args)
{
    args.sensor.emfUnit = "mV";
    AddSensorOptions(command, args.sensor, true, false);
    command.get_option("SENSOR")
        ->description("the transmitter's input: a sensor, or linear for a pressure, level or "
                      "flow transmitter (its unit in --input-unit)")
        ->type_name(SensorNames("|") + "|linear");
    command.get_option("--emf-unit")->default_str("mV");
    command.add_option("--input-unit", args.inputUnit, "the unit of a linear input's range")
        ->type_name("UNIT");
    command.add_option("--range", args.range,
                       "the input at 0 % and at 100 % of span, in --unit or --input-unit; "
                       "URV below LRV for a reverse-acting output")
        ->type_name("LRV,URV")
        ->required();
    command.add_option("--output", args.output, "the transmitter's output signal")
        ->type_name("4-20mA|0-20mA|0-10V|1-5V")
        ->default_str("4-20mA");
    command
        .add_option("--points", args.points,
                    "test points in % of span (0,25,50,75,100), or their count, spread evenly "
                    "from 0 to 100 %")
        ->type_name("LIST|N")
        ->default_str("5");
    command.add_flag("--up-down", args.upDown,
                     "test on the way up and back down, for the hysteresis at each point");
    command
        .add_option("--tolerance", args.tolerance,
                    "± allowed error: in % of span (0.25%), in the input's unit (0.3C) or the "
                    "output's (0.04mA)")
        ->type_name("TOLERANCE");
    command.add_option("--found", args.found, "as-found readings, one a test point, in mA or V")
        ->type_name("R,R,...");
    command.add_option("--left", args.left, "as-left readings, one a test point, in mA or V")
        ->type_name("R,R,...");
    command
        .add_option("--found-column", args.foundColumn,
                    "read the as-found readings from this column of --input (or standard input)")
        ->type_name("N|NAME");
    command
        .add_option("--left-column", args.leftColumn,
                    "read the as-left readings from this column of --input (or standard input)")
        ->type_name("N|NAME");
    command.add_option("--tag", args.tag, "the transmitter's tag, for the record")->type_name("TAG");
    command.add_option("--date", args.date, "the date of the check, as given; now for today (UTC)")
        ->type_name("DATE|now");
}

} // namespace cli
