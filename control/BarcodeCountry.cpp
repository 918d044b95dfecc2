#include "control/Barcode.h"
#include "model/Country.h"

namespace varnholt {

// Sets Country from the number's GS1 prefix; leaves it as it is when the prefix names none,
// so it never clears it.
void Barcode::FindCountry(std::int16_t firstDigit, std::int16_t secondDigit,
                          std::string_view head) {
    if (const std::string_view country = CountryOf(firstDigit, secondDigit, head);
        !country.empty()) {
        country_ = country;
    }
}

}  // namespace varnholt
