#include "control/PropertyStore.h"

#include "control/RoundToInt32.h"
#include "model/Ascii.h"
#include "model/LeadingNumber.h"

namespace varnholt {
namespace {

std::optional<double> NumberOf(const std::string& text) {
    if (!IsNumericText(text)) {
        return std::nullopt;
    }
    return ReadLeadingNumber(text).value;
}

}  // namespace

std::optional<bool> ToBoolean(const PropertyValue& value) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number != 0;
    }
    const auto& text = std::get<std::string>(value);
    if (EqualsIgnoringCase(text, "True")) {
        return true;
    }
    if (EqualsIgnoringCase(text, "False")) {
        return false;
    }
    if (const auto number = NumberOf(text)) {
        return *number != 0.0;
    }
    return std::nullopt;
}

std::optional<std::int32_t> ToInteger(const PropertyValue& value) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? -1 : 0;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number;
    }
    if (const auto number = NumberOf(std::get<std::string>(value))) {
        return RoundToInt32(*number);
    }
    return std::nullopt;
}

std::string ToText(const PropertyValue& value) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? "True" : "False";
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return std::to_string(*number);
    }
    return std::get<std::string>(value);
}

}  // namespace varnholt
