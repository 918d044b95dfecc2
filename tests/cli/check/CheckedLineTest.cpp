#include "cli/check/CheckedLine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/CaseName.h"

namespace varnholt::cli {
namespace {

struct FactsCase {
    const char* name;
    std::string line;
    Verdict verdict;
    // A number's facts as "FORMAT GTIN COUNTRY SYSTEM/MANUFACTURER/PRODUCT EXPECTED", "-"
    // for an empty one; an error's fault in words; nothing for a blank line.
    std::string facts;
};

std::ostream& operator<<(std::ostream& os, const FactsCase& row) {
    return os << row.name;
}

// A line as the reader hands it out: whole, however long it says it is.
Line LineOf(const std::string& text, std::uint64_t length) {
    Line line;
    line.text = text;
    line.length = length;
    line.number = 1;
    return line;
}

std::string Shown(std::string_view text) {
    return text.empty() ? "-" : std::string(text);
}

std::string FactsOf(const CheckedLine& line) {
    switch (line.verdict) {
        case Verdict::Blank:
            return {};
        case Verdict::Error:
            return Describe(line.fault);
        case Verdict::Valid:
        case Verdict::Invalid:
            break;
    }
    const EAN::FieldTexts& f = line.fields;
    return Shown(line.format) + " " + Shown(line.gtin) + " " + Shown(line.country) + " " +
           std::string(f.numberSystem) + "/" + std::string(f.manufacturerCode) + "/" +
           std::string(f.productCode) + " " +
           (line.expectedCheckDigit != 0 ? std::string(1, line.expectedCheckDigit) : "-");
}

// Numbers printed on real products and in the standards' examples, worked by hand: the
// EAN-13 example 5400101109971, a German 400 number, an ISBN and its ISBN-10 0-306-40615-2,
// the EAN-8 example 96385074, the UPC-A 036000291452, the GTIN-14 of a case 00012345600012
// (the GTIN-13 inside it, 001234560001, takes the check digit 2), and the ISBN-10
// 0-8044-2957-X, whose 978 GTIN-13 ends in 3.
const FactsCase kCases[] = {
    {"Gtin13", "5400101109971", Verdict::Valid, "GTIN-13 05400101109971 BE-LU 54/00101/10997 -"},
    {"ThreeDigitSystem", "4006381333931", Verdict::Valid,
     "GTIN-13 04006381333931 DE 400/6381/33393 -"},
    {"Book", "9780306406157", Verdict::Valid, "GTIN-13 09780306406157 ISBN 978/0306/40615 -"},
    {"Gtin13WrongCheckDigit", "5400101109972", Verdict::Invalid,
     "GTIN-13 - BE-LU 54/00101/10997 1"},
    {"Gtin8", "96385074", Verdict::Valid, "GTIN-8 00000096385074 - 963//8507 -"},
    {"Gtin8InThirteenCharacters", "  963 850 74 ", Verdict::Valid,
     "GTIN-8 00000096385074 - 963//8507 -"},
    {"Gtin8WrongCheckDigit", "96385075", Verdict::Invalid, "GTIN-8 - - 963//8507 4"},
    {"Gtin12", "036000291452", Verdict::Valid, "GTIN-12 00036000291452 US-CA 00/36000/29145 -"},
    {"Gtin12WrongCheckDigit", "0360-0029-1453", Verdict::Invalid,
     "GTIN-12 - US-CA 00/36000/29145 2"},
    {"Gtin14", "00012345600012", Verdict::Valid, "GTIN-14 00012345600012 US-CA 00/12345/60001 -"},
    {"Gtin14WrongCheckDigit", "00012345600019", Verdict::Invalid,
     "GTIN-14 - US-CA 00/12345/60001 2"},
    {"Isbn10", "0-306-40615-2", Verdict::Valid, "ISBN-10 09780306406157 ISBN 978/0306/40615 -"},
    {"Isbn10X", "0-8044-2957-X", Verdict::Valid, "ISBN-10 09780804429573 ISBN 978/0804/42957 -"},
    {"Isbn10WrongCheckDigit", "0306406153", Verdict::Invalid, "ISBN-10 - ISBN 978/0306/40615 2"},
    {"Isbn10NeedsX", "0804429571", Verdict::Invalid, "ISBN-10 - ISBN 978/0804/42957 X"},
    {"AddOnAfterTheNumber", "9780306406157 +51234", Verdict::Valid,
     "GTIN-13 09780306406157 ISBN 978/0306/40615 -"},
    {"BlanksAndHyphensInside", "540-0101 10997 1", Verdict::Valid,
     "GTIN-13 05400101109971 BE-LU 54/00101/10997 -"},
    {"BlanksAround", " \t5400101109971\r\f\v ", Verdict::Valid,
     "GTIN-13 05400101109971 BE-LU 54/00101/10997 -"},
    {"OnlyBlanks", " \t \r", Verdict::Blank, ""},
    {"Empty", "", Verdict::Blank, ""},
    {"TooFewDigits", "12345", Verdict::Error, "5 digits, not 8, 10, 12, 13 or 14"},
    {"TooManyDigits", "540010110997100", Verdict::Error, "15 digits, not 8, 10, 12, 13 or 14"},
    {"OnlyHyphens", "---", Verdict::Error, "0 digits, not 8, 10, 12, 13 or 14"},
    {"AddOnOfThree", "9780306406157+512", Verdict::Error, "an add-on has 2 or 5 digits, not 3"},
    {"Ean8TakesNoAddOn", "96385074+12", Verdict::Error,
     "an EAN-8 takes no add-on; an EAN-13, UPC-A or UPC-E does"},
    {"Gtin14TakesNoAddOn", "00012345600012+12", Verdict::Error,
     "a GTIN-14 takes no add-on; an EAN-13, UPC-A or UPC-E does"},
    {"LetterInside", "54001O1109971", Verdict::Error, "\"O\" at column 6 is not a digit"},
    {"XAfterTwelveDigits", "540010110997X", Verdict::Error, "\"X\" at column 13 is not a digit"},
    {"ColumnCountsLeadingBlanks", "  5400101.109971", Verdict::Error,
     "\".\" at column 10 is not a digit"},
};

class LineCheckerChecks : public testing::TestWithParam<FactsCase> {};

TEST_P(LineCheckerChecks, EveryFact) {
    const FactsCase& c = GetParam();
    LineChecker checker;
    // A used checker: facts left over from the last line would show.
    checker.Check(LineOf("5400101109972", 13));
    const CheckedLine& facts = checker.Check(LineOf(c.line, c.line.size()));
    EXPECT_EQ(facts.verdict, c.verdict);
    EXPECT_EQ(FactsOf(facts), c.facts);
}

TEST_P(LineCheckerChecks, JudgesAlike) {
    const FactsCase& c = GetParam();
    LineChecker checker;
    checker.Judge(LineOf("5400101109972", 13));
    EXPECT_EQ(checker.Judge(LineOf(c.line, c.line.size())), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(Lines, LineCheckerChecks, testing::ValuesIn(kCases), test::CaseName{});

struct Gs1Case {
    const char* name;
    std::string line;
    bool lenient;  // --no-associations
    Verdict verdict;
    // A valid reading's facts as "FORMAT | GTIN COUNTRY SYSTEM/MANUFACTURER/PRODUCT | ELEMENT
    // STRING | DIGITAL LINK", "-" for an empty one; a refusal's format and fault.
    std::string facts;
};

std::ostream& operator<<(std::ostream& os, const Gs1Case& row) {
    return os << row.name;
}

std::string Gs1FactsOf(const CheckedLine& line) {
    if (line.verdict != Verdict::Valid) {
        return std::string(line.format) + " | " + std::string(line.gs1Fault);
    }
    const EAN::FieldTexts& f = line.fields;
    return std::string(line.format) + " | " + Shown(line.gtin) + " " + Shown(line.country) + " " +
           std::string(f.numberSystem) + "/" + std::string(f.manufacturerCode) + "/" +
           std::string(f.productCode) + " | " + Shown(line.elementString) + " | " +
           Shown(line.digitalLink);
}

// The German GTIN-13 4006381333931 under (01) as 04006381333931 (its facts as on its own
// line), the GTIN-14 00012345600012 of the number cases, a batch (10) and a best-before date
// (17), in each of GS1's syntaxes; then one line for each kind of refusal.
const Gs1Case kGs1Cases[] = {
    // Valid data: the facts of the GTIN, the element string in the reading's order, the URI
    // at GS1's stem with the key's qualifiers in the path.
    {"Bracketed", "(01)04006381333931(17)271231(10)AB-123", false, Verdict::Valid,
     "GS1 element string | 04006381333931 DE 400/6381/33393 | "
     "(01)04006381333931(17)271231(10)AB-123 | "
     "https://id.gs1.org/01/04006381333931/10/AB-123?17=271231"},
    {"BracketedBlanksAround", "  (01)04006381333931\r", false, Verdict::Valid,
     "GS1 element string | 04006381333931 DE 400/6381/33393 | (01)04006381333931 | "
     "https://id.gs1.org/01/04006381333931"},
    {"ScannerDataWithGs",
     "]C1010001234560001210AB-123\x1D"
     "17271231",
     false, Verdict::Valid,
     "GS1 element string | 00012345600012 US-CA 00/12345/60001 | "
     "(01)00012345600012(10)AB-123(17)271231 | "
     "https://id.gs1.org/01/00012345600012/10/AB-123?17=271231"},
    {"DigitalLinkAtAnotherStem", "https://example.com/shop/01/04006381333931/10/AB-123?17=271231",
     false, Verdict::Valid,
     "GS1 Digital Link | 04006381333931 DE 400/6381/33393 | "
     "(01)04006381333931(10)AB-123(17)271231 | "
     "https://id.gs1.org/01/04006381333931/10/AB-123?17=271231"},
    {"NoPrimaryKeyLenient", "(10)AB-123(17)271231", true, Verdict::Valid,
     "GS1 element string | - - // | (10)AB-123(17)271231 | -"},
    // Refusals: each is invalid, with the reading's own words.
    {"WrongCheckDigit", "(01)04006381333932", false, Verdict::Invalid,
     "GS1 element string | AI (01): check digit 2 is wrong, 0400638133393 needs 1"},
    {"NoSuchMonth", "(01)04006381333931(17)271331", false, Verdict::Invalid,
     "GS1 element string | AI (17): 271331: month 13"},
    {"NeedsAnotherAi", "(10)AB-123(17)271231", false, Verdict::Invalid,
     "GS1 element string | AI (10): needs AI (01), (02), (03), (8006) or (8026)"},
    {"DigitalLinkWithoutKey", "https://id.gs1.org/10/AB-123", false, Verdict::Invalid,
     "GS1 Digital Link | Digital Link: no primary key in the path"},
    {"UnknownSymbologyIdentifier", "]X1010400638133393110AB-123", false, Verdict::Invalid,
     "GS1 element string | scanner data: no GS1 symbology identifier (]C1, ]d2, ]Q3 or ]e0)"},
    {"NoAiAfterTheBracket", "(AB)123", false, Verdict::Invalid,
     "GS1 element string | AI (AB): no such AI"},
};

class Gs1LineChecks : public testing::TestWithParam<Gs1Case> {};

TEST_P(Gs1LineChecks, EveryFact) {
    const Gs1Case& c = GetParam();
    LineChecker checker;
    checker.SetGs1({.read = {.associations = !c.lenient}});
    // A used checker, last on a number's line with facts of its own, then on GS1 data.
    checker.Check(LineOf("(01)00012345600012(10)X", 23));
    checker.Check(LineOf("5400101109972", 13));
    const CheckedLine& facts = checker.Check(LineOf(c.line, c.line.size()));
    EXPECT_EQ(facts.verdict, c.verdict);
    EXPECT_EQ(Gs1FactsOf(facts), c.facts);
    EXPECT_EQ(checker.Judge(LineOf(c.line, c.line.size())), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(Lines, Gs1LineChecks, testing::ValuesIn(kGs1Cases), test::CaseName{});

TEST(LineChecker, DigitalLinkAtTheStemGiven) {
    LineChecker checker;
    checker.SetGs1({.stem = "https://example.com/shop", .read = {}});
    const std::string line = "(01)04006381333931(10)AB-123";
    EXPECT_EQ(checker.Check(LineOf(line, line.size())).digitalLink,
              "https://example.com/shop/01/04006381333931/10/AB-123");
}

// Only a line's start makes it GS1 data: a number with a bracket or a URL's word further on
// is read as a number, and fails as one.
TEST(LineChecker, GS1DataOnlyByItsFirstCharacters) {
    LineChecker checker;
    for (const std::string line : {"5400101109971(10)AB", "htp://id.gs1.org/01/04006381333931",
                                   "[01]04006381333931", "http:/id.gs1.org"}) {
        const CheckedLine& facts = checker.Check(LineOf(line, line.size()));
        EXPECT_EQ(facts.verdict, Verdict::Error) << line;
        EXPECT_TRUE(facts.elementString.empty() && facts.gs1Fault.empty()) << line;
    }
}

TEST(LineChecker, LineTooLongIsAnErrorWhateverItHolds) {
    LineChecker checker;
    for (const std::string head :
         {"5400101109971", "   ", "54001011099710000000000000000000", "(01)04006381333931"}) {
        const Line line = LineOf(head, kLongestLine + 1);
        const CheckedLine& facts = checker.Check(line);
        EXPECT_EQ(facts.verdict, Verdict::Error) << head;
        EXPECT_EQ(FactsOf(facts), "line too long to be a number (1025 bytes)");
        EXPECT_EQ(checker.Judge(line), Verdict::Error);
    }
}

}  // namespace
}  // namespace varnholt::cli
