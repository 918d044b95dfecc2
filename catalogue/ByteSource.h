#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

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

}  // namespace varnholt::catalogue
