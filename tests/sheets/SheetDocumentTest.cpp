#include "sheets/SheetDocument.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "sheets/SheetSyntax.h"

namespace varnholt::sheets {
namespace {

namespace fs = std::filesystem;

// How many pages a PDF holds, counted by its page objects.
std::size_t PagesIn(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string pdf = bytes.str();
    std::size_t pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        pages += pdf.compare(at, 12, "/Type /Pages") != 0 ? 1u : 0u;
    }
    return pdf.starts_with("%PDF-") ? pages : 0;
}

// A sheet of 3 x 8 labels with the first two used: 23 labels fill its 22 places and one
// of the next sheet, and the file appears only once finished; a document dropped before
// leaves nothing.
TEST(SheetDocument, FillsPagesAfterTheSkippedLabelsAndAppearsOnlyWhenFinished) {
    const fs::path folder =
        fs::temp_directory_path() / ("varnholt-sheet-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string path = (folder / "labels.pdf").string();
    const Result<SheetGeometry> geometry =
        ParseSheetGeometry("A4 3x8 70x37mm", {{"A4", "A4", 210, 297}});
    ASSERT_TRUE(geometry) << geometry.Error();
    const Result<render::Layout> layout = render::LayOut("4006381333931", render::Options{});
    ASSERT_TRUE(layout) << layout.Error();

    for (const bool finish : {false, true}) {
        Result<std::unique_ptr<SheetDocument>> opened =
            SheetDocument::Open(path, {*geometry, 2, false, 0.0});
        ASSERT_TRUE(opened) << opened.Error();
        std::unique_ptr<SheetDocument> document = *std::move(opened);
        for (int label = 0; label < 23; ++label) {
            const Result<bool> cut =
                document->Place(*layout, label == 0 ? std::string(400, 'W') : "TEA-001 Assam");
            ASSERT_TRUE(cut) << cut.Error();
            EXPECT_EQ(*cut, label == 0) << "only the long text is cut";
        }
        EXPECT_EQ(document->Labels(), 23u);
        EXPECT_EQ(document->Pages(), 2u);
        EXPECT_FALSE(fs::exists(path)) << "no name before the document is finished";
        if (finish) {
            ASSERT_TRUE(document->Finish());
            EXPECT_EQ(PagesIn(path), 2u);
        }
        document.reset();
        EXPECT_EQ(fs::exists(path), finish);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
                  finish ? 1 : 0)
            << "nothing else is left behind";
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace varnholt::sheets
