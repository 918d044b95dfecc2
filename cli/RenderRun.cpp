#include "cli/RenderRun.h"

#include <sys/stat.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <optional>
#include <system_error>

#include "cli/BatchWriter.h"
#include "cli/Diagnostics.h"
#include "cli/DisplayText.h"
#include "cli/ExitStatus.h"
#include "cli/FileDescriptors.h"
#include "cli/LineReader.h"
#include "cli/NumberFacts.h"
#include "cli/OutputPattern.h"
#include "cli/Progress.h"
#include "render/AtomicFile.h"
#include "render/Layout.h"

namespace varnholt::cli {
namespace {

// Lines between two looks at the clock for the progress bar.
constexpr std::uint64_t kProgressStride = 64;

std::uint64_t SizeOf(const std::string& file) {
    struct stat info {};
    const int result = file == "-" ? ::fstat(0, &info) : ::stat(file.c_str(), &info);
    return result == 0 && S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}

// Each image's encoder takes a few hundred kilobytes and gives them back; by default the C
// library returns them to the system at once, and faulting them in again for the next image
// costs more than drawing it. A batch keeps them.
void KeepFreedMemory() {
#ifdef __GLIBC__
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
#endif
}

// The format of an output named `output`: asked for, or from its extension.
std::optional<render::Format> FormatFor(const RenderRequest& request) {
    if (request.format) {
        return request.format;
    }
    return request.output == "-" ? std::nullopt : render::FormatOfFile(request.output);
}

class RenderRun {
  public:
    RenderRun(const RenderRequest& request, const Streams& streams)
        : request_(request), streams_(streams), diagnostics_(streams.err) {}

    int Run() {
        if (const std::optional<std::string> refusal = Prepare()) {
            diagnostics_.Say(*refusal);
            diagnostics_.Hint("Try 'varnholt render --help' for more information.");
            return kExitFailure;
        }
        if (!request_.quiet) {
            diagnostics_.Say("size " + review_.report);
        }
        for (const std::string& warning : review_.warnings) {
            diagnostics_.Say("warning: " + warning);
        }
        return request_.batch ? RunBatch() : RunOne();
    }

  private:
    // Everything about the request that can be wrong before a number is read; the refusal.
    std::optional<std::string> Prepare() {
        if (request_.batch && request_.output == "-") {
            return std::string(
                "a batch writes a file for each number: give -o a pattern "
                "such as labels/{number}.svg");
        }
        const std::optional<render::Format> format = FormatFor(request_);
        if (!format) {
            return request_.output == "-"
                       ? "give --format (svg, pdf, eps or png) to write to standard output"
                       : "cannot tell the format of " + SafeText(request_.output) +
                             ": name it .svg, .pdf, .eps or .png, or give --format";
        }
        format_ = *format;
        options_ = render::ForFormat(request_.options, format_);
        if (request_.batch) {
            pattern_.emplace(request_.output);
            if (!pattern_->Error().empty()) {
                return "-o " + SafeText(request_.output) + ": " + pattern_->Error();
            }
            if (!pattern_->HasPlaceholder()) {
                return "-o " + SafeText(request_.output) +
                       ": a batch needs {number} or {line} in the pattern, or every number "
                       "would overwrite the one before";
            }
        } else if (request_.output == "-" && streams_.outIsTerminal &&
                   (format_ == render::Format::Png || format_ == render::Format::Pdf)) {
            return "will not write " + std::string(render::NameOf(format_)) +
                   " to a terminal: redirect standard output or give -o FILE";
        }
        const render::Result<render::Review> review = render::ReviewOptions(options_);
        if (!review) {
            return review.Error();
        }
        review_ = *review;
        return std::nullopt;
    }

    int RunOne() {
        const render::Result<render::Layout> layout = render::LayOut(*request_.number, options_);
        if (!layout) {
            diagnostics_.Say(layout.Error());
            return kExitNotAllValid;
        }
        return Write(*layout, request_.output) ? kExitSuccess : kExitFailure;
    }

    int RunBatch() {
        KeepFreedMemory();
        const std::string& file = *request_.batch;
        const std::string name = file == "-" ? std::string(kStandardInputName) : SafeText(file);
        std::optional<Progress> progress;
        if (streams_.errIsTerminal) {
            progress.emplace(streams_.err, SizeOf(file));
            diagnostics_.BeforeEachMessage([&progress] { progress->Clear(); });
        }
        BatchWriter writer(format_);
        std::uint64_t refused = 0;
        bool stopped = false;
        try {
            InputFile input(file);
            LineReader reader(input);
            Line line;
            while (!stopped && reader.Next(line)) {
                const std::string_view text = TrimBlanks(line.text);
                if (text.empty()) {
                    continue;
                }
                render::Result<render::Layout> layout =
                    line.TooLong() ? render::Result<render::Layout>::Failure(
                                         "line too long to be a number (" +
                                         std::to_string(line.length) + " bytes)")
                                   : render::LayOut(text, options_);
                if (!layout) {
                    diagnostics_.Say(name, line.number, layout.Error());
                    ++refused;
                } else {
                    std::string path = pattern_->Expand(layout->number, line.number);
                    stopped = !writer.Write(*std::move(layout), std::move(path));
                }
                if (progress && line.number % kProgressStride == 0) {
                    progress->Update(reader.BytesRead(), line.number);
                }
            }
        } catch (const ReadError& error) {
            diagnostics_.Say(name, error.code().message());
            stopped = true;
        }
        // What was queued is written, and put on disk, even when the batch stopped early.
        if (const std::optional<std::string> failure = writer.Finish()) {
            diagnostics_.Say(*failure);
            stopped = true;
        }
        if (progress) {
            progress->Clear();  // also when no summary follows to take its place
        }
        if (stopped) {
            return kExitFailure;
        }
        if (!request_.quiet) {
            const std::uint64_t written = writer.Written();
            diagnostics_.Say(std::to_string(written) + (written == 1 ? " file" : " files") +
                             " written, " + std::to_string(refused) + " not rendered");
        }
        return refused == 0 ? kExitSuccess : kExitNotAllValid;
    }

    // Writes the layout's file; false, with the reason said, when it cannot be written.
    bool Write(const render::Layout& layout, const std::string& path) {
        const render::Result<std::string> bytes = render::Encode(layout, format_);
        if (!bytes) {
            diagnostics_.Say(layout.number, bytes.Error());
            return false;
        }
        if (path == "-") {
            try {
                streams_.out.Write(*bytes);
            } catch (const std::system_error& error) {
                diagnostics_.Say("standard output", error.code().message());
                return false;
            }
            return true;
        }
        const render::Result<render::Done> done = render::WriteFileAtomically(path, *bytes);
        if (!done) {
            diagnostics_.Say(SafeText(done.Error()));
        }
        return static_cast<bool>(done);
    }

    const RenderRequest& request_;
    const Streams& streams_;
    Diagnostics diagnostics_;
    render::Format format_ = render::Format::Svg;
    render::Options options_;
    render::Review review_;
    std::optional<OutputPattern> pattern_;
};

}  // namespace

int RunRender(const RenderRequest& request, const Streams& streams) {
    return RenderRun(request, streams).Run();
}

}  // namespace varnholt::cli
