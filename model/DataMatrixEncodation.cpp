#include "model/DataMatrixEncodation.h"

#include <algorithm>
#include <array>
#include <limits>

namespace varnholt {
namespace {

constexpr char kGroupSeparator = 0x1D;
constexpr std::uint8_t kFnc1 = 232;
constexpr std::uint8_t kUpperShift = 235;
constexpr std::uint8_t kLatchC40 = 230;
constexpr std::uint8_t kLatchText = 239;
constexpr std::uint8_t kUnlatch = 254;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// C40 and Text values of one byte: its basic set value, or a shift (0, 1 or 2 for sets 1, 2
// and 3) and its value in that set. Count 0: the byte stays in ASCII.
struct Values {
    std::array<std::uint8_t, 2> value{};
    int count = 0;
};

enum class Mode : std::uint8_t { C40, Text };

Values ValuesOf(unsigned char c, Mode mode, bool fnc1) {
    const auto one = [](int v) { return Values{{static_cast<std::uint8_t>(v), 0}, 1}; };
    const auto two = [](int shift, int v) {
        return Values{{static_cast<std::uint8_t>(shift), static_cast<std::uint8_t>(v)}, 2};
    };
    const char upper = mode == Mode::C40 ? 'A' : 'a';  // the basic set's letters
    const char other = mode == Mode::C40 ? 'a' : 'A';  // the letters in set 3
    if (fnc1) {
        return two(1, 27);
    }
    if (c == ' ') {
        return one(3);
    }
    if (c >= '0' && c <= '9') {
        return one(c - '0' + 4);
    }
    if (c >= upper && c <= upper + 25) {
        return one(c - upper + 14);
    }
    if (c < 32) {
        return two(0, c);
    }
    if (c >= 33 && c <= 47) {
        return two(1, c - 33);
    }
    if (c >= 58 && c <= 64) {
        return two(1, c - 58 + 15);
    }
    if (c >= 91 && c <= 95) {
        return two(1, c - 91 + 22);
    }
    if (c >= other && c <= other + 25) {
        return two(2, c - other + 1);
    }
    if (c == 96) {
        return two(2, 0);
    }
    if (c >= 123 && c <= 127) {
        return two(2, c - 123 + 27);
    }
    return {};  // above 127
}

// One step in ASCII from position i: the codewords it writes and the bytes it takes.
int AsciiStep(std::string_view bytes, std::size_t i, bool gs1, std::uint8_t* out) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (i + 1 < bytes.size() && IsDigit(bytes[i]) && IsDigit(bytes[i + 1])) {
        out[0] = static_cast<std::uint8_t>(130 + (byte - '0') * 10 + (bytes[i + 1] - '0'));
        return 2;
    }
    if (gs1 && bytes[i] == kGroupSeparator) {
        out[0] = kFnc1;
    } else if (byte > 127) {
        out[0] = kUpperShift;
        out[1] = static_cast<std::uint8_t>(byte - 128 + 1);
    } else {
        out[0] = static_cast<std::uint8_t>(byte + 1);
    }
    return 1;
}

int AsciiCodewordCount(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]) > 127 ? 2 : 1;
}

}  // namespace

std::vector<std::uint8_t> AsciiCodewords(std::string_view bytes, bool gs1) {
    std::vector<std::uint8_t> codewords;
    codewords.reserve(bytes.size() + 1);
    if (gs1) {
        codewords.push_back(kFnc1);
    }
    for (std::size_t i = 0; i < bytes.size();) {
        std::uint8_t out[2] = {0, 0};
        const int taken = AsciiStep(bytes, i, gs1, out);
        codewords.push_back(out[0]);
        if (out[0] == kUpperShift) {
            codewords.push_back(out[1]);
        }
        i += static_cast<std::size_t>(taken);
    }
    return codewords;
}

DataMatrixData DataCodewords(std::string_view bytes, bool gs1) {
    // Costs in thirds of a codeword: a C40 or Text value is two thirds. States: ASCII, then
    // C40 and Text each with 0, 1 or 2 values of an unfinished triplet. cost[i][s]: the least
    // for bytes[i..] from state s; a run may stop only on a whole triplet, and may run to the
    // end of the data without its unlatch.
    constexpr int kNever = std::numeric_limits<int>::max() / 4;
    constexpr std::size_t kAscii = 0;
    constexpr std::size_t kStates = 7;
    const auto stateOf = [](Mode mode, int pending) {
        return 1 + static_cast<std::size_t>(mode) * 3 + static_cast<std::size_t>(pending);
    };
    const std::size_t n = bytes.size();
    std::vector<std::array<int, kStates>> cost(n + 1);
    cost[n].fill(kNever);
    cost[n][kAscii] = 0;
    cost[n][stateOf(Mode::C40, 0)] = 0;
    cost[n][stateOf(Mode::Text, 0)] = 0;
    std::vector<int> asciiStay(n + 1, 0);
    for (std::size_t i = n; i-- > 0;) {
        std::uint8_t out[2] = {0, 0};
        const int taken = AsciiStep(bytes, i, gs1, out);
        asciiStay[i] =
            3 * AsciiCodewordCount(bytes, i) + cost[i + static_cast<std::size_t>(taken)][kAscii];
        for (const Mode mode : {Mode::C40, Mode::Text}) {
            const Values v = ValuesOf(static_cast<unsigned char>(bytes[i]), mode,
                                      gs1 && bytes[i] == kGroupSeparator);
            for (int pending = 0; pending < 3; ++pending) {
                int best = kNever;
                if (v.count > 0) {
                    best = 2 * v.count + cost[i + 1][stateOf(mode, (pending + v.count) % 3)];
                }
                if (pending == 0) {
                    best = std::min(best, 3 + asciiStay[i]);  // unlatch here
                }
                cost[i][stateOf(mode, pending)] = best;
            }
        }
        cost[i][kAscii] = std::min({asciiStay[i], 3 + cost[i][stateOf(Mode::C40, 0)],
                                    3 + cost[i][stateOf(Mode::Text, 0)]});
    }

    DataMatrixData data;
    auto& out = data.codewords;
    out.reserve(n + 2);
    if (gs1) {
        out.push_back(kFnc1);
    }
    std::size_t state = kAscii;
    std::array<std::uint8_t, 3> triplet{};
    int pending = 0;
    for (std::size_t i = 0; i < n;) {
        if (state == kAscii) {
            if (cost[i][kAscii] != asciiStay[i]) {
                const Mode mode =
                    cost[i][kAscii] == 3 + cost[i][stateOf(Mode::C40, 0)] ? Mode::C40 : Mode::Text;
                out.push_back(mode == Mode::C40 ? kLatchC40 : kLatchText);
                state = stateOf(mode, 0);
                continue;
            }
            std::uint8_t step[2] = {0, 0};
            const int taken = AsciiStep(bytes, i, gs1, step);
            out.push_back(step[0]);
            if (step[0] == kUpperShift) {
                out.push_back(step[1]);
            }
            i += static_cast<std::size_t>(taken);
            continue;
        }
        const Mode mode = state <= stateOf(Mode::C40, 2) ? Mode::C40 : Mode::Text;
        if (pending == 0 && cost[i][state] == 3 + asciiStay[i]) {
            out.push_back(kUnlatch);
            state = kAscii;
            continue;
        }
        const Values v = ValuesOf(static_cast<unsigned char>(bytes[i]), mode,
                                  gs1 && bytes[i] == kGroupSeparator);
        for (int k = 0; k < v.count; ++k) {
            triplet[static_cast<std::size_t>(pending++)] = v.value[static_cast<std::size_t>(k)];
            if (pending == 3) {
                const unsigned packed = 1600U * triplet[0] + 40U * triplet[1] + triplet[2] + 1U;
                out.push_back(static_cast<std::uint8_t>(packed / 256));
                out.push_back(static_cast<std::uint8_t>(packed % 256));
                pending = 0;
            }
        }
        state = stateOf(mode, pending);
        ++i;
    }
    data.endsLatched = state != kAscii;
    return data;
}

}  // namespace varnholt
