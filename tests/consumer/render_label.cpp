// Writes the print-quality symbol of a number as SVG and as a PNG for a 300 dpi printer,
// as the README shows, and prints what the request came to; then GS1 data as a GS1
// DataMatrix through the same steps.

#include <cstdio>
#include <string>

#include "files/AtomicFile.h"
#include "render/FileFormat.h"
#include "render/Layout.h"

int main(int argc, char* argv[]) {
    namespace render = varnholt::render;
    namespace files = varnholt::files;
    using varnholt::Done;
    using varnholt::Result;
    const std::string folder = argc > 1 ? argv[1] : ".";

    render::Options options;  // 0.33 mm modules, GS1 quiet zones, black on white
    options.dpi = 300.0;
    const Result<render::ReviewedOptions> reviewed = render::Review(options);
    const Result<render::Layout> layout = reviewed ? render::LayOut("400638133393", *reviewed)
                                                   : Result<render::Layout>::FailureOf(reviewed);
    if (!layout) {
        std::fprintf(stderr, "%s\n", layout.Error().c_str());
        return 1;
    }
    std::printf("%s: %s, %.2f x %.2f mm\n", layout->number.c_str(), reviewed->report.c_str(),
                layout->widthMm, layout->heightMm);
    for (const render::FileFormat format : {render::FileFormat::Svg, render::FileFormat::Png}) {
        const std::string file = folder + "/label." + std::string(render::NameOf(format));
        const Result<std::string> bytes = render::Encode(*layout, format);
        const Result<Done> written =
            bytes ? files::WriteFileAtomically(file, *bytes) : Result<Done>::FailureOf(bytes);
        if (!written) {
            std::fprintf(stderr, "%s\n", written.Error().c_str());
            return 1;
        }
        std::printf("wrote %s\n", file.c_str());
    }
    render::Options gs1 = options;
    gs1.gs1.carrier = varnholt::DataCarrier::DataMatrix;  // GS1's target X-dimension
    const Result<render::Layout> matrix = render::LayOut("(01)09506000134352(17)271231", gs1);
    const Result<std::string> png = matrix ? render::Encode(*matrix, render::FileFormat::Png)
                                           : Result<std::string>::FailureOf(matrix);
    const Result<Done> written =
        png ? files::WriteFileAtomically(folder + "/gs1.png", *png) : Result<Done>::FailureOf(png);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.Error().c_str());
        return 1;
    }
    std::printf("wrote %s/gs1.png: %s, %.3f mm modules\n", folder.c_str(), matrix->data.c_str(),
                matrix->module.mm);
    return layout->number == "4006381333931" && matrix->number == "09506000134352" ? 0 : 1;
}
