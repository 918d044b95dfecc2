#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "raster/RasterHost.h"
#include "tests/support/RecordingSurface.h"

namespace varnholt::test {

// The window-less host, watched: logs every operation the control calls, in order, paints
// through a recording surface and can be told to fail any operation. The control is only
// created; tests place or load it themselves.
class RecordingHost : public raster::RasterHost {
  public:
    // The control's own size on the form: 115 x 81 pixels at 15 twips per pixel. A height
    // that is not whole is reported as it is; the raster takes its whole part.
    explicit RecordingHost(float height = 81.0f);

    RecordingSurface& Recorder() { return surface_; }

    // Operations logged so far, e.g. "PropertyChanged Value", "Repaint", "RaiseEvent 1".
    const std::vector<std::string>& Log() const { return log_; }
    // The log without surface fetches and height reads, which painting does many times.
    std::vector<std::string> HostCalls() const;
    void ClearLog() { log_.clear(); }
    int Count(std::string_view entry) const;

    // Makes the named operation ("Repaint", "PropertyChanged", ...) throw from now on.
    void Fail(std::string operation) { failing_.insert(std::move(operation)); }
    void SetTwipsPerPixel(float twips) { twipsPerPixel_ = twips; }
    bool EnabledState() const { return ClicksEnabled(); }
    // The width last asked for, in twips.
    float Width() const { return widthTwips_; }
    // Runs when the control raises the event with this number.
    void OnEvent(int number, std::function<void()> handler) {
        handlers_[number] = std::move(handler);
    }
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

    RecordingSurface surface_;
    std::vector<std::string> log_;
    std::set<std::string, std::less<>> failing_;
    std::map<int, std::function<void()>> handlers_;
    float twipsPerPixel_ = 15.0f;
    float widthTwips_ = 0.0f;
    bool paintOnRepaint_ = true;
};

}  // namespace varnholt::test
