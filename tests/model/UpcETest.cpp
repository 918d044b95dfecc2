#include "model/UpcE.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt {
namespace {

template <std::size_t N>
std::string Text(const std::optional<std::array<char, N>>& digits) {
    return digits ? std::string(digits->begin(), digits->end()) : "none";
}

// One pair for each sixth digit: 04252614 as published, the others written out by the
// zero-suppression rule the sixth digit picks, with the GTIN-12's check digit.
struct Pair {
    std::string name;
    std::string upcE;
    std::string gtin12;
};

std::ostream& operator<<(std::ostream& os, const Pair& row) {
    return os << row.name;
}

class UpcEPair : public testing::TestWithParam<Pair> {};

TEST_P(UpcEPair, ExpandsAndCompresses) {
    const Pair& pair = GetParam();
    EXPECT_EQ(Text(ExpandUpcE(pair.upcE)), pair.gtin12);
    EXPECT_EQ(Text(CompressToUpcE(pair.gtin12)), pair.upcE);
}

INSTANTIATE_TEST_SUITE_P(BySixthDigit, UpcEPair,
                         testing::Values(Pair{"ManufacturerEnding000", "01234505", "012000003455"},
                                         Pair{"ManufacturerEnding100", "04252614", "042100005264"},
                                         Pair{"ManufacturerEnding200", "16543223", "165200004323"},
                                         Pair{"ManufacturerEnding00", "01234531", "012300000451"},
                                         Pair{"ManufacturerEnding0", "19876544", "198760000054"},
                                         Pair{"Product5", "01234558", "012345000058"},
                                         Pair{"Product6", "01234565", "012345000065"},
                                         Pair{"Product7", "18642575", "186425000075"},
                                         Pair{"Product8", "02468181", "024681000081"},
                                         Pair{"Product9", "01357998", "013579000098"}),
                         test::CaseName{});

TEST(UpcE, RefusesWhatItCannotConvert) {
    for (const char* gtin12 : {"012000010002", "012340000503", "012345000041", "012345678905",
                               "242100005268", "04210000526", "04210000526X"}) {
        EXPECT_EQ(Text(CompressToUpcE(gtin12)), "none") << gtin12;
    }
    for (const char* upcE : {"24252614", "0425261", "042526140", "0425261X", "0425 614"}) {
        EXPECT_EQ(Text(ExpandUpcE(upcE)), "none") << upcE;
    }
}

// A UPC-E may name its GTIN-12 by a later rule than the first that fits; it still expands,
// and compression gives the first rule's.
TEST(UpcE, ALaterRuleThanNeededExpandsAndCompressesToTheFirst) {
    EXPECT_EQ(Text(ExpandUpcE("01204534")), "012000000454");
    EXPECT_EQ(Text(CompressToUpcE("012000000454")), "01204504");
}

// A GTIN-12 compresses exactly when some UPC-E expands to it, and back to itself. The sample
// is every GTIN-12 of number system 0 or 1 made of the digits 0, 2 and 5.
TEST(UpcE, CompressesExactlyTheExpansionsAndBack) {
    const std::string digits = "025";
    std::set<std::string> expansions;
    for (int n = 0; n < 2 * 243 * 5; ++n) {
        std::string upcE = n % 2 == 0 ? "0" : "1";
        for (int i = 0, rest = n / 2 % 243; i < 5; ++i, rest /= 3) {
            upcE += digits[static_cast<std::size_t>(rest % 3)];
        }
        upcE += "02534"[n / 486];
        expansions.insert(Text(ExpandUpcE(upcE + "7")));
    }
    for (int n = 0; n < 2 * 59049; ++n) {
        std::string gtin12 = n % 2 == 0 ? "0" : "1";
        for (int i = 0, rest = n / 2; i < 10; ++i, rest /= 3) {
            gtin12 += digits[static_cast<std::size_t>(rest % 3)];
        }
        gtin12 += '7';
        const auto upcE = CompressToUpcE(gtin12);
        ASSERT_EQ(upcE.has_value(), expansions.contains(gtin12)) << gtin12;
        if (upcE) {
            ASSERT_EQ(Text(ExpandUpcE(Text(upcE))), gtin12);
        }
    }
}

}  // namespace
}  // namespace varnholt
