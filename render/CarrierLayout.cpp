#include "render/CarrierLayout.h"

#include <string>
#include <vector>

#include "model/DataMatrix.h"
#include "model/Gs1128.h"
#include "model/gs1/Bracketed.h"
#include "model/gs1/DigitalLink.h"
#include "model/gs1/ScannerData.h"
#include "render/CarrierSizes.h"
#include "render/Gs1128Layout.h"
#include "render/MatrixLayout.h"
#include "render/QrCode.h"

namespace varnholt::render {
namespace {

// A Digital Link URI names its scheme; an element string starts with a bracket.
bool IsUri(std::string_view data) {
    return data.find("://") != std::string_view::npos;
}

// The data's name in file names: its GTIN, or else its first AI and data with every character
// that a file name should not hold made "_".
std::string FileNameOf(const gs1::Reading& reading) {
    if (const std::optional<std::string_view> gtin = reading.ValueOf("01")) {
        return std::string(*gtin);
    }
    const gs1::Element first = reading[0];
    std::string name = std::string(first.ai) + "-" + std::string(first.value);
    for (char& c : name) {
        const bool safe = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                          (c >= 'a' && c <= 'z') || c == '-' || c == '.';
        if (!safe) {
            c = '_';
        }
    }
    return name;
}

// The human-readable text an AI a line: "(01) 09506000134352", "(17) 271231".
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t next = text.find(" (", 1); next != std::string::npos;
         next = text.find(" (", next + 1)) {
        lines.push_back(text.substr(start, next - start));
        start = next + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

Result<Layout> LayOutCarrier(std::string_view data, const ReviewedOptions& reviewed) {
    const CarrierOptions& asked = reviewed.options.gs1;
    const DataCarrier carrier = *asked.carrier;
    const bool uri = IsUri(data);
    const Result<gs1::Reading> reading =
        uri ? gs1::ReadDigitalLink(data) : gs1::ReadBracketed(data);
    if (!reading) {
        return Result<Layout>::Failure(ErrorKind::Input, reading.Error());
    }
    Layout layout;
    layout.carrier = carrier;
    layout.number = FileNameOf(*reading);
    layout.module = reviewed.module;
    layout.dpi = reviewed.dpi;
    layout.foreground = reviewed.options.foreground;
    layout.background = reviewed.options.background;
    layout.transparentBackground = reviewed.options.transparentBackground;
    const std::string text = gs1::HumanReadableText(*reading);
    const int quiet = SizeOf(carrier).quietZoneModules;

    if (carrier == DataCarrier::Gs1128) {
        const Result<Gs1128Symbol> symbol = EncodeGs1128(gs1::ElementString(*reading));
        if (!symbol) {
            return Result<Layout>::FailureOf(symbol);
        }
        layout.data = uri ? std::string(data) : text;
        if (const Result<Done> placed = PlaceGs1128(layout, *symbol, text, reviewed); !placed) {
            return Result<Layout>::FailureOf(placed);
        }
        return layout;
    }
    if (carrier == DataCarrier::DataMatrix) {
        const Result<ModuleGrid> grid =
            uri ? EncodeDataMatrixText(data, asked.shape)
                : EncodeGs1DataMatrix(gs1::ElementString(*reading), asked.shape);
        if (!grid) {
            return Result<Layout>::FailureOf(grid);
        }
        layout.data = uri ? std::string(data) : text;
        PlaceMatrix(layout, *grid, quiet,
                    asked.humanReadable ? LinesOf(text) : std::vector<std::string>{}, reviewed);
        return layout;
    }
    // A QR Code carries GS1 data only as a Digital Link URI.
    if (uri) {
        layout.data = std::string(data);
    } else {
        Result<std::string> made = gs1::DigitalLinkUri(*reading, asked.stem);
        if (!made) {
            return Result<Layout>::Failure(ErrorKind::Input, made.Error());
        }
        layout.data = *std::move(made);
        layout.note = "drawn as its Digital Link URI " + layout.data;
    }
    const Result<ModuleGrid> grid = EncodeQrText(layout.data, asked.errorCorrection);
    if (!grid) {
        return Result<Layout>::FailureOf(grid);
    }
    PlaceMatrix(layout, *grid, quiet, {}, reviewed);
    return layout;
}

}  // namespace varnholt::render
