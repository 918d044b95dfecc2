#include "cli/RowWriter.h"

#include <algorithm>

namespace varnholt::cli {

std::optional<Format> FormatNamed(std::string_view name) noexcept {
    const auto* entry =
        std::ranges::find_if(kFormatNames, [name](const FormatName& n) { return n.name == name; });
    if (entry == kFormatNames.end()) {
        return std::nullopt;
    }
    return entry->format;
}

std::unique_ptr<RowWriter> MakeRowWriter(Format format, OutputBuffer& out,
                                         std::span<const std::string> safeFileNames) {
    switch (format) {
        case Format::Csv:
            return MakeDelimitedWriter(out, ',');
        case Format::Tsv:
            return MakeDelimitedWriter(out, '\t');
        case Format::JsonLines:
            return MakeJsonLinesWriter(out);
        case Format::Table:
            break;
    }
    return MakeTableWriter(out, safeFileNames);
}

}  // namespace varnholt::cli
