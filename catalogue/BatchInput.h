#pragma once

#include <optional>
#include <string>

#include "catalogue/CatalogueReader.h"
#include "catalogue/LineReader.h"

namespace varnholt::catalogue {

// The records of a batch: a number a line, or a catalogue's rows with their fields when
// --column is given. Each comes as a CatalogueRecord; a line of numbers has no fields.
class BatchInput {
  public:
    // `catalogue` must outlive the input.
    BatchInput(ByteSource& source, const CatalogueOptions& catalogue);

    // Reads a catalogue's header; refused as CatalogueReader::Start refuses. Throws ReadError.
    Result<Done> Start() { return catalogue_ ? catalogue_->Start() : Result<Done>(Done{}); }

    // A catalogue's header; null without one.
    const ColumnNames* Header() const noexcept {
        return catalogue_ ? catalogue_->Header() : nullptr;
    }

    // The next record; false at the end. Throws ReadError.
    bool Next(CatalogueRecord& record) {
        return catalogue_ ? catalogue_->Next(record) : lines_->Next(record.line);
    }

    std::uint64_t BytesRead() const noexcept {
        return catalogue_ ? catalogue_->BytesRead() : lines_->BytesRead();
    }

  private:
    std::optional<LineReader> lines_;
    std::optional<CatalogueReader> catalogue_;
};

}  // namespace varnholt::catalogue
