#include "sheets/StockListing.h"

#include <algorithm>
#include <array>

#include "render/Millimetres.h"
#include "sheets/Names.h"

namespace varnholt::sheets {
namespace {

constexpr std::size_t kColumns = 6;

std::string PageOf(const SheetGeometry& geometry) {
    return !geometry.pageName.empty() ? geometry.pageName
                                      : render::Millimetres(geometry.pageWidthMm) + " x " +
                                            render::Millimetres(geometry.pageHeightMm) + " mm";
}

}  // namespace

std::vector<StockListing> ListStock(const LabelStock& stock, std::string_view word) {
    const std::string wanted = Lowered(word);
    std::vector<StockListing> rows;
    for (const LabelProduct& product : stock.Products()) {
        const bool holds = Lowered(product.Name()).find(wanted) != std::string::npos ||
                           Lowered(product.description).find(wanted) != std::string::npos;
        if (!holds) {
            continue;
        }
        const SheetGeometry& geometry = product.geometry;
        rows.push_back({product.Name(), PageOf(geometry), geometry.GridText(),
                        geometry.labelWidthMm, geometry.labelHeightMm, geometry.shape,
                        product.description, product.equivalentTo});
    }
    return rows;
}

std::string FormatListing(const std::vector<StockListing>& rows) {
    std::vector<std::array<std::string, kColumns>> cells{
        {"NAME", "PAGE", "LABELS", "LABEL (mm)", "SHAPE", "DESCRIPTION"}};
    for (const StockListing& row : rows) {
        std::string description = row.description;
        if (!row.equivalentTo.empty()) {
            description += (description.empty() ? "as " : " (as ") + row.equivalentTo +
                           (description.empty() ? "" : ")");
        }
        cells.push_back(
            {row.name, row.page, row.grid,
             render::Millimetres(row.labelWidthMm) + " x " + render::Millimetres(row.labelHeightMm),
             std::string(NameOf(row.shape)), description});
    }
    std::array<std::size_t, kColumns> widths{};
    for (const auto& line : cells) {
        for (std::size_t i = 0; i < kColumns; ++i) {
            widths[i] = std::max(widths[i], line[i].size());
        }
    }
    std::string text;
    for (const auto& line : cells) {
        std::string out;
        for (std::size_t i = 0; i < kColumns; ++i) {
            out += line[i];
            if (i + 1 < kColumns) {
                out.append(widths[i] - line[i].size() + 2, ' ');
            }
        }
        out.erase(out.find_last_not_of(' ') + 1);
        text += out + "\n";
    }
    return text;
}

}  // namespace varnholt::sheets
