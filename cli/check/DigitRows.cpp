#include "cli/check/DigitRows.h"

#include <algorithm>
#include <cstring>

#include "cli/check/Columns.h"
#include "model/Country.h"
#include "model/Digit.h"
#include "model/EAN.h"
#include "model/GtinNumber.h"

namespace varnholt::cli {
namespace {

// The columns this writer puts down in order; a column added to check's output must be
// added here too, or the build stops here.
constexpr std::array<std::string_view, 14> kWrittenColumns{"file",
                                                           "line",
                                                           "number",
                                                           "valid",
                                                           "country",
                                                           "number_system",
                                                           "manufacturer_code",
                                                           "product_code",
                                                           "expected_check_digit",
                                                           "error",
                                                           "format",
                                                           "gtin",
                                                           "element_string",
                                                           "digital_link"};
constexpr bool WritesEveryColumn() {
    if (kColumns.size() != kWrittenColumns.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        if (kColumns[i].name != kWrittenColumns[i]) {
            return false;
        }
    }
    return true;
}
static_assert(WritesEveryColumn(), "the digit rows must write check's columns in their order");

// The lengths of a number's digits alone: GTIN-8, ISBN-10, GTIN-12, -13 and -14.
constexpr std::array<bool, 15> kNumberLength{false, false, false, false, false, false, false, false,
                                             true,  false, true,  false, true,  true,  true};

// Copies kSize bytes, of which the first `size` count, and gives the position after those.
template <std::size_t kSize>
char* Move(char* to, const char* from, std::size_t size) noexcept {
    std::memcpy(to, from, kSize);
    return to + size;
}

// Each format's name in 8 bytes, to be copied in one move.
constexpr auto kFormatNames = [] {
    std::array<std::array<char, 8>, kNumberFormatNames.size()> names{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        kNumberFormatNames[i].copy(names[i].data(), names[i].size());
    }
    return names;
}();

// How long the number system is for each first two digits, as EAN splits a number.
std::array<std::uint8_t, 100> SystemLengths(std::string_view body) {
    std::array<std::uint8_t, 100> lengths{};
    std::string probe(body);
    EAN ean;
    for (std::size_t prefix = 0; prefix < lengths.size(); ++prefix) {
        probe[0] = static_cast<char>('0' + prefix / 10);
        probe[1] = static_cast<char>('0' + prefix % 10);
        ean.Calculate(probe);
        lengths[prefix] = static_cast<std::uint8_t>(ean.Fields().numberSystem.size());
    }
    return lengths;
}

}  // namespace

std::array<DigitRows::Country, 1000> DigitRows::Countries() {
    std::array<Country, 1000> countries{};
    std::string probe = "0000000000000";
    for (std::size_t prefix = 0; prefix < countries.size(); ++prefix) {
        probe[0] = static_cast<char>('0' + prefix / 100);
        probe[1] = static_cast<char>('0' + prefix / 10 % 10);
        probe[2] = static_cast<char>('0' + prefix % 10);
        const std::string_view country = CountryOf(probe);
        countries[prefix].size = country.size();
        country.copy(countries[prefix].text.data(),
                     std::min(country.size(), countries[prefix].text.size()));
    }
    return countries;
}

DigitRows::DigitRows(OutputBuffer& out, char delimiter)
    : out_(out),
      delimiter_(delimiter),
      systemLength13_(SystemLengths("000000000000")),
      systemLength8_(SystemLengths("0000000")),
      countries_(Countries()) {}

void DigitRows::StartFile(std::string_view file) {
    enabled_ = file.size() <= kLongestName && !(delimiter_ == ',' && IsQuotable(file));
    // The name and its delimiter, and room to copy a short name in one move.
    filePrefix_.assign(file);
    filePrefix_ += delimiter_;
    prefixSize_ = filePrefix_.size();
    filePrefix_.resize(prefixSize_ + 32);
}

std::optional<Verdict> DigitRows::Write(const Line& line, bool invalidOnly) {
    const std::string_view text = line.text;
    const std::size_t size = text.size();
    if (!enabled_ || size >= kNumberLength.size() || !kNumberLength[size] || line.TooLong() ||
        !IsDigitsAlone(line)) {
        return std::nullopt;
    }
    const std::optional<GtinNumber> number = GtinNumberOf(text);
    if (!number) {
        return std::nullopt;
    }
    const Verdict verdict = number->valid ? Verdict::Valid : Verdict::Invalid;
    if (invalidOnly && number->valid) {
        return verdict;
    }
    line_.Set(line.number);

    const char* ean = number->ean.data();
    const bool ean8 = number->eanLength == 8;
    const auto prefix = static_cast<std::size_t>((ean[0] - '0') * 10 + (ean[1] - '0'));
    const std::size_t system = ean8 ? systemLength8_[prefix] : systemLength13_[prefix];
    const Country& country = countries_[prefix * 10 + static_cast<std::size_t>(ean[2] - '0')];
    const auto format = static_cast<std::size_t>(number->format);

    // Each field in a move of a fixed size that may run past it, within its source; the
    // delimiter after a field is written over whatever ran past it.
    char* to = out_.Reserve(kLongestName + 256);
    to = prefixSize_ <= 32 ? Move<32>(to, filePrefix_.data(), prefixSize_)
                           : Put(to, std::string_view(filePrefix_.data(), prefixSize_));
    to = Move<LineNumberText::kReadable>(to, line_.View().data(), line_.View().size());
    *to++ = delimiter_;
    to = Move<16>(to, text.data(), size);
    *to++ = delimiter_;
    to = number->valid ? Move<5>(to, "true ", 4) : Move<5>(to, "false", 5);
    *to++ = delimiter_;
    to = country.size <= country.text.size()
             ? Move<sizeof(country.text)>(to, country.text.data(), country.size)
             : Put(to, CountryOf(number->Ean()));
    *to++ = delimiter_;
    to = Move<3>(to, ean, system);
    *to++ = delimiter_;
    // The manufacturer code (none in an EAN-8) and the product code: 4 or 5 digits.
    if (!ean8) {
        to = Move<5>(to, ean + system, 7 - system);
        *to++ = delimiter_;
        to = Move<5>(to, ean + 7, 5);
    } else {
        *to++ = delimiter_;
        to = Move<5>(to, ean + system, 7 - system);
    }
    *to++ = delimiter_;
    if (!number->valid) {
        *to++ = number->checkDigit;
    }
    *to++ = delimiter_;
    *to++ = delimiter_;  // no error
    to = Move<8>(to, kFormatNames[format].data(), kNumberFormatNames[format].size());
    *to++ = delimiter_;
    if (number->valid) {
        to = Move<14>(to, number->gtin.data(), 14);
    }
    *to++ = delimiter_;  // no element string
    *to++ = delimiter_;  // no Digital Link
    *to++ = '\n';
    out_.Commit(to);
    return verdict;
}

}  // namespace varnholt::cli
