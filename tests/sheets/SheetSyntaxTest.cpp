#include "sheets/SheetSyntax.h"

#include <gtest/gtest.h>

namespace varnholt::sheets {
namespace {

const std::vector<PaperSize> kPapers{{"A4", "A4", 210, 297},
                                     {"US-Letter", "US Letter", 215.9, 279.4}};

TEST(SheetSyntax, AcceptsAndRefuses) {
    struct Row {
        const char* text;
        // Accepted: the page, the grid's first label and pitch. Refused: part of the message.
        const char* pageOrError;
        double pageWidth = 0, labelWidth = 0, labelHeight = 0;
        LabelGrid grid{};
    };
    const Row rows[] = {
        // Centred: (210 - 3 x 70) / 2 across, (297 - 8 x 37) / 2 down.
        {"A4 3x8 70x37mm", "A4", 210, 70, 37, {3, 8, 0, 0.5, 70, 37}},
        {"Letter 3x10 66.7x25.4mm margin 4.8x12.7mm gap 3.2x0mm",
         "US-Letter",
         215.9,
         66.7,
         25.4,
         {3, 10, 4.8, 12.7, 69.9, 25.4}},
        {"210x297mm 2x4 99.1x67.7mm", "", 210, 99.1, 67.7, {2, 4, 5.9, 13.1, 99.1, 67.7}},
        {"  us-letter\t1X1  2.625x1in  GAP 0x0  MARGIN 1cmx2cm ",
         "US-Letter",
         215.9,
         66.675,
         25.4,
         {1, 1, 10, 20, 66.675, 25.4}},
        {"8.5x11in 2x1 288ptx2pc margin 0x0",
         "",
         215.9,
         101.6,
         25.4 / 3,
         {2, 1, 0, 0, 101.6, 25.4 / 3}},
        {"A4 3x8", "give PAGE GRID LABEL"},
        {"", "give PAGE GRID LABEL"},
        {"A44 3x8 70x37mm", "page \"A44\" is neither a paper name"},
        {"A4 3x 70x37mm", "grid \"3x\" is not COLUMNSxROWS"},
        {"A4 0x8 70x37mm", "grid \"0x8\""},
        {"A4 -3x8 70x37mm", "grid \"-3x8\""},
        {"A4 3x8x1 70x37mm", "grid \"3x8x1\""},
        {"A4 3x8 70mm", "label \"70mm\": not WIDTHxHEIGHT"},
        {"A4 3x8 70x37furlong", "\"37furlong\" has unit \"furlong\""},
        {"A4 3x8 70x0mm", "label \"70x0mm\" is not above 0"},
        {"A4 3x8 -70x37mm", "label \"-70x37mm\" is not above 0"},
        {"0x297mm 1x1 10x10", "page \"0x297mm\" is not above 0"},
        {"A4 3x8 nanx37mm", "label \"nanx37mm\": \"nan\" is not a length"},
        {"A4 3x8 1e999x37mm", "label \"1e999x37mm\": \"1e999\" is not a length"},
        {"A4 3x8 71x37mm",
         "3 labels across of 71 mm with 0 mm gaps need 213 mm; the page is "
         "210 mm wide"},
        {"A4 3x8 70x37mm margin 0x2",
         "8 labels down of 37 mm with 0 mm gaps from 2 mm need "
         "298 mm; the page is 297 mm high"},
        {"A4 3x8 65x30mm gap 10x0", "with 10 mm gaps need 215 mm"},  // fits without the gaps
        {"A4 3x8 70x37mm margin -1x0", "margin \"-1x0\" is below 0"},
        {"A4 3x8 70x37mm gap", "\"gap\" wants a size after it"},
        {"A4 3x8 70x37mm gap 1x1 gap 1x1", "\"gap\" is given twice"},
        {"A4 3x8 70x37mm junk 1x1", "\"junk\" is neither \"margin\" nor \"gap\""},
        {"A4 3x8 70x37mm margin 1x1mmm", "\"1mmm\" has unit \"mmm\""},
        {"A4 1001x1 0.1x0.1mm", "grid \"1001x1\""},
    };
    for (const Row& row : rows) {
        const Result<SheetGeometry> sheet = ParseSheetGeometry(row.text, kPapers);
        if (row.pageWidth == 0) {
            ASSERT_FALSE(sheet) << row.text;
            EXPECT_NE(sheet.Error().find(row.pageOrError), std::string::npos)
                << row.text << ": " << sheet.Error();
            EXPECT_EQ(sheet.Error().find("sheet \"" + std::string(row.text) + "\": "), 0u)
                << sheet.Error();
            continue;
        }
        ASSERT_TRUE(sheet) << row.text << ": " << sheet.Error();
        EXPECT_EQ(sheet->pageName, row.pageOrError) << row.text;
        EXPECT_NEAR(sheet->pageWidthMm, row.pageWidth, 1e-9) << row.text;
        EXPECT_NEAR(sheet->labelWidthMm, row.labelWidth, 1e-9) << row.text;
        EXPECT_NEAR(sheet->labelHeightMm, row.labelHeight, 1e-9) << row.text;
        EXPECT_EQ(sheet->shape, LabelShape::Rectangle);
        ASSERT_EQ(sheet->grids.size(), 1u) << row.text;
        const LabelGrid& grid = sheet->grids[0];
        EXPECT_EQ(grid.columns, row.grid.columns) << row.text;
        EXPECT_EQ(grid.rows, row.grid.rows) << row.text;
        EXPECT_NEAR(grid.x0Mm, row.grid.x0Mm, 1e-9) << row.text;
        EXPECT_NEAR(grid.y0Mm, row.grid.y0Mm, 1e-9) << row.text;
        EXPECT_NEAR(grid.dxMm, row.grid.dxMm, 1e-9) << row.text;
        EXPECT_NEAR(grid.dyMm, row.grid.dyMm, 1e-9) << row.text;
    }
}

}  // namespace
}  // namespace varnholt::sheets
