// The delimited reader on any bytes, split into reads of any sizes, held against a plain
// restatement: a byte-at-a-time RFC 4180 state machine that reads malformed records as
// Python's csv module does. Input: four bytes c for the sizes of the reads, in turn
// (1 + c * c each); one byte for the delimiter (low two bits: found, ',', ';' or a tab) and
// the bound on a record (the rest: 0 for one past the widened text, else 3 bytes a step); one byte
// that widens the text (see Widen); then the text.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ByteSource.h"
#include "catalogue/DelimitedReader.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/Require.h"

namespace varnholt::fuzz {
namespace {

// Small blocks, and texts a few blocks long, so that records run across reads and blocks at
// little cost; the small bounds make records too long at any place. (The real bound is
// passed in the unit tests: its buffer of a megabyte, made for every input, would be most
// of the fuzzer's time.)
constexpr std::size_t kBlock = 512;
constexpr std::size_t kLongest = 4 * kBlock;

class Source final : public catalogue::ByteSource {
  public:
    Source(std::string_view text, std::array<std::size_t, 4> chunks)
        : text_(text), chunks_(chunks) {}
    Result<std::size_t> Read(char* into, std::size_t room) override {
        const std::size_t count =
            std::min({room, chunks_[reads_++ % chunks_.size()], text_.size()});
        std::memcpy(into, text_.data(), count);
        text_.remove_prefix(count);
        return count;
    }

  private:
    std::string_view text_;
    std::array<std::size_t, 4> chunks_;
    std::size_t reads_ = 0;
};

struct Expected {
    std::uint64_t line = 0;
    std::uint64_t length = 0;
    catalogue::RecordFault fault = catalogue::RecordFault::None;
    std::vector<std::string> fields;
};

// The delimiter of the first line with anything but line ends, quotes toggling, within the
// first `longest` + 1 bytes.
VARNHOLT_RESTATEMENT char FindDelimiter(std::string_view text, std::size_t longest) {
    text = text.substr(0, longest + 1);
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    std::size_t tabs = 0;
    bool quoted = false;
    bool content = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            content = true;
        } else if (!quoted && c == '\n' && content) {
            break;
        } else if (!quoted && c != '\n' && c != '\r') {
            content = true;
            commas += c == ',' ? 1 : 0;
            semicolons += c == ';' ? 1 : 0;
            tabs += c == '\t' ? 1 : 0;
        }
    }
    if (commas == 0 && semicolons == 0 && tabs == 0) {
        return ',';
    }
    return commas >= semicolons && commas >= tabs ? ',' : semicolons >= tabs ? ';' : '\t';
}

// The records, one byte at a time, each made as it is asked for. A CR before an LF or at the
// very end, outside quotes, belongs to the line end.
class PlainReader {
  public:
    PlainReader(std::string_view text, char delimiter, std::size_t longest)
        : text_(text), delimiter_(delimiter), longest_(longest) {}

    // The next record that is not blank; false at the end.
    VARNHOLT_RESTATEMENT bool Next(Expected& record) {
        while (at_ < text_.size()) {
            const std::size_t start = at_;
            record.line = line_;
            record.fault = catalogue::RecordFault::None;
            record.fields.assign(1, std::string());
            const std::size_t end = ReadOne(record);
            line_ += static_cast<std::uint64_t>(std::count(text_.begin() + static_cast<long>(start),
                                                           text_.begin() + static_cast<long>(at_),
                                                           '\n'));
            const bool blank = end - start <= longest_ && record.fields.size() == 1 &&
                               record.fields[0].empty() && !quoted_;
            if (blank) {
                continue;
            }
            record.length = end - start;
            if (record.length > longest_) {
                record.fields.clear();
                record.fault = catalogue::RecordFault::TooLong;
            }
            return true;
        }
        return false;
    }

  private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

    // Reads one record from at_ on, leaving at_ past its line end; gives where it ends. Past
    // the longest record only the quotes are followed, as a record too long keeps no fields.
    VARNHOLT_RESTATEMENT std::size_t ReadOne(Expected& record) {
        const std::size_t start = at_;
        const auto fault = [&](catalogue::RecordFault kind) {
            if (record.fault == catalogue::RecordFault::None) {
                record.fault = kind;
            }
        };
        State state = State::FieldStart;
        quoted_ = false;
        for (; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (at_ - start > longest_) {
                record.fields.resize(1);
                record.fields.back().clear();
            }
            std::string& field = record.fields.back();
            const bool last = at_ + 1 == text_.size();
            if (state == State::Quoted) {
                if (c == '"') {
                    state = State::QuoteInQuoted;
                } else {
                    field += c;
                }
            } else if (c == '\n' || (c == '\r' && (last || text_[at_ + 1] == '\n'))) {
                const std::size_t end = at_;
                at_ += c == '\r' && !last ? 2 : 1;
                return end;
            } else if (c == delimiter_) {
                record.fields.emplace_back();
                quoted_ = false;
                state = State::FieldStart;
            } else if (state == State::QuoteInQuoted && c == '"') {
                field += '"';
                state = State::Quoted;
            } else if (state == State::FieldStart && c == '"') {
                quoted_ = true;
                state = State::Quoted;
            } else {
                if (state == State::QuoteInQuoted) {
                    fault(catalogue::RecordFault::TextAfterClosingQuote);
                } else if (c == '"') {
                    fault(catalogue::RecordFault::QuoteInUnquotedField);
                }
                field += c;
                state = State::Unquoted;
            }
        }
        if (state == State::Quoted) {
            fault(catalogue::RecordFault::UnterminatedQuote);
        }
        return at_;
    }

    std::string_view text_;
    char delimiter_;
    std::size_t longest_;
    std::size_t at_ = 0;
    std::uint64_t line_ = 1;
    // Whether the record's last field started with a quote.
    bool quoted_ = false;
};

void CheckRecords(std::string_view input, std::array<std::size_t, 4> chunks,
                  std::optional<char> delimiter, std::size_t longest) {
    std::string_view text = input;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const char used = delimiter ? *delimiter : FindDelimiter(text, longest);
    PlainReader plain(text, used, longest);

    Source source(input, chunks);
    catalogue::DelimitedReader reader(source, delimiter, longest, kBlock);
    VARNHOLT_REQUIRE(reader.Delimiter() == used);
    catalogue::Record record;
    Expected want;
    while (reader.Next(record)) {
        VARNHOLT_REQUIRE(plain.Next(want));
        VARNHOLT_REQUIRE(record.line == want.line);
        VARNHOLT_REQUIRE(record.length == want.length);
        VARNHOLT_REQUIRE(record.fault == want.fault);
        VARNHOLT_REQUIRE(std::ranges::equal(record.fields, want.fields));
    }
    VARNHOLT_REQUIRE(!plain.Next(want));
    VARNHOLT_REQUIRE(!reader.Next(record));
    VARNHOLT_REQUIRE(reader.BytesRead() == input.size());
}

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt::fuzz;
    FuzzInput input(data, size);
    std::array<std::size_t, 4> chunks{};
    for (std::size_t& chunk : chunks) {
        const auto c = input.Take<std::uint8_t>();
        chunk = std::size_t{1} + std::size_t{c} * c;
    }
    const auto options = input.Take<std::uint8_t>();
    constexpr std::array<std::optional<char>, 4> kDelimiters = {std::nullopt, ',', ';', '\t'};
    const std::size_t step = options >> 2;
    const std::size_t longest = step == 0 ? kLongest + 1 : 3 * step;
    const auto width = input.Take<std::uint8_t>();
    const std::string text = WidenLastLine(input.Rest(), width, kLongest);
    CheckRecords(text, chunks, kDelimiters[options & 3], longest);
    return 0;
}
