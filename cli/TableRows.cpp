#include "TableRows.h"

#include "CliError.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace cli {

namespace {

constexpr int MaxPlaces = 9;
// Below the ninth decimal place yet far above the extended rounding of a parsed decimal.
constexpr long double WholeTolerance = 1e-9L;
// Whole numbers of units that a long long and the extended mantissa both hold exactly.
constexpr long double MaxUnits = 1e18L;

bool IsWhole(long double x)
{
    return std::fabs(x - std::roundl(x)) <= WholeTolerance * std::max(1.0L, std::fabs(x));
}

} // namespace

TTableRows::TTableRows(long double from, long double to, long double step)
    : m_from(from)
    , m_to(to)
    , m_step(step)
{
    long double scale = 1;
    for (int places = 0; places <= MaxPlaces; ++places, scale *= 10) {
        if (IsWhole(from * scale) && IsWhole(step * scale)) {
            m_decimal = true;
            m_scale = scale;
            break;
        }
    }
    // The tolerance keeps a `to` that the steps reach only up to rounding in the table.
    const long double intervals = m_decimal
                                      ? std::floor((to * m_scale - std::roundl(from * m_scale))
                                                       / std::roundl(step * m_scale)
                                                   + WholeTolerance)
                                      : std::floor((to - from) / step + WholeTolerance);
    if (!(intervals < static_cast<long double>(MaxRows)))
        throw TCliError("--step " + MessageNumber(static_cast<double>(step)) + " gives more than "
                        + std::to_string(MaxRows) + " rows from "
                        + MessageNumber(static_cast<double>(from)) + " to "
                        + MessageNumber(static_cast<double>(to)));
    m_count = static_cast<std::size_t>(std::max(0.0L, intervals)) + 1;
    if (m_decimal
        && std::fabs(from * m_scale) + static_cast<long double>(m_count) * step * m_scale
               >= MaxUnits)
        m_decimal = false;
    if (m_decimal) {
        m_fromUnits = std::llroundl(from * m_scale);
        m_stepUnits = std::llroundl(step * m_scale);
    }
}

long double TTableRows::At(std::size_t index) const
{
    const long double value
        = m_decimal
              ? static_cast<long double>(m_fromUnits + static_cast<long long>(index) * m_stepUnits)
                    / m_scale
              : m_from + static_cast<long double>(index) * m_step;
    return std::min(value, m_to);
}

} // namespace cli
