#pragma once

#include <string>
#include <string_view>

#include "render/Result.h"

namespace varnholt::render {

// The digits of the symbol to draw for `text`: 13 characters are an EAN-13 and 8 an EAN-8,
// whose check digit must be right; 12 or 7 are a number without its check digit, which is
// computed and appended. Blanks and hyphens are ignored, as EAN::Check ignores them. Any
// other length, a character that is not a digit, or a wrong check digit is refused with a
// message that says which and where, e.g.
// "5400101109972: check digit 2 is wrong, 540010110997 needs 1".
Result<std::string> SymbolNumber(std::string_view text);

}  // namespace varnholt::render
