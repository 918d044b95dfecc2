#include "cli/render/SheetBatch.h"

#include <algorithm>

#include "cli/render/SymbologyPair.h"
#include "files/AtomicFile.h"
#include "files/Folders.h"
#include "model/DisplayText.h"
#include "model/SymbologyNames.h"
#include "render/Length.h"
#include "sheets/SheetSyntax.h"
#include "sheets/SymbolFit.h"

namespace varnholt::cli {

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
    render
        .add_option_function<std::string>(
            "--padding",
            [&request](const std::string& text) {
                request.paddingMm = *render::ParseLengthMm(text, render::kMillimetre);
            },
            "Keep the symbol this far inside each label's edge (default 1.5mm), or the "
            "template's margin where that is wider")
        ->type_name("LENGTH")
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                const Result<double> mm = render::ParseLengthMm(text, render::kMillimetre);
                return !mm ? mm.Error() : *mm < 0 ? "give a length of 0 or more" : std::string();
            },
            ""));
    render.footer(render.get_footer() +
                  "\n\nWith --sheet or --page-size, a batch goes into one PDF (-o labels.pdf), a\n"
                  "label a record: the symbol at --xdim, or at GS1's target size where it fits\n"
                  "(else the largest down to 80 % that does), centred in the label's printable\n"
                  "area, --padding inside its edge. A record that cannot be drawn is\n"
                  "reported and its label skipped: the next record takes it. Text that does not\n"
                  "fit is shrunk, then cut with an ellipsis. With --symbology a pair such as\n"
                  "ean13,datamatrix and --gs1 PATTERN, each label holds the record's EAN/UPC\n"
                  "symbol and beside it the GS1 carrier of its data ({gtin} is the record's\n"
                  "GTIN in 14 digits): both at one magnification of GS1's targets, down to 80 %\n"
                  "where they do not fit; a record whose data is wrong is reported and skipped.\n"
                  "A sheet not in the label stock:\n" +
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
    // Office printers leave the sheet's edge blank: the symbol keeps its distance from every
    // label's edge, which may be the page's.
    double& margin = batch->sheet_.geometry.markupMarginMm;
    margin = std::max(margin, request.paddingMm);
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
    if (request.gs1) {
        batch->gs1_.emplace(*request.gs1);
        if (!batch->gs1_->Error().empty()) {
            return Refusal::Failure(
                ErrorKind::Usage, "--gs1 " + SafeText(*request.gs1) + ": " + batch->gs1_->Error());
        }
        Result<render::ReviewedOptions> carrierReviewed =
            CarrierOptionsOf(reviewed.options, *request.pairedCarrier);
        if (!carrierReviewed) {
            return Refusal::FailureOf(carrierReviewed);
        }
        batch->carrierReviewed_ = *std::move(carrierReviewed);
    }
    if (const Result<int> folders = files::MakeFoldersFor(path); !folders) {
        return Refusal::Failure(folders.Kind(), SafeText(folders.Error()));
    } else if (*folders > 0 && !quiet) {
        diagnostics.Say("made the missing folder " + SafeText(files::FolderOf(path)));
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
    const sheets::SheetGeometry& g = sheet_.geometry;
    const std::optional<double> asked =
        xDimensionGiven_ ? std::optional(reviewed_.options.xDimensionMm) : std::nullopt;
    Result<render::ReviewedOptions> fitted = sheets::FitSymbol(
        layout, reviewed_.options, {g.labelWidthMm, g.labelHeightMm, g.markupMarginMm}, asked,
        text_.has_value());
    if (!fitted) {
        return Result<render::ReviewedOptions>::Failure(
            fitted.Kind(), fitted.Kind() == ErrorKind::Usage ? sheet_.name + ": " + fitted.Error()
                                                             : fitted.Error());
    }
    if (!quiet_) {
        diagnostics_.Say("size " + fitted->report + " (" + std::string(TitleOf(layout.symbology)) +
                         (layout.addOn.count != 0 ? " with add-on" : "") + " on " + sheet_.name +
                         ")");
    }
    return fitted_.emplace(kind, *std::move(fitted)).first->second;
}

Result<sheets::FittedPair> SheetBatch::PairFittedFor(const render::Layout& layout,
                                                     std::string_view data,
                                                     const render::Layout& carrier) {
    const auto kind = std::tuple(static_cast<int>(layout.symbology), layout.addOn.count,
                                 carrier.widthMm, carrier.heightMm);
    if (const auto found = pairs_.find(kind); found != pairs_.end()) {
        return found->second;
    }
    const sheets::SheetGeometry& g = sheet_.geometry;
    Result<sheets::FittedPair> fitted =
        sheets::FitPair(layout.number, reviewed_.options, data, carrierReviewed_.options,
                        {g.labelWidthMm, g.labelHeightMm, g.markupMarginMm}, text_.has_value());
    if (!fitted) {
        return Result<sheets::FittedPair>::Failure(
            fitted.Kind(), fitted.Kind() == ErrorKind::Usage ? sheet_.name + ": " + fitted.Error()
                                                             : fitted.Error());
    }
    // Data of another length may take another size: said when it differs.
    if (!quiet_ && fitted->report != saidPairReport_) {
        diagnostics_.Say("size " + fitted->report + " (" + std::string(TitleOf(layout.symbology)) +
                         " and " + std::string(TitleOf(*carrier.carrier)) + " on " + sheet_.name +
                         ")");
        saidPairReport_ = fitted->report;
    }
    return pairs_.emplace(kind, *std::move(fitted)).first->second;
}

Result<Done> SheetBatch::FindColumns(const ColumnNames* header) {
    if (text_) {
        if (Result<Done> found = text_->FindColumns(header); !found) {
            return found;
        }
    }
    if (gs1_) {
        if (Result<Done> found = gs1_->FindColumns(header); !found) {
            return Result<Done>::Failure(found.Kind(), "--gs1: " + found.Error());
        }
    }
    return Done{};
}

SheetBatch::Added SheetBatch::Add(const render::Layout& layout, std::uint64_t line,
                                  std::span<const std::string_view> fields) {
    if (!layout.note.empty() && !quiet_) {
        diagnostics_.Say(inputName_, line, layout.note);
    }
    if (gs1_) {
        return AddPair(layout, line, fields);
    }
    const Result<render::ReviewedOptions> fitted = FittedFor(layout);
    if (!fitted) {
        diagnostics_.Say(fitted.Error());
        return Added::Stop;
    }
    const Result<render::Layout> drawn = render::LayOut(layout.number, *fitted);
    if (!drawn) {
        diagnostics_.Say(inputName_, line, layout.number + ": " + drawn.Error());
        return Added::Stop;
    }
    const std::string text = text_ ? text_->Expand({drawn->number, line, fields}) : std::string();
    const render::Layout* symbols[] = {&*drawn};
    return PlaceCopies(symbols, text, line);
}

SheetBatch::Added SheetBatch::AddPair(const render::Layout& layout, std::uint64_t line,
                                      std::span<const std::string_view> fields) {
    const std::string gtin = GtinOf(layout);
    const PatternValues values{layout.number, line, fields, gtin};
    const std::string data = gs1_->Expand(values);
    const Result<render::Layout> carrier = render::LayOut(data, carrierReviewed_);
    if (!carrier) {
        diagnostics_.Say(inputName_, line, SafeText(data) + ": " + carrier.Error());
        return carrier.Kind() == ErrorKind::Input ? Added::Refused : Added::Stop;
    }
    // A carrier's note says the same of every record: once is enough.
    if (!carrier->note.empty() && !quiet_ && !saidCarrierNote_) {
        diagnostics_.Say(inputName_, line, carrier->note);
        saidCarrierNote_ = true;
    }
    const Result<sheets::FittedPair> fitted = PairFittedFor(layout, data, *carrier);
    if (!fitted) {
        diagnostics_.Say(fitted.Error());
        return Added::Stop;
    }
    const Result<render::Layout> linear = render::LayOut(layout.number, fitted->linear);
    const Result<render::Layout> second = render::LayOut(data, fitted->carrier);
    if (!linear || !second) {
        diagnostics_.Say(inputName_, line,
                         SafeText(data) + ": " + (!linear ? linear : second).Error());
        return Added::Stop;
    }
    const std::string text = text_ ? text_->Expand(values) : std::string();
    const render::Layout* symbols[] = {&*linear, &*second};
    return PlaceCopies(symbols, text, line);
}

SheetBatch::Added SheetBatch::PlaceCopies(std::span<const render::Layout* const> symbols,
                                          std::string_view text, std::uint64_t line) {
    for (int copy = 0; copy < request_.copies; ++copy) {
        const Result<bool> cut = document_->Place(symbols, text);
        if (!cut) {
            diagnostics_.Say(SafeText(path_), cut.Error());
            return Added::Stop;
        }
        if (*cut && !saidCut_) {
            diagnostics_.Say(inputName_, line,
                             "the text " + SafeText(std::string(text)) +
                                 " is cut to fit the label (said once for the batch)");
            saidCut_ = true;
        }
    }
    return Added::Placed;
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
