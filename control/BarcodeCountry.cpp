#include <algorithm>

#include "control/Barcode.h"
#include "control/CountryPrefixes.h"
#include "model/LeadingNumber.h"

namespace varnholt {

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
    if (!IsNumericText(firstThree)) {
        return;
    }
    const double prefix = ReadLeadingNumber(firstThree).value;
    const auto* pair = std::ranges::lower_bound(
        CountryPrefixes, prefix, {},
        [](const CountryPrefix& p) { return static_cast<double>(p.prefix); });
    if (pair != CountryPrefixes.end() && pair->prefix == prefix) {
        country_ = pair->country;
    }
}

}  // namespace varnholt
