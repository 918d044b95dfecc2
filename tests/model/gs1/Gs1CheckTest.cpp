#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "model/gs1/Bracketed.h"
#include "tests/support/CaseName.h"

namespace varnholt::gs1 {
namespace {

// A bracketed string and the fault it must be refused with; valid when the fault is empty.
// Associations are off: each row is about one AI's own data.
struct CheckCase {
    const char* name;
    std::string text;
    std::string fault;
};

std::ostream& operator<<(std::ostream& os, const CheckCase& row) {
    return os << row.name;
}

class Gs1Check : public testing::TestWithParam<CheckCase> {};

TEST_P(Gs1Check, GivesTheVerdictAndFault) {
    const CheckCase& c = GetParam();
    const Result<Reading> reading = ReadBracketed(c.text, ReadOptions{.associations = false});
    EXPECT_EQ(static_cast<bool>(reading), c.fault.empty());
    EXPECT_EQ(reading.Error(), c.fault);
    if (!reading) {
        EXPECT_EQ(reading.Kind(), ErrorKind::Input);
    }
}

INSTANTIATE_TEST_SUITE_P(
    LengthsAndCharacters, Gs1Check,
    testing::Values(
        CheckCase{"GtinShort", "(01)0950600013435",
                  "AI (01): 0950600013435: 13 characters, must be 14"},
        CheckCase{"BatchLong", "(10)ABCDEFGHIJKLMNOPQRSTU",
                  "AI (10): ABCDEFGHIJKLMNOPQRSTU: 21 characters, at most 20"},
        CheckCase{"NoData", "(10)", "AI (10): no data"},
        CheckCase{"LetterInNumeric", "(20)0A", "AI (20): 0A: character 2 'A' is no digit"},
        CheckCase{"OutsideCset82", "(10)AB|C",
                  "AI (10): AB|C: character 3 '|' is not one of GS1's 82 characters"},
        CheckCase{"ControlCharacter", "(10)AB\x1D",
                  "AI (10): AB\\x1D: character 3 byte 0x1D is not one of GS1's 82 characters"},
        CheckCase{"LowerCaseOutsideCset39", "(8010)0950a",
                  "AI (8010): 0950a: character 5 'a' is not one of the 39 characters of CSET 39"},
        CheckCase{"EqualsOutsideBase64Url",
                  "(8030)AB=", "AI (8030): AB=: character 3 '=' is not in the base64url alphabet"},
        CheckCase{"OptionalPartTooShort", "(423)2502", "AI (423): 2: 1 character, must be 3"},
        CheckCase{"AllOptionalPartsPresent", "(423)250276380528840", ""},
        CheckCase{"UnknownAi", "(23)1", "AI (23): no such AI"}),
    test::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    CheckCharacters, Gs1Check,
    testing::Values(
        CheckCase{"GtinRight", "(01)09506000134352", ""},
        CheckCase{"GtinWrong", "(01)09506000134351",
                  "AI (01): check digit 1 is wrong, 0950600013435 needs 2"},
        CheckCase{"SsccWrong", "(00)952012345678912346",
                  "AI (00): check digit 6 is wrong, 95201234567891234 needs 5"},
        CheckCase{"GraiCheckDigitInTheMiddle", "(8003)09520123456781abc",
                  "AI (8003): check digit 1 is wrong, 952012345678 needs 8"},
        // The model number GS1's general standard works through, and a pair one off.
        CheckCase{"ModelNumberRight", "(8013)1987654Ad4X4bL5ttr2310c2K", ""},
        CheckCase{"ModelNumberWrong", "(8013)1987654Ad4X4bL5ttr2310c2L",
                  "AI (8013): check characters 2L are wrong, 1987654Ad4X4bL5ttr2310c needs 2K"},
        CheckCase{"ModelNumberSwapped", "(8013)1987654Ad4X4bL5ttr2301c2K",
                  "AI (8013): check characters 2K are wrong, 1987654Ad4X4bL5ttr2301c needs 2H"},
        CheckCase{"ModelNumberWithoutPrefix", "(8013)A987654Ad4X4bL5ttr2310c9K",
                  "AI (8013): A987654Ad4X4bL5ttr2310c9K: no GS1 Company Prefix: character 1 'A' is "
                  "no digit"},
        CheckCase{"DeviceNumberNeedsALetter", "(8014)1234569892",
                  "AI (8014): 1234569892: digits only"}),
    test::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    DatesAndTimes, Gs1Check,
    testing::Values(
        CheckCase{"Month13", "(17)271331", "AI (17): 271331: month 13"},
        CheckCase{"DayZeroIsMonthEnd", "(17)271200", ""},
        CheckCase{"DayZeroNotAllowed", "(4326)271200", "AI (4326): 271200: day 00 in month 12"},
        CheckCase{"LeapDay", "(11)280229", ""},
        CheckCase{"NoLeapDay", "(11)270229", "AI (11): 270229: day 29 in month 02"},
        CheckCase{"April31", "(15)270431", "AI (15): 270431: day 31 in month 04"},
        CheckCase{"CenturyNoLeap", "(7250)21000229", "AI (7250): 21000229: day 29 in month 02"},
        CheckCase{"FourHundredLeap", "(7250)20000229", ""},
        CheckCase{"Hour24", "(7003)2712312400", "AI (7003): 2400: hour 24"},
        CheckCase{"Minute60", "(8008)27123112601", "AI (8008): 60: minute 60"},
        CheckCase{"OptionalSecondsRight", "(8008)2712311259", ""},
        CheckCase{"Second60", "(8008)271231125960", "AI (8008): 60: second 60"}),
    test::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    CodeLists, Gs1Check,
    testing::Values(
        CheckCase{"Country", "(422)276", ""},
        CheckCase{"NoCountry", "(422)999", "AI (422): 999: not an ISO 3166 country number"},
        CheckCase{"UnknownCountryAllowed", "(7030)999ABC", ""},
        CheckCase{"TwoLetters", "(4307)DE", ""},
        CheckCase{"NoTwoLetters", "(4307)ZZ",
                  "AI (4307): ZZ: not an ISO 3166 two-letter country code"},
        CheckCase{"Currency", "(3912)978123", ""},
        CheckCase{"NoCurrency", "(3912)000123", "AI (3912): 000: not an ISO 4217 currency number"},
        CheckCase{"Sex", "(7252)9", ""},
        CheckCase{"NoSex", "(7252)3", "AI (7252): 3: not an ISO/IEC 5218 sex code: 0, 1, 2 or 9"}),
    test::CaseName{});

INSTANTIATE_TEST_SUITE_P(
    OtherChecks, Gs1Check,
    testing::Values(
        // ISO 13616's own example account, and the same with two digits swapped.
        CheckCase{"Iban", "(8007)GB82WEST12345698765432", ""},
        CheckCase{"IbanSwapped", "(8007)GB82WEST12345698765423",
                  "AI (8007): GB82WEST12345698765423: IBAN check digits are wrong"},
        CheckCase{"IbanNoCountry", "(8007)QQ82WEST1234",
                  "AI (8007): QQ82WEST1234: not an IBAN: no country QQ"},
        CheckCase{"PercentEncoded", "(4300)A%20B", ""},
        CheckCase{"BrokenPercent", "(4300)A%2",
                  "AI (4300): A%2: character 2 '%' starts no pair of hexadecimal digits"},
        CheckCase{"Geo", "(4309)18000000003599999999", ""},
        CheckCase{"LatitudePast", "(4309)18000000010000000000",
                  "AI (4309): 1800000001: latitude past 180 degrees from the south pole"},
        CheckCase{"LongitudePast", "(4309)00000000003600000000",
                  "AI (4309): 3600000000: longitude at or past 360 degrees"},
        CheckCase{"PieceOfTotal", "(8006)095060001343520203", ""},
        CheckCase{"PiecePastTotal", "(8006)095060001343520302",
                  "AI (8006): 0302: piece 03 of a total of 02"},
        CheckCase{"PositionOfTotal", "(7258)1/2", ""},
        CheckCase{"PositionPastTotal", "(7258)3/2",
                  "AI (7258): 3/2: not a position within its total"},
        CheckCase{"PositionWithoutSlash", "(7258)123",
                  "AI (7258): 123: not a position, '/' and a total"},
        CheckCase{"Hyphen", "(4330)001234-", ""},
        CheckCase{"NoHyphen", "(4330)001234+", "AI (4330): +: not a hyphen"},
        CheckCase{"YesNo", "(4321)2", "AI (4321): 2: neither 0 nor 1"},
        CheckCase{"NonZero", "(8001)00001234500109", "AI (8001): 0000: zero"},
        CheckCase{"Winding", "(8001)12341234500150", "AI (8001): 5: not 0, 1 or 9"},
        CheckCase{"GraiStartsWithZero", "(8003)19520123456788", "AI (8003): 1: not zero"},
        CheckCase{"NoZeroPrefix", "(8011)0123", "AI (8011): 0123: a leading zero"},
        CheckCase{"ZeroAlone", "(8011)0", ""}, CheckCase{"ImporterIndex", "(7040)1ABC", ""},
        CheckCase{"NoImporterIndex", "(7040)1AB*",
                  "AI (7040): *: character 1 '*' is not in the base64url alphabet"},
        CheckCase{"MediaType", "(7241)11", "AI (7241): 11: not an AIDC media type"},
        CheckCase{"PackageType", "(7041)BX", ""},
        CheckCase{"NoPackageType", "(7041)b.",
                  "AI (7041): b.: not a package type code: character 1 'b'"},
        // The North American coupon guideline's worked example: prefix, offer, save value,
        // purchase, family code, expiration date, closing field.
        CheckCase{"Coupon", "(8110)106141416543213500110000310123196000", ""},
        CheckCase{"CouponLetter", "(8110)1061414A",
                  "AI (8110): 1061414A: character 8 'A' is no digit"},
        CheckCase{"CouponCut", "(8110)10614141",
                  "AI (8110): 10614141: coupon ends within its offer code"},
        CheckCase{"CouponPrefixLength", "(8110)7061414165432135001100",
                  "AI (8110): 7061414165432135001100: coupon company prefix: length indicator 7"},
        CheckCase{"CouponExpiry", "(8110)106141416543213500110000310133196000",
                  "AI (8110): 106141416543213500110000310133196000: coupon expiration date 101331 "
                  "is no date"},
        CheckCase{"CouponFieldsOutOfOrder", "(8110)10614141654321350011000041012313101231",
                  "AI (8110): 10614141654321350011000041012313101231: coupon field 3 out of order"},
        CheckCase{"CouponClosingNotLast", "(8110)1061414165432135001100003101231960001",
                  "AI (8110): 1061414165432135001100003101231960001: coupon field 9 is not last"}),
    test::CaseName{});

}  // namespace
}  // namespace varnholt::gs1
