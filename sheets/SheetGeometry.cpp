#include "sheets/SheetGeometry.h"

#include <array>
#include <utility>

#include "render/Millimetres.h"

namespace varnholt::sheets {
namespace {

constexpr std::array<std::pair<LabelShape, std::string_view>, 5> kShapeNames{{
    {LabelShape::Rectangle, "rectangle"},
    {LabelShape::Round, "round"},
    {LabelShape::Ellipse, "ellipse"},
    {LabelShape::Cd, "cd"},
    {LabelShape::FreeForm, "path"},
}};

}  // namespace

std::string_view NameOf(LabelShape shape) {
    for (const auto& [known, name] : kShapeNames) {
        if (known == shape) {
            return name;
        }
    }
    return "?";
}

std::vector<LabelPlace> SheetGeometry::Places() const {
    std::vector<LabelPlace> places;
    places.reserve(static_cast<std::size_t>(LabelCount()));
    for (const LabelGrid& grid : grids) {
        for (int row = 0; row < grid.rows; ++row) {
            for (int column = 0; column < grid.columns; ++column) {
                places.push_back({grid.x0Mm + column * grid.dxMm, grid.y0Mm + row * grid.dyMm});
            }
        }
    }
    return places;
}

int SheetGeometry::LabelCount() const noexcept {
    int count = 0;
    for (const LabelGrid& grid : grids) {
        count += grid.columns * grid.rows;
    }
    return count;
}

std::string SheetGeometry::GridText() const {
    std::string text;
    for (const LabelGrid& grid : grids) {
        text += (text.empty() ? "" : " + ") + std::to_string(grid.columns) + " x " +
                std::to_string(grid.rows);
    }
    return text;
}

std::string SheetGeometry::LabelText() const {
    switch (shape) {
        case LabelShape::Round:
            return "round " + render::Millimetres(2 * radiusMm) + " mm across";
        case LabelShape::Cd:
            return "cd " + render::Millimetres(2 * radiusMm) + " mm across with a " +
                   render::Millimetres(2 * holeRadiusMm) + " mm hole";
        case LabelShape::Rectangle:
        case LabelShape::Ellipse:
        case LabelShape::FreeForm:
            break;
    }
    return render::Millimetres(labelWidthMm) + " x " + render::Millimetres(labelHeightMm) + " mm " +
           std::string(NameOf(shape));
}

}  // namespace varnholt::sheets
