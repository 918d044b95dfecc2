#pragma once

#include <cstdint>

// Virtual-key codes, as a host delivers key presses to a window: by the physical key, the
// classic desktop platform's numbering. The demo window relies on these; a host maps its own
// key events onto them.
namespace varnholt::vk {

inline constexpr std::int16_t kBack = 8;
inline constexpr std::int16_t kDelete = 46;
inline constexpr std::int16_t kDigit0 = 48;  // to 57 for "9", main keyboard
inline constexpr std::int16_t kDigit9 = 57;
inline constexpr std::int16_t kPad0 = 96;  // to 105 for "9", keypad with Num Lock on
inline constexpr std::int16_t kPad9 = 105;
inline constexpr std::int16_t kDecimal = 110;

}  // namespace varnholt::vk
