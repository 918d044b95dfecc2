#include "render/Drawing.h"

namespace varnholt::render {
namespace {

void SetColor(cairo_t* cr, Rgb color) {
    cairo_set_source_rgb(cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0);
}

void Background(cairo_t* cr, const Layout& layout) {
    if (!layout.transparentBackground) {
        SetColor(cr, layout.background);
        cairo_rectangle(cr, 0.0, 0.0, layout.widthMm, layout.heightMm);
        cairo_fill(cr);
    }
}

void Bars(cairo_t* cr, const Layout& layout) {
    const cairo_antialias_t digits = cairo_get_antialias(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    for (const Box& bar : layout.bars) {
        cairo_rectangle(cr, bar.x, bar.y, bar.width, bar.height);
    }
    cairo_fill(cr);
    cairo_set_antialias(cr, digits);  // the digits as the caller asks
}

}  // namespace

void AppendPath(cairo_t* cr, const Path& path) {
    for (const PathSegment& segment : path) {
        const auto& p = segment.points;
        switch (segment.kind) {
            case PathSegment::Kind::Move:
                cairo_move_to(cr, p[0], p[1]);
                break;
            case PathSegment::Kind::Line:
                cairo_line_to(cr, p[0], p[1]);
                break;
            case PathSegment::Kind::Curve:
                cairo_curve_to(cr, p[0], p[1], p[2], p[3], p[4], p[5]);
                break;
            case PathSegment::Kind::Close:
                cairo_close_path(cr);
                break;
        }
    }
}

void DrawInk(cairo_t* cr, const Layout& layout) {
    cairo_save(cr);
    Bars(cr, layout);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    AppendPath(cr, layout.Text());
    cairo_fill(cr);
    cairo_restore(cr);
}

void Draw(cairo_t* cr, const Layout& layout) {
    cairo_save(cr);
    Background(cr, layout);
    SetColor(cr, layout.foreground);
    DrawInk(cr, layout);
    cairo_restore(cr);
}

void DrawStamped(cairo_t* cr, const Layout& layout, GlyphStamps& stamps) {
    cairo_save(cr);
    Background(cr, layout);
    SetColor(cr, layout.foreground);
    Bars(cr, layout);
    for (const PlacedCharacter& placed : layout.characters) {
        cairo_set_source_surface(cr, stamps.Of(placed.character, placed.height, layout.foreground),
                                 placed.left, placed.top);
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

}  // namespace varnholt::render
