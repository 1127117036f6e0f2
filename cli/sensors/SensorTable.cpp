// SPDX-License-Identifier: MIT
#include "sensors/SensorTable.h"

#include "CliError.h"
#include "Messages.h"

#include <algorithm>
#include <vector>

namespace cli {

using namespace temperature;

namespace {

constexpr TSensorEntry Window(std::string_view name, TSensorType sensor,
                              std::string_view displayName, TToleranceFamily tolerance)
{
    return {name,
            "",
            TSensorModel::Window,
            sensor,
            tcK,
            displayName,
            "",
            false,
            false,
            IsThermocoupleSensor(sensor) ? THelpGroup::ThermocoupleType : THelpGroup::Plain,
            "",
            tolerance};
}

constexpr TSensorEntry Thermocouple(std::string_view name, TThermocoupleType type,
                                    std::string_view displayName)
{
    return {name,
            "",
            TSensorModel::Thermocouple,
            stTcK,
            type,
            displayName,
            "",
            false,
            false,
            THelpGroup::ThermocoupleType,
            "",
            TToleranceFamily::Thermocouple};
}

constexpr TSensorEntry Curve(std::string_view name, std::string_view defaultCurve, bool cvd,
                             bool curve, std::string_view help, TToleranceFamily tolerance)
{
    return {name, "",    TSensorModel::Curve,   stPt100, tcK,      "", defaultCurve,
            cvd,  curve, THelpGroup::Described, help,    tolerance};
}

bool Named(const TSensorEntry &entry, const std::string &name)
{
    if (name == entry.name)
        return true;
    std::string_view aliases = entry.aliases;
    while (!aliases.empty()) {
        const std::size_t end = std::min(aliases.find(' '), aliases.size());
        if (name == aliases.substr(0, end))
            return true;
        aliases.remove_prefix(std::min(end + 1, aliases.size()));
    }
    return false;
}

} // namespace

const std::array<TSensorEntry, SensorEntryCount> SensorTable{{
    Window("pt1000", stPt1000, "Pt1000", TToleranceFamily::Platinum),
    Window("pt100", stPt100, "Pt100", TToleranceFamily::Platinum),
    Window("ni1000", stNi1000, "Ni1000", TToleranceFamily::None),
    Window("ntc2252", stNTC2252, "NTC2252", TToleranceFamily::None),
    Window("k", stTcK, "type K thermocouple", TToleranceFamily::Thermocouple),
    Window("j", stTcJ, "type J thermocouple", TToleranceFamily::Thermocouple),
    Window("s", stTcS, "type S thermocouple", TToleranceFamily::Thermocouple),
    Window("b", stTcB, "type B thermocouple", TToleranceFamily::Thermocouple),
    Window("t", stTcT, "type T thermocouple", TToleranceFamily::Thermocouple),
    Window("n", stTcN, "type N thermocouple", TToleranceFamily::Thermocouple),
    Thermocouple("e", tcE, "type E thermocouple"),
    Thermocouple("r", tcR, "type R thermocouple"),
    Curve("pt", "pt385", true, true, "platinum pt of any --r0 (or its own --cvd)",
          TToleranceFamily::ByCurve),
    Curve("ni1000-tk5000", "ni1000-tk5000", false, false,
          "ni1000-tk5000 (TK 5000 ppm/K, LG-Ni1000)", TToleranceFamily::None),
    Curve("cu", "cu428", false, true, "copper cu", TToleranceFamily::None),
    {"ntc", "", TSensorModel::Thermistor, stNTC2252, tcK, "", "", false, true,
     THelpGroup::Described, "thermistor ntc (--r25 with --beta, --sh or --curve)",
     TToleranceFamily::None},
}};

const TSensorEntry &FindSensor(const std::string &text)
{
    const std::string name = Lower(text);
    for (const TSensorEntry &entry : SensorTable) {
        if (Named(entry, name))
            return entry;
    }
    // A platinum size the window does not have is the curve sensor at that size, not the
    // nearest size it has.
    if (name.size() > 2 && name.rfind("pt", 0) == 0
        && name.find_first_not_of("0123456789", 2) == std::string::npos)
        throw TCliError("unknown sensor '" + text + "'; expected one of " + SensorNames(", ")
                        + " (a Pt" + name.substr(2) + " is pt --r0 " + name.substr(2) + ")");
    std::vector<std::string> names;
    for (const TSensorEntry &entry : SensorTable) {
        names.emplace_back(entry.name);
        std::string_view aliases = entry.aliases;
        while (!aliases.empty()) {
            const std::size_t end = std::min(aliases.find(' '), aliases.size());
            names.emplace_back(aliases.substr(0, end));
            aliases.remove_prefix(std::min(end + 1, aliases.size()));
        }
    }
    // one character is no slip of the keyboard away from any name in particular
    const std::string nearest = name.size() > 1 ? Nearest(name, names) : std::string();
    throw TCliError("unknown sensor '" + text + "'; "
                    + (nearest.empty() ? "expected one of " + SensorNames(", ")
                                       : "did you mean '" + nearest + "'?"));
}

std::string SensorNames(const std::string &separator)
{
    std::string list;
    for (const TSensorEntry &entry : SensorTable)
        list += (list.empty() ? "" : separator) + std::string(entry.name);
    return list;
}

std::string SensorHelp()
{
    std::string plain;
    std::string thermocouples;
    std::string described;
    for (const TSensorEntry &entry : SensorTable) {
        switch (entry.helpGroup) {
        case THelpGroup::Plain:
            plain += std::string(entry.name) + ", ";
            break;
        case THelpGroup::ThermocoupleType:
            thermocouples
                += (thermocouples.empty() ? "thermocouple type " : ", ") + std::string(entry.name);
            break;
        case THelpGroup::Described:
            described += (described.empty() ? "" : ", ") + std::string(entry.help);
            break;
        }
    }
    return plain + thermocouples + "; " + described;
}

} // namespace cli
