#include "cli/Diagnostics.h"

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
    // Nowhere is left to say that standard error failed.
    static_cast<void>(err_.Write(message_));
}

int PrintText(std::string text, const Streams& streams, Diagnostics& diagnostics) {
    if (!text.ends_with('\n')) {
        text += '\n';
    }
    if (const Result<Done> written = streams.out.Write(text); !written) {
        diagnostics.Say("standard output", written.Error());
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace varnholt::cli
