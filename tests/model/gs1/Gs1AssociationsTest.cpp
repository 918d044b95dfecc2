#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/gs1/Bracketed.h"
#include "tests/support/CaseName.h"

namespace varnholt::gs1 {
namespace {

// A bracketed string, the fault its associations give it (valid when empty), and whether the
// lenient reading takes it.
struct AssociationCase {
    const char* name;
    std::string text;
    std::string fault;
};

std::ostream& operator<<(std::ostream& os, const AssociationCase& row) {
    return os << row.name;
}

class Gs1Associations : public testing::TestWithParam<AssociationCase> {};

TEST_P(Gs1Associations, HoldOrNameTheBrokenRule) {
    const AssociationCase& c = GetParam();
    const Result<Reading> strict = ReadBracketed(c.text);
    EXPECT_EQ(strict.Error(), c.fault);
    EXPECT_TRUE(ReadBracketed(c.text, ReadOptions{.associations = false}))
        << "associations off, every row's data is right";
}

INSTANTIATE_TEST_SUITE_P(
    Required, Gs1Associations,
    testing::Values(AssociationCase{"BatchWithGtin", "(01)09506000134352(10)AB-123", ""},
                    AssociationCase{"BatchAlone", "(10)AB-123",
                                    "AI (10): needs AI (01), (02), (03), (8006) or (8026)"},
                    AssociationCase{"TwoRulesBothMet", "(01)09506000134352(21)A1(250)X", ""},
                    AssociationCase{"SecondRuleBroken", "(01)09506000134352(250)X",
                                    "AI (250): needs AI (21)"},
                    AssociationCase{"AllOfAnAlternative", "(01)09506000134352(10)A(7004)12", ""},
                    AssociationCase{"PartOfAnAlternative", "(01)09506000134352(7004)12",
                                    "AI (7004): needs AI (01) with (10)"},
                    AssociationCase{"PatternMet", "(01)09506000134352(3103)000123(3922)199", ""},
                    AssociationCase{"PatternUnmet", "(01)09506000134352(3922)199",
                                    "AI (3922): needs AI (30), (31nn), (32nn), (35nn) or (36nn)"},
                    AssociationCase{"DigitalSignature", "(01)09506000134352(21)A1(8030)AB_-", ""}),
    test::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Excluded, Gs1Associations,
    testing::Values(AssociationCase{"GtinWithCount", "(01)09506000134352(37)5",
                                    "AI (01): cannot go with AI (37)"},
                    AssociationCase{"SameWeightInTwoUnits",
                                    "(01)09506000134352(3102)000500(3103)000050",
                                    "AI (3102): cannot go with AI (3103)"},
                    AssociationCase{"SerialWithTpx", "(01)09506000134352(21)A1(235)X",
                                    "AI (21): cannot go with AI (235)"}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt::gs1
