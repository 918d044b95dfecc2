#include "cli/Progress.h"

#include <algorithm>
#include <utility>

#include "model/DisplayText.h"

namespace varnholt::cli {
namespace {

constexpr std::size_t kBarWidth = 30;
// Back to the start of the line, and erase it.
constexpr std::string_view kEraseLine = "\r\x1b[K";

}  // namespace

Progress::Progress(ByteSink& terminal, std::uint64_t totalBytes, Now now)
    : terminal_(terminal), totalBytes_(totalBytes), now_(std::move(now)), start_(now_()) {}

void Progress::Show(std::string_view text) noexcept {
    // The bar only decorates: a terminal that fails to show it fails nothing else.
    static_cast<void>(terminal_.Write(text));
}

void Progress::Update(std::uint64_t bytes, std::uint64_t lines) {
    const Clock::time_point now = now_();
    if (now - start_ < kQuietStart || (shown_ && now - lastDrawn_ < kRedrawEvery)) {
        return;
    }
    lastDrawn_ = now;
    Draw(bytes, lines);
}

void Progress::Draw(std::uint64_t bytes, std::uint64_t lines) {
    line_ = kEraseLine;
    if (totalBytes_ != 0) {
        const std::uint64_t done = std::min(bytes, totalBytes_);
        const auto filled = static_cast<std::size_t>(done * kBarWidth / totalBytes_);
        line_ += '[';
        line_.append(filled, '#');
        line_.append(kBarWidth - filled, '.');
        line_ += "] ";
        line_ += Decimal(done * 100 / totalBytes_).View();
        line_ += "%  ";
    }
    line_ += Decimal(lines).View();
    line_ += " lines, ";
    line_ += Decimal(bytes / 1'000'000).View();
    line_ += " MB";
    Show(line_);
    shown_ = true;
}

void Progress::Clear() {
    if (shown_) {
        Show(kEraseLine);
        shown_ = false;
    }
}

}  // namespace varnholt::cli
