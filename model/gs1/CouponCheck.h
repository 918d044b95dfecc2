#pragma once

#include <string_view>

#include "model/Result.h"

namespace varnholt::gs1 {

// Checks the North American coupon code of AI (8110), digits already checked: the company
// prefix, offer code, save value, primary purchase and family code it must start with, then
// its optional fields in ascending order as far as their layout is known here: expiration
// and start dates, serial number, and the closing field 9. Fields 1, 2 and 6 (further
// purchases, retailer) end the check. Refuses with the field that is wrong.
Result<Done> CheckCouponCode(std::string_view ai, std::string_view part);

}  // namespace varnholt::gs1
