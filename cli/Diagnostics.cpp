#include "cli/Diagnostics.h"

#include <system_error>

#include "model/DisplayText.h"

namespace varnholt::cli {

std::string TryHelp(std::string_view command) {
    return "Try '" + std::string(kProgramName) + (command.empty() ? "" : " ") +
           std::string(command) + " --help' for more information.";
}

void Diagnostics::Say(std::string_view what) {
    message_ = kProgramName;
    message_ += ": ";
    message_ += what;
    Write();
}

void Diagnostics::Say(std::string_view file, std::string_view what) {
    message_ = kProgramName;
    message_ += ": ";
    message_ += file;
    message_ += ": ";
    message_ += what;
    Write();
}

void Diagnostics::Say(std::string_view file, std::uint64_t line, std::string_view what) {
    message_ = kProgramName;
    message_ += ": ";
    message_ += file;
    message_ += ':';
    message_ += Decimal(line).View();
    message_ += ": ";
    message_ += what;
    Write();
}

void Diagnostics::Hint(std::string_view line) {
    message_ = line;
    Write();
}

void Diagnostics::Write() {
    message_ += '\n';
    if (prepare_) {
        prepare_();
    }
    try {
        err_.Write(message_);
    } catch (const std::system_error&) {
    }
}

int PrintText(std::string text, const Streams& streams, Diagnostics& diagnostics) {
    if (!text.ends_with('\n')) {
        text += '\n';
    }
    try {
        streams.out.Write(text);
    } catch (const std::system_error& error) {
        diagnostics.Say("standard output", error.code().message());
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace varnholt::cli
