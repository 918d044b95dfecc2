#include "render/PairLayout.h"

#include <algorithm>
#include <cmath>

namespace varnholt::render {
namespace {

// How far down the shorter of two heights is centred on the taller: whole dots at a
// resolution, so that every edge stays on one.
double CentringOffset(double shorter, double taller, double dpi) {
    if (dpi <= 0.0) {
        return (taller - shorter) / 2.0;
    }
    const long dots = std::lround((taller - shorter) * dpi / kMmPerInch) / 2;
    return static_cast<double>(dots) * kMmPerInch / dpi;
}

void Move(std::vector<Box>& to, const std::vector<Box>& bars, double dx, double dy) {
    for (Box bar : bars) {
        bar.x += dx;
        bar.y += dy;
        to.push_back(bar);
    }
}

void Move(std::vector<PlacedCharacter>& to, const std::vector<PlacedCharacter>& characters,
          double dx, double dy) {
    for (PlacedCharacter character : characters) {
        character.left += dx;
        character.top += dy;
        to.push_back(character);
    }
}

}  // namespace

Layout Beside(Layout linear, const Layout& carrier) {
    Layout pair = std::move(linear);
    const double height = std::max(pair.heightMm, carrier.heightMm);
    const double linearDown = CentringOffset(pair.heightMm, height, pair.dpi);
    if (linearDown > 0.0) {
        for (Box& bar : pair.bars) {
            bar.y += linearDown;
        }
        for (PlacedCharacter& character : pair.characters) {
            character.top += linearDown;
        }
    }
    const double carrierLeft = pair.widthMm;
    const double carrierDown = CentringOffset(carrier.heightMm, height, pair.dpi);
    Move(pair.bars, carrier.bars, carrierLeft, carrierDown);
    Move(pair.characters, carrier.characters, carrierLeft, carrierDown);
    pair.widthMm += carrier.widthMm;
    pair.heightMm = height;
    pair.carrier = carrier.carrier;
    pair.data = carrier.data;
    pair.pair = true;
    return pair;
}

}  // namespace varnholt::render
