#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/DataCarrier.h"
#include "model/DataMatrix.h"
#include "model/Symbology.h"
#include "model/gs1/DigitalLink.h"
#include "render/Color.h"
#include "render/QrCode.h"

namespace varnholt::render {

// Print gain compensation: every dark bar narrowed by this much, half on each side. In dots
// it needs a resolution; in millimetres it is rounded to whole dots when there is one.
struct BarWidthReduction {
    enum class Unit : std::uint8_t { Millimetres, Dots };
    double amount = 0.0;
    Unit unit = Unit::Millimetres;
};

// What a symbol of GS1 data is drawn as, when the data is GS1's rather than a number.
struct CarrierOptions {
    // GS1-128, DataMatrix or QR Code; unset for a number of the EAN/UPC family.
    std::optional<DataCarrier> carrier;
    // The module width; when unset, the target of the carrier's row of kCarrierSizes.
    std::optional<double> xDimensionMm;
    // A DataMatrix's outline; a rectangle where one holds the data.
    DataMatrixShape shape = DataMatrixShape::Square;
    // A QR Code's error correction.
    QrErrorCorrection errorCorrection = QrErrorCorrection::M;
    // The domain and path before the primary key when element strings become Digital Link URIs
    // for a QR Code.
    std::string stem{gs1::kGs1Stem};
    // The data's text under a DataMatrix, an AI a line. A label that holds the symbol beside
    // an EAN/UPC symbol, but not its text, leaves it out.
    bool humanReadable = true;
};

// How the print-quality symbol is asked for. Sizes are in millimetres.
struct Options {
    // The symbol to draw: EAN-13, EAN-8, UPC-A or UPC-E. When unset, the number's length
    // picks EAN-13 or EAN-8.
    std::optional<Symbology> symbology;
    // The module width. 0.330 mm is the nominal size (100 %); 0.264 to 0.660 mm are allowed.
    double xDimensionMm = 0.330;
    // Printer resolution in dots per inch. When set, every module is a whole number of dots
    // (the X-dimension snaps to the nearest that fits), and so are the bars' height and
    // edges. Raster output needs it; without one, raster output takes kDefaultDpi.
    std::optional<double> dpi;
    // Bar height; when unset, 22.85 mm scaled with the magnification. Less than that is a
    // truncated symbol, which is reported.
    std::optional<double> barHeightMm;
    // The light margins scanners need: 11 modules left and 7 right of an EAN-13, 7 and 7
    // around an EAN-8, 9 and 9 around a UPC-A, 9 and 7 around a UPC-E, and 5 right of an
    // add-on.
    bool quietZones = true;
    // "<" and ">" marking the quiet zones' outer edges: ">" right of an EAN-13 (and of its
    // add-on), both around an EAN-8; a UPC has none. They need the quiet zones.
    bool marginIndicators = false;
    Rgb foreground = kBlack;
    Rgb background = kWhite;
    bool transparentBackground = false;
    BarWidthReduction barWidthReduction;
    // Set for GS1 data; then symbology, xDimensionMm and marginIndicators are not used.
    CarrierOptions gs1;

    static constexpr double kDefaultDpi = 300.0;
};

}  // namespace varnholt::render
