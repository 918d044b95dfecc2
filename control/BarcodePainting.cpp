#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <stdexcept>

#include "control/Barcode.h"
#include "control/Guarded.h"
#include "control/RoundToInt32.h"
#include "model/Digit.h"
#include "model/EAN.h"
#include "model/EncodingTables.h"

namespace varnholt {
namespace {

// Every bar starts at this row.
constexpr int kBarTop = 4;
// Rows between a bar's exclusive bottom edge and the bottom of the drawing area.
constexpr double kDataBarGap = 15.0;
constexpr double kGuardBarGap = 7.0;
// The positions that carry a drawn digit; characters after them are neither stored nor drawn.
constexpr std::size_t kDrawnPositions = 13;

// Row `gap` rows above the bottom of a drawing area of `height` pixels, rounded a half to
// even; a height that gives no 32-bit row fails the drawing step.
int RowAboveBottom(float height, double gap) {
    const double exact = static_cast<double>(height) - gap;
    const std::optional<std::int32_t> row = RoundToInt32(exact);
    if (!row) {
        throw std::range_error("drawing area height out of range");
    }
    return *row;
}

// One drawing step's pen: selected for the step, then the previous pen is put back and ours
// released. If the step fails half-way, the destructor still does both, so that no pen is
// lost to a failure.
class PenScope {
  public:
    PenScope(ControlHost& host, PenHandle pen) noexcept : host_(host), pen_(pen) {}
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

    void Select() {
        previous_ = host_.Surface().SelectObject(pen_);
        selected_ = true;
    }

    // Puts the previous pen back and releases the pen that this hands back, ours.
    void Restore() {
        DrawingSurface& surface = host_.Surface();
        const PenHandle ours = surface.SelectObject(previous_);
        selected_ = false;
        released_ = true;
        surface.DeleteObject(ours);
    }

    ~PenScope() {
        Guarded([this] {
            if (selected_) {
                Restore();
            } else if (!released_) {
                host_.Surface().DeleteObject(pen_);
            }
        });
    }

  private:
    ControlHost& host_;
    PenHandle pen_;
    PenHandle previous_ = 0;
    bool selected_ = false;
    bool released_ = false;
};

// One drawing step with a fresh pen of `color`: made, selected, used by `draw`, then the
// previous pen put back and ours released. A surface that cannot make the pen draws nothing.
template <class Draw>
void WithPen(ControlHost& host, ColorRef color, Draw&& draw) {
    const PenHandle pen = host.Surface().CreatePen(DrawingSurface::kSolidPen, 1, color);
    if (pen == 0) {
        return;
    }
    PenScope scope(host, pen);
    scope.Select();
    draw();
    scope.Restore();
}

}  // namespace

void Barcode::OnPaint() noexcept {
    country_.clear();
    manufacturerCode_ = std::int16_t{0};
    numberSystem_ = std::int16_t{0};
    productCode_ = std::int16_t{0};
    valid_ = false;
    Guarded([this] { host_.SetEnabledState(enabled_); });

    const std::string_view value = ValueText();
    if (!value.empty()) {
        DrawSymbol(value);
        if (value.size() == kDrawnPositions) {
            CheckNumber();
        }
    }

    if (ValueText() != lastPaintedValue_) {
        Guarded([this] { host_.RaiseEvent(Change); });
        // A Change handler may have set Value again; remember the value as it stands now.
        // Without a change there is nothing to remember, and a long value is not copied.
        Guarded([this] { lastPaintedValue_ = ValueText(); });
    }
}

// Draws the guards and each position's modules and digit, and finds the country. Works on a
// copy of the characters it draws, as the host is called in between.
void Barcode::DrawSymbol(std::string_view value) noexcept {
    std::array<char, kDrawnPositions> head{};
    const std::size_t drawn = std::min(value.size(), kDrawnPositions);
    std::copy_n(value.begin(), drawn, head.begin());
    const std::string_view characters(head.data(), drawn);

    std::array<std::int16_t, kDrawnPositions> digits{};
    std::string_view parity;
    for (std::size_t index = 0; index < drawn; ++index) {
        const auto p = static_cast<std::int16_t>(index + 1);
        const std::int16_t d = digits[index] = DigitValue(characters[index]);
        const auto digit = static_cast<std::uint8_t>(d);
        if (p == 1) {
            parity = FirstDigitParity[digit];
            Guarded([this] { DrawGuardPair(1); });
            Guarded([&] { DrawDigitText(1, digit); });
        } else if (p <= 7) {
            Guarded([&] {
                const char set = parity.size() > index - 1 ? parity[index - 1] : '\0';
                if (set == 'A') {
                    DrawDigitModules(1, p, PatternsA[digit]);
                } else if (set == 'B') {
                    DrawDigitModules(1, p, PatternsB[digit]);
                }
            });
            Guarded([&] { DrawDigitText(p, digit); });
        } else {
            if (p == 8) {
                Guarded([this] { DrawGuardPair(2); });
            }
            Guarded([&] { DrawDigitModules(2, p, PatternsC[digit]); });
            Guarded([&] { DrawDigitText(p, digit); });
            if (p == 13) {
                Guarded([this] { DrawGuardPair(3); });
            }
        }
        // The country depends only on the first characters, so every position from the
        // second on would find the same; finding it once is enough.
        if (p == 2) {
            Guarded([&] { FindCountry(digits[0], digits[1], characters); });
        }
    }
}

// For a 13-character Value: Valid and the number's fields, from an EAN made for this paint.
void Barcode::CheckNumber() noexcept {
    std::optional<EAN> ean;
    Guarded([&] {
        ean.emplace();
        valid_ = ean->Check(ValueText());
    });
    if (!ean) {
        return;
    }
    Guarded([&] { manufacturerCode_ = ean->ManufacturerCode(); });
    Guarded([&] { numberSystem_ = ean->NumberSystem(); });
    Guarded([&] { productCode_ = ean->ProductCode(); });
}

void Barcode::DrawGuardPair(std::uint8_t Pair) {
    const auto color = static_cast<ColorRef>(TranslateColor(foreColor_, 0));
    WithPen(host_, color, [&] {
        const int x1 = 46 * Pair - 31;
        const int x2 = 46 * Pair - 29;
        // Each bar reads the height afresh.
        int bottom = RowAboveBottom(host_.DrawingAreaHeight(), kGuardBarGap);
        host_.Surface().Rectangle(x1, kBarTop, x1 + 1, bottom);
        bottom = RowAboveBottom(host_.DrawingAreaHeight(), kGuardBarGap);
        host_.Surface().Rectangle(x2, kBarTop, x2 + 1, bottom);
    });
}

void Barcode::DrawDigitModules(std::uint8_t Half, std::int16_t Position, std::string_view Pattern) {
    const auto color = static_cast<ColorRef>(TranslateColor(foreColor_, 0));
    WithPen(host_, color, [&] {
        for (int k = 1; k <= 7; ++k) {
            if (static_cast<std::size_t>(k) <= Pattern.size() &&
                Pattern[static_cast<std::size_t>(k - 1)] == '1') {
                const int x = 5 * Half + 7 * Position + k - 2;
                const int bottom = RowAboveBottom(host_.DrawingAreaHeight(), kDataBarGap);
                host_.Surface().Rectangle(x, kBarTop, x + 1, bottom);
            }
        }
    });
}

void Barcode::DrawDigitText(std::int16_t Position, std::uint8_t Digit) {
    int x = 0;
    if (Position == 1) {
        x = 4;
    } else if (Position >= 2 && Position <= 7) {
        x = 6 * Position + 8;
    } else if (Position >= 8 && Position <= 13) {
        x = 6 * Position + 19;
    }
    const auto color = static_cast<ColorRef>(TranslateColor(foreColor_, 0));
    host_.Surface().SetTextColor(color);
    const int y = RowAboveBottom(host_.DrawingAreaHeight(), kDataBarGap);
    // The decimal text of Digit, of which the first character is drawn.
    std::array<char, 3> text{};
    const char* end = std::to_chars(text.data(), text.data() + text.size(), Digit).ptr;
    host_.Surface().TextOutA(x, y, std::string_view(text.data(), end), 1);
}

std::int32_t Barcode::TranslateColor(OleColor Color, std::uintptr_t Palette) {
    ColorRef result = 0;
    if (host_.Surface().OleTranslateColor(Color, Palette, &result) == 0) {
        return static_cast<std::int32_t>(result);
    }
    return -1;
}

}  // namespace varnholt
