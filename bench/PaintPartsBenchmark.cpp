// The paint split in two, to show where its time goes: every call the control makes with
// nothing landing on the raster, and the raster work alone, the same rectangles and digits
// drawn straight onto the surface.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "raster/ForwardingSurface.h"
#include "raster/RasterHost.h"

namespace varnholt::bench {
namespace {

constexpr int kHeight = 81;

// Passes drawing calls on to a surface and keeps the rectangles and texts of one paint.
class ShapeRecorder final : public raster::ForwardingSurface {
  public:
    struct Shape {
        bool text = false;
        int a = 0, b = 0, c = 0, d = 0;
        std::string characters;
    };

    using ForwardingSurface::ForwardingSurface;

    std::vector<Shape> shapes;

    bool Rectangle(int left, int top, int right, int bottom) override {
        shapes.push_back({false, left, top, right, bottom, {}});
        return ForwardingSurface::Rectangle(left, top, right, bottom);
    }
    bool TextOutA(int x, int y, std::string_view text, int count) override {
        shapes.push_back({true, x, y, count, 0, std::string(text)});
        return ForwardingSurface::TextOutA(x, y, text, count);
    }
};

// A paint in which nothing lands: at height 0 every bar and digit lies above the raster,
// yet the control makes every call of a full paint.
void PaintNothingLands(benchmark::State& state) {
    raster::RasterHost host;
    host.ReportHeight(0.0f);
    host.Control().OnNewInstance();
    host.Control().OnPaint();
    for (auto _ : state) {
        host.Control().OnPaint();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PaintNothingLands);

// The rectangles and digits of a full paint, drawn straight onto the surface with one pen.
void PaintRasterWorkOnly(benchmark::State& state) {
    raster::RasterHost host;
    ShapeRecorder recorder(host.Raster());
    host.DrawThrough(&recorder);
    host.Control().OnNewInstance();
    host.Control().OnPaint();
    const std::vector<ShapeRecorder::Shape> shapes = recorder.shapes;

    raster::SoftwareSurface surface{Barcode::Width, kHeight};
    DrawingSurface& target = surface;
    target.SelectObject(target.CreatePen(DrawingSurface::kSolidPen, 1, 0));
    for (auto _ : state) {
        for (const ShapeRecorder::Shape& shape : shapes) {
            if (shape.text) {
                target.TextOutA(shape.a, shape.b, shape.characters, shape.c);
            } else {
                target.Rectangle(shape.a, shape.b, shape.c, shape.d);
            }
        }
        benchmark::ClobberMemory();
    }
    state.counters["shapes"] = static_cast<double>(shapes.size());
}
BENCHMARK(PaintRasterWorkOnly);

}  // namespace
}  // namespace varnholt::bench
