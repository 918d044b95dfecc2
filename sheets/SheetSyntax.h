#pragma once

#include <string_view>
#include <vector>

#include "model/Result.h"
#include "sheets/PaperSize.h"
#include "sheets/SheetGeometry.h"

namespace varnholt::sheets {

// How a sheet of labels not in the template files is written, for --help.
inline constexpr std::string_view kSheetSyntaxHelp =
    "PAGE GRID LABEL [margin LEFTxTOP] [gap XxY]\n"
    "  PAGE    a paper name (A4, Letter, A5, ...) or WIDTHxHEIGHT\n"
    "  GRID    labels across x labels down, e.g. 3x8\n"
    "  LABEL   WIDTHxHEIGHT of one label, e.g. 70x37mm\n"
    "  margin  from the page's left and top edges to the first label; without it the labels\n"
    "          are centred on the page\n"
    "  gap     between labels across and down; 0 without it\n"
    "Lengths in mm, cm, in, pt or pc, mm when none is given; e.g. \"A4 3x8 70x37mm\",\n"
    "\"Letter 3x10 66.7x25.4mm margin 4.8x12.7mm gap 3.2x0mm\".\n";

// The sheet `text` describes as kSheetSyntaxHelp says: rectangular labels, no markup margin,
// one grid. PAGE names one of `papers`. Refused with a message that quotes the word at fault
// and says what is wrong: a word that is not a size or count, an unknown paper or unit, a
// size that is not above 0, a negative margin or gap, labels that do not fit on the page.
Result<SheetGeometry> ParseSheetGeometry(std::string_view text,
                                         const std::vector<PaperSize>& papers);

}  // namespace varnholt::sheets
