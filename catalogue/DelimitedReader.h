#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/ByteSource.h"

namespace varnholt::catalogue {

// No row of a catalogue comes near this; a longer record is not kept, only its length and
// where it starts, so that a stray quote cannot make a whole file one record in memory.
inline constexpr std::size_t kLongestRecord = std::size_t{1} << 20;

// How a record breaks RFC 4180. A record with a fault other than TooLong still has its
// fields, as Python's csv module reads them.
enum class RecordFault : std::uint8_t {
    None,
    // Longer than the reader's bound: no fields.
    TooLong,
    // A quote in a field that does not start with one: kept as it stands.
    QuoteInUnquotedField,
    // Text between a closing quote and the delimiter or line end: kept after the quoted text.
    TextAfterClosingQuote,
    // The input ends inside a quoted field, which holds the rest of the input.
    UnterminatedQuote,
};

// One record of a delimited file.
struct Record {
    // The fields, valid until the reader's next call; none for a record too long to keep.
    std::span<const std::string_view> fields;
    // The line the record starts on, 1 for the first; line ends inside quotes make a record
    // span several lines.
    std::uint64_t line = 0;
    // The record's length in bytes without its line end, however long.
    std::uint64_t length = 0;
    // The fault that comes first in the record, or None.
    RecordFault fault = RecordFault::None;
};

// Reads the records of an RFC 4180 file in large blocks, with memory that stays the same
// whatever the input's size. Records end at LF or CR LF outside quotes (a CR alone is text);
// a last record without a line end counts; blank lines count as lines but give no record; a
// UTF-8 byte-order mark at the very start is dropped. Unquoted fields are handed out in place;
// quoted ones are unquoted in place in the reader's buffer, without a copy elsewhere.
class DelimitedReader {
  public:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    // Bytes that may be read from the start of any field handed out, whatever its length,
    // as from a LineReader's line.
    static constexpr std::size_t kReadable = 16;

    // Reads fields separated by `delimiter` (',' ';' or a tab). Without one, by whichever of
    // the three occurs most outside quotes in the first line that is not blank (the header),
    // looking no further than `longestRecord` + 1 bytes into the input; the first of them in
    // that order on a tie, ',' when none occurs. Records longer than `longestRecord` bytes are
    // reported as too long and skipped. Reads `blockSize` bytes at a time; tests pass small
    // blocks to cross them often.
    explicit DelimitedReader(ByteSource& source, std::optional<char> delimiter = std::nullopt,
                             std::size_t longestRecord = kLongestRecord,
                             std::size_t blockSize = kBlockSize);

    // The next record, valid until the next call; false at the end of the input, or when
    // reading failed (see Status).
    bool Next(Record& record);

    // The delimiter in use; reads the header first when it is still to be found there.
    char Delimiter();

    // Done, or why reading stopped early: a record cut short by a failed read is not handed
    // out.
    const Result<Done>& Status() const noexcept { return status_; }

    // Bytes read from the source so far.
    std::uint64_t BytesRead() const noexcept { return bytesRead_; }

  private:
    // Where the scan of a record stopped when the bytes at hand ran out.
    enum class State : std::uint8_t {
        // Outside quotes, at or in a field.
        Unquoted,
        // Inside a quoted field.
        Quoted,
        // Right after a quote inside a quoted field: a closing quote or half of a "".
        QuoteInQuoted,
    };

    void Start();
    void SkipByteOrderMark();
    char FindDelimiter();
    // Keeps the bytes from record_ on and reads once more behind them.
    void Refill();
    void BeginRecord() noexcept {
        record_ = field_ = scan_ = next_;
        state_ = State::Unquoted;
        linesInside_ = 0;
        fault_ = RecordFault::None;
        fields_.clear();
        quoted_.clear();
    }
    // Scans the record from scan_ on; true at its LF (lineEnd_), false when the bytes at
    // hand ran out (all of them scanned).
    bool Scan();
    // Passes quoted text from `from` on to the quote that closes it; the position after
    // that quote, or nullptr when the bytes at hand ran out first.
    const char* PassQuoted(const char* from);
    // Ends the record's last field at `end` or before a CR there; gives the record's end.
    const char* EndRecord(const char* end);
    void Unquote(std::size_t index);
    void Fault(RecordFault fault, const char* at) noexcept;
    // Reads past a record too long to keep, from where the scan stopped.
    void SkipLongRecord(Record& record);

    ByteSource& source_;
    std::optional<char> delimiter_;
    std::size_t longestRecord_;
    std::size_t blockSize_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    // The bytes read but not yet handed out.
    char* next_;
    char* end_;
    bool atEnd_ = false;
    bool started_ = false;
    std::uint64_t bytesRead_ = 0;
    // The line the next record starts on.
    std::uint64_t line_ = 1;

    // The record being read: where it and its current field start, where its scan goes on.
    const char* record_ = nullptr;
    const char* field_ = nullptr;
    const char* scan_ = nullptr;
    const char* lineEnd_ = nullptr;
    // The 64 bytes the last LF was found in, and the bits of the special bytes after it.
    const char* word_ = nullptr;
    std::uint64_t wordBits_ = 0;
    State state_ = State::Unquoted;
    std::uint64_t linesInside_ = 0;
    RecordFault fault_ = RecordFault::None;
    std::size_t faultAt_ = 0;
    std::vector<std::string_view> fields_;
    // Which fields start with a quote and are unquoted at the record's end.
    std::vector<std::size_t> quoted_;
    Result<Done> status_ = Done{};
};

}  // namespace varnholt::catalogue
