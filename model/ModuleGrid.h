#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnholt {

// The modules of a two-dimensional symbol, no quiet zone: rows top to bottom, each left to
// right, one byte a module.
struct ModuleGrid {
    std::size_t width = 0;              // modules a row
    std::size_t height = 0;             // rows
    std::vector<std::uint8_t> modules;  // width * height, 1 dark and 0 light

    // Whether the module in column x of row y is dark.
    bool Dark(std::size_t x, std::size_t y) const noexcept { return modules[y * width + x] != 0; }
};

}  // namespace varnholt
