#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sheets/LabelStock.h"

namespace varnholt::sheets {

// One product in a list of label stock.
struct StockListing {
    std::string name;  // "Avery 5160"
    std::string page;  // the paper, e.g. "US-Letter", or "210 x 261 mm"
    std::string grid;  // labels per row and rows, e.g. "3 x 10"
    double labelWidthMm = 0.0;
    double labelHeightMm = 0.0;
    LabelShape shape = LabelShape::Rectangle;
    std::string description;
    std::string equivalentTo;  // e.g. "Avery 5160"; empty when none
};

// The products whose brand, part, name or description holds `word` in any letter case, in
// the stock's order; all of them for an empty word.
std::vector<StockListing> ListStock(const LabelStock& stock, std::string_view word);

// The rows as text: a heading, then a line a product in columns of name, page, grid, label
// size in mm, shape and description.
std::string FormatListing(const std::vector<StockListing>& rows);

}  // namespace varnholt::sheets
