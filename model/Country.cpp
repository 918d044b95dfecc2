#include "model/Country.h"

#include <algorithm>

#include "model/CountryPrefixes.h"
#include "model/Digit.h"
#include "model/LeadingNumber.h"

namespace varnholt {

std::string_view CountryOf(std::int16_t firstDigit, std::int16_t secondDigit,
                           std::string_view firstThree) noexcept {
    std::string_view country;
    const auto* range = std::ranges::find_if(CountryRanges, [&](const CountryRange& row) {
        return row.firstDigit == firstDigit && secondDigit >= row.secondFrom &&
               secondDigit <= row.secondTo;
    });
    if (range != CountryRanges.end()) {
        country = range->country;
    }

    firstThree = firstThree.substr(0, 3);
    double prefix = 0.0;
    if (firstThree.size() == 3 && std::ranges::all_of(firstThree, IsDigit)) {
        prefix = (firstThree[0] - '0') * 100 + (firstThree[1] - '0') * 10 + (firstThree[2] - '0');
    } else if (IsNumericText(firstThree)) {
        prefix = ReadLeadingNumber(firstThree).value;
    } else {
        return country;
    }
    // A single prefix never falls into a block, so at most one of the two matches.
    const auto* pair = std::ranges::lower_bound(
        CountryPrefixes, prefix, {},
        [](const CountryPrefix& p) { return static_cast<double>(p.prefix); });
    if (pair != CountryPrefixes.end() && pair->prefix == prefix) {
        country = pair->country;
    }
    return country;
}

std::string_view CountryOf(std::string_view number) noexcept {
    if (number.size() < 2) {
        return {};
    }
    return CountryOf(DigitValue(number[0]), DigitValue(number[1]), number);
}

}  // namespace varnholt
