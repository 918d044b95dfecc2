// The table for people: columns aligned from fixed widths, so that rows stream out as they
// come; a text too wide for its column is cut and ends in "…".

#include <algorithm>
#include <string>

#include "cli/check/RowWriter.h"

namespace varnholt::cli {
namespace {

constexpr std::string_view kGap = "  ";
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
constexpr std::size_t kWidestFile = 24;

// The file column is as wide as the longest input's name, and only there for several.
constexpr bool IsFileColumn(const Column& column) {
    return column.name == kColumns.front().name;
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

    void Write(const Row& row) override {
        // Above the first row only, so that a run without rows writes nothing.
        if (!headerWritten_) {
            ForEachShown([this](const Column& column, std::size_t width) {
                Cell(column.table.title, width, column.table.alignRight);
            });
            EndRow();
            headerWritten_ = true;
        }
        ForEachShown([&](const Column& column, std::size_t width) {
            const TableCell& cell = column.table;
            Cell((cell.shown != nullptr ? cell.shown(row) : column.field(row)).text, width,
                 cell.alignRight);
        });
        EndRow();
    }

  private:
    // The shown columns in order, but the one as wide as its text last.
    template <class Visit>
    void ForEachShown(Visit&& visit) {
        for (const bool last : {false, true}) {
            ForEachColumn([&](std::size_t, const Column& column) {
                if (IsFileColumn(column)) {
                    if (fileWidth_ != 0 && !last) {
                        visit(column, fileWidth_);
                    }
                } else if (!column.table.title.empty() && (column.table.width == 0) == last) {
                    visit(column, column.table.width);
                }
            });
        }
    }

    // One cell and the gap after it; a width of 0 leaves the text as it is.
    void Cell(std::string_view text, std::size_t width, bool alignRight) {
        std::size_t shown = DisplayWidth(text);
        const bool cut = width != 0 && shown > width;
        if (cut) {
            text = CutToWidth(text, width - 1);
            shown = width;
        }
        const std::size_t padding = width > shown ? width - shown : 0;
        if (alignRight) {
            row_.append(padding, ' ');
        }
        row_ += text;
        if (cut) {
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
    std::string row_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeTableWriter(OutputBuffer& out,
                                           std::span<const std::string> safeFileNames) {
    return std::make_unique<TableWriter>(out, safeFileNames);
}

}  // namespace varnholt::cli
