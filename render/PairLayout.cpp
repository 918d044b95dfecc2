#include "render/PairLayout.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

// Moves every bar and character of `layout` right by `dx` and down by `dy`.
void Shift(Layout& layout, double dx, double dy) {
    for (Box& bar : layout.bars) {
        bar.x += dx;
        bar.y += dy;
    }
    for (PlacedCharacter& character : layout.characters) {
        character.left += dx;
        character.top += dy;
    }
}

}  // namespace

Layout Beside(Layout linear, Layout carrier) {
    Layout pair = std::move(linear);
    const double height = std::max(pair.heightMm, carrier.heightMm);
    Shift(pair, 0.0, CentringOffset(pair.heightMm, height, pair.dpi));
    Shift(carrier, pair.widthMm, CentringOffset(carrier.heightMm, height, pair.dpi));
    pair.bars.insert(pair.bars.end(), carrier.bars.begin(), carrier.bars.end());
    pair.characters.insert(pair.characters.end(), carrier.characters.begin(),
                           carrier.characters.end());
    pair.widthMm += carrier.widthMm;
    pair.heightMm = height;
    pair.carrier = carrier.carrier;
    pair.data = std::move(carrier.data);
    pair.pair = true;
    return pair;
}

}  // namespace varnholt::render
