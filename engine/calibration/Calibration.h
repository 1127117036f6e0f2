// SPDX-License-Identifier: MIT
#pragma once

// Checking a transmitter: test points along its range, the ideal output at each, and for a set of
// readings (as found, as left) the error of each in output units, in % of span and in input units,
// pass or fail against a tolerance, the NE 43 zone of a 4-20 mA reading, the largest error of the
// set and, with a return leg, the hysteresis at each point. The input side is a plain range in its
// own unit (°C, bar, m); what a simulator applies at the terminals for an input value (ohms,
// millivolts) comes from a function the caller gives, so any sensor plugs in. Refused settings and
// readings throw ECalibrationInput, whose text names the value and the rule it broke; arithmetic
// faults throw arith::EMathError, though the limits on the settings keep every step finite.

#include "DecimalText.h"
#include "Extended.h"
#include "scaling/LoopSignal.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace calibration {

class ECalibrationInput : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

// --- Numbers as given -----------------------------------------------------------------------

// The decimals of a value that no decimal fraction writes exactly, such as a third of the span.
inline constexpr int InexactDecimals = -1;

// A number with the count of digits after its point as it was given ("8.040" has 3, "1.5e-3" 4,
// "150" and "1.5e2" 0). A reading is judged against its tolerance at these digits, so that an
// error exactly equal to the tolerance passes whatever binary noise the arithmetic adds.
struct TGiven
{
    Extended value = 0;
    int decimals = 0;
};

// decimal::Read, counting the decimals as well. On anything but Ok, given is left as it was.
decimal::TReadStatus ReadGiven(std::string_view text, TGiven &given);

// --- The transmitter -------------------------------------------------------------------------

enum class TOutput { Current4To20, Current0To20, Voltage0To10, Voltage1To5 };

struct TOutputSignal
{
    TOutput output;
    const char *name; // "4-20mA", as the command line takes it
    const char *unit; // "mA" or "V"
    int lo;           // at 0 % of span
    int hi;           // at 100 % of span
};

inline constexpr std::array<TOutputSignal, 4> OutputSignals{{
    {TOutput::Current4To20, "4-20mA", "mA", 4, 20},
    {TOutput::Current0To20, "0-20mA", "mA", 0, 20},
    {TOutput::Voltage0To10, "0-10V", "V", 0, 10},
    {TOutput::Voltage1To5, "1-5V", "V", 1, 5},
}};

const TOutputSignal &OutputSignal(TOutput output);
// The output of that name ("4-20mA"), nothing for any other text.
std::optional<TOutput> OutputNamed(std::string_view name);

// The input at 0 % (lrv) and at 100 % of span (urv). urv below lrv is a reverse-acting
// transmitter: its output rises as the input falls. Ends must differ and lie within ±RangeLimit.
struct TRange
{
    TGiven lrv;
    TGiven urv;
};

inline constexpr Extended RangeLimit = 1e15L;

// --- Test points -----------------------------------------------------------------------------

inline constexpr int MinPointCount = 2;
inline constexpr int MaxPointCount = 10001; // steps of 0.01 % of span
// A test point lies within these, in % of span: for 4-20 mA, 0 to 24 mA.
inline constexpr Extended PercentMin = -25;
inline constexpr Extended PercentMax = 125;

// `count` points evenly spread from 0 to 100 % of span: 5 gives 0, 25, 50, 75, 100. Throws for a
// count outside MinPointCount..MaxPointCount.
std::vector<TGiven> PointsFromCount(int count);

enum class TLeg { Up, Down };

struct TTestPoint
{
    TGiven percent; // % of span
    TLeg leg = TLeg::Up;
    Extended input = 0;  // in the input's unit
    Extended output = 0; // the ideal output, mA or V
    // What to apply at the terminals for the input value, when the plan was given a stimulus.
    std::optional<Extended> stimulus;
    // The index of the point at the same % on the other leg.
    std::optional<std::size_t> partner;
};

// The terminal value (ohms, millivolts) for an input value; throws what the sensor refuses.
using TStimulus = std::function<Extended(Extended input)>;

struct TPlan
{
    TRange range;
    TOutput output = TOutput::Current4To20;
    bool returnLeg = false;
    std::vector<TTestPoint> points; // in the order they are tested
};

// The points in the order given; each % of span once, within PercentMin..PercentMax, between
// MinPointCount and MaxPointCount of them. With a return leg the given points must rise, and
// they are visited back down without the top one again: 0, 50, 100 gives 0, 50, 100, 50, 0. A
// reading repeated at the turn would be taken without reversing, so it would show repeatability,
// not hysteresis; the top point has no partner. A stimulus that throws is reported with its point.
TPlan MakePlan(const TRange &range, TOutput output, const std::vector<TGiven> &percents,
               bool returnLeg, const TStimulus &stimulus = {});

// --- Tolerance -------------------------------------------------------------------------------

enum class TToleranceUnit { PercentOfSpan, Input, Output };

struct TTolerance
{
    TGiven amount; // ±, above 0 and at most 100 % of span
    TToleranceUnit unit = TToleranceUnit::PercentOfSpan;
};

// Throws unless the tolerance is above 0 and at most 100 % of the plan's span.
void CheckTolerance(const TPlan &plan, const TTolerance &tolerance);

// The tolerance expressed in another unit (positive), e.g. ±0.25 % of a 4-20 mA span in mA: 0.04.
Extended ToleranceIn(const TPlan &plan, const TTolerance &tolerance, TToleranceUnit unit);

// --- A set of readings -----------------------------------------------------------------------

struct TReadingCheck
{
    TGiven reading;            // mA or V
    Extended errorOutput = 0;  // reading minus ideal output, mA or V
    Extended errorPercent = 0; // of span, positive when the output is high
    Extended errorInput = 0;   // the input the reading indicates minus the input applied
    bool pass = false;
    // The NE 43 zone of a 4-20 mA reading; the recommendation speaks of no other signal.
    std::optional<scaling::TNamurZone> zone;
};

struct THysteresis
{
    std::size_t up = 0;   // index of the point on the up leg
    std::size_t down = 0; // its partner on the return leg
    Extended output = 0;  // down reading minus up reading
    Extended percent = 0;
    Extended input = 0;
};

struct TSetCheck
{
    std::vector<TReadingCheck> readings; // one per point of the plan
    bool pass = false;                   // every reading passes
    // The reading with the largest error, the first of those equal at their digits.
    std::size_t largest = 0;
    // With a return leg: one per point with a partner, in the up leg's order.
    std::vector<THysteresis> hysteresis;
    std::optional<std::size_t> largestHysteresis; // an index into hysteresis
};

// A reading passes when its error, in the tolerance's unit, is at most the tolerance. Both are
// rounded to enough digits to hold each exactly, counted from the digits of the reading, the test
// point, the range and the tolerance as given (8.04 mA against 8 mA is 0.25 % of a 16 mA span, a
// tie with ±0.25 %, which passes), so binary noise cannot decide a tie and no error above the
// tolerance rounds down onto it; never more digits than the arithmetic holds at the values'
// magnitudes. readings are one per point of the plan, within the output's range widened by its span
// each way
// (-12 to 36 mA for 4-20 mA); setName ("as-found") names the set in the messages.
TSetCheck CheckSet(const TPlan &plan, const TTolerance &tolerance,
                   const std::vector<TGiven> &readings, std::string_view setName);

} // namespace calibration
