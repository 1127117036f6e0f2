// SPDX-License-Identifier: MIT
#pragma once

// Numbers between Python and the engine. A Python float is taken as the decimal number that
// Python prints for it (its shortest text), read into the engine's extended type as velmora-cli
// reads the same text from a command line, so that both give the same results to the last bit.

#include "DecimalText.h"
#include "Extended.h"

#include <string>

namespace pyvelmora {

// The extended value of the decimal text that `value` prints as; an integer is taken as it is.
Extended AsDecimal(double value);

// The text that names a given value in a message: the shortest that reads back ("100.5").
std::string GivenText(double value);

using decimal::MessageNumber;

// A value as velmora-cli prints it with `decimals` digits after the point, without a minus sign
// on a rounded zero.
std::string FixedText(double value, int decimals);

} // namespace pyvelmora
