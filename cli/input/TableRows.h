// SPDX-License-Identifier: MIT
#pragma once

#include "input/NumberText.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace cli {

// The temperatures of a reference table: from + i * step for i = 0, 1, ... up to `to`, with
// `from` and `step` exactly as given. Where the three are decimals of up to 18 digits, each row
// is computed from its index as an exact decimal, and its text carries the places of `from` and
// `step`: row 20000 of -200 by 0.01 is 0.00, not a residue of binary rounding. Otherwise rows are
// from + i * step in extended precision.
class TTableRows
{
public:
    // Requires from <= to, and step > 0 unless from equals to (a one-row table). Throws
    // TCliError, naming the row count, when the table would have more than MaxRows rows.
    TTableRows(const TInputValue &from, const TInputValue &to, const TInputValue &step);

    static constexpr std::size_t MaxRows = 10'000'000;

    std::size_t Count() const { return m_count; }
    // Row `index` as a number and as the text a table shows.
    TInputValue At(std::size_t index) const;

private:
    TInputValue m_from;
    TInputValue m_step;
    bool m_exact = false;
    int m_places = 0;
    std::int64_t m_fromUnits = 0;
    std::int64_t m_stepUnits = 0;
    std::size_t m_count = 0;
};

} // namespace cli
