// SPDX-License-Identifier: MIT
// Compares what velmora-cli printed on another platform with what it printed on x86-64, number by
// number: every other word must be the same, every number within one unit of the last digit of
// the x86-64 text. Prints how many numbers differ at all and lists the first of them.
//
// Usage: compare_numbers REFERENCE OTHER [REFERENCE OTHER ...]
// Exit status 0 when every pair agrees in that sense, 1 otherwise, 2 on a file that cannot be read.

#include "DecimalText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The words of a line: separated by blanks and commas; a carriage return (Windows) is a blank.
std::vector<std::string> Words(const std::string &line)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : line) {
        if (c == ' ' || c == '\t' || c == ',' || c == '\r') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// A number's value and the unit of its last digit ("12.50" -> 0.01, "1.5e+03" -> 100).
struct TNumber
{
    Extended value = 0;
    Extended unit = 1;
};

bool AsNumber(std::string_view word, TNumber &number)
{
    if (!word.empty() && word.front() == '+')
        word.remove_prefix(1);
    if (decimal::Read(word, number.value) != decimal::TReadStatus::Ok)
        return false;
    const std::size_t e = word.find_first_of("eE");
    const std::string_view mantissa = word.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const long fraction
        = point == std::string_view::npos ? 0 : static_cast<long>(mantissa.size() - point - 1);
    const long exponent = e == std::string_view::npos
                              ? 0
                              : std::strtol(std::string(word.substr(e + 1)).c_str(), nullptr, 10);
    number.unit = std::pow(Extended(10), Extended(exponent - fraction));
    return true;
}

struct TTally
{
    long numbers = 0;
    long differ = 0;
    long beyond = 0;
    long otherWords = 0;
};

bool Compare(const char *referencePath, const char *otherPath, TTally &tally)
{
    std::ifstream reference(referencePath);
    std::ifstream other(otherPath);
    if (!reference || !other) {
        std::cerr << "compare_numbers: cannot read " << (reference ? otherPath : referencePath)
                  << "\n";
        std::exit(2);
    }
    TTally here;
    long lineNumber = 0;
    int shown = 0;
    const auto report = [&](const std::string &what) {
        if (shown++ < 10)
            std::cout << "  " << otherPath << ":" << lineNumber << ": " << what << "\n";
    };
    std::string a;
    std::string b;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(reference, a));
        const bool moreB = static_cast<bool>(std::getline(other, b));
        if (!moreA && !moreB)
            break;
        ++lineNumber;
        if (moreA != moreB) {
            report("one file ends before the other");
            ++here.otherWords;
            break;
        }
        const std::vector<std::string> wa = Words(a);
        const std::vector<std::string> wb = Words(b);
        if (wa.size() != wb.size()) {
            report("'" + b + "' against '" + a + "'");
            ++here.otherWords;
            continue;
        }
        for (std::size_t i = 0; i < wa.size(); ++i) {
            TNumber x;
            TNumber y;
            if (!AsNumber(wa[i], x) || !AsNumber(wb[i], y)) {
                if (wa[i] != wb[i]) {
                    report("'" + wb[i] + "' against '" + wa[i] + "'");
                    ++here.otherWords;
                }
                continue;
            }
            ++here.numbers;
            if (wa[i] == wb[i])
                continue;
            ++here.differ;
            const bool within = std::fabs(x.value - y.value) <= x.unit * Extended(1.000001);
            if (!within)
                ++here.beyond;
            report(wb[i] + " against " + wa[i] + (within ? "" : ", beyond one unit"));
        }
    }
    std::cout << otherPath << ": " << here.numbers << " numbers, " << here.differ
              << " differ in the last digit, " << here.beyond << " beyond one unit, "
              << here.otherWords << " other words differ\n";
    tally.numbers += here.numbers;
    tally.differ += here.differ;
    tally.beyond += here.beyond;
    tally.otherWords += here.otherWords;
    return here.beyond == 0 && here.otherWords == 0 && here.numbers > 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3 || argc % 2 == 0) {
        std::cerr << "usage: compare_numbers REFERENCE OTHER [REFERENCE OTHER ...]\n";
        return 2;
    }
    TTally tally;
    bool agree = true;
    for (int i = 1; i + 1 < argc; i += 2)
        agree = Compare(argv[i], argv[i + 1], tally) && agree;
    std::cout << "all: " << tally.numbers << " numbers, " << tally.differ
              << " differ in the last digit, " << tally.beyond << " beyond one unit\n";
    return agree ? 0 : 1;
}
