// varnholt check [OPTION...] [FILE...]: every line of every input checked, a row each.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/CatalogueReader.h"
#include "catalogue/LineReader.h"
#include "cli/CatalogueFlags.h"
#include "cli/Command.h"
#include "cli/Diagnostics.h"
#include "cli/Progress.h"
#include "cli/check/AnnotatedWriter.h"
#include "cli/check/DigitRows.h"
#include "cli/check/OutputBuffer.h"
#include "cli/check/RowWriter.h"
#include "model/DisplayText.h"
#include "model/gs1/DigitalLink.h"

namespace varnholt::cli {

using catalogue::CatalogueOptions;
using catalogue::CatalogueReader;
using catalogue::CatalogueRecord;
using catalogue::InputFile;
using catalogue::LineReader;
using catalogue::SizeOfInput;
namespace {

// Lines between two looks at the clock for the progress bar.
constexpr std::uint64_t kProgressStride = 4096;

// A Digital Link stem: an http or https URL, without a query or a fragment.
CLI::Validator HttpUrl() {
    return CLI::Validator(
        [](const std::string& url) -> std::string {
            const bool http = url.starts_with("http://") || url.starts_with("https://");
            if (!http || url.find_first_of("?# ") != std::string::npos) {
                return "a stem is an http:// or https:// URL without ? or #";
            }
            return {};
        },
        "URL");
}

class CheckCommand final : public Command {
  public:
    CLI::App& Register(CLI::App& program) override {
        CLI::App& check = *program.add_subcommand(
            "check",
            "Check GTIN-8, -12, -13, -14 and ISBN-10 numbers and GS1 data, one per line, from "
            "files or standard input");
        check.footer(
            "Each line gets a row: whether its number is valid, its country (from the GS1\n"
            "prefix), number system, manufacturer code and product code (those of the GTIN-13\n"
            "it stands for), for a wrong check digit the right one, its format and its GTIN in\n"
            "14 digits. Blanks and hyphens in a number are ignored, as is an add-on of 2 or 5\n"
            "digits after a +; blank lines are skipped.\n"
            "A line that starts with (, ] or http:// or https:// is GS1 data: bracketed AIs,\n"
            "scanner data after its symbology identifier (]C1, ]d2, ]Q3, ]e0) or a Digital Link\n"
            "URI. Its row is valid when every AI's data and their associations hold, with the\n"
            "fault otherwise; its format, the facts of its (01)'s GTIN, its element string in\n"
            "brackets and its Digital Link URI (when it has a primary key).\n"
            "csv and tsv start with a header row; csv quotes as RFC 4180 says. A line\n"
            "that is no number gets a row and a message on standard error, and the summary\n"
            "goes there at the end.\n"
            "With --column the input is a catalogue (RFC 4180: quoted fields may hold the\n"
            "delimiter, doubled quotes and line ends) and the numbers are the column's; a row's\n"
            "line is its record's first line, and a record without the field is blank.\n"
            "--keep-columns writes each record's own fields before the facts (csv, tsv, jsonl);\n"
            "a fact's column that the catalogue names already gets a suffix, said once.\n"
            "Exit status: 0 when every number is valid, 1 when some is not, 2 when a file\n"
            "could not be read or the output not written.");
        check.add_option("FILE", files_, "Files to read; - or none: standard input")->type_name("");
        check.add_option("-f,--format", format_, "table (aligned, the default), csv, tsv or jsonl")
            ->type_name("FORMAT")
            ->transform(OneOf(kRowFormats));
        check.add_flag("-i,--invalid-only", invalidOnly_,
                       "Write rows only for numbers that are not valid");
        check.add_flag("-q,--quiet", quiet_, "Write no rows, only the summary");
        check.add_option("--stem", stem_, "Where GS1 data's Digital Link URIs point")
            ->type_name("URL")
            ->default_str(std::string(gs1::kGs1Stem))
            ->check(HttpUrl());
        check.add_flag("--no-associations", noAssociations_,
                       "GS1 data: do not check the AIs each one needs or excludes");
        CLI::Option* column = AddCatalogueOptions(check, catalogue_, "the numbers");
        check
            .add_flag("-k,--keep-columns", keepColumns_,
                      "With --column: each record's own fields first, then the facts")
            ->needs(column);
        return check;
    }

    int Run(const Streams& streams) override {
        if (files_.empty()) {
            files_.emplace_back("-");
        }
        streams_ = &streams;
        // "https://example.com/" and "https://example.com" are one stem.
        while (stem_.ends_with('/')) {
            stem_.pop_back();
        }
        checker_.SetGs1({stem_, {.associations = !noAssociations_}});
        output_.emplace(streams.out);
        diagnostics_.emplace(streams.err);
        if (keepColumns_ && (format_ == RowFormat::Table || files_.size() > 1)) {
            diagnostics_->Say(format_ == RowFormat::Table
                                  ? "--keep-columns writes csv, tsv or jsonl: give --format"
                                  : "--keep-columns annotates one catalogue: give one file");
            diagnostics_->Hint(TryHelp("check"));
            return kExitFailure;
        }
        for (const std::string& file : files_) {
            safeNames_.push_back(file == "-" ? std::string(kStandardInputName) : SafeText(file));
        }
        if (streams.errIsTerminal && (quiet_ || !streams.outIsTerminal)) {
            std::uint64_t total = 0;
            for (const std::string& file : files_) {
                total += SizeOfInput(file);
            }
            progress_.emplace(streams.err, total);
        }
        diagnostics_->BeforeEachMessage([this] {
            // On a shared terminal, the rows so far come before the message about the next.
            if (streams_->outIsTerminal) {
                output_->Flush();
            }
            if (progress_) {
                progress_->Clear();
            }
        });
        if (!quiet_ && keepColumns_) {
            annotated_.emplace(format_, *output_);
        } else if (!quiet_) {
            writer_ = MakeRowWriter(format_, *output_, safeNames_);
            // Rows watched on a terminal go the general way, which shows each at once.
            if ((format_ == RowFormat::Csv || format_ == RowFormat::Tsv) &&
                !streams.outIsTerminal) {
                digitRows_.emplace(*output_, format_ == RowFormat::Csv ? ',' : '\t');
            }
        }
        for (std::size_t i = 0; i < files_.size() && !output_->Failed(); ++i) {
            CheckFile(files_[i], safeNames_[i]);
        }
        output_->Flush();
        if (!output_->Status()) {
            diagnostics_->Say("standard output", output_->Status().Error());
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

    // Inputs that cannot be read are reported and passed over; output that cannot be written
    // ends the run.
    void CheckFile(const std::string& path, std::string_view name) {
        Result<InputFile> opened = InputFile::Open(path);
        if (!opened) {
            InputFailed(name, opened.Error());
            return;
        }
        InputFile input = *std::move(opened);
        if (catalogue_.Given()) {
            CheckCatalogue(input, name);
            return;
        }
        LineReader reader(input);
        if (writer_) {
            row_.StartFile(name);
            if (digitRows_) {
                digitRows_->StartFile(name);
            }
            WriteRows(reader, name);
        } else {
            CountOnly(reader);
        }
        if (!reader.Status()) {
            InputFailed(name, reader.Status().Error());
        }
        bytesBefore_ += reader.BytesRead();
        linesBefore_ += reader.LinesRead();
    }

    void InputFailed(std::string_view name, const std::string& why) {
        diagnostics_->Say(name, why);
        inputFailed_ = true;
    }

    // `progress` is progress_, or null without one: a local copy, which the loops keep in a
    // register.
    void Tick(Progress* progress, const LineReader& reader, const Line& line) {
        if (progress != nullptr && line.number % kProgressStride == 0) {
            progress->Update(bytesBefore_ + reader.BytesRead(), linesBefore_ + line.number);
        }
    }

    Progress* ProgressBar() { return progress_ ? &*progress_ : nullptr; }

    // The quick way: a verdict per line, and every fact only for a line that is not valid.
    void CountOnly(LineReader& reader) {
        // Valid lines, most of all, are counted here, where the count can stay in a register.
        std::uint64_t valid = 0;
        Progress* const progress = ProgressBar();
        Line line;
        while (reader.Next(line)) {
            if (const Verdict verdict = checker_.Judge(line); verdict == Verdict::Valid) {
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
        // Rows that can no longer be written are not worth making.
        while (reader.Next(line) && !output_->Failed()) {
            if (digitRows_) {
                if (const std::optional<Verdict> verdict = digitRows_->Write(line, invalidOnly_)) {
                    if (*verdict == Verdict::Valid) {
                        ++valid;
                    } else {
                        ++Count(*verdict);
                    }
                    Tick(progress, reader, line);
                    continue;
                }
            }
            const CheckedLine& checked = checker_.Check(line);
            if (checked.verdict == Verdict::Valid) {
                ++valid;
            } else {
                ++Count(checked.verdict);
            }
            if (checked.verdict != Verdict::Blank &&
                (!invalidOnly_ || checked.verdict != Verdict::Valid)) {
                row_.Set(line.number, checked);
                if (checked.verdict == Verdict::Error) {
                    diagnostics_->Say(name, line.number, row_.Error().text);
                }
                writer_->Write(row_);
                // Someone watching: each row as soon as its line is read, as a terminal's
                // standard output shows lines.
                if (streams_->outIsTerminal) {
                    output_->Flush();
                }
            }
            Tick(progress, reader, line);
        }
        Count(Verdict::Valid) += valid;
    }

    // A catalogue's records, each the row of its column's number, or of its own fields and
    // that number's facts; beside the loops of lines, which stay as quick as they are.
    void CheckCatalogue(ByteSource& input, std::string_view name) {
        CatalogueReader reader(input, catalogue_);
        if (const Result<Done> started = reader.Start(); !started) {
            InputFailed(name, started.Error());
            return;
        }
        if (annotated_ && reader.Header() != nullptr) {
            StartAnnotated(reader.Header()->Names());
        }
        row_.StartFile(name);
        if (digitRows_) {
            digitRows_->StartFile(name);
        }
        Progress* const progress = ProgressBar();
        bool saidExtraFields = false;
        CatalogueRecord record;
        while (reader.Next(record) && !output_->Failed()) {
            const Line& line = record.line;
            linesRead_ = line.number;
            if (progress != nullptr && line.number % kProgressStride == 0) {
                progress->Update(bytesBefore_ + reader.BytesRead(), linesBefore_ + line.number);
            }
            if (!record.fault.empty()) {
                diagnostics_->Say(name, line.number, "warning: " + std::string(record.fault));
            }
            if (digitRows_) {
                if (const std::optional<Verdict> verdict = digitRows_->Write(line, invalidOnly_)) {
                    ++Count(*verdict);
                    continue;
                }
            }
            const CheckedLine& checked = checker_.Check(line);
            ++Count(checked.verdict);
            if (checked.verdict != Verdict::Blank && (writer_ || annotated_) &&
                (!invalidOnly_ || checked.verdict != Verdict::Valid)) {
                row_.Set(line.number, checked);
                if (checked.verdict == Verdict::Error) {
                    diagnostics_->Say(name, line.number, row_.Error().text);
                }
                if (writer_) {
                    writer_->Write(row_);
                } else {
                    if (!annotated_->Started()) {
                        // Without a header the first record says how many columns there are.
                        std::vector<std::string> numbered;
                        for (std::size_t i = 1; i <= record.fields.size(); ++i) {
                            numbered.push_back("column_" + std::to_string(i));
                        }
                        StartAnnotated(numbered);
                    }
                    if (!annotated_->Write(record.fields, row_) && !saidExtraFields) {
                        diagnostics_->Say(name, line.number,
                                          "more fields than the first row has: left out");
                        saidExtraFields = true;
                    }
                }
                if (streams_->outIsTerminal) {
                    output_->Flush();
                }
            }
        }
        if (!reader.Status()) {
            InputFailed(name, reader.Status().Error());
        }
        bytesBefore_ += reader.BytesRead();
        linesBefore_ += linesRead_;
    }

    void StartAnnotated(std::span<const std::string> names) {
        if (const std::string renamed = annotated_->Start(names); !renamed.empty()) {
            diagnostics_->Say(renamed);
        }
    }

    static std::string Plural(std::uint64_t count, std::string_view one, std::string_view many) {
        return std::string(Decimal(count).View()) + ' ' + std::string(count == 1 ? one : many);
    }

    void Summarise() {
        std::uint64_t lines = 0;
        for (const std::uint64_t count : counts_) {
            lines += count;
        }
        std::string summary = catalogue_.Given() ? Plural(lines, "record", "records") + ": "
                                                 : Plural(lines, "line", "lines") + ": ";
        summary += std::to_string(Count(Verdict::Valid)) + " valid, ";
        summary += std::to_string(Count(Verdict::Invalid)) + " invalid, ";
        summary += Plural(Count(Verdict::Error), "error", "errors");
        if (Count(Verdict::Blank) != 0) {
            summary += ", " + std::to_string(Count(Verdict::Blank)) + " blank";
        }
        diagnostics_->Say(summary);
    }

    // Options.
    std::vector<std::string> files_;
    RowFormat format_ = RowFormat::Table;
    bool invalidOnly_ = false;
    bool quiet_ = false;
    CatalogueOptions catalogue_;
    bool keepColumns_ = false;
    std::string stem_ = std::string(gs1::kGs1Stem);
    bool noAssociations_ = false;

    // The run.
    const Streams* streams_ = nullptr;
    std::vector<std::string> safeNames_;
    std::optional<OutputBuffer> output_;
    std::optional<Diagnostics> diagnostics_;
    std::optional<Progress> progress_;
    std::unique_ptr<RowWriter> writer_;
    std::optional<AnnotatedWriter> annotated_;
    std::uint64_t linesRead_ = 0;
    LineChecker checker_;
    Row row_;
    std::optional<DigitRows> digitRows_;
    std::array<std::uint64_t, 4> counts_{};
    // Read from the inputs before the one being read.
    std::uint64_t bytesBefore_ = 0;
    std::uint64_t linesBefore_ = 0;
    bool inputFailed_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeCheckCommand() {
    return std::make_unique<CheckCommand>();
}

}  // namespace varnholt::cli
