// SPDX-License-Identifier: MIT
#include "temperature/ToleranceClasses.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <span>

namespace temperature {

namespace {

constexpr char Platinum = 'P';

std::span<const TToleranceClass> TableOf(char sensor)
{
    if (sensor == 'W' || sensor == 'F' || sensor == Platinum)
        return PlatinumClasses;
    return ThermocoupleClasses;
}

bool Belongs(const TToleranceClass &row, char sensor)
{
    return row.Sensor == sensor || (sensor == Platinum && (row.Sensor == 'W' || row.Sensor == 'F'));
}

// Upper case without spaces: "w 0.15" -> "W0.15".
std::string Compact(std::string_view text)
{
    std::string compact;
    for (const char c : text) {
        if (c != ' ')
            compact += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return compact;
}

double Deviation(const TToleranceClass &row, double t)
{
    if (row.Rule == trGreaterOf)
        return std::max(row.Fixed, row.PerDegree * std::fabs(t));
    return row.Fixed + row.PerDegree * std::fabs(t - row.Origin);
}

} // namespace

std::optional<TClassKey> FindToleranceClass(char sensor, std::string_view text)
{
    const std::string wanted = Compact(text);
    for (const TToleranceClass &row : TableOf(sensor)) {
        if (!Belongs(row, sensor))
            continue;
        // a bare AA ... C is the wire-wound element, listed first
        if (row.Name == wanted || (!row.Designation.empty() && Compact(row.Designation) == wanted))
            return TClassKey{row.Sensor, row.Name};
    }
    return std::nullopt;
}

std::string ClassLabel(const TClassKey &key)
{
    for (const TToleranceClass &row : TableOf(key.Sensor)) {
        if (row.Sensor == key.Sensor && row.Name == key.Name && !row.Designation.empty())
            return std::string(row.Name) + " (" + std::string(row.Designation) + ")";
    }
    return "class " + std::string(key.Name);
}

TClassRange ClassRange(const TClassKey &key)
{
    TClassRange range{0, 0};
    bool found = false;
    for (const TToleranceClass &row : TableOf(key.Sensor)) {
        if (row.Sensor != key.Sensor || row.Name != key.Name)
            continue;
        range = found ? TClassRange{std::min(range.Low, row.TempLow),
                                    std::max(range.High, row.TempHigh)}
                      : TClassRange{row.TempLow, row.TempHigh};
        found = true;
    }
    return range;
}

std::optional<double> PermittedDeviation(const TClassKey &key, double t)
{
    for (const TToleranceClass &row : TableOf(key.Sensor)) {
        if (row.Sensor == key.Sensor && row.Name == key.Name && t >= row.TempLow
            && t <= row.TempHigh)
            return Deviation(row, t);
    }
    return std::nullopt;
}

std::vector<TClassKey> ToleranceClassesOf(char sensor)
{
    std::vector<TClassKey> keys;
    for (const TToleranceClass &row : TableOf(sensor)) {
        const TClassKey key{row.Sensor, row.Name};
        const bool listed = std::any_of(keys.begin(), keys.end(), [&key](const TClassKey &k) {
            return k.Sensor == key.Sensor && k.Name == key.Name;
        });
        if (Belongs(row, sensor) && !listed)
            keys.push_back(key);
    }
    return keys;
}

std::vector<TClassKey> ClassesMet(char sensor, double t, double deviation)
{
    std::vector<TClassKey> met;
    for (const TClassKey &key : ToleranceClassesOf(sensor)) {
        const std::optional<double> permitted = PermittedDeviation(key, t);
        if (permitted && std::fabs(deviation) <= *permitted)
            met.push_back(key);
    }
    return met;
}

} // namespace temperature
