#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "cli/check/CheckedLine.h"
#include "cli/check/LineNumberText.h"
#include "model/DisplayText.h"

namespace varnholt::cli {

// A field's text, and whether it holds a comma or a quote, which csv quotes.
struct Field {
    std::string_view text;
    bool quotable = false;
};

// Whether a text holds a comma or a quote. Every byte is looked at, with no way out early, so
// that the compiler looks at many at once, gathered in a byte so that a vector holds as many
// as it can; find_first_of would call memchr for every byte.
inline bool IsQuotable(std::string_view text) noexcept {
    std::uint8_t found = 0;
    for (const char c : text) {
        found |= static_cast<std::uint8_t>((c == ',') | (c == '"'));
    }
    return found != 0;
}

// The longest file name csv and tsv rows write straight through, without a second look.
inline constexpr std::size_t kLongestName = 4096;

// One row of check's output: a checked line of an input, with the texts made for it.
class Row {
  public:
    // The rows that follow are of the input named `file`, made safe; the text must stay as it
    // is while they are set.
    void StartFile(std::string_view file) { file_ = {file, IsQuotable(file)}; }

    // Makes the row of `checked`, line `line` of the input.
    void Set(std::uint64_t line, const CheckedLine& checked) {
        line_.Set(line);
        checked_ = &checked;
        // A number's text holds digits, blanks, hyphens, a "+" and an X alone.
        number_ = {checked.number, false};
        error_ = {};
        elementString_ = {};
        digitalLink_ = {};
        gs1_ = !checked.elementString.empty() || !checked.gs1Fault.empty();
        if (checked.verdict == Verdict::Error || gs1_) {
            const std::string_view shown = display_.Of(checked.number);
            number_ = {shown, IsQuotable(shown)};
        }
        wrongDigit_.clear();
        if (checked.verdict == Verdict::Error) {
            described_ = Describe(checked.fault);
            error_ = {described_, IsQuotable(described_)};
        } else if (!checked.gs1Fault.empty()) {
            const std::string_view fault = errorDisplay_.Of(checked.gs1Fault);
            error_ = {fault, IsQuotable(fault)};
        }
        // A valid reading's forms are printable ASCII; the element string's data may hold a
        // comma or a quote.
        elementString_ = {checked.elementString, IsQuotable(checked.elementString)};
        digitalLink_ = {checked.digitalLink, IsQuotable(checked.digitalLink)};
        plainGs1_ = gs1_ && !file_.quotable && !number_.quotable && !error_.quotable &&
                    !elementString_.quotable && !digitalLink_.quotable;
    }

    Field File() const noexcept { return file_; }
    std::string_view Line() const noexcept { return line_.View(); }
    // Whether a field of the row may hold a comma or a quote, or be longer than a number's
    // facts: GS1 data's row may.
    bool Quotable() const noexcept {
        return file_.quotable || number_.quotable || !error_.text.empty() || gs1_;
    }
    // Whether the row is GS1 data's and no field holds a comma or a quote; its long fields
    // are then the line's text, the fault and the two forms, GS1Length() in all.
    bool PlainGs1() const noexcept { return plainGs1_; }
    std::size_t Gs1Length() const noexcept {
        return number_.text.size() + error_.text.size() + elementString_.text.size() +
               digitalLink_.text.size();
    }
    // The line's text, made safe when it is no number.
    Field Number() const noexcept { return number_; }
    const CheckedLine& Checked() const noexcept { return *checked_; }
    // What is wrong with a line that is no number; empty otherwise.
    Field Error() const noexcept { return error_; }
    // What is wrong with a number whose check digit is, in render's words: "check digit 2 is
    // wrong, 540010110997 needs 1"; only for such a number.
    std::string_view WrongDigit() const {
        if (wrongDigit_.empty()) {
            SetWrongDigit(*checked_);  // made only where shown: the table alone says it
        }
        return wrongDigit_;
    }
    // GS1 data's bracketed normal form and Digital Link URI; empty otherwise.
    Field ElementString() const noexcept { return elementString_; }
    Field DigitalLink() const noexcept { return digitalLink_; }

  private:
    // The number's digits without separators or add-on, its last the check digit given.
    void SetWrongDigit(const CheckedLine& checked) const {
        std::string digits;
        for (const char c : checked.number.substr(0, checked.number.find('+'))) {
            if (c != ' ' && c != '-') {
                digits += c;
            }
        }
        wrongDigit_ =
            WrongCheckDigit(digits.back(), std::string_view(digits).substr(0, digits.size() - 1),
                            checked.expectedCheckDigit);
    }

    Field file_;
    LineNumberText line_;
    const CheckedLine* checked_ = nullptr;
    Field number_;
    std::string described_;
    Field error_;  // described_, or a GS1 fault made safe
    DisplayText errorDisplay_;
    Field elementString_;
    Field digitalLink_;
    bool gs1_ = false;
    bool plainGs1_ = false;
    DisplayText display_;
    mutable std::string wrongDigit_;
};

// How a column's values are written.
enum class FieldKind : std::uint8_t {
    Text,     // a JSON string or null
    Plain,    // digits, capital letters and hyphens alone; a JSON string or null
    Number,   // a JSON number; null when empty, a string when not all digits (X)
    Boolean,  // "true" or "false", in JSON too
};

// Whether a field of the kind Number can stand in JSON as a number.
inline bool IsJsonNumber(std::string_view text) noexcept {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

using FieldOf = Field (*)(const Row&);

// How the table for people shows a column: a title, a width (0: as wide as its text, which
// puts it last), and what it shows when that is not the field itself. No title: not shown.
struct TableCell {
    std::string_view title;
    std::size_t width = 0;
    bool alignRight = false;
    FieldOf shown = nullptr;
};

struct Column {
    std::string_view name;  // the csv and tsv header's, and the jsonl key
    FieldKind kind;
    FieldOf field;
    TableCell table;
};

namespace columns {

// Every check digit a number can need, an ISBN-10's X last.
inline constexpr std::string_view kCheckDigits = "0123456789X";

inline Field File(const Row& row) {
    return row.File();
}
inline Field Line(const Row& row) {
    return {row.Line()};
}
inline Field Number(const Row& row) {
    return row.Number();
}
inline Field Valid(const Row& row) {
    return {row.Checked().verdict == Verdict::Valid ? "true" : "false"};
}
inline Field Country(const Row& row) {
    return {row.Checked().country};
}
inline Field NumberSystem(const Row& row) {
    return {row.Checked().fields.numberSystem};
}
inline Field ManufacturerCode(const Row& row) {
    return {row.Checked().fields.manufacturerCode};
}
inline Field ProductCode(const Row& row) {
    return {row.Checked().fields.productCode};
}
inline Field Error(const Row& row) {
    return row.Error();
}
inline Field ElementString(const Row& row) {
    return row.ElementString();
}
inline Field DigitalLink(const Row& row) {
    return row.DigitalLink();
}
inline Field Format(const Row& row) {
    return {row.Checked().format};
}
inline Field Gtin(const Row& row) {
    return {row.Checked().gtin};
}
inline Field Expected(const Row& row) {
    const char digit = row.Checked().expectedCheckDigit;
    return {digit != 0 ? kCheckDigits.substr(kCheckDigits.find(digit), 1) : std::string_view()};
}

inline Field Result(const Row& row) {
    switch (row.Checked().verdict) {
        case Verdict::Valid:
            return {"valid"};
        case Verdict::Invalid:
            return {"invalid"};
        case Verdict::Blank:
        case Verdict::Error:
            break;
    }
    return {"error"};
}

// A GTIN-8 has no manufacturer code, which the table says in words.
inline Field ManufacturerShown(const Row& row) {
    return {row.Checked().gtin8 ? std::string_view("(none)")
                                : row.Checked().fields.manufacturerCode};
}

// GS1 data's formats are long for the table: their short names there.
inline Field FormatShown(const Row& row) {
    const std::string_view format = row.Checked().format;
    return {format == kElementStringFormat ? kElementStringShort
            : format == kDigitalLinkFormat ? kDigitalLinkShort
                                           : format};
}

inline Field Note(const Row& row) {
    return row.Checked().expectedCheckDigit != 0 ? Field{row.WrongDigit()} : row.Error();
}

}  // namespace columns

// The columns of check's output, in order: every format writes these, csv and tsv under a
// header of their names, jsonl with them as keys, the table under its titles. A column is
// one line here.
// clang-format off
inline constexpr std::array<Column, 14> kColumns{{
    {"file", FieldKind::Text, columns::File, {"FILE"}},
    {"line", FieldKind::Number, columns::Line, {"LINE", 6, true}},
    {"number", FieldKind::Text, columns::Number, {"NUMBER", 17}},
    {"valid", FieldKind::Boolean, columns::Valid, {"RESULT", 7, false, columns::Result}},
    {"country", FieldKind::Plain, columns::Country, {"COUNTRY", 8}},
    {"number_system", FieldKind::Plain, columns::NumberSystem, {"SYSTEM", 6}},
    {"manufacturer_code", FieldKind::Plain, columns::ManufacturerCode, {"MANUFACTURER", 12, false, columns::ManufacturerShown}},
    {"product_code", FieldKind::Plain, columns::ProductCode, {"PRODUCT", 7}},
    {"expected_check_digit", FieldKind::Number, columns::Expected, {}},
    {"error", FieldKind::Text, columns::Error, {"NOTE", 0, false, columns::Note}},
    {"format", FieldKind::Plain, columns::Format, {"FORMAT", 7, false, columns::FormatShown}},
    {"gtin", FieldKind::Plain, columns::Gtin, {"GTIN", 14}},
    {"element_string", FieldKind::Text, columns::ElementString, {"ELEMENT STRING", 24}},
    {"digital_link", FieldKind::Text, columns::DigitalLink, {"DIGITAL LINK", 24}},
}};
// clang-format on

// Calls `visit(index, column)` for every column, unrolled, so that each column's field is
// taken without an indirect call.
template <class Visit>
constexpr void ForEachColumn(Visit&& visit) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (visit(I, kColumns[I]), ...);
    }
    (std::make_index_sequence<kColumns.size()>{});
}

// The fields of a row, one a column.
using Fields = std::array<Field, kColumns.size()>;
inline Fields FieldsOf(const Row& row) {
    // Made at once from the fields, not cleared first and filled after.
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return Fields{kColumns[I].field(row)...};
    }
    (std::make_index_sequence<kColumns.size()>{});
}

}  // namespace varnholt::cli
