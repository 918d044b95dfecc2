// The widget's ForeColor as a Qt property, as form designers show and set it.

#include <gtest/gtest.h>
#include <QMetaProperty>

#include "platform/qt/BarcodeWidget.h"

namespace varnholt::qt {
namespace {

// ForeColor reads as the colour the control draws, a system colour translated; a colour set
// through it is a concrete one, and resetting it brings back the window-text reference a new
// control holds.
TEST(BarcodeWidgetProperties, ForeColorShowsSystemColoursAndResetsToWindowText) {
    BarcodeWidget widget;
    ASSERT_EQ(widget.Control().ForeColor(), kWindowTextColor);
    EXPECT_EQ(widget.property("ForeColor").value<QColor>(), QColor(0, 0, 0));

    widget.Control().ForeColor(0x8000000D);  // highlight
    EXPECT_EQ(widget.property("ForeColor").value<QColor>(), QColor(10, 36, 106));
    widget.Control().ForeColor(0x12345678);  // names no colour: the control draws nothing
    EXPECT_FALSE(widget.property("ForeColor").value<QColor>().isValid());

    widget.setProperty("ForeColor", QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(widget.Control().ForeColor(), 0x00804020u);
    widget.setProperty("ForeColor", QColor());
    EXPECT_EQ(widget.Control().ForeColor(), 0x00804020u) << "an invalid colour is ignored";

    const QMetaObject& meta = BarcodeWidget::staticMetaObject;
    EXPECT_TRUE(meta.property(meta.indexOfProperty("ForeColor")).reset(&widget));
    EXPECT_EQ(widget.Control().ForeColor(), kWindowTextColor);
}

}  // namespace
}  // namespace varnholt::qt
