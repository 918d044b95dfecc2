#include "model/gs1/Linters.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "model/Modulo10.h"
#include "model/gs1/CharacterSets.h"
#include "model/gs1/CodeLists.h"
#include "model/gs1/CouponCheck.h"
#include "model/gs1/Faults.h"

namespace varnholt::gs1 {
namespace {

const Done kRight{};

int Digit(char c) noexcept {
    return c - '0';
}

// The number the digits of `part` from `at` spell, `count` of them.
std::uint64_t NumberAt(std::string_view part, std::size_t at, std::size_t count) noexcept {
    std::uint64_t number = 0;
    for (std::size_t i = at; i < at + count && i < part.size(); ++i) {
        number = number * 10 + static_cast<std::uint64_t>(Digit(part[i]));
    }
    return number;
}

std::string TwoDigitText(std::uint64_t number) {
    return std::string{static_cast<char>('0' + number / 10 % 10),
                       static_cast<char>('0' + number % 10)};
}

Result<Done> Wrong(std::string_view ai, std::string_view part, std::string_view what) {
    return Refused<Done>(PartFault(ai, part, what));
}

// "character 3 'x'": a character by its place in the part, counted from 1.
std::string CharacterAt(std::string_view part, std::size_t index) {
    return "character " + std::to_string(index + 1) + " " + CharacterName(part[index]);
}

bool LeapYear(std::uint64_t year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::uint64_t DaysIn(std::uint64_t month, bool leap) noexcept {
    constexpr std::array<std::uint8_t, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap ? 29 : days[month - 1];
}

// A date whose month and day stand at `at`; day 00 is the month's end where `monthEnd` allows.
Result<Done> CheckDate(std::string_view ai, std::string_view part, std::size_t at, bool leap,
                       bool monthEnd) {
    const std::uint64_t month = NumberAt(part, at, 2);
    const std::uint64_t day = NumberAt(part, at + 2, 2);
    if (month < 1 || month > 12) {
        return Wrong(ai, part, "month " + TwoDigitText(month));
    }
    if ((day == 0 && !monthEnd) || day > DaysIn(month, leap)) {
        return Wrong(ai, part, "day " + TwoDigitText(day) + " in month " + TwoDigitText(month));
    }
    return kRight;
}

// Two digits at `at` from 0 up to `most`, named `unit` in a fault.
Result<Done> CheckClock(std::string_view ai, std::string_view part, std::size_t at,
                        std::uint64_t most, std::string_view unit) {
    const std::uint64_t value = NumberAt(part, at, 2);
    if (value > most) {
        return Wrong(ai, part, std::string(unit) + " " + TwoDigitText(value));
    }
    return kRight;
}

template <class List, class Key>
bool Listed(const List& list, const Key& key) {
    return std::ranges::binary_search(list, key);
}

Result<Done> CheckCheckDigit(std::string_view ai, std::string_view part) {
    Modulo10 modulo;
    if (modulo.Check(part)) {
        return kRight;
    }
    const char needed = static_cast<char>('0' + modulo.CheckDigit());
    return Refused<Done>(CheckFault(ai, part.substr(part.size() - 1),
                                    part.substr(0, part.size() - 1), {&needed, 1}));
}

// The check pair of a model number: the body's characters weighed by primes from the right,
// summed modulo 1021 and written as two characters of a set of 32, the high five bits first.
Result<Done> CheckCheckPair(std::string_view ai, std::string_view part) {
    constexpr std::array<std::uint32_t, 23> primes{2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37,
                                                   41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83};
    constexpr std::string_view pairCharacters = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
    if (part.size() < 3) {
        return Wrong(ai, part, "too short for a check pair");
    }
    const std::string_view body = part.substr(0, part.size() - 2);
    if (body.size() > primes.size()) {
        return Wrong(ai, part, "too long for a check pair");
    }
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const auto value = static_cast<std::uint32_t>(kCset82.find(body[i]));
        sum += value * primes[body.size() - 1 - i];
    }
    sum %= 1021;
    const std::array<char, 2> needed{pairCharacters[sum >> 5], pairCharacters[sum & 31]};
    const std::string_view given = part.substr(part.size() - 2);
    if (given == std::string_view(needed.data(), needed.size())) {
        return kRight;
    }
    return Refused<Done>(CheckFault(ai, given, body, {needed.data(), needed.size()}));
}

// Without GS1's table of prefix lengths only the shortest prefix can be checked: digits.
Result<Done> CheckCompanyPrefix(std::string_view ai, std::string_view part, std::size_t at) {
    constexpr std::size_t shortestPrefix = 4;
    if (part.size() < at + shortestPrefix) {
        return Wrong(ai, part, "too short for a GS1 Company Prefix");
    }
    for (std::size_t i = at; i < at + shortestPrefix; ++i) {
        if (!InSet(CharacterSet::Numeric, part[i])) {
            return Wrong(ai, part,
                         "no GS1 Company Prefix: " + CharacterAt(part, i) + " is no digit");
        }
    }
    return kRight;
}

Result<Done> CheckPercentEncoding(std::string_view ai, std::string_view part) {
    constexpr std::string_view hex = "0123456789ABCDEFabcdef";
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '%' &&
            (i + 2 >= part.size() || hex.find(part[i + 1]) == std::string_view::npos ||
             hex.find(part[i + 2]) == std::string_view::npos)) {
            return Wrong(ai, part, CharacterAt(part, i) + " starts no pair of hexadecimal digits");
        }
    }
    return kRight;
}

// ISO 13616: country, two check digits and the account; moved behind, letters as 10 to 35,
// the whole is 1 modulo 97.
Result<Done> CheckIban(std::string_view ai, std::string_view part) {
    if (part.size() < 5) {
        return Wrong(ai, part, "too short for an IBAN");
    }
    for (std::size_t i = 0; i < part.size(); ++i) {
        const char c = part[i];
        const bool letter = c >= 'A' && c <= 'Z';
        const bool digit = c >= '0' && c <= '9';
        if ((i < 2 && !letter) || (i >= 2 && i < 4 && !digit) || (!letter && !digit)) {
            return Wrong(ai, part, "not an IBAN: " + CharacterAt(part, i));
        }
    }
    if (!Listed(kCountryLetters, part.substr(0, 2))) {
        return Wrong(ai, part, "not an IBAN: no country " + std::string(part.substr(0, 2)));
    }
    std::uint32_t remainder = 0;
    for (std::size_t n = 0; n < part.size(); ++n) {
        const char c = part[(n + 4) % part.size()];
        remainder = c <= '9' ? (remainder * 10 + static_cast<std::uint32_t>(c - '0')) % 97
                             : (remainder * 100 + static_cast<std::uint32_t>(c - 'A' + 10)) % 97;
    }
    if (remainder != 1) {
        return Wrong(ai, part, "IBAN check digits are wrong");
    }
    return kRight;
}

Result<Done> CheckPieceOfTotal(std::string_view ai, std::string_view part) {
    const std::uint64_t piece = NumberAt(part, 0, 2);
    const std::uint64_t total = NumberAt(part, 2, 2);
    if (piece == 0 || total == 0 || piece > total) {
        return Wrong(ai, part,
                     "piece " + TwoDigitText(piece) + " of a total of " + TwoDigitText(total));
    }
    return kRight;
}

Result<Done> CheckPositionOfTotal(std::string_view ai, std::string_view part) {
    const std::size_t slash = part.find('/');
    const auto digitsOnly = [](std::string_view text) {
        return !text.empty() && FirstOutside(CharacterSet::Numeric, text) == text.size();
    };
    if (slash == std::string_view::npos || !digitsOnly(part.substr(0, slash)) ||
        !digitsOnly(part.substr(slash + 1))) {
        return Wrong(ai, part, "not a position, '/' and a total");
    }
    const std::uint64_t position = NumberAt(part, 0, slash);
    const std::uint64_t total = NumberAt(part, slash + 1, part.size() - slash - 1);
    if (position == 0 || position > total || part[0] == '0' || part[slash + 1] == '0') {
        return Wrong(ai, part, "not a position within its total");
    }
    return kRight;
}

// The positive offer file's codes take several forms of digits; which form is not checked.
Result<Done> CheckCouponDigits(std::string_view ai, std::string_view part) {
    const std::size_t outside = FirstOutside(CharacterSet::Numeric, part);
    if (outside != part.size()) {
        return Wrong(ai, part, CharacterAt(part, outside) + " is no digit");
    }
    return kRight;
}

// UN/ECE Recommendation 21's codes are capital letters and digits; the list itself is not kept.
Result<Done> CheckPackageType(std::string_view ai, std::string_view part) {
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (!((part[i] >= 'A' && part[i] <= 'Z') || (part[i] >= '0' && part[i] <= '9'))) {
            return Wrong(ai, part, "not a package type code: " + CharacterAt(part, i));
        }
    }
    return kRight;
}

}  // namespace

Result<Done> Lint(Linter linter, std::string_view ai, std::string_view part) {
    switch (linter) {
        case Linter::None:
            return kRight;
        case Linter::CheckDigit:
            return CheckCheckDigit(ai, part);
        case Linter::CheckPair:
            return CheckCheckPair(ai, part);
        case Linter::CompanyPrefixAt1:
            return CheckCompanyPrefix(ai, part, 0);
        case Linter::CompanyPrefixAt2:
            return CheckCompanyPrefix(ai, part, 1);
        case Linter::Date:
            return CheckDate(ai, part, 2, NumberAt(part, 0, 2) % 4 == 0, false);
        case Linter::DateOrMonthEnd:
            return CheckDate(ai, part, 2, NumberAt(part, 0, 2) % 4 == 0, true);
        case Linter::LongDate:
            return CheckDate(ai, part, 4, LeapYear(NumberAt(part, 0, 4)), false);
        case Linter::HoursMinutes: {
            Result<Done> hours = CheckClock(ai, part, 0, 23, "hour");
            return hours ? CheckClock(ai, part, 2, 59, "minute") : hours;
        }
        case Linter::Hours:
            return CheckClock(ai, part, 0, 23, "hour");
        case Linter::Minutes:
            return CheckClock(ai, part, 0, 59, "minute");
        case Linter::Seconds:
            return CheckClock(ai, part, 0, 59, "second");
        case Linter::Country:
        case Linter::CountryOrUnknown: {
            const auto number = static_cast<std::uint16_t>(NumberAt(part, 0, 3));
            if (Listed(kCountryNumbers, number) ||
                (linter == Linter::CountryOrUnknown && number == 999)) {
                return kRight;
            }
            return Wrong(ai, part, "not an ISO 3166 country number");
        }
        case Linter::CountryAlpha2:
            return Listed(kCountryLetters, part)
                       ? kRight
                       : Wrong(ai, part, "not an ISO 3166 two-letter country code");
        case Linter::Currency:
            return Listed(kCurrencyNumbers, static_cast<std::uint16_t>(NumberAt(part, 0, 3)))
                       ? kRight
                       : Wrong(ai, part, "not an ISO 4217 currency number");
        case Linter::Sex:
            return part == "0" || part == "1" || part == "2" || part == "9"
                       ? kRight
                       : Wrong(ai, part, "not an ISO/IEC 5218 sex code: 0, 1, 2 or 9");
        case Linter::PercentEncoded:
            return CheckPercentEncoding(ai, part);
        case Linter::Iban:
            return CheckIban(ai, part);
        case Linter::Latitude:
            return NumberAt(part, 0, part.size()) <= 1800000000U
                       ? kRight
                       : Wrong(ai, part, "latitude past 180 degrees from the south pole");
        case Linter::Longitude:
            return NumberAt(part, 0, part.size()) < 3600000000U
                       ? kRight
                       : Wrong(ai, part, "longitude at or past 360 degrees");
        case Linter::PieceOfTotal:
            return CheckPieceOfTotal(ai, part);
        case Linter::PositionOfTotal:
            return CheckPositionOfTotal(ai, part);
        case Linter::Hyphen:
            return part.find_first_not_of('-') == std::string_view::npos
                       ? kRight
                       : Wrong(ai, part, "not a hyphen");
        case Linter::YesNo:
            return part == "0" || part == "1" ? kRight : Wrong(ai, part, "neither 0 nor 1");
        case Linter::NonZero:
            return part.find_first_not_of('0') != std::string_view::npos ? kRight
                                                                         : Wrong(ai, part, "zero");
        case Linter::Zero:
            return part.find_first_not_of('0') == std::string_view::npos
                       ? kRight
                       : Wrong(ai, part, "not zero");
        case Linter::Winding:
            return part == "0" || part == "1" || part == "9" ? kRight
                                                             : Wrong(ai, part, "not 0, 1 or 9");
        case Linter::PackageType:
            return CheckPackageType(ai, part);
        case Linter::NoZeroPrefix:
            return part.size() > 1 && part[0] == '0' ? Wrong(ai, part, "a leading zero") : kRight;
        case Linter::MediaType: {
            const std::uint64_t code = NumberAt(part, 0, 2);
            return (code >= 1 && code <= 10) || code >= 80
                       ? kRight
                       : Wrong(ai, part, "not an AIDC media type");
        }
        case Linter::ImporterIndex: {
            const std::size_t outside = FirstOutside(CharacterSet::Base64Url, part);
            return outside == part.size()
                       ? kRight
                       : Wrong(ai, part,
                               CharacterAt(part, outside) + " is not in the base64url alphabet");
        }
        case Linter::HasNonDigit:
            return FirstOutside(CharacterSet::Numeric, part) != part.size()
                       ? kRight
                       : Wrong(ai, part, "digits only");
        case Linter::CouponCode: {
            Result<Done> digits = CheckCouponDigits(ai, part);
            return digits ? CheckCouponCode(ai, part) : digits;
        }
        case Linter::CouponPositiveOffer:
            return CheckCouponDigits(ai, part);
    }
    return kRight;
}

}  // namespace varnholt::gs1
