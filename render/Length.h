#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "model/Result.h"
#include "render/Options.h"

namespace varnholt::render {

// A unit a length may be written in: its name and how many millimetres it holds, as a ratio of
// whole numbers (an inch is 127/5 mm), so that whole inches, points and picas come out as
// exactly as the millimetres written for them.
struct LengthUnit {
    std::string_view name;  // "mm", "in", ...
    double numerator = 1.0;
    double denominator = 1.0;

    // `value` of this unit in millimetres.
    double ToMm(double value) const noexcept { return value * numerator / denominator; }
};

inline constexpr LengthUnit kMillimetre{"mm", 1.0, 1.0};
inline constexpr LengthUnit kCentimetre{"cm", 10.0, 1.0};
inline constexpr LengthUnit kInch{"in", 127.0, 5.0};
inline constexpr LengthUnit kPoint{"pt", 127.0, 360.0};  // 1/72 in
inline constexpr LengthUnit kPica{"pc", 127.0, 30.0};    // 12 pt

// Every unit a length is read in.
inline constexpr std::array kLengthUnits{kMillimetre, kCentimetre, kInch, kPoint, kPica};

// The unit named `name` exactly, in lower case; nothing for any other.
std::optional<LengthUnit> UnitNamed(std::string_view name);

// The whole number `text` is, with nothing before or after it; nothing otherwise.
std::optional<int> ParseWholeNumber(std::string_view text);

// `text` as a length in millimetres: a number and a unit from kLengthUnits right after it
// ("2.625in", "3.2mm"), or a bare number, which is in `bare`. Refused with a message that
// quotes the text for anything else.
Result<double> ParseLengthMm(std::string_view text, LengthUnit bare);

// A bar width reduction as written: a length ("0.02" in millimetres, "0.02mm", "0.001in"), or
// printer dots ("1dot", "2dots"). Nothing for anything else.
std::optional<BarWidthReduction> ParseBarWidthReduction(std::string_view text);

}  // namespace varnholt::render
