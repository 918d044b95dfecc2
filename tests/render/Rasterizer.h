#pragma once

#include <string>

#include "render/FileFormat.h"
#include "tests/support/Decoders.h"

namespace varnholt::test {

// A PNG file's pixels as grey, and the resolution its pHYs chunk holds (0 without one).
struct PngPicture {
    GreyImage image;
    double dpi = 0.0;
};
PngPicture ReadPng(const std::string& bytes);

// The file's picture at `dpi`, as the tools people print with see it: a PNG as it is, SVG
// through rsvg-convert, PDF through pdftoppm and EPS through Ghostscript.
GreyImage Rasterize(const std::string& bytes, render::FileFormat format, double dpi);

// Whether xmllint finds the text well-formed XML.
bool XmlLintPasses(const std::string& text);

}  // namespace varnholt::test
