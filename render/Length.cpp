#include "render/Length.h"

#include <charconv>
#include <cmath>
#include <string>

namespace varnholt::render {
namespace {

// The number at the start of `text` and where it stops; nothing when there is none.
std::optional<std::pair<double, std::size_t>> LeadingNumber(std::string_view text) {
    // from_chars takes no plus sign, but a file may write one.
    const std::size_t start = !text.empty() && text.front() == '+' ? 1 : 0;
    double value = 0.0;
    const char* first = text.data() + start;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc() || end == first || !std::isfinite(value)) {
        return std::nullopt;
    }
    return std::pair{value, static_cast<std::size_t>(end - text.data())};
}

std::string UnitNames() {
    std::string names;
    for (const LengthUnit& unit : kLengthUnits) {
        names += (names.empty() ? "" : ", ") + std::string(unit.name);
    }
    return names;
}

}  // namespace

std::optional<LengthUnit> UnitNamed(std::string_view name) {
    for (const LengthUnit& unit : kLengthUnits) {
        if (unit.name == name) {
            return unit;
        }
    }
    return std::nullopt;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || text.empty() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

Result<double> ParseLengthMm(std::string_view text, LengthUnit bare) {
    const auto number = LeadingNumber(text);
    if (!number) {
        return Result<double>::Failure(ErrorKind::Usage,
                                       "\"" + std::string(text) + "\" is not a length");
    }
    const std::string_view unitName = text.substr(number->second);
    const auto unit = unitName.empty() ? bare : UnitNamed(unitName);
    if (!unit) {
        return Result<double>::Failure(
            ErrorKind::Usage, "\"" + std::string(text) + "\" has unit \"" + std::string(unitName) +
                                  "\"; the units are " + UnitNames());
    }
    const double mm = unit->ToMm(number->first);
    if (!std::isfinite(mm)) {
        return Result<double>::Failure(ErrorKind::Usage,
                                       "\"" + std::string(text) + "\" is too long a length");
    }
    return mm;
}

std::optional<BarWidthReduction> ParseBarWidthReduction(std::string_view text) {
    for (const std::string_view dots : {"dots", "dot"}) {
        if (text.ends_with(dots)) {
            const auto number = LeadingNumber(text);
            if (!number || number->second != text.size() - dots.size()) {
                return std::nullopt;
            }
            return BarWidthReduction{number->first, BarWidthReduction::Unit::Dots};
        }
    }
    const Result<double> mm = ParseLengthMm(text, kMillimetre);
    if (!mm) {
        return std::nullopt;
    }
    return BarWidthReduction{*mm, BarWidthReduction::Unit::Millimetres};
}

}  // namespace varnholt::render
