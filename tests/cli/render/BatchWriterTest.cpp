#include "cli/render/BatchWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace varnholt::cli {
namespace {

namespace fs = std::filesystem;

std::string CheckDigitAdded(const std::string& twelve) {
    int sum = 0;
    for (std::size_t i = 0; i < twelve.size(); ++i) {
        sum += (twelve[i] - '0') * (i % 2 == 0 ? 1 : 3);
    }
    return twelve + static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Many symbols queued faster than the threads draw them: every file comes whole, titled with
// its own number, whatever thread made it; a file that cannot be made stops the batch, which
// says why, and leaves nothing half-made.
TEST(BatchWriter, WritesEveryQueuedFileWholeOrStopsAtTheFirstThatFails) {
    const fs::path folder =
        fs::temp_directory_path() / ("varnholt-batch-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::set<std::string> numbers;
    {
        BatchWriter writer(render::FileFormat::Svg);
        for (int i = 0; i < 300; ++i) {
            const std::string number = CheckDigitAdded("400638" + std::to_string(100000 + i));
            const Result<render::Layout> layout = render::LayOut(number, render::Options{});
            ASSERT_TRUE(layout) << layout.Error();
            ASSERT_TRUE(writer.Write(*layout, (folder / (number + ".svg")).string()));
            numbers.insert(number);
        }
        EXPECT_TRUE(writer.Finish());
        EXPECT_EQ(writer.Written(), 300u);
    }
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string number = entry.path().stem().string();
        ASSERT_TRUE(numbers.count(number)) << entry.path();
        const std::string svg = Read(entry.path());
        EXPECT_NE(svg.find("<title>" + number + "</title>"), std::string::npos) << number;
        EXPECT_TRUE(svg.ends_with("</svg>\n")) << number;
        ++files;
    }
    EXPECT_EQ(files, 300u);

    BatchWriter failing(render::FileFormat::Png);
    const Result<render::Layout> layout =
        render::LayOut("4006381333931", render::ForFormat({}, render::FileFormat::Png));
    ASSERT_TRUE(layout) << layout.Error();
    const std::string missing = (folder / "missing" / "label.png").string();
    bool accepted = true;
    for (int i = 0; i < 200 && accepted; ++i) {
        accepted = failing.Write(*layout, missing);
    }
    const Result<Done> failure = failing.Finish();
    ASSERT_FALSE(failure);
    EXPECT_EQ(failure.Kind(), ErrorKind::Output);
    EXPECT_EQ(failure.Error(), missing + ": No such file or directory");
    EXPECT_FALSE(failing.Write(*layout, (folder / "late.png").string())) << "stopped for good";
    EXPECT_FALSE(fs::exists(folder / "late.png"));
    fs::remove_all(folder);
}

}  // namespace
}  // namespace varnholt::cli
