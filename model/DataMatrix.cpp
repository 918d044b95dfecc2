#include "model/DataMatrix.h"

#include <string>

#include "model/DataMatrixEncodation.h"
#include "model/DataMatrixPlacement.h"
#include "model/DataMatrixSizes.h"
#include "model/ReedSolomon256.h"

namespace varnholt {
namespace {

constexpr std::uint8_t kPad = 129;
constexpr std::uint8_t kUnlatch = 254;

// The last square, the largest symbol of all.
constexpr const DataMatrixSize& kLargest = DataMatrixSizes[23];
static_assert(kLargest.rows == 144 && kLargest.Square());

Result<ModuleGrid> Refuse(std::string message) {
    return Result<ModuleGrid>::Failure(ErrorKind::Input, "DataMatrix: " + std::move(message));
}

// The smallest size of `shape` that holds `count` data codewords; none when none does.
const DataMatrixSize* SizeFor(std::size_t count, DataMatrixShape shape) {
    for (const DataMatrixSize& size : DataMatrixSizes) {
        if (size.Square() == (shape == DataMatrixShape::Square) && size.dataCodewords >= count) {
            return &size;
        }
    }
    return shape == DataMatrixShape::Rectangle ? SizeFor(count, DataMatrixShape::Square) : nullptr;
}

// Fills the symbol's spare data codewords: one plain pad, then pads scrambled by their
// position (1-based) so that long runs of them do not make a regular pattern.
void Pad(std::vector<std::uint8_t>& codewords, std::size_t capacity) {
    if (codewords.size() < capacity) {
        codewords.push_back(kPad);
    }
    while (codewords.size() < capacity) {
        const std::size_t position = codewords.size() + 1;
        const std::size_t scrambled = kPad + (149 * position) % 253 + 1;
        codewords.push_back(
            static_cast<std::uint8_t>(scrambled <= 254 ? scrambled : scrambled - 254));
    }
}

// Data and error correction codewords in symbol order: data codeword i belongs to block
// i mod blocks, and the blocks' error correction codewords are interleaved the same way, except
// that where some blocks hold one data codeword fewer (144 x 144 alone: eight of 156, two of
// 155) those shorter blocks lead the error correction, as ZXing-cpp and zint have it.
std::vector<std::uint8_t> WithErrorCorrection(const std::vector<std::uint8_t>& data,
                                              const DataMatrixSize& size) {
    const std::size_t blocks = size.blocks;
    const std::size_t perBlock = size.errorCodewords / blocks;
    const std::vector<std::uint8_t> generator = GeneratorPolynomial(perBlock);
    std::vector<std::uint8_t> all(data);
    all.resize(data.size() + size.errorCodewords);
    std::vector<std::uint8_t> blockData;
    std::vector<std::uint8_t> blockEcc(perBlock);
    const std::size_t firstShort = data.size() % blocks;
    for (std::size_t b = 0; b < blocks; ++b) {
        blockData.clear();
        for (std::size_t i = b; i < data.size(); i += blocks) {
            blockData.push_back(data[i]);
        }
        ErrorCorrection(blockData, generator, blockEcc);
        for (std::size_t j = 0; j < perBlock; ++j) {
            all[data.size() + j * blocks + (b + blocks - firstShort) % blocks] = blockEcc[j];
        }
    }
    return all;
}

// The mapping matrix split into data regions, each framed by its finder pattern: solid on the
// left and bottom, alternating on the top and right.
ModuleGrid Framed(const std::vector<std::uint8_t>& mapping, const DataMatrixSize& size) {
    ModuleGrid grid{size.columns, size.rows, std::vector<std::uint8_t>(size.rows * size.columns)};
    const std::size_t blockRows = size.regionRows + 2;
    const std::size_t blockColumns = size.regionColumns + 2;
    const std::size_t mappingColumns = size.RegionsAcross() * size.regionColumns;
    for (std::size_t y = 0; y < size.rows; ++y) {
        const std::size_t inY = y % blockRows;
        for (std::size_t x = 0; x < size.columns; ++x) {
            const std::size_t inX = x % blockColumns;
            std::uint8_t dark = 0;
            if (inX == 0 || inY == blockRows - 1) {
                dark = 1;
            } else if (inY == 0) {
                dark = inX % 2 == 0 ? 1 : 0;
            } else if (inX == blockColumns - 1) {
                dark = inY % 2 == 1 ? 1 : 0;
            } else {
                const std::size_t row = (y / blockRows) * size.regionRows + inY - 1;
                const std::size_t column = (x / blockColumns) * size.regionColumns + inX - 1;
                dark = mapping[row * mappingColumns + column];
            }
            grid.modules[y * size.columns + x] = dark;
        }
    }
    return grid;
}

Result<ModuleGrid> Encode(std::string_view bytes, bool gs1, DataMatrixShape shape) {
    DataMatrixData encoded = DataCodewords(bytes, gs1);
    std::vector<std::uint8_t>& data = encoded.codewords;
    const DataMatrixSize* size = SizeFor(data.size(), shape);
    if (size == nullptr) {
        return Refuse(std::to_string(data.size()) +
                      " codewords do not fit the largest symbol, 144 x 144 modules, which "
                      "holds " +
                      std::to_string(kLargest.dataCodewords));
    }
    if (encoded.endsLatched && data.size() < size->dataCodewords) {
        data.push_back(kUnlatch);  // the pads are ASCII's
    }
    Pad(data, size->dataCodewords);
    const std::vector<std::uint8_t> codewords = WithErrorCorrection(data, *size);
    const std::vector<std::uint8_t> mapping =
        PlaceCodewords(codewords, size->RegionsDown() * size->regionRows,
                       size->RegionsAcross() * size->regionColumns);
    return Framed(mapping, *size);
}

}  // namespace

Result<ModuleGrid> EncodeGs1DataMatrix(std::string_view elementString, DataMatrixShape shape) {
    if (elementString.empty()) {
        return Refuse("no data to encode");
    }
    for (std::size_t i = 0; i < elementString.size(); ++i) {
        if (static_cast<unsigned char>(elementString[i]) > 127) {
            return Refuse("byte " + std::to_string(static_cast<unsigned char>(elementString[i])) +
                          " at position " + std::to_string(i + 1) + " is not ASCII");
        }
    }
    return Encode(elementString, true, shape);
}

Result<ModuleGrid> EncodeDataMatrixText(std::string_view text, DataMatrixShape shape) {
    if (text.empty()) {
        return Refuse("no text to encode");
    }
    return Encode(text, false, shape);
}

}  // namespace varnholt
