// SPDX-License-Identifier: MIT
// Formatting and reading run on every keystroke of a numeric field; each must stay well under the
// time of a keystroke (the budget is 2 microseconds a call).

#include "NumberFormat.h"

#include <benchmark/benchmark.h>

namespace {

const TSeparators seps{u'.', u','};

struct TCase
{
    long double value;
    int decimals;
    TNumberFormat format;
};

const TCase cases[] = {
        {1234.5L, 2, TNumberFormat::Standard},
        {1234567.891L, 2, TNumberFormat::Thousands},
        {123456789012.345678L, 5, TNumberFormat::Standard},
        {0.333333333333333333L, -1, TNumberFormat::Standard},
        {1234.5678901234567L, -1, TNumberFormat::Thousands},
        {0.0005L, -1, TNumberFormat::Engineering},
        {-6.02214076e23L, 4, TNumberFormat::Scientific},
        {1.5e-300L, 3, TNumberFormat::Engineering},
};

void BM_FormatValue(benchmark::State &state)
{
    const TCase &c = cases[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatValue(c.value, c.decimals, c.format, seps));
}
BENCHMARK(BM_FormatValue)->DenseRange(0, std::size(cases) - 1);

const char *const texts[] = {
        "1234.50",
        "1,234,567.89",
        "123456789012.34600",
        "0.33333333333333",
        "-6.0221E23",
        "0.5E-3",
        "12.5E",
        "1,234.5x",
};

void BM_StrToValue(benchmark::State &state)
{
    const QString text = QString::fromLatin1(texts[state.range(0)]);
    for (auto _ : state) {
        long double v = 0;
        benchmark::DoNotOptimize(TryParseValue(PlainText(text, seps), seps, v));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_StrToValue)->DenseRange(0, std::size(texts) - 1);

} // namespace
