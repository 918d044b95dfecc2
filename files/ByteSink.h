#pragma once

#include <string_view>

#include "model/Result.h"

namespace varnholt::files {

// Where written bytes go: standard output, standard error, or a test's text.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Writes all of `bytes`; refused (ErrorKind::Output, the system's words) when writing
    // fails.
    virtual Result<Done> Write(std::string_view bytes) = 0;
};

// Bytes written to a file descriptor the process was given (standard output or error).
class DescriptorSink final : public ByteSink {
  public:
    explicit DescriptorSink(int fd) noexcept : fd_(fd) {}
    Result<Done> Write(std::string_view bytes) override;

  private:
    int fd_;
};

}  // namespace varnholt::files
