#pragma once

#include <string_view>

#include "model/Result.h"
#include "model/gs1/AiEntry.h"

namespace varnholt::gs1 {

// Checks the data `value` of the AI `ai` against the AI's entry: its length, then each
// component's length, characters and content checks, in order. Refuses with the first fault,
// worded as in Faults.h; allocates nothing when the data is right.
Result<Done> CheckValue(const AiEntry& entry, std::string_view ai, std::string_view value);

}  // namespace varnholt::gs1
