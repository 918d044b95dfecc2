#include "sheets/PairFit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "render/CarrierSizes.h"
#include "render/PrintSize.h"
#include "sheets/SheetDocument.h"

namespace varnholt::sheets {
namespace {

constexpr const char* kNumber = "4006381300018";
constexpr const char* kData = "(01)04006381300018(17)271231(10)L2024A";

render::Options Linear() {
    render::Options options;
    options.symbology = Symbology::Ean13;
    return options;
}

render::Options Carrier(DataCarrier carrier) {
    render::Options options;
    options.gs1.carrier = carrier;
    return options;
}

// Both symbols at the options fitted, side by side, and their room with `text`.
struct Drawn {
    render::Layout linear;
    render::Layout carrier;
    bool Fit(const LabelRoom& room, bool text) const {
        return linear.widthMm + carrier.widthMm <= room.widthMm - 2 * room.marginMm + 1e-6 &&
               std::max(linear.heightMm, carrier.heightMm) + (text ? kLabelTextRoomMm : 0.0) <=
                   room.heightMm - 2 * room.marginMm + 1e-6;
    }
};

Drawn Draw(const FittedPair& pair) {
    return {*render::LayOut(kNumber, pair.linear), *render::LayOut(kData, pair.carrier)};
}

// Each pair fits its label at one magnification of both targets, the largest that does: one
// per cent more would not, unless it is the targets themselves. A DataMatrix keeps its text
// where that fits too, and leaves it out where it does not.
TEST(PairFit, BothAtTheLargestOneMagnificationThatFitsTheLabel) {
    const struct {
        const char* name;
        DataCarrier carrier;
        LabelRoom room;
        bool text;
        bool atTargets;
        bool carrierText;  // the DataMatrix's text kept; a QR Code has none to leave out
    } rows[] = {
        {"room to spare: the targets, text and all",
         DataCarrier::DataMatrix,
         {150, 60, 1.5},
         true,
         true,
         true},
        {"Avery L7160: the targets, the text left out",
         DataCarrier::DataMatrix,
         {63.5, 38.1, 1.5},
         false,
         true,
         false},
        {"narrow: smaller than the targets",
         DataCarrier::DataMatrix,
         {46, 38.1, 1.5},
         false,
         false,
         false},
        {"low with a line of text: smaller", DataCarrier::QrCode, {70, 30, 1.5}, true, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Result<FittedPair> pair =
            FitPair(kNumber, Linear(), kData, Carrier(row.carrier), row.room, row.text);
        ASSERT_TRUE(pair) << pair.Error();
        const Drawn drawn = Draw(*pair);
        EXPECT_TRUE(drawn.Fit(row.room, row.text));
        const double m = pair->linear.module.mm / render::kNominalModuleMm;
        EXPECT_NEAR(pair->carrier.module.mm, render::SizeOf(row.carrier).targetMm * m, 1e-9);
        EXPECT_EQ(m > 1.0 - 1e-9, row.atTargets) << m;
        EXPECT_EQ(pair->carrier.options.gs1.humanReadable, row.carrierText);
        if (m < 1.0 - 1e-9) {
            FittedPair larger = *pair;
            larger.linear.options.xDimensionMm = render::kNominalModuleMm * (m + 0.01);
            larger.carrier.options.gs1.xDimensionMm =
                render::SizeOf(row.carrier).targetMm * (m + 0.01);
            larger.linear = *render::Review(larger.linear.options);
            larger.carrier = *render::Review(larger.carrier.options);
            EXPECT_FALSE(Draw(larger).Fit(row.room, row.text)) << m;
        }
    }
}

TEST(PairFit, ALabelTooSmallForBothSaysWhatTheyNeed) {
    const Result<FittedPair> pair =
        FitPair(kNumber, Linear(), kData, Carrier(DataCarrier::DataMatrix), {40, 20, 1.5}, false);
    ASSERT_FALSE(pair);
    EXPECT_EQ(pair.Kind(), ErrorKind::Usage);
    EXPECT_NE(pair.Error().find("the label (40 x 20 mm) is too small for EAN-13 and DataMatrix "
                                "side by side: at 80 % (0.264 and 0.396 mm) they need a label "
                                "of at least "),
              std::string::npos)
        << pair.Error();
}

}  // namespace
}  // namespace varnholt::sheets
