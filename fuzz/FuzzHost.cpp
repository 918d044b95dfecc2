#include "fuzz/FuzzHost.h"

namespace varnholt::fuzz {

void FuzzHost::Paint() {
    raster_.Fill(kWhite);
    reference_.Clear();
    control_.OnPaint();
    ++paints;
}

void FuzzHost::Repaint() {
    ++repaints;
    Paint();
}

void FuzzHost::PropertyChanged(std::string_view propertyName) {
    propertiesChanged.emplace_back(propertyName);
}

void FuzzHost::RaiseEvent(int eventNumber) {
    events.push_back(eventNumber);
}

}  // namespace varnholt::fuzz
