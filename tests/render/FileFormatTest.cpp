#include "render/FileFormat.h"

#include <gtest/gtest.h>

namespace varnholt::render {
namespace {

TEST(FileFormat, FromTheFileNamesExtension) {
    struct Row {
        const char* file;
        std::optional<FileFormat> format;
    };
    for (const Row& row :
         {Row{"label.svg", FileFormat::Svg}, Row{"out/label.PDF", FileFormat::Pdf},
          Row{"a.b.eps", FileFormat::Eps}, Row{"x.Png", FileFormat::Png},
          Row{"label", std::nullopt}, Row{"label.", std::nullopt}, Row{"label.jpg", std::nullopt},
          Row{"dir.svg/label", std::nullopt}, Row{".svg", FileFormat::Svg}}) {
        EXPECT_EQ(FormatOfFile(row.file), row.format) << row.file;
    }
    EXPECT_EQ(FormatNamed("SVG"), FileFormat::Svg);
    EXPECT_EQ(FormatNamed(".png"), FileFormat::Png);
    EXPECT_EQ(FormatNamed("svgz"), std::nullopt);
}

TEST(FileFormat, RasterOutputGetsAResolution) {
    EXPECT_EQ(ForFormat({}, FileFormat::Png).dpi, Options::kDefaultDpi);
    Options at203;
    at203.dpi = 203.0;
    EXPECT_EQ(ForFormat(at203, FileFormat::Png).dpi, 203.0);
    EXPECT_EQ(ForFormat({}, FileFormat::Svg).dpi, std::nullopt);
}

}  // namespace
}  // namespace varnholt::render
