#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/check/Columns.h"
#include "cli/check/OutputBuffer.h"
#include "cli/check/RowWriter.h"
#include "model/DisplayText.h"

namespace varnholt::cli {

// check --keep-columns: a catalogue annotated, each record's own fields first and the facts
// of its number after them, in csv, tsv or jsonl. csv keeps the fields byte for byte, quoted
// where RFC 4180 needs it; tsv and jsonl, which cannot hold every byte, take them made safe.
class AnnotatedWriter {
  public:
    // `format` is not the table.
    AnnotatedWriter(RowFormat format, OutputBuffer& out);

    // Takes the catalogue's column names and writes the header row (csv, tsv). A fact's
    // column that the catalogue names already gets a suffix ("country_2"); says which, or
    // nothing when none does.
    std::string Start(std::span<const std::string> names);
    bool Started() const noexcept { return started_; }

    // One record: as many fields as the header names, those a record lacks empty; false when
    // it holds more, which are left out.
    bool Write(std::span<const std::string_view> fields, const Row& row);

  private:
    void Put(std::string_view text, bool safe);
    void PutJsonString(std::string_view text);

    const RowFormat format_;
    OutputBuffer& out_;
    bool started_ = false;
    std::vector<std::string> names_;
    std::array<std::string, kColumns.size()> factNames_;
    DisplayText display_;
    std::string quoted_;  // a csv field in quotes, before it is appended
};

}  // namespace varnholt::cli
