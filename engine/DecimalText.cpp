// SPDX-License-Identifier: MIT
#include "DecimalText.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace decimal {

namespace {

struct TForm
{
    bool valid = false;
    bool negative = false;
    bool nonZero = false;
    // The decimal exponent of the first significant digit when nonZero: 0 for "1.5", -3 for
    // "0.00123", 2 for "123e0"; saturated far beyond any type's range.
    long long leadExponent = 0;
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

TForm Scan(std::string_view text)
{
    TForm form;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && text[i] == '-') {
        form.negative = true;
        ++i;
    }
    long long integerDigits = 0;
    long long firstSignificant = -1; // position among the mantissa's digits
    long long digitCount = 0;
    bool point = false;
    for (; i < n; ++i) {
        if (IsDigit(text[i])) {
            if (text[i] != '0' && firstSignificant < 0)
                firstSignificant = digitCount;
            ++digitCount;
            if (!point)
                ++integerDigits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digitCount == 0)
        return form;
    long long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == n)
            return form;
        for (; i < n && IsDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000'000LL);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return form;
    form.valid = true;
    form.nonZero = firstSignificant >= 0;
    if (form.nonZero)
        form.leadExponent = integerDigits - 1 - firstSignificant + exponent;
    return form;
}

// MinGW's std::from_chars reads long double through double, losing the extended type's last
// digits and range; its C library's strtold reads the whole 64-bit significand.
#if defined(__MINGW32__) && !defined(VELMORA_EXTENDED_AS_DOUBLE)
constexpr bool FromCharsNarrow = true;
#else
constexpr bool FromCharsNarrow = false;
#endif

std::errc Convert(std::string_view text, Extended &value)
{
    if constexpr (FromCharsNarrow) {
        // The text has been checked; only the decimal point may differ in the C locale.
        std::string copy(text);
        const char point = *std::localeconv()->decimal_point;
        for (char &c : copy) {
            if (c == '.')
                c = point;
        }
        char *end = nullptr;
        const Extended v = std::strtold(copy.c_str(), &end);
        if (end != copy.c_str() + copy.size())
            return std::errc::invalid_argument;
        if (std::isinf(v) || v == 0)
            return std::errc::result_out_of_range; // sorted out by the caller from the form
        value = v;
        return std::errc();
    } else {
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec == std::errc() && ptr != text.data() + text.size())
            return std::errc::invalid_argument;
        return ec;
    }
}

} // namespace

TReadStatus Read(std::string_view text, Extended &value)
{
    const TForm form = Scan(text);
    if (!form.valid)
        return TReadStatus::NotANumber;
    if (!form.nonZero) {
        value = form.negative ? -Extended(0) : Extended(0);
        return TReadStatus::Ok;
    }
    Extended v = 0;
    const std::errc ec = Convert(text, v);
    if (ec == std::errc::result_out_of_range) {
        // too large, or too small for a normal value of the type
        if (form.leadExponent >= 0)
            return TReadStatus::OutOfRange;
        value = form.negative ? -Extended(0) : Extended(0);
        return TReadStatus::Ok;
    }
    if (ec != std::errc() || !std::isfinite(v))
        return TReadStatus::NotANumber;
    value = v;
    return TReadStatus::Ok;
}

std::string Fixed(double value, int decimals)
{
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string Scientific(Extended value, int fractionDigits)
{
    std::array<char, 128> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, fractionDigits);
    return std::string(buffer.data(), result.ptr);
}

double SingleDecimal(float value)
{
    const std::string text = Shortest(value);
    double number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

int GivenDecimals(std::string_view text)
{
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find_first_of(".,");
    int decimals
        = point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    if (e != std::string_view::npos) {
        int exponent = 0;
        std::string_view digits = text.substr(e + 1);
        if (!digits.empty() && digits.front() == '+')
            digits.remove_prefix(1);
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        decimals -= std::clamp(exponent, -400, 400);
    }
    return std::clamp(decimals, 0, 17);
}

double RoundedTo(double value, int decimals)
{
    const std::string text = Fixed(value, decimals);
    double rounded = 0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return rounded;
}

double Millivolts(float microvolts)
{
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), microvolts,
                                         std::chars_format::scientific);
    std::string text(buffer.data(), end);
    const std::size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
    text = text.substr(0, e) + "e" + std::to_string(exponent - 3);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string MessageNumber(double value)
{
    std::array<char, 400> buffer{};
    const auto result = std::abs(value) < 1e15 && (value == 0 || std::abs(value) >= 1e-6)
                            ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed)
                            : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace decimal
