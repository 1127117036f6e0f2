// SPDX-License-Identifier: MIT
#pragma once

// velmora.calibrate: the transmitter check's test points and the judgement of as-found and
// as-left readings, by the engine's calibration arithmetic.

#include <pybind11/pybind11.h>

namespace pyvelmora {

void AddCalibration(pybind11::module_ &module);

} // namespace pyvelmora
