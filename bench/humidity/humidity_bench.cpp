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

} // namespace
