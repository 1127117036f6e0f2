#pragma once

#include <cstddef>

namespace cli {

// The temperatures of a reference table: from + i * step for i = 0, 1, ... up to `to`. Each row is
// computed from its index, never by adding up steps, and where `from` and `step` are decimal
// fractions of up to nine places, as those exact decimals: row 20000 of -200 by 0.01 is 0, not a
// residue of binary rounding, and the row that lands on `to` is `to` itself.
class TTableRows
{
public:
    // Requires step > 0 and from <= to. Throws TCliError when the table would have more than
    // MaxRows rows.
    TTableRows(long double from, long double to, long double step);

    static constexpr std::size_t MaxRows = 1'000'000;

    std::size_t Count() const { return m_count; }
    long double At(std::size_t index) const;

private:
    long double m_from;
    long double m_to;
    long double m_step;
    // from and step in units of 10^-m_places, when both are such whole numbers.
    bool m_decimal = false;
    long double m_scale = 1;
    long long m_fromUnits = 0;
    long long m_stepUnits = 0;
    std::size_t m_count = 0;
};

} // namespace cli
