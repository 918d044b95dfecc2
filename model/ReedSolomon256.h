#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace varnholt {

// The generator polynomial of `count` error correction codewords for DataMatrix ECC 200: the
// product of (x - 2^i) for i = 1 to count over GF(256) reduced by x^8 + x^5 + x^3 + x^2 + 1
// (0x12D) (ISO/IEC 16022). Coefficients highest degree first, the leading 1 left out.
std::vector<std::uint8_t> GeneratorPolynomial(std::size_t count);

// The error correction codewords of `data` under `generator` (of GeneratorPolynomial): the
// remainder of data(x) * x^n divided by the generator, highest degree first, into `out`,
// which holds n codewords.
void ErrorCorrection(std::span<const std::uint8_t> data, std::span<const std::uint8_t> generator,
                     std::span<std::uint8_t> out);

}  // namespace varnholt
