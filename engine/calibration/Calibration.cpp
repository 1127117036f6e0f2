// SPDX-License-Identifier: MIT
#include "calibration/Calibration.h"

#include "arith.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>

namespace calibration {

using arith::Checked;
using arith::Div;

namespace {

// Decimals beyond this many are not counted: no value the engine holds has them.
constexpr int DecimalsCeiling = 1000;
// The most digits a comparison rounds to: 10^18 is still exact in a 64-bit significand, and with
// a narrower extended type the noise stops the digits far earlier.
constexpr int CompareDecimalsMax = 18;

std::string Text(Extended value)
{
    return decimal::Shortest(static_cast<double>(value));
}

// "1 reading", "2 readings".
std::string Counted(std::size_t count, const std::string &noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string PercentText(const TGiven &percent)
{
    return Text(percent.value) + " %";
}

// The count of digits after the point of num/den written as a decimal fraction, InexactDecimals
// when it never ends (den keeps a factor other than 2 and 5).
int RationalDecimals(long long num, long long den)
{
    if (num == 0)
        return 0;
    den /= std::gcd(num, den);
    den = den < 0 ? -den : den;
    int twos = 0;
    int fives = 0;
    for (; den % 2 == 0; den /= 2)
        ++twos;
    for (; den % 5 == 0; den /= 5)
        ++fives;
    return den == 1 ? std::max(twos, fives) : InexactDecimals;
}

// The decimals of a sum or difference, and of a product with a factor of `more` decimals.
int Wider(int a, int b)
{
    return a == InexactDecimals || b == InexactDecimals ? InexactDecimals : std::max(a, b);
}

int Plus(int a, int more)
{
    return a == InexactDecimals || more == InexactDecimals ? InexactDecimals : a + more;
}

// Exact decimals, but no more than the ceiling; the ceiling where no count is exact.
int Capped(int decimals, int ceiling)
{
    return decimals == InexactDecimals ? ceiling : std::min(decimals, ceiling);
}

Extended PowerOfTen(int exponent)
{
    Extended power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// The most digits after the point that still stand above the rounding noise of a value whose
// calculation handled magnitudes up to `magnitude`: a unit of the last digit is kept well above
// the few units in the last place that the steps of a calculation leave.
int DecimalsAboveNoise(Extended magnitude)
{
    const Extended noise = 1024 * std::numeric_limits<Extended>::epsilon() * magnitude;
    int decimals = 0;
    Extended unit = 0.1L;
    while (decimals < CompareDecimalsMax && unit > noise) {
        ++decimals;
        unit /= 10;
    }
    return decimals;
}

// magnitude <= limit, both rounded half away from zero to `decimals` digits.
bool AtMostAtDecimals(Extended magnitude, Extended limit, int decimals)
{
    const Extended scale = PowerOfTen(decimals);
    return std::round(Checked(magnitude * scale)) <= std::round(Checked(limit * scale));
}

Extended OutputSpan(TOutput output)
{
    const TOutputSignal &signal = OutputSignal(output);
    return Extended(signal.hi - signal.lo);
}

Extended InputSpan(const TRange &range)
{
    return Checked(range.urv.value - range.lrv.value);
}

void CheckRange(const TRange &range)
{
    for (const TGiven *end : {&range.lrv, &range.urv}) {
        if (!(std::fabs(end->value) <= RangeLimit))
            throw ECalibrationInput("the range end " + Text(end->value) + " lies outside ±"
                                    + Text(RangeLimit));
    }
    if (range.lrv.value == range.urv.value)
        throw ECalibrationInput("the range " + Text(range.lrv.value) + " to "
                                + Text(range.urv.value) + " has equal ends");
}

void CheckPercents(const std::vector<TGiven> &percents, bool returnLeg)
{
    if (percents.size() < std::size_t(MinPointCount)
        || percents.size() > std::size_t(MaxPointCount))
        throw ECalibrationInput(Counted(percents.size(), "test point")
                                + " given: " + std::to_string(MinPointCount) + " to "
                                + std::to_string(MaxPointCount) + " are needed");
    for (std::size_t i = 0; i < percents.size(); ++i) {
        const TGiven &p = percents[i];
        if (!(p.value >= PercentMin && p.value <= PercentMax))
            throw ECalibrationInput("the test point " + PercentText(p) + " of span lies outside "
                                    + Text(PercentMin) + " to " + Text(PercentMax) + " %");
        if (returnLeg && i > 0 && !(p.value > percents[i - 1].value))
            throw ECalibrationInput("with the return leg the test points must rise: "
                                    + PercentText(p) + " follows " + PercentText(percents[i - 1]));
    }
    std::vector<Extended> sorted;
    sorted.reserve(percents.size());
    for (const TGiven &p : percents)
        sorted.push_back(p.value);
    std::sort(sorted.begin(), sorted.end());
    const auto twice = std::adjacent_find(sorted.begin(), sorted.end());
    if (twice != sorted.end())
        throw ECalibrationInput("the test point " + Text(*twice) + " % is given twice");
}

Extended Stimulus(const TStimulus &stimulus, const TTestPoint &point)
{
    Extended value = 0;
    const std::string where
        = "the test point " + PercentText(point.percent) + " (input " + Text(point.input) + "): ";
    try {
        value = stimulus(point.input);
    } catch (const std::exception &e) {
        throw ECalibrationInput(where + e.what());
    }
    if (!std::isfinite(value))
        throw ECalibrationInput(where + "the sensor gives no finite value");
    return value;
}

Extended TolerancePercent(const TPlan &plan, const TTolerance &tolerance)
{
    const Extended amount = tolerance.amount.value;
    switch (tolerance.unit) {
    case TToleranceUnit::PercentOfSpan:
        break;
    case TToleranceUnit::Input:
        return Div(Checked(amount * 100), std::fabs(InputSpan(plan.range)));
    case TToleranceUnit::Output:
        return Div(Checked(amount * 100), std::fabs(OutputSpan(plan.output)));
    }
    return amount;
}

// The error of `check` in the tolerance's unit and the digits at which it is compared with it.
struct TJudged
{
    Extended error = 0;
    int decimals = 0;
};

TJudged Judged(const TPlan &plan, const TTestPoint &point, const TReadingCheck &check,
               const TTolerance &tolerance)
{
    const TOutputSignal &signal = OutputSignal(plan.output);
    const long long outputSpan = signal.hi - signal.lo;
    // ideal = lo + percent * span / 100; the error in % multiplies by 100 / span, the error in
    // input units by the input span / 100 again.
    const int idealDecimals = Plus(point.percent.decimals, RationalDecimals(outputSpan, 100));
    const int outputDecimals = Wider(check.reading.decimals, idealDecimals);
    const int percentDecimals = Plus(outputDecimals, RationalDecimals(100, outputSpan));
    const int spanDecimals = Wider(plan.range.lrv.decimals, plan.range.urv.decimals);

    const Extended magnitude
        = std::max({std::fabs(check.reading.value), std::fabs(point.output),
                    Extended(std::abs(signal.lo)), Extended(std::abs(signal.hi))});
    TJudged judged;
    int exact = outputDecimals;
    Extended noiseMagnitude = magnitude;
    switch (tolerance.unit) {
    case TToleranceUnit::Output:
        judged.error = check.errorOutput;
        break;
    case TToleranceUnit::PercentOfSpan:
        judged.error = check.errorPercent;
        exact = percentDecimals;
        noiseMagnitude = magnitude * 100 / Extended(outputSpan);
        break;
    case TToleranceUnit::Input: {
        judged.error = check.errorInput;
        exact = Plus(Plus(percentDecimals, 2), spanDecimals);
        const Extended inputSpan = std::fabs(InputSpan(plan.range));
        // The span itself is the difference of two rounded ends.
        const Extended ends = std::fabs(plan.range.lrv.value) + std::fabs(plan.range.urv.value);
        noiseMagnitude = magnitude * inputSpan / Extended(outputSpan)
                         + std::fabs(check.errorInput) * ends / inputSpan;
        break;
    }
    }
    const int ceiling = DecimalsAboveNoise(noiseMagnitude);
    judged.decimals = Capped(Wider(exact, tolerance.amount.decimals), ceiling);
    return judged;
}

} // namespace

decimal::TReadStatus ReadGiven(std::string_view text, TGiven &given)
{
    Extended value = 0;
    const decimal::TReadStatus status = decimal::Read(text, value);
    if (status != decimal::TReadStatus::Ok)
        return status;
    // Read accepted the form: digits with at most one point, then an optional exponent.
    long long fraction = 0;
    long long exponent = 0;
    std::size_t i = 0;
    const std::size_t point = text.find('.');
    const std::size_t e = text.find_first_of("eE");
    if (point != std::string_view::npos)
        fraction
            = static_cast<long long>((e == std::string_view::npos ? text.size() : e) - point - 1);
    if (e != std::string_view::npos) {
        i = e + 1;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        for (; i < text.size(); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000LL);
        if (negative)
            exponent = -exponent;
    }
    given.value = value;
    given.decimals = static_cast<int>(std::clamp(fraction - exponent, 0LL, 1LL * DecimalsCeiling));
    return status;
}

const TOutputSignal &OutputSignal(TOutput output)
{
    for (const TOutputSignal &signal : OutputSignals) {
        if (signal.output == output)
            return signal;
    }
    return OutputSignals.front();
}

std::optional<TOutput> OutputNamed(std::string_view name)
{
    for (const TOutputSignal &signal : OutputSignals) {
        if (name == signal.name)
            return signal.output;
    }
    return std::nullopt;
}

std::vector<TGiven> PointsFromCount(int count)
{
    if (count < MinPointCount || count > MaxPointCount)
        throw ECalibrationInput("the count of test points " + std::to_string(count)
                                + " lies outside " + std::to_string(MinPointCount) + " to "
                                + std::to_string(MaxPointCount));
    std::vector<TGiven> points;
    points.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const Extended percent = Extended(100) * Extended(i) / Extended(count - 1);
        points.push_back({percent, RationalDecimals(100LL * i, count - 1)});
    }
    return points;
}

TPlan MakePlan(const TRange &range, TOutput output, const std::vector<TGiven> &percents,
               bool returnLeg, const TStimulus &stimulus)
{
    CheckRange(range);
    CheckPercents(percents, returnLeg);
    const TOutputSignal &signal = OutputSignal(output);

    TPlan plan;
    plan.range = range;
    plan.output = output;
    plan.returnLeg = returnLeg;
    const std::size_t n = percents.size();
    plan.points.reserve(returnLeg ? 2 * n - 1 : n);
    for (const TGiven &percent : percents) {
        TTestPoint point;
        point.percent = percent;
        // lerp gives both ends exactly: 100 % is the upper range value itself.
        const Extended fraction = percent.value / 100;
        point.input = Checked(std::lerp(range.lrv.value, range.urv.value, fraction));
        point.output = Checked(std::lerp(Extended(signal.lo), Extended(signal.hi), fraction));
        if (stimulus)
            point.stimulus = Stimulus(stimulus, point);
        plan.points.push_back(point);
    }
    if (returnLeg) {
        for (std::size_t i = n - 1; i-- > 0;) {
            TTestPoint point = plan.points[i];
            point.leg = TLeg::Down;
            point.partner = i;
            plan.points[i].partner = plan.points.size();
            plan.points.push_back(point);
        }
    }
    return plan;
}

void CheckTolerance(const TPlan &plan, const TTolerance &tolerance)
{
    const Extended amount = tolerance.amount.value;
    if (!(amount > 0) || !std::isfinite(amount))
        throw ECalibrationInput("the tolerance ±" + Text(amount) + " must be above 0");
    const Extended percent = TolerancePercent(plan, tolerance);
    if (!(percent <= 100))
        throw ECalibrationInput("the tolerance ±" + Text(amount) + " is " + Text(percent)
                                + " % of span; at most 100 % is accepted");
}

Extended ToleranceIn(const TPlan &plan, const TTolerance &tolerance, TToleranceUnit unit)
{
    if (unit == tolerance.unit)
        return tolerance.amount.value;
    const Extended percent = TolerancePercent(plan, tolerance);
    switch (unit) {
    case TToleranceUnit::PercentOfSpan:
        break;
    case TToleranceUnit::Input:
        return Checked(percent * std::fabs(InputSpan(plan.range)) / 100);
    case TToleranceUnit::Output:
        return Checked(percent * std::fabs(OutputSpan(plan.output)) / 100);
    }
    return percent;
}

TSetCheck CheckSet(const TPlan &plan, const TTolerance &tolerance,
                   const std::vector<TGiven> &readings, std::string_view setName)
{
    CheckTolerance(plan, tolerance);
    const std::string set(setName);
    if (readings.size() != plan.points.size())
        throw ECalibrationInput(set + " has " + Counted(readings.size(), "reading") + " for "
                                + Counted(plan.points.size(), "test point"));
    const TOutputSignal &signal = OutputSignal(plan.output);
    const Extended outputSpan = OutputSpan(plan.output);
    const Extended inputSpan = InputSpan(plan.range);
    // A loop reads nothing beyond this; far beyond it a reading is a slip of the pen (a % typed
    // for mA) that should be corrected, not judged.
    const Extended lowest = signal.lo - outputSpan;
    const Extended highest = signal.hi + outputSpan;
    const Extended toleranceAmount = tolerance.amount.value;

    TSetCheck result;
    result.readings.reserve(readings.size());
    std::vector<TJudged> judgements;
    judgements.reserve(readings.size());
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const TGiven &reading = readings[i];
        const TTestPoint &point = plan.points[i];
        if (!(reading.value >= lowest && reading.value <= highest))
            throw ECalibrationInput(set + " reading " + std::to_string(i + 1) + " of "
                                    + std::to_string(readings.size()) + ", " + Text(reading.value)
                                    + " " + signal.unit + ", lies outside " + Text(lowest) + " to "
                                    + Text(highest) + " " + signal.unit);
        TReadingCheck check;
        check.reading = reading;
        check.errorOutput = Checked(reading.value - point.output);
        check.errorPercent = Div(Checked(check.errorOutput * 100), outputSpan);
        check.errorInput = Div(Checked(check.errorOutput * inputSpan), outputSpan);
        const TJudged judged = Judged(plan, point, check, tolerance);
        check.pass = AtMostAtDecimals(std::fabs(judged.error), toleranceAmount, judged.decimals);
        judgements.push_back(judged);
        if (plan.output == TOutput::Current4To20)
            check.zone = scaling::NamurZone(reading.value);
        result.readings.push_back(check);
    }

    result.pass = std::all_of(result.readings.begin(), result.readings.end(),
                              [](const TReadingCheck &c) { return c.pass; });
    // Errors equal at their digits are equal, whatever noise tells them apart.
    for (std::size_t i = 1; i < judgements.size(); ++i) {
        const TJudged &largest = judgements[result.largest];
        if (!AtMostAtDecimals(std::fabs(judgements[i].error), std::fabs(largest.error),
                              std::min(judgements[i].decimals, largest.decimals)))
            result.largest = i;
    }

    // Readings stay within the widened output range, which bounds their noise.
    const int hysteresisCeiling = DecimalsAboveNoise(std::max(std::fabs(lowest), highest));
    for (std::size_t i = 0; i < plan.points.size(); ++i) {
        const TTestPoint &point = plan.points[i];
        if (point.leg != TLeg::Up || !point.partner)
            continue;
        const TReadingCheck &up = result.readings[i];
        const TReadingCheck &down = result.readings[*point.partner];
        THysteresis h;
        h.up = i;
        h.down = *point.partner;
        h.output = Checked(down.reading.value - up.reading.value);
        h.percent = Div(Checked(h.output * 100), outputSpan);
        h.input = Div(Checked(h.output * inputSpan), outputSpan);
        const int decimals
            = Capped(Wider(up.reading.decimals, down.reading.decimals), hysteresisCeiling);
        if (!result.largestHysteresis
            || !AtMostAtDecimals(std::fabs(h.output),
                                 std::fabs(result.hysteresis[*result.largestHysteresis].output),
                                 decimals))
            result.largestHysteresis = result.hysteresis.size();
        result.hysteresis.push_back(h);
    }
    return result;
}

} // namespace calibration
