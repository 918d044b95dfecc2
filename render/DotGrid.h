#pragma once

#include <cmath>

#include "render/PrintSize.h"

namespace varnholt::render {

// Lengths on a printer's dot grid: whole dots when there is a resolution, as they are
// otherwise.
class DotGrid {
  public:
    // The grid of `dpi` dots an inch; no grid for 0.
    explicit DotGrid(double dpi) : dotMm_(dpi > 0.0 ? kMmPerInch / dpi : 0.0) {}

    // The whole number of dots nearest `mm`.
    double Nearest(double mm) const { return dotMm_ > 0 ? std::round(mm / dotMm_) * dotMm_ : mm; }
    // The fewest whole dots that hold `mm`.
    double Up(double mm) const {
        // A length a hair over whole dots from rounding is still those dots.
        return dotMm_ > 0 ? std::ceil(mm / dotMm_ - 1e-6) * dotMm_ : mm;
    }
    // One dot in millimetres; 0 without a grid.
    double Dot() const { return dotMm_; }

  private:
    double dotMm_;
};

}  // namespace varnholt::render
