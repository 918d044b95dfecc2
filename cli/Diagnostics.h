#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "cli/Streams.h"

namespace varnholt::cli {

// The program's name at the start of every message.
inline constexpr std::string_view kProgramName = "varnholt";

// The line after a usage error that says where to read on: the help of `command` ("render"),
// or the program's for none.
std::string TryHelp(std::string_view command);

// Messages on standard error, one line each, written at once: "varnholt: what",
// "varnholt: FILE: what" or "varnholt: FILE:LINE: what". A message that cannot be written
// is lost without a trace, as there is nowhere left to tell.
class Diagnostics {
  public:
    explicit Diagnostics(ByteSink& err) : err_(err) {}

    // Runs before each message: output to put out first, a progress bar to take away.
    void BeforeEachMessage(std::function<void()> prepare) { prepare_ = std::move(prepare); }

    void Say(std::string_view what);
    void Say(std::string_view file, std::string_view what);
    void Say(std::string_view file, std::uint64_t line, std::string_view what);
    // A line after a message that says what to do, without the program's name.
    void Hint(std::string_view line);

  private:
    void Write();

    ByteSink& err_;
    std::function<void()> prepare_;
    std::string message_;
};

// Writes a whole text, a help or a listing, to standard output, a line end added when it has
// none: kExitSuccess, or kExitFailure once it is said that the text could not be written.
int PrintText(std::string text, const Streams& streams, Diagnostics& diagnostics);

}  // namespace varnholt::cli
