#pragma once

#include <cstdio>
#include <string>

namespace varnholt::render {

// A length as messages and reports write it: up to three decimals, no trailing zeros
// ("0.33", "0.375", "22.85").
inline std::string Millimetres(double mm) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", mm);
    std::string shown = text;
    shown.erase(shown.find_last_not_of('0') + 1);
    if (!shown.empty() && shown.back() == '.') {
        shown.pop_back();
    }
    return shown;
}

}  // namespace varnholt::render
