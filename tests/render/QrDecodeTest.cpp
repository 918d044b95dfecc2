// Digital Link QR codes drawn and read back by ZXing-cpp and ZBar.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/QrCode.h"
#include "tests/support/CaseName.h"
#include "tests/support/Decoders.h"
#include "tests/support/SymbolImages.h"

namespace varnholt {
namespace {

const std::string kDigitalLink = "https://id.gs1.org/01/09506000134352/10/AB-123";

struct QrRow {
    std::string name;
    std::string text;
    QrErrorCorrection level = QrErrorCorrection::M;
    std::size_t maxWidth = 0;  // the version byte mode alone would need, from the standard's
                               // capacity table: the library's mixed modes may do better
};

class QrDecoded : public testing::TestWithParam<QrRow> {};

TEST_P(QrDecoded, ReadsBackWithZXingAndZBar) {
    const QrRow& row = GetParam();
    const Result<ModuleGrid> grid = EncodeQrText(row.text, row.level);
    ASSERT_TRUE(grid) << grid.Error();
    EXPECT_EQ(grid->width, grid->height);
    EXPECT_LE(grid->width, row.maxWidth);
    EXPECT_EQ((grid->width - 17) % 4, 0U);  // versions 1-40 are 21 to 177 modules, by fours
    const test::GreyImage image = test::ImageOfGrid(*grid, 4, 4);
    EXPECT_EQ(test::DecodeSymbolWithZXing(image), std::vector<std::string>{"]Q1" + row.text});
    EXPECT_EQ(test::DecodeSymbolWithZBar(image), std::vector<std::string>{row.text});
}

INSTANTIATE_TEST_SUITE_P(DigitalLinks, QrDecoded,
                         testing::Values(
                             // 47 bytes. Byte mode: 3-L holds 53 (29 modules); 4-M 62, 4-Q 46 (33);
                             // 5-Q 60 (37); 5-H 44, 6-H 58 (41).
                             QrRow{"LevelL", kDigitalLink, QrErrorCorrection::L, 29},
                             QrRow{"LevelM", kDigitalLink, QrErrorCorrection::M, 33},
                             QrRow{"LevelQ", kDigitalLink, QrErrorCorrection::Q, 33},
                             QrRow{"LevelH", kDigitalLink, QrErrorCorrection::H, 41},
                             // 13 bytes: 1-M holds 14.
                             QrRow{"Short", "https://a.b/c", QrErrorCorrection::M, 21}),
                         test::CaseName{});

TEST(QrLimit, LargestVersionAndOneByteMore) {
    // Version 40-L holds 2953 bytes in byte mode.
    const std::string full(2953, 'a');
    const Result<ModuleGrid> grid = EncodeQrText(full, QrErrorCorrection::L);
    ASSERT_TRUE(grid) << grid.Error();
    EXPECT_EQ(grid->width, 177U);
    const Result<ModuleGrid> over = EncodeQrText(full + "a", QrErrorCorrection::L);
    ASSERT_FALSE(over);
    EXPECT_EQ(over.Kind(), ErrorKind::Input);
    EXPECT_NE(over.Error().find("version 40 at level L"), std::string::npos) << over.Error();
}

TEST(QrRefusal, EmptyAndNul) {
    const Result<ModuleGrid> empty = EncodeQrText("");
    ASSERT_FALSE(empty);
    EXPECT_NE(empty.Error().find("no text"), std::string::npos) << empty.Error();
    const Result<ModuleGrid> nul = EncodeQrText(std::string("https://a.b/\0c", 14));
    ASSERT_FALSE(nul);
    EXPECT_NE(nul.Error().find("NUL"), std::string::npos) << nul.Error();
}

}  // namespace
}  // namespace varnholt
