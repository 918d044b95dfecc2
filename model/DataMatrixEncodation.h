#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace varnholt {

// The data codewords of some bytes, before padding.
struct DataMatrixData {
    std::vector<std::uint8_t> codewords;
    // Whether they end inside C40 or Text: a symbol with room to spare then needs the unlatch
    // (254) before its pads, a symbol they fill exactly does not.
    bool endsLatched = false;
};

// `bytes` in ASCII encodation alone (ISO/IEC 16022): two digits in one codeword, other
// bytes one each (two above 127), and, when `gs1`, FNC1 (232) first and for each byte GS (0x1D).
std::vector<std::uint8_t> AsciiCodewords(std::string_view bytes, bool gs1);

// The fewest data codewords for `bytes`, ASCII with runs in C40 (upper case and digits) or Text
// (lower case and digits) where they pay, three values in two codewords (ISO/IEC 16022).
// A run ends on a whole triplet; bytes above 127 stay in ASCII.
DataMatrixData DataCodewords(std::string_view bytes, bool gs1);

}  // namespace varnholt
