#include "render/TextLine.h"

#include "render/Glyphs.h"

namespace varnholt::render {

double TextWidth(std::string_view text, double height) {
    double width = 0.0;
    for (const char c : text) {
        width += SymbolGlyphs().Of(c).advance * height;
    }
    return width;
}

void PlaceLine(Layout& layout, std::string_view text, double centreX, double top, double height) {
    double left = centreX - TextWidth(text, height) / 2.0;
    for (const char c : text) {
        if (c != ' ') {
            layout.characters.push_back({c, left, top, height});
        }
        left += SymbolGlyphs().Of(c).advance * height;
    }
}

}  // namespace varnholt::render
