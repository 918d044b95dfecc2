// The paint split in two, to show where its time goes: every call the control makes with
// nothing landing on the raster, and the raster work alone, the same rectangles and digits
// drawn straight onto the surface.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/PaintHost.h"

namespace varnholt::bench {
namespace {

// Passes drawing calls on to a surface and keeps the rectangles and texts of one paint.
class ShapeRecorder final : public DrawingSurface {
  public:
    struct Shape {
        bool text = false;
        int a = 0, b = 0, c = 0, d = 0;
        std::string characters;
    };

    explicit ShapeRecorder(DrawingSurface& target) : target_(target) {}

    std::vector<Shape> shapes;

    PenHandle CreatePen(int style, int width, ColorRef color) override {
        return target_.CreatePen(style, width, color);
    }
    PenHandle SelectObject(PenHandle pen) override { return target_.SelectObject(pen); }
    bool DeleteObject(PenHandle pen) override { return target_.DeleteObject(pen); }
    bool Rectangle(int left, int top, int right, int bottom) override {
        shapes.push_back({false, left, top, right, bottom, {}});
        return target_.Rectangle(left, top, right, bottom);
    }
    ColorRef SetTextColor(ColorRef color) override { return target_.SetTextColor(color); }
    bool TextOutA(int x, int y, std::string_view text, int count) override {
        shapes.push_back({true, x, y, count, 0, std::string(text)});
        return target_.TextOutA(x, y, text, count);
    }
    std::int32_t OleTranslateColor(OleColor color, std::uintptr_t palette,
                                   ColorRef* result) override {
        return target_.OleTranslateColor(color, palette, result);
    }

  private:
    DrawingSurface& target_;
};

// A paint in which nothing lands: at height 0 every bar and digit lies above the raster,
// yet the control makes every call of a full paint.
void PaintNothingLands(benchmark::State& state) {
    PaintHost host;
    host.height = 0.0f;
    host.control.OnNewInstance();
    host.control.OnPaint();
    for (auto _ : state) {
        host.control.OnPaint();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PaintNothingLands);

// The rectangles and digits of a full paint, drawn straight onto the surface with one pen.
void PaintRasterWorkOnly(benchmark::State& state) {
    PaintHost host;
    ShapeRecorder recorder(host.surface);
    host.drawOn = &recorder;
    host.control.OnNewInstance();
    host.control.OnPaint();
    const std::vector<ShapeRecorder::Shape> shapes = recorder.shapes;

    gdi::SoftwareSurface surface{Barcode::Width, PaintHost::kHeight};
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
