#include "scaling/scaling.h"

#include "arith.h"

namespace scaling {

using arith::Checked;
using arith::Div;

namespace {

// Walks a point along a line of slope k from its anchor (from, to): (at - from) * k + to, each
// step checked in the order a trapping unit would evaluate it.
long double Along(long double at, long double from, long double k, long double to)
{
    return Checked(Checked(Checked(at - from) * k) + to);
}

std::string PadLeft(std::string text)
{
    while (text.size() < 4)
        text.insert(text.begin(), ' ');
    return text;
}

} // namespace

long double LoopValue(const TLoopRange &range, long double current)
{
    const long double k = Div(Checked(range.hi - range.lo), LoopCurrentSpan);
    return Along(current, LoopCurrentLo, k, range.lo);
}

long double LoopCurrent(const TLoopRange &range, long double value)
{
    const long double k = Div(LoopCurrentSpan, Checked(range.hi - range.lo));
    return Along(value, range.lo, k, LoopCurrentLo);
}

std::string LoopPresetText(const TLoopPreset &preset)
{
    std::string hi = std::to_string(preset.hi);
    if (preset.lo < 0 && preset.hi > 0)
        hi.insert(hi.begin(), '+');
    return PadLeft(std::to_string(preset.lo)) + " .. " + PadLeft(hi);
}

long double LineY(const TLine &line, long double x)
{
    const long double k = Div(Checked(line.y1 - line.y0), Checked(line.x1 - line.x0));
    return Along(x, line.x0, k, line.y0);
}

long double LineX(const TLine &line, long double y)
{
    const long double k = Div(Checked(line.x1 - line.x0), Checked(line.y1 - line.y0));
    return Along(y, line.y0, k, line.x0);
}

} // namespace scaling
