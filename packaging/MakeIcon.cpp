// Writes the program's icon: its own symbol, the control's first number as an EAN-13 with
// the light margins GS1 wants around it, drawn by the render layer with bars just so tall
// that the whole is square, as icon themes want it.
//
// make_icon OUTPUT.svg

#include <iostream>
#include <string>

#include "control/Barcode.h"
#include "files/AtomicFile.h"
#include "render/FileFormat.h"
#include "render/Layout.h"

namespace render = varnholt::render;

namespace {

int Fail(const std::string& message) {
    std::cerr << "make_icon: " << message << "\n";
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        return Fail("usage: make_icon OUTPUT.svg");
    }
    const std::string_view number = varnholt::Barcode::DefaultValue;
    render::Options options;
    const auto nominal = render::LayOut(number, options);
    if (!nominal) {
        return Fail(nominal.Error());
    }
    // Everything but the bars (guard bars' extension, digits) keeps its height.
    options.barHeightMm = nominal->widthMm - (nominal->heightMm - nominal->barHeightMm);
    const auto square = render::LayOut(number, options);
    if (!square) {
        return Fail(square.Error());
    }
    const auto svg = render::EncodeSvg(*square);
    if (!svg) {
        return Fail(svg.Error());
    }
    if (const auto written = varnholt::files::WriteFileAtomically(argv[1], *svg); !written) {
        return Fail(written.Error());
    }
    return 0;
}
