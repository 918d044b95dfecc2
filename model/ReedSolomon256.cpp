#include "model/ReedSolomon256.h"

#include <algorithm>
#include <array>

namespace varnholt {
namespace {

// Powers of 2 in the field and their logarithms, so that a product is a sum of logarithms.
struct FieldTables {
    std::array<std::uint8_t, 255> power{};
    std::array<std::uint8_t, 256> log{};
};

constexpr FieldTables MakeTables() {
    FieldTables t;
    unsigned value = 1;
    for (unsigned i = 0; i < 255; ++i) {
        t.power[i] = static_cast<std::uint8_t>(value);
        t.log[value] = static_cast<std::uint8_t>(i);
        value <<= 1;
        if (value & 0x100) {
            value ^= 0x12D;
        }
    }
    return t;
}

constexpr FieldTables kField = MakeTables();
// 2 generates every non-zero element: its powers are all distinct.
static_assert(kField.power[0] == 1 && kField.log[1] == 0 && kField.power[254] != 1);

std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) {
    if (a == 0 || b == 0) {
        return 0;
    }
    return kField.power[(std::size_t{kField.log[a]} + kField.log[b]) % 255];
}

}  // namespace

std::vector<std::uint8_t> GeneratorPolynomial(std::size_t count) {
    // Highest degree first, the leading 1 included while the product is built.
    std::vector<std::uint8_t> poly{1};
    poly.reserve(count + 1);
    for (std::size_t i = 1; i <= count; ++i) {
        const std::uint8_t root = kField.power[i % 255];
        poly.push_back(0);
        for (std::size_t j = poly.size() - 1; j > 0; --j) {
            poly[j] ^= Multiply(poly[j - 1], root);
        }
    }
    poly.erase(poly.begin());
    return poly;
}

void ErrorCorrection(std::span<const std::uint8_t> data, std::span<const std::uint8_t> generator,
                     std::span<std::uint8_t> out) {
    std::fill(out.begin(), out.end(), 0);
    const std::size_t n = out.size();
    for (const std::uint8_t d : data) {
        const std::uint8_t factor = d ^ out[0];
        std::copy(out.begin() + 1, out.end(), out.begin());
        out[n - 1] = 0;
        if (factor != 0) {
            for (std::size_t j = 0; j < n; ++j) {
                out[j] ^= Multiply(generator[j], factor);
            }
        }
    }
}

}  // namespace varnholt
