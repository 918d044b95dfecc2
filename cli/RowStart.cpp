#include "cli/RowStart.h"

#include <array>
#include <charconv>

namespace varnholt::cli {

void RowStart::Reset(std::string_view before, std::string_view after) {
    before_ = before;
    after_ = after;
    line_ = 0;
}

char* RowStart::WriteLongWay(char* to, std::uint64_t line) {
    std::array<char, 20> digits{};
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), line).ptr;
    count_ = static_cast<std::size_t>(end - digits.data());
    std::memcpy(&digits_, digits.data(), sizeof digits_);
    line_ = line;
    std::memcpy(to, digits.data(), count_);
    return to + count_;
}

}  // namespace varnholt::cli
