#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace varnholt {

// The symbols that carry GS1 data (Application Identifiers, or a Digital Link URI) rather than
// a number of the EAN/UPC family.
enum class DataCarrier : unsigned char { Gs1128, DataMatrix, QrCode };

// A data carrier as options name it and as GS1 writes it.
struct DataCarrierName {
    DataCarrier carrier;
    std::string_view name;   // "gs1-128", "datamatrix", "qr": what --symbology takes
    std::string_view title;  // "GS1-128", "DataMatrix", "QR Code": what files and messages say
};

// Every data carrier, in the order of DataCarrier.
inline constexpr std::array<DataCarrierName, 3> kDataCarrierNames{{
    {DataCarrier::Gs1128, "gs1-128", "GS1-128"},
    {DataCarrier::DataMatrix, "datamatrix", "DataMatrix"},
    {DataCarrier::QrCode, "qr", "QR Code"},
}};

constexpr bool CarrierNamesAreInOrder() {
    for (std::size_t i = 0; i < kDataCarrierNames.size(); ++i) {
        if (static_cast<std::size_t>(kDataCarrierNames[i].carrier) != i) {
            return false;
        }
    }
    return true;
}
static_assert(CarrierNamesAreInOrder(), "one name per data carrier, in the order of DataCarrier");

// GS1's name of the carrier: "GS1-128", "DataMatrix", "QR Code".
constexpr std::string_view TitleOf(DataCarrier carrier) noexcept {
    return kDataCarrierNames[static_cast<std::size_t>(carrier)].title;
}

}  // namespace varnholt
