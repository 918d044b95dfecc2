#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnholt::sheets {

// The outline labels are cut to.
enum class LabelShape { Rectangle, Round, Ellipse, Cd, FreeForm };  // FreeForm: a drawn path

// A shape's name as listings write it: "rectangle", "round", "ellipse", "cd", "path".
std::string_view NameOf(LabelShape shape);

// One grid of labels on a sheet: `columns` x `rows` labels, the first with its top-left
// corner at (x0, y0), the next one dx to the right or dy further down.
struct LabelGrid {
    int columns = 0;
    int rows = 0;
    double x0Mm = 0.0;
    double y0Mm = 0.0;
    double dxMm = 0.0;
    double dyMm = 0.0;
};

// Where one label lies: the top-left corner of the box around it.
struct LabelPlace {
    double xMm = 0.0;
    double yMm = 0.0;
};

// A sheet of labels, in millimetres, x to the right and y downwards from the page's top-left
// corner.
struct SheetGeometry {
    std::string pageName;  // the paper's name, e.g. "A4", "US-Letter"; empty for a size alone
    double pageWidthMm = 0.0;
    double pageHeightMm = 0.0;
    LabelShape shape = LabelShape::Rectangle;
    double labelWidthMm = 0.0;     // the box around the label: a round or cd label's diameter
    double labelHeightMm = 0.0;    // unless the cd is clipped to a width or height
    double cornerRadiusMm = 0.0;   // a rectangle's rounded corners
    double radiusMm = 0.0;         // a round label's, or a cd's outer radius
    double holeRadiusMm = 0.0;     // a cd's hole
    double markupMarginMm = 0.0;   // how far inside the label's edge printing may begin
    std::vector<LabelGrid> grids;  // at least one

    // Every label's place: grid by grid in order, each row by row, left to right.
    std::vector<LabelPlace> Places() const;
    // How many labels the sheet holds.
    int LabelCount() const noexcept;
    // The labels per row and rows as listings write them: "3 x 10", or "1 x 2 + 1 x 1" for
    // a sheet of several grids.
    std::string GridText() const;
    // The label's size and shape in words, e.g. "66.675 x 25.4 mm rectangle",
    // "round 38.1 mm across", "cd 117 mm across with a 41 mm hole": a reason to give when a
    // caller refuses the shape.
    std::string LabelText() const;
};

}  // namespace varnholt::sheets
