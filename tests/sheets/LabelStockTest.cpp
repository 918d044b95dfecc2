#include "sheets/LabelStock.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "sheets/StockListing.h"

namespace varnholt::sheets {
namespace {

constexpr double kInch = 25.4;
constexpr double kPoint = 25.4 / 72;

const LabelStock& Installed() {
    static const Result<LabelStock> stock =
        LabelStock::Read(std::filesystem::path(kDefaultTemplatesFolder));
    EXPECT_TRUE(stock) << stock.Error();
    return *stock;
}

const LabelStock& Fixtures() {
    static const Result<LabelStock> stock = LabelStock::Read(VARNHOLT_LABEL_FIXTURES);
    EXPECT_TRUE(stock) << stock.Error();
    return *stock;
}

void ExpectGrid(const LabelGrid& grid, const LabelGrid& expected, double tolerance,
                const std::string& name) {
    EXPECT_EQ(grid.columns, expected.columns) << name;
    EXPECT_EQ(grid.rows, expected.rows) << name;
    EXPECT_NEAR(grid.x0Mm, expected.x0Mm, tolerance) << name;
    EXPECT_NEAR(grid.y0Mm, expected.y0Mm, tolerance) << name;
    EXPECT_NEAR(grid.dxMm, expected.dxMm, tolerance) << name;
    EXPECT_NEAR(grid.dyMm, expected.dyMm, tolerance) << name;
}

// Products of the installed glabels-data against the sheets their makers sell. Where a file
// differs from the maker's figures, the file's are read: Avery 5160's puts the first label
// at 5/32 in and the pitch at 2 25/32 in (Avery says 3/16 and 2 3/4), L7160's labels are
// 181.4 pt (63.99 mm) wide (Avery says 63.5).
TEST(LabelStock, ReadsInstalledProducts) {
    struct Row {
        const char* name;
        const char* page;
        double pageWidth, pageHeight, width, height;
        LabelGrid grid;
        const char* equivalentTo;
    };
    const Row avery5160{"Avery 5160",
                        "US-Letter",
                        8.5 * kInch,
                        11 * kInch,
                        2.625 * kInch,
                        1 * kInch,
                        {3, 10, 0.15625 * kInch, 0.5 * kInch, 2.78125 * kInch, kInch},
                        ""};
    Row avery8160 = avery5160;
    avery8160.name = "avery 8160";
    avery8160.equivalentTo = "Avery 5160";
    for (const Row& row : {
             avery5160,
             avery8160,
             Row{"AVERY l7160",
                 "A4",
                 210,
                 297,
                 63.99356,
                 38.1,
                 {3, 7, 7.47889, 15.48694, 66.04, 38.1},
                 "Avery 7160"},
             Row{"Zweckform 3474", "A4", 210, 297, 70, 37, {3, 8, 0, 0, 70, 37}, ""},
             Row{"Herma 4283", "A4", 210, 297, 192, 39, {1, 6, 9, 11.5, 192, 47}, ""},
         }) {
        const Result<LabelProduct> product = Installed().Find(row.name);
        ASSERT_TRUE(product) << product.Error();
        const SheetGeometry& sheet = product->geometry;
        EXPECT_EQ(sheet.pageName, row.page) << row.name;
        EXPECT_NEAR(sheet.pageWidthMm, row.pageWidth, 1e-9) << row.name;
        EXPECT_NEAR(sheet.pageHeightMm, row.pageHeight, 1e-9) << row.name;
        EXPECT_EQ(sheet.shape, LabelShape::Rectangle) << row.name;
        EXPECT_NEAR(sheet.labelWidthMm, row.width, 1e-3) << row.name;
        EXPECT_NEAR(sheet.labelHeightMm, row.height, 1e-3) << row.name;
        ASSERT_EQ(sheet.grids.size(), 1u) << row.name;
        ExpectGrid(sheet.grids[0], row.grid, 1e-3, row.name);
        EXPECT_EQ(product->equivalentTo, row.equivalentTo) << row.name;
    }
    const LabelProduct avery = *Installed().Find("Avery 8160");
    EXPECT_EQ(avery.Name(), "Avery 8160");
    EXPECT_EQ(avery.description, "Address Labels");  // the one it is equivalent to
    EXPECT_NEAR(avery.geometry.markupMarginMm, kInch / 16, 1e-12);
    EXPECT_NEAR(avery.geometry.cornerRadiusMm, kInch / 16, 1e-12);
    EXPECT_GT(Installed().Products().size(), 1700u);
}

// Every unit and a bare number, converted without drift.
TEST(LabelStock, ConvertsEveryUnit) {
    const LabelProduct units = *Fixtures().Find("test units");
    const SheetGeometry& sheet = units.geometry;
    EXPECT_EQ(sheet.pageName, "US-Letter");
    EXPECT_DOUBLE_EQ(sheet.pageWidthMm, 215.9);
    EXPECT_DOUBLE_EQ(sheet.labelWidthMm, 50.8);           // 2in
    EXPECT_DOUBLE_EQ(sheet.labelHeightMm, 50.8);          // 5.08cm
    EXPECT_DOUBLE_EQ(sheet.cornerRadiusMm, 3.175);        // 9pt
    EXPECT_DOUBLE_EQ(sheet.markupMarginMm, 12 * kPoint);  // 1pc
    ASSERT_EQ(sheet.grids.size(), 1u);
    ExpectGrid(sheet.grids[0], {2, 3, 25.4, 12.7, 76.2, 63.5}, 1e-12, "Test Units");
    EXPECT_EQ(units.description, "One of each unit");
    EXPECT_EQ(units.categories, (std::vector<std::string>{"label", "mail"}));
}

TEST(LabelStock, ReadsShapesAndGrids) {
    struct Row {
        const char* name;
        LabelShape shape;
        double width, height, radius, hole;
        int labels;
    };
    for (const Row& row : {Row{"Test Units", LabelShape::Rectangle, 50.8, 50.8, 0, 0, 6},
                           Row{"Test Grids", LabelShape::Round, 20, 20, 10, 0, 5},
                           Row{"Test Disc", LabelShape::Cd, 116, 100, 58, 11, 2},
                           Row{"Test Oval", LabelShape::Ellipse, 60, 30, 0, 0, 27}}) {
        const Result<LabelProduct> product = Fixtures().Find(row.name);
        ASSERT_TRUE(product) << product.Error();
        const SheetGeometry& sheet = product->geometry;
        EXPECT_EQ(sheet.shape, row.shape) << row.name;
        EXPECT_DOUBLE_EQ(sheet.labelWidthMm, row.width) << row.name;
        EXPECT_DOUBLE_EQ(sheet.labelHeightMm, row.height) << row.name;
        EXPECT_DOUBLE_EQ(sheet.radiusMm, row.radius) << row.name;
        EXPECT_DOUBLE_EQ(sheet.holeRadiusMm, row.hole) << row.name;
        EXPECT_EQ(sheet.LabelCount(), row.labels) << row.name;
        EXPECT_EQ(sheet.Places().size(), static_cast<std::size_t>(row.labels)) << row.name;
    }

    // A page of its own size, and the places of both grids in order, each row by row.
    const SheetGeometry grids = Fixtures().Find("Test Grids")->geometry;
    EXPECT_EQ(grids.pageName, "");
    EXPECT_EQ(grids.pageWidthMm, 100);
    EXPECT_EQ(grids.pageHeightMm, 150);
    EXPECT_EQ(grids.GridText(), "3 x 1 + 1 x 2");
    std::vector<std::pair<double, double>> places;
    for (const LabelPlace& place : grids.Places()) {
        places.emplace_back(place.xMm, place.yMm);
    }
    EXPECT_EQ(places, (std::vector<std::pair<double, double>>{
                          {5, 5}, {30, 5}, {55, 5}, {40, 50}, {40, 80}}));
    const std::vector<LabelPlace> units = Fixtures().Find("Test Units")->geometry.Places();
    ASSERT_EQ(units.size(), 6u);
    EXPECT_DOUBLE_EQ(units[1].xMm, 25.4 + 76.2);  // along the first row first
    EXPECT_DOUBLE_EQ(units[2].yMm, 12.7 + 63.5);
}

TEST(LabelStock, FollowsEquivalentsWithinTheBrand) {
    struct Row {
        const char* name;
        const char* equivalentTo;  // nullptr: left out
    };
    // A blank around a part number in the file is no part of its name.
    for (const Row& row : {Row{"Test Same", "Test Units"}, Row{"test chain", "Test Units"},
                           Row{"Test Padded", "Test Units"}, Row{"Other Lost", nullptr},
                           Row{"Test Loop A", nullptr}}) {
        const Result<LabelProduct> product = Fixtures().Find(row.name);
        ASSERT_EQ(static_cast<bool>(product), row.equivalentTo != nullptr) << row.name;
        if (product) {
            EXPECT_EQ(product->equivalentTo, row.equivalentTo) << row.name;
            EXPECT_EQ(product->geometry.labelWidthMm, 50.8) << row.name;
            EXPECT_EQ(product->description, "One of each unit") << row.name;
        }
    }
}

// What cannot be read is left out and said so; the rest of the file is read.
TEST(LabelStock, LeavesOutWhatItCannotRead) {
    std::string skipped;
    for (const std::string& line : Fixtures().Skipped()) {
        skipped += line + "\n";
    }
    for (const char* expected : {
             "broken-templates.xml:",
             "paper-sizes.xml:6: Paper-size width: \"wide\" is not a length",
             "Test Junk width: Label-rectangle width: \"abc\" is not a length",
             "Test Unknown unit: Label-rectangle width: \"10furlong\" has unit \"furlong\"",
             "Test No columns: Layout nx is not a count",
             "Test No layout: Label-rectangle has no Layout",
             "Test Unknown paper: paper size \"B52\" is not in paper-sizes.xml",
             "TEST UNITS: another template has that name",
             "Other Lost: equivalent to Other Units, which the files lack",
             "Test Loop A: its equivalents go round in a circle",
         }) {
        EXPECT_NE(skipped.find(expected), std::string::npos) << expected << " in\n" << skipped;
    }
    EXPECT_EQ(Fixtures().Products().size(), 7u);
    EXPECT_EQ(Fixtures().Papers().size(), 2u);
}

TEST(LabelStock, SuggestsSimilarNames) {
    struct Row {
        const char* name;
        const char* suggested;  // nullptr: nothing similar
    };
    for (const Row& row :
         {Row{"Avery 5161x", "similar: Avery 5161, "}, Row{"Avary 5160", "similar: Avery 5160"},
          Row{"L7160", "similar: Avery L7160"}, Row{"Zweckform 347", "Zweckform 3474"},
          Row{"Nobody 0", nullptr}}) {
        const Result<LabelProduct> product = Installed().Find(row.name);
        ASSERT_FALSE(product) << row.name;
        EXPECT_NE(product.Error().find(std::string("\"") + row.name + "\""), std::string::npos);
        if (row.suggested != nullptr) {
            EXPECT_NE(product.Error().find(row.suggested), std::string::npos) << product.Error();
        } else {
            EXPECT_EQ(product.Error().find("similar"), std::string::npos) << product.Error();
        }
    }
}

TEST(LabelStock, ListsProductsHoldingAWord) {
    const std::vector<StockListing> rows = ListStock(Installed(), "5160");
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Avery 5160");  // numbers in their order: before Avery 15160
    EXPECT_EQ(rows[0].page, "US-Letter");
    EXPECT_EQ(rows[0].grid, "3 x 10");
    EXPECT_DOUBLE_EQ(rows[0].labelWidthMm, 66.675);
    EXPECT_EQ(rows[1].equivalentTo, "Avery 5160");
    for (const StockListing& row : rows) {
        EXPECT_NE(row.name.find("5160"), std::string::npos) << row.name;
    }
    EXPECT_EQ(ListStock(Fixtures(), "EACH UNIT").size(), 4u);  // by description, equivalents too
    EXPECT_EQ(ListStock(Fixtures(), "").size(), Fixtures().Products().size());
    EXPECT_EQ(ListStock(Fixtures(), "grids")[0].page, "100 x 150 mm");

    const std::string text = FormatListing(ListStock(Fixtures(), "grids"));
    EXPECT_EQ(text,
              "NAME        PAGE          LABELS         LABEL (mm)  SHAPE  DESCRIPTION\n"
              "Test Grids  100 x 150 mm  3 x 1 + 1 x 2  20 x 20     round  Two grids\n");
}

TEST(LabelStock, FolderFromTheEnvironmentAndMissing) {
    ASSERT_EQ(setenv(std::string(kTemplatesVariable).c_str(), "/nonexistent/templates", 1), 0);
    EXPECT_EQ(TemplatesFolder(), "/nonexistent/templates");
    const Result<LabelStock> missing = LabelStock::Read(TemplatesFolder());
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.Error().find("/nonexistent/templates"), std::string::npos);
    EXPECT_NE(missing.Error().find("glabels-data"), std::string::npos) << missing.Error();
    ASSERT_EQ(unsetenv(std::string(kTemplatesVariable).c_str()), 0);
    EXPECT_EQ(TemplatesFolder(), kDefaultTemplatesFolder);

    const Result<LabelStock> empty = LabelStock::Read(VARNHOLT_LABEL_FIXTURES "/..");
    EXPECT_FALSE(empty);  // a folder without templates
}

}  // namespace
}  // namespace varnholt::sheets
