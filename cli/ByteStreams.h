#pragma once

#include <cstddef>
#include <string_view>
#include <system_error>

namespace varnholt::cli {

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

}  // namespace varnholt::cli
