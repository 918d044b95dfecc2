// A full paint of the default number at 115 x 81 against two general bar code libraries
// and against the least any painter must do: write the same dark pixels.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <zint.h>

#include "bench/AllocationCounter.h"
#include "raster/RasterHost.h"

namespace varnholt::bench {
namespace {

const std::string kNumber(Barcode::DefaultValue);
constexpr int kHeight = 81;

void PaintVarnholt(benchmark::State& state) {
    raster::RasterHost host;
    host.Control().OnNewInstance();
    // The first paint raises Change; every later one paints the same value.
    host.Control().OnPaint();
    const auto paint = [&] {
        host.Control().OnPaint();
        benchmark::ClobberMemory();
    };
    for (auto _ : state) {
        paint();
    }
    state.counters["allocs"] = AllocationsPerCall(paint);
    state.counters["valid"] = host.Control().Valid() ? 1 : 0;
}
BENCHMARK(PaintVarnholt);

// One pixel per module is zint's raster scale 0.5; 76 modules of bar height make 81 rows.
void PaintZint(benchmark::State& state) {
    zint_symbol* symbol = ZBarcode_Create();
    int error = 0;
    const auto paint = [&] {
        ZBarcode_Clear(symbol);
        symbol->symbology = BARCODE_EANX;
        symbol->scale = 0.5f;
        symbol->height = 76.0f;
        error = ZBarcode_Encode_and_Buffer(symbol,
                                           reinterpret_cast<const unsigned char*>(kNumber.data()),
                                           static_cast<int>(kNumber.size()), 0);
        benchmark::DoNotOptimize(symbol->bitmap);
        benchmark::ClobberMemory();
    };
    for (auto _ : state) {
        paint();
    }
    // zint allocates with malloc, which the count of operator new does not see.
    state.counters["error"] = error;
    state.counters["width"] = symbol->bitmap_width;
    state.counters["height"] = symbol->bitmap_height;
    ZBarcode_Delete(symbol);
}
BENCHMARK(PaintZint);

void PaintZXing(benchmark::State& state) {
    const ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::EAN13);
    int width = 0;
    int height = 0;
    const auto paint = [&] {
        const ZXing::BitMatrix matrix = writer.encode(kNumber, Barcode::Width, kHeight);
        benchmark::DoNotOptimize(matrix.row(0).begin());
        width = matrix.width();
        height = matrix.height();
    };
    for (auto _ : state) {
        paint();
    }
    state.counters["allocs"] = AllocationsPerCall(paint);
    state.counters["width"] = width;
    state.counters["height"] = height;
}
BENCHMARK(PaintZXing);

// The floor: the dark pixels our paint leaves, written in raster order by a plain loop.
void PaintFloor(benchmark::State& state) {
    raster::RasterHost host;
    host.Control().OnNewInstance();
    host.Control().OnPaint();
    const auto painted = host.Raster().Pixels();
    const std::uint32_t white = painted.front();
    std::vector<std::uint32_t> dark;
    for (std::size_t i = 0; i < painted.size(); ++i) {
        if (painted[i] != white) {
            dark.push_back(static_cast<std::uint32_t>(i));
        }
    }
    const std::uint32_t ink = painted[dark.front()];
    std::vector<std::uint32_t> raster(painted.size(), white);
    const auto paint = [&] {
        std::uint32_t* pixels = raster.data();
        for (const std::uint32_t offset : dark) {
            pixels[offset] = ink;
        }
        benchmark::ClobberMemory();
    };
    for (auto _ : state) {
        paint();
    }
    state.counters["allocs"] = AllocationsPerCall(paint);
    state.counters["pixels"] = static_cast<double>(dark.size());
}
BENCHMARK(PaintFloor);

}  // namespace
}  // namespace varnholt::bench
