#include "cli/render/SheetBatch.h"

#include "files/AtomicFile.h"
#include "files/Folders.h"
#include "model/DisplayText.h"
#include "model/SymbologyNames.h"
#include "sheets/LabelFit.h"
#include "sheets/SheetSyntax.h"

namespace varnholt::cli {
namespace {

// The two module widths a symbol's extent is measured at.
constexpr double kSmallProbeMm = render::kNominalModuleMm;
constexpr double kLargeProbeMm = render::kLargestModuleMm;
// Room taken off a label, a step at a time, when the symbol's dots came to more than its
// millimetres said.
constexpr double kShrinkStepMm = 0.05;
constexpr int kFitAttempts = 4;

// How a symbol like `layout`'s grows with its module, with a line of text under it or not.
Result<sheets::SymbolExtent> ExtentOf(const render::Layout& layout, const render::Options& options,
                                      bool withText) {
    render::Options probe = options;
    probe.dpi.reset();
    probe.barWidthReduction = {};  // narrower bars take no less room
    probe.xDimensionMm = kSmallProbeMm;
    const Result<render::Layout> small = render::LayOut(layout.number, probe);
    probe.xDimensionMm = kLargeProbeMm;
    const Result<render::Layout> large = render::LayOut(layout.number, probe);
    if (!small || !large) {
        return Result<sheets::SymbolExtent>::FailureOf(!small ? small : large);
    }
    sheets::SymbolExtent extent;
    extent.widthModules = small->widthMm / kSmallProbeMm;
    extent.heightModules = (large->heightMm - small->heightMm) / (kLargeProbeMm - kSmallProbeMm);
    extent.fixedHeightMm = small->heightMm - extent.heightModules * kSmallProbeMm +
                           (withText ? sheets::kLabelTextRoomMm : 0.0);
    return extent;
}

}  // namespace

void SheetBatch::AddOptions(CLI::App& render, Request& request) {
    CLI::Option* sheet =
        render
            .add_option("--sheet", request.sheet,
                        "Lay a batch out on label sheets into one PDF: a product (\"Avery "
                        "L7160\", see 'varnholt sheets') or a geometry (below)")
            ->type_name("SHEET");
    render
        .add_option("--page-size", request.pageSize,
                    "Lay a batch out one label a page, for a roll: WIDTHxHEIGHT, e.g. 50x30mm")
        ->type_name("SIZE")
        ->excludes(sheet);
    render.add_option("--text", request.text, "A line under each label's symbol: {number}, {line}")
        ->type_name("TEXT");
    render.add_option("--skip", request.skip, "Leave the first N labels of the first sheet blank")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber);
    render.add_option("--copies", request.copies, "Each record on N labels (default 1)")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
    render.add_flag("--outline", request.outline, "Draw the labels' outlines, to test alignment");
    render.footer(render.get_footer() +
                  "\n\nWith --sheet or --page-size, a batch goes into one PDF (-o labels.pdf), a\n"
                  "label a record: the symbol at --xdim, or the largest from 80 to 200 % that\n"
                  "fits, centred in the label's printable area. A record that cannot be drawn is\n"
                  "reported and its label skipped: the next record takes it. Text that does not\n"
                  "fit is shrunk, then cut with an ellipsis. A sheet not in the label stock:\n" +
                  std::string(sheets::kSheetSyntaxHelp));
}

Result<std::unique_ptr<SheetBatch>> SheetBatch::Open(const Request& request,
                                                     const render::ReviewedOptions& reviewed,
                                                     bool xDimensionGiven, const std::string& path,
                                                     Diagnostics& diagnostics,
                                                     std::string inputName, bool quiet) {
    using Refusal = Result<std::unique_ptr<SheetBatch>>;
    std::unique_ptr<SheetBatch> batch(new SheetBatch(request, reviewed, xDimensionGiven,
                                                     diagnostics, std::move(inputName), quiet));
    Result<sheets::ChosenSheet> sheet =
        request.sheet ? sheets::ChooseSheet(*request.sheet) : sheets::ChooseRoll(*request.pageSize);
    if (!sheet) {
        return Refusal::Failure(ErrorKind::Usage,
                                (request.sheet ? "--sheet: " : "--page-size: ") + sheet.Error());
    }
    if (const Result<Done> shape = sheets::CheckShape(*sheet); !shape) {
        return Refusal::FailureOf(shape);
    }
    batch->sheet_ = *std::move(sheet);
    const int perSheet = batch->sheet_.geometry.LabelCount();
    if (request.skip >= perSheet) {
        return Refusal::Failure(
            ErrorKind::Usage, "--skip " + std::to_string(request.skip) + ": " + batch->sheet_.name +
                                  " has " + std::to_string(perSheet) +
                                  (perSheet == 1 ? " label" : " labels") + " a sheet");
    }
    if (request.text) {
        batch->text_.emplace(*request.text);
        if (!batch->text_->Error().empty()) {
            return Refusal::Failure(ErrorKind::Usage, "--text " + SafeText(*request.text) + ": " +
                                                          batch->text_->Error());
        }
    }
    if (const Result<int> folders = files::MakeFoldersFor(path); !folders) {
        return Refusal::Failure(folders.Kind(), SafeText(folders.Error()));
    } else if (*folders > 0 && !quiet) {
        diagnostics.Say("made the missing folder " + SafeText(path.substr(0, path.rfind('/'))));
    }
    Result<std::unique_ptr<sheets::SheetDocument>> document = sheets::SheetDocument::Open(
        path, {batch->sheet_.geometry, request.skip, request.outline, reviewed.dpi});
    if (!document) {
        return Refusal::Failure(document.Kind(), SafeText(document.Error()));
    }
    batch->document_ = *std::move(document);
    batch->path_ = path;
    return batch;
}

Result<render::ReviewedOptions> SheetBatch::FittedFor(const render::Layout& layout) {
    const std::pair<int, std::size_t> kind{static_cast<int>(layout.symbology), layout.addOn.count};
    if (const auto found = fitted_.find(kind); found != fitted_.end()) {
        return found->second;
    }
    Result<sheets::SymbolExtent> extent = ExtentOf(layout, reviewed_.options, text_.has_value());
    if (!extent) {
        return Result<render::ReviewedOptions>::FailureOf(extent);
    }
    const sheets::SheetGeometry& g = sheet_.geometry;
    sheets::LabelRoom room{g.labelWidthMm, g.labelHeightMm, g.markupMarginMm};
    const std::optional<double> asked =
        xDimensionGiven_ ? std::optional(reviewed_.options.xDimensionMm) : std::nullopt;
    for (int attempt = 0;; ++attempt) {
        const Result<double> x = sheets::FitModule(*extent, room, asked, reviewed_.options.dpi);
        if (!x) {
            return Result<render::ReviewedOptions>::Failure(x.Kind(),
                                                            sheet_.name + ": " + x.Error());
        }
        render::Options options = reviewed_.options;
        options.xDimensionMm = *x;
        Result<render::ReviewedOptions> reviewed = render::Review(options);
        if (!reviewed) {
            return reviewed;
        }
        const Result<render::Layout> drawn = render::LayOut(layout.number, *reviewed);
        if (!drawn) {
            return Result<render::ReviewedOptions>::FailureOf(drawn);
        }
        // Bars and digits on whole dots can come to a little more than the millimetres.
        const double height = drawn->heightMm + (text_ ? sheets::kLabelTextRoomMm : 0.0);
        const bool fits = drawn->widthMm <= g.labelWidthMm - 2 * g.markupMarginMm + 1e-6 &&
                          height <= g.labelHeightMm - 2 * g.markupMarginMm + 1e-6;
        if (fits || asked || attempt + 1 == kFitAttempts) {
            if (!quiet_) {
                diagnostics_.Say(
                    "size " + reviewed->report + " (" + std::string(TitleOf(layout.symbology)) +
                    (layout.addOn.count != 0 ? " with add-on" : "") + " on " + sheet_.name + ")");
            }
            return fitted_.emplace(kind, *std::move(reviewed)).first->second;
        }
        room.heightMm -= kShrinkStepMm;
    }
}

std::optional<std::string> SheetBatch::FindColumns(const ColumnNames* header) {
    if (!text_) {
        return std::nullopt;
    }
    return text_->FindColumns(header);
}

bool SheetBatch::Add(const render::Layout& layout, std::uint64_t line,
                     std::span<const std::string_view> fields) {
    if (!layout.note.empty() && !quiet_) {
        diagnostics_.Say(inputName_, line, layout.note);
    }
    const Result<render::ReviewedOptions> fitted = FittedFor(layout);
    if (!fitted) {
        diagnostics_.Say(fitted.Error());
        return false;
    }
    const Result<render::Layout> drawn = render::LayOut(layout.number, *fitted);
    if (!drawn) {
        diagnostics_.Say(inputName_, line, layout.number + ": " + drawn.Error());
        return false;
    }
    const std::string text = text_ ? text_->Expand({drawn->number, line, fields}) : std::string();
    for (int copy = 0; copy < request_.copies; ++copy) {
        const Result<bool> cut = document_->Place(*drawn, text);
        if (!cut) {
            diagnostics_.Say(SafeText(path_), cut.Error());
            return false;
        }
        if (*cut && !saidCut_) {
            diagnostics_.Say(inputName_, line,
                             "the text " + SafeText(text) +
                                 " is cut to fit the label (said once for the batch)");
            saidCut_ = true;
        }
    }
    return true;
}

int SheetBatch::Finish(bool stopped, std::uint64_t refused) {
    if (stopped) {
        return kExitFailure;  // the document goes, and its file with it
    }
    const std::uint64_t labels = document_->Labels();
    const std::uint64_t pages = document_->Pages();
    if (labels == 0) {
        diagnostics_.Say("no label to print: " + SafeText(path_) + " not written");
        return refused == 0 ? kExitSuccess : kExitNotAllValid;
    }
    if (const Result<Done> written = document_->Finish(); !written) {
        diagnostics_.Say(SafeText(written.Error()));
        return kExitFailure;
    }
    if (!quiet_) {
        diagnostics_.Say(std::to_string(labels) + (labels == 1 ? " label" : " labels") + " on " +
                         std::to_string(pages) + (pages == 1 ? " page" : " pages") +
                         " written to " + SafeText(path_) + ", " + std::to_string(refused) +
                         " not rendered");
    }
    return refused == 0 ? kExitSuccess : kExitNotAllValid;
}

}  // namespace varnholt::cli
