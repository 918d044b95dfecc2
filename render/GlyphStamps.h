#pragma once

#include <vector>

#include "render/Color.h"

// Cairo's own declaration, so that users of the stamps need not see Cairo's headers.
typedef struct _cairo_surface cairo_surface_t;  // NOLINT(modernize-use-using)

namespace varnholt::render {

// The characters of symbols' text, each drawn once at a size and in a colour on a Cairo
// recording surface and painted wherever it recurs: a PDF then holds each outline once, as a
// form, and a sheet of thousands of labels repeats a dozen of them.
class GlyphStamps {
  public:
    GlyphStamps() = default;
    GlyphStamps(const GlyphStamps&) = delete;
    GlyphStamps& operator=(const GlyphStamps&) = delete;
    ~GlyphStamps();

    // The stamp of `character` with digits `heightMm` high in `color`, its origin at the
    // left of the character's cell and the top of the digits; made on first use, then kept
    // as long as the stamps are.
    cairo_surface_t* Of(char character, double heightMm, Rgb color);

  private:
    struct Stamp {
        char character;
        double heightMm;
        Rgb color;
        cairo_surface_t* surface;
    };
    std::vector<Stamp> stamps_;
};

}  // namespace varnholt::render
