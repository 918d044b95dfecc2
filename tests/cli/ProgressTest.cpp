#include "cli/Progress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/support/TestStreams.h"

namespace varnholt::cli {
namespace {

using namespace std::chrono_literals;

const std::string kErase = "\r\x1b[K";

// A clock that moves only when told.
struct FakeClock {
    Progress::Clock::time_point now{};
    Progress::Now Reader() {
        return [this] { return now; };
    }
};

TEST(Progress, NothingShowsInTheFirstSecond) {
    test::TextSink terminal;
    FakeClock clock;
    Progress progress(terminal, 1000, clock.Reader());
    for (int i = 0; i < 10; ++i) {
        clock.now += 99ms;
        progress.Update(100, 10);
    }
    progress.Clear();
    EXPECT_EQ(terminal.text, "");
}

TEST(Progress, ABarOnceWorkLasts) {
    test::TextSink terminal;
    FakeClock clock;
    Progress progress(terminal, 1000, clock.Reader());
    clock.now += 1s;
    progress.Update(450, 45);
    EXPECT_EQ(terminal.text, kErase + "[#############.................] 45%  45 lines, 0 MB");
}

TEST(Progress, CountsWithoutATotal) {
    test::TextSink terminal;
    FakeClock clock;
    Progress progress(terminal, 0, clock.Reader());
    clock.now += 2s;
    progress.Update(12'500'000, 1'000'000);
    EXPECT_EQ(terminal.text, kErase + "1000000 lines, 12 MB");
}

TEST(Progress, RedrawsAtMostTenTimesASecond) {
    test::TextSink terminal;
    FakeClock clock;
    Progress progress(terminal, 100, clock.Reader());
    clock.now += 1s;
    for (int step = 0; step < 100; ++step) {
        progress.Update(static_cast<std::uint64_t>(step), 1);
        clock.now += 10ms;
    }
    // One second in steps of 10 ms: ten drawings.
    EXPECT_EQ(terminal.writes, 10);
}

TEST(Progress, ClearTakesTheBarAwayAndTheNextUpdateBringsItBack) {
    test::TextSink terminal;
    FakeClock clock;
    Progress progress(terminal, 100, clock.Reader());
    clock.now += 1s;
    progress.Update(100, 7);
    terminal.text.clear();
    progress.Clear();
    EXPECT_EQ(terminal.text, kErase);
    progress.Clear();
    EXPECT_EQ(terminal.text, kErase) << "nothing more to take away";
    progress.Update(100, 8);
    EXPECT_EQ(terminal.text,
              kErase + kErase + "[##############################] 100%  8 lines, 0 MB");
}

TEST(Progress, ATerminalThatFailsFailsNothingElse) {
    test::TextSink terminal;
    terminal.BeFull();
    FakeClock clock;
    Progress progress(terminal, 100, clock.Reader());
    clock.now += 1s;
    EXPECT_NO_THROW(progress.Update(1, 1));
    EXPECT_NO_THROW(progress.Clear());
}

}  // namespace
}  // namespace varnholt::cli
