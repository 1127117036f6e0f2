// SPDX-License-Identifier: MIT
// The Python module `velmora`: velmora-cli's calculations on the same engine, for notebooks and
// log analysis, over single values or numpy arrays.

#include "CalibrationBinding.h"
#include "HumidityModel.h"
#include "Numbers.h"
#include "SensorModel.h"
#include "Vectorise.h"

#include "arith.h"
#include "humidity/humidity.h"
#include "scaling/LoopSignal.h"
#include "scaling/scaling.h"
#include "temperature/ToleranceClasses.h"

#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <vector>

namespace pyvelmora {

bool IsScalar(const py::handle &value)
{
    if (py::isinstance<py::float_>(value) || py::isinstance<py::int_>(value))
        return true;
    const py::module_ numpy = py::module_::import("numpy");
    return py::isinstance(value, numpy.attr("generic"));
}

double FiniteScalar(const py::handle &value, const char *what)
{
    const auto number = py::cast<double>(py::float_(py::reinterpret_borrow<py::object>(value)));
    if (!std::isfinite(number))
        throw ERefused(std::string(what) + " " + py::str(value).cast<std::string>()
                       + " is not a finite number");
    return number;
}

namespace {

using namespace pybind11::literals;

std::optional<std::array<double, 3>> Triple(const std::optional<std::vector<double>> &values,
                                            const char *what)
{
    if (!values)
        return std::nullopt;
    if (values->size() != 3)
        throw ERefused(std::string(what) + " must be three numbers");
    return std::array<double, 3>{(*values)[0], (*values)[1], (*values)[2]};
}

TSensorOptions Options(const std::string &unit, const std::string &emfUnit,
                       std::optional<double> r0, const std::optional<std::vector<double>> &cvd,
                       std::optional<std::string> curve, std::optional<double> r25,
                       std::optional<double> beta, const std::optional<std::vector<double>> &sh)
{
    return {unit, emfUnit, r0, Triple(cvd, "cvd"), std::move(curve), r25, beta, Triple(sh, "sh")};
}

// A conversion of one sensor, with or without a reference junction temperature.
py::object Convert(const TSensorModel &sensor, bool toElectric, const py::object &values,
                   const py::object &cj)
{
    const char *what = toElectric ? "temperature" : (sensor.Thermocouple() ? "emf" : "resistance");
    if (cj.is_none()) {
        return Vectorise<1, 1>({values}, {what}, [&](const auto &in, auto &out) {
            out[0] = sensor.AsPrinted(toElectric ? sensor.ToElectric(in[0], std::nullopt)
                                                 : sensor.ToTemperature(in[0], std::nullopt),
                                      toElectric);
        })[0];
    }
    if (!sensor.Thermocouple())
        throw ERefused("cj applies to thermocouples only, not to the " + sensor.DisplayName());
    return Vectorise<2, 1>({values, cj}, {what, "cj"}, [&](const auto &in, auto &out) {
        out[0] = sensor.AsPrinted(toElectric ? sensor.ToElectric(in[0], in[1])
                                             : sensor.ToTemperature(in[0], in[1]),
                                  toElectric);
    })[0];
}

py::dict Dict(const std::vector<std::string> &keys, const std::vector<py::object> &values)
{
    py::dict dict;
    for (std::size_t i = 0; i < keys.size(); ++i)
        dict[py::str(keys[i])] = values[i];
    return dict;
}

// A word per element: a str for a single value, else an array of str ("" where there is none).
py::object Words(const py::object &numbers, const std::function<std::string(double)> &word)
{
    if (py::isinstance<py::float_>(numbers))
        return py::str(word(numbers.cast<double>()));
    const py::module_ numpy = py::module_::import("numpy");
    const auto array = numbers.cast<py::array_t<double>>();
    py::list words;
    const double *data = array.data();
    for (py::ssize_t i = 0; i < array.size(); ++i)
        words.append(std::isnan(data[i]) ? std::string() : word(data[i]));
    return numpy.attr("array")(words, "dtype"_a = "str").attr("reshape")(array.attr("shape"));
}

const char *SensorDoc = R"(sensor: a name velmora-cli knows, in any case: pt1000, pt100, ni1000,
        ntc2252; thermocouple types k, j, s, b, t, n, e, r; 'pt' (platinum of any r0, or its
        own cvd), 'ni1000-tk5000', 'cu' (copper), 'ntc' (thermistor by r25 with beta, sh or
        curve).
    unit: 'C' or 'F', the unit of every temperature (input, result and cj).
    cj: a thermocouple's reference junction temperature in `unit` (default none: 0 °C); the
        emf is compensated in voltage as E(t) - E(cj). A number or an array.
    emf_unit: 'uV' or 'mV', the unit of a thermocouple's emf, input and output.
    r0: pt, cu, ni1000-tk5000: resistance at 0 °C in Ω (pt: default 100; with cvd the
        calibrated R0).
    cvd: pt: a calibrated sensor's Callendar-Van Dusen (A, B, C), signed as IEC 60751 prints
        them (B, C negative); -200 to 850 °C.
    curve: pt: 'pt385' (IEC 60751, the default), 'pt3916', 'pt3926'; cu: 'cu428' (the
        default), 'cu427'; ntc: 'semitec-103at', 'epcos-b57330v2103', 'murata-ncpxh103',
        'epcos-b57891s0103'.
    r25, beta: ntc: resistance at 25 °C in Ω and B value in K (beta model).
    sh: ntc: Steinhart-Hart (a, b, c) of 1/T = a + b ln R + c (ln R)^3, T in K, R in Ω.

Each value is taken as the decimal number Python prints for it, as velmora-cli takes the same
text, so both give the same results to the last bit. A single value without a result raises
ValueError with velmora-cli's message; in an array it is NaN, as is a NaN input.)";

std::string Doc(const std::string &head)
{
    return head + "\n\n    " + SensorDoc;
}

} // namespace

} // namespace pyvelmora

PYBIND11_MODULE(velmora, module)
{
    using namespace pyvelmora;
    using namespace pybind11::literals;
    using temperature::TClassKey;

    module.doc() = "Velmora's engine: temperature sensors, tolerance classes, humidity, the 4-20 "
                   "mA loop, the straight line and the transmitter check, the same numbers as "
                   "velmora-cli, over single values or numpy arrays.";
    module.attr("__version__") = VELMORA_VERSION;

    module.def(
        "to_electrical",
        [](const std::string &sensor, const py::object &temperature, const std::string &unit,
           const py::object &cj, const std::string &emfUnit, std::optional<double> r0,
           std::optional<std::vector<double>> cvd, std::optional<std::string> curve,
           std::optional<double> r25, std::optional<double> beta,
           std::optional<std::vector<double>> sh) {
            const TSensorModel model(sensor, Options(unit, emfUnit, r0, cvd, curve, r25, beta, sh));
            return Convert(model, true, temperature, cj);
        },
        "sensor"_a, "temperature"_a, py::kw_only(), "unit"_a = "C", "cj"_a = py::none(),
        "emf_unit"_a = "uV", "r0"_a = py::none(), "cvd"_a = py::none(), "curve"_a = py::none(),
        "r25"_a = py::none(), "beta"_a = py::none(), "sh"_a = py::none(),
        Doc(R"(The sensor's resistance (Ω) or thermo-voltage (emf_unit) at `temperature`.

    temperature: in `unit`, within the sensor's limits (Pt100 and Pt1000 -200 to 850 °C, Ni1000
        -50 to 250 °C, NTC2252 -80 to 120 °C, K -270 to 1370 °C, ...). A number or an array;
        the result is of the same kind. A thermocouple's emf is a single-precision value, as
        velmora-cli prints it.)")
            .c_str());

    module.def(
        "to_temperature",
        [](const std::string &sensor, const py::object &value, const std::string &unit,
           const py::object &cj, const std::string &emfUnit, std::optional<double> r0,
           std::optional<std::vector<double>> cvd, std::optional<std::string> curve,
           std::optional<double> r25, std::optional<double> beta,
           std::optional<std::vector<double>> sh) {
            const TSensorModel model(sensor, Options(unit, emfUnit, r0, cvd, curve, r25, beta, sh));
            model.CheckInverse();
            return Convert(model, false, value, cj);
        },
        "sensor"_a, "value"_a, py::kw_only(), "unit"_a = "C", "cj"_a = py::none(),
        "emf_unit"_a = "uV", "r0"_a = py::none(), "cvd"_a = py::none(), "curve"_a = py::none(),
        "r25"_a = py::none(), "beta"_a = py::none(), "sh"_a = py::none(),
        Doc(R"(The temperature (in `unit`) of a resistance (Ω) or thermo-voltage (emf_unit).

    value: within the image of the sensor's temperature limits, as far as its inverse function
        reaches (Pt100 18.520 to 390.481 Ω). A number or an array; the result is of the same
        kind.)")
            .c_str());

    module.def(
        "tolerance",
        [](const std::string &sensor, const py::object &temperature, const std::string &cls,
           const std::string &unit, const std::string &emfUnit, std::optional<double> r0,
           std::optional<std::vector<double>> cvd, std::optional<std::string> curve) {
            const TSensorModel model(sensor, Options(unit, emfUnit, r0, cvd, curve, std::nullopt,
                                                     std::nullopt, std::nullopt));
            const TClassKey key = model.ToleranceClass(cls);
            const auto r
                = Vectorise<1, 2>({temperature}, {"temperature"}, [&](const auto &in, auto &out) {
                      const auto pm = model.Tolerance(key, in[0]);
                      out[0] = pm[0];
                      out[1] = pm[1];
                  });
            return Dict({"temperature_tolerance", model.ElectricKey() + "_tolerance"},
                        {r[0], r[1]});
        },
        "sensor"_a, "temperature"_a, "cls"_a, py::kw_only(), "unit"_a = "C", "emf_unit"_a = "uV",
        "r0"_a = py::none(), "cvd"_a = py::none(), "curve"_a = py::none(),
        Doc(R"(The permitted deviation of a tolerance class at `temperature`, as a dict:
'temperature_tolerance' (± in `unit`) and 'resistance_tolerance' (± Ω) or 'emf_tolerance'
(± emf_unit), half the span of the electrical quantity between t - δ and t + δ.

    cls: IEC 60751:2008 'AA', 'A', 'B', 'C' (wire-wound) or the designations 'W 0.1' ... 'F 0.6'
        for platinum on the IEC 60751 curve (pt100, pt1000, pt); IEC 60584-1:2013 '1', '2', '3'
        for thermocouples. A class is defined over its range only (class A wire-wound: -100 to
        450 °C); outside it there is no tolerance (ValueError, or NaN in an array).)")
            .c_str());

    module.def(
        "check",
        [](const std::string &sensor, const py::object &reference, const py::object &reading,
           const std::string &unit, const py::object &cj, const std::string &emfUnit,
           std::optional<double> r0, std::optional<std::vector<double>> cvd,
           std::optional<std::string> curve) {
            const TSensorModel model(sensor, Options(unit, emfUnit, r0, cvd, curve, std::nullopt,
                                                     std::nullopt, std::nullopt));
            const char classSensor = model.ClassSensor("check");
            model.CheckInverse();
            if (!cj.is_none() && !model.Thermocouple())
                throw ERefused("cj applies to thermocouples only, not to the "
                               + model.DisplayName());
            const py::object junction = cj.is_none() ? py::object(py::float_(0.0)) : cj;
            const bool compensated = !cj.is_none();
            const auto r = Vectorise<3, 3>(
                {reference, reading, junction}, {"reference", "reading", "cj"},
                [&](const auto &in, auto &out) {
                    const double celsius = model.ReferenceCelsius(in[0], "reference");
                    const double measured = model.ToTemperature(
                        in[1], compensated ? std::optional(in[2]) : std::nullopt);
                    const double deviation = measured - static_cast<double>(AsDecimal(in[0]));
                    out[0] = model.AsPrinted(measured, false);
                    out[1] = deviation;
                    out[2] = celsius;
                });
            const auto met = [&](double celsius, double deviation) {
                // each class once: a platinum element's kind decides only where a class applies
                std::vector<std::string_view> names;
                for (const TClassKey &key : temperature::ClassesMet(
                         classSensor, celsius, model.Fahrenheit() ? deviation / 1.8 : deviation)) {
                    if (std::find(names.begin(), names.end(), key.Name) == names.end())
                        names.push_back(key.Name);
                }
                std::string labels;
                for (const std::string_view name : names)
                    labels += (labels.empty() ? "" : ", ") + std::string(name);
                return labels.empty() ? std::string("none") : labels;
            };
            py::object classes;
            if (py::isinstance<py::float_>(r[0])) {
                classes = py::str(met(r[2].cast<double>(), r[1].cast<double>()));
            } else {
                const auto deviations = r[1].cast<py::array_t<double>>();
                const auto celsius = r[2].cast<py::array_t<double>>();
                const double *d = deviations.data();
                const double *c = celsius.data();
                py::list words;
                for (py::ssize_t i = 0; i < deviations.size(); ++i)
                    words.append(std::isnan(d[i]) ? std::string() : met(c[i], d[i]));
                classes = py::module_::import("numpy")
                              .attr("array")(words, "dtype"_a = "str")
                              .attr("reshape")(deviations.attr("shape"));
            }
            return Dict({"temperature", "deviation", "classes_met"}, {r[0], r[1], classes});
        },
        "sensor"_a, "reference"_a, "reading"_a, py::kw_only(), "unit"_a = "C", "cj"_a = py::none(),
        "emf_unit"_a = "uV", "r0"_a = py::none(), "cvd"_a = py::none(), "curve"_a = py::none(),
        Doc(R"(Whether a sensor is within its tolerance classes, as a dict: 'temperature' (the
reading converted, in `unit`), 'deviation' (from the reference, in `unit`) and 'classes_met'
(the classes whose range holds the reference and whose tolerance there holds the deviation,
as velmora-cli writes them: 'A, B, C' (each class once), or 'none').

    reference: the reference temperature in `unit`, within the sensor's limits.
    reading: the sensor's resistance in Ω or emf in emf_unit.)")
            .c_str());

    module.def(
        "humidity",
        [](const py::object &temp, const py::object &rh, const py::object &dewPoint,
           const py::object &frostPoint, const py::object &wetBulb, const py::object &pressure,
           double tempAccuracy, double relHumAccuracy, std::optional<double> atTemp) {
            const std::array<std::pair<const py::object *, const char *>, 4> inputs{
                {{&rh, "rh"},
                 {&dewPoint, "dew_point"},
                 {&frostPoint, "frost_point"},
                 {&wetBulb, "wet_bulb"}}};
            THumiditySettings settings{THumidityInput::RelHum, tempAccuracy, relHumAccuracy,
                                       atTemp};
            const py::object *given = nullptr;
            const char *givenName = nullptr;
            for (std::size_t i = 0; i < inputs.size(); ++i) {
                if (inputs[i].first->is_none())
                    continue;
                if (given)
                    throw ERefused(std::string("give one of rh, dew_point, frost_point and "
                                               "wet_bulb, not both ")
                                   + givenName + " and " + inputs[i].second);
                given = inputs[i].first;
                givenName = inputs[i].second;
                settings.input = static_cast<THumidityInput>(i);
            }
            if (!given)
                throw ERefused("give one of rh, dew_point, frost_point or wet_bulb");
            CheckHumiditySettings(settings);
            humidity::ResetModuleState();
            const auto r = Vectorise<3, HumidityOutputCount>(
                {temp, *given, pressure}, {"temperature", givenName, "pressure"},
                [&](const auto &in, auto &out) {
                    CalculateHumidityState(settings, in[0], in[1], in[2], out);
                });
            py::dict dict;
            const std::size_t count = atTemp ? HumidityOutputCount : HumidityOutputCount - 2;
            for (std::size_t k = 0; k < count; ++k)
                dict[HumidityOutputNames[k]] = r[k];
            return dict;
        },
        "temp"_a, "rh"_a = py::none(), py::kw_only(), "dew_point"_a = py::none(),
        "frost_point"_a = py::none(), "wet_bulb"_a = py::none(), "pressure"_a = 101325.0,
        "temp_accuracy"_a = 0.4, "rh_accuracy"_a = 2.5, "at_temp"_a = py::none(),
        R"(Every humidity quantity of moist air with its ± accuracy, as a dict keyed by
velmora-cli's JSON names.

    temp: air temperature in °C, -100 to 200.
    rh: relative humidity in %, 0 to 100; or instead one of
    dew_point: °C, -100 up to the air temperature;
    frost_point: °C, -100 to 0, at most saturation;
    wet_bulb: °C (thermodynamic, at `pressure`), up to the air temperature.
    pressure: total pressure in Pa, above 0 (default 101325).
    temp_accuracy: ± °C, 0 to 200 (default 0.4); rh_accuracy: ± percentage points, 0 to 100
        (default 2.5).
    at_temp: another temperature in °C, -100 to 200: adds 'rh_at_temp' and its accuracy, the
        relative humidity the same air has there (NaN where it would condense).

The dict holds 'temperature', 'relative_humidity' (found from a dew point, frost point or wet
bulb), 'pressure', then 'dew_point' (°C), 'absolute_humidity' (g/m³), 'specific_humidity' (g/kg),
'mixing_ratio' (g/kg), 'specific_enthalpy' (kJ/kg), 'saturation_vapour_pressure' (Pa),
'vapour_pressure' (Pa), 'frost_point' (°C), 'wet_bulb' (°C) and 'ppmv', each followed by its
'..._accuracy'. A quantity that does not exist is NaN (a frost point at or above 0 °C; the
quantities per kilogram where the vapour pressure reaches the pressure). temp, the humidity and
pressure may be numbers or arrays; a refused single state raises ValueError with velmora-cli's
message, a refused element of an array is NaN throughout.)");

    module.def(
        "pressure_dew_point",
        [](const py::object &dewPoint, const py::object &at, const py::object &to) {
            const auto r = Vectorise<3, 2>(
                {dewPoint, at, to}, {"dew_point", "at", "to"}, [](const auto &in, auto &out) {
                    const auto pd = PressureDewPoint(in[0], in[1], in[2]);
                    out[0] = pd[0];
                    out[1] = pd[1];
                });
            return Dict({"converted_dew_point", "converted_frost_point"}, {r[0], r[1]});
        },
        "dew_point"_a, py::kw_only(), "at"_a, "to"_a,
        R"(The dew point of the same air at another pressure, as after a compressed-air dryer's
outlet is let down to atmosphere, as a dict: 'converted_dew_point' (°C, over water) and
'converted_frost_point' (°C, over ice; NaN at 0 °C and above).

    dew_point: °C at the pressure `at`, -100 to 200.
    at, to: absolute pressures in Pa, above 0.)");

    module.def(
        "loop",
        [](double lo, double hi, const py::object &current, const py::object &value) {
            if (current.is_none() == value.is_none())
                throw ERefused("give current (to calculate the output value) or value (to "
                               "calculate the current)");
            const scaling::TLoopRange range{AsDecimal(lo), AsDecimal(hi)};
            const bool toValue = !current.is_none();
            if (!toValue && range.lo == range.hi)
                throw ERefused("lo and hi are both " + GivenText(lo)
                               + ": the output values for 4 mA and 20 mA must differ to calculate "
                                 "a current");
            const char *what = toValue ? "current" : "output value";
            const auto r = Vectorise<1, 4>(
                {toValue ? current : value}, {what}, [&](const auto &in, auto &out) {
                    const Extended input = AsDecimal(in[0]);
                    try {
                        const Extended c = toValue ? input : scaling::LoopCurrent(range, input);
                        const Extended v = toValue ? scaling::LoopValue(range, input) : input;
                        out[0] = arith::ToDouble(c);
                        out[1] = arith::ToDouble(v);
                        out[2] = arith::ToDouble(scaling::LoopPercentOfSpan(c));
                        out[3] = scaling::NamurZone(c);
                    } catch (const arith::EMathError &fault) {
                        throw ERefused("cannot calculate for " + std::string(what) + " "
                                       + GivenText(in[0]) + ": " + fault.what());
                    }
                });
            const py::object zones = Words(r[3], [](double zone) {
                return scaling::NamurZoneText(static_cast<scaling::TNamurZone>(zone));
            });
            return Dict({"current", "value", "percent_of_span", "namur_zone"},
                        {r[0], r[1], r[2], zones});
        },
        py::kw_only(), "lo"_a, "hi"_a, "current"_a = py::none(), "value"_a = py::none(),
        R"(A 4-20 mA loop: the output value of a current, or the current of an output value, as a
dict: 'current' (mA), 'value' (the output value), 'percent_of_span' (% of the 16 mA span, 0 at
4 mA) and 'namur_zone' (NAMUR NE 43: 'measuring' from 3.8 to 20.5 mA, 'out of range', or
'failure' at or beyond 3.6 and 21 mA).

    lo, hi: the output values at 4 mA and at 20 mA (lo above hi: a falling characteristic);
        they must differ to calculate a current.
    current: loop current(s) in mA, extrapolated beyond 4 to 20 mA; or
    value: output value(s).)");

    module.def(
        "line",
        [](double x0, double x1, double y0, double y1, const py::object &x, const py::object &y) {
            if (x.is_none() == y.is_none())
                throw ERefused("give x (to calculate y = f(x)) or y (to calculate x = f^-1(y))");
            const scaling::TLine line{AsDecimal(x0), AsDecimal(x1), AsDecimal(y0), AsDecimal(y1)};
            const bool toY = !x.is_none();
            if (toY && line.x0 == line.x1)
                throw ERefused("x0 and x1 are both " + GivenText(x0)
                               + ": x0 must be different from x1 to calculate y = f(x)");
            if (!toY && line.y0 == line.y1)
                throw ERefused("y0 and y1 are both " + GivenText(y0)
                               + ": y0 must be different from y1 to calculate x = f^-1(y)");
            const char *what = toY ? "x" : "y";
            return Vectorise<1, 1>({toY ? x : y}, {what}, [&](const auto &in, auto &out) {
                const Extended input = AsDecimal(in[0]);
                try {
                    out[0] = arith::ToDouble(toY ? scaling::LineY(line, input)
                                                 : scaling::LineX(line, input));
                } catch (const arith::EMathError &fault) {
                    throw ERefused("cannot calculate for " + std::string(what) + " "
                                   + GivenText(in[0]) + ": " + fault.what());
                }
            })[0];
        },
        py::kw_only(), "x0"_a, "x1"_a, "y0"_a, "y1"_a, "x"_a = py::none(), "y"_a = py::none(),
        R"(The straight line through (x0, y0) and (x1, y1): y = f(x) for `x`, or x = f^-1(y) for
`y`, any real numbers (equal x0 and x1 give no f(x), equal y0 and y1 no f^-1(y)). Returns a
number or an array, as `x` or `y` is.)");

    AddCalibration(module);
}
