#include "model/gs1/AiLookup.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "model/gs1/AiTable.h"
#include "model/gs1/Linters.h"

namespace varnholt::gs1 {
namespace {

constexpr bool AllDigits(std::string_view text) noexcept {
    return std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// A range is one AI or AIs that differ in their last digit, all of the same length.
constexpr bool WellFormed(const AiEntry& entry) noexcept {
    const std::size_t length = entry.first.size();
    return length >= 2 && length <= 4 && entry.last.size() == length && AllDigits(entry.first) &&
           AllDigits(entry.last) && entry.first <= entry.last &&
           entry.first.substr(0, length - 1) == entry.last.substr(0, length - 1);
}

// The table keeps its ranges in order and apart; the index of starts and reading an AI from
// the start of scanner data need that no AI begins another.
constexpr bool OrderedApartAndPrefixFree() noexcept {
    for (std::size_t i = 1; i < kAiTable.size(); ++i) {
        const AiEntry& before = kAiTable[i - 1];
        const AiEntry& after = kAiTable[i];
        if (!(before.last < after.first)) {
            return false;
        }
        const std::string_view start = after.first.substr(0, before.first.size());
        if (start >= before.first && start <= before.last) {
            return false;
        }
    }
    return true;
}

// Only the last component may vary in length, and nothing mandatory follows an optional one.
constexpr bool ComponentsInShape(const AiEntry& entry) noexcept {
    bool optionalSeen = false;
    for (std::size_t i = 0; i < entry.componentCount; ++i) {
        const Component& component = entry.components[i];
        const bool last = i + 1 == entry.componentCount;
        if (component.minimum == 0 || component.minimum > component.maximum ||
            (!last && component.minimum != component.maximum) ||
            (optionalSeen && !component.optional)) {
            return false;
        }
        optionalSeen = optionalSeen || component.optional;
    }
    return entry.componentCount > 0 && !entry.components[0].optional;
}

// A separator is left out only after data whose length is fixed.
constexpr bool PredefinedLengthsFixed(const AiEntry& entry) noexcept {
    if (!entry.predefinedLength) {
        return true;
    }
    for (std::size_t i = 0; i < entry.componentCount; ++i) {
        const Component& component = entry.components[i];
        if (component.optional || component.minimum != component.maximum) {
            return false;
        }
    }
    return true;
}

// Checks that read digits are given digits: the component's characters are checked first.
constexpr bool DigitChecksOnDigits(const AiEntry& entry) noexcept {
    for (std::size_t i = 0; i < entry.componentCount; ++i) {
        for (const Linter linter : entry.components[i].linters) {
            if (ReadsDigits(linter) && entry.components[i].characters != CharacterSet::Numeric) {
                return false;
            }
        }
    }
    return true;
}

// Whether some AI of the table matches `pattern`, 'n' standing for any digit.
constexpr bool Names(std::string_view pattern) noexcept {
    for (std::size_t i = 0; i < kAiTable.size(); ++i) {
        const std::string_view first = kAiTable[i].first;
        const char lastDigit = kAiTable[i].last.back();
        const std::size_t head = first.size() - 1;
        if (pattern.size() == first.size() &&
            MatchesPattern(first.substr(0, head), pattern.substr(0, head)) &&
            (pattern.back() == 'n' ||
             (pattern.back() >= first.back() && pattern.back() <= lastDigit))) {
            return true;
        }
    }
    return false;
}

// Whether every AI or pattern between the separators of `list` is one the table names.
constexpr bool NamesAll(std::string_view list) noexcept {
    while (!list.empty()) {
        const std::size_t end = list.find_first_of(",+|");
        if (!Names(list.substr(0, end))) {
            return false;
        }
        list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
    }
    return true;
}

// The associations and qualifiers name AIs the table has.
constexpr bool AssociationsKnown(const AiEntry& entry) noexcept {
    return NamesAll(entry.required[0]) && NamesAll(entry.required[1]) && NamesAll(entry.excluded) &&
           NamesAll(entry.qualifiers) && (entry.primaryKey || entry.qualifiers.empty());
}

constexpr bool EveryEntry(bool (*holds)(const AiEntry&)) noexcept {
    return std::ranges::all_of(kAiTable, holds);
}

static_assert(EveryEntry(WellFormed), "every AI has two to four digits, a range its last digit");
static_assert(OrderedApartAndPrefixFree(),
              "AIs in order, ranges apart, no AI the start of another");
static_assert(EveryEntry(ComponentsInShape), "fixed components first, optional ones last");
static_assert(EveryEntry(PredefinedLengthsFixed), "predefined lengths are fixed");
static_assert(
    [] {
        for (std::size_t i = 0; i < kAiTable.size(); ++i) {
            if (!AssociationsKnown(kAiTable[i])) {
                return false;
            }
        }
        return true;
    }(),
    "associations and qualifiers name AIs of the table");
static_assert(EveryEntry(DigitChecksOnDigits),
              "checks that read digits only on numeric components");

// The number of the four digits an AI of two to four digits starts, the missing ones taken as
// 0: "01" starts 0100 to 0199, each of which it alone can start.
constexpr std::size_t FourDigitStart(std::string_view ai) noexcept {
    std::size_t number = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        number = number * 10 + (i < ai.size() ? static_cast<std::size_t>(ai[i] - '0') : 0);
    }
    return number;
}

static_assert(kAiTable.size() < 255, "an entry's place and 1 fit in a byte");

// Every four-digit start's entry, its place in the table and 1; 0 for a start no AI makes. The
// AIs being free of each other's starts, each start has at most one: lookup is a load, not a
// search among strings.
constexpr std::array<std::uint8_t, 10000> kEntryOfStart = [] {
    std::array<std::uint8_t, 10000> places{};
    for (std::size_t i = 0; i < kAiTable.size(); ++i) {
        const AiEntry& entry = kAiTable[i];
        const std::size_t starts = entry.first.size() == 2 ? 100 : entry.first.size() == 3 ? 10 : 1;
        for (std::size_t start = FourDigitStart(entry.first);
             start < FourDigitStart(entry.last) + starts; ++start) {
            places[start] = static_cast<std::uint8_t>(i + 1);
        }
    }
    return places;
}();

}  // namespace

const AiEntry* FindAi(std::string_view ai) noexcept {
    if (ai.size() < 2 || ai.size() > 4 || !AllDigits(ai)) {
        return nullptr;
    }
    const std::uint8_t found = kEntryOfStart[FourDigitStart(ai)];
    if (found == 0 || kAiTable[found - 1].first.size() != ai.size()) {
        return nullptr;
    }
    return &kAiTable[found - 1];
}

const AiEntry* FindAiAtStart(std::string_view text, std::size_t& length) noexcept {
    // The digits the text starts with, up to four, are the start of at most one AI: one load
    // rather than a lookup for each length.
    std::size_t digits = 0;
    while (digits < 4 && digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    const std::uint8_t found = kEntryOfStart[FourDigitStart(text.substr(0, digits))];
    if (found == 0 || kAiTable[found - 1].first.size() > digits) {
        return nullptr;
    }
    length = kAiTable[found - 1].first.size();
    return &kAiTable[found - 1];
}

}  // namespace varnholt::gs1
