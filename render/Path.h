#pragma once

#include <array>
#include <vector>

namespace varnholt::render {

// An outline as plain data, the way both Cairo and SVG take it: moves, lines, cubic curves
// and closes, in one coordinate space.
struct PathSegment {
    enum class Kind { Move, Line, Curve, Close };
    Kind kind = Kind::Move;
    // Move and Line use the first point; Curve its two control points, then the end.
    std::array<double, 6> points{};
};

using Path = std::vector<PathSegment>;

// Appends `path` scaled by `scale` and moved by (dx, dy).
void AppendPlaced(Path& to, const Path& path, double scale, double dx, double dy);

}  // namespace varnholt::render
