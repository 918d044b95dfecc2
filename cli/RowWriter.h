#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/NumberFacts.h"
#include "cli/OutputBuffer.h"

namespace varnholt::cli {

// How the rows of `check` are written.
enum class Format : std::uint8_t { Table, Csv, Tsv, JsonLines };

struct FormatName {
    std::string_view name;
    Format format;
};

// The names --format takes.
inline constexpr std::array<FormatName, 4> kFormatNames{{
    {"table", Format::Table},
    {"csv", Format::Csv},
    {"tsv", Format::Tsv},
    {"jsonl", Format::JsonLines},
}};

std::optional<Format> FormatNamed(std::string_view name) noexcept;

// The columns of csv, tsv and jsonl output, in order; jsonl uses them as keys.
inline constexpr std::array<std::string_view, 10> kColumns{
    "file",
    "line",
    "number",
    "valid",
    "country",
    "number_system",
    "manufacturer_code",
    "product_code",
    "expected_check_digit",
    "error",
};

// Writes one row per examined line in one of the formats.
class RowWriter {
  public:
    virtual ~RowWriter() = default;
    // The rows that follow come from this input (its name made safe, see DisplayText).
    virtual void StartFile(std::string_view safeName) = 0;
    // One row; never called for a blank line.
    virtual void Row(std::uint64_t line, const NumberFacts& facts) = 0;
};

// A writer of `format` into `out`; the header row, where the format has one, is written at
// once. The table shows a file column when there is more than one input, as wide as their
// longest safe name.
std::unique_ptr<RowWriter> MakeRowWriter(Format format, OutputBuffer& out,
                                         std::span<const std::string> safeFileNames);

std::unique_ptr<RowWriter> MakeDelimitedWriter(OutputBuffer& out, char delimiter);
std::unique_ptr<RowWriter> MakeJsonLinesWriter(OutputBuffer& out);
std::unique_ptr<RowWriter> MakeTableWriter(OutputBuffer& out,
                                           std::span<const std::string> safeFileNames);

}  // namespace varnholt::cli
