// SPDX-License-Identifier: MIT
#include "output/SvgPlot.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>
#include <system_error>

namespace svgplot {

namespace {

// The plot area, the legend column beside it, and the text sizes, in SVG user units (pixels).
constexpr double PlotLeft = 80;
constexpr double PlotRight = 580;
constexpr double PlotTop = 50;
constexpr double PlotBottom = 430;
constexpr double LegendLeft = 600;
constexpr double LegendText = 632;
constexpr double LegendTop = 62;
constexpr double LegendStep = 22;
constexpr std::size_t LegendLines = 2;
constexpr double TitleSize = 16;
constexpr double LabelSize = 13;
constexpr double TickSize = 11;
constexpr double LegendSize = 12;
// An average glyph of a sans-serif face is narrower than this share of the font size, so text cut
// to this estimate fits its room.
constexpr double GlyphWidth = 0.6;
constexpr double MarkerRadius = 4;

constexpr double PlottableLimit = 1e300;
constexpr int TargetIntervals = 6;
// Ticks switch to scientific notation beyond these.
constexpr double FixedLargest = 1e9;
constexpr int FixedDecimalsMax = 9;

const std::array<const char *, 6> SeriesColours
    = {"#1f5fa8", "#c0392b", "#2e7d32", "#7b3fa0", "#d35400", "#5d4037"};
const std::array<const char *, 4> BandColours = {"#2e9e4f", "#e0a000", "#3b7dd8", "#b0479c"};
constexpr int MarkerKinds = 4; // circle, square, triangle, diamond

bool Plottable(double v)
{
    return std::isfinite(v) && std::fabs(v) <= PlottableLimit;
}

// --- Text ------------------------------------------------------------------------------------

bool XmlAllows(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
           || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The code points of UTF-8 text; a byte that starts no valid sequence, and any character XML
// forbids, becomes U+FFFD.
std::u32string Decode(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        int length = b < 0x80           ? 1
                     : (b >> 5) == 0x6  ? 2
                     : (b >> 4) == 0xE  ? 3
                     : (b >> 3) == 0x1E ? 4
                                        : 0;
        char32_t c = length == 1   ? b
                     : length == 2 ? (b & 0x1F)
                     : length == 3 ? (b & 0x0F)
                                   : (b & 0x07);
        for (int k = 1; k < length; ++k) {
            const std::size_t at = i + std::size_t(k);
            const auto next = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
            if ((next & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms and surrogates are no characters either: each of their bytes is
        // replaced, as for any broken sequence. A character XML forbids is replaced whole.
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (length == 0 || c < least[length] || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(XmlAllows(c) ? c : char32_t(0xFFFD));
        i += std::size_t(length);
    }
    return out;
}

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

std::string Encode(const std::u32string &text)
{
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            AppendUtf8(out, c);
        }
    }
    return out;
}

// Escaped text broken at spaces into lines that fit `room` pixels, at most maxLines of them; the
// last is cut with an ellipsis, a word longer than a line is broken where it reaches the edge.
std::vector<std::string> Wrapped(const std::string &text, double room, double fontSize,
                                 std::size_t maxLines)
{
    std::u32string rest = Decode(text);
    const auto fits = static_cast<std::size_t>(std::max(2.0, room / (GlyphWidth * fontSize)));
    std::vector<std::string> lines;
    while (rest.size() > fits && lines.size() + 1 < maxLines) {
        const std::size_t space = rest.rfind(U' ', fits);
        const bool atSpace = space != std::u32string::npos && space > 0;
        const std::size_t cut = atSpace ? space : fits;
        lines.push_back(Encode(rest.substr(0, cut)));
        rest.erase(0, atSpace ? cut + 1 : cut);
    }
    if (rest.size() > fits) {
        rest.resize(fits - 1);
        rest.push_back(U'\u2026');
    }
    lines.push_back(Encode(rest));
    return lines;
}

// Escaped text on one line, cut with an ellipsis to what fits `room` pixels.
std::string Fitted(const std::string &text, double room, double fontSize)
{
    return Wrapped(text, room, fontSize, 1).front();
}

// --- Numbers ---------------------------------------------------------------------------------

std::string Fixed(double value, int decimals)
{
    std::array<char, 400> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                               std::chars_format::scientific, 6);
    std::string text(buffer.data(), result.ptr);
    // A value that rounds to zero is written without a sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string Scientific(double value, int decimals)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, decimals);
    return std::string(buffer.data(), result.ptr);
}

// A coordinate in the picture, to a hundredth of a pixel.
std::string C(double v)
{
    return Fixed(v, 2);
}

// --- Axes ------------------------------------------------------------------------------------

struct TExtent
{
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();

    void Add(double v)
    {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    bool Empty() const { return lo > hi; }
};

// An axis from `first` to `last` steps of mantissa * 10^exponent (mantissa 1, 2 or 5).
struct TTicks
{
    long long first = 0;
    long long last = 1;
    int mantissa = 1;
    int exponent = 0;

    double Step() const { return mantissa * std::pow(10.0, exponent); }
    double Lo() const { return double(first) * Step(); }
    double Hi() const { return double(last) * Step(); }
};

TTicks NiceTicks(TExtent extent)
{
    if (extent.Empty()) {
        extent.lo = 0;
        extent.hi = 1;
    }
    // Values all equal, or too close for their magnitude to tell apart, are shown with room
    // around them.
    const double mid = extent.lo / 2 + extent.hi / 2;
    if (!(extent.hi - extent.lo > std::fabs(mid) * 1e-9)) {
        const double room = mid == 0 ? 1 : std::fabs(mid) / 10;
        extent.lo = mid - room;
        extent.hi = mid + room;
    }
    const double raw = (extent.hi - extent.lo) / TargetIntervals;
    TTicks ticks;
    ticks.exponent = int(std::floor(std::log10(raw)));
    const double scaled = raw / std::pow(10.0, ticks.exponent);
    ticks.mantissa = scaled <= 1 ? 1 : scaled <= 2 ? 2 : scaled <= 5 ? 5 : 10;
    if (ticks.mantissa == 10) {
        ticks.mantissa = 1;
        ++ticks.exponent;
    }
    const double step = ticks.Step();
    // A value on a tick stays on it, whatever the division leaves in the last place.
    ticks.first = static_cast<long long>(std::floor(extent.lo / step + 1e-9));
    ticks.last = static_cast<long long>(std::ceil(extent.hi / step - 1e-9));
    if (ticks.last <= ticks.first)
        ticks.last = ticks.first + 1;
    return ticks;
}

std::string TickText(const TTicks &ticks, long long k)
{
    const double value = double(k) * ticks.Step();
    const double largest = std::max(std::fabs(ticks.Lo()), std::fabs(ticks.Hi()));
    if (largest >= FixedLargest || -ticks.exponent > FixedDecimalsMax) {
        // Enough significant digits to tell one tick from the next.
        const int digits = int(std::floor(std::log10(largest))) - ticks.exponent;
        return Scientific(value, std::clamp(digits, 1, 15));
    }
    return Fixed(value, std::max(0, -ticks.exponent));
}

struct TFrame
{
    TTicks x;
    TTicks y;

    double Px(double v) const
    {
        return PlotLeft + (v - x.Lo()) / (x.Hi() - x.Lo()) * (PlotRight - PlotLeft);
    }
    double Py(double v) const
    {
        return PlotBottom - (v - y.Lo()) / (y.Hi() - y.Lo()) * (PlotBottom - PlotTop);
    }
};

TFrame FrameOf(const TPlot &plot)
{
    TExtent x;
    TExtent y;
    for (const TSeries &series : plot.series) {
        for (const TPoint &p : series.points) {
            if (Plottable(p.x) && Plottable(p.y)) {
                x.Add(p.x);
                y.Add(p.y);
            }
        }
    }
    for (const TBand &band : plot.bands) {
        for (const TBandSample &s : band.samples) {
            if (!Plottable(s.x) || !Plottable(s.lo) || !Plottable(s.hi))
                continue;
            // A horizontal band has no extent along x.
            if (band.samples.size() > 1)
                x.Add(s.x);
            y.Add(s.lo);
            y.Add(s.hi);
        }
    }
    return {NiceTicks(x), NiceTicks(y)};
}

std::string AxisTitle(const TAxis &axis)
{
    return axis.unit.empty() ? axis.label : axis.label + " (" + axis.unit + ")";
}

// --- Drawing ---------------------------------------------------------------------------------

void Marker(std::string &out, int kind, double x, double y)
{
    const double r = MarkerRadius;
    switch (kind) {
    case 0:
        out += "<circle cx=\"" + C(x) + "\" cy=\"" + C(y) + "\" r=\"" + C(r) + "\"/>";
        break;
    case 1:
        out += "<rect x=\"" + C(x - r * 0.9) + "\" y=\"" + C(y - r * 0.9) + "\" width=\""
               + C(r * 1.8) + "\" height=\"" + C(r * 1.8) + "\"/>";
        break;
    case 2:
        out += "<polygon points=\"" + C(x) + "," + C(y - r * 1.2) + " " + C(x + r * 1.1) + ","
               + C(y + r * 0.8) + " " + C(x - r * 1.1) + "," + C(y + r * 0.8) + "\"/>";
        break;
    default:
        out += "<polygon points=\"" + C(x) + "," + C(y - r * 1.2) + " " + C(x + r * 1.2) + ","
               + C(y) + " " + C(x) + "," + C(y + r * 1.2) + " " + C(x - r * 1.2) + "," + C(y)
               + "\"/>";
    }
    out += '\n';
}

void Text(std::string &out, double x, double y, double size, const char *anchor,
          const std::string &escaped, const std::string &extra = {})
{
    out += "<text x=\"" + C(x) + "\" y=\"" + C(y) + "\" font-size=\"" + C(size)
           + "\" text-anchor=\"" + anchor + "\"" + extra + ">" + escaped + "</text>\n";
}

void DrawGrid(std::string &out, const TFrame &f)
{
    out += "<g stroke=\"#d8d8d8\" stroke-width=\"1\">\n";
    for (long long k = f.x.first; k <= f.x.last; ++k) {
        const double px = f.Px(double(k) * f.x.Step());
        out += "<line x1=\"" + C(px) + "\" y1=\"" + C(PlotTop) + "\" x2=\"" + C(px) + "\" y2=\""
               + C(PlotBottom) + "\"/>\n";
    }
    for (long long k = f.y.first; k <= f.y.last; ++k) {
        const double py = f.Py(double(k) * f.y.Step());
        out += "<line x1=\"" + C(PlotLeft) + "\" y1=\"" + C(py) + "\" x2=\"" + C(PlotRight)
               + "\" y2=\"" + C(py) + "\"/>\n";
    }
    out += "</g>\n";
    // Zero on the y axis, where the errors of a check are measured from.
    if (f.y.first < 0 && f.y.last > 0) {
        const double py = f.Py(0);
        out += "<line x1=\"" + C(PlotLeft) + "\" y1=\"" + C(py) + "\" x2=\"" + C(PlotRight)
               + "\" y2=\"" + C(py) + "\" stroke=\"#606060\" stroke-width=\"1.2\"/>\n";
    }
    out += "<rect x=\"" + C(PlotLeft) + "\" y=\"" + C(PlotTop) + "\" width=\""
           + C(PlotRight - PlotLeft) + "\" height=\"" + C(PlotBottom - PlotTop)
           + "\" fill=\"none\" stroke=\"#404040\" stroke-width=\"1\"/>\n";

    out += "<g fill=\"#303030\">\n";
    for (long long k = f.x.first; k <= f.x.last; ++k)
        Text(out, f.Px(double(k) * f.x.Step()), PlotBottom + 16, TickSize, "middle",
             TickText(f.x, k));
    for (long long k = f.y.first; k <= f.y.last; ++k)
        Text(out, PlotLeft - 6, f.Py(double(k) * f.y.Step()) + TickSize * 0.35, TickSize, "end",
             TickText(f.y, k));
    out += "</g>\n";
}

void DrawBand(std::string &out, const TFrame &f, const TBand &band, const char *colour)
{
    std::vector<TBandSample> samples;
    for (const TBandSample &s : band.samples) {
        if (Plottable(s.x) && Plottable(s.lo) && Plottable(s.hi))
            samples.push_back(s);
    }
    if (samples.empty())
        return;
    const std::string paint = std::string("fill=\"") + colour + "\" fill-opacity=\"0.18\" stroke=\""
                              + colour + "\" stroke-opacity=\"0.7\" stroke-width=\"1\"";
    if (band.samples.size() == 1) {
        const double top = f.Py(std::max(samples[0].lo, samples[0].hi));
        const double bottom = f.Py(std::min(samples[0].lo, samples[0].hi));
        out += "<rect x=\"" + C(PlotLeft) + "\" y=\"" + C(top) + "\" width=\""
               + C(PlotRight - PlotLeft) + "\" height=\"" + C(bottom - top) + "\" " + paint
               + "/>\n";
        return;
    }
    out += "<polygon points=\"";
    for (const TBandSample &s : samples)
        out += C(f.Px(s.x)) + "," + C(f.Py(s.hi)) + " ";
    for (auto s = samples.rbegin(); s != samples.rend(); ++s)
        out += C(f.Px(s->x)) + "," + C(f.Py(s->lo)) + (s + 1 == samples.rend() ? "" : " ");
    out += "\" " + paint + "/>\n";
}

void DrawSeries(std::string &out, const TFrame &f, const TSeries &series, std::size_t index)
{
    const char *colour = SeriesColours[index % SeriesColours.size()];
    const int marker = int(index % MarkerKinds);
    std::vector<TPoint> points;
    for (const TPoint &p : series.points) {
        if (Plottable(p.x) && Plottable(p.y))
            points.push_back({f.Px(p.x), f.Py(p.y)});
    }
    if (series.joined && points.size() > 1) {
        out += "<polyline fill=\"none\" stroke=\"" + std::string(colour)
               + "\" stroke-width=\"1.5\" stroke-linejoin=\"round\" points=\"";
        for (std::size_t i = 0; i < points.size(); ++i)
            out += (i ? " " : "") + C(points[i].x) + "," + C(points[i].y);
        out += "\"/>\n";
    }
    out += "<g fill=\"" + std::string(colour) + "\" stroke=\"#ffffff\" stroke-width=\"0.8\">\n";
    for (const TPoint &p : points)
        Marker(out, marker, p.x, p.y);
    out += "</g>\n";
}

void DrawLegend(std::string &out, const TPlot &plot)
{
    const std::size_t entries = plot.series.size() + plot.bands.size();
    const double room = Width - LegendText - 6;
    const double lineStep = LegendSize * 1.25;
    double y = LegendTop;
    for (std::size_t i = 0; i < entries; ++i) {
        const bool isSeries = i < plot.series.size();
        const std::vector<std::string> lines
            = Wrapped(isSeries ? plot.series[i].name : plot.bands[i - plot.series.size()].name,
                      room, LegendSize, LegendLines);
        // What does not fit below is counted instead.
        if (y + double(lines.size()) * lineStep > Height - lineStep && i + 1 < entries) {
            Text(out, LegendText, y + LegendSize * 0.35, LegendSize, "start",
                 std::to_string(entries - i) + " more\u2026", " fill=\"#303030\"");
            return;
        }
        if (isSeries) {
            const char *colour = SeriesColours[i % SeriesColours.size()];
            if (plot.series[i].joined)
                out += "<line x1=\"" + C(LegendLeft) + "\" y1=\"" + C(y) + "\" x2=\""
                       + C(LegendLeft + 24) + "\" y2=\"" + C(y) + "\" stroke=\"" + colour
                       + "\" stroke-width=\"1.5\"/>\n";
            out += "<g fill=\"" + std::string(colour)
                   + "\" stroke=\"#ffffff\" stroke-width=\"0.8\">";
            Marker(out, int(i % MarkerKinds), LegendLeft + 12, y);
            out += "</g>\n";
        } else {
            const char *colour = BandColours[(i - plot.series.size()) % BandColours.size()];
            out += "<rect x=\"" + C(LegendLeft) + "\" y=\"" + C(y - 6) + "\" width=\"24\""
                   + " height=\"12\" fill=\"" + colour + "\" fill-opacity=\"0.18\" stroke=\""
                   + colour + "\" stroke-opacity=\"0.7\" stroke-width=\"1\"/>\n";
        }
        for (const std::string &line : lines) {
            Text(out, LegendText, y + LegendSize * 0.35, LegendSize, "start", line,
                 " fill=\"#202020\"");
            y += lineStep;
        }
        y += LegendStep - lineStep;
    }
}

} // namespace

std::string XmlEscape(const std::string &text)
{
    return Encode(Decode(text));
}

std::string RenderSvg(const TPlot &plot)
{
    const TFrame frame = FrameOf(plot);
    std::string out;
    out.reserve(8192);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(Width)
           + "\" height=\"" + std::to_string(Height) + "\" viewBox=\"0 0 " + std::to_string(Width)
           + " " + std::to_string(Height) + "\" font-family=\"sans-serif\">\n";
    out += "<title>" + XmlEscape(plot.title) + "</title>\n";
    out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";

    for (std::size_t i = 0; i < plot.bands.size(); ++i)
        DrawBand(out, frame, plot.bands[i], BandColours[i % BandColours.size()]);
    DrawGrid(out, frame);
    for (std::size_t i = 0; i < plot.series.size(); ++i)
        DrawSeries(out, frame, plot.series[i], i);

    Text(out, Width / 2.0, 30, TitleSize, "middle", Fitted(plot.title, Width - 40, TitleSize),
         " font-weight=\"bold\" fill=\"#202020\"");
    Text(out, (PlotLeft + PlotRight) / 2, PlotBottom + 44, LabelSize, "middle",
         Fitted(AxisTitle(plot.x), PlotRight - PlotLeft, LabelSize), " fill=\"#202020\"");
    const double middle = (PlotTop + PlotBottom) / 2;
    Text(out, 24, middle, LabelSize, "middle",
         Fitted(AxisTitle(plot.y), PlotBottom - PlotTop, LabelSize),
         " fill=\"#202020\" transform=\"rotate(-90 24 " + C(middle) + ")\"");
    DrawLegend(out, plot);
    out += "</svg>\n";
    return out;
}

} // namespace svgplot
