#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::cli {

// The file names of a batch: a pattern such as "labels/{number}.svg" or "out-{line:05}.png".
// {number} is the number drawn, check digit included; {line} the input line's number, and
// {line:0N} the same with zeros in front to N digits. "{{" and "}}" stand for braces.
class FileNamePattern {
  public:
    // Reads a pattern; Error() then says what is wrong with it, if anything.
    explicit FileNamePattern(std::string_view pattern);

    // What is wrong with the pattern, e.g. an unknown placeholder; empty when nothing is.
    const std::string& Error() const noexcept { return error_; }
    // Whether a placeholder tells one number's file from another's.
    bool HasPlaceholder() const noexcept { return placeholders_ > 0; }

    // The file name for one number.
    std::string Expand(std::string_view number, std::uint64_t line) const;

  private:
    struct Part {
        enum class Kind { Text, Number, Line } kind = Kind::Text;
        std::string text;  // Text only
        int width = 0;     // Line only: digits with zeros in front
    };

    std::vector<Part> parts_;
    int placeholders_ = 0;
    std::string error_;
};

}  // namespace varnholt::cli
