#include "model/gs1/ValueCheck.h"

#include <array>
#include <cstddef>
#include <string>

#include "model/DisplayText.h"
#include "model/gs1/CharacterSets.h"
#include "model/gs1/Faults.h"
#include "model/gs1/Linters.h"

namespace varnholt::gs1 {
namespace {

// How a fault names the set a character is missing from, by CharacterSet's value.
constexpr std::array<std::string_view, 4> kOutsideSet{
    "is no digit",
    "is not one of GS1's 82 characters",
    "is not one of the 39 characters of CSET 39",
    "is not in the base64url alphabet",
};

// "21 characters, at most 20", made in one piece.
std::string LengthFault(std::string_view ai, std::string_view part, std::size_t minimum,
                        std::size_t maximum) {
    std::string what;
    what.reserve(48);
    what += Decimal(part.size()).View();
    what += part.size() == 1 ? " character, " : " characters, ";
    if (minimum == maximum) {
        what += "must be ";
        what += Decimal(minimum).View();
    } else if (part.size() < minimum) {
        what += "at least ";
        what += Decimal(minimum).View();
    } else {
        what += "at most ";
        what += Decimal(maximum).View();
    }
    return PartFault(ai, part, what);
}

Result<Done> CheckComponent(const Component& component, std::string_view ai,
                            std::string_view part) {
    if (part.size() < component.minimum || part.size() > component.maximum) {
        return Refused<Done>(LengthFault(ai, part, component.minimum, component.maximum));
    }
    const std::size_t outside = FirstOutside(component.characters, part);
    if (outside != part.size()) {
        std::string what;
        what.reserve(64);
        what += "character ";
        what += Decimal(outside + 1).View();
        what += ' ';
        what += CharacterName(part[outside]);
        what += ' ';
        what += kOutsideSet[static_cast<std::size_t>(component.characters)];
        return Refused<Done>(PartFault(ai, part, what));
    }
    for (const Linter linter : component.linters) {
        if (linter == Linter::None) {
            break;
        }
        if (Result<Done> checked = Lint(linter, ai, part); !checked) {
            return checked;
        }
    }
    return Done{};
}

}  // namespace

Result<Done> CheckValue(const AiEntry& entry, std::string_view ai, std::string_view value) {
    if (value.empty()) {
        return Refused<Done>(AiFault(ai, "no data"));
    }
    std::size_t least = 0;
    std::size_t most = 0;
    for (std::size_t i = 0; i < entry.componentCount; ++i) {
        least += entry.components[i].optional ? 0U : std::size_t{entry.components[i].minimum};
        most += entry.components[i].maximum;
    }
    if (value.size() < least || value.size() > most) {
        return Refused<Done>(LengthFault(ai, value, least, most));
    }
    // Each component takes its length from what is left; the optional ones only while data is.
    std::string_view rest = value;
    for (std::size_t i = 0; i < entry.componentCount; ++i) {
        const Component& component = entry.components[i];
        if (rest.empty() && component.optional) {
            break;
        }
        const std::string_view part = rest.substr(0, component.maximum);
        rest.remove_prefix(part.size());
        if (Result<Done> checked = CheckComponent(component, ai, part); !checked) {
            return checked;
        }
    }
    return Done{};
}

}  // namespace varnholt::gs1
