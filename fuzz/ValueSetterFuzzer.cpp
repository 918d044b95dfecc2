// The Value setter on any text: it either refuses the text and leaves no trace, or stores it,
// announces "Value" and paints it. Input: a flags byte (bit 0: start as a new instance), the
// length of a first value and that value, which is set first, then the text under test.

#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/Oracles.h"
#include "fuzz/PaintChecks.h"
#include "fuzz/Require.h"

namespace varnholt::fuzz {
namespace {

// Whether the setter must take `text`, or nothing where its rules leave room to doubt: a
// negative number whose value a double might not hold.
std::optional<bool> MustAccept(const std::string& text) {
    if (text.size() > 13) {
        return false;
    }
    if (text.empty()) {
        return true;
    }
    if (!LooksNumeric(text)) {
        return false;
    }
    if (text[text.find_first_not_of(' ')] != '-') {
        return true;
    }
    // A minus sign: negative numbers are refused, minus zero is zero.
    const std::optional<bool> zero = IsZeroNumber(text);
    return zero ? std::optional<bool>(*zero) : std::nullopt;
}

void SetValue(FuzzHost& host, const std::string& text, const std::string& lastPainted) {
    Barcode& control = host.Control();
    const std::string before = control.Value();
    const int repaints = host.Count("Repaint");
    const int announced = host.Count("PropertyChanged Value");
    const int raised = host.Count("RaiseEvent 1");
    const std::size_t logged = host.HostCalls().size();

    control.Value(text);

    const bool accepted = host.HostCalls().size() != logged;
    if (const std::optional<bool> must = MustAccept(text)) {
        VARNHOLT_REQUIRE(accepted == *must);
    }
    if (!accepted) {
        VARNHOLT_REQUIRE(control.Value() == before);
        VARNHOLT_REQUIRE(host.HostCalls().size() == logged);
        return;
    }
    VARNHOLT_REQUIRE(control.Value() == text);
    VARNHOLT_REQUIRE(host.Count("PropertyChanged Value") == announced + 1);
    VARNHOLT_REQUIRE(host.Count("Repaint") == repaints + 1);
    const bool changed = text != lastPainted;
    VARNHOLT_REQUIRE(host.Count("RaiseEvent 1") == raised + (changed ? 1 : 0));
    RequireSoundPaint(host);
}

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt;
    using namespace varnholt::fuzz;
    FuzzInput input(data, size);
    const auto flags = input.Take<std::uint8_t>();
    const auto firstLength = input.Take<std::uint8_t>();
    const std::string first(input.TakeText(firstLength));
    const std::string text(input.Rest());

    FuzzHost host;
    if ((flags & 1) != 0) {
        host.Control().OnNewInstance();
    }
    // Nothing painted yet reads as the empty text.
    SetValue(host, first, "");
    SetValue(host, text, host.Paints() > 0 ? host.Control().Value() : std::string());
    return 0;
}
