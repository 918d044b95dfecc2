#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace varnholt::cli {

// What the program's exit status tells, in every command alike.
enum ExitStatus : int {
    kExitSuccess = 0,      // every number valid, every file read and written
    kExitNotAllValid = 1,  // some number is not valid, or could not be drawn
    kExitFailure = 2,      // a usage error, or reading or writing failed
};

// How messages and output name standard input.
inline constexpr std::string_view kStandardInputName = "(standard input)";

// A failed open or read of an input, told apart from a failed write.
class ReadError : public std::system_error {
  public:
    using std::system_error::system_error;
};

// Where a reader's bytes come from: a file, standard input, or a test's text.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `room` bytes into `into`; 0 only at the end. Throws ReadError when reading
    // fails.
    virtual std::size_t Read(char* into, std::size_t room) = 0;
};

// Where written bytes go: standard output, standard error, or a test's text.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Writes all of `bytes`. Throws std::system_error when writing fails.
    virtual void Write(std::string_view bytes) = 0;
};

// The process's standard output and error as a command sees them, and whether each is a
// terminal.
struct Streams {
    ByteSink& out;
    ByteSink& err;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
};

// An input named on the command line: a file, or standard input for "-". Open from
// construction to destruction.
class InputFile final : public ByteSource {
  public:
    // Throws ReadError when the file cannot be opened.
    explicit InputFile(const std::string& path);
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::size_t Read(char* into, std::size_t room) override;

  private:
    int fd_;
};

// The size of an input named on the command line when it is a regular file; 0 otherwise
// (a pipe, a terminal, a file that cannot be looked at).
std::size_t SizeOfInput(const std::string& path) noexcept;

// Bytes written to a file descriptor the process was given (standard output or error).
class DescriptorSink final : public ByteSink {
  public:
    explicit DescriptorSink(int fd) noexcept : fd_(fd) {}
    void Write(std::string_view bytes) override;

  private:
    int fd_;
};

// Whether a file descriptor is a terminal.
bool IsTerminal(int fd) noexcept;

}  // namespace varnholt::cli
