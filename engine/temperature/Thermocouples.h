#pragma once

// Temperature and thermo-voltage of the thermocouple types J, K, S, B, T and N, reference junction
// at 0 °C: the ITS-90 reference and inverse functions of NIST Monograph 175 with the emf in
// microvolts. Arguments and results are single precision; every term is formed in extended
// precision and the sum is rounded once.

#include "temperature/TempScales.h"

namespace temperature {

// The accepted inputs (limits inclusive). Type N accepts every value; a code outside the six
// types accepts none.
bool TcTempInRange(TThermocoupleType tcType, float t);
bool TcVoltInRange(TThermocoupleType tcType, float e);

// µV at t °C; 0 when t is outside the accepted range or tcType is not one of the six types.
float TcTempToVolt(TThermocoupleType tcType, float t);
// °C at e µV; 0 when e is outside the accepted range or tcType is not one of the six types.
float TcVoltToTemp(TThermocoupleType tcType, float e);

// A code that none of the thermocouple functions accepts.
inline constexpr auto NotAThermocouple = static_cast<TThermocoupleType>(0xFF);

// The type code of a thermocouple sensor; NotAThermocouple for a resistive one.
TThermocoupleType ThermocoupleTypeOf(TSensorType sensor);

} // namespace temperature
