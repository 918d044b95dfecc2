#include "model/Gs1128.h"

#include <array>
#include <limits>

#include "model/Code128Patterns.h"

namespace varnholt {
namespace {

constexpr char kGroupSeparator = 0x1D;

enum CodeSet : std::uint8_t { A, B, C };
constexpr std::size_t kSets = 3;
// Among equally short symbols, the one with the denser code set in force.
constexpr std::array<CodeSet, kSets> kPreference{C, B, A};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of `byte` in code set A (controls and upper case) or B (lower case), or -1.
int ValueIn(CodeSet set, unsigned char byte) {
    if (set == A) {
        return byte < 32 ? byte + 64 : (byte < 96 ? byte - 32 : -1);
    }
    return byte >= 32 && byte < 128 ? byte - 32 : -1;
}

// The character that changes from any code set to `set`.
int CodeTo(CodeSet set) {
    return set == A ? code128::kCodeA : (set == B ? code128::kCodeB : code128::kCodeC);
}

// One step of the encodation: how `set` takes the data at a position, and what it costs.
struct Step {
    enum Kind : std::uint8_t { None, Fnc1, Pair, Plain, Shifted } kind = None;
    std::size_t length = 0;  // bytes taken
    int cost = 0;            // symbol characters
};

Step StepAt(std::string_view data, std::size_t i, CodeSet set) {
    const auto byte = static_cast<unsigned char>(data[i]);
    if (data[i] == kGroupSeparator) {
        return {Step::Fnc1, 1, 1};
    }
    if (set == C) {
        if (i + 1 < data.size() && IsDigit(data[i]) && IsDigit(data[i + 1])) {
            return {Step::Pair, 2, 1};
        }
        return {};
    }
    if (ValueIn(set, byte) >= 0) {
        return {Step::Plain, 1, 1};
    }
    if (ValueIn(set == A ? B : A, byte) >= 0) {
        return {Step::Shifted, 1, 2};
    }
    return {};
}

Result<Gs1128Symbol> Refuse(std::string message) {
    return Result<Gs1128Symbol>::Failure(ErrorKind::Input, "GS1-128: " + std::move(message));
}

Result<Gs1128Symbol> Check(std::string_view data) {
    if (data.empty()) {
        return Refuse("no data to encode");
    }
    if (data.size() > Gs1128Symbol::kMaxDataCharacters) {
        return Refuse(std::to_string(data.size()) + " data characters, more than the " +
                      std::to_string(Gs1128Symbol::kMaxDataCharacters) + " one symbol may carry");
    }
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (static_cast<unsigned char>(data[i]) > 127) {
            return Refuse("byte " + std::to_string(static_cast<unsigned char>(data[i])) +
                          " at position " + std::to_string(i + 1) + " is not ASCII");
        }
        if (data[i] == kGroupSeparator &&
            (i == 0 || i + 1 == data.size() || data[i - 1] == kGroupSeparator)) {
            return Refuse("a separator (GS) at position " + std::to_string(i + 1) +
                          " does not stand between two fields");
        }
    }
    return Gs1128Symbol{};
}

}  // namespace

Result<Gs1128Symbol> EncodeGs1128(std::string_view data) {
    if (auto checked = Check(data); !checked) {
        return checked;
    }
    // cost[i][s]: fewest symbol characters for data[i..] when set s is in force before i, and
    // whether to change set first. Changing twice in a row never pays, so one change suffices.
    constexpr int kNever = std::numeric_limits<int>::max() / 4;
    const std::size_t n = data.size();
    std::vector<std::array<int, kSets>> cost(n + 1, {0, 0, 0});
    std::vector<std::array<CodeSet, kSets>> setAt(n + 1, {A, B, C});
    std::vector<std::array<int, kSets>> stay(n + 1, {0, 0, 0});
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t s = 0; s < kSets; ++s) {
            const Step step = StepAt(data, i, static_cast<CodeSet>(s));
            stay[i][s] = step.kind == Step::None ? kNever : step.cost + cost[i + step.length][s];
        }
        for (std::size_t s = 0; s < kSets; ++s) {
            cost[i][s] = stay[i][s];
            setAt[i][s] = static_cast<CodeSet>(s);
            for (const CodeSet t : kPreference) {
                if (t != s && 1 + stay[i][t] < cost[i][s]) {
                    cost[i][s] = 1 + stay[i][t];
                    setAt[i][s] = t;
                }
            }
        }
    }

    // The Start picks the first set for nothing.
    CodeSet set = kPreference.front();
    for (const CodeSet s : kPreference) {
        if (stay[0][s] < stay[0][set]) {
            set = s;
        }
    }
    Gs1128Symbol symbol;
    auto& out = symbol.characters;
    out.reserve(2 * n + 4);
    out.push_back(static_cast<std::uint8_t>(code128::kStartA + set));
    out.push_back(code128::kFnc1);
    for (std::size_t i = 0; i < n;) {
        if (setAt[i][set] != set) {
            set = setAt[i][set];
            out.push_back(static_cast<std::uint8_t>(CodeTo(set)));
        }
        const Step step = StepAt(data, i, set);
        const auto byte = static_cast<unsigned char>(data[i]);
        switch (step.kind) {
            case Step::Fnc1:
                out.push_back(code128::kFnc1);
                break;
            case Step::Pair:
                out.push_back(
                    static_cast<std::uint8_t>((data[i] - '0') * 10 + (data[i + 1] - '0')));
                break;
            case Step::Plain:
                out.push_back(static_cast<std::uint8_t>(ValueIn(set, byte)));
                break;
            case Step::Shifted:
                out.push_back(code128::kShift);
                out.push_back(static_cast<std::uint8_t>(ValueIn(set == A ? B : A, byte)));
                break;
            case Step::None:
                break;  // the programme above never chooses it
        }
        i += step.length;
    }
    // The check character: the Start's value plus each character's times its position.
    std::size_t sum = out.front();
    for (std::size_t i = 1; i < out.size(); ++i) {
        sum += i * out[i];
    }
    out.push_back(static_cast<std::uint8_t>(sum % 103));
    out.push_back(code128::kStop);
    return symbol;
}

std::size_t Gs1128Symbol::Modules() const noexcept {
    return characters.empty()
               ? 0
               : (characters.size() - 1) * code128::kCharacterModules + code128::kStopModules;
}

std::vector<std::uint8_t> Gs1128Symbol::Widths() const {
    std::vector<std::uint8_t> widths;
    widths.reserve(characters.size() * 6 + 1);
    for (const std::uint8_t value : characters) {
        for (const char w : Code128Widths[value]) {
            widths.push_back(static_cast<std::uint8_t>(w - '0'));
        }
    }
    return widths;
}

std::string Gs1128Symbol::Text() const {
    std::string text;
    text.reserve(Modules());
    bool dark = true;
    for (const std::uint8_t width : Widths()) {
        text.append(width, dark ? '1' : '0');
        dark = !dark;
    }
    return text;
}

}  // namespace varnholt
