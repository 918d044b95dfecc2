#include <algorithm>

#include "control/Barcode.h"
#include "control/CountryPrefixes.h"
#include "model/LeadingNumber.h"

namespace varnholt {
namespace {

constexpr bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

}  // namespace

// Sets Country from the number's GS1 prefix: the block that the first two digits fall in,
// then a single prefix equal to the number that the first three characters form. Leaves
// Country as it is when neither matches; never clears it.
void Barcode::FindCountry(std::int16_t firstDigit, std::int16_t secondDigit,
                          std::string_view head) {
    const auto* range = std::ranges::find_if(CountryRanges, [&](const CountryRange& row) {
        return row.firstDigit == firstDigit && secondDigit >= row.secondFrom &&
               secondDigit <= row.secondTo;
    });
    if (range != CountryRanges.end()) {
        country_ = range->country;
    }

    const std::string_view firstThree = head.substr(0, 3);
    double prefix = 0.0;
    if (firstThree.size() == 3 && std::ranges::all_of(firstThree, IsDigit)) {
        // Three digits, the usual start, need no number reading.
        prefix = (firstThree[0] - '0') * 100 + (firstThree[1] - '0') * 10 + (firstThree[2] - '0');
    } else if (IsNumericText(firstThree)) {
        prefix = ReadLeadingNumber(firstThree).value;
    } else {
        return;
    }
    const auto* pair = std::ranges::lower_bound(
        CountryPrefixes, prefix, {},
        [](const CountryPrefix& p) { return static_cast<double>(p.prefix); });
    if (pair != CountryPrefixes.end() && pair->prefix == prefix) {
        country_ = pair->country;
    }
}

}  // namespace varnholt
