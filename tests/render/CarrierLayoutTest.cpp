// Laying out GS1 data: the X-dimension GS1 allows each carrier, on the dot grid; the refusals
// of data the carrier cannot hold and of sizes GS1 does not allow; what a QR Code is drawn as.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "render/CarrierSizes.h"
#include "render/Layout.h"

namespace varnholt::render {
namespace {

Options Asking(DataCarrier carrier, std::optional<double> xDimension = {},
               std::optional<double> dpi = {}) {
    Options options;
    options.gs1.carrier = carrier;
    options.gs1.xDimensionMm = xDimension;
    options.dpi = dpi;
    return options;
}

class CarrierModule
    : public testing::TestWithParam<std::tuple<DataCarrier, std::optional<double>, int>> {};

// Whatever is asked within the range, the module snapped to whole dots stays within it, and
// the target is the default.
TEST_P(CarrierModule, SnapsWithinGs1sRange) {
    const auto [carrier, xDimension, dpi] = GetParam();
    const CarrierSize& size = SizeOf(carrier);
    const Result<ReviewedOptions> reviewed = Review(Asking(carrier, xDimension, dpi));
    ASSERT_TRUE(reviewed) << reviewed.Error();
    const ModuleSize& module = reviewed->module;
    EXPECT_GE(module.mm, size.smallestMm - 1e-9);
    EXPECT_LE(module.mm, size.largestMm + 1e-9);
    EXPECT_NEAR(module.mm, module.dots * 25.4 / dpi, 1e-12);
    // The nearest whole dots to the request, unless that one falls outside the range.
    const double asked = xDimension.value_or(size.targetMm);
    EXPECT_LE(std::abs(module.mm - asked), 25.4 / dpi);
}

std::string ModuleCaseName(const testing::TestParamInfo<CarrierModule::ParamType>& info) {
    const auto [carrier, xDimension, dpi] = info.param;
    std::string name(kDataCarrierNames[static_cast<std::size_t>(carrier)].name);
    std::erase(name, '-');
    return name + "_" +
           (xDimension ? std::to_string(std::lround(*xDimension * 1000)) + "um" : "target") + "_" +
           std::to_string(dpi) + "dpi";
}

// Only the asked sizes inside a carrier's range: 0.396 and 0.99 for the 2D symbols, 0.495 and
// 1.016 for GS1-128.
INSTANTIATE_TEST_SUITE_P(Gs1128, CarrierModule,
                         testing::Combine(testing::Values(DataCarrier::Gs1128),
                                          testing::Values(std::nullopt, 0.495, 0.7, 1.016),
                                          testing::Values(203, 300, 600)),
                         ModuleCaseName);
INSTANTIATE_TEST_SUITE_P(Matrix, CarrierModule,
                         testing::Combine(testing::Values(DataCarrier::DataMatrix,
                                                          DataCarrier::QrCode),
                                          testing::Values(std::nullopt, 0.396, 0.7, 0.99),
                                          testing::Values(203, 300, 600)),
                         ModuleCaseName);

// A request refused: its kind and a part of the message that says why.
struct Refusal {
    const char* name;
    DataCarrier carrier;
    std::string data;
    std::optional<double> xDimension;
    ErrorKind kind;
    const char* says;
};

const std::string kLongUri = "https://id.gs1.org/01/09506000134352?x=" + std::string(3000, 'a');

const Refusal kRefusals[] = {
    {"WrongCheckDigit", DataCarrier::Gs1128, "(01)09506000134353", {}, ErrorKind::Input, "(01)"},
    {"NoAi", DataCarrier::DataMatrix, "09506000134352", {}, ErrorKind::Input, ""},
    {"Over48Characters",
     DataCarrier::Gs1128,
     "(01)09506000134352(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJKLMNOPQRST",
     {},
     ErrorKind::Input,
     "48"},
    {"WiderThanGs1Allows", DataCarrier::Gs1128, "(01)09506000134352(10)ABCDEFGHIJKLMNOPQRST", 1.016,
     ErrorKind::Input, "165.1 mm"},
    {"TooLongForDataMatrix", DataCarrier::DataMatrix, kLongUri, {}, ErrorKind::Input, "144"},
    {"TooLongForQr", DataCarrier::QrCode, kLongUri, {}, ErrorKind::Input, "version 40"},
    {"Gs1128TooSmall", DataCarrier::Gs1128, "(01)09506000134352", 0.33, ErrorKind::Usage,
     "0.495 to 1.016 mm for GS1-128 (target 0.495 mm)"},
    {"DataMatrixTooLarge", DataCarrier::DataMatrix, "(01)09506000134352", 1.2, ErrorKind::Usage,
     "0.396 to 0.99 mm for DataMatrix"},
    {"QrTooSmall", DataCarrier::QrCode, "(01)09506000134352", 0.3, ErrorKind::Usage,
     "0.396 to 0.99 mm for QR Code"},
};

class CarrierRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(CarrierRefusal, SaysWhy) {
    const Refusal& refusal = GetParam();
    const Result<Layout> layout =
        LayOut(refusal.data, Asking(refusal.carrier, refusal.xDimension, 300.0));
    ASSERT_FALSE(layout);
    EXPECT_EQ(layout.Kind(), refusal.kind) << layout.Error();
    EXPECT_NE(layout.Error().find(refusal.says), std::string::npos) << layout.Error();
}

std::string RefusalName(const testing::TestParamInfo<Refusal>& info) {
    return info.param.name;
}
INSTANTIATE_TEST_SUITE_P(Requests, CarrierRefusal, testing::ValuesIn(kRefusals), RefusalName);

TEST(CarrierLayout, MarginIndicatorsAreEanUpcsOnly) {
    Options options = Asking(DataCarrier::Gs1128);
    options.marginIndicators = true;
    const Result<ReviewedOptions> reviewed = Review(options);
    ASSERT_FALSE(reviewed);
    EXPECT_EQ(reviewed.Kind(), ErrorKind::Usage);
}

// An element string becomes its Digital Link URI at the stem asked for, which the note says.
TEST(CarrierLayout, QrCarriesTheDigitalLinkUri) {
    Options options = Asking(DataCarrier::QrCode);
    options.gs1.stem = "https://example.com/p";
    const Result<Layout> layout = LayOut("(01)09506000134352(10)AB-123", options);
    ASSERT_TRUE(layout) << layout.Error();
    EXPECT_EQ(layout->data, "https://example.com/p/01/09506000134352/10/AB-123");
    EXPECT_EQ(layout->note, "drawn as its Digital Link URI " + layout->data);
    EXPECT_EQ(layout->number, "09506000134352");
    EXPECT_TRUE(layout->characters.empty());

    const Result<Layout> given = LayOut(layout->data, options);
    ASSERT_TRUE(given) << given.Error();
    EXPECT_TRUE(given->note.empty());
}

// Without a GTIN, the name for files is the first AI and its data with unsafe characters
// replaced.
TEST(CarrierLayout, NamesFilesSafely) {
    const Result<Layout> layout = LayOut("(00)106141412345678908", Asking(DataCarrier::DataMatrix));
    ASSERT_TRUE(layout) << layout.Error();
    EXPECT_EQ(layout->number, "00-106141412345678908");
    const Result<Layout> asset = LayOut("(8004)0614141A/B..x", Asking(DataCarrier::Gs1128));
    ASSERT_TRUE(asset) << asset.Error();
    EXPECT_EQ(asset->number, "8004-0614141A_B..x");
}

}  // namespace
}  // namespace varnholt::render
