#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/Result.h"
#include "render/Layout.h"

namespace varnholt::render {

// The file formats a symbol is written in.
enum class FileFormat { Svg, Pdf, Eps, Png };

// Each format with its name and media type.
struct FileFormatName {
    FileFormat format;
    std::string_view name;
    std::string_view mediaType;
};
inline constexpr std::array<FileFormatName, 4> kFileFormats{{
    {FileFormat::Svg, "svg", "image/svg+xml"},
    {FileFormat::Pdf, "pdf", "application/pdf"},
    {FileFormat::Eps, "eps", "application/postscript"},
    {FileFormat::Png, "png", "image/png"},
}};

// The format a name stands for: "svg", "pdf", "eps" or "png", in any letter case, with or
// without a leading dot. Nothing for any other.
std::optional<FileFormat> FormatNamed(std::string_view name);
// The format of a file name, from its extension; nothing when it has none we write.
std::optional<FileFormat> FormatOfFile(std::string_view fileName);
// The format's name, "svg", "pdf", "eps" or "png".
std::string_view NameOf(FileFormat format);
// The media type, e.g. "image/svg+xml".
std::string_view MediaTypeOf(FileFormat format);
// Every format's extension, each after `before`, joined by `between` and the last by `last`:
// (".", ", ", " or ") gives ".svg, .pdf, .eps or .png", ("*.", " ", " ") "*.svg *.pdf ...".
std::string ExtensionsInWords(std::string_view before, std::string_view between,
                              std::string_view last);

// `options` as a format needs them: raster output is made at a resolution, kDefaultDpi when
// none is given.
Options ForFormat(Options options, FileFormat format);

// The bytes of a file holding the symbol, at its true size:
// - SVG: vector, sized in millimetres, titled with the number, digits as outlines;
// - PDF and EPS: vector, the page or bounding box exactly the symbol with its quiet zones;
// - PNG: a pixel a dot, one bit a pixel (grey for black on white, a two-colour palette
//   otherwise, the background's entry transparent when asked), the resolution stored in its
//   pHYs chunk. Needs a layout made at a resolution.
Result<std::string> Encode(const Layout& layout, FileFormat format);

Result<std::string> EncodeSvg(const Layout& layout);
Result<std::string> EncodePdf(const Layout& layout);
Result<std::string> EncodeEps(const Layout& layout);
Result<std::string> EncodePng(const Layout& layout);

}  // namespace varnholt::render
