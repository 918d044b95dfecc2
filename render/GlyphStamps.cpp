#include "render/GlyphStamps.h"

#include "render/Drawing.h"
#include "render/Glyphs.h"

namespace varnholt::render {

GlyphStamps::~GlyphStamps() {
    for (const Stamp& stamp : stamps_) {
        cairo_surface_destroy(stamp.surface);
    }
}

cairo_surface_t* GlyphStamps::Of(char character, double heightMm, Rgb color) {
    for (const Stamp& stamp : stamps_) {
        if (stamp.character == character && stamp.heightMm == heightMm && stamp.color == color) {
            return stamp.surface;
        }
    }
    const Glyphs::Glyph& glyph = SymbolGlyphs().Of(character);
    // Bounded with room around the cell: outlines may reach a little past it.
    const cairo_rectangle_t room{-heightMm, -heightMm, (glyph.advance + 2.0) * heightMm,
                                 3.0 * heightMm};
    cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &room);
    cairo_t* cr = cairo_create(surface);
    Path outline;
    AppendPlaced(outline, glyph.outline, heightMm, 0.0, 0.0);
    AppendPath(cr, outline);
    cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    cairo_destroy(cr);
    stamps_.push_back({character, heightMm, color, surface});
    return surface;
}

}  // namespace varnholt::render
