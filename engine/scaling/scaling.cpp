// SPDX-License-Identifier: MIT
#include "scaling/scaling.h"

#include "arith.h"

namespace scaling {

using arith::Checked;
using arith::Div;

namespace {

// Walks a point along a line of slope k from its anchor (from, to): (at - from) * k + to, each
// step checked in the order a trapping unit would evaluate it.
Extended Along(Extended at, Extended from, Extended k, Extended to)
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

Extended LoopValue(const TLoopRange &range, Extended current)
{
    const Extended k = Div(Checked(range.hi - range.lo), LoopCurrentSpan);
    return Along(current, LoopCurrentLo, k, range.lo);
}

Extended LoopCurrent(const TLoopRange &range, Extended value)
{
    const Extended k = Div(LoopCurrentSpan, Checked(range.hi - range.lo));
    return Along(value, range.lo, k, LoopCurrentLo);
}

std::string LoopPresetText(const TLoopPreset &preset)
{
    std::string hi = std::to_string(preset.hi);
    if (preset.lo < 0 && preset.hi > 0)
        hi.insert(hi.begin(), '+');
    return PadLeft(std::to_string(preset.lo)) + " .. " + PadLeft(hi);
}

Extended LineY(const TLine &line, Extended x)
{
    const Extended k = Div(Checked(line.y1 - line.y0), Checked(line.x1 - line.x0));
    return Along(x, line.x0, k, line.y0);
}

Extended LineX(const TLine &line, Extended y)
{
    const Extended k = Div(Checked(line.x1 - line.x0), Checked(line.y1 - line.y0));
    return Along(y, line.y0, k, line.x0);
}

} // namespace scaling
