#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "cli/CheckedLine.h"
#include "cli/DisplayText.h"

namespace varnholt::cli {

// One row of check's output: a checked line of an input, with the texts made for it.
class Row {
  public:
    // Makes the row of `checked`, line `line` of the input named `file` (made safe).
    void Set(std::string_view file, std::uint64_t line, const CheckedLine& checked) {
        file_ = file;
        line_ = Decimal(line);
        checked_ = &checked;
        number_ = checked.number;
        error_.clear();
        if (checked.verdict == Verdict::Error) {
            number_ = display_.Of(checked.number);
            error_ = Describe(checked.fault);
        }
    }

    std::string_view File() const noexcept { return file_; }
    std::string_view Line() const noexcept { return line_.View(); }
    // The line's text, made safe when it is no number.
    std::string_view Number() const noexcept { return number_; }
    const CheckedLine& Checked() const noexcept { return *checked_; }
    // What is wrong with a line that is no number; empty otherwise.
    std::string_view Error() const noexcept { return error_; }

  private:
    std::string_view file_;
    Decimal line_{0};
    const CheckedLine* checked_ = nullptr;
    std::string_view number_;
    std::string error_;
    DisplayText display_;
};

// How a column's values are written.
enum class FieldKind : std::uint8_t {
    Text,     // may hold a delimiter or a quote, which csv then quotes; a JSON string or null
    Plain,    // digits, capital letters and hyphens alone; a JSON string or null
    Number,   // a JSON number, or null when empty
    Boolean,  // "true" or "false", in JSON too
};

using FieldOf = std::string_view (*)(const Row&);

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
inline constexpr std::array<std::string_view, 11> kShouldBe{
    "check digit should be 0", "check digit should be 1", "check digit should be 2",
    "check digit should be 3", "check digit should be 4", "check digit should be 5",
    "check digit should be 6", "check digit should be 7", "check digit should be 8",
    "check digit should be 9", "check digit should be X"};

inline std::string_view File(const Row& row) {
    return row.File();
}
inline std::string_view Line(const Row& row) {
    return row.Line();
}
inline std::string_view Number(const Row& row) {
    return row.Number();
}
inline std::string_view Valid(const Row& row) {
    return row.Checked().verdict == Verdict::Valid ? "true" : "false";
}
inline std::string_view Country(const Row& row) {
    return row.Checked().country;
}
inline std::string_view NumberSystem(const Row& row) {
    return row.Checked().fields.numberSystem;
}
inline std::string_view ManufacturerCode(const Row& row) {
    return row.Checked().fields.manufacturerCode;
}
inline std::string_view ProductCode(const Row& row) {
    return row.Checked().fields.productCode;
}
inline std::string_view Error(const Row& row) {
    return row.Error();
}
inline std::string_view Format(const Row& row) {
    return row.Checked().format;
}
inline std::string_view Gtin(const Row& row) {
    return row.Checked().gtin;
}
inline std::string_view Expected(const Row& row) {
    const char digit = row.Checked().expectedCheckDigit;
    return digit != 0 ? kCheckDigits.substr(kCheckDigits.find(digit), 1) : std::string_view();
}

inline std::string_view Result(const Row& row) {
    switch (row.Checked().verdict) {
        case Verdict::Valid:
            return "valid";
        case Verdict::Invalid:
            return "invalid";
        case Verdict::Blank:
        case Verdict::Error:
            break;
    }
    return "error";
}

// A GTIN-8 has no manufacturer code, which the table says in words.
inline std::string_view ManufacturerShown(const Row& row) {
    return row.Checked().gtin8 ? std::string_view("(none)")
                               : row.Checked().fields.manufacturerCode;
}

inline std::string_view Note(const Row& row) {
    const char digit = row.Checked().expectedCheckDigit;
    return digit != 0 ? kShouldBe[kCheckDigits.find(digit)] : row.Error();
}

}  // namespace columns

// The columns of check's output, in order: every format writes these, csv and tsv under a
// header of their names, jsonl with them as keys, the table under its titles. A column is
// one line here.
// clang-format off
inline constexpr std::array<Column, 12> kColumns{{
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
    {"format", FieldKind::Plain, columns::Format, {"FORMAT", 7}},
    {"gtin", FieldKind::Plain, columns::Gtin, {"GTIN", 14}},
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
using Fields = std::array<std::string_view, kColumns.size()>;
inline Fields FieldsOf(const Row& row) {
    Fields fields;
    ForEachColumn([&](std::size_t i, const Column& column) { fields[i] = column.field(row); });
    return fields;
}

}  // namespace varnholt::cli
