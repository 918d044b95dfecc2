// Validates a number with the model, then paints it with the control into a software
// surface through a host of its own, and prints what it got.

#include <cstdio>
#include <string>

#include "control/Barcode.h"
#include "model/EAN.h"
#include "model/Version.h"
#include "platform/gdi/SoftwareSurface.h"

namespace {

// The smallest useful host: paints at once into its own raster, ignores the rest.
class Host final : public varnholt::ControlHost {
  public:
    varnholt::gdi::SoftwareSurface raster{varnholt::Barcode::Width, 81};
    varnholt::Barcode barcode{*this};
    int changes = 0;

    void Repaint() override {
        raster.Fill(varnholt::kWhite);
        barcode.OnPaint();
    }
    void PropertyChanged(std::string_view) override {}
    void RaiseEvent(int event) override { changes += event == varnholt::Barcode::Change; }
    void SetEnabledState(bool) override {}
    varnholt::DrawingSurface& Surface() override { return raster; }
    float DrawingAreaHeight() override { return 81.0f; }
    void SetWidth(float) override {}
    float TwipsPerPixel() override { return 15.0f; }
};

}  // namespace

int main(int argc, char* argv[]) {
    const std::string number = argc > 1 ? argv[1] : "4006381333931";
    varnholt::EAN ean;
    const bool valid = ean.Check(number);

    Host host;
    host.barcode.OnNewInstance();
    host.barcode.Value(number);
    std::string row;
    for (int x = 0; x < varnholt::Barcode::Width; ++x) {
        row += host.raster.GetPixel(x, 30) == varnholt::kWhite ? ' ' : '#';
    }
    std::printf("Varnholt %s\n", std::string(varnholt::kVersion).c_str());
    std::printf("%s valid=%d country=%s number system=%s changes=%d\n", number.c_str(), valid,
                host.barcode.Country().c_str(),
                varnholt::ToText(host.barcode.NumberSystem()).c_str(), host.changes);
    std::printf("|%s|\n", row.c_str());
    const bool drawn = row.find('#') == 15 && row.rfind('#') == 109;
    return valid == host.barcode.Valid() && drawn && host.changes == 1 ? 0 : 1;
}
