// SPDX-License-Identifier: MIT
#include "humidity/HumidityQuantities.h"
#include "humidity/humidity.h"

#include <benchmark/benchmark.h>

using namespace humidity;

namespace {

// One whole calculation as the calculator runs it, inputs written afresh each time.
void BM_CalculateHumidity(benchmark::State &state)
{
    ResetModuleState();
    double t = 20;
    for (auto _ : state) {
        moduleState.Temp = t;
        moduleState.RelHum = 50;
        moduleState.Press = 101325;
        moduleState.TempAccuracy = 0.4;
        moduleState.RelHumAccuracy = 2.5;
        CalculateHumidity();
        benchmark::DoNotOptimize(moduleState.Accuracies);
        t = t > 30 ? -10 : t + 0.25;
    }
}
BENCHMARK(BM_CalculateHumidity);

// The state in which the quantities per kilogram are withheld.
void BM_CalculateHumidityImpossibleState(benchmark::State &state)
{
    ResetModuleState();
    for (auto _ : state) {
        moduleState.Temp = 200;
        moduleState.RelHum = 50;
        moduleState.Press = 101325;
        moduleState.TempAccuracy = 0.4;
        moduleState.RelHumAccuracy = 2.5;
        CalculateHumidity();
        benchmark::DoNotOptimize(moduleState.Accuracies);
    }
}
BENCHMARK(BM_CalculateHumidityImpossibleState);

// The calculation with every further quantity, over states from frost to hot air; the wet bulb's
// search dominates it.
void BM_CalculateExtendedHumidity(benchmark::State &state)
{
    ResetModuleState();
    double t = -20;
    double relHum = 5;
    for (auto _ : state) {
        moduleState.Temp = t;
        moduleState.RelHum = relHum;
        moduleState.Press = 101325;
        moduleState.TempAccuracy = 0.4;
        moduleState.RelHumAccuracy = 2.5;
        CalculateExtendedHumidity();
        benchmark::DoNotOptimize(moduleState.ExtAccuracies);
        t = t > 60 ? -20 : t + 0.75;
        relHum = relHum > 95 ? 5 : relHum + 3.5;
    }
}
BENCHMARK(BM_CalculateExtendedHumidity);

// A wet bulb given instead of the relative humidity, then the whole calculation from it.
void BM_CalculateFromWetBulb(benchmark::State &state)
{
    ResetModuleState();
    double wetBulb = 10;
    for (auto _ : state) {
        const TRelHumInput input = RelHumFromWetBulb(25, wetBulb, 101325);
        moduleState.Temp = 25;
        moduleState.RelHum = input.relHum;
        moduleState.Press = 101325;
        moduleState.TempAccuracy = 0.4;
        moduleState.RelHumAccuracy = 2.5;
        CalculateExtendedHumidity();
        benchmark::DoNotOptimize(moduleState.ExtAccuracies);
        wetBulb = wetBulb > 24 ? 10 : wetBulb + 0.5;
    }
}
BENCHMARK(BM_CalculateFromWetBulb);

// Compressed-air dew point brought to atmospheric pressure.
void BM_ConvertPressureDewPoint(benchmark::State &state)
{
    double dewPoint = -40;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConvertPressureDewPoint(dewPoint, 8e5, 101325));
        dewPoint = dewPoint > 10 ? -40 : dewPoint + 1.25;
    }
}
BENCHMARK(BM_ConvertPressureDewPoint);

} // namespace
