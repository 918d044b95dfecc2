#pragma once

#include <cairo.h>

#include "render/GlyphStamps.h"
#include "render/Layout.h"

namespace varnholt::render {

// Draws the symbol onto any Cairo surface, one user unit a millimetre: the background
// (unless transparent), the bars without anti-aliasing so that their edges stay on the dot
// grid, and the digits' outlines.
void Draw(cairo_t* cr, const Layout& layout);

// The bars and digits alone, in the current source and without a background: the ink as a
// mask, for a caller that colours it itself.
void DrawInk(cairo_t* cr, const Layout& layout);

// As Draw, but each character painted from `stamps` rather than drawn again: for a document
// of many symbols, which then holds each outline once.
void DrawStamped(cairo_t* cr, const Layout& layout, GlyphStamps& stamps);

// Adds `path` to the current path, in user units.
void AppendPath(cairo_t* cr, const Path& path);

}  // namespace varnholt::render
