// PDF and EPS through Cairo's vector surfaces, which write to a stream we collect.

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>

#include "render/Drawing.h"
#include "render/FileFormat.h"
#include "render/PrintSize.h"

namespace varnholt::render {
namespace {

constexpr double kPointsPerMm = 72.0 / kMmPerInch;

cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

using SurfaceMaker = cairo_surface_t* (*)(cairo_write_func_t, void*, double, double);

// Draws the layout on a page of exactly its size, one unit a millimetre.
Result<std::string> DrawOnPage(const Layout& layout, SurfaceMaker make,
                               void (*prepare)(cairo_surface_t*, const Layout&)) {
    std::string bytes;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        make(Collect, &bytes, layout.widthMm * kPointsPerMm, layout.heightMm * kPointsPerMm),
        cairo_surface_destroy);
    prepare(surface.get(), layout);
    {
        std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                              cairo_destroy);
        cairo_scale(cr.get(), kPointsPerMm, kPointsPerMm);
        Draw(cr.get(), layout);
        cairo_show_page(cr.get());
    }
    cairo_surface_finish(surface.get());
    if (const cairo_status_t status = cairo_surface_status(surface.get());
        status != CAIRO_STATUS_SUCCESS) {
        return Result<std::string>::Failure(
            ErrorKind::Output, std::string("drawing failed: ") + cairo_status_to_string(status));
    }
    return bytes;
}

}  // namespace

Result<std::string> EncodePdf(const Layout& layout) {
    return DrawOnPage(
        layout, cairo_pdf_surface_create_for_stream, [](cairo_surface_t* surface, const Layout& l) {
            cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, l.number.c_str());
            cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Varnholt");
        });
}

Result<std::string> EncodeEps(const Layout& layout) {
    Result<std::string> eps = DrawOnPage(layout, cairo_ps_surface_create_for_stream,
                                         [](cairo_surface_t* surface, const Layout& l) {
                                             cairo_ps_surface_set_eps(surface, 1);
                                             const std::string title = "%%Title: " + l.number;
                                             cairo_ps_surface_dsc_comment(surface, title.c_str());
                                         });
    if (!eps) {
        return eps;
    }
    // Cairo bounds an EPS by its ink, which leaves out a transparent background's quiet
    // zones: the bounding box is the whole symbol.
    std::string bytes = *std::move(eps);
    const double width = layout.widthMm * kPointsPerMm;
    const double height = layout.heightMm * kPointsPerMm;
    char whole[64];
    std::snprintf(whole, sizeof whole, "0 0 %d %d", static_cast<int>(std::ceil(width - 1e-6)),
                  static_cast<int>(std::ceil(height - 1e-6)));
    char exact[96];
    std::snprintf(exact, sizeof exact, "\n%%%%HiResBoundingBox: 0 0 %.4f %.4f", width, height);
    for (const std::string_view comment : {"%%BoundingBox: ", "%%PageBoundingBox: "}) {
        const std::size_t start = bytes.find(comment);
        if (start == std::string::npos) {
            return Result<std::string>::Failure(ErrorKind::Output, "the EPS has no bounding box");
        }
        const std::size_t from = start + comment.size();
        const std::size_t end = bytes.find('\n', from);
        const bool main = comment == "%%BoundingBox: ";
        bytes.replace(from, end - from, std::string(whole) + (main ? exact : ""));
    }
    return bytes;
}

}  // namespace varnholt::render
