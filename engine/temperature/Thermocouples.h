// SPDX-License-Identifier: MIT
#pragma once

// Temperature and thermo-voltage of the eight letter-coded thermocouple types J, K, S, B, T, N, E
// and R, reference junction at 0 °C: the ITS-90 reference and inverse functions of NIST Monograph
// 175 with the emf in microvolts. Arguments and results are single precision; every term is formed
// in extended precision and the sum is rounded once.

#include "temperature/TempScales.h"

#include <optional>

namespace temperature {

// Types E and R, which the temperature calculator does not offer, continue the type codes.
inline constexpr auto tcE = static_cast<TThermocoupleType>(6);
inline constexpr auto tcR = static_cast<TThermocoupleType>(7);
inline constexpr int ThermocoupleTypeCount = 8;

// The accepted inputs (limits inclusive). Type N accepts every value; a code outside the eight
// types accepts none.
bool TcTempInRange(TThermocoupleType tcType, float t);
bool TcVoltInRange(TThermocoupleType tcType, float e);

// µV at t °C; 0 when t is outside the accepted range or tcType is not one of the eight types.
float TcTempToVolt(TThermocoupleType tcType, float t);
// °C at e µV; 0 when e is outside the accepted range or tcType is not one of the eight types.
float TcVoltToTemp(TThermocoupleType tcType, float e);

struct TTcRange
{
    float Low;
    float High;
};

// The accepted ranges of the functions, °C and µV; for type N, which accepts every value, the range
// of its published functions.
TTcRange TcTempRange(TThermocoupleType tcType);
TTcRange TcVoltRange(TThermocoupleType tcType);

// What velmora-cli takes back from its own output: the temperatures (°C) from the lowest that the
// type's inverse function reaches (J from -210 °C, K, T, N and E from -200 °C, S and R from
// -50 °C, B from 250 °C) up to tempHigh, and their emfs (µV) as TcTempToVolt gives them. The
// range the functions accept (TcVoltRange) is not changed by it.
struct TTcImage
{
    TTcRange Temp;
    TTcRange Volt;
};
TTcImage TcImageUpTo(TThermocoupleType tcType, float tempHigh);

// The emf onto the image: itself when within, the end it passed when it lies at most two
// single-precision steps beyond (the rounding of a compensated sum); nothing otherwise.
std::optional<float> TcOntoImage(const TTcImage &image, float e);

// °C at e µV within the image (an emf beyond it counts as the end it passed). The inverse
// function serves over its published range and up to half a microvolt beyond it, the unit in which
// NIST prints the ranges; further out (S and R near -50 °C, T above 400 °C, N above 1300 °C), the
// temperature is the one whose reference emf is e, solved from the reference function, of which
// the inverse is only an approximation. 0 for a code outside the eight types.
float TcImageVoltToTemp(TThermocoupleType tcType, const TTcImage &image, float e);

// The type's letter ('J', 'K', ...); 0 for a code outside the eight types.
char ThermocoupleLetter(TThermocoupleType tcType);

// A code that none of the thermocouple functions accepts.
inline constexpr auto NotAThermocouple = static_cast<TThermocoupleType>(0xFF);

// The type code of a thermocouple sensor; NotAThermocouple for a resistive one.
TThermocoupleType ThermocoupleTypeOf(TSensorType sensor);

} // namespace temperature
