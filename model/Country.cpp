#include "model/Country.h"

#include <algorithm>
#include <array>

#include "model/CountryPrefixes.h"
#include "model/Digit.h"
#include "model/LeadingNumber.h"

namespace varnholt {
namespace {

// The country of a prefix block that the first two digits fall into; empty when none.
constexpr std::string_view CountryOfBlock(std::int16_t firstDigit, std::int16_t secondDigit) {
    const auto* range = std::ranges::find_if(CountryRanges, [&](const CountryRange& row) {
        return row.firstDigit == firstDigit && secondDigit >= row.secondFrom &&
               secondDigit <= row.secondTo;
    });
    return range != CountryRanges.end() ? range->country : std::string_view{};
}

// The country of a single three-digit prefix; empty when it is none of them.
constexpr std::string_view CountryOfSinglePrefix(double prefix) {
    // A single prefix never falls into a block, so at most one of the two matches.
    const auto* pair = std::ranges::lower_bound(
        CountryPrefixes, prefix, {},
        [](const CountryPrefix& p) { return static_cast<double>(p.prefix); });
    return pair != CountryPrefixes.end() && pair->prefix == prefix ? pair->country
                                                                   : std::string_view{};
}

constexpr std::string_view CountryOfDigits(std::int16_t prefix) {
    const std::string_view single = CountryOfSinglePrefix(prefix);
    if (!single.empty()) {
        return single;
    }
    return CountryOfBlock(static_cast<std::int16_t>(prefix / 100),
                          static_cast<std::int16_t>(prefix / 10 % 10));
}

// What each prefix 000 to 999 stands for, from the two tables at compile time: a number that
// starts with three digits, the usual case, needs one look-up.
constexpr auto kCountryOfPrefix = [] {
    std::array<std::string_view, 1000> countries{};
    for (std::int16_t prefix = 0; prefix < 1000; ++prefix) {
        countries[static_cast<std::size_t>(prefix)] = CountryOfDigits(prefix);
    }
    return countries;
}();

// The prefix of a text that starts with three digits, 0 to 999; -1 for any other text.
int ThreeDigitPrefix(std::string_view text) noexcept {
    if (text.size() < 3 || !IsDigit(text[0]) || !IsDigit(text[1]) || !IsDigit(text[2])) {
        return -1;
    }
    return (text[0] - '0') * 100 + (text[1] - '0') * 10 + (text[2] - '0');
}

}  // namespace

std::string_view CountryOf(std::int16_t firstDigit, std::int16_t secondDigit,
                           std::string_view firstThree) noexcept {
    firstThree = firstThree.substr(0, 3);
    if (const int prefix = ThreeDigitPrefix(firstThree);
        prefix >= 0 && firstDigit == prefix / 100 && secondDigit == prefix / 10 % 10) {
        return kCountryOfPrefix[static_cast<std::size_t>(prefix)];
    }
    const bool threeDigits = firstThree.size() == 3 && std::ranges::all_of(firstThree, IsDigit);
    std::string_view country = CountryOfBlock(firstDigit, secondDigit);
    double prefix = 0.0;
    if (threeDigits) {
        prefix = (firstThree[0] - '0') * 100 + (firstThree[1] - '0') * 10 + (firstThree[2] - '0');
    } else if (IsNumericText(firstThree)) {
        prefix = ReadLeadingNumber(firstThree).value;
    } else {
        return country;
    }
    if (const std::string_view single = CountryOfSinglePrefix(prefix); !single.empty()) {
        country = single;
    }
    return country;
}

std::string_view CountryOf(std::string_view number) noexcept {
    // The usual number, three digits first, needs nothing but the table.
    if (const int prefix = ThreeDigitPrefix(number); prefix >= 0) {
        return kCountryOfPrefix[static_cast<std::size_t>(prefix)];
    }
    if (number.size() < 2) {
        return {};
    }
    return CountryOf(DigitValue(number[0]), DigitValue(number[1]), number);
}

}  // namespace varnholt
