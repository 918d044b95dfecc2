#include "demo/FormVarnholt.h"

#include "control/VirtualKeys.h"

namespace varnholt {
namespace {

constexpr std::size_t kFullLength = 13;

}  // namespace

void FormVarnholt::Form_KeyDown(std::int16_t& KeyCode, std::int16_t /*Shift*/) {
    const std::size_t length = Barcode1.Value().size();
    if (KeyCode == vk::kBack) {
        if (length > 0) {
            std::string value = Barcode1.Value();
            value.pop_back();
            Barcode1.Value(value);
        }
    } else if (KeyCode == vk::kDelete) {
        Barcode1.Value("");
    } else if (KeyCode >= vk::kDigit0 && KeyCode <= vk::kDigit9) {
        // At 13 characters this hands the setter 14, which it refuses: the number stops.
        if (length <= kFullLength) {
            Barcode1.Value(Barcode1.Value() + static_cast<char>(KeyCode));
        }
    } else if (KeyCode >= vk::kPad0 && KeyCode <= vk::kPad9) {
        if (length <= kFullLength) {
            Barcode1.Value(Barcode1.Value() + static_cast<char>(KeyCode - vk::kPad0 + '0'));
        }
    }
}

void FormVarnholt::Barcode1_Change() {
    if (Barcode1.Value().size() != kFullLength) {
        return;
    }
    messageBox_.Show(Facts(Barcode1));
}

std::string FormVarnholt::Facts(const Barcode& barcode) {
    const bool valid = barcode.Valid();
    const std::string country = barcode.Country();
    const std::string numberSystem = ToText(barcode.NumberSystem());
    const std::string manufacturerCode = ToText(barcode.ManufacturerCode());
    const std::string productCode = ToText(barcode.ProductCode());
    return std::string(valid ? "True" : "False") + "\r\n" + country + "\r\n" + numberSystem +
           "\r\n" + manufacturerCode + "\r\n" + productCode;
}

}  // namespace varnholt
