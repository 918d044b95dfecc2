#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace varnholt {

// A field cut from an EAN number: the integer 0 when not set, the integer -1 for the
// manufacturer code of an EAN-8 number (which has none), otherwise the characters cut from
// the number, leading zeros included.
using CodePart = std::variant<std::int16_t, std::string>;

// The text of a CodePart as a message shows it: an integer in decimal ("0", "-1"),
// a text as it stands.
std::string ToText(const CodePart& part);

}  // namespace varnholt
