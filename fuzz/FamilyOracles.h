#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fuzz/Oracles.h"

// Plain restatements of the EAN/UPC family's number rules, written out case by case so that
// the fuzzer can hold the model's tables and shortcuts against them.
namespace varnholt::fuzz {

// The ISBN-10 check character of nine digits: the one that makes the sum of all ten, weighed
// 10 down to 1 and X counting 10, a multiple of 11.
inline char IsbnCheckCharacter(std::string_view nine) {
    int sum = 0;
    for (int i = 0; i < 9; ++i) {
        sum += (10 - i) * (nine[static_cast<std::size_t>(i)] - '0');
    }
    for (int check = 0; check <= 10; ++check) {
        if ((sum + check) % 11 == 0) {
            return check == 10 ? 'X' : static_cast<char>('0' + check);
        }
    }
    return '?';
}

inline std::string WithCheckDigit(const std::string& body) {
    return body + static_cast<char>('0' + WeightedCheckDigit(body));
}

// The GTIN-12 of a UPC-E's eight digits, rule by rule; nothing when it has no such shape.
inline std::optional<std::string> ExpandedUpcE(const std::string& e) {
    if (e.size() != 8 || !AllDigits(e) || (e[0] != '0' && e[0] != '1')) {
        return std::nullopt;
    }
    const std::string s = e.substr(0, 1);
    const std::string check = e.substr(7);
    const char sixth = e[6];
    if (sixth <= '2') {
        return s + e.substr(1, 2) + sixth + "0000" + e.substr(3, 3) + check;
    }
    if (sixth == '3') {
        return s + e.substr(1, 3) + "00000" + e.substr(4, 2) + check;
    }
    if (sixth == '4') {
        return s + e.substr(1, 4) + "00000" + e.substr(5, 1) + check;
    }
    return s + e.substr(1, 5) + "0000" + sixth + check;
}

// Whether a GTIN-12 has a UPC-E: number system 0 or 1, and a manufacturer code ending in 000,
// 100 or 200 with a product code up to 999, or ending in 00 with one up to 99, or in 0 with
// one up to 9, or a product code 5 to 9.
inline bool HasUpcE(const std::string& g) {
    if (g.size() != 12 || !AllDigits(g) || (g[0] != '0' && g[0] != '1')) {
        return false;
    }
    const std::string manufacturer = g.substr(1, 5);
    const std::string product = g.substr(6, 5);
    return (manufacturer[2] <= '2' && manufacturer.ends_with("00") && product.starts_with("00")) ||
           (manufacturer.ends_with("00") && product.starts_with("000")) ||
           (manufacturer.ends_with("0") && product.starts_with("0000")) ||
           (product.starts_with("0000") && product[4] >= '5');
}

}  // namespace varnholt::fuzz
