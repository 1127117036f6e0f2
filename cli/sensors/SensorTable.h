// SPDX-License-Identifier: MIT
#pragma once

// The sensors velmora-cli knows, each described once: its names, how --help describes it, what
// it is (one of the window's ten, or a sensor the options make: a thermocouple type, a curve that
// --r0 sizes, a thermistor) and the family of tolerance classes it belongs to. The SENSOR help,
// its list of choices (from which the manual page and the completions are written) and the
// message for an unknown sensor all come from this table.

#include "temperature/TempScales.h"
#include "temperature/Thermocouples.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// What the options make of a sensor that is not one of the window's.
enum class TSensorModel {
    Window,       // one of the window's ten: `window`
    Thermocouple, // a letter-coded type beyond the window's: `thermocouple`
    Curve,        // a resistance thermometer on a curve, sized by --r0: `defaultCurve`
    Thermistor,   // an NTC by --beta and --r25, --sh or --curve
};

// How --help lists a sensor: by name among the plain ones, among the thermocouple types, or by
// its own description.
enum class THelpGroup { Plain, ThermocoupleType, Described };

// The family of tolerance classes: IEC 60751 for platinum on its curve, IEC 60584-1 for the
// thermocouples; none for the others. A curve sensor's family follows its --curve.
enum class TToleranceFamily { None, Platinum, Thermocouple, ByCurve };

struct TSensorEntry
{
    std::string_view name;
    std::string_view aliases; // further names, separated by blanks
    TSensorModel model;
    temperature::TSensorType window;             // Window only
    temperature::TThermocoupleType thermocouple; // Thermocouple only
    std::string_view displayName;                // "Pt100", "type E thermocouple"; Curve and
                                                 // Thermistor are named by their options
    std::string_view defaultCurve;               // Curve only: the curve without --curve
    bool takesCvd;                               // Curve only: --cvd A,B,C
    bool takesCurve;                             // Curve only: --curve NAME
    THelpGroup helpGroup;
    std::string_view help; // Described only
    TToleranceFamily tolerance;

    bool IsThermocouple() const
    {
        return model == TSensorModel::Thermocouple
               || (model == TSensorModel::Window && temperature::IsThermocoupleSensor(window));
    }
};

inline constexpr std::size_t SensorEntryCount = 16;

// In the order --help and the messages list them.
extern const std::array<TSensorEntry, SensorEntryCount> SensorTable;

// The sensor of that name or alias (in any case); a TCliError naming every sensor otherwise.
const TSensorEntry &FindSensor(const std::string &text);

// Every sensor's name, separated by `separator`.
std::string SensorNames(const std::string &separator);

// How SENSOR's help describes them all.
std::string SensorHelp();

} // namespace cli
