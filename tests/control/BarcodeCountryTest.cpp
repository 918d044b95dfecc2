#include <gtest/gtest.h>

#include <string>

#include "control/Barcode.h"
#include "control/MemoryPropertyStore.h"
#include "model/Country.h"
#include "tests/support/RecordingHost.h"

namespace varnholt {
namespace {

// A prefix 0 to 999 as three digits, "007".
std::string ThreeDigits(int prefix) {
    std::string digits = std::to_string(prefix);
    return std::string(3 - digits.size(), '0') + digits;
}

std::string CountryAfterPainting(test::RecordingHost& host, const std::string& value) {
    host.Control().OnLoad(MemoryPropertyStore{{"Value", value}});
    host.Paint();
    return host.Control().Country();
}

// Painting finds the country the model gives the number, whatever its length or characters.
TEST(BarcodeCountry, PaintingFindsTheNumbersCountry) {
    test::RecordingHost host;
    for (int prefix = 0; prefix <= 999; ++prefix) {
        const std::string digits = ThreeDigits(prefix);
        for (const std::string& value : {digits, digits + "1234567890"}) {
            EXPECT_EQ(CountryAfterPainting(host, value), CountryOf(value)) << value;
        }
    }
    for (const char* value : {"45", "38", "4", "", "038", "0380000000000", "x5", "9e2", "5x8",
                              " 978", "+978", "20", "92", "5400101109971"}) {
        EXPECT_EQ(CountryAfterPainting(host, value), CountryOf(value)) << '"' << value << '"';
    }
    EXPECT_EQ(CountryAfterPainting(host, "5400101109971"), "BE-LU");
}

TEST(BarcodeCountry, DoesNotDependOnValidity) {
    test::RecordingHost host;
    EXPECT_EQ(CountryAfterPainting(host, "3801234567890"), "BG");
    EXPECT_FALSE(host.Control().Valid());
}

}  // namespace
}  // namespace varnholt
