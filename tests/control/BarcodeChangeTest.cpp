#include <gtest/gtest.h>

#include <string>

#include "control/Barcode.h"
#include "control/MemoryPropertyStore.h"
#include "tests/support/RecordingHost.h"

namespace varnholt {
namespace {

const CodePart kNotSet{std::int16_t{0}};

struct BarcodeChange : testing::Test {
    BarcodeChange() {
        MemoryPropertyStore store{{"Value", ""}};
        barcode.OnLoad(store);
    }
    int Changes() const { return host.Count("RaiseEvent 1"); }

    test::RecordingHost host;
    Barcode& barcode = host.Control();
};

TEST_F(BarcodeChange, RaisedOncePerNewPaintedValue) {
    host.Paint();
    EXPECT_EQ(Changes(), 0) << "empty equals no value";
    barcode.Value("5");
    barcode.Value("5");
    barcode.Refresh();
    EXPECT_EQ(Changes(), 1);
    barcode.Value("");
    EXPECT_EQ(Changes(), 2) << "empty after a number is a change";
    barcode.Value("");
    EXPECT_EQ(Changes(), 2);
}

TEST_F(BarcodeChange, ComparesWithThePreviousPaintNotWithEachSetting) {
    host.Paint();
    host.SetPaintOnRepaint(false);
    barcode.Value("54");
    barcode.Value("540");
    host.Paint();
    EXPECT_EQ(Changes(), 1) << "two changes between paints";
    barcode.Value("5400");
    barcode.Value("540");
    host.Paint();
    EXPECT_EQ(Changes(), 1) << "a change and its reversal";
}

TEST_F(BarcodeChange, FirstPaintOfANewInstanceRaisesIt) {
    test::RecordingHost fresh;
    fresh.Control().OnNewInstance();
    fresh.Paint();
    EXPECT_EQ(fresh.Count("RaiseEvent 1"), 1);
    EXPECT_TRUE(fresh.Control().Valid());
    EXPECT_EQ(fresh.Control().NumberSystem(), CodePart{"54"});
    EXPECT_EQ(fresh.Control().ManufacturerCode(), CodePart{"00101"});
    EXPECT_EQ(fresh.Control().ProductCode(), CodePart{"10997"});
    EXPECT_EQ(fresh.Control().Country(), "BE-LU");
}

TEST_F(BarcodeChange, HandlerSeesTheNewPropertiesAndDrawing) {
    std::string seen;
    host.OnEvent(Barcode::Change, [&] {
        seen = std::string(barcode.Valid() ? "True" : "False") + " " + barcode.Country() + " " +
               ToText(barcode.NumberSystem()) + " " + ToText(barcode.ManufacturerCode()) + " " +
               ToText(barcode.ProductCode()) + " " +
               (host.Raster().GetPixel(109, 10) == 0 ? "drawn" : "not drawn");
    });
    barcode.Value("4006381333931");
    EXPECT_EQ(seen, "True DE 400 6381 33393 drawn");
}

TEST_F(BarcodeChange, HandlerThatSetsValueRepaintsNestedOnce) {
    host.OnEvent(Barcode::Change, [&] {
        if (barcode.Value() == "12") {
            barcode.Value("123");
        }
    });
    barcode.Value("12");
    EXPECT_EQ(Changes(), 2);
    barcode.Refresh();
    EXPECT_EQ(Changes(), 2) << "the outer paint remembered the value set inside";
}

TEST_F(BarcodeChange, FailingHandlerStillRemembersThePaintedValue) {
    host.Fail("RaiseEvent");
    barcode.Value("12");
    barcode.Refresh();
    EXPECT_EQ(Changes(), 1);
}

// What each length of Value leaves in the derived properties.
TEST_F(BarcodeChange, DerivedPropertiesFollowTheLength) {
    struct Row {
        std::string value;
        const char* country;
        bool valid;
        CodePart numberSystem;
    };
    const Row rows[] = {
        {"", "", false, kNotSet},
        {"4", "", false, kNotSet},
        {"45", "JP", false, kNotSet},
        {"540010", "BE-LU", false, kNotSet},
        {"540010110997", "BE-LU", false, kNotSet},
        {"5400101109971", "BE-LU", true, CodePart{"54"}},
        {"5400101109.71", "BE-LU", false, CodePart{"54"}},
        {"54001011099710", "BE-LU", false, kNotSet},
    };
    for (const Row& row : rows) {
        barcode.OnLoad(MemoryPropertyStore{{"Value", row.value}});
        host.Paint();
        EXPECT_EQ(barcode.Country(), row.country) << row.value;
        EXPECT_EQ(barcode.Valid(), row.valid) << row.value;
        EXPECT_EQ(barcode.NumberSystem(), row.numberSystem) << row.value;
    }
    EXPECT_EQ(barcode.ManufacturerCode(), kNotSet);
    EXPECT_EQ(barcode.ProductCode(), kNotSet);
}

}  // namespace
}  // namespace varnholt
