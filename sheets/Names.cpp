#include "sheets/Names.h"

#include <algorithm>
#include <vector>

namespace varnholt::sheets {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits from `at` on, without leading zeros, and where they end.
std::pair<std::string_view, std::size_t> DigitRun(std::string_view text, std::size_t at) {
    const std::size_t end = std::min(text.find_first_not_of("0123456789", at), text.size());
    std::string_view run = text.substr(at, end - at);
    run.remove_prefix(std::min(run.find_first_not_of('0'), run.size()));
    return {run, end};
}

}  // namespace

bool NaturallyBefore(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const auto [aRun, aEnd] = DigitRun(a, i);
            const auto [bRun, bEnd] = DigitRun(b, j);
            if (aRun.size() != bRun.size()) {
                return aRun.size() < bRun.size();
            }
            if (aRun != bRun) {
                return aRun < bRun;
            }
            i = aEnd;
            j = bEnd;
        } else if (LowerAscii(a[i]) != LowerAscii(b[j])) {
            return LowerAscii(a[i]) < LowerAscii(b[j]);
        } else {
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace varnholt::sheets
