// SPDX-License-Identifier: MIT
#pragma once

// The extended type in which the engine computes: long double, whatever its width on the platform
// (80-bit on x86-64 Linux and MinGW, 128-bit on aarch64 Linux). A build configured with
// VELMORA_EXTENDED_AS_DOUBLE makes it double, the long double of MSVC and Apple silicon, so that
// the results can be proved at that precision on any machine.
#ifdef VELMORA_EXTENDED_AS_DOUBLE
using Extended = double;
#else
using Extended = long double;
#endif
