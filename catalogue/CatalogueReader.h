#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/CatalogueOptions.h"
#include "catalogue/ColumnNames.h"
#include "catalogue/DelimitedReader.h"
#include "catalogue/LineReader.h"
#include "model/Result.h"

namespace varnholt::catalogue {

// One record of a catalogue as the commands take it.
struct CatalogueRecord {
    // The number's field as a line that checking and drawing read: numbered by the record's
    // first line, too long when the field or the whole record is, and readable as far as a
    // LineReader's line is.
    Line line;
    // Every field of the record; none for a record too long to keep.
    std::span<const std::string_view> fields;
    // What breaks RFC 4180 in the record, in words; empty when nothing does.
    std::string_view fault;
};

// The records of a catalogue with the column of the numbers found in its header, or taken by
// number; reads as DelimitedReader does, with memory that stays the same for any size.
class CatalogueReader {
  public:
    // `options` must give a column and outlive the reader.
    CatalogueReader(ByteSource& source, const CatalogueOptions& options);

    // Reads the header row, when there is one, and finds the column; refused when the
    // catalogue cannot be read as asked: of kind Usage when the header names no such column,
    // Input when the header row is too long, Output when reading fails.
    Result<Done> Start();

    // The header's names; null without a header row (or before Start, or for an empty input).
    const ColumnNames* Header() const noexcept { return header_ ? &*header_ : nullptr; }

    // The next record after the header; false at the end, or when reading failed.
    bool Next(CatalogueRecord& record);

    // Done, or why reading stopped early.
    const Result<Done>& Status() const noexcept { return reader_.Status(); }

    std::uint64_t BytesRead() const noexcept { return reader_.BytesRead(); }

  private:
    DelimitedReader reader_;
    const CatalogueOptions& options_;
    std::optional<ColumnNames> header_;
    std::size_t column_ = 0;
    Record record_;
};

}  // namespace varnholt::catalogue
