#include "catalogue/ColumnNames.h"

#include <algorithm>
#include <charconv>

#include "catalogue/ByteSource.h"
#include "model/Ascii.h"

namespace varnholt::catalogue {
ColumnNames::ColumnNames(std::span<const std::string_view> header)
    : names_(header.begin(), header.end()) {
    // The reader drops a mark at the very start of a file; one inside quotes stays.
    if (!names_.empty() && names_.front().starts_with(kByteOrderMark)) {
        names_.front().erase(0, kByteOrderMark.size());
    }
}

std::optional<std::size_t> ColumnNames::FindName(std::string_view name) const noexcept {
    auto found = std::ranges::find(names_, name);
    if (found == names_.end()) {
        found = std::ranges::find_if(names_, [name](const std::string& candidate) {
            return EqualsIgnoringCase(candidate, name);
        });
    }
    if (found == names_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - names_.begin());
}

std::optional<std::size_t> ColumnNames::FindNumber(std::size_t number) const noexcept {
    if (number == 0 || number > names_.size()) {
        return std::nullopt;
    }
    return number - 1;
}

std::optional<std::size_t> ColumnNames::Find(std::string_view column) const noexcept {
    if (const auto byName = FindName(column)) {
        return byName;
    }
    const std::optional<std::size_t> index = IndexOfNumber(column);
    return index ? FindNumber(*index + 1) : std::nullopt;
}

std::optional<std::size_t> ColumnNames::IndexOfNumber(std::string_view column) noexcept {
    std::size_t number = 0;
    const char* const end = column.data() + column.size();
    const auto [stop, error] = std::from_chars(column.data(), end, number);
    if (column.empty() || error != std::errc() || stop != end || number == 0) {
        return std::nullopt;
    }
    return number - 1;
}

}  // namespace varnholt::catalogue
