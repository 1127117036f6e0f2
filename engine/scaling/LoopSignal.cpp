// SPDX-License-Identifier: MIT
#include "scaling/LoopSignal.h"

#include "arith.h"
#include "scaling/scaling.h"

namespace scaling {

Extended LoopPercentOfSpan(Extended current)
{
    using arith::Checked;
    return Checked(Checked(Checked(current - LoopCurrentLo) * 100) / LoopCurrentSpan);
}

TNamurZone NamurZone(Extended current)
{
    if (current >= NamurMeasuringLo && current <= NamurMeasuringHi)
        return nzMeasuring;
    if (current > NamurFailureLo && current < NamurFailureHi)
        return nzOutOfRange;
    return nzFailure;
}

const char *NamurZoneText(TNamurZone zone)
{
    switch (zone) {
    case nzMeasuring:
        return "measuring";
    case nzOutOfRange:
        return "out of range";
    case nzFailure:
        break;
    }
    return "failure";
}

} // namespace scaling
