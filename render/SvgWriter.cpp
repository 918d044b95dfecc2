// SVG is plain text: written here from the layout, sized in millimetres and titled with
// the number, which Cairo's SVG surface does not do.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include "model/SymbologyNames.h"
#include "render/FileFormat.h"
#include "render/Glyphs.h"

namespace varnholt::render {
namespace {

// A coordinate in millimetres to a ten-thousandth, without trailing zeros. Counted in
// whole ten-thousandths, as a symbol's thousand coordinates are written faster as integers
// than as decimals; a value too large for that (none that a layout makes) is written
// through the decimal conversion.
void AppendNumber(std::string& out, double value) {
    char text[40];
    const double scaled = std::round(value * 1e4);
    if (!(std::abs(scaled) < 1e15)) {
        std::string_view shown(
            text,
            static_cast<std::size_t>(
                std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4).ptr -
                text));
        if (shown.find('.') != std::string_view::npos) {
            shown.remove_suffix(shown.size() - shown.find_last_not_of('0') - 1);
            if (shown.back() == '.') {
                shown.remove_suffix(1);
            }
        }
        out += shown;
        return;
    }
    char* end = text;
    auto units = static_cast<long long>(scaled);
    if (units < 0) {
        *end++ = '-';
        units = -units;
    }
    end = std::to_chars(end, text + sizeof text, units / 10000).ptr;
    if (const long long fraction = units % 10000; fraction != 0) {
        char digits[4] = {
            static_cast<char>('0' + fraction / 1000), static_cast<char>('0' + fraction / 100 % 10),
            static_cast<char>('0' + fraction / 10 % 10), static_cast<char>('0' + fraction % 10)};
        int shown = 4;
        while (digits[shown - 1] == '0') {
            --shown;
        }
        *end++ = '.';
        end = std::copy(digits, digits + shown, end);
    }
    out.append(text, end);  // a negative value rounds to a nonzero count, so never "-0"
}

void AppendPoints(std::string& out, const PathSegment& segment, int count) {
    for (int i = 0; i < 2 * count; ++i) {
        if (i > 0) {
            out += ' ';
        }
        AppendNumber(out, segment.points[static_cast<std::size_t>(i)]);
    }
}

void AppendPathData(std::string& d, const Path& path) {
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
}

void AppendBarData(std::string& d, const std::vector<Box>& bars) {
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
}

// The outline of `c` at a digit height, placed at the origin, as path data. The same in every
// symbol of a batch, so it is written out once and kept; past a few sizes (a program drawing
// many sizes) it is written into `scratch` instead.
std::string_view OutlineData(char c, double height, std::string& scratch) {
    constexpr std::size_t kMostKept = 256;
    static std::mutex mutex;
    static std::map<std::pair<char, double>, std::string> kept;
    const auto write = [&](std::string& d) {
        Path placed;
        AppendPlaced(placed, SymbolGlyphs().Of(c).outline, height, 0.0, 0.0);
        AppendPathData(d, placed);
    };
    const std::lock_guard lock(mutex);
    if (const auto found = kept.find({c, height}); found != kept.end()) {
        return found->second;  // a node's text never changes once made
    }
    if (kept.size() >= kMostKept) {
        write(scratch);
        return scratch;
    }
    std::string& d = kept[{c, height}];
    write(d);
    return d;
}

// The characters' outlines each defined once, as the digits repeat, and used where each
// stands.
void AppendCharacters(std::string& svg, const std::vector<PlacedCharacter>& characters,
                      std::string_view ink) {
    std::vector<std::pair<char, double>> defined;
    std::string scratch;
    svg += "<defs>\n";
    for (const PlacedCharacter& placed : characters) {
        const std::pair<char, double> shape{placed.character, placed.height};
        if (std::ranges::find(defined, shape) != defined.end()) {
            continue;
        }
        svg += "<path id=\"c";
        svg += std::to_string(defined.size());
        svg += "\" d=\"";
        scratch.clear();
        svg += OutlineData(placed.character, placed.height, scratch);
        svg += "\"/>\n";
        defined.push_back(shape);
    }
    svg += "</defs>\n<g fill=\"";
    svg += ink;
    svg += "\">\n";
    for (const PlacedCharacter& placed : characters) {
        const auto id = std::ranges::find(defined, std::pair{placed.character, placed.height});
        svg += "<use xlink:href=\"#c";
        svg += std::to_string(id - defined.begin());
        svg += "\" x=\"";
        AppendNumber(svg, placed.left);
        svg += "\" y=\"";
        AppendNumber(svg, placed.top);
        svg += "\"/>\n";
    }
    svg += "</g>\n";
}

// Text within an element, its markup characters escaped.
void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
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
            default:
                out += c;
        }
    }
}

// A carrier of GS1 data, alone or beside an EAN/UPC symbol: titled with its data, which may
// hold markup characters.
std::string EncodeCarrierSvg(const Layout& layout) {
    std::string width;
    std::string height;
    AppendNumber(width, layout.widthMm);
    AppendNumber(height, layout.heightMm);
    const std::string ink = layout.foreground.Hex();
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
        width + "mm\" height=\"" + height + "mm\" viewBox=\"0 0 " + width + ' ' + height +
        "\" role=\"img\">\n<title>";
    // "4006381333931 (01)04006381333931(10)AB", and "EAN-13 bar code of 4006381333931 beside
    // a DataMatrix bar code of (01)04006381333931(10)AB".
    const std::string linear = layout.pair ? layout.number + ' ' : std::string();
    svg += linear;
    AppendEscaped(svg, layout.data);
    svg += "</title>\n<desc>";
    if (layout.pair) {
        svg += TitleOf(layout.symbology);
        svg += " bar code of " + linear + "beside a ";
    }
    svg += TitleOf(*layout.carrier);
    svg += " bar code of ";
    AppendEscaped(svg, layout.data);
    svg += "</desc>\n";
    if (!layout.transparentBackground) {
        svg += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"" +
               layout.background.Hex() + "\"/>\n";
    }
    svg += "<path fill=\"" + ink + "\" shape-rendering=\"crispEdges\" d=\"";
    AppendBarData(svg, layout.bars);
    svg += "\"/>\n";
    if (!layout.characters.empty()) {
        AppendCharacters(svg, layout.characters, ink);
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace

Result<std::string> EncodeSvg(const Layout& layout) {
    if (layout.carrier) {
        return EncodeCarrierSvg(layout);
    }
    std::string width;
    std::string height;
    AppendNumber(width, layout.widthMm);
    AppendNumber(height, layout.heightMm);
    const std::string ink = layout.foreground.Hex();

    // One buffer, sized for a usual symbol's file.
    std::string svg;
    svg.reserve(8192);
    svg +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"";
    svg += width;
    svg += "mm\" height=\"";
    svg += height;
    svg += "mm\" viewBox=\"0 0 ";
    svg += width;
    svg += ' ';
    svg += height;
    svg += "\" role=\"img\">\n";
    // The number is digits and a "+" only, so it needs no escaping. The description reads
    // "UPC-A bar code of 036000291452 with the EAN-5 add-on 51234".
    const std::size_t plus = layout.number.find('+');
    svg += "<title>";
    svg += layout.number;
    svg += "</title>\n<desc>";
    svg += TitleOf(layout.symbology);
    svg += " bar code of ";
    svg += std::string_view(layout.number).substr(0, plus);
    if (plus != std::string::npos) {
        svg += " with the ";
        svg += TitleOf(layout.addOn.symbology);
        svg += " add-on ";
        svg += std::string_view(layout.number).substr(plus + 1);
    }
    svg += "</desc>\n";
    if (!layout.transparentBackground) {
        svg += "<rect width=\"";
        svg += width;
        svg += "\" height=\"";
        svg += height;
        svg += "\" fill=\"";
        svg += layout.background.Hex();
        svg += "\"/>\n";
    }
    svg += "<path fill=\"";
    svg += ink;
    svg += "\" shape-rendering=\"crispEdges\" d=\"";
    AppendBarData(svg, layout.bars);
    svg += "\"/>\n";
    AppendCharacters(svg, layout.characters, ink);
    svg += "</svg>\n";
    return svg;
}

}  // namespace varnholt::render
