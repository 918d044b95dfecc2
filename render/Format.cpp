#include "render/Format.h"

#include <algorithm>
#include <array>

namespace varnholt::render {
namespace {

struct FormatName {
    Format format;
    std::string_view name;
    std::string_view mediaType;
};

constexpr std::array<FormatName, 4> kFormats{{
    {Format::Svg, "svg", "image/svg+xml"},
    {Format::Pdf, "pdf", "application/pdf"},
    {Format::Eps, "eps", "application/postscript"},
    {Format::Png, "png", "image/png"},
}};

bool EqualsFolded(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        return lower(x) == lower(y);
    });
}

const FormatName& Entry(Format format) {
    return *std::ranges::find(kFormats, format, &FormatName::format);
}

}  // namespace

std::optional<Format> FormatNamed(std::string_view name) {
    if (name.starts_with('.')) {
        name.remove_prefix(1);
    }
    for (const FormatName& entry : kFormats) {
        if (EqualsFolded(name, entry.name)) {
            return entry.format;
        }
    }
    return std::nullopt;
}

std::optional<Format> FormatOfFile(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return std::nullopt;
    }
    return FormatNamed(fileName.substr(dot + 1));
}

std::string_view NameOf(Format format) {
    return Entry(format).name;
}

std::string_view MediaTypeOf(Format format) {
    return Entry(format).mediaType;
}

Options ForFormat(Options options, Format format) {
    if (format == Format::Png && !options.dpi) {
        options.dpi = Options::kDefaultDpi;
    }
    return options;
}

Result<std::string> Encode(const Layout& layout, Format format) {
    switch (format) {
        case Format::Svg:
            return EncodeSvg(layout);
        case Format::Pdf:
            return EncodePdf(layout);
        case Format::Eps:
            return EncodeEps(layout);
        case Format::Png:
            return EncodePng(layout);
    }
    return Result<std::string>::Failure("unknown format");
}

}  // namespace varnholt::render
