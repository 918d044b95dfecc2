#include "model/DataMatrixPlacement.h"

namespace varnholt {
namespace {

// The bits of each codeword go to eight modules; 1 is the codeword's most significant bit.
struct Placement {
    std::span<const std::uint8_t> codewords;
    int rows;
    int columns;
    std::vector<std::uint8_t> modules;  // 0 light, 1 dark, 2 not yet placed

    static constexpr std::uint8_t kUnset = 2;

    bool Unset(int row, int column) const {
        return modules[static_cast<std::size_t>(row * columns + column)] == kUnset;
    }

    // One bit, wrapping from past an edge round to the other side as the path requires.
    void Module(int row, int column, std::size_t codeword, int bit) {
        if (row < 0) {
            row += rows;
            column += 4 - ((rows + 4) % 8);
        }
        if (column < 0) {
            column += columns;
            row += 4 - ((columns + 4) % 8);
        }
        // Only a matrix too small for the path (none of the standard's sizes) reaches outside.
        if (row < 0 || row >= rows || column < 0 || column >= columns) {
            return;
        }
        const unsigned shift = static_cast<unsigned>(8 - bit);
        const std::uint8_t value =
            codeword < codewords.size()
                ? static_cast<std::uint8_t>((unsigned{codewords[codeword]} >> shift) & 1U)
                : std::uint8_t{0};
        modules[static_cast<std::size_t>(row * columns + column)] = value;
    }

    // The usual L-shaped eight modules, (row, column) its lower right one.
    void Utah(int row, int column, std::size_t codeword) {
        Module(row - 2, column - 2, codeword, 1);
        Module(row - 2, column - 1, codeword, 2);
        Module(row - 1, column - 2, codeword, 3);
        Module(row - 1, column - 1, codeword, 4);
        Module(row - 1, column, codeword, 5);
        Module(row, column - 2, codeword, 6);
        Module(row, column - 1, codeword, 7);
        Module(row, column, codeword, 8);
    }

    // The four special shapes that fit a codeword around the matrix's corners.
    void Corner(const int (&cells)[8][2], std::size_t codeword) {
        for (int bit = 0; bit < 8; ++bit) {
            Module(cells[bit][0], cells[bit][1], codeword, bit + 1);
        }
    }
};

}  // namespace

std::vector<std::uint8_t> PlaceCodewords(std::span<const std::uint8_t> codewords, std::size_t rows,
                                         std::size_t columns) {
    Placement p{codewords, static_cast<int>(rows), static_cast<int>(columns),
                std::vector<std::uint8_t>(rows * columns, Placement::kUnset)};
    const int nr = p.rows;
    const int nc = p.columns;
    const int corner1[8][2] = {{nr - 1, 0}, {nr - 1, 1}, {nr - 1, 2}, {0, nc - 2},
                               {0, nc - 1}, {1, nc - 1}, {2, nc - 1}, {3, nc - 1}};
    const int corner2[8][2] = {{nr - 3, 0}, {nr - 2, 0}, {nr - 1, 0}, {0, nc - 4},
                               {0, nc - 3}, {0, nc - 2}, {0, nc - 1}, {1, nc - 1}};
    const int corner3[8][2] = {{nr - 3, 0}, {nr - 2, 0}, {nr - 1, 0}, {0, nc - 2},
                               {0, nc - 1}, {1, nc - 1}, {2, nc - 1}, {3, nc - 1}};
    const int corner4[8][2] = {{nr - 1, 0}, {nr - 1, nc - 1}, {0, nc - 3}, {0, nc - 2},
                               {0, nc - 1}, {1, nc - 3},      {1, nc - 2}, {1, nc - 1}};
    std::size_t codeword = 0;
    int row = 4;
    int column = 0;
    do {
        if (row == nr && column == 0) {
            p.Corner(corner1, codeword++);
        }
        if (row == nr - 2 && column == 0 && nc % 4 != 0) {
            p.Corner(corner2, codeword++);
        }
        if (row == nr - 2 && column == 0 && nc % 8 == 4) {
            p.Corner(corner3, codeword++);
        }
        if (row == nr + 4 && column == 2 && nc % 8 == 0) {
            p.Corner(corner4, codeword++);
        }
        // Up and to the right along the diagonal...
        do {
            if (row < nr && column >= 0 && p.Unset(row, column)) {
                p.Utah(row, column, codeword++);
            }
            row -= 2;
            column += 2;
        } while (row >= 0 && column < nc);
        row += 1;
        column += 3;
        // ...then down and to the left.
        do {
            if (row >= 0 && column < nc && p.Unset(row, column)) {
                p.Utah(row, column, codeword++);
            }
            row += 2;
            column -= 2;
        } while (row < nr && column >= 0);
        row += 3;
        column += 1;
    } while (row < nr || column < nc);
    // Sizes whose matrix has four modules more than their codewords' bits: a fixed pattern in
    // the lower right corner, dark on its diagonal.
    if (p.Unset(nr - 1, nc - 1)) {
        p.modules[rows * columns - 1] = 1;
        p.modules[rows * columns - 2] = 0;
        p.modules[(rows - 1) * columns - 1] = 0;
        p.modules[(rows - 1) * columns - 2] = 1;
    }
    return std::move(p.modules);
}

}  // namespace varnholt
