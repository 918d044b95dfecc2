#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "cli/Streams.h"

namespace varnholt::cli {

// A progress bar on a terminal, for work that lasts: nothing shows during the first second,
// then the line is redrawn at most ten times a second. With a known total the bar fills up;
// without one (a pipe) the count of lines and bytes grows.
class Progress {
  public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;

    static constexpr std::chrono::milliseconds kQuietStart{1000};
    static constexpr std::chrono::milliseconds kRedrawEvery{100};

    // `totalBytes` 0: unknown.
    Progress(ByteSink& terminal, std::uint64_t totalBytes, Now now = Clock::now);

    // How far the work has come; cheap enough to call every few thousand lines.
    void Update(std::uint64_t bytes, std::uint64_t lines);

    // Takes the bar off its line, so that a message or the summary can take its place; the
    // next Update draws it again.
    void Clear();

  private:
    void Draw(std::uint64_t bytes, std::uint64_t lines);
    void Show(std::string_view text) noexcept;

    ByteSink& terminal_;
    std::uint64_t totalBytes_;
    Now now_;
    Clock::time_point start_;
    Clock::time_point lastDrawn_{};
    bool shown_ = false;
    std::string line_;
};

}  // namespace varnholt::cli
