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

    // Reads a catalogue's header; refused as CatalogueReader::Start refuses.
    Result<Done> Start() { return catalogue_ ? catalogue_->Start() : Result<Done>(Done{}); }

    // A catalogue's header; null without one.
    const ColumnNames* Header() const noexcept {
        return catalogue_ ? catalogue_->Header() : nullptr;
    }

    // The next record; false at the end, or when reading failed.
    bool Next(CatalogueRecord& record) {
        return catalogue_ ? catalogue_->Next(record) : lines_->Next(record.line);
    }

    // Done, or why reading stopped early.
    const Result<Done>& Status() const noexcept {
        return catalogue_ ? catalogue_->Status() : lines_->Status();
    }

    std::uint64_t BytesRead() const noexcept {
        return catalogue_ ? catalogue_->BytesRead() : lines_->BytesRead();
    }

  private:
    std::optional<LineReader> lines_;
    std::optional<CatalogueReader> catalogue_;
};

}  // namespace varnholt::catalogue
