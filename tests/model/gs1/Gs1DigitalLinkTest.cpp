#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/gs1/Bracketed.h"
#include "model/gs1/DigitalLink.h"
#include "tests/support/CaseName.h"

namespace varnholt::gs1 {
namespace {

// A URI and the bracketed text it reads as, or the fault.
struct LinkCase {
    const char* name;
    std::string uri;
    std::string bracketedOrFault;
};

std::ostream& operator<<(std::ostream& os, const LinkCase& row) {
    return os << row.name;
}

class Gs1DigitalLinkReading : public testing::TestWithParam<LinkCase> {};

TEST_P(Gs1DigitalLinkReading, ReadsAsBracketedTextOrIsRefused) {
    const LinkCase& c = GetParam();
    const Result<Reading> reading = ReadDigitalLink(c.uri);
    EXPECT_EQ(reading ? BracketedText(*reading) : reading.Error(), c.bracketedOrFault);
}

// The first rows are the Digital Link standard's own kinds of example: a GTIN with batch,
// serial and expiry, an SSCC, a GLN with its extension, a GIAI.
INSTANTIATE_TEST_SUITE_P(
    Readings, Gs1DigitalLinkReading,
    testing::Values(
        LinkCase{"GtinBatchSerialExpiry",
                 "https://id.gs1.org/01/09520123456788/10/ABC1/21/12345?17=180426",
                 "(01)09520123456788(10)ABC1(21)12345(17)180426"},
        LinkCase{"Sscc", "https://id.gs1.org/00/952012345678912345", "(00)952012345678912345"},
        LinkCase{"GlnExtension", "https://example.com/414/9520123456788/254/32a%2Fb",
                 "(414)9520123456788(254)32a/b"},
        LinkCase{"Giai", "http://example.com/8004/9520614141234567", "(8004)9520614141234567"},
        LinkCase{"PathBeforeTheKey", "https://brand.example/products/shop/01/09506000134352",
                 "(01)09506000134352"},
        LinkCase{"ShortGtinWidened", "https://id.gs1.org/01/9506000134352", "(01)09506000134352"},
        LinkCase{"CaselessScheme", "HTTPS://id.gs1.org/01/09506000134352", "(01)09506000134352"},
        LinkCase{"OtherParametersPassedOver",
                 "https://id.gs1.org/01/09506000134352?linkType=gs1:pip&3103=000123&lang=en#top",
                 "(01)09506000134352(3103)000123"},
        LinkCase{"SkippedQualifier", "https://id.gs1.org/01/09506000134352/21/A1",
                 "(01)09506000134352(21)A1"},
        LinkCase{"OtherSequence", "https://id.gs1.org/01/09506000134352/235/X9",
                 "(01)09506000134352(235)X9"},
        LinkCase{"QualifiersOutOfOrder", "https://id.gs1.org/01/09506000134352/21/A1/10/B",
                 "AI (10): not a key qualifier of AI (01) in this place"},
        LinkCase{"SequencesMixed", "https://id.gs1.org/01/09506000134352/22/A/235/B",
                 "AI (235): not a key qualifier of AI (01) in this place"},
        LinkCase{"NoKey", "https://id.gs1.org/10/AB", "Digital Link: no primary key in the path"},
        LinkCase{"NotAnAttribute", "https://id.gs1.org/01/09506000134352?21=A1",
                 "AI (21): not a Digital Link data attribute"},
        LinkCase{"UnknownAiInQuery", "https://id.gs1.org/01/09506000134352?23=1",
                 "AI (23): no such AI"},
        LinkCase{"BrokenPercent", "https://id.gs1.org/01/09506000134352/10/A%2",
                 "Digital Link: '%' without two hexadecimal digits at character 42"},
        LinkCase{"NotHttp", "ftp://id.gs1.org/01/09506000134352",
                 "Digital Link: not an http or https URI"},
        LinkCase{"NoDomain", "https:///01/09506000134352",
                 "Digital Link: no domain at character 9"},
        LinkCase{"WrongCheckDigit", "https://id.gs1.org/01/09506000134351",
                 "AI (01): check digit 1 is wrong, 0950600013435 needs 2"},
        LinkCase{"AssociationsHold", "https://id.gs1.org/00/952012345678912345?10=AB",
                 "AI (10): needs AI (01), (02), (03), (8006) or (8026)"}),
    test::CaseName{});

// Bracketed text and the URI it makes at GS1's own resolver, or the fault.
class Gs1DigitalLinkWriting : public testing::TestWithParam<LinkCase> {};

TEST_P(Gs1DigitalLinkWriting, PutsKeyAndQualifiersInThePath) {
    const LinkCase& c = GetParam();
    const Result<Reading> reading = ReadBracketed(c.uri);
    ASSERT_TRUE(reading) << reading.Error();
    const Result<std::string> uri = DigitalLinkUri(*reading);
    EXPECT_EQ(uri ? *uri : uri.Error(), c.bracketedOrFault);
}

INSTANTIATE_TEST_SUITE_P(
    Writings, Gs1DigitalLinkWriting,
    testing::Values(LinkCase{"QualifiersInTheirOrder",
                             "(01)09506000134352(17)271231(21)A1B2(10)AB-123",
                             "https://id.gs1.org/01/09506000134352/10/AB-123/21/A1B2?17=271231"},
                    LinkCase{"PercentEncoded", "(01)09506000134352(10)A/B%C&D",
                             "https://id.gs1.org/01/09506000134352/10/A%2FB%25C%26D"},
                    LinkCase{"OtherSequenceChosen", "(01)09506000134352(235)X9(10)AB",
                             "https://id.gs1.org/01/09506000134352/235/X9?10=AB"},
                    LinkCase{"NoKey", "(01)09506000134352(8014)1234AG2",
                             "AI (8014): cannot go into a Digital Link URI with AI (01)"},
                    LinkCase{"KeyWithoutQualifiers", "(00)952012345678912345(403)R1",
                             "https://id.gs1.org/00/952012345678912345?403=R1"}),
    test::CaseName{});

TEST(Gs1DigitalLink, TakesAnyStem) {
    const Result<Reading> reading = ReadBracketed("(01)09506000134352");
    ASSERT_TRUE(reading);
    EXPECT_EQ(*DigitalLinkUri(*reading, "https://brand.example/dl/"),
              "https://brand.example/dl/01/09506000134352");
}

TEST(Gs1DigitalLink, RefusesDataWithoutAKey) {
    const Result<Reading> reading = ReadBracketed("(10)AB", ReadOptions{.associations = false});
    ASSERT_TRUE(reading);
    EXPECT_EQ(DigitalLinkUri(*reading).Error(), "Digital Link: no primary key among the AIs");
}

}  // namespace
}  // namespace varnholt::gs1
