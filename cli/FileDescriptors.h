#pragma once

#include <string>
#include <string_view>

#include "cli/ByteStreams.h"

namespace varnholt::cli {

// How messages and output name standard input.
inline constexpr std::string_view kStandardInputName = "(standard input)";

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
