#include <cstddef>
#include <string>

#include "model/gs1/AiLookup.h"
#include "model/gs1/Faults.h"
#include "model/gs1/Reading.h"

namespace varnholt::gs1 {
namespace {

// Calls `each` with every piece of `list` between the `separator`s, until one returns true.
// A plain loop: the pieces are a few characters, too short to be worth a call to memchr.
template <class Each>
bool AnyPiece(std::string_view list, char separator, Each each) {
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

bool Holds(const Reading& reading, std::string_view pattern) {
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        if (MatchesPattern(reading[i].ai, pattern)) {
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
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        const Element element = reading[i];
        for (const std::string_view rule : element.entry->required) {
            if (rule.empty()) {
                continue;
            }
            const bool met = AnyPiece(rule, ',', [&](std::string_view alternative) {
                return !AnyPiece(alternative, '+',
                                 [&](std::string_view ai) { return !Holds(reading, ai); });
            });
            if (!met) {
                return Refused<Done>(AiFault(element.ai, "needs AI " + RuleInWords(rule)));
            }
        }
        if (element.entry->excluded.empty()) {
            continue;
        }
        for (std::size_t j = 0; j < reading.Size(); ++j) {
            const std::string_view other = reading[j].ai;
            if (SameAi(other, element.ai)) {
                continue;
            }
            if (AnyPiece(element.entry->excluded, ',', [&](std::string_view pattern) {
                    return MatchesPattern(other, pattern);
                })) {
                return Refused<Done>(
                    AiFault(element.ai, "cannot go with AI (" + std::string(other) + ")"));
            }
        }
    }
    return Done{};
}

}  // namespace varnholt::gs1
