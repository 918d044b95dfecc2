#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/gs1/Bracketed.h"
#include "model/gs1/ScannerData.h"
#include "tests/support/CaseName.h"

namespace varnholt::gs1 {
namespace {

// Scanner data, GS written as '|' for the table's sake, and the bracketed text it reads as,
// or the fault.
struct ScannerCase {
    const char* name;
    std::string data;
    std::string bracketedOrFault;
};

std::ostream& operator<<(std::ostream& os, const ScannerCase& row) {
    return os << row.name;
}

std::string WithSeparators(std::string text) {
    for (char& c : text) {
        c = c == '|' ? kGroupSeparator : c;
    }
    return text;
}

class Gs1ScannerData : public testing::TestWithParam<ScannerCase> {};

TEST_P(Gs1ScannerData, ReadsAsBracketedTextOrIsRefused) {
    const ScannerCase& c = GetParam();
    const Result<Reading> reading = ReadScannerData(WithSeparators(c.data));
    EXPECT_EQ(reading ? BracketedText(*reading) : reading.Error(), c.bracketedOrFault);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, Gs1ScannerData,
    testing::Values(
        ScannerCase{"Gs1_128", "]C1010950600013435217271231", "(01)09506000134352(17)271231"},
        ScannerCase{"DataMatrixWithSeparator",
                    "]d20109506000134352"
                    "10AB-123|21A1B2",
                    "(01)09506000134352(10)AB-123(21)A1B2"},
        ScannerCase{"QrVariableLast", "]Q3010950600013435210AB-123",
                    "(01)09506000134352(10)AB-123"},
        ScannerCase{"DataBarNeedlessSeparator", "]e00109506000134352|17271231",
                    "(01)09506000134352(17)271231"},
        ScannerCase{"FourDigitAi", "]d2010950600013435231030001231012",
                    "(01)09506000134352(3103)000123(10)12"},
        ScannerCase{"OtherIdentifier", "]E0012345",
                    "scanner data: no GS1 symbology identifier (]C1, ]d2, ]Q3 or ]e0)"},
        ScannerCase{"IdentifierOnly", "]C1", "scanner data: no AI at character 4"},
        ScannerCase{"UnknownAi", "]C12312345", "scanner data: no AI at character 4"},
        ScannerCase{"MissingSeparator", "]d21012345|2112345678901234567890X",
                    "AI (21): 12345678901234567890X: 21 characters, at most 20"},
        ScannerCase{"FixedCutShort", "]C10109506", "AI (01): 09506: 5 characters, must be 14"}),
    test::CaseName{});

struct ElementStringCase {
    const char* name;
    std::string bracketed;
    std::string elementString;
};

std::ostream& operator<<(std::ostream& os, const ElementStringCase& row) {
    return os << row.name;
}

class Gs1ElementString : public testing::TestWithParam<ElementStringCase> {};

TEST_P(Gs1ElementString, HasASeparatorOnlyWhereOneIsNeeded) {
    const ElementStringCase& c = GetParam();
    const Result<Reading> reading = ReadBracketed(c.bracketed);
    ASSERT_TRUE(reading) << reading.Error();
    EXPECT_EQ(ElementString(*reading), WithSeparators(c.elementString));
    EXPECT_EQ(ScannerData(*reading, Carrier::DataMatrix), "]d2" + WithSeparators(c.elementString));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, Gs1ElementString,
    testing::Values(
        ElementStringCase{"FixedOnly", "(01)09506000134352(17)271231", "010950600013435217271231"},
        ElementStringCase{"VariableLastKeepsOrder", "(01)09506000134352(10)AB(17)271231(21)C",
                          "010950600013435210AB|1727123121C"},
        ElementStringCase{"FixedLastMovesForward", "(10)AB(01)09506000134352(17)271231",
                          "01095060001343521727123110AB"},
        ElementStringCase{"FixedLengthNotPredefinedNeedsOne",
                          "(01)09506000134352(7003)2712311200(10)AB",
                          "010950600013435270032712311200|10AB"},
        ElementStringCase{"NotPredefinedLast", "(01)09506000134352(10)AB(7003)2712311200",
                          "010950600013435210AB|70032712311200"}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt::gs1
