#pragma once

#include <cstddef>
#include <string_view>

#include "model/gs1/AiEntry.h"

namespace varnholt::gs1 {

// The table's entry for the AI `ai` (two to four digits), found by the four digits it starts;
// nullptr when GS1 has no such AI.
const AiEntry* FindAi(std::string_view ai) noexcept;

// The entry of the AI that starts `text`, and the AI's length through `length`; nullptr when no
// AI starts it. No AI is the start of another, so at most one can.
const AiEntry* FindAiAtStart(std::string_view text, std::size_t& length) noexcept;

// The length of the data of an AI whose length GS1 fixes: the sum of its components'.
constexpr std::size_t FixedLength(const AiEntry& entry) noexcept {
    std::size_t length = 0;
    for (std::size_t i = 0; i < entry.componentCount; ++i) {
        length += entry.components[i].maximum;
    }
    return length;
}

// Whether two AIs are the same. A plain loop: string_view's == calls memcmp for a few digits.
constexpr bool SameAi(std::string_view left, std::string_view right) noexcept {
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i] != right[i]) {
            return false;
        }
    }
    return true;
}

// Whether `ai` matches `pattern` of the same length, where 'n' stands for any digit.
constexpr bool MatchesPattern(std::string_view ai, std::string_view pattern) noexcept {
    if (ai.size() != pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < ai.size(); ++i) {
        if (pattern[i] != 'n' && pattern[i] != ai[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace varnholt::gs1
