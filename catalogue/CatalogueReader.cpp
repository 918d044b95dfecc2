#include "catalogue/CatalogueReader.h"

#include <algorithm>

#include "model/DisplayText.h"

namespace varnholt::catalogue {
namespace {

// A header's names as a message shows them, cut short for a wide catalogue.
std::string Listed(const ColumnNames& names) {
    constexpr std::size_t kShown = 12;
    std::string listed;
    for (std::size_t i = 0; i < std::min(names.Count(), kShown); ++i) {
        listed += (i == 0 ? "" : ", ") + SafeText(names.Names()[i]);
    }
    return names.Count() > kShown ? listed + ", ..." : listed;
}

std::string_view Describe(RecordFault fault) {
    switch (fault) {
        case RecordFault::QuoteInUnquotedField:
            return "a quote inside a field that does not start with one, kept as it stands";
        case RecordFault::TextAfterClosingQuote:
            return "text after a field's closing quote, kept after the quoted text";
        case RecordFault::UnterminatedQuote:
            return "a quote that is never closed: the rest of the input is one field";
        case RecordFault::None:
        case RecordFault::TooLong:
            break;
    }
    return {};
}

}  // namespace

CatalogueReader::CatalogueReader(ByteSource& source, const CatalogueOptions& options)
    : reader_(source, options.delimiter), options_(options) {}

Result<Done> CatalogueReader::Start() {
    if (!options_.HasHeader()) {
        column_ = *ColumnNames::IndexOfNumber(options_.column);
        return Done{};
    }
    if (!reader_.Next(record_)) {
        // An empty catalogue has nothing to find the column in, nor to read.
        return reader_.Status();
    }
    if (record_.fault == RecordFault::TooLong) {
        return Result<Done>::Failure(ErrorKind::Input, "line " + std::to_string(record_.line) +
                                                           ": the header row is too long (" +
                                                           std::to_string(record_.length) +
                                                           " bytes)");
    }
    header_.emplace(record_.fields);
    const std::optional<std::size_t> column = header_->Find(options_.column);
    if (!column) {
        return Result<Done>::Failure(ErrorKind::Usage, "no column " + SafeText(options_.column) +
                                                           " in the header, which names " +
                                                           Listed(*header_));
    }
    column_ = *column;
    return Done{};
}

bool CatalogueReader::Next(CatalogueRecord& record) {
    if (!reader_.Next(record_)) {
        return false;
    }
    record.fields = record_.fields;
    record.fault = Describe(record_.fault);
    // A record without the column, as spreadsheets write rows that end in empty fields, has
    // an empty one: a blank line.
    const std::string_view field =
        column_ < record_.fields.size() ? record_.fields[column_] : std::string_view();
    record.line.number = record_.line;
    record.line.length = record_.fault == RecordFault::TooLong ? record_.length : field.size();
    record.line.text = record.line.TooLong() ? field.substr(0, kShownOfLongLine) : field;
    return true;
}

}  // namespace varnholt::catalogue
