#include "files/AtomicFile.h"
#include "files/Folders.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace varnholt::files {
namespace {

namespace fs = std::filesystem;

class AtomicWriting : public testing::Test {
  protected:
    AtomicWriting() {
        std::string pattern = (fs::temp_directory_path() / "varnholt-atomic-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    ~AtomicWriting() override { fs::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    // Every file in the folder: nothing but what was meant to be there.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::ranges::sort(names);
        return names;
    }

    fs::path folder_;
};

TEST_F(AtomicWriting, WritesAndReplacesWholeFilesKeepingTheirPermissions) {
    const std::string file = Path("label.svg");
    ASSERT_TRUE(WriteFileAtomically(file, std::string("first\0bytes", 11)));
    EXPECT_EQ(Read(file), std::string("first\0bytes", 11));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(file, "second"));
    EXPECT_EQ(Read(file), "second");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(file, ""));
    EXPECT_EQ(Read(file), "");
    EXPECT_EQ(Files(), std::vector<std::string>{"label.svg"});
}

// A new file, made without a name and linked into place, or through a temporary name where
// the file system cannot: either way the usual mode less the umask, also when deferred.
TEST_F(AtomicWriting, NewFilesGetTheUsualModeLessTheUmask) {
    const mode_t before = umask(027);
    const bool written = WriteFileAtomically(Path("a.png"), "png") &&
                         WriteFileAtomically(Path("b.png"), "png", Flush::Deferred);
    umask(before);
    ASSERT_TRUE(written);
    for (const char* name : {"a.png", "b.png"}) {
        EXPECT_EQ(fs::status(Path(name)).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
            << name;
        EXPECT_EQ(Read(Path(name)), "png");
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.png", "b.png"}));
    EXPECT_TRUE(SyncFileSystem(folder_.string()));
    EXPECT_FALSE(SyncFileSystem(Path("missing")));
}

TEST_F(AtomicWriting, FailuresNameTheFileAndLeaveNothing) {
    struct Row {
        std::string path;
        const char* error;
    };
    fs::create_directory(Path("folder"));
    for (const Row& row :
         {Row{Path("missing/label.svg"), "No such file or directory"},
          Row{Path("folder"), "Is a directory"}, Row{"/dev/full", "No space left on device"},
          Row{"", "no file name given"}}) {
        const Result<Done> written = WriteFileAtomically(row.path, std::string(4096, 'x'));
        ASSERT_FALSE(written) << row.path;
        EXPECT_EQ(written.Error(), row.path.empty() ? row.error : row.path + ": " + row.error);
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"folder"});
    EXPECT_TRUE(fs::is_character_file("/dev/full")) << "a device is written, never replaced";
}

// Written a piece at a time, a file has no name until its commit: a reader sees the old
// file or nothing, and a process killed before the commit leaves no trace at all.
TEST_F(AtomicWriting, AFileTakesItsNameOnlyAtItsCommitAndAKilledWriterLeavesNothing) {
    ASSERT_TRUE(WriteFileAtomically(Path("old.pdf"), "old"));
    for (const char* name : {"new.pdf", "old.pdf"}) {
        const std::vector<std::string> before = Files();
        Result<AtomicFile> opened = AtomicFile::Open(Path(name));
        ASSERT_TRUE(opened) << opened.Error();
        AtomicFile file = *std::move(opened);
        ASSERT_TRUE(file.Write("page 1, ") && file.Write("page 2"));
        EXPECT_EQ(Files(), before) << name;
        EXPECT_EQ(Read(Path("old.pdf")), "old");
        ASSERT_TRUE(file.Commit()) << name;
        EXPECT_EQ(Read(Path(name)), "page 1, page 2");
    }
    ASSERT_TRUE(WriteFileAtomically(Path("old.pdf"), "old"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (const char* name : {"killed.pdf", "old.pdf"}) {
            Result<AtomicFile> opened = AtomicFile::Open(Path(name));
            if (opened) {
                AtomicFile file = *std::move(opened);
                file.Write(std::string(1 << 20, 'x'));
                std::raise(SIGKILL);
            }
        }
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(Files(), (std::vector<std::string>{"new.pdf", "old.pdf"}));
    EXPECT_EQ(Read(Path("old.pdf")), "old");
}

TEST(FolderOf, IsThePathBeforeItsLastSlash) {
    EXPECT_EQ(FolderOf("labels/sub/a.svg"), "labels/sub");
    EXPECT_EQ(FolderOf("/a.svg"), "/");
    EXPECT_EQ(FolderOf("a.svg"), ".");
}

TEST_F(AtomicWriting, MissingFoldersAreMadeAsMkdirMakesThem) {
    const mode_t before = umask(027);
    const Result<int> made = MakeFoldersFor(Path("new/sub/label.svg"));
    umask(before);
    ASSERT_TRUE(made) << made.Error();
    EXPECT_EQ(*made, 2);
    EXPECT_EQ(fs::status(Path("new/sub")).permissions() & fs::perms::all,
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_EQ(*MakeFoldersFor(Path("new/sub/other.svg")), 0);
    EXPECT_EQ(*MakeFoldersFor("label.svg"), 0);
    ASSERT_TRUE(WriteFileAtomically(Path("file"), "x"));
    const Result<int> underAFile = MakeFoldersFor(Path("file/sub/label.svg"));
    ASSERT_FALSE(underAFile);
    EXPECT_EQ(underAFile.Error(), Path("file") + ": Not a directory");
    EXPECT_EQ(underAFile.Kind(), ErrorKind::Output);
}

TEST_F(AtomicWriting, AFolderThatCannotBeWrittenIsRefused) {
    // Root writes into any folder of an ordinary file system, but into none of sysfs.
    fs::create_directory(Path("locked"));
    fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string file = geteuid() == 0 ? "/sys/varnholt-label.svg" : Path("locked/label.svg");
    const Result<Done> written = WriteFileAtomically(file, "x");
    fs::permissions(Path("locked"), fs::perms::owner_all);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.Error(), file + ": Permission denied");
    EXPECT_TRUE(fs::is_empty(Path("locked")));
}

}  // namespace
}  // namespace varnholt::files
