#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace varnholt {

// The mapping matrix of a DataMatrix ECC 200 symbol: `codewords` (data then error correction,
// interleaved) set out bit by bit in `rows` x `columns` modules along the diagonal path of
// ISO/IEC 16022, with its four corner cases, rows top to bottom, 1 dark. The
// data regions' finder patterns are not part of it.
std::vector<std::uint8_t> PlaceCodewords(std::span<const std::uint8_t> codewords, std::size_t rows,
                                         std::size_t columns);

}  // namespace varnholt
