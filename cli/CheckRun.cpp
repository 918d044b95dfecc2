#include "cli/CheckRun.h"

#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/Diagnostics.h"
#include "cli/DisplayText.h"
#include "cli/ExitStatus.h"
#include "cli/FaultText.h"
#include "cli/FileDescriptors.h"
#include "cli/LineReader.h"
#include "cli/NumberFacts.h"
#include "cli/OutputBuffer.h"
#include "cli/Progress.h"

namespace varnholt::cli {
namespace {

// Lines between two looks at the clock for the progress bar.
constexpr std::uint64_t kProgressStride = 4096;

// The bytes all inputs hold together, when every one is a regular file; 0 otherwise.
std::uint64_t TotalSize(const std::vector<std::string>& files) {
    std::uint64_t total = 0;
    for (const std::string& file : files) {
        struct stat info {};
        const int result = file == "-" ? ::fstat(0, &info) : ::stat(file.c_str(), &info);
        if (result != 0 || !S_ISREG(info.st_mode)) {
            return 0;
        }
        total += static_cast<std::uint64_t>(info.st_size);
    }
    return total;
}

std::string Plural(std::uint64_t count, std::string_view one, std::string_view many) {
    std::string text = std::to_string(count);
    text += ' ';
    text += count == 1 ? one : many;
    return text;
}

class CheckRun {
  public:
    CheckRun(const CheckOptions& options, const Streams& streams)
        : options_(options), streams_(streams), output_(streams.out), diagnostics_(streams.err) {
        if (options_.files.empty()) {
            files_.emplace_back("-");
        } else {
            files_ = options_.files;
        }
        for (const std::string& file : files_) {
            safeNames_.push_back(file == "-" ? std::string(kStandardInputName) : SafeText(file));
        }
        if (streams_.errIsTerminal && (options_.quiet || !streams_.outIsTerminal)) {
            progress_.emplace(streams_.err, TotalSize(files_));
        }
        diagnostics_.BeforeEachMessage([this] {
            // On a shared terminal, the rows so far come before the message about the next.
            if (streams_.outIsTerminal) {
                output_.Flush();
            }
            if (progress_) {
                progress_->Clear();
            }
        });
    }

    int Run() {
        try {
            if (!options_.quiet) {
                writer_ = MakeRowWriter(options_.format, output_, safeNames_);
            }
            for (std::size_t i = 0; i < files_.size(); ++i) {
                CheckFile(files_[i], safeNames_[i]);
            }
            output_.Flush();
        } catch (const std::system_error& error) {
            diagnostics_.Say("standard output", error.code().message());
            return kExitFailure;
        }
        Summarise();
        if (inputFailed_) {
            return kExitFailure;
        }
        const bool allValid = Count(Verdict::Invalid) == 0 && Count(Verdict::Error) == 0;
        return allValid ? kExitSuccess : kExitNotAllValid;
    }

  private:
    std::uint64_t& Count(Verdict verdict) { return counts_[static_cast<std::size_t>(verdict)]; }

    void CheckFile(const std::string& path, std::string_view name) {
        try {
            InputFile input(path);
            LineReader reader(input);
            if (writer_) {
                writer_->StartFile(name);
                WriteRows(reader, name);
            } else {
                CountOnly(reader);
            }
            bytesBefore_ += reader.BytesRead();
            linesBefore_ += reader.LinesRead();
        } catch (const ReadError& error) {
            diagnostics_.Say(name, error.code().message());
            inputFailed_ = true;
        }
    }

    // `progress` is progress_, or null without one: a local copy, which the loops keep in a
    // register.
    void Tick(Progress* progress, const LineReader& reader, const Line& line) {
        if (progress != nullptr && line.number % kProgressStride == 0) {
            progress->Update(bytesBefore_ + reader.BytesRead(), linesBefore_ + line.number);
        }
    }

    Progress* ProgressBar() { return progress_ ? &*progress_ : nullptr; }

    std::uint64_t LinesSoFar() const {
        std::uint64_t lines = 0;
        for (const std::uint64_t count : counts_) {
            lines += count;
        }
        return lines;
    }

    // The quick way: a verdict per line, and every fact only for a line that is not valid.
    void CountOnly(LineReader& reader) {
        // Valid lines, most of all, are counted here, where the count can stay in a register.
        std::uint64_t valid = 0;
        Progress* const progress = ProgressBar();
        Line line;
        while (reader.Next(line)) {
            if (const Verdict verdict = examiner_.Judge(line); verdict == Verdict::Valid) {
                ++valid;
            } else {
                ++Count(verdict);
            }
            Tick(progress, reader, line);
        }
        Count(Verdict::Valid) += valid;
    }

    void WriteRows(LineReader& reader, std::string_view name) {
        std::uint64_t valid = 0;
        Progress* const progress = ProgressBar();
        Line line;
        while (reader.Next(line)) {
            const NumberFacts& facts = examiner_.Examine(line);
            if (facts.verdict == Verdict::Valid) {
                ++valid;
            } else {
                ++Count(facts.verdict);
            }
            if (facts.verdict != Verdict::Blank) {
                if (facts.verdict == Verdict::Error) {
                    diagnostics_.Say(name, line.number, fault_.Of(facts));
                }
                if (!options_.invalidOnly || facts.verdict != Verdict::Valid) {
                    writer_->Row(line.number, facts);
                    // Someone watching: each row as soon as its line is read, as a
                    // terminal's standard output shows lines.
                    if (streams_.outIsTerminal) {
                        output_.Flush();
                    }
                }
            }
            Tick(progress, reader, line);
        }
        Count(Verdict::Valid) += valid;
    }

    void Summarise() {
        std::string summary = Plural(LinesSoFar(), "line", "lines");
        summary += ": ";
        summary += std::to_string(Count(Verdict::Valid)) + " valid, ";
        summary += std::to_string(Count(Verdict::Invalid)) + " invalid, ";
        summary += Plural(Count(Verdict::Error), "error", "errors");
        if (Count(Verdict::Blank) != 0) {
            summary += ", " + std::to_string(Count(Verdict::Blank)) + " blank";
        }
        diagnostics_.Say(summary);
    }

    const CheckOptions& options_;
    const Streams& streams_;
    std::vector<std::string> files_;
    std::vector<std::string> safeNames_;
    OutputBuffer output_;
    Diagnostics diagnostics_;
    std::optional<Progress> progress_;
    std::unique_ptr<RowWriter> writer_;
    NumberExaminer examiner_;
    FaultText fault_;
    std::array<std::uint64_t, 4> counts_{};
    // Read from the inputs before the one being read.
    std::uint64_t bytesBefore_ = 0;
    std::uint64_t linesBefore_ = 0;
    bool inputFailed_ = false;
};

}  // namespace

int RunCheck(const CheckOptions& options, const Streams& streams) {
    return CheckRun(options, streams).Run();
}

}  // namespace varnholt::cli
