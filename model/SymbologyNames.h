#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "model/Symbology.h"

namespace varnholt {

// A symbology as options name it and as GS1 writes it.
struct SymbologyName {
    Symbology symbology;
    std::string_view name;   // "ean13", "upca": what --symbology takes
    std::string_view title;  // "EAN-13", "UPC-A": what files and messages say
};

// Every symbology of the family, in the order of Symbology; the first four are the main
// symbols a number is drawn as, the last two the add-ons drawn after them.
inline constexpr std::array<SymbologyName, 6> kSymbologyNames{{
    {Symbology::Ean13, "ean13", "EAN-13"},
    {Symbology::Ean8, "ean8", "EAN-8"},
    {Symbology::UpcA, "upca", "UPC-A"},
    {Symbology::UpcE, "upce", "UPC-E"},
    {Symbology::Ean2, "ean2", "EAN-2"},
    {Symbology::Ean5, "ean5", "EAN-5"},
}};
inline constexpr std::size_t kMainSymbologies = 4;

constexpr bool NamesAreInOrder() {
    for (std::size_t i = 0; i < kSymbologyNames.size(); ++i) {
        if (static_cast<std::size_t>(kSymbologyNames[i].symbology) != i) {
            return false;
        }
    }
    return true;
}
static_assert(NamesAreInOrder(), "one name per symbology, in the order of Symbology");

// GS1's name of the symbology: "EAN-13", "UPC-E", "EAN-5".
constexpr std::string_view TitleOf(Symbology symbology) noexcept {
    return kSymbologyNames[static_cast<std::size_t>(symbology)].title;
}

// Whether the symbology is a main symbol rather than an add-on.
constexpr bool IsMainSymbol(Symbology symbology) noexcept {
    return static_cast<std::size_t>(symbology) < kMainSymbologies;
}

}  // namespace varnholt
