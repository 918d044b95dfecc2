// The painted symbol must scan: ZBar, a real decoder, reads it back as the same number.

#include <zbar.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "control/Barcode.h"
#include "model/Modulo10.h"
#include "tests/support/RecordingHost.h"

namespace varnholt {
namespace {

// ZBar declares its C interface inside this namespace when compiled as C++.
using namespace zbar;  // NOLINT(google-build-using-namespace)

constexpr int kScale = 3;    // whole-number scaling, as a screen at 300 % shows it
constexpr int kMargin = 40;  // white quiet zone around the control, in scaled pixels

class Decoder {
  public:
    Decoder() : scanner_(zbar_image_scanner_create()) {
        zbar_image_scanner_set_config(scanner_, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
        zbar_image_scanner_set_config(scanner_, ZBAR_EAN13, ZBAR_CFG_ENABLE, 1);
    }
    ~Decoder() { zbar_image_scanner_destroy(scanner_); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // Every symbol ZBar finds in the control's raster, scaled up with a white margin.
    std::vector<std::string> Scan(const raster::SoftwareSurface& raster) {
        const int width = raster.Width() * kScale + 2 * kMargin;
        const int height = raster.Height() * kScale + 2 * kMargin;
        std::vector<std::uint8_t> grey(static_cast<std::size_t>(width * height), 255);
        for (int y = 0; y < raster.Height() * kScale; ++y) {
            for (int x = 0; x < raster.Width() * kScale; ++x) {
                const ColorRef c = raster.GetPixel(x / kScale, y / kScale);
                grey[static_cast<std::size_t>((y + kMargin) * width + x + kMargin)] =
                    static_cast<std::uint8_t>(c & 0xFF);
            }
        }
        zbar_image_t* image = zbar_image_create();
        zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
        zbar_image_set_size(image, static_cast<unsigned>(width), static_cast<unsigned>(height));
        zbar_image_set_data(image, grey.data(), grey.size(), nullptr);
        zbar_scan_image(scanner_, image);
        std::vector<std::string> found;
        for (const zbar_symbol_t* symbol = zbar_image_first_symbol(image); symbol != nullptr;
             symbol = zbar_symbol_next(symbol)) {
            found.emplace_back(zbar_symbol_get_data(symbol));
        }
        zbar_image_destroy(image);
        return found;
    }

  private:
    zbar_image_scanner_t* scanner_;
};

std::vector<std::string> PaintAndScan(Decoder& decoder, test::RecordingHost& host,
                                      const std::string& number) {
    host.Control().Value(number);
    return decoder.Scan(host.Raster());
}

TEST(BarcodeDecode, KnownNumbersScanAsThemselves) {
    Decoder decoder;
    test::RecordingHost host;
    for (const char* number : {"5400101109971", "4006381333931", "0012345678905", "9780201379624",
                               "3801234567898", "0000000000000", "9999999999994"}) {
        EXPECT_EQ(PaintAndScan(decoder, host, number), std::vector<std::string>{number});
    }
}

TEST(BarcodeDecode, RandomValidNumbersScanAndWrongCheckDigitsDoNot) {
    Decoder decoder;
    test::RecordingHost host;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> digit(0, 9);
    int decoded = 0;
    for (int i = 0; i < 1000; ++i) {
        std::string body;
        for (int k = 0; k < 12; ++k) {
            body += static_cast<char>('0' + digit(random));
        }
        const std::int16_t check = Modulo10().Calculate(body);
        const std::string valid = body + static_cast<char>('0' + check);
        const std::string wrong =
            body + static_cast<char>('0' + (check + 1 + digit(random) % 9) % 10);
        const auto scanned = PaintAndScan(decoder, host, valid);
        EXPECT_EQ(scanned, std::vector<std::string>{valid});
        decoded += scanned == std::vector<std::string>{valid} ? 1 : 0;
        EXPECT_TRUE(PaintAndScan(decoder, host, wrong).empty()) << wrong;
    }
    EXPECT_EQ(decoded, 1000);
}

}  // namespace
}  // namespace varnholt
