#pragma once

#include <string_view>

#include "control/DrawingSurface.h"

namespace varnholt {

// What a control calls on the container that hosts it. Every operation is synchronous and
// runs on the one user-interface thread; any of them may report a failure by throwing.
class ControlHost {
  public:
    virtual ~ControlHost() = default;

    // Runs the control's paint handler for the whole control; returns when it has finished.
    virtual void Repaint() = 0;
    // Marks the container as changed because the named property changed.
    virtual void PropertyChanged(std::string_view propertyName) = 0;
    // Runs the container's handler for the control's event with this number, if it has one;
    // returns when the handler has returned.
    virtual void RaiseEvent(int eventNumber) = 0;
    // While false, the host sends the control no click or double-click notifications.
    virtual void SetEnabledState(bool enabled) = 0;
    // The surface the control's area is drawn on, filled with white before each paint.
    virtual DrawingSurface& Surface() = 0;
    // Height of the control's drawing area in pixels.
    virtual float DrawingAreaHeight() = 0;
    // Resizes the control to this width in twips.
    virtual void SetWidth(float twips) = 0;
    // The screen's horizontal twips per pixel (15 at 96 dots per inch).
    virtual float TwipsPerPixel() = 0;
};

}  // namespace varnholt
