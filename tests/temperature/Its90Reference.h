// SPDX-License-Identifier: MIT
#pragma once

// An independent reading of the NIST coefficients for the tests: the published decimal texts of
// tests/data/its90_coefficients.csv and its90_coefficients_er.csv rescaled to microvolts by moving
// the decimal exponent, then converted by the C library, and the functions evaluated by Horner's
// scheme.

#include "CsvData.h"
#include "Extended.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace testdata {

// "0.503811878150E-01" with the exponent moved by shift: "0.503811878150E2".
inline std::string ShiftExponent(const std::string &text, int shift)
{
    const std::size_t e = text.find_first_of("Ee");
    if (e == std::string::npos)
        throw std::runtime_error("no exponent in " + text);
    return text.substr(0, e) + "E" + std::to_string(std::stoi(text.substr(e + 1)) + shift);
}

struct TItsSegment
{
    char Type = 0;
    std::string Kind; // reference, reference_exp, inverse
    std::string RangeLowText;
    std::string RangeHighText;
    double RangeLow = 0; // °C, or µV for the inverse functions
    double RangeHigh = 0;
    std::vector<std::string> MicrovoltTexts; // rescaled decimal texts
    std::vector<Extended> Coefficients;      // those texts as the compiler reads a literal
};

inline int ExponentShift(const std::string &kind, int index)
{
    if (kind == "reference")
        return 3;
    if (kind == "reference_exp")
        return index == 0 ? 3 : 0;
    return -3 * index;
}

inline void ReadItsSegments(const TCsv &csv, std::vector<TItsSegment> &segments)
{
    for (std::size_t row = 0; row < csv.size(); ++row) {
        const std::string kind = csv.at(row, "kind");
        const char type = csv.at(row, "type").at(0);
        const std::string low = csv.at(row, "range_low");
        const std::string high = csv.at(row, "range_high");
        if (segments.empty() || segments.back().Type != type || segments.back().Kind != kind
            || segments.back().RangeLowText != low || segments.back().RangeHighText != high) {
            TItsSegment segment;
            segment.Type = type;
            segment.Kind = kind;
            segment.RangeLowText = low;
            segment.RangeHighText = high;
            const double scale = csv.at(row, "range_unit") == "mV" ? 1000 : 1;
            segment.RangeLow = std::stod(low) * scale;
            segment.RangeHigh = std::stod(high) * scale;
            segments.push_back(segment);
        }
        TItsSegment &segment = segments.back();
        const int index = std::stoi(csv.at(row, "index"));
        if (index != static_cast<int>(segment.Coefficients.size()))
            throw std::runtime_error("coefficient indices out of order");
        const std::string text
            = ShiftExponent(csv.at(row, "coefficient"), ExponentShift(kind, index));
        segment.MicrovoltTexts.push_back(text);
        segment.Coefficients.push_back(static_cast<Extended>(std::strtold(text.c_str(), nullptr)));
    }
}

inline std::vector<TItsSegment> ReadItsSegments()
{
    std::vector<TItsSegment> segments;
    for (const char *fileName : {"its90_coefficients.csv", "its90_coefficients_er.csv"})
        ReadItsSegments(TCsv(fileName), segments);
    return segments;
}

inline const std::vector<TItsSegment> &ItsSegments()
{
    static const std::vector<TItsSegment> segments = ReadItsSegments();
    return segments;
}

inline const TItsSegment &Segment(char type, const std::string &kind, int number)
{
    int n = 0;
    for (const TItsSegment &segment : ItsSegments()) {
        if (segment.Type == type && segment.Kind == kind && ++n == number)
            return segment;
    }
    throw std::runtime_error(std::string("no segment ") + type + " " + kind);
}

inline Extended Horner(const std::vector<Extended> &c, Extended x)
{
    Extended sum = 0;
    for (auto it = c.rbegin(); it != c.rend(); ++it)
        sum = sum * x + *it;
    return sum;
}

// The value of one published function at x (°C or µV), type K's exponential term included for
// its second reference function.
inline Extended Evaluate(char type, const std::string &kind, int number, Extended x)
{
    Extended value = Horner(Segment(type, kind, number).Coefficients, x);
    if (type == 'K' && kind == "reference" && number == 2) {
        const auto &a = Segment('K', "reference_exp", 1).Coefficients;
        value += a[0] * std::exp(a[1] * (x - a[2]) * (x - a[2]));
    }
    return value;
}

} // namespace testdata
