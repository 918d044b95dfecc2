#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "model/gs1/AiLookup.h"
#include "model/gs1/AiTable.h"
#include "model/gs1/KeyQualifiers.h"

namespace varnholt::gs1 {
namespace {

// The sequences spelled as the table spells them: "22,10,21|235".
std::string Spelled(const KeyQualifiers& qualifiers) {
    std::string text;
    for (std::size_t s = 0; s < qualifiers.count; ++s) {
        text += s > 0 ? "|" : "";
        const KeyQualifiers::Sequence& sequence = qualifiers.sequences[s];
        for (std::size_t q = 0; q < sequence.count; ++q) {
            text += q > 0 ? "," : "";
            text += sequence.entries[q]->first;
        }
    }
    return text;
}

TEST(Gs1KeyQualifiers, AreTheTablesSequencesInTheirOrder) {
    for (const AiEntry& entry : kAiTable) {
        EXPECT_EQ(Spelled(QualifiersOf(entry)), entry.qualifiers) << "AI " << entry.first;
    }
}

TEST(Gs1KeyQualifiers, PlaceAQualifierWithinItsSequenceOnly) {
    const KeyQualifiers& gtin = QualifiersOf(*FindAi("01"));
    struct Case {
        std::size_t sequence;
        std::string_view ai;
        std::size_t place;
    };
    for (const Case& c : {Case{0, "22", 1}, Case{0, "10", 2}, Case{0, "21", 3}, Case{0, "235", 0},
                          Case{1, "235", 1}, Case{1, "21", 0}, Case{0, "17", 0}}) {
        EXPECT_EQ(gtin.sequences[c.sequence].PlaceOf(FindAi(c.ai)), c.place)
            << "AI " << c.ai << " in sequence " << c.sequence;
    }
}

}  // namespace
}  // namespace varnholt::gs1
