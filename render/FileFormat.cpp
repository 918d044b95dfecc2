#include "render/FileFormat.h"

#include <algorithm>
#include <array>

#include "model/Ascii.h"

namespace varnholt::render {
namespace {

const FileFormatName& Entry(FileFormat format) {
    return *std::ranges::find(kFileFormats, format, &FileFormatName::format);
}

}  // namespace

std::optional<FileFormat> FormatNamed(std::string_view name) {
    if (name.starts_with('.')) {
        name.remove_prefix(1);
    }
    for (const FileFormatName& entry : kFileFormats) {
        if (EqualsIgnoringCase(name, entry.name)) {
            return entry.format;
        }
    }
    return std::nullopt;
}

std::optional<FileFormat> FormatOfFile(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return std::nullopt;
    }
    return FormatNamed(fileName.substr(dot + 1));
}

std::string ExtensionsInWords(std::string_view before, std::string_view between,
                              std::string_view last) {
    std::string words;
    for (std::size_t i = 0; i < kFileFormats.size(); ++i) {
        words.append(i == 0 ? "" : i + 1 == kFileFormats.size() ? last : between);
        words.append(before).append(kFileFormats[i].name);
    }
    return words;
}

std::string_view NameOf(FileFormat format) {
    return Entry(format).name;
}

std::string_view MediaTypeOf(FileFormat format) {
    return Entry(format).mediaType;
}

Options ForFormat(Options options, FileFormat format) {
    if (format == FileFormat::Png && !options.dpi) {
        options.dpi = Options::kDefaultDpi;
    }
    return options;
}

Result<std::string> Encode(const Layout& layout, FileFormat format) {
    switch (format) {
        case FileFormat::Svg:
            return EncodeSvg(layout);
        case FileFormat::Pdf:
            return EncodePdf(layout);
        case FileFormat::Eps:
            return EncodeEps(layout);
        case FileFormat::Png:
            return EncodePng(layout);
    }
    return Result<std::string>::Failure(ErrorKind::Usage, "unknown format");
}

}  // namespace varnholt::render
