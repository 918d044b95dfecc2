#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

// Plain restatements of what the control and the model promise, written separately from the
// product code so that a fuzzer can hold one against the other.
namespace varnholt::fuzz {

// The characters the model reads: every blank and hyphen dropped.
inline std::string Kept(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (c != ' ' && c != '-') {
            kept += c;
        }
    }
    return kept;
}

inline bool AllDigits(std::string_view text) {
    return std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// The GS1 check digit of `digits`, the rightmost weighing 3; exact for any length.
inline int WeightedCheckDigit(std::string_view digits) {
    long long sum = 0;
    bool three = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, three = !three) {
        sum += (*it - '0') * (three ? 3 : 1);
    }
    return static_cast<int>((10 - sum % 10) % 10);
}

// What a number in a text looks like: blanks, a sign, digits with at most one point (and a
// digit on at least one side of it), an exponent with at least one digit, blanks. Written
// out by hand, as std::regex recurses once per character and overflows on long texts.
inline bool LooksNumeric(std::string_view text) {
    std::size_t i = 0;
    const auto skip = [&](auto accepts) {
        const std::size_t from = i;
        while (i < text.size() && accepts(text[i])) {
            ++i;
        }
        return i - from;
    };
    const auto is = [](char wanted) { return [wanted](char c) { return c == wanted; }; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto sign = [](char c) { return c == '+' || c == '-'; };
    skip(is(' '));
    if (i < text.size() && sign(text[i])) {
        ++i;
    }
    std::size_t digits = skip(digit);
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits += skip(digit);
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && sign(text[i])) {
            ++i;
        }
        if (skip(digit) == 0) {
            return false;
        }
    }
    skip(is(' '));
    return i == text.size();
}

// For a text that LooksNumeric: whether its value is zero, or nothing when a double might
// over- or underflow (an exponent beyond 280, or more than 15 mantissa digits).
inline std::optional<bool> IsZeroNumber(std::string_view text) {
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    const bool zero = std::ranges::none_of(mantissa, [](char c) { return c >= '1' && c <= '9'; });
    if (zero) {
        return true;
    }
    const auto digits =
        std::ranges::count_if(mantissa, [](char c) { return c >= '0' && c <= '9'; });
    if (digits > 15) {
        return std::nullopt;
    }
    if (e != std::string_view::npos) {
        std::string_view exponent = text.substr(e + 1);
        while (!exponent.empty() && exponent.back() == ' ') {
            exponent.remove_suffix(1);
        }
        if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
            exponent.remove_prefix(1);
        }
        while (exponent.size() > 1 && exponent.front() == '0') {
            exponent.remove_prefix(1);
        }
        if (exponent.size() > 3 || std::stoi(std::string(exponent)) > 280) {
            return std::nullopt;
        }
    }
    return false;
}

}  // namespace varnholt::fuzz
