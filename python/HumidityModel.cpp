// SPDX-License-Identifier: MIT
#include "HumidityModel.h"

#include "Numbers.h"
#include "SensorModel.h"

#include "arith.h"
#include "humidity/HumidityAtTemp.h"
#include "humidity/HumidityInputLimits.h"
#include "humidity/HumidityQuantities.h"
#include "humidity/humidity.h"

#include <limits>

namespace pyvelmora {

namespace {

using namespace humidity;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The largest pressure velmora-cli takes, Pa.
constexpr double PressureMax = 999'999'999'999'999;

struct TQuantity
{
    int index;
    bool extended;
    bool dependsOnPressure;
};

// In velmora-cli's order: the window's five, then the others.
constexpr std::array<TQuantity, HumidityQuantityCount> Quantities{{
    {riDewPoint, false, false},
    {riAbsoluteHumidity, false, false},
    {riSpecificHumidity, false, true},
    {riMixingRatio, false, true},
    {riSpecificEnthalpy, false, true},
    {xiSatVapourPressure, true, false},
    {xiVapourPressure, true, false},
    {xiFrostPoint, true, false},
    {xiWetBulb, true, true},
    {xiVolumeRatio, true, true},
}};

struct TInputWords
{
    const char *option;
    const char *name;
    double max;
};

constexpr std::array<TInputWords, 4> InputWords{{
    {"rh", "relative humidity", InputRelHumMax},
    {"dew_point", "dew point", InputTempMax},
    {"frost_point", "frost point", InputFrostPointMax},
    {"wet_bulb", "wet bulb", InputTempMax},
}};

double Value(double engineValue)
{
    return engineValue == NoValueSentinel ? NaN : engineValue;
}

void CheckPressure(double pressure, const std::string &what)
{
    const Extended value = AsDecimal(pressure);
    if (!(value > 0 && value <= PressureMax))
        throw ERefused(what + " " + GivenText(pressure) + " Pa is not above 0 and at most "
                       + MessageNumber(PressureMax) + " Pa");
}

// The refusal of a dew point, frost point or wet bulb, or of a pressure dew point's conversion.
std::string FaultMessage(TInputFault fault, const std::string &named, double max,
                         const std::string &air, const std::string &temp,
                         const std::string &pressure, const std::string &to, bool converting)
{
    const std::string range = MessageNumber(InputTempMin) + " to " + MessageNumber(max) + " °C";
    switch (fault) {
    case ifValueOutOfRange:
        return named + " is outside " + range;
    case ifAboveAirTemperature:
        return named + " is above " + air + temp + " °C";
    case ifAboveSaturation:
        return named + " needs more vapour than air at " + temp
               + " °C holds (relative humidity above 100 %)";
    case ifBelowDryAir:
        return named + " is too far below the dry bulb " + temp
               + " °C: even dry air has a higher wet bulb";
    case ifVapourExceedsPressure:
        return converting ? named + " is above the boiling point at " + pressure + " Pa"
                          : named + ": water there boils at the pressure " + pressure + " Pa";
    case ifResultOutOfRange:
        if (converting)
            return "the dew point at " + to + " Pa would lie outside " + range;
        break;
    case ifNone:
    case ifTempOutOfRange:
    case ifPressureNotPositive:
        break;
    }
    return named + " cannot be converted";
}

} // namespace

const std::array<const char *, HumidityOutputCount> HumidityOutputNames{
    "temperature",
    "relative_humidity",
    "pressure",
    "dew_point",
    "dew_point_accuracy",
    "absolute_humidity",
    "absolute_humidity_accuracy",
    "specific_humidity",
    "specific_humidity_accuracy",
    "mixing_ratio",
    "mixing_ratio_accuracy",
    "specific_enthalpy",
    "specific_enthalpy_accuracy",
    "saturation_vapour_pressure",
    "saturation_vapour_pressure_accuracy",
    "vapour_pressure",
    "vapour_pressure_accuracy",
    "frost_point",
    "frost_point_accuracy",
    "wet_bulb",
    "wet_bulb_accuracy",
    "ppmv",
    "ppmv_accuracy",
    "rh_at_temp",
    "rh_at_temp_accuracy",
};

void CheckHumiditySettings(const THumiditySettings &settings)
{
    if (!TempAccuracyValid(AsDecimal(settings.tempAccuracy)))
        throw ERefused("temp_accuracy " + GivenText(settings.tempAccuracy) + " °C is outside 0 to "
                       + MessageNumber(TempAccuracyMax) + " °C");
    if (!RelHumAccuracyValid(AsDecimal(settings.relHumAccuracy)))
        throw ERefused("rh_accuracy " + GivenText(settings.relHumAccuracy) + " % is outside 0 to "
                       + MessageNumber(RelHumAccuracyMax) + " %");
    if (settings.atTemp) {
        const Extended atTemp = AsDecimal(*settings.atTemp);
        if (!(atTemp >= InputTempMin && atTemp <= InputTempMax))
            throw ERefused("at_temp " + GivenText(*settings.atTemp) + " °C is outside "
                           + MessageNumber(InputTempMin) + " to " + MessageNumber(InputTempMax)
                           + " °C");
    }
}

void CalculateHumidityState(const THumiditySettings &settings, double temp, double humidity,
                            double pressure, std::array<double, HumidityOutputCount> &out)
{
    out.fill(NaN);
    const Extended t = AsDecimal(temp);
    const Extended given = AsDecimal(humidity);
    const Extended p = AsDecimal(pressure);
    const std::string tText = GivenText(temp);
    std::string relHumText = GivenText(humidity);
    const auto inputs = [&] {
        return "temperature " + tText + " °C, relative humidity " + relHumText + " %, pressure "
               + GivenText(pressure) + " Pa";
    };
    if (!(t >= InputTempMin && t <= InputTempMax))
        throw ERefused("temperature " + tText + " °C is outside " + MessageNumber(InputTempMin)
                       + " to " + MessageNumber(InputTempMax) + " °C");
    CheckPressure(pressure, "pressure");
    double relHum = static_cast<double>(given);
    const TInputWords &words = InputWords[static_cast<std::size_t>(settings.input)];
    try {
        if (settings.input == THumidityInput::RelHum) {
            if (!(given >= InputRelHumMin && given <= InputRelHumMax))
                throw ERefused("relative humidity " + relHumText + " % is outside "
                               + MessageNumber(InputRelHumMin) + " to "
                               + MessageNumber(InputRelHumMax) + " %");
        } else {
            const double td = static_cast<double>(t);
            const double value = static_cast<double>(given);
            const TRelHumInput r = settings.input == THumidityInput::DewPoint
                                       ? RelHumFromDewPoint(td, value)
                                   : settings.input == THumidityInput::FrostPoint
                                       ? RelHumFromFrostPoint(td, value)
                                       : RelHumFromWetBulb(td, value, static_cast<double>(p));
            if (r.fault != ifNone)
                throw ERefused(FaultMessage(
                    r.fault, std::string(words.name) + " " + GivenText(humidity) + " °C", words.max,
                    settings.input == THumidityInput::WetBulb ? "the dry bulb "
                                                              : "the air temperature ",
                    tText, GivenText(pressure), "", false));
            relHum = r.relHum;
            relHumText = FixedText(relHum, 3);
        }
        TModuleState &state = moduleState;
        state.Temp = static_cast<double>(t);
        state.RelHum = relHum;
        state.Press = static_cast<double>(p);
        state.TempAccuracy = static_cast<double>(AsDecimal(settings.tempAccuracy));
        state.RelHumAccuracy = static_cast<double>(AsDecimal(settings.relHumAccuracy));
        CalculateExtendedHumidity();
    } catch (const arith::EMathError &fault) {
        throw ERefused("cannot calculate for " + inputs() + ": " + fault.what());
    }
    const TModuleState &state = moduleState;
    out[0] = static_cast<double>(t);
    out[1] = relHum;
    out[2] = static_cast<double>(p);
    // Moist air whose vapour pressure reaches the total pressure does not exist.
    const bool impossible = state.VapPress >= state.Press;
    for (std::size_t i = 0; i < Quantities.size(); ++i) {
        const TQuantity &quantity = Quantities[i];
        if (impossible && quantity.dependsOnPressure)
            continue;
        const auto index = static_cast<std::size_t>(quantity.index);
        out[3 + 2 * i] = Value(quantity.extended ? state.ExtResults[index] : state.Results[index]);
        out[4 + 2 * i]
            = Value(quantity.extended ? state.ExtAccuracies[index] : state.Accuracies[index]);
    }
    if (settings.atTemp) {
        const TRelHumAtTemp at = RelHumAtTemp(
            state.Temp, state.RelHum, static_cast<double>(AsDecimal(*settings.atTemp)),
            state.TempAccuracy, state.RelHumAccuracy, state.TempAccuracy);
        if (at.fault == atNone) {
            out[HumidityOutputCount - 2] = at.relHum;
            out[HumidityOutputCount - 1] = at.accuracy;
        }
    }
}

std::array<double, 2> PressureDewPoint(double dewPoint, double fromPressure, double toPressure)
{
    CheckPressure(fromPressure, "at");
    CheckPressure(toPressure, "to");
    const TPressureDewPoint r = ConvertPressureDewPoint(
        static_cast<double>(AsDecimal(dewPoint)), static_cast<double>(AsDecimal(fromPressure)),
        static_cast<double>(AsDecimal(toPressure)));
    if (r.fault != ifNone)
        throw ERefused(FaultMessage(r.fault, "dew_point " + GivenText(dewPoint) + " °C",
                                    InputTempMax, "", "", GivenText(fromPressure),
                                    GivenText(toPressure), true));
    return {Value(r.dewPoint), Value(r.frostPoint)};
}

} // namespace pyvelmora
