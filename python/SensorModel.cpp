// SPDX-License-Identifier: MIT
#include "SensorModel.h"

#include "Numbers.h"

#include "arith.h"
#include "temperature/ColdJunction.h"
#include "temperature/SensorCalculation.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace pyvelmora {

namespace {

using namespace temperature;

enum class TKind { Window, Thermocouple, Curve, Thermistor };

// The sensors velmora-cli knows, by the same names and in the same order.
struct TSensorName
{
    std::string_view name;
    TKind kind;
    TSensorType window;
    TThermocoupleType thermocouple;
    std::string_view displayName;
    std::string_view defaultCurve; // Curve: the curve without curve=
    bool takesCvd;
    bool takesCurve;
};

constexpr TSensorName SensorNames[] = {
    {"pt1000", TKind::Window, stPt1000, tcK, "Pt1000", "", false, false},
    {"pt100", TKind::Window, stPt100, tcK, "Pt100", "", false, false},
    {"ni1000", TKind::Window, stNi1000, tcK, "Ni1000", "", false, false},
    {"ntc2252", TKind::Window, stNTC2252, tcK, "NTC2252", "", false, false},
    {"k", TKind::Window, stTcK, tcK, "type K thermocouple", "", false, false},
    {"j", TKind::Window, stTcJ, tcK, "type J thermocouple", "", false, false},
    {"s", TKind::Window, stTcS, tcK, "type S thermocouple", "", false, false},
    {"b", TKind::Window, stTcB, tcK, "type B thermocouple", "", false, false},
    {"t", TKind::Window, stTcT, tcK, "type T thermocouple", "", false, false},
    {"n", TKind::Window, stTcN, tcK, "type N thermocouple", "", false, false},
    {"e", TKind::Thermocouple, stTcK, tcE, "type E thermocouple", "", false, false},
    {"r", TKind::Thermocouple, stTcK, tcR, "type R thermocouple", "", false, false},
    {"pt", TKind::Curve, stPt100, tcK, "", "pt385", true, true},
    {"ni1000-tk5000", TKind::Curve, stPt100, tcK, "", "ni1000-tk5000", false, false},
    {"cu", TKind::Curve, stPt100, tcK, "", "cu428", false, true},
    {"ntc", TKind::Thermistor, stPt100, tcK, "", "", false, true},
};

std::string Lower(std::string text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

const TSensorName &FindSensorName(const std::string &text)
{
    const std::string name = Lower(text);
    std::string names;
    for (const TSensorName &entry : SensorNames) {
        if (name == entry.name)
            return entry;
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    }
    std::string hint;
    if (name.size() > 2 && name.rfind("pt", 0) == 0
        && name.find_first_not_of("0123456789", 2) == std::string::npos)
        hint = " (a Pt" + name.substr(2) + " is 'pt' with r0=" + name.substr(2) + ")";
    throw ERefused("unknown sensor '" + text + "'; expected one of " + names + hint);
}

template<typename T>
void Refuse(const std::optional<T> &given, const std::string &option, const std::string &sensor)
{
    if (given)
        throw ERefused(option + " does not apply to the " + sensor);
}

Extended Positive(double value, const std::string &option, const std::string &what)
{
    if (!(value > 0))
        throw ERefused(option + " " + GivenText(value) + " must be a positive " + what);
    return AsDecimal(value);
}

std::string Triple(const std::array<double, 3> &values)
{
    return GivenText(values[0]) + "," + GivenText(values[1]) + "," + GivenText(values[2]);
}

} // namespace

TSensorModel::TSensorModel(const std::string &name, const TSensorOptions &options)
{
    const std::string unit = Lower(options.unit);
    if (unit == "f")
        m_unit = unFahrenheit;
    else if (unit != "c")
        throw ERefused("unit '" + options.unit + "' is not C or F");
    if (options.emfUnit == "mV")
        m_millivolts = true;
    else if (options.emfUnit != "uV" && options.emfUnit != "µV")
        throw ERefused("emf_unit '" + options.emfUnit + "' is not uV or mV");

    const TSensorName &entry = FindSensorName(name);
    const std::string sensorName(entry.name);
    m_displayName = entry.displayName;
    switch (entry.kind) {
    case TKind::Window: {
        const std::string &shown = m_displayName;
        Refuse(options.r0, "r0", shown + " (sized sensors: pt, cu, ni1000-tk5000)");
        Refuse(options.cvd, "cvd", shown + " (use 'pt' with cvd=(A, B, C) and r0)");
        Refuse(options.curve, "curve", shown);
        Refuse(options.r25, "r25", shown + " (use 'ntc' with r25 and beta)");
        Refuse(options.beta, "beta", shown + " (use 'ntc' with r25 and beta)");
        Refuse(options.sh, "sh", shown + " (use 'ntc' with sh=(a, b, c))");
        m_window = entry.window;
        m_thermocouple = IsThermocoupleSensor(entry.window);
        if (entry.window != stNi1000 && entry.window != stNTC2252)
            m_field = FieldSensorOf(entry.window);
        m_hasClasses = m_field.has_value();
        break;
    }
    case TKind::Thermocouple:
        Refuse(options.r0, "r0", m_displayName);
        Refuse(options.cvd, "cvd", m_displayName);
        Refuse(options.curve, "curve", m_displayName);
        Refuse(options.r25, "r25", m_displayName);
        Refuse(options.beta, "beta", m_displayName);
        Refuse(options.sh, "sh", m_displayName);
        m_field = TFieldSensor(entry.thermocouple);
        m_thermocouple = true;
        m_hasClasses = true;
        break;
    case TKind::Thermistor: {
        m_thermistor = true;
        Refuse(options.r0, "r0", "thermistor (its size is r25)");
        Refuse(options.cvd, "cvd", "thermistor");
        const int models
            = options.beta.has_value() + options.sh.has_value() + options.curve.has_value();
        if (models != 1)
            throw ERefused("ntc needs exactly one of beta (with r25), sh or curve");
        if (options.beta) {
            if (!options.r25)
                throw ERefused("beta " + GivenText(*options.beta)
                               + " needs r25, the thermistor's resistance at 25 °C");
            const Extended r25 = Positive(*options.r25, "r25", "resistance in Ω");
            const Extended beta = Positive(*options.beta, "beta", "B value in K");
            m_displayName = "NTC thermistor (B " + GivenText(*options.beta) + " K, "
                            + GivenText(*options.r25) + " Ω at 25 °C)";
            m_field = TFieldSensor(TThermistor::Beta(r25, beta));
            m_definition = "beta " + GivenText(*options.beta);
            break;
        }
        Refuse(options.r25, "r25", "thermistor without beta");
        if (options.sh) {
            const auto &[a, b, c] = *options.sh;
            m_displayName = "NTC thermistor (Steinhart-Hart " + Triple(*options.sh) + ")";
            m_field = TFieldSensor(
                TThermistor::SteinhartHart(AsDecimal(a), AsDecimal(b), AsDecimal(c)));
            m_definition = "sh " + Triple(*options.sh);
            break;
        }
        const TThermistorData *curve = FindThermistorCurve(*options.curve);
        if (!curve)
            throw ERefused("unknown thermistor curve '" + *options.curve + "'; expected one of "
                           + CurveNames(true, ""));
        m_displayName = curve->Title;
        m_field = TFieldSensor(TThermistor(*curve));
        m_definition = "curve " + *options.curve;
        break;
    }
    case TKind::Curve: {
        Refuse(options.r25, "r25", sensorName + " sensor (its size is r0)");
        Refuse(options.beta, "beta", sensorName + " sensor");
        Refuse(options.sh, "sh", sensorName + " sensor");
        m_hasClasses = true;
        if (entry.takesCvd && options.cvd) {
            Refuse(options.curve, "curve", "platinum sensor with its own coefficients (cvd)");
            // a calibration certificate gives R0 beside A, B and C; without it the nominal 100 Ω
            const double r0Given = options.r0.value_or(100);
            const Extended r0 = Positive(r0Given, "r0", "resistance in Ω");
            const auto &[a, b, c] = *options.cvd;
            m_displayName = "platinum sensor (Callendar-Van Dusen " + Triple(*options.cvd) + ", R0 "
                            + GivenText(r0Given) + " Ω)";
            m_field = TFieldSensor(
                TRtdCurve::CallendarVanDusen(AsDecimal(a), AsDecimal(b), AsDecimal(c), r0));
            m_definition = "cvd " + Triple(*options.cvd);
            break;
        }
        Refuse(options.cvd, "cvd", sensorName + " sensor");
        const std::string prefix = entry.takesCurve ? sensorName.substr(0, 2) : sensorName;
        std::string curveName = options.curve.value_or(std::string(entry.defaultCurve));
        if (options.curve && !entry.takesCurve)
            Refuse(options.curve, "curve", "Ni1000 TK5000");
        const TRtdCurveData *curve = FindRtdCurve(curveName);
        if (!curve || curveName.substr(0, prefix.size()) != prefix)
            throw ERefused("unknown " + sensorName + " curve '" + options.curve.value_or("")
                           + "'; expected one of " + CurveNames(false, prefix));
        const Extended r0 = options.r0 ? Positive(*options.r0, "r0", "resistance in Ω") : curve->R0;
        m_displayName
            = std::string(curve->Title) + ", R0 " + MessageNumber(static_cast<double>(r0)) + " Ω";
        m_field = TFieldSensor(TRtdCurve(*curve, r0));
        m_definition = "curve " + curveName;
        break;
    }
    }
}

std::string TSensorModel::ElectricUnit() const
{
    if (!m_thermocouple)
        return "Ω";
    return m_millivolts ? "mV" : "µV";
}

double TSensorModel::Celsius(double temperature) const
{
    return Fahrenheit() ? FahrenheitToCelsius(temperature) : temperature;
}

TValueRange TSensorModel::TempLimits() const
{
    if (m_window) {
        double lo = 0;
        double hi = 0;
        GetSensorLimits(*m_window, cdTempToElectricQuant, lo, hi);
        return {lo, hi};
    }
    return m_field->TempRange();
}

bool TSensorModel::TemperatureWithin(Extended t) const
{
    if (m_window) {
        try {
            return !InputOntoSensorLimits(*m_window, cdTempToElectricQuant, m_unit, t);
        } catch (const arith::EMathError &) {
            return false;
        }
    }
    const TValueRange range = m_field->TempRange();
    const double celsius = Celsius(static_cast<double>(t));
    return celsius >= range.Low && celsius <= range.High;
}

TSensorModel::TImage TSensorModel::ElectricImage() const
{
    if (m_window) {
        const TElectricRange range = ElectricImageOfTempLimits(*m_window);
        return {TValueRange{range.Min, range.Max}, range.TempMin, range.TempMax};
    }
    const TValueRange t = m_field->ImageTempRange();
    try {
        return {m_field->ElectricRange(), t.Low, t.High};
    } catch (const ECannotCalculate &) {
        return {std::nullopt, t.Low, t.High};
    }
}

bool TSensorModel::ElectricWithin(Extended x) const
{
    if (m_window)
        return WithinElectricImage(*m_window, x);
    const TValueRange range = m_field->ElectricRange();
    if (m_thermocouple) {
        const auto single = static_cast<float>(x);
        return single >= static_cast<float>(range.Low) && single <= static_cast<float>(range.High);
    }
    return x >= range.Low - 0.0005L && x <= range.High + 0.0005L;
}

double TSensorModel::ColdJunctionEmf(Extended cj) const
{
    if (m_window)
        return temperature::ColdJunctionEmf(*m_window, cj, m_unit);
    return m_field->ToElectric(Celsius(static_cast<double>(cj)));
}

void TSensorModel::CheckMonotonic(double tLow, double tHigh) const
{
    if (m_window || m_field->MonotonicOver(tLow, tHigh))
        return;
    throw ERefused(m_definition + ": the " + (m_thermistor ? "thermistor's" : "sensor's")
                   + " resistance does not " + (m_thermistor ? "fall" : "rise") + " steadily from "
                   + MessageNumber(tLow) + " to " + MessageNumber(tHigh)
                   + " °C, so the curve is not one-to-one there");
}

double TSensorModel::Convert(TConversionDirection direction, Extended input,
                             const std::optional<Extended> &cj) const
{
    if (m_window) {
        if (cj)
            return CalculateCompensated(*m_window, direction, input, *cj, m_unit).Value;
        if (direction == cdTempToElectricQuant)
            return CalculateSensor(*m_window, direction, input, m_unit, m_unit).Value;
        return CalculateWithinTempLimits(*m_window, input, m_unit).Value;
    }
    const TFieldSensor &sensor = *m_field;
    const auto shown = [this](double celsius) {
        return Fahrenheit() ? CelsiusToFahrenheit(celsius) : celsius;
    };
    if (direction == cdTempToElectricQuant) {
        const double t = Celsius(static_cast<double>(input));
        CheckMonotonic(t, t);
        return cj ? sensor.ToElectricCompensated(t, Celsius(static_cast<double>(*cj)))
                  : sensor.ToElectric(t);
    }
    if (cj)
        return shown(sensor.ToTemperatureCompensated(static_cast<double>(input),
                                                     Celsius(static_cast<double>(*cj))));
    // a resistance a little beyond the range, as a printed limit may be, is the limit
    const TValueRange range = sensor.ElectricRange();
    const double x = std::clamp(static_cast<double>(input), range.Low, range.High);
    return shown(sensor.ToTemperature(m_thermocouple ? static_cast<double>(input) : x));
}

// A value for a message, at velmora-cli's three decimals.
std::string TSensorModel::ElectricText(double engineValue) const
{
    if (m_thermocouple)
        return FixedText(m_millivolts ? decimal::Millivolts(static_cast<float>(engineValue))
                                      : decimal::SingleDecimal(static_cast<float>(engineValue)),
                         3);
    return FixedText(engineValue, 3);
}

std::string TSensorModel::ElectricRangeText() const
{
    const TImage image = ElectricImage();
    const std::string temperatures
        = MessageNumber(image.tempMin) + " to " + MessageNumber(image.tempMax) + " °C";
    if (!image.electric)
        return temperatures;
    return ElectricText(image.electric->Low) + " to " + ElectricText(image.electric->High) + " "
           + ElectricUnit() + " (" + temperatures + ")";
}

void TSensorModel::CheckTemperature(Extended t, double given, const char *what) const
{
    if (TemperatureWithin(t))
        return;
    const TValueRange limits = TempLimits();
    const double lo = Fahrenheit() ? CelsiusToFahrenheit(limits.Low) : limits.Low;
    const double hi = Fahrenheit() ? CelsiusToFahrenheit(limits.High) : limits.High;
    throw ERefused(what + (" " + GivenText(given)) + " " + TempUnit() + " is outside the "
                   + m_displayName + "'s limits, " + MessageNumber(lo) + " to " + MessageNumber(hi)
                   + " " + TempUnit());
}

// The end of the range that `given` is, as to_electrical gives that end rounded to the digits
// `given` has, so that every result converts back; none where it is no end.
std::optional<Extended> TSensorModel::RangeEnd(double given, double coldJunctionEmf,
                                               const std::optional<Extended> &cj) const
{
    const TImage image = ElectricImage();
    if (!image.electric)
        return std::nullopt;
    // the ends as to_electrical gives them for the ends' temperatures
    const auto end = [&](double celsius, double electric) {
        try {
            return Convert(cdTempToElectricQuant,
                           Fahrenheit() ? CelsiusToFahrenheit(celsius) : celsius, cj);
        } catch (const std::exception &) {
            return electric - coldJunctionEmf;
        }
    };
    double ends[2]
        = {end(image.tempMin, image.electric->Low), end(image.tempMax, image.electric->High)};
    // a thermistor's resistance falls as its temperature rises
    if (ends[0] > ends[1])
        std::swap(ends[0], ends[1]);
    double shown[2] = {ends[0], ends[1]};
    if (m_thermocouple) {
        for (int i = 0; i < 2; ++i) {
            const auto single = static_cast<float>(ends[i]);
            ends[i] = single;
            shown[i] = m_millivolts ? decimal::Millivolts(single) : decimal::SingleDecimal(single);
        }
    }
    const int decimals = decimal::GivenDecimals(GivenText(given));
    if (given <= shown[0] && given >= decimal::RoundedTo(shown[0], decimals))
        return ends[0];
    if (given >= shown[1] && given <= decimal::RoundedTo(shown[1], decimals))
        return ends[1];
    return std::nullopt;
}

Extended TSensorModel::CheckElectric(Extended engineValue, double given,
                                     const std::optional<Extended> &cj,
                                     const std::optional<double> &cjGiven) const
{
    const double cjEmf = cj ? ColdJunctionEmf(*cj) : 0;
    if (ElectricWithin(engineValue + cjEmf))
        return engineValue;
    if (const std::optional<Extended> end = RangeEnd(given, cjEmf, cj))
        return *end;
    const std::string named = ElectricKey() + " " + GivenText(given) + " " + ElectricUnit();
    if (!cj)
        throw ERefused(named + " is outside the " + m_displayName + "'s range, "
                       + ElectricRangeText());
    throw ERefused(named + " plus " + ElectricText(cjEmf) + " " + ElectricUnit()
                   + " for the reference junction at " + GivenText(*cjGiven) + " " + TempUnit()
                   + " is outside the " + m_displayName + "'s range, " + ElectricRangeText());
}

void TSensorModel::CheckInverse() const
{
    const TValueRange range = TempLimits();
    CheckMonotonic(range.Low, range.High);
}

void TSensorModel::CheckColdJunction(double cj) const
{
    if (!m_thermocouple)
        throw ERefused("cj applies to thermocouples only, not to the " + m_displayName);
    CheckTemperature(AsDecimal(cj), cj, "cj");
}

double TSensorModel::Result(double value, bool toElectric) const
{
    if (!m_thermocouple || (!toElectric && Fahrenheit()))
        return value;
    const auto single = static_cast<float>(value);
    if (toElectric && m_millivolts)
        return decimal::Millivolts(single);
    return single;
}

double TSensorModel::AsPrinted(double value, bool toElectric) const
{
    const bool single = m_thermocouple && (toElectric ? !m_millivolts : !Fahrenheit());
    if (!single)
        return value;
    // a single-precision result as the decimal velmora-cli prints for it (44.5711, not
    // 44.57109832763672)
    std::array<char, 32> buffer{};
    const char *end
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<float>(value))
              .ptr;
    double shown = value;
    std::from_chars(buffer.data(), end, shown);
    return shown;
}

double TSensorModel::ToElectric(double temperature, const std::optional<double> &cj) const
{
    return ToElectricExtended(AsDecimal(temperature), cj);
}

double TSensorModel::ToElectricExtended(Extended input, const std::optional<double> &cj) const
{
    const auto temperature = static_cast<double>(input);
    std::optional<Extended> junction;
    if (cj) {
        CheckColdJunction(*cj);
        junction = AsDecimal(*cj);
    }
    try {
        CheckTemperature(input, temperature, "temperature");
        return Result(Convert(cdTempToElectricQuant, input, junction), true);
    } catch (const ECannotCalculate &) {
        throw ERefused("temperature " + GivenText(temperature) + " has no result within the "
                       + m_displayName + "'s range, " + ElectricRangeText());
    } catch (const arith::EMathError &fault) {
        throw ERefused("cannot calculate for temperature " + GivenText(temperature) + ": "
                       + fault.what());
    }
}

double TSensorModel::ToTemperature(double electric, const std::optional<double> &cj) const
{
    const Extended input = AsDecimal(electric) * ElectricScale();
    std::optional<Extended> junction;
    if (cj) {
        CheckColdJunction(*cj);
        junction = AsDecimal(*cj);
    }
    try {
        const Extended accepted = CheckElectric(input, electric, junction, cj);
        return Result(Convert(cdElectricQuantToTemp, accepted, junction), false);
    } catch (const ECannotCalculate &) {
        throw ERefused(ElectricKey() + " " + GivenText(electric) + " has no result within the "
                       + m_displayName + "'s range, " + ElectricRangeText());
    } catch (const arith::EMathError &fault) {
        throw ERefused("cannot calculate for " + ElectricKey() + " " + GivenText(electric) + ": "
                       + fault.what());
    }
}

char TSensorModel::ClassSensor(const std::string &what) const
{
    const char sensor = m_hasClasses && m_field ? m_field->ToleranceSensor() : 0;
    if (sensor == 0)
        throw ERefused(what + ": the " + m_displayName
                       + " has no tolerance classes; they are defined for platinum on the "
                         "IEC 60751 curve (pt100, pt1000, pt) and for thermocouples");
    return sensor;
}

TClassKey TSensorModel::ToleranceClass(const std::string &text) const
{
    const char sensor = ClassSensor("class " + text);
    if (const std::optional<TClassKey> key = FindToleranceClass(sensor, text))
        return *key;
    std::string known;
    for (const TClassKey &key : ToleranceClassesOf(sensor)) {
        if (key.Sensor != 'F')
            known += (known.empty() ? "" : ", ") + std::string(key.Name);
    }
    if (sensor == 'P')
        known += " (wire-wound), or the designations W 0.1 to W 0.6 and F 0.1 to F 0.6";
    throw ERefused("unknown class '" + text + "' for the " + m_displayName + "; expected " + known);
}

double TSensorModel::ReferenceCelsius(double reference, const char *what) const
{
    const Extended t = AsDecimal(reference);
    CheckTemperature(t, reference, what);
    return Celsius(static_cast<double>(t));
}

std::array<double, 2> TSensorModel::Tolerance(const TClassKey &key, double temperature) const
{
    const double celsius = ReferenceCelsius(temperature, "temperature");
    const std::optional<double> deviation = PermittedDeviation(key, celsius);
    if (!deviation) {
        const TClassRange range = ClassRange(key);
        throw ERefused(ClassLabel(key) + " is defined from " + MessageNumber(range.Low) + " to "
                       + MessageNumber(range.High) + " °C only; outside, no tolerance is given");
    }
    const double electric
        = m_field->ElectricDeviation(celsius, *deviation) / static_cast<double>(ElectricScale());
    return {Fahrenheit() ? *deviation * 1.8 : *deviation, electric};
}

} // namespace pyvelmora
