#pragma once

#include <array>
#include <string_view>

namespace varnholt {

// What a control publishes about one of its members or events, for property browsers.
struct MemberDescription {
    std::string_view name;
    std::string_view description;
    std::string_view category;  // empty when the member belongs to none
};

// The Barcode control's public members, in slot order.
inline constexpr std::array<MemberDescription, 9> BarcodeMembers{{
    {"Country", "Returns the ISO Alpha-2 country code of the barcode.", ""},
    {"Enabled",
     "Returns/sets a value that determines whether an object can respond to user-generated "
     "events.",
     "Behavior"},
    {"ForeColor",
     "Returns/sets the foreground color used to display text and graphics in an object.",
     "Appearance"},
    {"ManufacturerCode", "Returns the manufacturer code of the barcode.", ""},
    {"NumberSystem", "Returns the number system of the barcode.", ""},
    {"ProductCode", "Returns the product code of the barcode.", ""},
    {"Valid", "Returns a value that determines whether the barcode is valid.", ""},
    {"Value", "Returns/sets the value of an object.", "Misc"},
    {"Refresh", "Forces a complete repaint of a form or control.", ""},
}};

// The Barcode control's events, in the order of their numbers 1, 2, 3.
inline constexpr std::array<MemberDescription, 3> BarcodeEvents{{
    {"Change", "Occurs when the contents of the control has changed.", ""},
    {"Click", "Occurs when the user presses and then releases a mouse button over an object.", ""},
    {"DblClick",
     "Occurs when the user presses and releases a mouse button and then presses and releases "
     "it again over an object.",
     ""},
}};

}  // namespace varnholt
