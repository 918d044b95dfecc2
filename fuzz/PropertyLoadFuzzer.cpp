// Loading from any property store: any keys, any kinds of value, any lengths; then a paint
// and a save, and the saved store loaded again. Input: a flags byte (bit 0: start as a new
// instance), then entries while input lasts, each a key byte, a kind byte and a value:
//   key byte % 8: 0-5 a persisted name in some letter case, 6-7 a length byte and that text;
//   kind byte % 3: 0 a boolean (one byte), 1 a 32-bit integer (four bytes, little-endian),
//                  2 a text: a widening byte (see Widen), a length byte and that text.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "control/MemoryPropertyStore.h"
#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/Oracles.h"
#include "fuzz/PaintChecks.h"
#include "fuzz/Require.h"
#include "model/Ascii.h"

namespace varnholt::fuzz {
namespace {

// Far past any limit of the control; the paint fuzzer goes up to 1 MB.
constexpr std::size_t kLongest = 1 << 18;
constexpr std::array<std::string_view, 6> kKeys{"Enabled", "ForeColor", "Value",
                                                "ENABLED", "forecolor", "vALUE"};

using Entries = std::vector<std::pair<std::string, PropertyValue>>;

// Reads the entries and writes them to `store`; returns them as the store should now hold
// them: a later entry under the same key, in any letter case, replaces the earlier value.
Entries Fill(FuzzInput& input, MemoryPropertyStore& store) {
    Entries entries;
    while (!input.Empty()) {
        const auto keyByte = input.Take<std::uint8_t>();
        std::string key(kKeys[keyByte % 8 < 6 ? keyByte % 8 : 0]);
        if (keyByte % 8 >= 6) {
            key = input.TakeText(input.Take<std::uint8_t>());
        }
        PropertyValue value;
        switch (input.Take<std::uint8_t>() % 3) {
            case 0:
                value = (input.Take<std::uint8_t>() & 1) != 0;
                break;
            case 1:
                value = input.Take<std::int32_t>();
                break;
            default: {
                const auto width = input.Take<std::uint8_t>();
                value = Widen(input.TakeText(input.Take<std::uint8_t>()), width, kLongest);
            }
        }
        // A default of another kind never equals the value, so the value is always kept.
        const PropertyValue otherKind = std::holds_alternative<bool>(value)
                                            ? PropertyValue{std::int32_t{0}}
                                            : PropertyValue{false};
        store.Write(key, value, otherKind);
        const auto same = std::ranges::find_if(
            entries, [&](const auto& entry) { return EqualsIgnoringCase(entry.first, key); });
        if (same != entries.end()) {
            same->second = value;
        } else {
            entries.emplace_back(key, value);
        }
    }
    return entries;
}

const PropertyValue* Find(const Entries& entries, std::string_view key) {
    for (const auto& [name, value] : entries) {
        if (EqualsIgnoringCase(name, key)) {
            return &value;
        }
    }
    return nullptr;
}

std::string TextOf(const PropertyValue& value) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? "True" : "False";
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return std::to_string(*number);
    }
    return std::get<std::string>(value);
}

// Enabled as the stored value sets it, or nothing where that is left open: a text that is
// neither "True"/"False" nor a number leaves the field as it was, and a number a double
// might not hold is not judged here.
std::optional<bool> EnabledFrom(const PropertyValue& value, bool before) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number != 0;
    }
    const auto& text = std::get<std::string>(value);
    if (EqualsIgnoringCase(text, "true")) {
        return true;
    }
    if (EqualsIgnoringCase(text, "false")) {
        return false;
    }
    if (!LooksNumeric(text)) {
        return before;
    }
    const std::optional<bool> zero = IsZeroNumber(text);
    return zero ? std::optional<bool>(!*zero) : std::nullopt;
}

// ForeColor as a boolean or an integer sets it; a text that is no number leaves it. Other
// texts are numbers rounded to 32 bits, not judged here.
std::optional<OleColor> ColorFrom(const PropertyValue& value, OleColor before) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? 0xFFFFFFFFu : 0u;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return static_cast<OleColor>(*number);
    }
    if (!LooksNumeric(std::get<std::string>(value))) {
        return before;
    }
    return std::nullopt;
}

void RequireLoaded(const Barcode& control, const Entries& entries, bool enabledBefore,
                   OleColor colorBefore) {
    const PropertyValue* value = Find(entries, "Value");
    VARNHOLT_REQUIRE(control.Value() ==
                     (value ? TextOf(*value) : std::string(Barcode::DefaultValue)));
    const PropertyValue* enabled = Find(entries, "Enabled");
    const std::optional<bool> expectEnabled =
        enabled ? EnabledFrom(*enabled, enabledBefore) : std::optional<bool>(true);
    if (expectEnabled) {
        VARNHOLT_REQUIRE(control.Enabled() == *expectEnabled);
    }
    const PropertyValue* color = Find(entries, "ForeColor");
    const std::optional<OleColor> expectColor =
        color ? ColorFrom(*color, colorBefore) : std::optional<OleColor>(kWindowTextColor);
    if (expectColor) {
        VARNHOLT_REQUIRE(control.ForeColor() == *expectColor);
    }
}

// A saved store keeps exactly the properties that differ from their defaults, and loading it
// gives the same three properties back.
void RequireSaveRoundTrip(FuzzHost& host) {
    const Barcode& control = host.Control();
    MemoryPropertyStore saved;
    control.OnSave(saved);
    VARNHOLT_REQUIRE(saved.Contains("Enabled") == !control.Enabled());
    VARNHOLT_REQUIRE(saved.Contains("ForeColor") == (control.ForeColor() != kWindowTextColor));
    VARNHOLT_REQUIRE(saved.Contains("Value") == (control.Value() != Barcode::DefaultValue));
    VARNHOLT_REQUIRE(saved.Size() == static_cast<std::size_t>(saved.Contains("Enabled")) +
                                         saved.Contains("ForeColor") + saved.Contains("Value"));

    FuzzHost again;
    again.Control().OnLoad(saved);
    VARNHOLT_REQUIRE(again.Control().Enabled() == control.Enabled());
    VARNHOLT_REQUIRE(again.Control().ForeColor() == control.ForeColor());
    VARNHOLT_REQUIRE(again.Control().Value() == control.Value());
}

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt;
    using namespace varnholt::fuzz;
    FuzzInput input(data, size);
    const auto flags = input.Take<std::uint8_t>();
    MemoryPropertyStore store;
    const Entries entries = Fill(input, store);

    FuzzHost host;
    if ((flags & 1) != 0) {
        host.Control().OnNewInstance();
    }
    const bool enabledBefore = host.Control().Enabled();
    const OleColor colorBefore = host.Control().ForeColor();
    host.Control().OnLoad(store);
    RequireLoaded(host.Control(), entries, enabledBefore, colorBefore);

    host.Paint();
    RequireSoundPaint(host);
    RequireSaveRoundTrip(host);
    return 0;
}
