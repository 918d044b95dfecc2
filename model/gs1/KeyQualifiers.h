#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/gs1/AiEntry.h"

namespace varnholt::gs1 {

// A primary key's sequences of key qualifiers as entries of the AI table: AiEntry::qualifiers
// read once while compiling, so that a Digital Link compares entries, not AIs in a string.
// Every qualifier is an AI of its own entry, so its entry stands for it alone.
struct KeyQualifiers {
    static constexpr std::size_t kMostSequences = 2;
    static constexpr std::size_t kMostInSequence = 3;

    struct Sequence {
        std::array<const AiEntry*, kMostInSequence> entries{};
        std::size_t count = 0;

        // The place of `entry` in the sequence, counted from 1; 0 when it is not there.
        std::size_t PlaceOf(const AiEntry* entry) const noexcept {
            for (std::size_t i = 0; i < count; ++i) {
                if (entries[i] == entry) {
                    return i + 1;
                }
            }
            return 0;
        }
    };

    // The alternative sequences in the table's order; a key without qualifiers, and every
    // entry that is no key, has one empty sequence.
    std::array<Sequence, kMostSequences> sequences{};
    std::size_t count = 0;
};

// The key qualifiers of `entry`, an entry of kAiTable.
const KeyQualifiers& QualifiersOf(const AiEntry& entry) noexcept;

}  // namespace varnholt::gs1
