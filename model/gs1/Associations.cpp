#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/gs1/AiLookup.h"
#include "model/gs1/AiTable.h"
#include "model/gs1/Faults.h"
#include "model/gs1/Reading.h"

namespace varnholt::gs1 {
namespace {

// Calls `each` with every piece of `list` between the `separator`s, until one returns true.
// A plain loop: the pieces are a few characters, too short to be worth a call to memchr.
template <class Each>
constexpr bool AnyPiece(std::string_view list, char separator, Each each) {
    while (true) {
        std::size_t end = 0;
        while (end < list.size() && list[end] != separator) {
            ++end;
        }
        if (each(list.substr(0, end))) {
            return true;
        }
        if (end == list.size()) {
            return false;
        }
        list.remove_prefix(end + 1);
    }
}

// The place of an entry in the table.
std::size_t IndexOf(const AiEntry& entry) noexcept {
    return static_cast<std::size_t>(&entry - kAiTable.data());
}

// A set of the table's entries, a bit each.
struct EntrySet {
    std::array<std::uint64_t, (kAiTable.size() + 63) / 64> words{};

    constexpr void Add(std::size_t index) noexcept { words[index / 64] |= 1ULL << (index % 64); }
    constexpr bool Has(std::size_t index) const noexcept {
        return (words[index / 64] >> (index % 64) & 1U) != 0;
    }
    constexpr bool Meets(const EntrySet& other) const noexcept {
        std::uint64_t common = 0;
        for (std::size_t i = 0; i < words.size(); ++i) {
            common |= words[i] & other.words[i];
        }
        return common != 0;
    }
};

// The rules of the table read once while compiling: each AI or pattern a set of the entries it
// matches, so that a rule is checked by a few ANDs with the set of entries a reading holds
// rather than by matching AIs with strings. A pattern matches no part of a range without the
// rest, so the entries stand for their AIs exactly.
constexpr std::size_t kMostPatterns = 128;
constexpr std::size_t kMostAlternatives = 10;
constexpr std::size_t kMostJoined = 3;

// AIs or patterns that must all come along, by their place among the patterns.
struct Alternative {
    std::array<std::uint8_t, kMostJoined> patterns{};
    std::size_t count = 0;
};

// A req= rule: one of its alternatives must come along.
struct Rule {
    std::array<Alternative, kMostAlternatives> alternatives{};
    std::size_t count = 0;
};

struct EntryRules {
    std::array<Rule, 2> required{};
    EntrySet excluded;
};

struct RuleTable {
    std::array<EntrySet, kMostPatterns> patterns{};
    std::array<std::string_view, kMostPatterns> patternTexts{};
    std::size_t patternCount = 0;
    std::array<EntryRules, kAiTable.size()> entries{};
    bool valid = true;

    // The entries `pattern` matches, which must be whole: every AI of a range or none.
    constexpr EntrySet Matched(std::string_view pattern) {
        EntrySet matched;
        for (std::size_t i = 0; i < kAiTable.size(); ++i) {
            const AiEntry& entry = kAiTable[i];
            const std::size_t head = entry.first.size() - 1;
            if (pattern.size() != entry.first.size() ||
                !MatchesPattern(entry.first.substr(0, head), pattern.substr(0, head))) {
                continue;
            }
            // A range's AIs differ in their last digit alone.
            const char last = pattern.back();
            if (last == 'n') {
                matched.Add(i);
            } else if (last >= entry.first.back() && last <= entry.last.back()) {
                valid = valid && entry.first == entry.last;
                matched.Add(i);
            }
        }
        return matched;
    }

    // The place of `pattern` among the patterns, added when new.
    constexpr std::uint8_t PlaceOf(std::string_view pattern) {
        for (std::size_t i = 0; i < patternCount; ++i) {
            if (patternTexts[i] == pattern) {
                return static_cast<std::uint8_t>(i);
            }
        }
        if (patternCount == kMostPatterns) {
            valid = false;
            return 0;
        }
        patternTexts[patternCount] = pattern;
        patterns[patternCount] = Matched(pattern);
        return static_cast<std::uint8_t>(patternCount++);
    }

    constexpr Rule Parsed(std::string_view rule) {
        Rule parsed;
        AnyPiece(rule, ',', [&](std::string_view alternative) {
            if (parsed.count == kMostAlternatives) {
                valid = false;
                return true;
            }
            Alternative& into = parsed.alternatives[parsed.count++];
            return AnyPiece(alternative, '+', [&](std::string_view pattern) {
                if (into.count == kMostJoined) {
                    valid = false;
                    return true;
                }
                into.patterns[into.count++] = PlaceOf(pattern);
                return false;
            });
        });
        return parsed;
    }
};

constexpr RuleTable kRules = [] {
    RuleTable table;
    for (std::size_t i = 0; i < kAiTable.size(); ++i) {
        const AiEntry& entry = kAiTable[i];
        for (std::size_t r = 0; r < entry.required.size(); ++r) {
            if (!entry.required[r].empty()) {
                table.entries[i].required[r] = table.Parsed(entry.required[r]);
            }
        }
        if (!entry.excluded.empty()) {
            AnyPiece(entry.excluded, ',', [&](std::string_view pattern) {
                const EntrySet& matched = table.patterns[table.PlaceOf(pattern)];
                for (std::size_t w = 0; w < matched.words.size(); ++w) {
                    table.entries[i].excluded.words[w] |= matched.words[w];
                }
                return false;
            });
        }
    }
    return table;
}();

static_assert(kRules.valid, "the rules fit RuleTable, each pattern matching whole entries");

bool Met(const Rule& rule, const EntrySet& held) noexcept {
    for (std::size_t a = 0; a < rule.count; ++a) {
        const Alternative& alternative = rule.alternatives[a];
        bool all = true;
        for (std::size_t p = 0; p < alternative.count && all; ++p) {
            all = held.Meets(kRules.patterns[alternative.patterns[p]]);
        }
        if (all) {
            return true;
        }
    }
    return false;
}

// "(01) with (21), (02) or (35nn)": a req= rule in words.
std::string RuleInWords(std::string_view rule) {
    std::string words;
    std::size_t alternatives = 0;
    AnyPiece(rule, ',', [&](std::string_view) { return ++alternatives, false; });
    std::size_t index = 0;
    AnyPiece(rule, ',', [&](std::string_view alternative) {
        if (index > 0) {
            words += index + 1 == alternatives ? " or " : ", ";
        }
        ++index;
        bool first = true;
        AnyPiece(alternative, '+', [&](std::string_view ai) {
            words += (first ? "(" : " with (") + std::string(ai) + ")";
            first = false;
            return false;
        });
        return false;
    });
    return words;
}

}  // namespace

Result<Done> CheckAssociations(const Reading& reading, const ReadOptions& options) {
    if (!options.associations) {
        return Done{};
    }
    EntrySet held;
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        held.Add(IndexOf(*reading[i].entry));
    }
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        const Element element = reading[i];
        const EntryRules& rules = kRules.entries[IndexOf(*element.entry)];
        for (std::size_t r = 0; r < rules.required.size(); ++r) {
            if (!element.entry->required[r].empty() && !Met(rules.required[r], held)) {
                return Refused<Done>(
                    AiFault(element.ai, "needs AI " + RuleInWords(element.entry->required[r])));
            }
        }
        // A reading holds each AI once: the AI itself is the only one at its own place.
        for (std::size_t j = 0; j < reading.Size(); ++j) {
            if (j != i && rules.excluded.Has(IndexOf(*reading[j].entry))) {
                return Refused<Done>(
                    AiFault(element.ai, "cannot go with AI (" + std::string(reading[j].ai) + ")"));
            }
        }
    }
    return Done{};
}

}  // namespace varnholt::gs1
