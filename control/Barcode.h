#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "control/BarcodeMembers.h"
#include "control/Color.h"
#include "control/ControlHost.h"
#include "control/PropertyStore.h"
#include "model/CodePart.h"

namespace varnholt {

// A visual control that draws the EAN-13 symbol of its Value, one pixel per module, and
// works out what the number says: Valid, Country, NumberSystem, ManufacturerCode and
// ProductCode. Painting is the only place, besides creation, where those five change; their
// getters return what the last paint left. Everything runs on the host's one thread, and
// every repaint the control asks for runs before the request returns.
class Barcode {
  public:
    // Event numbers, as handed to ControlHost::RaiseEvent.
    enum Event : int { Change = 1, Click = 2, DblClick = 3 };

    // Published descriptions of the members (slot order) and events (by number).
    static constexpr const auto& Members = BarcodeMembers;
    static constexpr const auto& Events = BarcodeEvents;

    // The number a new control shows.
    static constexpr std::string_view DefaultValue = "5400101109971";
    // The width the control keeps, in pixels: 95 modules with room for the first digit.
    static constexpr int Width = 115;

    // Creates the control in `host`, which must outlive it. The derived properties start
    // reset; Enabled is false, ForeColor 0 and Value empty until OnNewInstance or OnLoad.
    explicit Barcode(ControlHost& host) noexcept : host_(host) {}
    Barcode(const Barcode&) = delete;
    Barcode& operator=(const Barcode&) = delete;

    // The ISO 3166-1 alpha-2 code(s) of the number's GS1 prefix, joined by "-", or "ISSN",
    // "ISBN", "ISMN"; empty when the prefix serves none or the number has under 2 characters.
    std::string Country() const { return country_; }

    // Whether the control responds to clicks. Setting it announces "Enabled" and repaints,
    // even when unchanged; the host's enabled state follows at that paint.
    bool Enabled() const noexcept { return enabled_; }
    void Enabled(bool newValue);

    // Colour of bars and digits: 0x00BBGGRR, or 0x800000nn for system colour nn. Any value
    // is taken; setting it announces "ForeColor" and repaints, even when unchanged.
    OleColor ForeColor() const noexcept { return foreColor_; }
    void ForeColor(OleColor newValue);

    // For a 13-character Value at the last paint, the fields EAN::Check cut from it; the
    // integer 0 for any other length.
    CodePart ManufacturerCode() const { return manufacturerCode_; }
    CodePart NumberSystem() const { return numberSystem_; }
    CodePart ProductCode() const { return productCode_; }

    // What EAN::Check said of Value at the last paint, for a 13-character Value; false for any
    // other length. EAN::Check ignores blanks and hyphens, so an 8-digit EAN-8 number padded
    // with blanks to 13 characters counts as valid too.
    bool Valid() const noexcept { return valid_; }

    // The number to draw. The setter silently refuses a text that is not numeric, whose
    // leading number is below zero, or that has more than 13 characters: nothing changes
    // and nothing is reported. Otherwise it stores the text, announces "Value" and repaints
    // (which raises Change when the text differs from the last painted one), even when the
    // text is the one already held.
    std::string Value() const { return std::string(ValueText()); }
    void Value(std::string_view newValue);

    // Repaints the whole control; returns when the paint has run.
    void Refresh();

    // Host notifications.

    // First placement, nothing stored: Enabled true, ForeColor the window-text colour,
    // Value DefaultValue. Announces nothing and requests no repaint.
    void OnNewInstance();
    // Restores "Enabled", "ForeColor" and "Value" from `store`, each key by itself: a key that
    // cannot be read or converted leaves its field as it was. Value is taken unchecked.
    // Announces nothing and requests no repaint.
    void OnLoad(const PropertyStore& store) noexcept;
    // Keeps the control Width pixels wide by asking the host for that width in twips; a
    // failure of the host reaches the caller.
    void OnResize();
    // Draws the symbol of Value onto the host's surface (already filled white) and
    // recomputes the derived properties; raises Change when Value differs from the last
    // painted one. Never fails: a step that fails is skipped.
    void OnPaint() noexcept;
    // Raise Click and DblClick. The host sends these only while the control is enabled.
    void OnClick();
    void OnDoubleClick();
    // Writes the three persisted properties, each with its default (a default is not
    // kept). Stops at the first failure of the store, which reaches the caller.
    void OnSave(PropertyStore& store) const;

  private:
    // Value as a text; no value reads as the empty text.
    std::string_view ValueText() const noexcept { return value_ ? *value_ : std::string_view{}; }
    static bool IsAcceptedValue(std::string_view text) noexcept;

    void DrawSymbol(std::string_view value) noexcept;
    void CheckNumber() noexcept;
    void DrawGuardPair(std::uint8_t Pair);
    void DrawDigitModules(std::uint8_t Half, std::int16_t Position, std::string_view Pattern);
    void DrawDigitText(std::int16_t Position, std::uint8_t Digit);
    std::int32_t TranslateColor(OleColor Color, std::uintptr_t Palette);
    void FindCountry(std::int16_t firstDigit, std::int16_t secondDigit, std::string_view head);

    ControlHost& host_;
    OleColor foreColor_ = 0;
    bool enabled_ = false;
    bool valid_ = false;
    std::string country_;
    CodePart manufacturerCode_{std::int16_t{0}};
    CodePart numberSystem_{std::int16_t{0}};
    CodePart productCode_{std::int16_t{0}};
    std::optional<std::string> value_;
    // Value as the last paint saw it. It starts with no value, which compares equal to the
    // empty text only, so the empty text stands for it.
    std::string lastPaintedValue_;
};

}  // namespace varnholt
