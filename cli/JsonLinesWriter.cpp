// jsonl: one JSON object per line, keyed by the column names; a missing fact is null.

#include <array>
#include <string>

#include "cli/RowWriter.h"

namespace varnholt::cli {
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
                AppendString(field);
            }
        });
        out_.Append("}\n");
    }

  private:
    // A safe text holds no control character, so only quotes and backslashes need escaping.
    void AppendString(std::string_view text) {
        out_.Append('"');
        for (std::size_t escape = text.find_first_of("\"\\"); escape != std::string_view::npos;
             escape = text.find_first_of("\"\\")) {
            out_.Append(text.substr(0, escape));
            out_.Append('\\');
            out_.Append(text[escape]);
            text.remove_prefix(escape + 1);
        }
        out_.Append(text);
        out_.Append('"');
    }

    OutputBuffer& out_;
    std::array<std::string, kColumns.size()> keys_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeJsonLinesWriter(OutputBuffer& out) {
    return std::make_unique<JsonLinesWriter>(out);
}

}  // namespace varnholt::cli
