// csv (RFC 4180 quoting) and tsv, one row per line under a header row of the column names.

#include <string>
#include <utility>

#include "cli/check/RowWriter.h"

namespace varnholt::cli {
namespace {

class DelimitedWriter final : public RowWriter {
  public:
    // Every field of a number's row but the name and the number, with their delimiters and
    // the line end.
    static constexpr std::size_t kLongestRest = 256;
    // The longest fields of GS1 data that go straight through: room for them and the rest
    // fits the output's buffer.
    static constexpr std::size_t kLongestGs1 =
        OutputBuffer::kCapacity - kLongestName - kLongestRest;

    DelimitedWriter(OutputBuffer& out, char delimiter) : out_(out), delimiter_(delimiter) {
        ForEachColumn([this](std::size_t i, const Column& column) {
            if (i != 0) {
                out_.Append(delimiter_);
            }
            out_.Append(column.name);
        });
        out_.Append('\n');
    }

    void Write(const Row& row) override {
        // A row of a number, the usual row, holds nothing to quote and no field longer than a
        // GTIN but the file's name and the number: written straight through, a field a move.
        if (!row.Quotable() && row.File().text.size() <= kLongestName) {
            char* to = out_.Reserve(kLongestName + kLongestLine + kLongestRest);
            out_.Commit(WritePlain(row, to, std::make_index_sequence<kColumns.size()>{}));
            return;
        }
        // So does GS1 data's row with nothing to quote, with room for its long fields too.
        if (row.PlainGs1() && row.File().text.size() <= kLongestName &&
            row.Gs1Length() <= kLongestGs1) {
            char* to = out_.Reserve(kLongestName + kLongestRest + row.Gs1Length());
            out_.Commit(WritePlain(row, to, std::make_index_sequence<kColumns.size()>{}));
            return;
        }
        const Fields fields = FieldsOf(row);
        // Room for every field quoted, each of its characters a doubled quote.
        std::size_t characters = 0;
        for (const Field& field : fields) {
            characters += field.text.size();
        }
        const std::size_t room = 2 * characters + 3 * fields.size() + 1;
        if (room > OutputBuffer::kCapacity) {
            scratch_.resize(room);
            const char* end = WriteFields(fields, scratch_.data());
            out_.Append(
                std::string_view(scratch_.data(), static_cast<std::size_t>(end - scratch_.data())));
            return;
        }
        out_.Commit(WriteFields(fields, out_.Reserve(room)));
    }

  private:
    // Every field as it stands, a move each and the delimiter after it, the last one's
    // delimiter turned into the line end.
    template <std::size_t... I>
    char* WritePlain(const Row& row, char* to, std::index_sequence<I...>) const {
        ((to = Put(to, kColumns[I].field(row).text), *to++ = delimiter_), ...);
        to[-1] = '\n';
        return to;
    }

    // A field is quoted in csv when it holds a comma or a quote; it never holds a line end,
    // being safe text. In tsv it holds no tab, so it stands as it is.
    char* WriteFields(const Fields& fields, char* to) const {
        const bool csv = delimiter_ == ',';
        ForEachColumn([&](std::size_t i, const Column&) {
            if (i != 0) {
                *to++ = delimiter_;
            }
            to = csv && fields[i].quotable ? PutCsvQuoted(fields[i].text, to)
                                           : Put(to, fields[i].text);
        });
        *to++ = '\n';
        return to;
    }

    OutputBuffer& out_;
    const char delimiter_;
    std::string scratch_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeDelimitedWriter(OutputBuffer& out, char delimiter) {
    return std::make_unique<DelimitedWriter>(out, delimiter);
}

}  // namespace varnholt::cli
