#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"
#include "sheets/SheetGeometry.h"

namespace varnholt::sheets {

// A sheet of labels as a user names it, and the name to call it by in messages.
struct ChosenSheet {
    std::string name;  // "Avery L7160", or the geometry as given
    SheetGeometry geometry;
};

// The sheet `text` names: a product of the installed label stock ("Avery L7160", any letter
// case), or a geometry written as kSheetSyntaxHelp says. Refused, of kind Usage, with the
// stock's message (similar names) for a word or two that name no product, and with the
// geometry's for longer text that is no geometry.
Result<ChosenSheet> ChooseSheet(std::string_view text);

// A roll of labels one to a page, each `size` ("50x30mm", as a label size of the geometry
// syntax). Refused, of kind Usage, quoting the text, for anything that is no size.
Result<ChosenSheet> ChooseRoll(std::string_view size);

// Whether a symbol can be printed on the sheet's labels; refused, of kind Usage, saying why.
Result<Done> CheckShape(const ChosenSheet& sheet);

}  // namespace varnholt::sheets
