// GS1-128 symbols drawn and read back by ZXing-cpp and ZBar; zint's symbol for the same fields
// is the length not to exceed.

#include <gtest/gtest.h>
#include <zint.h>

#include <random>
#include <string>
#include <vector>

#include "model/Gs1128.h"
#include "tests/support/CaseName.h"
#include "tests/support/Decoders.h"
#include "tests/support/SymbolImages.h"

namespace varnholt {
namespace {

const std::string kGs = "\x1D";

// GS1-128 rows: an element string, GS between fields.
struct LinearRow {
    std::string name;
    std::string data;
};

test::GreyImage ImageOf(const Gs1128Symbol& symbol) {
    return test::ImageOfModules(symbol.Text(), 3, 60, Gs1128Symbol::kQuietZoneModules);
}

class Gs1128Decoded : public testing::TestWithParam<LinearRow> {};

TEST_P(Gs1128Decoded, ReadsBackWithZXingAndZBar) {
    const LinearRow& row = GetParam();
    const Result<Gs1128Symbol> symbol = EncodeGs1128(row.data);
    ASSERT_TRUE(symbol) << symbol.Error();
    const test::GreyImage image = ImageOf(*symbol);
    EXPECT_EQ(test::DecodeSymbolWithZXing(image), std::vector<std::string>{"]C1" + row.data});
    EXPECT_EQ(test::DecodeSymbolWithZBar(image), std::vector<std::string>{row.data});
}

INSTANTIATE_TEST_SUITE_P(
    ElementStrings, Gs1128Decoded,
    testing::Values(LinearRow{"Gtin", "0109506000134352"},
                    LinearRow{"GtinExpiryBatch",
                              "010950600013435217271231"
                              "10AB-123"},
                    LinearRow{"BatchThenSerial", "10AB-123" + kGs + "21XYZ-99"},
                    LinearRow{"OddDigitsAroundSeparator", "10123" + kGs + "2145678"},
                    LinearRow{"LowerAndControl", "91ab\tcd" + kGs + "92EF"},
                    LinearRow{"FortyEight",
                              "10" + std::string(22, 'A') + kGs + "21" + std::string(21, 'b')}),
    test::CaseName{});

// The modules zint draws for the same fields, as a peer's count to beat or equal.
std::size_t ZintModules(const std::string& bracketed) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_GS1_128;
    symbol->input_mode = GS1_MODE | GS1NOCHECK_MODE;
    const int status =
        ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(bracketed.data()),
                        static_cast<int>(bracketed.size()));
    const std::size_t modules = status < ZINT_ERROR ? static_cast<std::size_t>(symbol->width) : 0;
    ZBarcode_Delete(symbol);
    return modules;
}

// Random fields of GS1's free-text AIs 90-99, each a mix of digit runs, upper and lower case
// and punctuation, so that the symbol changes code set often; seeded, so a failure repeats.
TEST(Gs1128Random, DecodesAndIsNoLongerThanZints) {
    std::mt19937 random(20261209);
    const std::string letters = "ABCDEFXYZabcdefxyz-./%&";
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
        std::string data;
        std::string bracketed;
        const int fields = std::uniform_int_distribution<int>(1, 3)(random);
        for (int f = 0; f < fields; ++f) {
            const std::string ai = "9" + std::to_string(random() % 10);
            std::string value;
            const int runs = std::uniform_int_distribution<int>(1, 4)(random);
            for (int r = 0; r < runs; ++r) {
                const int length = std::uniform_int_distribution<int>(1, 6)(random);
                const bool digits = random() % 2 == 0;
                for (int i = 0; i < length; ++i) {
                    value += digits ? static_cast<char>('0' + random() % 10)
                                    : letters[random() % letters.size()];
                }
            }
            data += (f > 0 ? kGs : "") + ai + value;
            bracketed += "[" + ai + "]" + value;
        }
        const Result<Gs1128Symbol> symbol = EncodeGs1128(data);
        if (data.size() > Gs1128Symbol::kMaxDataCharacters) {
            EXPECT_FALSE(symbol);
            continue;
        }
        ASSERT_TRUE(symbol) << symbol.Error();
        EXPECT_EQ(test::DecodeSymbolWithZXing(ImageOf(*symbol)),
                  std::vector<std::string>{"]C1" + data});
        const std::size_t peer = ZintModules(bracketed);
        ASSERT_GT(peer, 0U) << bracketed;
        EXPECT_LE(symbol->Modules(), peer) << bracketed;
        ++compared;
    }
    EXPECT_GT(compared, 200);
}

}  // namespace
}  // namespace varnholt
