#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "model/Result.h"

namespace varnholt::catalogue {

// UTF-8's byte-order mark, which some programs put at the start of a file, and readers drop.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Drops a byte-order mark from the start of a reader's input: `available` gives the bytes
// read and not yet taken, `more` reads on (false at the end), `take` takes bytes. A source
// may hand out a byte at a time, so it reads on while what came so far could be a mark.
template <class Available, class More, class Take>
void SkipByteOrderMark(Available available, More more, Take take) {
    while (available().size() < kByteOrderMark.size() && kByteOrderMark.starts_with(available()) &&
           more()) {
    }
    if (available().starts_with(kByteOrderMark)) {
        take(kByteOrderMark.size());
    }
}

// How messages and output name standard input, which "-" stands for.
inline constexpr std::string_view kStandardInputName = "(standard input)";

// Where a reader's bytes come from: a file, standard input, or a test's text.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to `room` bytes into `into`; 0 only at the end. A failed read is refused
    // (ErrorKind::Output, the system's words).
    virtual Result<std::size_t> Read(char* into, std::size_t room) = 0;
};

// An input named on the command line: a file, or standard input for "-". Open from
// Open to destruction.
class InputFile final : public ByteSource {
  public:
    // Refused (ErrorKind::Output, the system's words) when the file cannot be opened.
    static Result<InputFile> Open(const std::string& path);
    ~InputFile() override;
    InputFile(InputFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    InputFile& operator=(InputFile&&) = delete;

    Result<std::size_t> Read(char* into, std::size_t room) override;

  private:
    explicit InputFile(int fd) noexcept : fd_(fd) {}

    int fd_;
};

// The refusal of a failed open or read, from its errno.
Result<Done> SystemFailure(int error);

// The size of an input named on the command line when it is a regular file; 0 otherwise
// (a pipe, a terminal, a file that cannot be looked at).
std::size_t SizeOfInput(const std::string& path) noexcept;

}  // namespace varnholt::catalogue
