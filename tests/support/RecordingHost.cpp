#include "tests/support/RecordingHost.h"

#include <algorithm>
#include <stdexcept>

namespace varnholt::test {

RecordingHost::RecordingHost(float height)
    : RasterHost(static_cast<int>(height), CreatedOnly{}), surface_(Raster()) {
    ReportHeight(height);
    DrawThrough(&surface_);
}

std::vector<std::string> RecordingHost::HostCalls() const {
    std::vector<std::string> calls;
    std::ranges::copy_if(log_, std::back_inserter(calls), [](const std::string& entry) {
        return entry != "Surface" && entry != "DrawingAreaHeight";
    });
    return calls;
}

int RecordingHost::Count(std::string_view entry) const {
    return static_cast<int>(std::ranges::count(log_, entry));
}

void RecordingHost::Record(std::string entry, std::string_view operation) {
    log_.push_back(std::move(entry));
    if (failing_.contains(operation)) {
        throw std::runtime_error("host failure: " + std::string(operation));
    }
}

void RecordingHost::Repaint() {
    Record("Repaint", "Repaint");
    if (paintOnRepaint_) {
        Paint();
    }
}

void RecordingHost::PropertyChanged(std::string_view propertyName) {
    Record("PropertyChanged " + std::string(propertyName), "PropertyChanged");
}

void RecordingHost::RaiseEvent(int eventNumber) {
    Record("RaiseEvent " + std::to_string(eventNumber), "RaiseEvent");
    if (const auto handler = handlers_.find(eventNumber); handler != handlers_.end()) {
        handler->second();
    }
}

void RecordingHost::SetEnabledState(bool enabled) {
    Record(enabled ? "SetEnabledState true" : "SetEnabledState false", "SetEnabledState");
    RasterHost::SetEnabledState(enabled);
}

DrawingSurface& RecordingHost::Surface() {
    Record("Surface", "Surface");
    return RasterHost::Surface();
}

float RecordingHost::DrawingAreaHeight() {
    Record("DrawingAreaHeight", "DrawingAreaHeight");
    return RasterHost::DrawingAreaHeight();
}

void RecordingHost::SetWidth(float twips) {
    Record("SetWidth " + std::to_string(static_cast<int>(twips)), "SetWidth");
    widthTwips_ = twips;
}

float RecordingHost::TwipsPerPixel() {
    Record("TwipsPerPixel", "TwipsPerPixel");
    return twipsPerPixel_;
}

}  // namespace varnholt::test
