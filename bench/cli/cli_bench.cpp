// SPDX-License-Identifier: MIT
// The workloads velmora-cli is sized for: a 1,000-point transmitter check (under 50 ms), the
// 105,001-row Pt100 table from -200 to 850 °C by 0.01 °C (wanted well under 0.2 s), a log of
// 1,000,000 readings (wanted under 1 s), one whose every line is refused under --keep-going, and
// 100,000 humidity readings, each a row of 25 columns. Output goes to a stream that discards it,
// so that the run measures the tool and not a terminal.

#include "VelmoraCli.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// Counts what is written and keeps nothing.
class TNullBuffer : public std::streambuf
{
public:
    std::size_t written = 0;

protected:
    std::streamsize xsputn(const char *, std::streamsize count) override
    {
        written += static_cast<std::size_t>(count);
        return count;
    }
    int_type overflow(int_type c) override
    {
        ++written;
        return c;
    }
};

void Run(benchmark::State &state, const std::vector<std::string> &args, const std::string &input,
         int expectedStatus = 0)
{
    for (auto _ : state) {
        std::istringstream in(input);
        TNullBuffer buffer;
        std::ostream out(&buffer);
        std::ostringstream err;
        const int status = cli::RunCli(args, in, out, err);
        if (status != expectedStatus)
            state.SkipWithError(err.str().c_str());
        benchmark::DoNotOptimize(buffer.written);
    }
}

const std::string &Readings()
{
    static const std::string readings = [] {
        std::string text;
        for (int i = 0; i < 1'000'000; ++i)
            text += std::to_string(20 + (i % 36000) / 100.0) + '\n';
        return text;
    }();
    return readings;
}

void Pt100Table(benchmark::State &state, const char *format)
{
    Run(state,
        {"table", "pt100", "--from", "-200", "--to", "850", "--step", "0.01", "--format", format},
        {});
}

void MillionReadings(benchmark::State &state, const char *format)
{
    Run(state, {"temp", "pt100", "--to", "temperature", "--format", format}, Readings());
}

// Every line a logger's mark for a missing value: each is refused with a message on standard
// error, and the run goes on.
void MillionRefusedReadings(benchmark::State &state)
{
    std::string lines;
    for (int i = 0; i < 1'000'000; ++i)
        lines += "----\n";
    Run(state, {"temp", "pt100", "--to", "temperature", "--keep-going"}, lines, 1);
}

void HumidityReadings(benchmark::State &state)
{
    std::string lines;
    for (int i = 0; i < 100'000; ++i)
        lines += std::to_string(-20 + (i % 700) / 10.0) + ' ' + std::to_string(5 + i % 95) + '\n';
    Run(state, {"humidity"}, lines);
}

// A 1,000-point check of a Pt100 transmitter with as-found and as-left readings (wanted under
// 50 ms): every point's resistance, both sets judged, the record written.
void Calibration(benchmark::State &state, const char *format)
{
    std::string found;
    std::string left;
    for (int i = 0; i < 1000; ++i) {
        const double ideal = 4 + 16.0 * i / 999;
        found += (i > 0 ? "," : "") + std::to_string(ideal + 0.03 * ((i % 7) - 3) / 3);
        left += (i > 0 ? "," : "") + std::to_string(ideal + 0.01 * ((i % 3) - 1));
    }
    Run(state,
        {"calibrate", "pt100", "--range", "0,150", "--points", "1000", "--tolerance", "0.25%",
         "--found", found, "--left", left, "--format", format},
        {});
}

BENCHMARK_CAPTURE(Calibration, text, "text")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Calibration, json, "json")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Calibration, svg, "svg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Pt100Table, text, "text")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Pt100Table, csv, "csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Pt100Table, json, "json")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MillionReadings, text, "text")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(MillionReadings, csv, "csv")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(MillionReadings, json, "json")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(MillionRefusedReadings)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(HumidityReadings)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
