// csv (RFC 4180 quoting) and tsv, one row per line under a header row of the column names.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "cli/DisplayText.h"
#include "cli/FaultText.h"
#include "cli/RowStart.h"
#include "cli/RowWriter.h"
#include "model/CountryPrefixes.h"

namespace varnholt::cli {
namespace {

constexpr bool IsPlainCountry(std::string_view country) {
    return country.size() <= 8 &&
           std::ranges::all_of(country, [](char c) { return (c >= 'A' && c <= 'Z') || c == '-'; });
}

// Rows of numbers write the country as it stands, unquoted, and as a short text.
static_assert(std::ranges::all_of(CountryRanges,
                                  [](const CountryRange& r) { return IsPlainCountry(r.country); }));
static_assert(std::ranges::all_of(CountryPrefixes, [](const CountryPrefix& p) {
    return IsPlainCountry(p.country);
}));

// Each country as a word of eight bytes, which a row stores at once: the country texts that
// CountryOf gives are few, so each is looked up by where it lies, and copied byte by byte
// only the first time. Texts of many lengths, one after the other, would leave a copy of
// their own guessing at every row.
class CountryWords {
  public:
    const std::array<char, 8>& Of(std::string_view country) noexcept {
        const auto where = reinterpret_cast<std::uintptr_t>(country.data());
        Entry& entry = entries_[(where >> 1) % entries_.size()];
        if (entry.data != country.data() || entry.size != country.size()) {
            entry.data = country.data();
            entry.size = country.size();
            entry.word = {};
            std::copy_n(country.begin(), std::min<std::size_t>(country.size(), 8),
                        entry.word.begin());
        }
        return entry.word;
    }

  private:
    struct Entry {
        const char* data = nullptr;
        std::size_t size = 0;
        std::array<char, 8> word{};
    };
    std::array<Entry, 256> entries_{};
};

class DelimitedWriter final : public RowWriter {
  public:
    // A row of a number after its text: "false", a country, three fields, a digit, seven
    // delimiters and a line end, with room to spare.
    static constexpr std::size_t kLongestRest = 64;
    // A row's start that goes with the rest into one reserved stretch of the buffer; a file
    // named at greater length is written on its own.
    static constexpr std::size_t kLongestStart = 1024;

    DelimitedWriter(OutputBuffer& out, char delimiter)
        : out_(out),
          delimiter_(delimiter),
          trueWord_{'t', 'r', 'u', 'e', delimiter},
          falseWord_{'f', 'a', 'l', 's', 'e', delimiter} {
        for (const std::string_view column : kColumns) {
            if (column != kColumns.front()) {
                out_.Append(delimiter_);
            }
            out_.Append(column);
        }
        out_.Append('\n');
    }

    void StartFile(std::string_view safeName) override {
        std::string file;
        AppendField(safeName, file);
        file += delimiter_;
        rowStart_.Reset(file, std::string_view(&delimiter_, 1));
    }

    void Row(std::uint64_t line, const NumberFacts& facts) override {
        if (facts.verdict == Verdict::Error) {
            ErrorRow(line, facts);
            return;
        }
        // A number holds digits, blanks and hyphens alone, its fields digits alone and its
        // country capital letters and hyphens: nothing in this row needs quotes, and the
        // number is no longer than a line.
        char* to = nullptr;
        if (rowStart_.LongestSize() <= kLongestStart) {
            to = rowStart_.Write(out_.Reserve(kLongestStart + kLongestLine + kLongestRest), line);
        } else {
            WriteStart(line);
            to = out_.Reserve(kLongestLine + kLongestRest);
        }
        to = Put(to, facts.number);
        *to++ = delimiter_;
        // "true" or "false" and a delimiter, as one word of eight bytes.
        const bool valid = facts.verdict == Verdict::Valid;
        std::memcpy(to, valid ? trueWord_.data() : falseWord_.data(), 8);
        to += valid ? 5 : 6;
        std::memcpy(to, countries_.Of(facts.country).data(), 8);
        to += facts.country.size();
        *to++ = delimiter_;
        to = PutShort(to, facts.fields.numberSystem);
        *to++ = delimiter_;
        to = PutShort(to, facts.fields.manufacturerCode);
        *to++ = delimiter_;
        to = PutShort(to, facts.fields.productCode);
        *to++ = delimiter_;
        // The right check digit of a wrong one; written always, kept only then.
        *to = static_cast<char>('0' + facts.expectedCheckDigit);
        to += facts.expectedCheckDigit >= 0 ? 1 : 0;
        *to++ = delimiter_;
        *to++ = '\n';
        out_.Commit(to);
    }

  private:
    // A safe text needs quotes in csv when it holds the delimiter or a quote; it never holds
    // a line end. In tsv it holds no tab, so it stands as it is.
    bool NeedsQuotes(std::string_view text) const noexcept {
        return delimiter_ == ',' &&
               std::ranges::any_of(text, [](char c) { return c == ',' || c == '"'; });
    }

    void AppendField(std::string_view text, std::string& into) const {
        if (!NeedsQuotes(text)) {
            into += text;
            return;
        }
        into += '"';
        for (const char c : text) {
            if (c == '"') {
                into += '"';
            }
            into += c;
        }
        into += '"';
    }

    // The start of a row on its own, however long the file's name.
    void WriteStart(std::uint64_t line) {
        start_.resize(rowStart_.LongestSize());
        const char* end = rowStart_.Write(start_.data(), line);
        out_.Append(std::string_view(start_.data(), static_cast<std::size_t>(end - start_.data())));
    }

    // A line that is no number: the line as it shows, and what is wrong with it.
    void ErrorRow(std::uint64_t line, const NumberFacts& facts) {
        WriteStart(line);
        Field(display_.Of(facts.number));
        out_.Append(delimiter_);
        out_.Append("false");
        for (std::size_t empty = 0; empty < 6; ++empty) {
            out_.Append(delimiter_);
        }
        Field(fault_.Of(facts));
        out_.Append('\n');
    }

    void Field(std::string_view text) {
        if (NeedsQuotes(text)) {
            scratch_.clear();
            AppendField(text, scratch_);
            out_.Append(scratch_);
        } else {
            out_.Append(text);
        }
    }

    OutputBuffer& out_;
    const char delimiter_;
    const std::array<char, 8> trueWord_;
    const std::array<char, 8> falseWord_;
    RowStart rowStart_;
    std::string start_;
    CountryWords countries_;
    std::string scratch_;
    DisplayText display_;
    FaultText fault_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeDelimitedWriter(OutputBuffer& out, char delimiter) {
    return std::make_unique<DelimitedWriter>(out, delimiter);
}

}  // namespace varnholt::cli
