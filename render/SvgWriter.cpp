// SVG is plain text: written here from the layout, sized in millimetres and titled with
// the number, which Cairo's SVG surface does not do.

#include <algorithm>
#include <charconv>
#include <cmath>

#include "render/FileFormat.h"
#include "render/SymbologyNames.h"

namespace varnholt::render {
namespace {

// A coordinate in millimetres to a ten-thousandth, without trailing zeros. Counted in
// whole ten-thousandths, as a symbol's thousand coordinates are written faster as integers
// than as decimals; a value too large for that (none that a layout makes) is written
// through the decimal conversion.
void AppendNumber(std::string& out, double value) {
    char text[40];
    char* end = text;
    const double scaled = std::round(value * 1e4);
    if (!(std::abs(scaled) < 1e15)) {
        end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4).ptr;
    } else {
        auto units = static_cast<long long>(scaled);
        if (units < 0) {
            *end++ = '-';
            units = -units;
        }
        end = std::to_chars(end, text + sizeof text, units / 10000).ptr;
        if (const long long fraction = units % 10000; fraction != 0) {
            char digits[4] = {static_cast<char>('0' + fraction / 1000),
                              static_cast<char>('0' + fraction / 100 % 10),
                              static_cast<char>('0' + fraction / 10 % 10),
                              static_cast<char>('0' + fraction % 10)};
            int shown = 4;
            while (digits[shown - 1] == '0') {
                --shown;
            }
            *end++ = '.';
            end = std::copy(digits, digits + shown, end);
        }
    }
    std::string_view shown(text, static_cast<std::size_t>(end - text));
    if (shown.find('.') != std::string_view::npos) {
        shown.remove_suffix(shown.size() - shown.find_last_not_of('0') - 1);
        if (shown.back() == '.') {
            shown.remove_suffix(1);
        }
    }
    if (shown == "-0") {
        shown = "0";
    }
    out += shown;
}

void AppendPoints(std::string& out, const PathSegment& segment, int count) {
    for (int i = 0; i < 2 * count; ++i) {
        if (i > 0) {
            out += ' ';
        }
        AppendNumber(out, segment.points[static_cast<std::size_t>(i)]);
    }
}

std::string PathData(const Path& path) {
    std::string d;
    for (const PathSegment& segment : path) {
        switch (segment.kind) {
            case PathSegment::Kind::Move:
                d += 'M';
                AppendPoints(d, segment, 1);
                break;
            case PathSegment::Kind::Line:
                d += 'L';
                AppendPoints(d, segment, 1);
                break;
            case PathSegment::Kind::Curve:
                d += 'C';
                AppendPoints(d, segment, 3);
                break;
            case PathSegment::Kind::Close:
                d += 'Z';
                break;
        }
    }
    return d;
}

std::string BarData(const std::vector<Box>& bars) {
    std::string d;
    for (const Box& bar : bars) {
        d += 'M';
        AppendNumber(d, bar.x);
        d += ' ';
        AppendNumber(d, bar.y);
        d += 'h';
        AppendNumber(d, bar.width);
        d += 'v';
        AppendNumber(d, bar.height);
        d += 'h';
        AppendNumber(d, -bar.width);
        d += 'Z';
    }
    return d;
}

}  // namespace

Result<std::string> EncodeSvg(const Layout& layout) {
    std::string width;
    std::string height;
    AppendNumber(width, layout.widthMm);
    AppendNumber(height, layout.heightMm);
    // "UPC-A bar code of 036000291452 with the EAN-5 add-on 51234".
    const std::size_t plus = layout.number.find('+');
    std::string description =
        std::string(TitleOf(layout.symbology)) + " bar code of " + layout.number.substr(0, plus);
    if (plus != std::string::npos) {
        description += " with the " + std::string(TitleOf(layout.addOn.symbology)) + " add-on " +
                       layout.number.substr(plus + 1);
    }
    const std::string ink = layout.foreground.Hex();

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + width +
           "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + " " + height +
           "\" role=\"img\">\n";
    // The number is digits and a "+" only, so it needs no escaping.
    svg += "<title>" + layout.number + "</title>\n";
    svg += "<desc>" + description + "</desc>\n";
    if (!layout.transparentBackground) {
        svg += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" +
               layout.background.Hex() + "\"/>\n";
    }
    svg += "<path fill=\"" + ink + "\" shape-rendering=\"crispEdges\" d=\"" + BarData(layout.bars) +
           "\"/>\n";
    svg += "<path fill=\"" + ink + "\" d=\"" + PathData(layout.text) + "\"/>\n";
    svg += "</svg>\n";
    return svg;
}

}  // namespace varnholt::render
