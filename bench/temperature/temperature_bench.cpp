// SPDX-License-Identifier: MIT
// Each benchmark cycles through inputs spread over the sensor's range, so that every branch of
// the function is taken and no call can be folded into a constant.

#include "temperature/ResistanceCurves.h"
#include "temperature/ResistiveSensors.h"
#include "temperature/SensorCalculation.h"
#include "temperature/TempScales.h"
#include "temperature/Thermistors.h"
#include "temperature/Thermocouples.h"
#include "temperature/ToleranceClasses.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

using namespace temperature;

namespace {

constexpr std::size_t InputCount = 64;

template<typename T>
std::array<T, InputCount> Spread(double from, double to)
{
    std::array<T, InputCount> values{};
    for (std::size_t i = 0; i < InputCount; ++i)
        values[i] = static_cast<T>(from + (to - from) * static_cast<double>(i) / (InputCount - 1));
    return values;
}

template<typename T, typename F>
void Run(benchmark::State &state, const std::array<T, InputCount> &inputs, F function)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(function(inputs[i]));
        i = (i + 1) % InputCount;
    }
}

void BM_CelsiusToFahrenheit(benchmark::State &state)
{
    Run(state, Spread<double>(-200, 850), CelsiusToFahrenheit);
}

void BM_FahrenheitToCelsius(benchmark::State &state)
{
    Run(state, Spread<double>(-328, 1562), FahrenheitToCelsius);
}

void BM_GetSensorLimits(benchmark::State &state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        double min = 0;
        double max = 0;
        GetSensorLimits(static_cast<TSensorType>(i % SensorCount),
                        static_cast<TConversionDirection>(i & 1), min, max);
        benchmark::DoNotOptimize(min);
        benchmark::DoNotOptimize(max);
        ++i;
    }
}

void BM_CheckSensorLimits(benchmark::State &state)
{
    Run(state, Spread<double>(-300, 1500),
        [](double v) { return CheckSensorLimits(stPt1000, cdTempToElectricQuant, v); });
}

void BM_ClampToSensorLimits(benchmark::State &state)
{
    Run(state, Spread<double>(-300, 1500),
        [](double v) { return ClampToSensorLimits(stPt1000, cdTempToElectricQuant, v); });
}

void BM_PtTempToRes(benchmark::State &state)
{
    Run(state, Spread<double>(-200, 850), PtTempToRes);
}

void BM_PtResToTemp(benchmark::State &state)
{
    Run(state, Spread<double>(180, 3900), PtResToTemp);
}

void BM_NiTempToRes(benchmark::State &state)
{
    Run(state, Spread<double>(-50, 250), NiTempToRes);
}

void BM_NiResToTemp(benchmark::State &state)
{
    Run(state, Spread<double>(742, 2891), NiResToTemp);
}

void BM_NtcTempToRes(benchmark::State &state)
{
    Run(state, Spread<double>(-80, 120), NtcTempToRes);
}

void BM_NtcResToTemp(benchmark::State &state)
{
    Run(state, Spread<double>(80, 1700000), NtcResToTemp);
}

struct TTcSpan
{
    TThermocoupleType type;
    double tempLow, tempHigh, voltLow, voltHigh;
};

constexpr TTcSpan TcSpans[] = {{tcJ, -210, 1200, -8095, 69553}, {tcK, -270, 1372, -5891, 54886},
                               {tcS, -50, 1768, -235, 18694},   {tcB, 0, 1820, 291, 13820},
                               {tcT, -270, 401, -6300, 21000},  {tcN, -270, 1300, -3990, 47513},
                               {tcE, -270, 1000, -8825, 76373}, {tcR, -50, 1768.1, -226.5, 21103}};

void BM_TcTempToVolt(benchmark::State &state)
{
    const TTcSpan &r = TcSpans[state.range(0)];
    Run(state, Spread<float>(r.tempLow, r.tempHigh),
        [&r](float t) { return TcTempToVolt(r.type, t); });
}

void BM_TcVoltToTemp(benchmark::State &state)
{
    const TTcSpan &r = TcSpans[state.range(0)];
    Run(state, Spread<float>(r.voltLow, r.voltHigh),
        [&r](float e) { return TcVoltToTemp(r.type, e); });
}

void BM_TcTempInRange(benchmark::State &state)
{
    Run(state, Spread<float>(-300, 1900), [](float t) { return TcTempInRange(tcK, t); });
}

void BM_TcVoltInRange(benchmark::State &state)
{
    Run(state, Spread<float>(-7000, 60000), [](float e) { return TcVoltInRange(tcK, e); });
}

void BM_RtdCurveResistance(benchmark::State &state)
{
    const TRtdCurve pt(*FindRtdCurve("pt385"), 500);
    Run(state, Spread<double>(-200, 850), [&pt](double t) { return pt.Resistance(t); });
}

void BM_RtdCurveTemperature(benchmark::State &state)
{
    const TRtdCurve pt(*FindRtdCurve("pt385"), 500);
    Run(state, Spread<double>(92.7, 1952), [&pt](double r) { return pt.Temperature(r); });
}

void BM_ThermistorResistance(benchmark::State &state)
{
    const TThermistor ntc(*FindThermistorCurve("semitec-103at"));
    Run(state, Spread<double>(-40, 110), [&ntc](double t) { return ntc.Resistance(t); });
}

void BM_ThermistorTemperature(benchmark::State &state)
{
    const TThermistor ntc(*FindThermistorCurve("semitec-103at"));
    Run(state, Spread<double>(760, 188000), [&ntc](double r) { return ntc.Temperature(r); });
}

// One tolerance look-up: the classes of platinum and of type R (two rows for class 1), at
// temperatures inside and outside their ranges.
void BM_PermittedDeviation(benchmark::State &state)
{
    const TClassKey keys[] = {*FindToleranceClass('P', "F 0.3"), *FindToleranceClass('R', "1"),
                              *FindToleranceClass('K', "3")};
    const auto temperatures = Spread<double>(-250, 1800);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PermittedDeviation(keys[i % 3], temperatures[i % InputCount]));
        ++i;
    }
}

// One calculation of the temperature tab per sensor, input in °C, temperature results in °F.
// The inputs are ones that have a result: a failed calculation costs the exception's unwinding.
void BM_CalculateSensor(benchmark::State &state)
{
    const auto sensor = static_cast<TSensorType>(state.range(0));
    const auto direction = static_cast<TConversionDirection>(state.range(1));
    double min = 0;
    double max = 0;
    GetSensorLimits(sensor, direction, min, max);
    if (direction == cdElectricQuantToTemp) {
        // the metal thermometers' inverse bounds (-50 and 650 °C) lie inside the table's limits
        const double span = max - min;
        min += span / 100;
        max -= span / 4;
    }
    Run(state, Spread<long double>(min, max), [sensor, direction](long double v) {
        try {
            return CalculateSensor(sensor, direction, v, unCelsius, unFahrenheit).Value;
        } catch (const ECannotCalculate &) {
            return 0.0;
        }
    });
}

void BM_InputOntoSensorLimits(benchmark::State &state)
{
    Run(state, Spread<long double>(-500, 2000), [](long double v) {
        return InputOntoSensorLimits(stPt1000, cdTempToElectricQuant, unFahrenheit, v);
    });
}

} // namespace

BENCHMARK(BM_CelsiusToFahrenheit);
BENCHMARK(BM_FahrenheitToCelsius);
BENCHMARK(BM_GetSensorLimits);
BENCHMARK(BM_CheckSensorLimits);
BENCHMARK(BM_ClampToSensorLimits);
BENCHMARK(BM_PtTempToRes);
BENCHMARK(BM_PtResToTemp);
BENCHMARK(BM_NiTempToRes);
BENCHMARK(BM_NiResToTemp);
BENCHMARK(BM_NtcTempToRes);
BENCHMARK(BM_NtcResToTemp);
// argument: J, K, S, B, T, N, E, R
BENCHMARK(BM_TcTempToVolt)->DenseRange(0, 7);
BENCHMARK(BM_TcVoltToTemp)->DenseRange(0, 7);
BENCHMARK(BM_RtdCurveResistance);
BENCHMARK(BM_RtdCurveTemperature);
BENCHMARK(BM_ThermistorResistance);
BENCHMARK(BM_ThermistorTemperature);
BENCHMARK(BM_PermittedDeviation);
BENCHMARK(BM_TcTempInRange);
BENCHMARK(BM_TcVoltInRange);
// arguments: sensor (TSensorType), direction
BENCHMARK(BM_CalculateSensor)->ArgsProduct({benchmark::CreateDenseRange(0, 9, 1), {0, 1}});
BENCHMARK(BM_InputOntoSensorLimits);
