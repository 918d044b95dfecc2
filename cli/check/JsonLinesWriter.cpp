// jsonl: one JSON object per line, keyed by the column names; a missing fact is null.

#include <array>
#include <string>

#include "cli/check/RowWriter.h"

namespace varnholt::cli {

void AppendJsonString(OutputBuffer& out, std::string_view safeText) {
    out.Append('"');
    for (std::size_t escape = safeText.find_first_of("\"\\"); escape != std::string_view::npos;
         escape = safeText.find_first_of("\"\\")) {
        out.Append(safeText.substr(0, escape));
        out.Append('\\');
        out.Append(safeText[escape]);
        safeText.remove_prefix(escape + 1);
    }
    out.Append(safeText);
    out.Append('"');
}

namespace {

class JsonLinesWriter final : public RowWriter {
  public:
    explicit JsonLinesWriter(OutputBuffer& out) : out_(out) {
        ForEachColumn([this](std::size_t i, const Column& column) {
            keys_[i] = (i == 0 ? "{\"" : ",\"") + std::string(column.name) + "\":";
        });
    }

    void Write(const Row& row) override {
        const Fields fields = FieldsOf(row);
        ForEachColumn([&](std::size_t i, const Column& column) {
            out_.Append(keys_[i]);
            const std::string_view field = fields[i].text;
            if (column.kind == FieldKind::Boolean) {
                out_.Append(field);
            } else if (field.empty()) {
                out_.Append("null");
            } else if (column.kind == FieldKind::Number && IsJsonNumber(field)) {
                out_.Append(field);
            } else {
                AppendJsonString(out_, field);
            }
        });
        out_.Append("}\n");
    }

  private:
    OutputBuffer& out_;
    std::array<std::string, kColumns.size()> keys_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeJsonLinesWriter(OutputBuffer& out) {
    return std::make_unique<JsonLinesWriter>(out);
}

}  // namespace varnholt::cli
