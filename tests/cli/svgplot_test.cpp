// SPDX-License-Identifier: MIT
#include "output/SvgPlot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <ostream>
#include <sstream>
#include <string>

using namespace svgplot;

namespace {

// The worked check: Pt100 0 to 150 °C, errors in % of span, ±0.25 % shaded.
TPlot CheckPlot()
{
    TPlot plot;
    plot.title = "TT-101 Pt100 0 to 150 °C, 4-20 mA · 2024-05-14";
    plot.x = {"Input", "°C"};
    plot.y = {"Error", "% of span"};
    plot.bands = {{"tolerance ±0.25 % of span", {{0, -0.25, 0.25}}}};
    const double inputs[] = {0, 37.5, 75, 112.5, 150, 112.5, 75, 37.5, 0};
    const double found[] = {0.125, 0.25, 0.3125, 0.1875, -0.125, 0.375, 0.4375, 0.3125, 0.1875};
    plot.series
        = {{"as-found", {}, true},
           {"as-left", {{0, 0}, {37.5, 0.0625}, {75, 0}, {112.5, -0.0625}, {150, 0}}, true}};
    for (std::size_t i = 0; i < 9; ++i)
        plot.series[0].points.push_back({inputs[i], found[i]});
    return plot;
}

// Class A and B of an industrial platinum resistance thermometer: ±(0.15 + 0.002 |t|) and
// ±(0.3 + 0.005 |t|) °C, sampled where the limits bend.
TPlot ClassesPlot()
{
    TPlot plot;
    plot.title = "Pt100 tolerance classes";
    plot.x = {"Temperature", "°C"};
    plot.y = {"Tolerance", "°C"};
    plot.bands = {{"class B", {{-50, -0.55, 0.55}, {0, -0.3, 0.3}, {250, -1.55, 1.55}}},
                  {"class A", {{-50, -0.25, 0.25}, {0, -0.15, 0.15}, {250, -0.65, 0.65}}}};
    return plot;
}

struct TCase
{
    const char *name;
    TPlot plot;
};

void PrintTo(const TCase &c, std::ostream *os)
{
    *os << c.name;
}

TPlot WithSeries(std::vector<TPoint> points)
{
    TPlot plot;
    plot.title = "degenerate";
    plot.x = {"x", ""};
    plot.y = {"y", "mA"};
    plot.series = {{"readings", std::move(points), true}};
    return plot;
}

const double NaN = std::numeric_limits<double>::quiet_NaN();

std::string RunQuietly(const std::string &command)
{
    const std::string errors = "svgplot_stderr.txt";
    const int status = std::system((command + " 2>" + errors).c_str());
    std::ifstream in(errors);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return "status " + std::to_string(status) + ": " + text;
}

class ValidPlot : public testing::TestWithParam<TCase>
{
};

// xmllint parses the document strictly and rsvg-convert draws it without a word on stderr.
TEST_P(ValidPlot, ParsesAndRendersCleanly)
{
    const std::string svg = RenderSvg(GetParam().plot);
    EXPECT_EQ(svg, RenderSvg(GetParam().plot));
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    const std::string file = std::string("svgplot_") + GetParam().name + ".svg";
    std::ofstream(file, std::ios::binary) << svg;

    if (std::string(VELMORA_XMLLINT).empty() || std::string(VELMORA_RSVG_CONVERT).empty())
        GTEST_SKIP() << "xmllint or rsvg-convert is not installed";
    EXPECT_EQ(RunQuietly(std::string(VELMORA_XMLLINT) + " --noout " + file), "status 0: ");
    EXPECT_EQ(RunQuietly(std::string(VELMORA_RSVG_CONVERT) + " -o " + file + ".png " + file),
              "status 0: ");
}

INSTANTIATE_TEST_SUITE_P(
    Plots, ValidPlot,
    testing::Values(TCase{"check", CheckPlot()}, TCase{"classes", ClassesPlot()},
                    TCase{"one_point", WithSeries({{20, 12}})},
                    TCase{"all_equal", WithSeries({{5, 0}, {5, 0}, {5, 0}})},
                    TCase{"empty_series", WithSeries({})}, TCase{"nothing", TPlot{}},
                    TCase{
                        "crowded_legend",
                        [] {
                            TPlot p;
                            for (int i = 0; i < 30; ++i)
                                p.series.push_back({"series " + std::to_string(i), {{0, 1.0 * i}}});
                            return p;
                        }()},
                    TCase{"not_finite", WithSeries({{NaN, 1}, {1, INFINITY}, {2, 3}, {4, 1e307}})},
                    TCase{"bad_text",
                          [] {
                              TPlot p = CheckPlot();
                              p.title = "tag <&\"'> \x01 \xff\xfe end";
                              p.series[0].name = std::string(200, 'x');
                              return p;
                          }()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SvgText, EscapesMarkupAndReplacesWhatXmlForbids)
{
    EXPECT_EQ(XmlEscape("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &apos;d&apos;&gt;");
    // A control character, a lone continuation byte and an overlong slash.
    EXPECT_EQ(XmlEscape("\x01|\x80|\xc0\xaf|°"), "\uFFFD|\uFFFD|\uFFFD\uFFFD|°");
    TPlot plot = CheckPlot();
    plot.title = "TT<1> & \"2\"";
    const std::string svg = RenderSvg(plot);
    EXPECT_NE(svg.find(">TT&lt;1&gt; &amp; &quot;2&quot;</text>"), std::string::npos);
}

// The axes stop at round values around the data and the band: -0.25 to 0.4375 % of span is about
// six steps of 0.115, rounded up to 0.2, so -0.4 to 0.6; 0 to 150 °C in steps of 50.
TEST(SvgAxes, TicksAtRoundValuesAroundTheData)
{
    const std::string svg = RenderSvg(CheckPlot());
    for (const char *label :
         {">-0.4</text>", ">0.0</text>", ">0.6</text>", ">0</text>", ">150</text>"})
        EXPECT_NE(svg.find(label), std::string::npos) << label;
    for (const char *label : {">-0.6</text>", ">0.8</text>", ">200</text>", ">-0.0</text>"})
        EXPECT_EQ(svg.find(label), std::string::npos) << label;
}

} // namespace
