#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace varnholt {

// A stored property value: a boolean, a signed 32-bit integer or a text.
using PropertyValue = std::variant<bool, std::int32_t, std::string>;

// The keyed store in which a host keeps a control's persisted properties.
class PropertyStore {
  public:
    virtual ~PropertyStore() = default;

    // The value stored under `key`, matched without regard to letter case, or
    // `defaultValue` when nothing is stored under it.
    virtual PropertyValue Read(std::string_view key, const PropertyValue& defaultValue) const = 0;
    // Stores `value` under `key`. A value equal to `defaultValue` is not kept: it removes
    // whatever was stored under the key, so that reading gives the default again.
    virtual void Write(std::string_view key, const PropertyValue& value,
                       const PropertyValue& defaultValue) = 0;
};

// A stored value as a boolean: an integer is true unless 0; a text "True" or "False" in any
// letter case, or a number. Nothing when the text is neither.
std::optional<bool> ToBoolean(const PropertyValue& value);
// A stored value as a signed 32-bit integer: true is -1 and false 0; a numeric text is
// rounded to the nearest integer, a half to the even one. Nothing when the text is no
// number or the number lies outside the 32-bit range.
std::optional<std::int32_t> ToInteger(const PropertyValue& value);
// A stored value as a text: "True" or "False", an integer in decimal, a text as it stands.
std::string ToText(const PropertyValue& value);

}  // namespace varnholt
