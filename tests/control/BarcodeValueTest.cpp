#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/Barcode.h"
#include "tests/support/RecordingHost.h"

namespace varnholt {
namespace {

using Calls = std::vector<std::string>;

// A new control showing its default number, painted once, with the log cleared.
struct BarcodeValue : testing::Test {
    BarcodeValue() {
        host.Control().OnNewInstance();
        host.Control().Value("5400101109971");
        host.ClearLog();
    }
    test::RecordingHost host;
    Barcode& barcode = host.Control();
};

TEST_F(BarcodeValue, AcceptedTextsAreStoredAnnouncedAndRepainted) {
    for (const char* text : {"", "540", "12.5", " 12", "-0", "0012345678905", "5400101109971"}) {
        host.ClearLog();
        barcode.Value(text);
        EXPECT_EQ(barcode.Value(), text);
        const Calls calls = host.HostCalls();
        ASSERT_GE(calls.size(), 2u) << text;
        EXPECT_EQ(calls[0], "PropertyChanged Value") << text;
        EXPECT_EQ(calls[1], "Repaint") << text;
    }
}

TEST_F(BarcodeValue, RefusedTextsLeaveNoTrace) {
    for (const char* text : {"54001011099710", "540010110997A", "5400-10110997", "-5", "1 2", "abc",
                             ".", "-", "12..5", "-0.5", "0x12", "999999999999999"}) {
        barcode.Value(text);
        EXPECT_EQ(barcode.Value(), "5400101109971") << text;
        EXPECT_EQ(host.Log(), Calls{}) << text;
    }
}

TEST_F(BarcodeValue, SameTextIsAnnouncedAndRepaintedWithoutChange) {
    barcode.Value("5400101109971");
    EXPECT_EQ(host.Count("PropertyChanged Value"), 1);
    EXPECT_EQ(host.Count("Repaint"), 1);
    EXPECT_EQ(host.Count("RaiseEvent 1"), 0);
}

TEST_F(BarcodeValue, EnabledAndForeColorAnnounceAndRepaintEvenWhenUnchanged) {
    barcode.Enabled(true);
    barcode.ForeColor(kWindowTextColor);
    barcode.Refresh();
    const Calls calls = host.HostCalls();
    const Calls expected{"PropertyChanged Enabled",
                         "Repaint",
                         "SetEnabledState true",
                         "PropertyChanged ForeColor",
                         "Repaint",
                         "SetEnabledState true",
                         "Repaint",
                         "SetEnabledState true"};
    EXPECT_EQ(calls, expected);
}

TEST_F(BarcodeValue, FailedAnnouncementKeepsTheValueAndRequestsNoRepaint) {
    host.Fail("PropertyChanged");
    EXPECT_THROW(barcode.Value("540"), std::runtime_error);
    EXPECT_THROW(barcode.Enabled(false), std::runtime_error);
    EXPECT_THROW(barcode.ForeColor(0xFF), std::runtime_error);
    EXPECT_EQ(barcode.Value(), "540");
    EXPECT_FALSE(barcode.Enabled());
    EXPECT_EQ(barcode.ForeColor(), 0xFFu);
    EXPECT_EQ(host.Count("Repaint"), 0);
}

TEST_F(BarcodeValue, FailedRepaintReachesTheCaller) {
    host.Fail("Repaint");
    EXPECT_THROW(barcode.Value("540"), std::runtime_error);
    EXPECT_THROW(barcode.Refresh(), std::runtime_error);
    EXPECT_EQ(barcode.Value(), "540");
}

TEST_F(BarcodeValue, ClicksAreRaisedOnlyFromTheHostsNotifications) {
    barcode.Value("540");
    barcode.Enabled(true);
    EXPECT_EQ(host.Count("RaiseEvent 2") + host.Count("RaiseEvent 3"), 0);
    barcode.OnClick();
    barcode.OnDoubleClick();
    EXPECT_EQ(host.Count("RaiseEvent 2"), 1);
    EXPECT_EQ(host.Count("RaiseEvent 3"), 1);
}

TEST_F(BarcodeValue, DisablingReachesTheHostAtTheRepaint) {
    barcode.Enabled(false);
    EXPECT_FALSE(host.EnabledState());
    barcode.Enabled(true);
    EXPECT_TRUE(host.EnabledState());
}

TEST_F(BarcodeValue, ResizeKeeps115PixelsInTwips) {
    barcode.OnResize();
    EXPECT_EQ(host.Width(), 1725.0f);
    host.SetTwipsPerPixel(7.5f);
    barcode.OnResize();
    EXPECT_EQ(host.Width(), 862.5f);
    host.Fail("SetWidth");
    EXPECT_THROW(barcode.OnResize(), std::runtime_error);
}

// The derived properties have getters only.
template <class T>
concept SetsCountry = requires(T t) {
    t.Country(std::string());
};
template <class T>
concept SetsValid = requires(T t) {
    t.Valid(true);
};
template <class T>
concept SetsCodeParts = requires(T t, CodePart part) {
    t.ManufacturerCode(part);
}
|| requires(T t, CodePart part) {
    t.NumberSystem(part);
}
|| requires(T t, CodePart part) {
    t.ProductCode(part);
};
template <class T>
concept SetsValue = requires(T t) {
    t.Value(std::string());
};
static_assert(SetsValue<Barcode>, "the probe recognises a setter");
static_assert(!SetsCountry<Barcode> && !SetsValid<Barcode> && !SetsCodeParts<Barcode>);

}  // namespace
}  // namespace varnholt
