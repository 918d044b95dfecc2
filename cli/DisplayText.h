#pragma once

#include <string>
#include <string_view>

namespace varnholt::cli {

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

// The first character of `text` when it shows as itself: printable ASCII or a valid UTF-8
// sequence of a character that is no control character; empty otherwise.
std::string_view FirstCharacter(std::string_view text) noexcept;

// Code points in a safe text: how wide it shows in a table, all characters taken as one
// column wide.
std::size_t DisplayWidth(std::string_view safeText) noexcept;

// The longest start of a safe text that shows at most `width` columns wide.
std::string_view CutToWidth(std::string_view safeText, std::size_t width) noexcept;

}  // namespace varnholt::cli
