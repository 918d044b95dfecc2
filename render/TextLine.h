#pragma once

#include <string_view>

#include "render/Layout.h"

namespace varnholt::render {

// Brackets and some letters reach below the digits' feet, by up to this much of the digits'
// height: the room a line of text needs under it.
inline constexpr double kTextDescent = 0.25;

// The width of `text` in the symbols' font with digits `height` high, in millimetres.
double TextWidth(std::string_view text, double height);

// Places `text` into `layout` as characters, centred on `centreX`, the digits' top at `top`.
// Spaces take their room but need no character.
void PlaceLine(Layout& layout, std::string_view text, double centreX, double top, double height);

}  // namespace varnholt::render
