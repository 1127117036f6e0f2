// SPDX-License-Identifier: MIT
#pragma once

// A chart as an SVG document of 800 × 500: series of points with markers (and lines joining them
// if asked), shaded bands between a lower and an upper limit, axes labelled with their units and
// ticks at round values, a title and a legend. The bytes depend only on the plot given: numbers
// are written with std::to_chars at fixed decimals, never through a locale, and text is escaped
// for XML. Standard library only, so any part of the program can draw with it.

#include <string>
#include <vector>

namespace svgplot {

inline constexpr int Width = 800;
inline constexpr int Height = 500;

struct TPoint
{
    double x = 0;
    double y = 0;
};

// A point that is not finite, or beyond ±1e300, is left out (of its line too).
struct TSeries
{
    std::string name; // in the legend
    std::vector<TPoint> points;
    bool joined = false; // a line through the points in their order
};

struct TBandSample
{
    double x = 0;
    double lo = 0;
    double hi = 0;
};

// The area between lo and hi. A band of one sample is horizontal across the whole plot; more
// samples, in the order of x, make the limits follow x in straight lines between them (a
// tolerance that widens with temperature).
struct TBand
{
    std::string name; // in the legend
    std::vector<TBandSample> samples;
};

struct TAxis
{
    std::string label; // "Error"
    std::string unit;  // "% of span"; none leaves the label alone
};

struct TPlot
{
    std::string title;
    TAxis x;
    TAxis y;
    std::vector<TBand> bands;    // drawn first, in order, each in its own shade
    std::vector<TSeries> series; // drawn over the bands, each with its own colour and marker
};

// The whole document, from the XML declaration to the closing tag and a final newline. The axes
// span every point and every band at round values; an empty plot, a single point or values all
// equal still give axes around them.
std::string RenderSvg(const TPlot &plot);

// Text made safe inside an XML element or a quoted attribute: & < > " ' become references,
// characters XML forbids and bytes that are not UTF-8 become U+FFFD.
std::string XmlEscape(const std::string &text);

} // namespace svgplot
