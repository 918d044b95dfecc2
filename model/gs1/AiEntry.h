#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/gs1/Linter.h"

namespace varnholt::gs1 {

// The characters a component may hold.
enum class CharacterSet : std::uint8_t {
    Numeric,    // N: the digits 0 to 9
    Cset82,     // X: GS1's 82 characters of ISO/IEC 646
    Cset39,     // Y: digits, capital letters, # - and /
    Base64Url,  // Z: digits, letters, - and _
};

// One part of an AI's data: it takes the next `minimum` to `maximum` characters.
struct Component {
    CharacterSet characters = CharacterSet::Numeric;
    std::uint8_t minimum = 0;
    std::uint8_t maximum = 0;
    // Whether the data may end before this component.
    bool optional = false;
    // The checks of the component's content, unused places None.
    std::array<Linter, 3> linters{};
};

// An Application Identifier, or a range of them that differ in the last digit only.
struct AiEntry {
    // The first and last AI of the range, of the same length; equal for a single AI.
    std::string_view first;
    std::string_view last;
    // Whether the data's length is fixed by GS1 once and for all, so no separator follows it.
    bool predefinedLength = false;
    // Whether a Digital Link URI may carry the AI as a data attribute in its query.
    bool dataAttribute = false;
    // The parts of the data in their order; the first `componentCount` are used.
    std::array<Component, 5> components{};
    std::uint8_t componentCount = 0;
    // Rules of AIs that must come along: each is a list of alternatives separated by commas,
    // each alternative AIs or patterns joined by '+', a pattern's 'n' standing for any digit
    // ("01+21,02,35nn"). Every non-empty rule must hold.
    std::array<std::string_view, 2> required{};
    // AIs and patterns that must not come along, separated by commas ("01,394n").
    std::string_view excluded;
    // Whether the AI is a Digital Link primary key.
    bool primaryKey = false;
    // The key qualifiers a primary key takes, in their one order; alternative sequences
    // separated by '|' ("22,10,21|235").
    std::string_view qualifiers;
    // GS1's short title of the data, as on a label.
    std::string_view title;
};

}  // namespace varnholt::gs1
