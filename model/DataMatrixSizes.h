#pragma once

#include <array>
#include <cstddef>

namespace varnholt {

// One DataMatrix ECC 200 symbol size (ISO/IEC 16022, table of symbol attributes): its modules,
// how its data regions split it, and how many data and error correction codewords it holds.
struct DataMatrixSize {
    std::size_t rows;        // modules, finder patterns included
    std::size_t columns;     // modules, finder patterns included
    std::size_t regionRows;  // modules inside one data region, without its finder pattern
    std::size_t regionColumns;
    std::size_t dataCodewords;   // the whole symbol's
    std::size_t errorCodewords;  // the whole symbol's, shared equally by the blocks
    std::size_t blocks;          // interleaved Reed-Solomon blocks

    // Data regions across and down.
    constexpr std::size_t RegionsAcross() const { return columns / (regionColumns + 2); }
    constexpr std::size_t RegionsDown() const { return rows / (regionRows + 2); }
    constexpr bool Square() const { return rows == columns; }
};

// Smallest first: the 24 squares, then the 6 rectangles.
inline constexpr std::array<DataMatrixSize, 30> DataMatrixSizes{{
    {10, 10, 8, 8, 3, 5, 1},          {12, 12, 10, 10, 5, 7, 1},
    {14, 14, 12, 12, 8, 10, 1},       {16, 16, 14, 14, 12, 12, 1},
    {18, 18, 16, 16, 18, 14, 1},      {20, 20, 18, 18, 22, 18, 1},
    {22, 22, 20, 20, 30, 20, 1},      {24, 24, 22, 22, 36, 24, 1},
    {26, 26, 24, 24, 44, 28, 1},      {32, 32, 14, 14, 62, 36, 1},
    {36, 36, 16, 16, 86, 42, 1},      {40, 40, 18, 18, 114, 48, 1},
    {44, 44, 20, 20, 144, 56, 1},     {48, 48, 22, 22, 174, 68, 1},
    {52, 52, 24, 24, 204, 84, 2},     {64, 64, 14, 14, 280, 112, 2},
    {72, 72, 16, 16, 368, 144, 4},    {80, 80, 18, 18, 456, 192, 4},
    {88, 88, 20, 20, 576, 224, 4},    {96, 96, 22, 22, 696, 272, 4},
    {104, 104, 24, 24, 816, 336, 6},  {120, 120, 18, 18, 1050, 408, 6},
    {132, 132, 20, 20, 1304, 496, 8}, {144, 144, 22, 22, 1558, 620, 10},
    {8, 18, 6, 16, 5, 7, 1},          {8, 32, 6, 14, 10, 11, 1},
    {12, 26, 10, 24, 16, 14, 1},      {12, 36, 10, 16, 22, 18, 1},
    {16, 36, 14, 16, 32, 24, 1},      {16, 48, 14, 22, 49, 28, 1},
}};

namespace tables {

// Each size: the regions with their finder patterns tile the symbol; the mapping matrix holds
// exactly its codewords' bits, or four modules more (the fixed corner pattern); the blocks
// share the error correction codewords evenly.
constexpr bool SizesConsistent() {
    for (const DataMatrixSize& s : DataMatrixSizes) {
        const std::size_t across = s.RegionsAcross();
        const std::size_t down = s.RegionsDown();
        if (across * (s.regionColumns + 2) != s.columns || down * (s.regionRows + 2) != s.rows) {
            return false;
        }
        const std::size_t bits = across * s.regionColumns * down * s.regionRows;
        const std::size_t codewordBits = 8 * (s.dataCodewords + s.errorCodewords);
        if (bits != codewordBits && bits != codewordBits + 4) {
            return false;
        }
        if (s.errorCodewords % s.blocks != 0) {
            return false;
        }
    }
    return true;
}
static_assert(SizesConsistent());

}  // namespace tables
}  // namespace varnholt
