#include "sheets/SheetChoice.h"

#include <algorithm>
#include <vector>

#include "sheets/LabelStock.h"
#include "sheets/SheetSyntax.h"

namespace varnholt::sheets {
namespace {

// A product's name is a brand and a part; a geometry is at least a page, a grid and a label.
constexpr std::ptrdiff_t kWordsOfAGeometry = 3;

std::ptrdiff_t WordsIn(std::string_view text) {
    std::ptrdiff_t words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t';
        words += !blank && !inWord ? 1 : 0;
        inWord = !blank;
    }
    return words;
}

}  // namespace

Result<ChosenSheet> ChooseSheet(std::string_view text) {
    const Result<LabelStock>& stock = InstalledLabelStock();
    const bool geometry = WordsIn(text) >= kWordsOfAGeometry;
    if (stock) {
        if (Result<LabelProduct> product = stock->Find(text); product) {
            return ChosenSheet{product->Name(), product->geometry};
        } else if (!geometry) {
            return Result<ChosenSheet>::FailureOf(product);
        }
    } else if (!geometry) {
        return Result<ChosenSheet>::FailureOf(stock);
    }
    static const std::vector<PaperSize> none;
    Result<SheetGeometry> parsed = ParseSheetGeometry(text, stock ? stock->Papers() : none);
    if (!parsed) {
        return Result<ChosenSheet>::FailureOf(parsed);
    }
    return ChosenSheet{std::string(text), *std::move(parsed)};
}

Result<ChosenSheet> ChooseRoll(std::string_view size) {
    const std::string label(size);
    if (WordsIn(label) != 1) {
        return Result<ChosenSheet>::Failure(ErrorKind::Usage, "\"" + label +
                                                                  "\" is not WIDTHxHEIGHT, e.g. "
                                                                  "50x30mm");
    }
    // A page the size of its one label.
    Result<SheetGeometry> parsed = ParseSheetGeometry(label + " 1x1 " + label, {});
    if (!parsed) {
        return Result<ChosenSheet>::FailureOf(parsed);
    }
    return ChosenSheet{label + " roll", *std::move(parsed)};
}

Result<Done> CheckShape(const ChosenSheet& sheet) {
    const SheetGeometry& geometry = sheet.geometry;
    if (geometry.shape == LabelShape::Rectangle) {
        return Done{};
    }
    return Result<Done>::Failure(
        ErrorKind::Usage,
        sheet.name + "'s labels are " + geometry.LabelText() +
            ": a bar code needs a rectangular label, whose straight edges keep its bars and "
            "quiet zones whole");
}

}  // namespace varnholt::sheets
