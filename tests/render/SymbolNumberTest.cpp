#include "render/SymbolNumber.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::render {
namespace {

struct Row {
    std::string name;
    std::string text;
    std::optional<Symbology> asked;
    std::string drawn;  // the number as drawn; empty: refused
    std::string error;  // the message, or a part of it
    ErrorKind kind = ErrorKind::Input;
    Symbology symbology = Symbology::Ean13;

    // The text, rather than the bytes, in test listings.
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.text; }
};

class SymbolNumberOf : public testing::TestWithParam<Row> {};

TEST_P(SymbolNumberOf, AcceptsCompletesOrRefuses) {
    const Row& row = GetParam();
    const Result<SymbolNumber> number = ReadSymbolNumber(row.text, row.asked);
    if (row.drawn.empty()) {
        ASSERT_FALSE(number);
        EXPECT_NE(number.Error().find(row.error), std::string::npos) << number.Error();
        EXPECT_EQ(number.Kind(), row.kind);
    } else {
        ASSERT_TRUE(number) << number.Error();
        EXPECT_EQ(number->Text(), row.drawn);
        EXPECT_EQ(number->symbology, row.symbology);
        EXPECT_EQ(number->note, row.error);
    }
}

constexpr auto kUpcA = Symbology::UpcA;
constexpr auto kUpcE = Symbology::UpcE;
constexpr auto kEan8 = Symbology::Ean8;
constexpr auto kEan13 = Symbology::Ean13;
constexpr auto kUsage = ErrorKind::Usage;
constexpr auto kInput = ErrorKind::Input;

INSTANTIATE_TEST_SUITE_P(
    Numbers, SymbolNumberOf,
    testing::Values(
        // By length.
        Row{"Ean13", "5400101109971", {}, "5400101109971", ""},
        Row{"Ean13WithoutCheckDigit", "540010110997", {}, "5400101109971", ""},
        Row{"Ean8", "96385074", {}, "96385074", "", kInput, kEan8},
        Row{"Ean8WithoutCheckDigit", "9638507", {}, "96385074", "", kInput, kEan8},
        Row{"BlanksAndHyphensIgnored", "540-0101-10997 1", {}, "5400101109971", ""},
        Row{"BlanksAroundAreNoPart", "\t96385074\r", {}, "96385074", "", kInput, kEan8},
        Row{"Isbn10", "0-306-40615-2", {}, "9780306406157", ""},
        Row{"Isbn10CheckX", "080442957x", {}, "9780804429573", ""},
        Row{"TwelveDigitsThatAreAGtin12AreNoted",
            "036000291452",
            {},
            "0360002914522",
            "036000291452 is a valid GTIN-12: drawn as the EAN-13 0360002914522; give "
            "--symbology upca to draw its UPC-A"},
        Row{"AskedEan13IsNotNoted", "036000291452", kEan13, "0360002914522", ""},
        Row{"WrongCheckDigit",
            "5400101109972",
            {},
            "",
            "check digit 2 is wrong, 540010110997 needs 1"},
        Row{"WrongEan8CheckDigit", "96385075", {}, "", "check digit 5 is wrong, 9638507 needs 4"},
        Row{"WrongIsbnCheckDigit",
            "0306406153",
            {},
            "",
            "check digit 3 is wrong, 030640615 needs 2"},
        Row{"ElevenDigits", "54001011099", {}, "", "11 digits, not 13, 12, 10, 8 or 7"},
        Row{"ManyDigits", std::string(5000, '7'), {}, "", "5000 digits, not"},
        Row{"Empty", "", {}, "", "0 digits, not"},
        Row{"EmptyAsked", " ", kUpcA, "", "0 digits, not 12 or 11 for a UPC-A", kUsage},
        Row{"LetterSaysWhere", "54001O1109971", {}, "", "\"O\" at column 6 is not a digit"},
        Row{"TabInsideIsNoSeparator", "5400101\t109971", {}, "", "byte 0x09 at column 8"},
        // UPC-A.
        Row{"UpcA", "036000291452", kUpcA, "036000291452", "", kInput, kUpcA},
        Row{"UpcAWithoutCheckDigit", "03600029145", kUpcA, "036000291452", "", kInput, kUpcA},
        Row{"UpcAOfThirteenDigits", "5400101109971", kUpcA, "",
            "13 digits, not 12 or 11 for a UPC-A", kUsage},
        // UPC-E: the check digit is the GTIN-12's.
        Row{"UpcE", "01234565", kUpcE, "01234565", "", kInput, kUpcE},
        Row{"UpcEWithoutCheckDigit", "0123456", kUpcE, "01234565", "", kInput, kUpcE},
        Row{"UpcESixDigitsAreNumberSystem0", "123456", kUpcE, "01234565", "", kInput, kUpcE},
        Row{"UpcENumberSystem1", "1123456", kUpcE, "11234562", "", kInput, kUpcE},
        Row{"UpcEOfAGtin12", "012345000065", kUpcE, "01234565", "", kInput, kUpcE},
        Row{"UpcEWrongCheckDigit", "01234564", kUpcE, "",
            "check digit 4 is wrong, 0123456 needs 5, the check digit of its GTIN-12 "
            "012345000065"},
        Row{"UpcENumberSystem2", "2123456", kUpcE, "", "number system 0 or 1, not 2"},
        Row{"UpcEOfAGtin12WithoutZeros", "036000291452", kUpcE, "",
            "cannot be shortened to a UPC-E"},
        Row{"UpcEOfThirteenDigits", "5400101109971", kUpcE, "",
            "13 digits, not 12, 8, 7 or 6 for a UPC-E", kUsage},
        // Add-ons.
        Row{"Ean13WithEan5", "9780306406157+51234", {}, "9780306406157+51234", ""},
        Row{"Isbn10WithEan2", "0306406152 + 02", {}, "9780306406157+02", ""},
        Row{"UpcEWithEan5", "0123456+5-1234", kUpcE, "01234565+51234", "", kInput, kUpcE},
        Row{"ThreeDigitAddOn", "9780306406157+512", {}, "", "an add-on has 2 or 5 digits, not 3"},
        Row{"Ean8TakesNoAddOn", "96385074+12", {}, "", "an EAN-8 takes no add-on"},
        Row{"AskedEan8TakesNoAddOn", "96385074+12", kEan8, "", "an EAN-8 takes no add-on", kUsage},
        Row{"AnAddOnIsNoSymbol", "12", Symbology::Ean2, "", "EAN-2 is an add-on", kUsage}),
    test::CaseName{});

// The GTIN a pair's GS1 data takes: each main symbol's in 14 digits, a UPC-E's the GTIN-12 it
// stands for (zeros put back where its sixth digit says), an add-on no part of it.
TEST(SymbolNumber, GtinIsTheMainSymbolsInFourteenDigits) {
    const struct {
        const char* text;
        std::optional<Symbology> asked;
        const char* gtin;
    } rows[] = {
        {"4006381333931", {}, "04006381333931"},
        {"9780306406157+51234", {}, "09780306406157"},
        {"036000291452", Symbology::UpcA, "00036000291452"},
        {"96385074", {}, "00000096385074"},
        {"04252614", Symbology::UpcE, "00042100005264"},
        {"01234565", Symbology::UpcE, "00012345000065"},
    };
    for (const auto& row : rows) {
        const Result<SymbolNumber> number = ReadSymbolNumber(row.text, row.asked);
        ASSERT_TRUE(number) << row.text << ": " << number.Error();
        EXPECT_EQ(number->Gtin(), row.gtin) << row.text;
    }
}

}  // namespace
}  // namespace varnholt::render
