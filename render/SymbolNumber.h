#pragma once

#include <string>
#include <string_view>

#include "render/Result.h"

namespace varnholt::render {

// The digits of the symbol to draw for `text`, read as every command reads a number (blanks
// and hyphens are separators): 13 digits are an EAN-13 and 8 an EAN-8, whose check digit must
// be right; 12 or 7 are a number without its check digit, which is computed and appended.
// Refused, of kind Input, for another length, a character that is not a digit or a wrong
// check digit, with words that say which and where but do not repeat the text, e.g.
// "check digit 2 is wrong, 540010110997 needs 1" or "\"O\" at column 6 is not a digit".
Result<std::string> SymbolNumber(std::string_view text);

}  // namespace varnholt::render
