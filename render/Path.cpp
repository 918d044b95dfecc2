#include "render/Path.h"

namespace varnholt::render {

void AppendPlaced(Path& to, const Path& path, double scale, double dx, double dy) {
    for (PathSegment segment : path) {
        for (std::size_t i = 0; i < segment.points.size(); i += 2) {
            segment.points[i] = segment.points[i] * scale + dx;
            segment.points[i + 1] = segment.points[i + 1] * scale + dy;
        }
        to.push_back(segment);
    }
}

}  // namespace varnholt::render
