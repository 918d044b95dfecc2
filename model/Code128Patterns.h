#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace varnholt {

// Code 128's bar and space widths in modules by symbol character value, bar first (ISO/IEC
// 15417, as section 5.4 of GS1's general standard publishes it): 0-102 data and function
// characters, 103-105 Start A, B and C, then the Stop with its final bar.
inline constexpr std::array<std::string_view, 107> Code128Widths{
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

// Symbol character values with a role of their own.
namespace code128 {
inline constexpr int kShift = 98;    // the next character only from the other of A and B
inline constexpr int kCodeC = 99;    // in A and B
inline constexpr int kCodeB = 100;   // in A and C
inline constexpr int kCodeA = 101;   // in B and C
inline constexpr int kFnc1 = 102;    // in every code set
inline constexpr int kStartA = 103;  // Start B and Start C follow it
inline constexpr int kStop = 106;
inline constexpr std::size_t kCharacterModules = 11;
inline constexpr std::size_t kStopModules = 13;
}  // namespace code128

namespace tables {

constexpr std::size_t WidthSum(std::string_view widths, std::size_t first) {
    std::size_t sum = 0;
    for (std::size_t i = first; i < widths.size(); i += 2) {
        sum += static_cast<std::size_t>(widths[i] - '0');
    }
    return sum;
}

// Every character: six elements of one to four modules, eleven modules, the bars' even (so a
// reader can check each character's parity on its own).
constexpr bool CharactersWellFormed() {
    for (std::size_t v = 0; v < code128::kStop; ++v) {
        const std::string_view w = Code128Widths[v];
        for (const char c : w) {
            if (c < '1' || c > '4') {
                return false;
            }
        }
        if (w.size() != 6 || WidthSum(w, 0) + WidthSum(w, 1) != code128::kCharacterModules ||
            WidthSum(w, 0) % 2 != 0) {
            return false;
        }
    }
    return true;
}

constexpr bool AllDistinct() {
    for (std::size_t a = 0; a < Code128Widths.size(); ++a) {
        for (std::size_t b = a + 1; b < Code128Widths.size(); ++b) {
            if (Code128Widths[a] == Code128Widths[b]) {
                return false;
            }
        }
    }
    return true;
}

static_assert(CharactersWellFormed());
static_assert(AllDistinct());
// The Stop: seven elements, four bars, thirteen modules, ending on a bar.
static_assert(Code128Widths[code128::kStop].size() == 7);
static_assert(WidthSum(Code128Widths[code128::kStop], 0) +
                  WidthSum(Code128Widths[code128::kStop], 1) ==
              code128::kStopModules);

}  // namespace tables
}  // namespace varnholt
