#include "cli/check/RowWriter.h"

namespace varnholt::cli {

char* PutCsvQuoted(std::string_view text, char* to) noexcept {
    *to++ = '"';
    for (const char c : text) {
        if (c == '"') {
            *to++ = '"';
        }
        *to++ = c;
    }
    *to++ = '"';
    return to;
}

std::unique_ptr<RowWriter> MakeRowWriter(RowFormat format, OutputBuffer& out,
                                         std::span<const std::string> safeFileNames) {
    switch (format) {
        case RowFormat::Csv:
            return MakeDelimitedWriter(out, ',');
        case RowFormat::Tsv:
            return MakeDelimitedWriter(out, '\t');
        case RowFormat::JsonLines:
            return MakeJsonLinesWriter(out);
        case RowFormat::Table:
            break;
    }
    return MakeTableWriter(out, safeFileNames);
}

}  // namespace varnholt::cli
