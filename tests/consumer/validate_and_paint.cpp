// Validates a number with the model, then paints it with the control into a raster, and
// prints what it got.

#include <cstdio>
#include <string>

#include "control/Barcode.h"
#include "model/EAN.h"
#include "model/Version.h"
#include "raster/RasterHost.h"

int main(int argc, char* argv[]) {
    const std::string number = argc > 1 ? argv[1] : "4006381333931";
    varnholt::EAN ean;
    const bool valid = ean.Check(number);

    varnholt::raster::RasterHost host;
    int changes = 0;
    host.OnEvent([&changes](int event) { changes += event == varnholt::Barcode::Change; });
    varnholt::Barcode& barcode = host.Control();
    barcode.Value(number);

    std::string row;
    for (int x = 0; x < varnholt::Barcode::Width; ++x) {
        row += host.Raster().GetPixel(x, 30) == varnholt::kWhite ? ' ' : '#';
    }
    std::printf("Varnholt %s\n", std::string(varnholt::kVersion).c_str());
    std::printf("%s valid=%d country=%s number system=%s changes=%d\n", number.c_str(), valid,
                barcode.Country().c_str(), varnholt::ToText(barcode.NumberSystem()).c_str(),
                changes);
    std::printf("|%s|\n", row.c_str());
    const bool drawn = row.find('#') == 15 && row.rfind('#') == 109;
    return valid == barcode.Valid() && drawn && changes == 1 ? 0 : 1;
}
