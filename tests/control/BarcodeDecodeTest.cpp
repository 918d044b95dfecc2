// The painted symbol must scan: ZBar and ZXing-cpp, real decoders, read it back as the same
// number.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "control/Barcode.h"
#include "model/Modulo10.h"
#include "tests/support/Decoders.h"
#include "tests/support/RecordingHost.h"

namespace varnholt {
namespace {

constexpr int kScale = 3;    // whole-number scaling, as a screen at 300 % shows it
constexpr int kMargin = 40;  // white quiet zone around the control, in scaled pixels

// The control's raster scaled up, with a white margin.
test::GreyImage Picture(const raster::SoftwareSurface& raster) {
    test::GreyImage image{raster.Width() * kScale, raster.Height() * kScale, {}};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            image.pixels.push_back(
                static_cast<std::uint8_t>(raster.GetPixel(x / kScale, y / kScale) & 0xFF));
        }
    }
    return image.WithMargin(kMargin);
}

std::vector<std::string> PaintAndScan(test::RecordingHost& host, const std::string& number) {
    host.Control().Value(number);
    return test::DecodeWithZBar(Picture(host.Raster()));
}

TEST(BarcodeDecode, KnownNumbersScanAsThemselves) {
    test::RecordingHost host;
    for (const char* number : {"5400101109971", "4006381333931", "0012345678905", "9780201379624",
                               "3801234567898", "0000000000000", "9999999999994"}) {
        EXPECT_EQ(PaintAndScan(host, number), std::vector<std::string>{number});
        EXPECT_EQ(test::DecodeWithZXing(Picture(host.Raster())), std::vector<std::string>{number});
    }
}

TEST(BarcodeDecode, RandomValidNumbersScanAndWrongCheckDigitsDoNot) {
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
        const auto scanned = PaintAndScan(host, valid);
        EXPECT_EQ(scanned, std::vector<std::string>{valid});
        decoded += scanned == std::vector<std::string>{valid} ? 1 : 0;
        EXPECT_TRUE(PaintAndScan(host, wrong).empty()) << wrong;
    }
    EXPECT_EQ(decoded, 1000);
}

}  // namespace
}  // namespace varnholt
