#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/Ascii.h"

namespace varnholt::sheets {

// Names in the label files (brands, parts, papers, units) are ASCII, and compared without
// regard to letter case.

// Whether `a` comes before `b` in a list, in any letter case and with runs of digits by their
// value: "Avery 5160" before "Avery 15160".
bool NaturallyBefore(std::string_view a, std::string_view b);

// How many letters must be put in, taken out or changed to make `a` into `b`.
std::size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace varnholt::sheets
