#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/render/FileNamePattern.h"
#include "model/Result.h"
#include "render/Layout.h"

namespace varnholt::cli {

// The GS1 data of each record of a batch, from --gs1: an element string in brackets whose
// placeholders are those of file names and {gtin}, the record's GTIN of 14 digits, e.g.
// "(01){gtin}(17){column:expiry}(10){column:lot}". A field is data, never an AI: a "(" in it
// is escaped, as the bracketed form escapes one within data.
class Gs1DataPattern {
  public:
    explicit Gs1DataPattern(std::string_view pattern) : pattern_(pattern, true) {}

    // What is wrong with the pattern; empty when nothing is.
    const std::string& Error() const noexcept { return pattern_.Error(); }
    bool UsesColumns() const noexcept { return pattern_.UsesColumns(); }
    Result<Done> FindColumns(const ColumnNames* header) { return pattern_.FindColumns(header); }

    // The bracketed element string of one record.
    std::string Expand(const PatternValues& values);

  private:
    FileNamePattern pattern_;
    // The record's fields with their brackets escaped, and views of them; kept for the next
    // record's sake.
    std::vector<std::string> escaped_;
    std::vector<std::string_view> views_;
};

// A record's {gtin}: the GTIN of 14 digits its EAN/UPC symbol `linear` carries (a UPC-E's
// GTIN-12 in 14 digits).
std::string GtinOf(const render::Layout& linear);

}  // namespace varnholt::cli
