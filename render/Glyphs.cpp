#include "render/Glyphs.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <memory>
#include <string_view>

namespace varnholt::render {
namespace {

constexpr const char* kFamily = "OCR B";
// Outlines are read at this size, then scaled to a digit height of 1.
constexpr double kReadingSize = 1000.0;

// A named deleter rather than a lambda: each lambda is a type of its own, which clang may
// make afresh for every use of the alias.
template <class T, void (*Free)(T*)>
struct Freer {
    void operator()(T* p) const { Free(p); }
};
template <class T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Freer<T, Free>>;

// The font fontconfig gives for OCR-B, or the one it falls back to, with its family name.
std::pair<Owned<FcPattern, FcPatternDestroy>, std::string> MatchFont() {
    Owned<FcPattern, FcPatternDestroy> pattern(
        FcNameParse(reinterpret_cast<const FcChar8*>(kFamily)));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Owned<FcPattern, FcPatternDestroy> match(FcFontMatch(nullptr, pattern.get(), &result));
    std::string family;
    FcChar8* name = nullptr;
    if (match && FcPatternGetString(match.get(), FC_FAMILY, 0, &name) == FcResultMatch) {
        family = reinterpret_cast<const char*>(name);
    }
    return {std::move(match), family};
}

Path CopyPath(cairo_t* cr) {
    Owned<cairo_path_t, cairo_path_destroy> copied(cairo_copy_path(cr));
    Path path;
    for (int i = 0; i < copied->num_data; i += copied->data[i].header.length) {
        const cairo_path_data_t* data = &copied->data[i];
        PathSegment segment;
        int points = 0;
        switch (data->header.type) {
            case CAIRO_PATH_MOVE_TO:
                segment.kind = PathSegment::Kind::Move;
                points = 1;
                break;
            case CAIRO_PATH_LINE_TO:
                segment.kind = PathSegment::Kind::Line;
                points = 1;
                break;
            case CAIRO_PATH_CURVE_TO:
                segment.kind = PathSegment::Kind::Curve;
                points = 3;
                break;
            case CAIRO_PATH_CLOSE_PATH:
                segment.kind = PathSegment::Kind::Close;
                break;
        }
        for (int p = 0; p < points; ++p) {
            segment.points[static_cast<std::size_t>(2 * p)] = data[p + 1].point.x;
            segment.points[static_cast<std::size_t>(2 * p + 1)] = data[p + 1].point.y;
        }
        path.push_back(segment);
    }
    return path;
}

Glyphs ReadGlyphs() {
    Glyphs glyphs;
    auto [match, family] = MatchFont();
    glyphs.family = family.empty() ? "the default font" : family;
    glyphs.ocrB = family == kFamily;

    Owned<cairo_surface_t, cairo_surface_destroy> surface(
        cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr));
    Owned<cairo_t, cairo_destroy> cr(cairo_create(surface.get()));
    if (match) {
        Owned<cairo_font_face_t, cairo_font_face_destroy> face(
            cairo_ft_font_face_create_for_pattern(match.get()));
        cairo_set_font_face(cr.get(), face.get());
    } else {
        cairo_select_font_face(cr.get(), "monospace", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
    }
    cairo_set_font_size(cr.get(), kReadingSize);

    // The digits' ink sets the unit: their height is 1, their top is y = 0.
    cairo_text_extents_t digits;
    cairo_text_extents(cr.get(), "0123456789", &digits);
    const double scale = digits.height > 0.0 ? 1.0 / digits.height : 1.0 / kReadingSize;
    const double top = digits.y_bearing;

    for (std::size_t i = 0; i < glyphs.glyphs.size(); ++i) {
        const char text[2] = {static_cast<char>(Glyphs::kFirst + static_cast<int>(i)), '\0'};
        cairo_new_path(cr.get());
        cairo_move_to(cr.get(), 0.0, 0.0);
        cairo_text_path(cr.get(), text);
        cairo_text_extents_t extents;
        cairo_text_extents(cr.get(), text, &extents);
        Glyphs::Glyph& glyph = glyphs.glyphs[i];
        AppendPlaced(glyph.outline, CopyPath(cr.get()), scale, 0.0, -top * scale);
        glyph.advance = extents.x_advance * scale;
    }
    return glyphs;
}

}  // namespace

const Glyphs::Glyph& Glyphs::Of(char c) const noexcept {
    const char shown = c >= kFirst && c <= kLast ? c : '0';
    return glyphs[static_cast<std::size_t>(shown - kFirst)];
}

const Glyphs& SymbolGlyphs() {
    static const Glyphs glyphs = ReadGlyphs();
    return glyphs;
}

}  // namespace varnholt::render
