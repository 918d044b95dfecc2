// The SVG as a document: well-formed, titled with the number and described with its
// symbology for screen readers, sized in millimetres at the symbol's true size.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "render/FileFormat.h"
#include "render/Layout.h"
#include "tests/render/Rasterizer.h"

namespace varnholt::render {
namespace {

std::string Attribute(const std::string& svg, const std::string& name) {
    const std::size_t start = svg.find(' ' + name + "=\"");
    if (start == std::string::npos) {
        return {};
    }
    const std::size_t from = start + name.size() + 3;
    return svg.substr(from, svg.find('"', from) - from);
}

TEST(SvgOutput, IsAWellFormedTitledDocumentAtTrueSize) {
    struct Row {
        const char* number;
        std::optional<Symbology> symbology;
        bool transparent;
        const char* width;
        const char* height;
        const char* desc;
    };
    // 113, 81 and 165 modules of 0.33 mm; 22.85 mm bars, a module's gap, 2.75 mm digits.
    for (const Row& row :
         {Row{"5400101109971", {}, false, "37.29mm", "25.93mm", "EAN-13 bar code of 5400101109971"},
          Row{"96385074", {}, true, "26.73mm", "25.93mm", "EAN-8 bar code of 96385074"},
          Row{"036000291452+51234", Symbology::UpcA, false, "54.45mm", "25.93mm",
              "UPC-A bar code of 036000291452 with the EAN-5 add-on 51234"}}) {
        Options options;
        options.symbology = row.symbology;
        options.transparentBackground = row.transparent;
        const Result<std::string> svg = EncodeSvg(*LayOut(row.number, options));
        ASSERT_TRUE(svg) << svg.Error();
        EXPECT_TRUE(test::XmlLintPasses(*svg)) << *svg;
        EXPECT_NE(svg->find(std::string("<title>") + row.number + "</title>"), std::string::npos);
        EXPECT_NE(svg->find(std::string("<desc>") + row.desc + "</desc>"), std::string::npos);
        EXPECT_EQ(Attribute(*svg, "width"), row.width);
        EXPECT_EQ(Attribute(*svg, "height"), row.height);
        EXPECT_EQ(svg->find("<rect") == std::string::npos, row.transparent);
        EXPECT_EQ(svg->find("<text"), std::string::npos) << "digits are outlines";
    }
}

}  // namespace
}  // namespace varnholt::render
