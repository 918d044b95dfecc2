#pragma once

#include <string_view>

#include "control/MemoryPropertyStore.h"

namespace varnholt {

// The window as it is stored with the program; lengths in twips (1440 to the inch).
namespace form_varnholt {

inline constexpr std::string_view kCaption = "Varnholt";
inline constexpr int kClientWidth = 3975;
inline constexpr int kClientHeight = 1680;

// The one control on the window, created from its stored type name.
inline constexpr std::string_view kControlName = "Barcode1";
inline constexpr std::string_view kControlType = "ProjectVarnholt.Barcode";
inline constexpr int kControlLeft = 1080;
inline constexpr int kControlTop = 240;
inline constexpr int kControlWidth = 1725;
inline constexpr int kControlHeight = 1215;

// Barcode1's stored properties: its extent in hundredths of a millimetre (kept for the
// host), and an empty, disabled control.
inline MemoryPropertyStore Barcode1Properties() {
    return {{"_extentx", 3043}, {"_extenty", 2143}, {"enabled", false}, {"value", ""}};
}

}  // namespace form_varnholt
}  // namespace varnholt
