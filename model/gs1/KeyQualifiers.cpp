#include "model/gs1/KeyQualifiers.h"

#include <string_view>

#include "model/gs1/AiTable.h"

namespace varnholt::gs1 {
namespace {

// The place in the table of the entry whose AI alone is `ai`; the table's size when none is,
// or when `ai` is one of a range. A place rather than a pointer: a sanitizing build cannot
// compare a pointer with null while compiling.
constexpr std::size_t SingleEntryOf(std::string_view ai) noexcept {
    std::size_t i = 0;
    while (i < kAiTable.size() && (kAiTable[i].first != ai || kAiTable[i].last != ai)) {
        ++i;
    }
    return i;
}

// Reads "22,10,21|235" into its sequences; `valid` is cleared when it does not fit or names
// an AI that has no entry of its own.
constexpr KeyQualifiers Parsed(std::string_view qualifiers, bool& valid) noexcept {
    KeyQualifiers parsed;
    while (true) {
        const std::size_t bar = qualifiers.find('|');
        std::string_view sequence = qualifiers.substr(0, bar);
        if (parsed.count == KeyQualifiers::kMostSequences) {
            valid = false;
            return parsed;
        }
        KeyQualifiers::Sequence& into = parsed.sequences[parsed.count++];
        while (!sequence.empty()) {
            const std::size_t comma = sequence.find(',');
            const std::size_t entry = SingleEntryOf(sequence.substr(0, comma));
            if (entry == kAiTable.size() || into.count == KeyQualifiers::kMostInSequence) {
                valid = false;
                return parsed;
            }
            into.entries[into.count++] = &kAiTable[entry];
            sequence.remove_prefix(comma == std::string_view::npos ? sequence.size() : comma + 1);
        }
        if (bar == std::string_view::npos) {
            return parsed;
        }
        qualifiers.remove_prefix(bar + 1);
    }
}

struct QualifierTable {
    std::array<KeyQualifiers, kAiTable.size()> keys{};
    bool valid = true;
};

constexpr QualifierTable kQualifiers = [] {
    QualifierTable table;
    for (std::size_t i = 0; i < kAiTable.size(); ++i) {
        table.keys[i] = Parsed(kAiTable[i].qualifiers, table.valid);
    }
    return table;
}();

static_assert(kQualifiers.valid,
              "key qualifiers fit KeyQualifiers, each an AI with an entry of its own");

}  // namespace

const KeyQualifiers& QualifiersOf(const AiEntry& entry) noexcept {
    return kQualifiers.keys[static_cast<std::size_t>(&entry - kAiTable.data())];
}

}  // namespace varnholt::gs1
