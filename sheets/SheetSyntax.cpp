#include "sheets/SheetSyntax.h"

#include <optional>
#include <string>

#include "render/Length.h"
#include "render/Millimetres.h"
#include "sheets/Names.h"

namespace varnholt::sheets {
namespace {

// Lengths added up from several numbers may miss the page by a rounding.
constexpr double kSlackMm = 1e-6;
// Keeps a typing slip from asking for millions of label places.
constexpr int kMostPerSide = 1000;

struct Pair {
    double first = 0.0;
    double second = 0.0;
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A unit written at the end of a word: its trailing letters.
std::string_view TrailingLetters(std::string_view text) {
    std::size_t start = text.size();
    while (start > 0 && ((text[start - 1] >= 'a' && text[start - 1] <= 'z') ||
                         (text[start - 1] >= 'A' && text[start - 1] <= 'Z'))) {
        --start;
    }
    return text.substr(start);
}

// "AxB": two lengths, each with a unit or none; one with none takes the second's unit, or mm.
Result<Pair> Lengths(std::string_view word) {
    const std::size_t x = word.find_first_of("xX");
    if (x == std::string_view::npos || word.find_first_of("xX", x + 1) != std::string_view::npos) {
        return Result<Pair>::Failure(ErrorKind::Usage, "not WIDTHxHEIGHT, e.g. 70x37mm");
    }
    const std::string_view first = word.substr(0, x);
    const std::string_view second = word.substr(x + 1);
    const std::optional<render::LengthUnit> secondUnit =
        render::UnitNamed(Lowered(TrailingLetters(second)));
    const render::LengthUnit bare = secondUnit.value_or(render::kMillimetre);
    const Result<double> a = render::ParseLengthMm(Lowered(first), bare);
    const Result<double> b = render::ParseLengthMm(Lowered(second), render::kMillimetre);
    if (!a || !b) {
        return Result<Pair>::Failure(ErrorKind::Usage, !a ? a.Error() : b.Error());
    }
    return Pair{*a, *b};
}

// Why `count` labels of `size` with `gap` between them, from `start`, do not fit in `room`.
std::optional<std::string> Overflow(int count, double size, double gap, double start, double room,
                                    std::string_view across, std::string_view side) {
    const double needed = start + count * size + (count - 1) * gap;
    if (needed <= room + kSlackMm) {
        return std::nullopt;
    }
    return std::to_string(count) + " labels " + std::string(across) + " of " +
           render::Millimetres(size) + " mm with " + render::Millimetres(gap) + " mm gaps" +
           (start > 0.0 ? " from " + render::Millimetres(start) + " mm" : std::string()) +
           " need " + render::Millimetres(needed) + " mm; the page is " +
           render::Millimetres(room) + " mm " + std::string(side);
}

}  // namespace

Result<SheetGeometry> ParseSheetGeometry(std::string_view text,
                                         const std::vector<PaperSize>& papers) {
    const auto refuse = [&](const std::string& why) {
        return Result<SheetGeometry>::Failure(ErrorKind::Usage,
                                              "sheet " + Quoted(text) + ": " + why);
    };
    std::vector<std::string_view> words;
    for (std::size_t at = text.find_first_not_of(" \t"); at != std::string_view::npos;) {
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = text.find_first_not_of(" \t", end);
    }
    if (words.size() < 3) {
        return refuse("give PAGE GRID LABEL, e.g. \"A4 3x8 70x37mm\"");
    }

    SheetGeometry sheet;
    if (const PaperSize* paper = FindPaper(papers, words[0])) {
        sheet.pageName = paper->id;
        sheet.pageWidthMm = paper->widthMm;
        sheet.pageHeightMm = paper->heightMm;
    } else {
        const Result<Pair> page = Lengths(words[0]);
        if (!page) {
            return refuse("page " + Quoted(words[0]) +
                          " is neither a paper name (A4, Letter, ...) nor WIDTHxHEIGHT");
        }
        sheet.pageWidthMm = page->first;
        sheet.pageHeightMm = page->second;
    }

    const std::size_t x = words[1].find_first_of("xX");
    const std::optional<int> columns = x == std::string_view::npos
                                           ? std::nullopt
                                           : render::ParseWholeNumber(words[1].substr(0, x));
    const std::optional<int> rows = x == std::string_view::npos
                                        ? std::nullopt
                                        : render::ParseWholeNumber(words[1].substr(x + 1));
    if (!columns || !rows || *columns < 1 || *rows < 1 || *columns > kMostPerSide ||
        *rows > kMostPerSide) {
        return refuse("grid " + Quoted(words[1]) + " is not COLUMNSxROWS, each 1 to " +
                      std::to_string(kMostPerSide));
    }

    const Result<Pair> label = Lengths(words[2]);
    if (!label) {
        return refuse("label " + Quoted(words[2]) + ": " + label.Error());
    }
    std::optional<Pair> margin;
    std::optional<Pair> gap;
    for (std::size_t i = 3; i < words.size(); i += 2) {
        const bool isMargin = EqualsIgnoringCase(words[i], "margin");
        if (!isMargin && !EqualsIgnoringCase(words[i], "gap")) {
            return refuse(Quoted(words[i]) + " is neither \"margin\" nor \"gap\"");
        }
        std::optional<Pair>& value = isMargin ? margin : gap;
        if (value) {
            return refuse(Quoted(words[i]) + " is given twice");
        }
        if (i + 1 == words.size()) {
            return refuse(Quoted(words[i]) + " wants a size after it, e.g. 5x10mm");
        }
        const Result<Pair> lengths = Lengths(words[i + 1]);
        if (!lengths) {
            return refuse(std::string(words[i]) + " " + Quoted(words[i + 1]) + ": " +
                          lengths.Error());
        }
        if (lengths->first < 0.0 || lengths->second < 0.0) {
            return refuse(std::string(words[i]) + " " + Quoted(words[i + 1]) + " is below 0");
        }
        value = *lengths;
    }
    const Pair gaps = gap.value_or(Pair{});

    if (sheet.pageWidthMm <= 0.0 || sheet.pageHeightMm <= 0.0) {
        return refuse("page " + Quoted(words[0]) + " is not above 0 wide and high");
    }
    if (label->first <= 0.0 || label->second <= 0.0) {
        return refuse("label " + Quoted(words[2]) + " is not above 0 wide and high");
    }
    const auto across = Overflow(*columns, label->first, gaps.first, margin ? margin->first : 0.0,
                                 sheet.pageWidthMm, "across", "wide");
    const auto down = Overflow(*rows, label->second, gaps.second, margin ? margin->second : 0.0,
                               sheet.pageHeightMm, "down", "high");
    if (across || down) {
        return refuse(across ? *across : *down);
    }
    const auto centred = [](int count, double size, double gapMm, double room) {
        return (room - (count * size + (count - 1) * gapMm)) / 2;
    };
    sheet.labelWidthMm = label->first;
    sheet.labelHeightMm = label->second;
    sheet.grids.push_back(
        {*columns, *rows,
         margin ? margin->first : centred(*columns, label->first, gaps.first, sheet.pageWidthMm),
         margin ? margin->second : centred(*rows, label->second, gaps.second, sheet.pageHeightMm),
         label->first + gaps.first, label->second + gaps.second});
    return sheet;
}

}  // namespace varnholt::sheets
