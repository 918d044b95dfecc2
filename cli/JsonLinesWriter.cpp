// jsonl: one JSON object per line, keyed by the column names; a missing fact is null.

#include <string>

#include "cli/DisplayText.h"
#include "cli/FaultText.h"
#include "cli/RowStart.h"
#include "cli/RowWriter.h"

namespace varnholt::cli {
namespace {

class JsonLinesWriter final : public RowWriter {
  public:
    explicit JsonLinesWriter(OutputBuffer& out) : out_(out) {}

    void StartFile(std::string_view safeName) override {
        std::string start = "{\"file\":";
        AppendString(safeName, start);
        start += ",\"line\":";
        rowStart_.Reset(start, {});
    }

    void Row(std::uint64_t line, const NumberFacts& facts) override {
        start_.resize(rowStart_.LongestSize());
        const char* end = rowStart_.Write(start_.data(), line);
        out_.Append(std::string_view(start_.data(), static_cast<std::size_t>(end - start_.data())));
        Member("number", display_.Of(facts.number));
        out_.Append(facts.verdict == Verdict::Valid ? ",\"valid\":true" : ",\"valid\":false");
        Member("country", facts.country);
        Member("number_system", facts.fields.numberSystem);
        Member("manufacturer_code", facts.fields.manufacturerCode);
        Member("product_code", facts.fields.productCode);
        out_.Append(",\"expected_check_digit\":");
        if (facts.expectedCheckDigit >= 0) {
            out_.Append(static_cast<char>('0' + facts.expectedCheckDigit));
        } else {
            out_.Append("null");
        }
        Member("error", fault_.Of(facts));
        out_.Append("}\n");
    }

  private:
    // A safe text holds no control character, so only quotes and backslashes need escaping.
    static void AppendString(std::string_view text, std::string& into) {
        into += '"';
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                into += '\\';
            }
            into += c;
        }
        into += '"';
    }

    // ,"key":"text" or ,"key":null for an empty text.
    void Member(std::string_view key, std::string_view text) {
        out_.Append(",\"");
        out_.Append(key);
        out_.Append("\":");
        if (text.empty()) {
            out_.Append("null");
            return;
        }
        scratch_.clear();
        AppendString(text, scratch_);
        out_.Append(scratch_);
    }

    OutputBuffer& out_;
    RowStart rowStart_;
    std::string start_;
    std::string scratch_;
    DisplayText display_;
    FaultText fault_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeJsonLinesWriter(OutputBuffer& out) {
    return std::make_unique<JsonLinesWriter>(out);
}

}  // namespace varnholt::cli
