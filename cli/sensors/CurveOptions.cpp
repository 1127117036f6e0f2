// SPDX-License-Identifier: MIT
#include "sensors/CurveOptions.h"

#include "CliError.h"
#include "input/NumberText.h"

#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace cli {

namespace {

using namespace temperature;

// "A,B,C" as three numbers.
std::array<Extended, 3> ParseTriple(const std::string &text, const std::string &option)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 3)
        throw TCliError(option + " '" + text + "' must be three numbers separated by commas");
    std::array<Extended, 3> values{};
    for (std::size_t i = 0; i < 3; ++i)
        values[i] = ParseNumber(parts[i], option).value;
    return values;
}

Extended ParsePositive(const std::string &text, const std::string &option, const std::string &what)
{
    const TInputValue value = ParseNumber(text, option);
    if (!(value.value > 0))
        throw TCliError(option + " " + text + " must be a positive " + what);
    return value.value;
}

void Refuse(const std::string &given, const std::string &option, const std::string &sensor)
{
    if (!given.empty())
        throw TCliError(option + " does not apply to the " + sensor);
}

// Every curve's name, for the completion of --curve.
std::string CurveChoices()
{
    std::string list;
    for (const TRtdCurveData &c : RtdCurves)
        list += (list.empty() ? "" : ",") + std::string(c.Name);
    for (const TThermistorData &c : ThermistorCurves)
        list += "," + std::string(c.Name);
    return list;
}

} // namespace

void AddCurveOptions(CLI::App &command, TCurveArgs &args)
{
    command
        .add_option("--r0", args.r0,
                    "pt, cu, ni1000-tk5000: resistance at 0 °C in Ω (pt: default 100, any "
                    "positive value, Pt10 to Pt1000; with --cvd the calibrated R0)")
        ->type_name("OHMS");
    command
        .add_option("--cvd", args.cvd,
                    "pt: a calibrated sensor's own Callendar-Van Dusen coefficients A,B,C, signed "
                    "as IEC 60751 prints them (B, C negative), with --r0 (default 100)")
        ->type_name("A,B,C");
    command
        .add_option("--curve", args.curve,
                    "pt: pt385 (alpha 0.00385, IEC 60751; the default), pt3916 (alpha 0.003916, "
                    "old JIS C 1604-1981), pt3926 (alpha 0.003926); cu: cu428 (alpha 0.00428, "
                    "GOST 6651-2009; the default), cu427 (alpha 0.00427, 10 Ω at 25 °C); ntc: "
                    "semitec-103at, epcos-b57330v2103, murata-ncpxh103, epcos-b57891s0103 "
                    "(Steinhart-Hart fits to the makers' 10 kΩ tables)")
        ->type_name("CURVE:{" + CurveChoices() + "}");
    command.add_option("--r25", args.r25, "ntc: resistance at 25 °C in Ω, with --beta")
        ->type_name("OHMS");
    command.add_option("--beta", args.beta, "ntc: B value in K, referred to 25 °C; needs --r25")
        ->type_name("K");
    command
        .add_option("--sh", args.sh,
                    "ntc: Steinhart-Hart coefficients a,b,c of 1/T = a + b·ln R + c·(ln R)³ "
                    "(T in K, R in Ω)")
        ->type_name("A,B,C");
}

TFieldSetup ParseFieldSensor(const TSensorEntry &entry, const TCurveArgs &args)
{
    const std::string name(entry.name);
    if (entry.model == TSensorModel::Thermocouple) {
        const std::string display(entry.displayName);
        Refuse(args.r0, "--r0", display);
        Refuse(args.cvd, "--cvd", display);
        Refuse(args.curve, "--curve", display);
        Refuse(args.r25, "--r25", display);
        Refuse(args.beta, "--beta", display);
        Refuse(args.sh, "--sh", display);
        return {&entry, display, TFieldSensor(entry.thermocouple), ""};
    }
    if (entry.model == TSensorModel::Thermistor) {
        Refuse(args.r0, "--r0", "thermistor (its size is --r25)");
        Refuse(args.cvd, "--cvd", "thermistor");
        const int models = !args.beta.empty() + !args.sh.empty() + !args.curve.empty();
        if (models != 1)
            throw TCliError("ntc needs exactly one of --beta (with --r25), --sh or --curve");
        if (!args.beta.empty()) {
            if (args.r25.empty())
                throw TCliError("--beta " + args.beta
                                + " needs --r25, the thermistor's resistance at 25 °C");
            const Extended r25 = ParsePositive(args.r25, "--r25", "resistance in Ω");
            const Extended beta = ParsePositive(args.beta, "--beta", "B value in K");
            return {&entry, "NTC thermistor (B " + args.beta + " K, " + args.r25 + " Ω at 25 °C)",
                    TFieldSensor(TThermistor::Beta(r25, beta)), "--beta " + args.beta};
        }
        Refuse(args.r25, "--r25", "thermistor without --beta");
        if (!args.sh.empty()) {
            const auto [a, b, c] = ParseTriple(args.sh, "--sh");
            return {&entry, "NTC thermistor (Steinhart-Hart " + args.sh + ")",
                    TFieldSensor(TThermistor::SteinhartHart(a, b, c)), "--sh " + args.sh};
        }
        const TThermistorData *curve = FindThermistorCurve(args.curve);
        if (!curve)
            throw TCliError("unknown thermistor curve '" + args.curve + "'; expected one of "
                            + CurveNames(true, ""));
        return {&entry, std::string(curve->Title), TFieldSensor(TThermistor(*curve)),
                "--curve " + args.curve};
    }
    // resistance thermometers
    Refuse(args.r25, "--r25", name + " sensor (its size is --r0)");
    Refuse(args.beta, "--beta", name + " sensor");
    Refuse(args.sh, "--sh", name + " sensor");
    if (entry.takesCvd && !args.cvd.empty()) {
        Refuse(args.curve, "--curve", "platinum sensor with its own coefficients (--cvd)");
        // a calibration certificate gives R0 beside A, B and C; without it the nominal 100 Ω
        const std::string r0Text = args.r0.empty() ? std::string("100") : args.r0;
        const Extended r0 = ParsePositive(r0Text, "--r0", "resistance in Ω");
        const auto [a, b, c] = ParseTriple(args.cvd, "--cvd");
        return {&entry,
                "platinum sensor (Callendar-Van Dusen " + args.cvd + ", R0 " + r0Text + " Ω)",
                TFieldSensor(TRtdCurve::CallendarVanDusen(a, b, c, r0)), "--cvd " + args.cvd};
    }
    Refuse(args.cvd, "--cvd", name + " sensor");
    // A curve of the sensor's own kind: its name starts as the sensor's does.
    const std::string prefix = entry.takesCurve ? name.substr(0, 2) : name;
    std::string curveName = args.curve;
    if (curveName.empty())
        curveName = entry.defaultCurve;
    else if (!entry.takesCurve)
        Refuse(args.curve, "--curve", "Ni1000 TK5000");
    const TRtdCurveData *curve = FindRtdCurve(curveName);
    if (!curve || curveName.substr(0, prefix.size()) != prefix)
        throw TCliError("unknown " + name + " curve '" + args.curve + "'; expected one of "
                        + CurveNames(false, prefix));
    const Extended r0
        = args.r0.empty() ? curve->R0 : ParsePositive(args.r0, "--r0", "resistance in Ω");
    return {&entry,
            std::string(curve->Title) + ", R0 " + MessageNumber(static_cast<double>(r0)) + " Ω",
            TFieldSensor(TRtdCurve(*curve, r0)), "--curve " + curveName};
}

void RefuseCurveOptions(const TCurveArgs &args, const std::string &displayName)
{
    Refuse(args.r0, "--r0", displayName + " (sized sensors: pt, cu, ni1000-tk5000)");
    Refuse(args.cvd, "--cvd", displayName + " (use pt --cvd A,B,C --r0 OHMS)");
    Refuse(args.curve, "--curve", displayName);
    Refuse(args.r25, "--r25", displayName + " (use ntc --r25 OHMS --beta K)");
    Refuse(args.beta, "--beta", displayName + " (use ntc --r25 OHMS --beta K)");
    Refuse(args.sh, "--sh", displayName + " (use ntc --sh A,B,C)");
}

void CheckMonotonic(const TFieldSetup &setup, double tLow, double tHigh)
{
    if (setup.sensor.MonotonicOver(tLow, tHigh))
        return;
    const bool thermistor = setup.entry->model == TSensorModel::Thermistor;
    throw TCliError(setup.definition + ": the " + (thermistor ? "thermistor's" : "sensor's")
                    + " resistance does not " + (thermistor ? "fall" : "rise") + " steadily from "
                    + MessageNumber(tLow) + " to " + MessageNumber(tHigh)
                    + " °C, so the curve is not one-to-one there");
}

} // namespace cli
