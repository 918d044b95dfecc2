#include "sheets/PairFit.h"

#include <algorithm>
#include <cmath>

#include "model/SymbologyNames.h"
#include "render/CarrierSizes.h"
#include "render/Millimetres.h"
#include "render/PrintSize.h"
#include "sheets/SheetDocument.h"

namespace varnholt::sheets {
namespace {

// Sums of lengths read from template files may miss an exact fit by a rounding.
constexpr double kSlackMm = 1e-6;

// Both symbols laid out at one magnification, in per cent of their targets.
struct Tried {
    render::ReviewedOptions linearOptions;
    render::ReviewedOptions carrierOptions;
    render::Layout linear;
    render::Layout carrier;

    double WidthMm() const { return linear.widthMm + carrier.widthMm; }
    double HeightMm(bool withText) const {
        return std::max(linear.heightMm, carrier.heightMm) + (withText ? kLabelTextRoomMm : 0.0);
    }
};

Result<Tried> TryAt(int percent, std::string_view number, render::Options linear,
                    std::string_view data, render::Options carrier) {
    const double m = percent / 100.0;
    const render::CarrierSize& size = render::SizeOf(*carrier.gs1.carrier);
    linear.xDimensionMm = render::kNominalModuleMm * m;
    carrier.gs1.xDimensionMm = std::clamp(size.targetMm * m, size.smallestMm, size.largestMm);
    Result<render::ReviewedOptions> a = render::Review(linear);
    if (!a) {
        return Result<Tried>::FailureOf(a);
    }
    Result<render::ReviewedOptions> b = render::Review(carrier);
    if (!b) {
        return Result<Tried>::FailureOf(b);
    }
    Result<render::Layout> first = render::LayOut(number, *a);
    if (!first) {
        return Result<Tried>::FailureOf(first);
    }
    Result<render::Layout> second = render::LayOut(data, *b);
    if (!second) {
        return Result<Tried>::FailureOf(second);
    }
    return Tried{*std::move(a), *std::move(b), *std::move(first), *std::move(second)};
}

}  // namespace

Result<FittedPair> FitPair(std::string_view number, const render::Options& linearOptions,
                           std::string_view data, const render::Options& carrierOptions,
                           LabelRoom room, bool withText) {
    const render::CarrierSize& size = render::SizeOf(*carrierOptions.gs1.carrier);
    const double least = std::max(render::kSmallestModuleMm / render::kNominalModuleMm,
                                  size.smallestMm / size.targetMm);
    const int floor = static_cast<int>(std::ceil(least * 100.0 - 1e-9));
    const double widthMm = room.widthMm - 2 * room.marginMm + kSlackMm;
    const double heightMm = room.heightMm - 2 * room.marginMm + kSlackMm;
    render::Options carrier = carrierOptions;
    const bool hasText =
        carrier.gs1.humanReadable && carrier.gs1.carrier == DataCarrier::DataMatrix;
    for (int percent = 100;; --percent) {
        const Result<Tried> tried = TryAt(percent, number, linearOptions, data, carrier);
        if (!tried) {
            return Result<FittedPair>::FailureOf(tried);
        }
        if (tried->WidthMm() <= widthMm && tried->HeightMm(withText) <= heightMm) {
            return FittedPair{tried->linearOptions, tried->carrierOptions,
                              tried->linearOptions.report + " and " + tried->carrierOptions.report +
                                  (hasText && !carrier.gs1.humanReadable
                                       ? ", the DataMatrix's text left out to fit"
                                       : "")};
        }
        if (percent > floor) {
            continue;
        }
        if (hasText && carrier.gs1.humanReadable) {
            carrier.gs1.humanReadable = false;
            percent = 101;
            continue;
        }
        return Result<FittedPair>::Failure(
            ErrorKind::Usage,
            "the label (" + render::Millimetres(room.widthMm) + " x " +
                render::Millimetres(room.heightMm) + " mm) is too small for " +
                std::string(TitleOf(tried->linear.symbology)) + " and " +
                std::string(TitleOf(*tried->carrier.carrier)) + " side by side: at " +
                std::to_string(percent) + " % (" + render::Millimetres(tried->linear.module.mm) +
                " and " + render::Millimetres(tried->carrier.module.mm) +
                " mm) they need a label of at least " +
                render::Millimetres(tried->WidthMm() + 2 * room.marginMm) + " x " +
                render::Millimetres(tried->HeightMm(withText) + 2 * room.marginMm) + " mm");
    }
}

}  // namespace varnholt::sheets
