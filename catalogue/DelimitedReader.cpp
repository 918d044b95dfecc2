#include "catalogue/DelimitedReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnholt::catalogue {
namespace {

constexpr std::array<char, 3> kDelimiters = {',', ';', '\t'};

// The scan looks at 64 bytes at once, from any position before the end of what was read.
constexpr std::size_t kWord = 64;
// Every field lies before the end of the bytes read, behind which a word is written.
static_assert(kWord >= DelimitedReader::kReadable);
// A rest of at most this part of a block is moved to the front of the buffer at once.
constexpr std::size_t kShortRestPerBlock = 16;

// `bits` of the 64 bytes from `begin` without those at or past `end`.
std::uint64_t Within(std::uint64_t bits, const char* begin, const char* end) noexcept {
    const auto available = static_cast<std::size_t>(end - begin);
    return available < kWord ? bits & ((std::uint64_t{1} << available) - 1) : bits;
}

// Bit i set where begin[i] is `delimiter`, a quote or an LF, for the bytes in [begin, end).
std::uint64_t SpecialBits(const char* begin, const char* end, char delimiter) noexcept {
    std::uint64_t bits = 0;
#if defined(__SSE2__)
    const __m128i delimiters = _mm_set1_epi8(delimiter);
    const __m128i quotes = _mm_set1_epi8('"');
    const __m128i newlines = _mm_set1_epi8('\n');
    for (std::size_t i = 0; i < kWord / 16; ++i) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + 16 * i));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, delimiters), _mm_cmpeq_epi8(bytes, quotes)),
            _mm_cmpeq_epi8(bytes, newlines));
        bits |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(hits))} << (16 * i);
    }
#else
    for (std::size_t i = 0; i < kWord; ++i) {
        const char c = begin[i];
        bits |= std::uint64_t{c == delimiter || c == '"' || c == '\n'} << i;
    }
#endif
    return Within(bits, begin, end);
}

// How many bits are set; quick for none, the usual count of line ends in quotes.
std::uint64_t Count(std::uint64_t bits) noexcept {
    return bits == 0 ? 0 : static_cast<std::uint64_t>(std::popcount(bits));
}

// The bits of the quotes and of the LFs in [begin, end), 64 bytes at most.
struct QuotesAndNewlines {
    std::uint64_t quotes = 0;
    std::uint64_t newlines = 0;
};

QuotesAndNewlines QuoteBits(const char* begin, const char* end) noexcept {
    QuotesAndNewlines bits;
#if defined(__SSE2__)
    const __m128i quotes = _mm_set1_epi8('"');
    const __m128i newlines = _mm_set1_epi8('\n');
    for (std::size_t i = 0; i < kWord / 16; ++i) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + 16 * i));
        const auto shift = 16 * i;
        bits.quotes |=
            std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quotes)))}
            << shift;
        bits.newlines |=
            std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, newlines)))}
            << shift;
    }
#else
    for (std::size_t i = 0; i < kWord; ++i) {
        bits.quotes |= std::uint64_t{begin[i] == '"'} << i;
        bits.newlines |= std::uint64_t{begin[i] == '\n'} << i;
    }
#endif
    bits.quotes = Within(bits.quotes, begin, end);
    bits.newlines = Within(bits.newlines, begin, end);
    return bits;
}

}  // namespace

DelimitedReader::DelimitedReader(ByteSource& source, std::optional<char> delimiter,
                                 std::size_t longestRecord, std::size_t blockSize)
    : source_(source),
      delimiter_(delimiter),
      longestRecord_(longestRecord),
      blockSize_(blockSize),
      // Room for the longest record, a CR after it and a block behind them.
      capacity_(longestRecord + 1 + blockSize),
      // Not cleared: a small input touches only the pages it fills.
      buffer_(new char[capacity_ + kWord]),
      next_(buffer_.get()),
      end_(buffer_.get()) {
    assert(!delimiter || (*delimiter != '"' && *delimiter != '\n' && *delimiter != '\r'));
    std::memset(end_, 0, kWord);
}

char DelimitedReader::Delimiter() {
    if (!started_) {
        Start();
    }
    return *delimiter_;
}

void DelimitedReader::Start() {
    started_ = true;
    SkipByteOrderMark();
    if (!delimiter_) {
        delimiter_ = FindDelimiter();
    }
}

void DelimitedReader::Refill() {
    char* const begin = buffer_.get();
    const auto kept = static_cast<std::size_t>(end_ - record_);
    // A short rest goes to the front, where the last block was, which is still in the cache;
    // a long one only when the room behind it runs short.
    if (record_ != begin && (kept <= blockSize_ / kShortRestPerBlock ||
                             capacity_ - static_cast<std::size_t>(end_ - begin) < blockSize_)) {
        const std::ptrdiff_t shift = record_ - begin;
        std::memmove(begin, record_, kept);
        for (std::string_view& field : fields_) {
            field = std::string_view(field.data() - shift, field.size());
        }
        next_ -= shift;
        field_ -= shift;
        record_ = begin;
        end_ = begin + kept;
    }
    const std::size_t room =
        std::min(blockSize_, capacity_ - static_cast<std::size_t>(end_ - begin));
    word_ = nullptr;
    const Result<std::size_t> read = source_.Read(end_, room);
    if (!read) {
        // What is left of the record is dropped, so that the scan ends as at the input's end.
        status_ = Result<Done>::FailureOf(read);
        end_ = begin + (record_ - begin);
    }
    const std::size_t count = read ? *read : 0;
    end_ += count;
    // The scan looks at whole words past the end; what it sees there is masked off, but must
    // have been written.
    std::memset(end_, 0, kWord);
    scan_ = end_ - count;
    atEnd_ = count == 0;
    bytesRead_ += count;
}

void DelimitedReader::SkipByteOrderMark() {
    record_ = field_ = next_;
    catalogue::SkipByteOrderMark(
        [this] { return std::string_view(next_, static_cast<std::size_t>(end_ - next_)); },
        [this] {
            if (atEnd_) {
                return false;
            }
            Refill();
            return true;
        },
        [this](std::size_t count) { next_ += count; });
}

char DelimitedReader::FindDelimiter() {
    // Quotes simply toggle here: the delimiter is still unknown, so no field start is, and
    // in a well-formed line only quoted fields hold quotes, in pairs. The look goes no
    // further than the longest record, however the bytes come.
    const std::size_t limit = longestRecord_ + 1;
    std::array<std::size_t, kDelimiters.size()> counts{};
    std::size_t scanned = 0;
    bool quoted = false;
    bool content = false;
    bool found = false;
    record_ = field_ = next_;
    for (;;) {
        const auto available = std::min(static_cast<std::size_t>(end_ - next_), limit);
        for (; scanned < available; ++scanned) {
            const char c = next_[scanned];
            if (c == '"') {
                quoted = !quoted;
                content = true;
            } else if (quoted) {
                continue;
            } else if (c == '\n') {
                if (content) {
                    found = true;
                    break;
                }
            } else if (c != '\r') {
                content = true;
                for (std::size_t i = 0; i < kDelimiters.size(); ++i) {
                    counts[i] += c == kDelimiters[i] ? 1u : 0u;
                }
            }
        }
        if (found || atEnd_ || scanned == limit) {
            break;
        }
        Refill();
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    return *most == 0 ? ',' : kDelimiters[static_cast<std::size_t>(most - counts.begin())];
}

void DelimitedReader::Fault(RecordFault fault, const char* at) noexcept {
    const auto offset = static_cast<std::size_t>(at - record_);
    if (fault_ == RecordFault::None || offset < faultAt_) {
        fault_ = fault;
        faultAt_ = offset;
    }
}

const char* DelimitedReader::PassQuoted(const char* from) {
    for (;;) {
        const char* quote = nullptr;
        for (const char* base = from; base < end_; base += kWord) {
            const QuotesAndNewlines bits = QuoteBits(base, end_);
            if (bits.quotes != 0) {
                const int at = std::countr_zero(bits.quotes);
                const std::uint64_t before = (std::uint64_t{1} << at) - 1;
                linesInside_ += Count(bits.newlines & before);
                quote = base + at;
                break;
            }
            linesInside_ += Count(bits.newlines);
        }
        if (quote == nullptr) {
            state_ = State::Quoted;
            return nullptr;
        }
        if (quote + 1 == end_) {
            state_ = State::QuoteInQuoted;
            return nullptr;
        }
        if (quote[1] != '"') {
            state_ = State::Unquoted;
            return quote + 1;
        }
        from = quote + 2;
    }
}

bool DelimitedReader::Scan() {
    const char* from = scan_;
    scan_ = end_;
    if (state_ == State::QuoteInQuoted) {
        if (from == end_) {
            return false;
        }
        // The quote before `from` closed the field unless this one doubles it.
        state_ = State::Unquoted;
        if (*from == '"') {
            from = PassQuoted(from + 1);
        }
        word_ = nullptr;
    } else if (state_ == State::Quoted) {
        from = PassQuoted(from);
        word_ = nullptr;
    }
    if (from == nullptr) {
        return false;
    }
    const char delimiter = *delimiter_;
    const char* field = field_;
    // The last record's LF was found in a word of which the rest is still to be scanned.
    const char* base = from;
    std::uint64_t bits = 0;
    if (word_ != nullptr && from >= word_ && from <= word_ + kWord) {
        base = word_;
        bits = wordBits_;
    } else {
        bits = SpecialBits(base, end_, delimiter);
    }
    for (;;) {
        while (bits == 0) {
            base += kWord;
            if (base >= end_) {
                field_ = field;
                word_ = nullptr;
                return false;
            }
            bits = SpecialBits(base, end_, delimiter);
        }
        const char* const special = base + std::countr_zero(bits);
        bits &= bits - 1;
        if (*special == delimiter) {
            fields_.emplace_back(field, static_cast<std::size_t>(special - field));
            field = special + 1;
        } else if (*special == '\n') {
            field_ = field;
            lineEnd_ = special;
            word_ = base;
            wordBits_ = bits;
            return true;
        } else if (special == field) {
            // A field that starts with a quote is unquoted once the record is whole.
            quoted_.push_back(fields_.size());
            base = PassQuoted(special + 1);
            if (base == nullptr) {
                field_ = field;
                word_ = nullptr;
                return false;
            }
            bits = SpecialBits(base, end_, delimiter);
        } else {
            Fault(RecordFault::QuoteInUnquotedField, special);
        }
    }
}

const char* DelimitedReader::EndRecord(const char* end) {
    // A CR right before the line end belongs to it, never to a field: outside quotes a CR
    // can only be the last byte of the field before the line end.
    if (end != record_ && end[-1] == '\r' && state_ == State::Unquoted) {
        --end;
    }
    fields_.emplace_back(field_, static_cast<std::size_t>(end - field_));
    return end;
}

void DelimitedReader::Unquote(std::size_t index) {
    const std::string_view raw = fields_[index];
    // Most quoted fields hold no quote but the two around them: the text between is the field.
    const std::string_view inner = raw.substr(1, raw.size() > 1 ? raw.size() - 2 : 0);
    if (raw.size() > 1 && raw.back() == '"' && inner.find('"') == std::string_view::npos) {
        fields_[index] = inner;
        return;
    }
    // Otherwise the text shrinks as quotes go, so it is written over itself from its start on.
    char* const begin = buffer_.get() + (raw.data() - buffer_.get());
    const char* const end = begin + raw.size();
    char* out = begin;
    const char* from = begin + 1;
    const auto keep = [&out](const char* text, const char* textEnd) {
        const auto size = static_cast<std::size_t>(textEnd - text);
        std::memmove(out, text, size);
        out += size;
    };
    for (;;) {
        const auto* quote =
            static_cast<const char*>(std::memchr(from, '"', static_cast<std::size_t>(end - from)));
        if (quote == nullptr) {
            keep(from, end);
            break;
        }
        keep(from, quote);
        if (quote + 1 < end && quote[1] == '"') {
            *out++ = '"';
            from = quote + 2;
            continue;
        }
        if (quote + 1 < end) {
            Fault(RecordFault::TextAfterClosingQuote, quote + 1);
            keep(quote + 1, end);
        }
        break;
    }
    fields_[index] = std::string_view(begin, static_cast<std::size_t>(out - begin));
}

bool DelimitedReader::Next(Record& record) {
    if (!started_) {
        Start();
    }
    for (;;) {
        BeginRecord();
        const char* end = nullptr;
        for (;;) {
            if (Scan()) {
                end = lineEnd_;
                next_ += lineEnd_ - next_ + 1;
                break;
            }
            if (atEnd_) {
                if (end_ == record_) {
                    return false;
                }
                if (state_ == State::Quoted) {
                    Fault(RecordFault::UnterminatedQuote, end_);
                }
                end = next_ = end_;
                break;
            }
            // Room for the longest record and a CR before its LF: anything longer is too long.
            if (static_cast<std::size_t>(end_ - record_) > longestRecord_ + 1) {
                SkipLongRecord(record);
                return static_cast<bool>(status_);
            }
            Refill();
        }
        end = EndRecord(end);
        record.line = line_;
        line_ += 1 + linesInside_;
        if (fields_.size() == 1 && fields_.front().empty()) {
            continue;  // a blank line
        }
        record.length = static_cast<std::uint64_t>(end - record_);
        if (record.length > longestRecord_) {
            record.fields = {};
            record.fault = RecordFault::TooLong;
            return true;
        }
        for (const std::size_t index : quoted_) {
            Unquote(index);
        }
        record.fields = fields_;
        record.fault = fault_;
        return true;
    }
}

void DelimitedReader::SkipLongRecord(Record& record) {
    // The scan's states again, a byte at a time, keeping nothing: only the line ends inside
    // quotes, the length and the last byte count.
    enum class Place : std::uint8_t { FieldStart, InField, InQuotes, QuoteInQuotes };
    Place place = state_ == State::Quoted          ? Place::InQuotes
                  : state_ == State::QuoteInQuoted ? Place::QuoteInQuotes
                  : field_ == end_                 ? Place::FieldStart
                                                   : Place::InField;
    const char delimiter = *delimiter_;
    fields_.clear();
    field_ = end_;
    record.line = line_;
    std::uint64_t length = static_cast<std::uint64_t>(end_ - record_);
    std::uint64_t lines = linesInside_;
    char last = end_[-1];
    bool ended = false;
    next_ = end_;
    while (!ended) {
        record_ = next_;
        Refill();
        if (atEnd_) {
            break;
        }
        char* at = next_;
        for (; at != end_; ++at) {
            const char c = *at;
            if (place == Place::InQuotes) {
                place = c == '"' ? Place::QuoteInQuotes : place;
                lines += c == '\n' ? 1 : 0;
            } else if (c == '"') {
                place = place == Place::FieldStart      ? Place::InQuotes
                        : place == Place::QuoteInQuotes ? Place::InQuotes
                                                        : place;
            } else if (c == '\n') {
                ended = true;
                break;
            } else {
                place = c == delimiter ? Place::FieldStart : Place::InField;
            }
        }
        length += static_cast<std::uint64_t>(at - next_);
        last = at != next_ ? at[-1] : last;
        next_ = ended ? at + 1 : at;
    }
    record.length = last == '\r' && place != Place::InQuotes ? length - 1 : length;
    record.fault = RecordFault::TooLong;
    record.fields = {};
    line_ += 1 + lines;
}

}  // namespace varnholt::catalogue
