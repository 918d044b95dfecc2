#include "sheets/SheetDocument.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "render/Drawing.h"
#include "render/PrintSize.h"

namespace varnholt::sheets {
namespace {

constexpr double kPointsPerMm = 72.0 / render::kMmPerInch;
constexpr double kOutlineWidthMm = 0.1;
constexpr std::string_view kEllipsis = "\u2026";
constexpr const char* kTextFont = "sans-serif";

cairo_status_t WriteOut(void* closure, const unsigned char* data, unsigned int length) {
    auto* stream = static_cast<files::AtomicFile*>(closure);
    return stream->Write({reinterpret_cast<const char*>(data), length}) ? CAIRO_STATUS_SUCCESS
                                                                        : CAIRO_STATUS_WRITE_ERROR;
}

// `mm` moved onto the nearest whole dot of the page, at a resolution.
double OnDot(double mm, double dpi) {
    if (dpi <= 0.0) {
        return mm;
    }
    const double dot = render::kMmPerInch / dpi;
    return std::round(mm / dot) * dot;
}

double TextWidth(cairo_t* cr, const std::string& text, double sizeMm) {
    cairo_set_font_size(cr, sizeMm);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

void Outline(cairo_t* cr, const SheetGeometry& geometry, LabelPlace place) {
    const double w = geometry.labelWidthMm;
    const double h = geometry.labelHeightMm;
    const double r = std::min({geometry.cornerRadiusMm, w / 2, h / 2});
    const double x = place.xMm;
    const double y = place.yMm;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

}  // namespace

Result<std::unique_ptr<SheetDocument>> SheetDocument::Open(const std::string& path,
                                                           SheetSettings settings) {
    Result<files::AtomicFile> stream = files::AtomicFile::Open(path);
    if (!stream) {
        return Result<std::unique_ptr<SheetDocument>>::FailureOf(stream);
    }
    std::unique_ptr<SheetDocument> document(
        new SheetDocument(*std::move(stream), std::move(settings)));
    if (const cairo_status_t status = cairo_status(document->cr_); status != CAIRO_STATUS_SUCCESS) {
        return Result<std::unique_ptr<SheetDocument>>::Failure(
            ErrorKind::Output, path + ": " + cairo_status_to_string(status));
    }
    return document;
}

SheetDocument::SheetDocument(files::AtomicFile stream, SheetSettings settings)
    : stream_(std::move(stream)),
      settings_(std::move(settings)),
      places_(settings_.geometry.Places()),
      next_(static_cast<std::size_t>(settings_.skip)) {
    const SheetGeometry& g = settings_.geometry;
    surface_ = cairo_pdf_surface_create_for_stream(WriteOut, &stream_, g.pageWidthMm * kPointsPerMm,
                                                   g.pageHeightMm * kPointsPerMm);
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "Varnholt");
    cr_ = cairo_create(surface_);
    cairo_scale(cr_, kPointsPerMm, kPointsPerMm);
    cairo_select_font_face(cr_, kTextFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
}

SheetDocument::~SheetDocument() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);  // an unfinished document is written to the stream
}  // that then takes it away

void SheetDocument::BeginPage() {
    pageOpen_ = true;
    ++pages_;
    if (!settings_.outline) {
        return;
    }
    cairo_save(cr_);
    for (const LabelPlace& place : places_) {
        Outline(cr_, settings_.geometry, place);
    }
    cairo_set_source_rgb(cr_, 0.5, 0.5, 0.5);
    cairo_set_line_width(cr_, kOutlineWidthMm);
    cairo_stroke(cr_);
    cairo_restore(cr_);
}

std::string SheetDocument::FitText(std::string_view text, double widthMm, double& sizeMm,
                                   bool& cut) {
    std::string fitted(text);
    cut = false;
    sizeMm = kLabelTextSizeMm;
    const double natural = TextWidth(cr_, fitted, sizeMm);
    if (natural <= widthMm) {
        return fitted;
    }
    sizeMm = std::max(kLabelTextFloorMm, kLabelTextSizeMm * widthMm / natural);
    if (TextWidth(cr_, fitted, sizeMm) <= widthMm) {
        return fitted;
    }
    // Characters off the end, never half of one, until what is left and an ellipsis fit.
    cut = true;
    while (!fitted.empty()) {
        std::size_t last = fitted.size() - 1;
        while (last > 0 && (static_cast<unsigned char>(fitted[last]) & 0xC0) == 0x80) {
            --last;  // a continuation byte: the character starts further back
        }
        fitted.erase(last);
        if (TextWidth(cr_, fitted + std::string(kEllipsis), sizeMm) <= widthMm) {
            break;
        }
    }
    return fitted + std::string(kEllipsis);
}

Result<bool> SheetDocument::Place(std::span<const render::Layout* const> symbols,
                                  std::string_view text) {
    if (next_ >= places_.size()) {
        cairo_show_page(cr_);
        pageOpen_ = false;
        next_ = 0;
    }
    if (!pageOpen_) {
        BeginPage();
    }
    const SheetGeometry& g = settings_.geometry;
    const LabelPlace place = places_[next_++];
    double widths = 0.0;
    double tallest = 0.0;
    for (const render::Layout* layout : symbols) {
        widths += layout->widthMm;
        tallest = std::max(tallest, layout->heightMm);
    }
    // One symbol alone is centred; two share the room left evenly.
    const double share =
        (g.labelWidthMm - 2 * g.markupMarginMm - widths) / static_cast<double>(symbols.size() + 1);
    const double blockHeight = tallest + (text.empty() ? 0.0 : kLabelTextRoomMm);
    const double top = place.yMm + (g.labelHeightMm - blockHeight) / 2;
    double left = place.xMm + g.markupMarginMm + share;
    for (const render::Layout* layout : symbols) {
        const double x = OnDot(left, settings_.dpi);
        const double y = OnDot(top + (tallest - layout->heightMm) / 2, settings_.dpi);
        cairo_save(cr_);
        cairo_translate(cr_, x, y);
        render::DrawStamped(cr_, *layout, stamps_);
        cairo_restore(cr_);
        left += layout->widthMm + share;
    }
    const render::Layout& layout = *symbols.front();
    const double y = OnDot(top, settings_.dpi);

    bool cut = false;
    if (!text.empty()) {
        double size = kLabelTextSizeMm;
        const std::string line = FitText(text, g.labelWidthMm - 2 * g.markupMarginMm, size, cut);
        cairo_save(cr_);
        cairo_set_font_size(cr_, size);
        cairo_font_extents_t font;
        cairo_font_extents(cr_, &font);
        const double width = TextWidth(cr_, line, size);
        cairo_set_source_rgb(cr_, layout.foreground.red / 255.0, layout.foreground.green / 255.0,
                             layout.foreground.blue / 255.0);
        cairo_move_to(cr_, place.xMm + (g.labelWidthMm - width) / 2,
                      y + tallest + kLabelTextGapMm + font.ascent);
        cairo_show_text(cr_, line.c_str());
        cairo_restore(cr_);
    }
    ++labels_;
    if (const cairo_status_t status = cairo_status(cr_); status != CAIRO_STATUS_SUCCESS) {
        return Result<bool>::Failure(
            ErrorKind::Output, std::string("drawing failed: ") + cairo_status_to_string(status));
    }
    return cut;
}

Result<Done> SheetDocument::Finish() {
    if (pageOpen_) {
        cairo_show_page(cr_);
        pageOpen_ = false;
    }
    cairo_surface_finish(surface_);
    if (const cairo_status_t status = cairo_surface_status(surface_);
        status != CAIRO_STATUS_SUCCESS) {
        // A write that failed is the stream's to name, and Commit then takes the file away;
        // otherwise the file is left for the destructor to take away.
        if (status == CAIRO_STATUS_WRITE_ERROR) {
            return stream_.Commit();
        }
        return Result<Done>::Failure(
            ErrorKind::Output, std::string("drawing failed: ") + cairo_status_to_string(status));
    }
    return stream_.Commit();
}

}  // namespace varnholt::sheets
