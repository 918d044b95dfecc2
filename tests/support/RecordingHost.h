#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "control/Barcode.h"
#include "control/ControlHost.h"
#include "platform/gdi/SoftwareSurface.h"
#include "tests/support/RecordingSurface.h"

namespace varnholt::test {

// A control host for tests: logs every operation the control calls, in order, paints into a
// software surface (through a recording wrapper) and can be told to fail any operation.
class RecordingHost final : public ControlHost {
  public:
    // The control's own size on the form: 115 x 81 pixels at 15 twips per pixel.
    explicit RecordingHost(int width = Barcode::Width, float height = 81.0f);

    // The control this host repaints; the host creates it.
    Barcode& Control() { return control_; }
    gdi::SoftwareSurface& Raster() { return raster_; }
    RecordingSurface& Recorder() { return surface_; }

    // Operations logged so far, e.g. "PropertyChanged Value", "Repaint", "RaiseEvent 1".
    const std::vector<std::string>& Log() const { return log_; }
    // The log without surface fetches and height reads, which painting does many times.
    std::vector<std::string> HostCalls() const;
    void ClearLog() { log_.clear(); }
    int Count(std::string_view entry) const;

    // Makes the named operation ("Repaint", "PropertyChanged", ...) throw from now on.
    void Fail(std::string operation) { failing_.insert(std::move(operation)); }
    void SetHeight(float height) { height_ = height; }
    void SetTwipsPerPixel(float twips) { twipsPerPixel_ = twips; }
    bool EnabledState() const { return enabledState_; }
    float Width() const { return widthTwips_; }
    // Runs when the control raises the event with this number.
    void OnEvent(int number, std::function<void()> handler) {
        handlers_[number] = std::move(handler);
    }

    // The host's side of a paint: fill white, then the control's paint handler.
    void Paint();
    // While false, Repaint only logs, as a host that does not paint a hidden control.
    void SetPaintOnRepaint(bool paint) { paintOnRepaint_ = paint; }

    void Repaint() override;
    void PropertyChanged(std::string_view propertyName) override;
    void RaiseEvent(int eventNumber) override;
    void SetEnabledState(bool enabled) override;
    DrawingSurface& Surface() override;
    float DrawingAreaHeight() override;
    void SetWidth(float twips) override;
    float TwipsPerPixel() override;

  private:
    void Record(std::string entry, std::string_view operation);

    gdi::SoftwareSurface raster_;
    RecordingSurface surface_;
    Barcode control_;
    std::vector<std::string> log_;
    std::set<std::string, std::less<>> failing_;
    std::map<int, std::function<void()>> handlers_;
    float height_;
    float twipsPerPixel_ = 15.0f;
    float widthTwips_ = 0.0f;
    bool enabledState_ = true;
    bool paintOnRepaint_ = true;
};

}  // namespace varnholt::test
