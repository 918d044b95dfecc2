// The table for people: columns aligned from fixed widths, so that rows stream out as they
// come; a text too wide for its column is cut and ends in "…".

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "cli/DisplayText.h"
#include "cli/FaultText.h"
#include "cli/RowWriter.h"

namespace varnholt::cli {
namespace {

struct Column {
    std::string_view title;
    std::size_t width;
    bool alignRight = false;
};

// LINE to NOTE; the file column, when there is one, comes first.
constexpr std::array<Column, 8> kTableColumns{{
    {"LINE", 6, true},
    {"NUMBER", 17},
    {"RESULT", 7},
    {"COUNTRY", 8},
    {"SYSTEM", 6},
    {"MANUFACTURER", 12},
    {"PRODUCT", 7},
    {"NOTE", 0},
}};
constexpr std::string_view kGap = "  ";
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
constexpr std::size_t kWidestFile = 24;
// Shown for an EAN-8 number, which has no manufacturer code.
constexpr std::string_view kNoManufacturer = "(none)";

std::string_view ResultWord(Verdict verdict) {
    switch (verdict) {
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

bool IsEan8(const NumberFacts& facts) {
    const bool number = facts.verdict == Verdict::Valid || facts.verdict == Verdict::Invalid;
    return number && facts.count == 8;
}

class TableWriter final : public RowWriter {
  public:
    TableWriter(OutputBuffer& out, std::span<const std::string> safeFileNames) : out_(out) {
        if (safeFileNames.size() > 1) {
            for (const std::string& name : safeFileNames) {
                fileWidth_ = std::max(fileWidth_, DisplayWidth(name));
            }
            fileWidth_ = std::clamp<std::size_t>(fileWidth_, 4, kWidestFile);
        }
    }

    void StartFile(std::string_view safeName) override { file_ = safeName; }

    void Row(std::uint64_t line, const NumberFacts& facts) override {
        if (!headerWritten_) {
            WriteHeader();
        }
        if (fileWidth_ != 0) {
            Cell(file_, fileWidth_, false);
        }
        std::array<char, 20> digits{};
        char* end = std::to_chars(digits.data(), digits.data() + digits.size(), line).ptr;
        const std::array<std::string_view, 8> cells{
            std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())),
            display_.Of(facts.number),
            ResultWord(facts.verdict),
            facts.country,
            facts.fields.numberSystem,
            IsEan8(facts) ? kNoManufacturer : facts.fields.manufacturerCode,
            facts.fields.productCode,
            Note(facts),
        };
        for (std::size_t i = 0; i < cells.size(); ++i) {
            Cell(cells[i], kTableColumns[i].width, kTableColumns[i].alignRight);
        }
        EndRow();
    }

  private:
    // Above the first row only, so that a run without rows writes nothing.
    void WriteHeader() {
        if (fileWidth_ != 0) {
            Cell("FILE", fileWidth_, false);
        }
        for (const Column& column : kTableColumns) {
            Cell(column.title, column.width, column.alignRight);
        }
        EndRow();
        headerWritten_ = true;
    }

    std::string_view Note(const NumberFacts& facts) {
        if (facts.expectedCheckDigit >= 0) {
            note_ = "check digit should be ";
            note_ += static_cast<char>('0' + facts.expectedCheckDigit);
            return note_;
        }
        return fault_.Of(facts);
    }

    // One cell and the gap after it; a width of 0 leaves the text as it is.
    void Cell(std::string_view text, std::size_t width, bool alignRight) {
        std::size_t shown = DisplayWidth(text);
        if (width != 0 && shown > width) {
            text = CutToWidth(text, width - 1);
            shown = width;
        }
        const std::size_t padding = width > shown ? width - shown : 0;
        if (alignRight) {
            row_.append(padding, ' ');
        }
        row_ += text;
        if (width != 0 && DisplayWidth(text) < shown) {
            row_ += kEllipsis;
        }
        if (!alignRight) {
            row_.append(padding, ' ');
        }
        row_ += kGap;
    }

    // Ends the row without the blanks after its last text.
    void EndRow() {
        row_.erase(row_.find_last_not_of(' ') + 1);
        row_ += '\n';
        out_.Append(row_);
        row_.clear();
    }

    OutputBuffer& out_;
    std::size_t fileWidth_ = 0;
    bool headerWritten_ = false;
    std::string_view file_;
    std::string row_;
    std::string note_;
    DisplayText display_;
    FaultText fault_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeTableWriter(OutputBuffer& out,
                                           std::span<const std::string> safeFileNames) {
    return std::make_unique<TableWriter>(out, safeFileNames);
}

}  // namespace varnholt::cli
