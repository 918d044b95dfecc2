#pragma once

#include <cstdint>

namespace varnholt::gs1 {

// The content checks a component of an AI's data can need, beyond its length and characters.
// The AI table names them; ComponentCheck carries them out.
enum class Linter : std::uint8_t {
    None,                 // no check: fills the unused places of a component's list
    CheckDigit,           // the last digit is the modulo-10 check digit of the others
    CheckPair,            // the last two characters are the check pair of a model number
    CompanyPrefixAt1,     // a GS1 Company Prefix starts at the first character
    CompanyPrefixAt2,     // a GS1 Company Prefix starts at the second character
    Date,                 // yymmdd
    DateOrMonthEnd,       // yymmdd, day 00 standing for the month's last day
    LongDate,             // yyyymmdd
    HoursMinutes,         // hhmi
    Hours,                // hh
    Minutes,              // mi
    Seconds,              // ss
    Country,              // an ISO 3166 numeric country code
    CountryOrUnknown,     // the same, or 999
    CountryAlpha2,        // an ISO 3166 two-letter country code
    Currency,             // an ISO 4217 numeric currency code
    Sex,                  // an ISO/IEC 5218 code: 0, 1, 2 or 9
    PercentEncoded,       // every % starts a pair of hexadecimal digits
    Iban,                 // an international bank account number with its check digits
    Latitude,             // degrees north of the south pole in ten-millionths, up to 180
    Longitude,            // degrees east of 180° west in ten-millionths, below 360
    PieceOfTotal,         // piece nn of a total nn
    PositionOfTotal,      // n/n, a position in a sequence
    Hyphen,               // the character is a hyphen
    YesNo,                // 0 or 1
    NonZero,              // not every digit is 0
    Zero,                 // every digit is 0
    Winding,              // 0, 1 or 9
    PackageType,          // a package type code of UN/ECE Recommendation 21
    NoZeroPrefix,         // no leading 0 unless the number is 0
    MediaType,            // an AIDC media type code
    ImporterIndex,        // one character of the base64url alphabet
    HasNonDigit,          // at least one character is not a digit
    CouponCode,           // the North American coupon code
    CouponPositiveOffer,  // the positive offer file coupon code
};

}  // namespace varnholt::gs1
