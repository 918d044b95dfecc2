#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/AtomicFile.h"
#include "model/Result.h"
#include "render/GlyphStamps.h"
#include "render/Layout.h"
#include "sheets/SheetGeometry.h"

// Cairo's own declarations, so that users of the document need not see Cairo's headers.
typedef struct _cairo cairo_t;                  // NOLINT(modernize-use-using)
typedef struct _cairo_surface cairo_surface_t;  // NOLINT(modernize-use-using)

namespace varnholt::sheets {

// The line of text a label may carry under its symbol: the room it takes below the symbol,
// the size it is set in, and the smallest it is shrunk to before it is cut.
inline constexpr double kLabelTextGapMm = 0.8;
inline constexpr double kLabelTextSizeMm = 3.0;   // about 8.5 pt
inline constexpr double kLabelTextFloorMm = 2.0;  // about 5.7 pt
// The height a line of text adds to a label's contents.
inline constexpr double kLabelTextRoomMm = kLabelTextGapMm + 1.25 * kLabelTextSizeMm;

// How the labels of a document are laid out.
struct SheetSettings {
    SheetGeometry geometry;  // the page, and where its labels lie
    int skip = 0;            // labels of the first page left blank, as on a part-used sheet
    bool outline = false;    // draw every label's outline, to test a printer's alignment
    double dpi = 0.0;        // with a resolution, symbols start on whole dots of the page
};

// A PDF of label sheets written as it fills: each page goes to the file once its last label
// is placed, so memory stays the same for any number of labels. The file takes its name only
// once Finish succeeds; a document dropped before that leaves nothing behind.
class SheetDocument {
  public:
    // Opens the document for `path`; refused, of kind Output, when the file cannot be made.
    static Result<std::unique_ptr<SheetDocument>> Open(const std::string& path,
                                                       SheetSettings settings);
    SheetDocument(const SheetDocument&) = delete;
    SheetDocument& operator=(const SheetDocument&) = delete;
    ~SheetDocument();

    // Draws `layout` on the next label, with its quiet zones centred in the label, and
    // `text` (none when empty) centred in a line under it, shrunk to fit the label's
    // printable width down to kLabelTextFloorMm and cut with an ellipsis below that. Whether
    // the text was cut; refused, of kind Output, when drawing failed.
    Result<bool> Place(const render::Layout& layout, std::string_view text) {
        const render::Layout* symbols[] = {&layout};
        return Place(symbols, text);
    }

    // The same for symbols side by side on one label, left to right: the label's printable
    // width less theirs shared out evenly before, between and after them, each centred
    // down beside the tallest.
    Result<bool> Place(std::span<const render::Layout* const> symbols, std::string_view text);

    // Labels placed and pages begun so far.
    std::uint64_t Labels() const noexcept { return labels_; }
    std::uint64_t Pages() const noexcept { return pages_; }

    // Ends the last page and puts the file in place; refused, of kind Output, naming the file.
    Result<Done> Finish();

  private:
    SheetDocument(files::AtomicFile stream, SheetSettings settings);
    void BeginPage();
    // The text that fits `widthMm`, and the size to set it in; cut marks an ellipsis.
    std::string FitText(std::string_view text, double widthMm, double& sizeMm, bool& cut);

    files::AtomicFile stream_;
    SheetSettings settings_;
    std::vector<LabelPlace> places_;
    std::size_t next_ = 0;  // the place of the next label on the page
    bool pageOpen_ = false;
    std::uint64_t labels_ = 0;
    std::uint64_t pages_ = 0;
    render::GlyphStamps stamps_;  // each character drawn once for the whole document
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

}  // namespace varnholt::sheets
