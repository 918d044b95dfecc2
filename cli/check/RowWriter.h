#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "cli/check/Columns.h"
#include "cli/check/OutputBuffer.h"

namespace varnholt::cli {

// How the rows of `check` are written.
enum class RowFormat : std::uint8_t { Table, Csv, Tsv, JsonLines };

// The names --format takes.
inline constexpr std::array<std::pair<std::string_view, RowFormat>, 4> kRowFormats{{
    {"table", RowFormat::Table},
    {"csv", RowFormat::Csv},
    {"tsv", RowFormat::Tsv},
    {"jsonl", RowFormat::JsonLines},
}};

// Writes one row per checked line in one of the formats, a field a column of kColumns.
class RowWriter {
  public:
    virtual ~RowWriter() = default;
    // One row; never called for a blank line.
    virtual void Write(const Row& row) = 0;
};

// A writer of `format` into `out`; the header row, where the format has one, is written at
// once. The table shows a file column when there is more than one input, as wide as their
// longest safe name.
std::unique_ptr<RowWriter> MakeRowWriter(RowFormat format, OutputBuffer& out,
                                         std::span<const std::string> safeFileNames);

// A JSON string of a safe text, which holds no control character: only quotes and
// backslashes are escaped.
void AppendJsonString(OutputBuffer& out, std::string_view safeText);

// `text` as a quoted csv field (RFC 4180: in quotes, a quote inside doubled), written at `to`,
// which has room for twice the text and two; the position after it.
char* PutCsvQuoted(std::string_view text, char* to) noexcept;

std::unique_ptr<RowWriter> MakeDelimitedWriter(OutputBuffer& out, char delimiter);
std::unique_ptr<RowWriter> MakeJsonLinesWriter(OutputBuffer& out);
std::unique_ptr<RowWriter> MakeTableWriter(OutputBuffer& out,
                                           std::span<const std::string> safeFileNames);

}  // namespace varnholt::cli
