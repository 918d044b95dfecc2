#pragma once

#include <string>
#include <string_view>

#include "cli/NumberFacts.h"

namespace varnholt::cli {

// What is wrong with a line that is no number, in words, for its row and its message:
// "12 digits, not 13 or 8". Empty for a line without a fault. Valid until the next call.
class FaultText {
  public:
    std::string_view Of(const NumberFacts& facts);

  private:
    std::string text_;
};

}  // namespace varnholt::cli
