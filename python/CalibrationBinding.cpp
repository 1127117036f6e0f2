// SPDX-License-Identifier: MIT
#include "CalibrationBinding.h"

#include "Numbers.h"
#include "SensorModel.h"

#include "calibration/Calibration.h"
#include "scaling/LoopSignal.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace pyvelmora {

namespace {

namespace py = pybind11;
using namespace calibration;
using namespace pybind11::literals;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

double D(Extended value)
{
    return static_cast<double>(value);
}

// A number with the digits Python prints for it, which the judgement of a tie counts.
TGiven Given(double value, const std::string &what)
{
    if (!std::isfinite(value))
        throw ERefused(what + " " + GivenText(value) + " is not a finite number");
    TGiven given;
    ReadGiven(GivenText(value), given);
    given.value = AsDecimal(value);
    return given;
}

std::vector<TGiven> GivenList(const std::vector<double> &values, const std::string &what)
{
    std::vector<TGiven> list;
    for (std::size_t i = 0; i < values.size(); ++i)
        list.push_back(Given(values[i], what + " " + std::to_string(i + 1)));
    return list;
}

py::array_t<double> Array(const std::vector<double> &values)
{
    return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

py::array Words(const std::vector<std::string> &words)
{
    return py::module_::import("numpy").attr("array")(py::cast(words), "dtype"_a = "str");
}

py::dict JudgeSet(const TPlan &plan, const TTolerance &tolerance, const std::vector<double> &given,
                  const char *name)
{
    TSetCheck check;
    try {
        check = CheckSet(plan, tolerance, GivenList(given, std::string(name) + " reading"), name);
    } catch (const ECalibrationInput &error) {
        throw ERefused(error.what());
    }
    const std::size_t count = plan.points.size();
    std::vector<double> reading, error, percent, input, hysteresis(count, NaN);
    std::vector<std::string> result, zone;
    for (const TReadingCheck &r : check.readings) {
        reading.push_back(D(r.reading.value));
        error.push_back(D(r.errorOutput));
        percent.push_back(D(r.errorPercent));
        input.push_back(D(r.errorInput));
        result.push_back(r.pass ? "pass" : "FAIL");
        zone.push_back(r.zone ? scaling::NamurZoneText(*r.zone) : "");
    }
    for (const THysteresis &h : check.hysteresis)
        hysteresis[h.down] = D(h.percent);
    py::dict set;
    set["reading"] = Array(reading);
    set["error"] = Array(error);
    set["error_percent_of_span"] = Array(percent);
    set["error_input"] = Array(input);
    set["result"] = Words(result);
    if (plan.output == TOutput::Current4To20)
        set["ne43_zone"] = Words(zone);
    if (plan.returnLeg)
        set["hysteresis_percent_of_span"] = Array(hysteresis);
    set["pass"] = check.pass;
    const TReadingCheck &largest = check.readings[check.largest];
    set["largest_error"]
        = py::dict("point"_a = check.largest + 1, "error"_a = D(largest.errorOutput),
                   "error_percent_of_span"_a = D(largest.errorPercent),
                   "error_input"_a = D(largest.errorInput));
    if (check.largestHysteresis) {
        const THysteresis &h = check.hysteresis[*check.largestHysteresis];
        set["largest_hysteresis"] = py::dict("point"_a = h.up + 1, "hysteresis"_a = D(h.output),
                                             "hysteresis_percent_of_span"_a = D(h.percent),
                                             "hysteresis_input"_a = D(h.input));
    }
    return set;
}

TTolerance ToleranceOf(const TPlan &plan, double amount, const std::string &unit,
                       const std::string &inputUnit)
{
    TTolerance tolerance;
    tolerance.amount = Given(amount, "tolerance");
    const std::string output = OutputSignal(plan.output).unit;
    if (unit == "%")
        tolerance.unit = TToleranceUnit::PercentOfSpan;
    else if (unit == output)
        tolerance.unit = TToleranceUnit::Output;
    else if (unit == inputUnit || (inputUnit == "°C" && unit == "C")
             || (inputUnit == "°F" && unit == "F"))
        tolerance.unit = TToleranceUnit::Input;
    else
        throw ERefused("tolerance_unit '" + unit + "' is not % (of span), " + inputUnit + " or "
                       + output);
    try {
        CheckTolerance(plan, tolerance);
    } catch (const ECalibrationInput &error) {
        throw ERefused("tolerance " + GivenText(amount) + ": " + error.what());
    }
    return tolerance;
}

} // namespace

void AddCalibration(py::module_ &module)
{
    module.def(
        "calibrate",
        [](const std::string &sensor, double lrv, double urv, const std::string &output,
           const std::variant<int, std::vector<double>> &points, bool upDown,
           std::optional<double> tolerance, const std::string &toleranceUnit,
           std::optional<std::vector<double>> found, std::optional<std::vector<double>> left,
           const std::string &inputUnit, const std::string &unit, std::optional<double> cj,
           const std::string &emfUnit, std::optional<double> r0,
           std::optional<std::vector<double>> cvd, std::optional<std::string> curve) {
            std::optional<TSensorModel> model;
            std::string inputShown = inputUnit;
            const bool linear = sensor == "linear";
            if (linear) {
                if (cj)
                    throw ERefused("cj applies to thermocouples only, not to a linear input");
            } else {
                std::optional<std::array<double, 3>> triple;
                if (cvd) {
                    if (cvd->size() != 3)
                        throw ERefused("cvd must be three numbers");
                    triple = std::array<double, 3>{(*cvd)[0], (*cvd)[1], (*cvd)[2]};
                }
                model.emplace(sensor, TSensorOptions{unit, emfUnit, r0, triple, curve, std::nullopt,
                                                     std::nullopt, std::nullopt});
                if (cj)
                    model->CheckColdJunction(*cj);
                inputShown = model->Fahrenheit() ? "°F" : "°C";
                model->ReferenceCelsius(lrv, "lrv");
                model->ReferenceCelsius(urv, "urv");
            }
            const std::optional<TOutput> signal = OutputNamed(output);
            if (!signal)
                throw ERefused("output '" + output + "' is not one of 4-20mA, 0-20mA, 0-10V, 1-5V");
            std::vector<TGiven> percents;
            if (const int *count = std::get_if<int>(&points)) {
                if (*count < MinPointCount || *count > MaxPointCount)
                    throw ERefused(
                        "points " + std::to_string(*count) + " is not a count of points from "
                        + std::to_string(MinPointCount) + " to " + std::to_string(MaxPointCount)
                        + " (or a list of % of span, such as [0, 50, 100])");
                percents = PointsFromCount(*count);
            } else {
                percents = GivenList(std::get<std::vector<double>>(points), "point");
            }
            TStimulus stimulus;
            if (model) {
                stimulus = [&model, cj](Extended t) -> Extended {
                    return model->ToElectricExtended(t, cj);
                };
            }
            TPlan plan;
            try {
                plan = MakePlan({Given(lrv, "lrv"), Given(urv, "urv")}, *signal, percents, upDown,
                                stimulus);
            } catch (const ECalibrationInput &error) {
                throw ERefused(error.what());
            }
            std::vector<double> percent, input, apply, ideal;
            std::vector<std::string> legs;
            for (const TTestPoint &point : plan.points) {
                percent.push_back(D(point.percent.value));
                input.push_back(D(point.input));
                apply.push_back(point.stimulus ? D(*point.stimulus) : NaN);
                ideal.push_back(D(point.output));
                legs.push_back(point.leg == TLeg::Up ? "up" : "down");
            }
            py::dict result;
            if (upDown)
                result["leg"] = Words(legs);
            result["percent_of_span"] = Array(percent);
            result["input"] = Array(input);
            if (model)
                result["apply"] = Array(apply);
            result["ideal"] = Array(ideal);
            if ((found || left) && !tolerance)
                throw ERefused(std::string(found ? "found" : "left")
                               + " needs tolerance to judge the readings against");
            if (tolerance) {
                const TTolerance judged = ToleranceOf(plan, *tolerance, toleranceUnit, inputShown);
                result["tolerance_percent_of_span"]
                    = D(ToleranceIn(plan, judged, TToleranceUnit::PercentOfSpan));
                if (found)
                    result["as_found"] = JudgeSet(plan, judged, *found, "as-found");
                if (left)
                    result["as_left"] = JudgeSet(plan, judged, *left, "as-left");
            }
            return result;
        },
        "sensor"_a, py::kw_only(), "lrv"_a, "urv"_a, "output"_a = "4-20mA", "points"_a = 5,
        "up_down"_a = false, "tolerance"_a = py::none(), "tolerance_unit"_a = "%",
        "found"_a = py::none(), "left"_a = py::none(), "input_unit"_a = "", "unit"_a = "C",
        "cj"_a = py::none(), "emf_unit"_a = "uV", "r0"_a = py::none(), "cvd"_a = py::none(),
        "curve"_a = py::none(),
        R"(A transmitter check, as velmora-cli calibrate does it, as a dict of arrays, one element a
test point in the order they are tested: 'leg' ('up'/'down', with up_down), 'percent_of_span',
'input' (in `unit`, or input_unit for a linear input), 'apply' (what a simulator applies at the
terminals: Ω, or the emf in emf_unit with the reference junction at cj taken off), 'ideal' (the
ideal output, mA or V); with a tolerance 'tolerance_percent_of_span', and for each set given,
'as_found' and 'as_left': 'reading', 'error' (mA or V), 'error_percent_of_span', 'error_input',
'result' ('pass'/'FAIL'), 'ne43_zone' (4-20 mA), 'hysteresis_percent_of_span' (on the return
leg, down minus up; NaN elsewhere), 'pass' (the set's verdict), 'largest_error' and
'largest_hysteresis'.

    sensor: a sensor name as for to_electrical, or 'linear' (a pressure, level or flow input in
        input_unit).
    lrv, urv: the input at 0 % and 100 % of span (urv below lrv: reverse acting), within the
        sensor's limits.
    output: '4-20mA', '0-20mA', '0-10V' or '1-5V'.
    points: a count of points evenly spread over the span (2 to 10001), or a list of % of span
        (-25 to 125), rising when up_down.
    up_down: test the points back down as well (without the top one again), for hysteresis.
    tolerance: ± in tolerance_unit: '%' (of span, above 0 and at most 100), the output's unit
        ('mA' or 'V') or the input's ('C', 'F' or input_unit).
    found, left: the as-found and as-left readings in mA or V, one a test point. A reading
        exactly on the tolerance at its digits passes.)");
}

} // namespace pyvelmora
