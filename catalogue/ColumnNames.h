#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::catalogue {

// The names in a catalogue's header, kept past the reader's next call, and the column a user
// means by a name or a number.
class ColumnNames {
  public:
    // Copies the header's fields; a UTF-8 byte-order mark before the first is dropped.
    explicit ColumnNames(std::span<const std::string_view> header);

    // How many columns the header names.
    std::size_t Count() const noexcept { return names_.size(); }

    // The header's fields, in order.
    const std::vector<std::string>& Names() const noexcept { return names_; }

    // The 0-based index of the first column named exactly `name`, or else of the first whose
    // name differs from it only in ASCII case; none when no name matches.
    std::optional<std::size_t> FindName(std::string_view name) const noexcept;

    // The 0-based index of column `number`, counted from 1; none past the header's columns.
    std::optional<std::size_t> FindNumber(std::size_t number) const noexcept;

    // The column `column` means: a name first, then, if it is all digits, a number.
    std::optional<std::size_t> Find(std::string_view column) const noexcept;

    // The 0-based index of a column given by its number from 1 ("3"), with no header to look
    // in; none for a text that is no such number.
    static std::optional<std::size_t> IndexOfNumber(std::string_view column) noexcept;

  private:
    std::vector<std::string> names_;
};

}  // namespace varnholt::catalogue
