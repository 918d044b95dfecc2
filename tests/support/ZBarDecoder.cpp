#include <zbar.h>

#include <initializer_list>
#include <utility>

#include "tests/support/Decoders.h"

namespace varnholt::test {
namespace {

// ZBar declares its C interface inside this namespace when compiled as C++.
using namespace zbar;  // NOLINT(google-build-using-namespace)

// Each symbol ZBar finds with only `enabled` on: its symbology's name and its data.
std::vector<std::pair<std::string, std::string>> Scan(
    const GreyImage& image, std::initializer_list<zbar_symbol_type_t> enabled) {
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    for (const zbar_symbol_type_t symbology : enabled) {
        zbar_image_scanner_set_config(scanner, symbology, ZBAR_CFG_ENABLE, 1);
    }
    zbar_image_t* zimage = zbar_image_create();
    zbar_image_set_format(zimage, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(zimage, static_cast<unsigned>(image.width),
                        static_cast<unsigned>(image.height));
    zbar_image_set_data(zimage, image.pixels.data(), image.pixels.size(), nullptr);
    zbar_scan_image(scanner, zimage);
    std::vector<std::pair<std::string, std::string>> found;
    for (const zbar_symbol_t* symbol = zbar_image_first_symbol(zimage); symbol != nullptr;
         symbol = zbar_symbol_next(symbol)) {
        found.emplace_back(zbar_get_symbol_name(zbar_symbol_get_type(symbol)),
                           zbar_symbol_get_data(symbol));
    }
    zbar_image_destroy(zimage);
    zbar_image_scanner_destroy(scanner);
    return found;
}

}  // namespace

std::vector<std::string> DecodeWithZBar(const GreyImage& image) {
    std::vector<std::string> found;
    for (auto& [name, data] : Scan(image, {ZBAR_EAN13, ZBAR_EAN8})) {
        found.push_back(std::move(data));
    }
    return found;
}

std::vector<std::string> DecodeFamilyWithZBar(const GreyImage& image) {
    // ZBar reads an add-on as a symbol of its own, beside the main one.
    std::vector<std::string> mains;
    std::vector<std::string> addOns;
    for (const auto& [name, data] :
         Scan(image, {ZBAR_EAN13, ZBAR_EAN8, ZBAR_UPCA, ZBAR_UPCE, ZBAR_EAN2, ZBAR_EAN5})) {
        (name == "EAN-2" || name == "EAN-5" ? addOns : mains).push_back(name + " " + data);
    }
    if (mains.size() == 1 && addOns.size() == 1) {
        return {mains.front() + "+" + addOns.front().substr(addOns.front().find(' ') + 1)};
    }
    mains.insert(mains.end(), addOns.begin(), addOns.end());
    return mains;
}

std::vector<std::string> DecodeSymbolWithZBar(const GreyImage& image) {
    std::vector<std::string> found;
    for (auto& [name, data] : Scan(image, {ZBAR_CODE128, ZBAR_QRCODE})) {
        found.push_back(std::move(data));
    }
    return found;
}

}  // namespace varnholt::test
