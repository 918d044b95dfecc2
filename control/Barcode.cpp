#include "control/Barcode.h"

#include "control/Guarded.h"
#include "model/LeadingNumber.h"

namespace varnholt {
namespace {

constexpr std::size_t kMaxValueLength = 13;

}  // namespace

bool Barcode::IsAcceptedValue(std::string_view text) noexcept {
    if (text.size() > kMaxValueLength) {
        return false;
    }
    return text.empty() || (IsNumericText(text) && !(ReadLeadingNumber(text).value < 0.0));
}

void Barcode::Value(std::string_view newValue) {
    if (!IsAcceptedValue(newValue)) {
        return;
    }
    value_ = std::string(newValue);
    host_.PropertyChanged("Value");
    host_.Repaint();
}

void Barcode::Enabled(bool newValue) {
    enabled_ = newValue;
    host_.PropertyChanged("Enabled");
    host_.Repaint();
}

void Barcode::ForeColor(OleColor newValue) {
    foreColor_ = newValue;
    host_.PropertyChanged("ForeColor");
    host_.Repaint();
}

void Barcode::Refresh() {
    host_.Repaint();
}

void Barcode::OnNewInstance() {
    enabled_ = true;
    foreColor_ = kWindowTextColor;
    value_ = std::string(DefaultValue);
}

void Barcode::OnLoad(const PropertyStore& store) noexcept {
    Guarded([&] {
        if (const auto enabled = ToBoolean(store.Read("Enabled", true))) {
            enabled_ = *enabled;
        }
    });
    Guarded([&] {
        const auto stored = store.Read("ForeColor", static_cast<std::int32_t>(kWindowTextColor));
        if (const auto color = ToInteger(stored)) {
            foreColor_ = static_cast<OleColor>(*color);
        }
    });
    Guarded([&] { value_ = ToText(store.Read("Value", std::string(DefaultValue))); });
}

void Barcode::OnSave(PropertyStore& store) const {
    store.Write("Enabled", enabled_, true);
    store.Write("ForeColor", static_cast<std::int32_t>(foreColor_),
                static_cast<std::int32_t>(kWindowTextColor));
    store.Write("Value", std::string(ValueText()), std::string(DefaultValue));
}

void Barcode::OnResize() {
    host_.SetWidth(host_.TwipsPerPixel() * static_cast<float>(Width));
}

void Barcode::OnClick() {
    host_.RaiseEvent(Click);
}

void Barcode::OnDoubleClick() {
    host_.RaiseEvent(DblClick);
}

}  // namespace varnholt
