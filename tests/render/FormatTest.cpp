#include "render/Format.h"

#include <gtest/gtest.h>

namespace varnholt::render {
namespace {

TEST(Format, FromTheFileNamesExtension) {
    struct Row {
        const char* file;
        std::optional<Format> format;
    };
    for (const Row& row :
         {Row{"label.svg", Format::Svg}, Row{"out/label.PDF", Format::Pdf},
          Row{"a.b.eps", Format::Eps}, Row{"x.Png", Format::Png}, Row{"label", std::nullopt},
          Row{"label.", std::nullopt}, Row{"label.jpg", std::nullopt},
          Row{"dir.svg/label", std::nullopt}, Row{".svg", Format::Svg}}) {
        EXPECT_EQ(FormatOfFile(row.file), row.format) << row.file;
    }
    EXPECT_EQ(FormatNamed("SVG"), Format::Svg);
    EXPECT_EQ(FormatNamed(".png"), Format::Png);
    EXPECT_EQ(FormatNamed("svgz"), std::nullopt);
}

TEST(Format, RasterOutputGetsAResolution) {
    EXPECT_EQ(ForFormat({}, Format::Png).dpi, Options::kDefaultDpi);
    Options at203;
    at203.dpi = 203.0;
    EXPECT_EQ(ForFormat(at203, Format::Png).dpi, 203.0);
    EXPECT_EQ(ForFormat({}, Format::Svg).dpi, std::nullopt);
}

}  // namespace
}  // namespace varnholt::render
