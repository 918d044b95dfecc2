// varnholt render [OPTION...] NUMBER -o FILE
// varnholt render [OPTION...] --batch FILE -o PATTERN
// The print-quality symbol of a number, or of every line of a file, each file whole or not at
// all; what the request came to is said once.

#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "catalogue/BatchInput.h"
#include "cli/CatalogueFlags.h"
#include "cli/Command.h"
#include "cli/Diagnostics.h"
#include "cli/Progress.h"
#include "cli/render/BatchWriter.h"
#include "cli/render/FileNamePattern.h"
#include "cli/render/Gs1DataPattern.h"
#include "cli/render/SheetBatch.h"
#include "cli/render/SymbologyPair.h"
#include "files/AtomicFile.h"
#include "files/Folders.h"
#include "model/DataCarrier.h"
#include "model/DisplayText.h"
#include "model/NumberReading.h"
#include "model/SymbologyNames.h"
#include "render/Color.h"
#include "render/FileFormat.h"
#include "render/Layout.h"
#include "render/Length.h"
#include "render/PairLayout.h"

namespace varnholt::cli {

using catalogue::BatchInput;
using catalogue::CatalogueOptions;
using catalogue::CatalogueRecord;
using catalogue::InputFile;
using catalogue::Line;
using catalogue::SizeOfInput;
namespace {

// Lines between two looks at the clock for the progress bar.
constexpr std::uint64_t kProgressStride = 64;

// The file formats as --format names them.
constexpr auto kFormatChoices = [] {
    std::array<std::pair<std::string_view, render::FileFormat>, render::kFileFormats.size()> c{};
    for (std::size_t i = 0; i < c.size(); ++i) {
        c[i] = {render::kFileFormats[i].name, render::kFileFormats[i].format};
    }
    return c;
}();

// The symbols --symbology names: the main symbols a number is drawn as, then the carriers of
// GS1 data, counted on after them.
constexpr auto kSymbologyChoices = [] {
    std::array<std::pair<std::string_view, int>, kMainSymbologies + kDataCarrierNames.size()> c{};
    for (std::size_t i = 0; i < kMainSymbologies; ++i) {
        c[i] = {kSymbologyNames[i].name, static_cast<int>(i)};
    }
    for (std::size_t i = 0; i < kDataCarrierNames.size(); ++i) {
        c[kMainSymbologies + i] = {kDataCarrierNames[i].name,
                                   static_cast<int>(kMainSymbologies + i)};
    }
    return c;
}();

constexpr std::array<std::pair<std::string_view, DataMatrixShape>, 2> kShapeChoices{{
    {"square", DataMatrixShape::Square},
    {"rectangle", DataMatrixShape::Rectangle},
}};

constexpr std::array<std::pair<std::string_view, QrErrorCorrection>, 4> kEccChoices{{
    {"l", QrErrorCorrection::L},
    {"m", QrErrorCorrection::M},
    {"q", QrErrorCorrection::Q},
    {"h", QrErrorCorrection::H},
}};

// A refusal's exit status: a number that cannot be drawn is one that is not valid.
int ExitStatusOf(ErrorKind kind) {
    return kind == ErrorKind::Input ? kExitNotAllValid : kExitFailure;
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

class RenderCommand final : public Command {
  public:
    CLI::App& Register(CLI::App& program) override {
        CLI::App& render = *program.add_subcommand(
            "render", "Write the print-quality bar code of a number, or of every line of a file");
        render.footer(
            "A 13-digit number is drawn as EAN-13 and an 8-digit one as EAN-8, each with its\n"
            "check digit verified; 12 or 7 digits get theirs computed, and an ISBN-10 is drawn\n"
            "as the EAN-13 of its GTIN (978...). --symbology upca draws 12 or 11 digits as UPC-A;\n"
            "--symbology upce draws 8, 7 or 6 digits, or a GTIN-12 that zero suppression\n"
            "shortens, as UPC-E. A \"+\" and 2 or 5 digits after the number add an add-on to an\n"
            "EAN-13, UPC-A or UPC-E: 9780306406157+51234. The format comes from the output's\n"
            "extension (" +
            render::ExtensionsInWords(".", ", ", ", ") +
            ") or --format. At a resolution (--dpi, 300 for\n"
            "PNG unless given) every module is a whole number of printer dots, and the size it\n"
            "came to is said once on standard error. Each file is written whole or not at all,\n"
            "and missing folders of its name are made. In a batch, -o is a pattern: {number} is\n"
            "the number drawn (add-on included), {line} the line's number, {line:05} the same to\n"
            "five digits, {column:NAME} a catalogue's field (with --column); a line that is no\n"
            "number, a field that would make an unsafe name and a file that an earlier line\n"
            "of the batch wrote are reported and passed over.\n"
            "GS1 data: --symbology gs1-128, datamatrix or qr draws an element string in\n"
            "brackets, (01)09506000134352(17)271231, or a Digital Link URI; --xdim defaults to\n"
            "GS1's target for the symbol and is held to its range. A QR Code carries a URI only:\n"
            "an element string is drawn as its Digital Link URI at --stem. {number} is the GTIN,\n"
            "or the first AI and its data made safe for a file name. A pair such as\n"
            "--symbology ean13,datamatrix with --gs1 PATTERN draws the number's EAN/UPC symbol\n"
            "and, right of it, the GS1 carrier of the data PATTERN makes of its record (below),\n"
            "both at GS1's targets, in one file.\n"
            "Exit status: 0 when every number was written, 1 when some number could not be\n"
            "drawn, 2 for a usage error or when reading or writing failed.");

        render::Options& options = options_;
        CLI::Option* number =
            render.add_option("NUMBER", number_, "The number, or GS1 data, to draw");
        number->type_name("");
        CLI::Option* batch =
            render
                .add_option("-b,--batch", batch_, "Draw every line of FILE (- for standard input)")
                ->type_name("FILE")
                ->excludes(number);
        AddCatalogueOptions(render, catalogue_, "the numbers")->needs(batch);
        render
            .add_option("-o,--output", output_,
                        "The file to write (- for standard output), or a batch's pattern")
            ->type_name("FILE")
            ->required();
        render
            .add_option_function<std::string>(
                "--symbology",
                [this, &options](const std::string& choice) {
                    if (choice.find(',') != std::string::npos) {
                        const SymbologyPair pair = *ReadSymbologyPair(choice);  // checked
                        options.symbology = pair.linear;
                        sheetRequest_.pairedCarrier = pair.carrier;
                        return;
                    }
                    const auto index = static_cast<std::size_t>(std::stoi(choice));
                    if (index < kMainSymbologies) {
                        options.symbology = static_cast<Symbology>(index);
                    } else {
                        options.gs1.carrier = static_cast<DataCarrier>(index - kMainSymbologies);
                    }
                },
                "The symbol to draw; else EAN-13 or EAN-8 by the number's length. On labels, "
                "a pair such as ean13,datamatrix: an EAN/UPC symbol and a GS1 carrier of --gs1")
            ->type_name("NAME")
            ->transform(OneOrPair());
        render
            .add_option("--gs1", sheetRequest_.gs1,
                        "A pair's GS1 data: an element string of placeholders, e.g. "
                        "'(01){gtin}(17){column:expiry}(10){column:lot}'")
            ->type_name("PATTERN");
        shape_ = render
                     .add_option("--shape", options.gs1.shape,
                                 "DataMatrix: square (default), or rectangle where one holds "
                                 "the data")
                     ->type_name("SHAPE")
                     ->transform(OneOf(kShapeChoices));
        noText_ = render.add_flag("--no-text{false}", options.gs1.humanReadable,
                                  "DataMatrix: leave out the text under it, for artwork that "
                                  "sets it");
        ecc_ = render
                   .add_option("--ecc", options.gs1.errorCorrection,
                               "QR Code error correction: L, M (default), Q or H")
                   ->type_name("LEVEL")
                   ->transform(OneOf(kEccChoices));
        stem_ = render
                    .add_option("--stem", options.gs1.stem,
                                "Where a QR Code's Digital Link URI starts (default "
                                "https://id.gs1.org)")
                    ->type_name("URL");
        render
            .add_option("-f,--format", format_,
                        render::ExtensionsInWords("", ", ", " or ") + "; else from -o's extension")
            ->type_name("FORMAT")
            ->transform(OneOf(kFormatChoices));
        xDimension_ = render
                          .add_option("--xdim", options.xDimensionMm,
                                      "Module width in mm: 0.264 to 0.66 (default 0.33), GS1's "
                                      "range and target for GS1 data")
                          ->type_name("MM");
        render.add_option("--dpi", options.dpi, "Printer resolution: modules snap to whole dots")
            ->type_name("DPI");
        render
            .add_option("--height", options.barHeightMm,
                        "Bar height in mm (default 22.85 scaled with --xdim; 31.75 for "
                        "GS1-128)")
            ->type_name("MM");
        render.add_flag("--no-quiet-zones{false}", options.quietZones,
                        "Leave out the light margins");
        render.add_flag("--margin-indicators", options.marginIndicators,
                        "Mark the quiet zones with < and >");
        AddColour(render, "--fg", "Bar colour: #rrggbb or a name (default black)",
                  options.foreground);
        AddColour(render, "--bg", "Background colour (default white)", options.background);
        render.add_flag("--transparent", options.transparentBackground, "No background at all");
        render
            .add_option_function<std::string>(
                "--bar-width-reduction",
                [&options](const std::string& text) {
                    options.barWidthReduction = *render::ParseBarWidthReduction(text);
                },
                "Narrow every bar: 0.02mm, or 1dot, 2dots at a resolution")
            ->type_name("AMOUNT")
            ->check(CLI::Validator(
                [](std::string& text) -> std::string {
                    return render::ParseBarWidthReduction(text)
                               ? std::string()
                               : SafeText(text) +
                                     " is no amount; give millimetres (0.02mm) or dots (1dot, "
                                     "2dots)";
                },
                ""));
        render.add_flag("-q,--quiet", quiet_, "Say nothing but errors");
        SheetBatch::AddOptions(render, sheetRequest_);
        return render;
    }

    int Run(const Streams& streams) override {
        streams_ = &streams;
        diagnostics_.emplace(streams.err);
        if (!number_ && !batch_) {
            return Refuse("give a NUMBER or --batch FILE");
        }
        if (const Result<Done> prepared = Prepare(); !prepared) {
            return prepared.Kind() == ErrorKind::Usage ? Refuse(prepared.Error())
                                                       : Say(prepared.Error(), prepared.Kind());
        }
        // A batch that cannot be read says so alone, before any report of what it would make.
        if (batch_) {
            Result<InputFile> input = InputFile::Open(*batch_);
            if (!input) {
                diagnostics_->Say(BatchName(), input.Error());
                return kExitFailure;
            }
            input_.emplace(*std::move(input));
        }
        if (!quiet_ && !sheets_) {
            diagnostics_->Say("size " + reviewed_.report +
                              (pairData_
                                   ? "; " + std::string(TitleOf(*sheetRequest_.pairedCarrier)) +
                                         " " + pairCarrier_.report
                                   : std::string()));
        }
        for (const std::string& warning : reviewed_.warnings) {
            diagnostics_->Say("warning: " + warning);
        }
        return batch_ ? RunBatch() : RunOne();
    }

  private:
    static void AddColour(CLI::App& render, const std::string& name, const std::string& help,
                          render::Rgb& colour) {
        render
            .add_option_function<std::string>(
                name, [&colour](const std::string& text) { colour = *render::ParseColor(text); },
                help)
            ->type_name("COLOR")
            ->check(CLI::Validator(
                [](std::string& text) -> std::string {
                    return render::ParseColor(text)
                               ? std::string()
                               : SafeText(text) + " is no colour; give #rrggbb, #rgb or " +
                                     render::ColorNames();
                },
                ""));
    }

    // --symbology's value: one name, handed on as OneOf hands it, or a pair as written. The
    // validator keeps OneOf's name and description, so that the completion offers the names.
    static CLI::Validator OneOrPair() {
        const CLI::Validator one = OneOf(kSymbologyChoices);
        return CLI::Validator(
            [one](std::string& text) -> std::string {
                if (text.find(',') == std::string::npos) {
                    return one(text);
                }
                const Result<SymbologyPair> pair = ReadSymbologyPair(text);
                return pair ? std::string() : pair.Error();
            },
            one.get_description(), std::string(kChoicesValidator));
    }

    // A refusal of the request, before anything is read or written.
    static Result<Done> Refused(std::string why) {
        return Result<Done>::Failure(ErrorKind::Usage, std::move(why));
    }

    // Says a refusal that is no fault of the command line's, with its exit status.
    int Say(std::string_view what, ErrorKind kind) {
        diagnostics_->Say(what);
        return ExitStatusOf(kind);
    }

    // The batch's file as messages name it.
    std::string BatchName() const {
        return *batch_ == "-" ? std::string(kStandardInputName) : SafeText(*batch_);
    }

    int Refuse(std::string_view what) {
        diagnostics_->Say(what);
        diagnostics_->Hint(TryHelp("render"));
        return kExitFailure;
    }

    // Everything about the request that can be wrong before a number is read; the refusal.
    Result<Done> Prepare() {
        if (Result<Done> carrier = PrepareCarrier(); !carrier) {
            return carrier;
        }
        if (sheetRequest_.sheet || sheetRequest_.pageSize) {
            return PrepareSheets();
        }
        if (batch_ && output_ == "-") {
            return Refused(
                std::string("a batch writes a file for each number: give -o a pattern "
                            "such as labels/{number}.svg"));
        }
        if (!format_ && output_ != "-") {
            format_ = render::FormatOfFile(output_);
        }
        if (!format_) {
            return Refused(output_ == "-"
                               ? "give --format (" + render::ExtensionsInWords("", ", ", " or ") +
                                     ") to write to standard output"
                               : "cannot tell the format of " + SafeText(output_) + ": name it " +
                                     render::ExtensionsInWords(".", ", ", " or ") +
                                     ", or give --format");
        }
        if (batch_) {
            pattern_.emplace(output_);
            if (!pattern_->Error().empty()) {
                return Refused("-o " + SafeText(output_) + ": " + pattern_->Error());
            }
            if (!pattern_->HasPlaceholder()) {
                return Refused(
                    "-o " + SafeText(output_) +
                    ": a batch needs {number}, {line} or {column:NAME} in the pattern, or every "
                    "number would overwrite the one before");
            }
            if (pattern_->UsesColumns() && !catalogue_.Given()) {
                return Refused("-o " + SafeText(output_) +
                               ": {column:NAME} takes a catalogue's field: give --column");
            }
        } else if (output_ == "-" && streams_->outIsTerminal &&
                   (format_ == render::FileFormat::Png || format_ == render::FileFormat::Pdf)) {
            return Refused("will not write " + std::string(render::NameOf(*format_)) +
                           " to a terminal: redirect standard output or give -o FILE");
        }
        Result<render::ReviewedOptions> reviewed =
            render::Review(render::ForFormat(options_, *format_));
        if (!reviewed) {
            return Result<Done>::FailureOf(reviewed);
        }
        reviewed_ = *std::move(reviewed);
        return PreparePairFiles();
    }

    // A pair of symbols in a file a record: the carrier's options and the data's pattern.
    Result<Done> PreparePairFiles() {
        if (!sheetRequest_.pairedCarrier) {
            return Done{};
        }
        Result<render::ReviewedOptions> carrier =
            CarrierOptionsOf(reviewed_.options, *sheetRequest_.pairedCarrier);
        if (!carrier) {
            return Result<Done>::FailureOf(carrier);
        }
        pairCarrier_ = *std::move(carrier);
        pairData_.emplace(*sheetRequest_.gs1);
        if (!pairData_->Error().empty()) {
            return Refused("--gs1 " + SafeText(*sheetRequest_.gs1) + ": " + pairData_->Error());
        }
        return Done{};
    }

    // The options of GS1 data: those of one carrier only; the X-dimension given, or GS1's.
    Result<Done> PrepareCarrier() {
        if (const Result<Done> pair = PreparePair(); !pair) {
            return pair;
        }
        const std::optional<DataCarrier> carrier =
            options_.gs1.carrier ? options_.gs1.carrier : sheetRequest_.pairedCarrier;
        const auto only = [&carrier](const CLI::Option* option, DataCarrier owner) -> Result<Done> {
            if (option->count() > 0 && carrier != owner) {
                return Refused(
                    option->get_name() + " is for " + std::string(TitleOf(owner)) +
                    ": give --symbology " +
                    std::string(kDataCarrierNames[static_cast<std::size_t>(owner)].name));
            }
            return Done{};
        };
        for (const auto& refusal :
             {only(shape_, DataCarrier::DataMatrix), only(noText_, DataCarrier::DataMatrix),
              only(ecc_, DataCarrier::QrCode), only(stem_, DataCarrier::QrCode)}) {
            if (!refusal) {
                return refusal;
            }
        }
        if (!options_.gs1.carrier) {
            return Done{};
        }
        if (sheetRequest_.sheet || sheetRequest_.pageSize) {
            return Refused("label sheets hold EAN/UPC symbols, alone or in a pair such as " +
                           std::string(kSymbologyNames[0].name) + "," +
                           std::string(kDataCarrierNames[static_cast<std::size_t>(*carrier)].name) +
                           " with --gs1: draw " + std::string(TitleOf(*carrier)) +
                           " alone into a file each with -o PATTERN");
        }
        if (xDimension_->count() > 0) {
            options_.gs1.xDimensionMm = options_.xDimensionMm;
        }
        return Done{};
    }

    // A pair of symbols a label: --gs1 with it and only with it, on label sheets or a roll,
    // sized by GS1's targets.
    Result<Done> PreparePair() {
        const std::optional<DataCarrier> carrier = sheetRequest_.pairedCarrier;
        if (!carrier) {
            return sheetRequest_.gs1 ? Refused(
                                           "--gs1 is the GS1 data of a pair's carrier: give "
                                           "--symbology a pair such as ean13,datamatrix")
                                     : Result<Done>(Done{});
        }
        const std::string pair = "--symbology " + std::string(TitleOf(*options_.symbology)) +
                                 " and " + std::string(TitleOf(*carrier));
        if (!sheetRequest_.gs1) {
            return Refused(pair +
                           ": give --gs1, the carrier's data, e.g. "
                           "'(01){gtin}(17){column:expiry}(10){column:lot}'");
        }
        if (xDimension_->count() > 0) {
            return Refused(pair +
                           ": --xdim sizes one symbol; a pair takes GS1's targets, or "
                           "the largest down to their least that fits");
        }
        if (Gs1DataPattern(*sheetRequest_.gs1).UsesColumns() && !catalogue_.Given()) {
            return Refused("--gs1 " + SafeText(*sheetRequest_.gs1) +
                           ": {column:NAME} takes a catalogue's field: give --column");
        }
        return Done{};
    }

    // A batch into one PDF of labels.
    Result<Done> PrepareSheets() {
        if (!batch_) {
            return Refused(
                std::string("--sheet and --page-size lay out a batch: give --batch FILE"));
        }
        if (output_ == "-" || format_.value_or(render::FormatOfFile(output_).value_or(
                                  render::FileFormat::Svg)) != render::FileFormat::Pdf) {
            return Refused(std::string(
                "label sheets are written into one PDF file: give -o a name ending in .pdf"));
        }
        format_ = render::FileFormat::Pdf;
        if (sheetRequest_.text && FileNamePattern(*sheetRequest_.text).UsesColumns() &&
            !catalogue_.Given()) {
            return Refused("--text " + SafeText(*sheetRequest_.text) +
                           ": {column:NAME} takes a catalogue's field: give --column");
        }
        Result<render::ReviewedOptions> reviewed = render::Review(options_);
        if (!reviewed) {
            return Result<Done>::FailureOf(reviewed);
        }
        reviewed_ = *std::move(reviewed);
        Result<std::unique_ptr<SheetBatch>> sheets =
            SheetBatch::Open(sheetRequest_, reviewed_, xDimension_->count() > 0, output_,
                             *diagnostics_, BatchName(), quiet_);
        if (!sheets) {
            return Result<Done>::FailureOf(sheets);
        }
        sheets_ = *std::move(sheets);
        return Done{};
    }

    int RunOne() {
        Result<render::Layout> layout = render::LayOut(*number_, reviewed_);
        if (layout && pairData_) {
            layout = Paired(*std::move(layout), 1, {});
        }
        if (!layout) {
            diagnostics_->Say(SafeText(*number_), layout.Error());
            return ExitStatusOf(layout.Kind());
        }
        if (!layout->note.empty() && !quiet_) {
            diagnostics_->Say(layout->note);
        }
        const Result<Done> written = Write(*layout, output_);
        if (!written) {
            diagnostics_->Say(SafeText(written.Error()));
            return ExitStatusOf(written.Kind());
        }
        return kExitSuccess;
    }

    int RunBatch() {
        KeepFreedMemory();
        const std::string name = BatchName();
        std::optional<Progress> progress;
        if (streams_->errIsTerminal) {
            progress.emplace(streams_->err, SizeOfInput(*batch_));
            diagnostics_->BeforeEachMessage([&progress] { progress->Clear(); });
        }
        // Files of their own, drawn on threads; label sheets go into the one PDF instead.
        std::optional<BatchWriter> writer;
        if (!sheets_) {
            writer.emplace(*format_);
        }
        std::uint64_t refused = 0;
        bool stopped = false;
        // A file another record of the batch wrote is not written again; its name's hash is
        // enough to know it, at a chance of a mistaken refusal that no batch comes near.
        std::unordered_set<std::size_t> namesWritten;
        {
            BatchInput reader(*input_, catalogue_);
            Result<Done> started = reader.Start();
            if (started) {
                started = sheets_ ? sheets_->FindColumns(reader.Header())
                                  : pattern_->FindColumns(reader.Header());
            }
            if (started && pairData_) {
                started = pairData_->FindColumns(reader.Header());
                if (!started) {
                    started = Result<Done>::Failure(started.Kind(), "--gs1: " + started.Error());
                }
            }
            if (!started) {
                diagnostics_->Say(name, started.Error());
                stopped = true;
            }
            CatalogueRecord record;
            const Line& line = record.line;
            while (!stopped && reader.Next(record)) {
                if (!record.fault.empty()) {
                    diagnostics_->Say(name, line.number, "warning: " + std::string(record.fault));
                }
                const std::string_view text = TrimBlanks(line.text);
                if (text.empty()) {
                    continue;
                }
                Result<render::Layout> layout =
                    line.TooLong()
                        ? Result<render::Layout>::Failure(
                              ErrorKind::Input, Describe(NumberFault::TooLong(line.length)))
                        : render::LayOut(text, reviewed_);
                if (layout && pairData_) {
                    layout = Paired(*std::move(layout), line.number, record.fields);
                }
                if (!layout) {
                    diagnostics_->Say(
                        name, line.number,
                        line.TooLong() ? layout.Error() : SafeText(text) + ": " + layout.Error());
                    ++refused;
                } else if (sheets_) {
                    const SheetBatch::Added added =
                        sheets_->Add(*layout, line.number, record.fields);
                    stopped = added == SheetBatch::Added::Stop;
                    refused += added == SheetBatch::Added::Refused ? 1 : 0;
                } else {
                    // A carrier's note says the same of every line: once is enough.
                    if (!layout->note.empty() && !quiet_ &&
                        !(layout->carrier && !layout->pair && saidNote_)) {
                        diagnostics_->Say(name, line.number, layout->note);
                        saidNote_ = true;
                    }
                    ExpandedName path =
                        pattern_->ExpandFileName({layout->number, line.number, record.fields});
                    if (path.refusal.empty() &&
                        !namesWritten.insert(std::hash<std::string>{}(path.name)).second) {
                        path.refusal =
                            SafeText(path.name) + ": an earlier line of the batch wrote it";
                    }
                    if (!path.refusal.empty()) {
                        diagnostics_->Say(name, line.number, path.refusal);
                        ++refused;
                    } else if (const Result<Done> folders = MakeFolders(path.name); !folders) {
                        diagnostics_->Say(folders.Error());
                        stopped = true;
                    } else {
                        stopped = !writer->Write(*std::move(layout), std::move(path.name));
                    }
                }
                if (progress && line.number % kProgressStride == 0) {
                    progress->Update(reader.BytesRead(), line.number);
                }
            }
            if (!reader.Status()) {
                diagnostics_->Say(name, reader.Status().Error());
                stopped = true;
            }
        }
        // What was queued is written, and put on disk, even when the batch stopped early.
        if (const Result<Done> finished = writer ? writer->Finish() : Done{}; !finished) {
            diagnostics_->Say(finished.Error());
            stopped = true;
        }
        if (progress) {
            progress->Clear();  // also when no summary follows to take its place
        }
        if (sheets_) {
            return sheets_->Finish(stopped, refused);
        }
        if (stopped) {
            return kExitFailure;
        }
        if (!quiet_) {
            const std::uint64_t written = writer->Written();
            diagnostics_->Say(std::to_string(written) + (written == 1 ? " file" : " files") +
                              " written, " + std::to_string(refused) + " not rendered");
        }
        return refused == 0 ? kExitSuccess : kExitNotAllValid;
    }

    // The record's EAN/UPC symbol `linear` with the carrier of its GS1 data beside it; refused
    // as the carrier refuses the data, which is named.
    Result<render::Layout> Paired(render::Layout linear, std::uint64_t line,
                                  std::span<const std::string_view> fields) {
        const std::string gtin = GtinOf(linear);
        const std::string data = pairData_->Expand({linear.number, line, fields, gtin});
        Result<render::Layout> carrier = render::LayOut(data, pairCarrier_);
        if (!carrier) {
            return Result<render::Layout>::Failure(carrier.Kind(),
                                                   SafeText(data) + ": " + carrier.Error());
        }
        // A carrier's note says the same of every record: once is enough.
        if (!carrier->note.empty() && !quiet_ && !saidNote_) {
            diagnostics_->Say(carrier->note);
            saidNote_ = true;
        }
        return render::Beside(std::move(linear), *std::move(carrier));
    }

    // Makes the missing folders of a file's name, saying so the first time.
    Result<Done> MakeFolders(const std::string& path) {
        const Result<int> made = files::MakeFoldersFor(path);
        if (!made) {
            return Result<Done>::Failure(made.Kind(), SafeText(made.Error()));
        }
        if (*made > 0 && !saidFolders_ && !quiet_) {
            diagnostics_->Say("made the missing folder " + SafeText(files::FolderOf(path)));
            saidFolders_ = true;
        }
        return Done{};
    }

    // Writes the layout's file, or to standard output for "-".
    Result<Done> Write(const render::Layout& layout, const std::string& path) {
        const Result<std::string> bytes = render::Encode(layout, *format_);
        if (!bytes) {
            return Result<Done>::Failure(bytes.Kind(), layout.number + ": " + bytes.Error());
        }
        if (path != "-") {
            const Result<Done> folders = MakeFolders(path);
            return folders ? files::WriteFileAtomically(path, *bytes) : folders;
        }
        if (const Result<Done> written = streams_->out.Write(*bytes); !written) {
            return Result<Done>::Failure(ErrorKind::Output, "standard output: " + written.Error());
        }
        return Done{};
    }

    // Options.
    std::optional<std::string> number_;
    std::optional<std::string> batch_;
    std::optional<InputFile> input_;  // the batch's, open once the request is sound
    CatalogueOptions catalogue_;
    std::string output_;
    std::optional<render::FileFormat> format_;
    render::Options options_;
    // A pair's carrier and its data, for pairs in files of their own.
    std::optional<Gs1DataPattern> pairData_;
    render::ReviewedOptions pairCarrier_;
    bool quiet_ = false;
    CLI::Option* xDimension_ = nullptr;
    CLI::Option* shape_ = nullptr;
    CLI::Option* noText_ = nullptr;
    CLI::Option* ecc_ = nullptr;
    CLI::Option* stem_ = nullptr;
    SheetBatch::Request sheetRequest_;

    // The run.
    const Streams* streams_ = nullptr;
    std::optional<Diagnostics> diagnostics_;
    render::ReviewedOptions reviewed_;
    std::optional<FileNamePattern> pattern_;
    bool saidFolders_ = false;
    bool saidNote_ = false;
    std::unique_ptr<SheetBatch> sheets_;
};

}  // namespace

std::unique_ptr<Command> MakeRenderCommand() {
    return std::make_unique<RenderCommand>();
}

}  // namespace varnholt::cli
