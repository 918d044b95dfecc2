#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnholt {

// Text from the input (a line, a file name) made safe to show anywhere: valid UTF-8 stays as
// it is, but each control character (C0, DEL, C1) and each byte that is not part of valid
// UTF-8 becomes U+FFFD. The result holds no tab, CR, LF, NUL or escape sequence, so no
// format's syntax and no terminal can be upset by it.
class DisplayText {
  public:
    // The safe form of `text`; the text itself when it is printable ASCII, the usual case.
    // Valid until the next call.
    std::string_view Of(std::string_view text);

  private:
    std::string buffer_;
};

// The safe form as a new string, for texts shown once (file names, messages).
std::string SafeText(std::string_view text);

// Code points in a safe text: how wide it shows in a table, all characters taken as one
// column wide.
std::size_t DisplayWidth(std::string_view safeText) noexcept;

// The longest start of a safe text that shows at most `width` columns wide.
std::string_view CutToWidth(std::string_view safeText, std::size_t width) noexcept;

// A count written in decimal digits, without an allocation.
class Decimal {
  public:
    explicit Decimal(std::uint64_t value) noexcept
        : size_(static_cast<std::size_t>(
              std::to_chars(digits_.data(), digits_.data() + digits_.size(), value).ptr -
              digits_.data())) {}
    std::string_view View() const noexcept { return {digits_.data(), size_}; }

  private:
    std::array<char, 20> digits_;
    std::size_t size_;
};

}  // namespace varnholt
