#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <utility>

#include "cli/Diagnostics.h"
#include "cli/render/FileNamePattern.h"
#include "cli/render/Gs1DataPattern.h"
#include "model/DataCarrier.h"
#include "model/Result.h"
#include "render/Layout.h"
#include "sheets/LabelFit.h"
#include "sheets/PairFit.h"
#include "sheets/SheetChoice.h"
#include "sheets/SheetDocument.h"

namespace varnholt::cli {

// A batch's labels on sheets of label stock or on a roll, one PDF. Each symbol is drawn at
// the X-dimension asked, or the largest from 80 to 200 % that fits its label; a record that
// cannot be drawn is reported and passed over, its label taken by the next one.
class SheetBatch {
  public:
    // What the command line asks for.
    struct Request {
        std::optional<std::string> sheet;     // --sheet PRODUCT or geometry
        std::optional<std::string> pageSize;  // --page-size WxH, a roll
        std::optional<std::string> text;      // --text, a pattern as file names take
        int skip = 0;
        int copies = 1;
        bool outline = false;
        double paddingMm = sheets::kLeastLabelPaddingMm;  // --padding, inside each label's edge
        // A pair of symbols a label (--symbology ean13,datamatrix): the GS1 carrier beside the
        // EAN/UPC symbol, and the pattern of its data (--gs1).
        std::optional<DataCarrier> pairedCarrier;
        std::optional<std::string> gs1;
    };

    // What became of a record.
    enum class Added { Placed, Refused, Stop };

    // Adds --sheet, --page-size, --text, --skip, --copies, --outline and --padding to `render`,
    // filling
    // `request`, and the sheet geometry's syntax to its help.
    static void AddOptions(CLI::App& render, Request& request);

    // Checks the request and opens the PDF at `path`; the refusal, of kind Usage for what
    // was asked and Output for a file that cannot be made. `xDimensionGiven` says whether
    // `reviewed` holds a size asked for or the default.
    static Result<std::unique_ptr<SheetBatch>> Open(const Request& request,
                                                    const render::ReviewedOptions& reviewed,
                                                    bool xDimensionGiven, const std::string& path,
                                                    Diagnostics& diagnostics, std::string inputName,
                                                    bool quiet);

    // Places the labels of a record laid out with the batch's options (its copies), with the
    // carrier of its GS1 data beside each in a pair. Refused, said with the record's line,
    // when its GS1 data is wrong; Stop when the batch must stop, said on standard error: a
    // label too small for the symbols, or a PDF that cannot be written.
    Added Add(const render::Layout& layout, std::uint64_t line,
              std::span<const std::string_view> fields = {});

    // Finds each {column:...} of the label text in a catalogue's header, or without one
    // (null) takes it by number; refused, of kind Usage, naming one that cannot be found.
    Result<Done> FindColumns(const ColumnNames* header);

    // Puts the PDF in place, unless the batch stopped or placed no label, and says what was
    // written; the exit status, with `refused` records that could not be drawn.
    int Finish(bool stopped, std::uint64_t refused);

  private:
    SheetBatch(const Request& request, const render::ReviewedOptions& reviewed,
               bool xDimensionGiven, Diagnostics& diagnostics, std::string inputName, bool quiet)
        : request_(request),
          reviewed_(reviewed),
          xDimensionGiven_(xDimensionGiven),
          diagnostics_(diagnostics),
          inputName_(std::move(inputName)),
          quiet_(quiet) {}

    // The options that fit symbols like `layout`'s on the labels, found once for each kind
    // of symbol and said once.
    Result<render::ReviewedOptions> FittedFor(const render::Layout& layout);
    // The same for a pair, whose carrier `carrier` laid out at its target.
    Result<sheets::FittedPair> PairFittedFor(const render::Layout& layout, std::string_view data,
                                             const render::Layout& carrier);
    Added AddPair(const render::Layout& layout, std::uint64_t line,
                  std::span<const std::string_view> fields);
    // Places `symbols` on the record's labels, with the label text.
    Added PlaceCopies(std::span<const render::Layout* const> symbols, std::string_view text,
                      std::uint64_t line);

    Request request_;
    render::ReviewedOptions reviewed_;
    bool xDimensionGiven_ = false;
    Diagnostics& diagnostics_;
    std::string inputName_;
    bool quiet_ = false;
    sheets::ChosenSheet sheet_;
    std::optional<FileNamePattern> text_;
    std::unique_ptr<sheets::SheetDocument> document_;
    std::string path_;
    // By symbology and add-on length.
    std::map<std::pair<int, std::size_t>, render::ReviewedOptions> fitted_;
    bool saidCut_ = false;
    // A pair's: the data pattern, the carrier's options at its target, and the options
    // fitted by the symbology, add-on length and the carrier's size at its target.
    std::optional<Gs1DataPattern> gs1_;
    render::ReviewedOptions carrierReviewed_;
    std::map<std::tuple<int, std::size_t, double, double>, sheets::FittedPair> pairs_;
    std::string saidPairReport_;
    bool saidCarrierNote_ = false;
};

}  // namespace varnholt::cli
