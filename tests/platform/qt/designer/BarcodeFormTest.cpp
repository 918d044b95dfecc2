// A form made in Qt Designer, compiled by uic in the build: the widget comes back from the
// form with the stored number and colour, and its signals are connected as the form says.

#include <gtest/gtest.h>
#include <QLabel>
#include <QTest>

#include "platform/qt/BarcodeWidget.h"
#include "tests/platform/qt/ImageScan.h"
#include "ui_BarcodeForm.h"

namespace varnholt::qt {
namespace {

const QRgb kStoredColor = qRgb(0, 0, 160);

// Shows the form and waits for the window system's paint of the control, which runs after
// the layout has sized it.
bool ShowAndWaitForThePaint(QWidget& form, const BarcodeWidget& barcode) {
    form.show();
    return QTest::qWaitForWindowExposed(&form) && QTest::qWaitFor([&barcode] {
               const raster::SoftwareSurface& shown = barcode.BackBuffer();
               for (int x = 0; x < shown.Width(); ++x) {
                   if (shown.GetPixel(x, shown.Height() / 2) != kWhite) {
                       return true;
                   }
               }
               return false;
           });
}

TEST(CompiledForm, ShowsTheStoredNumberInTheStoredColour) {
    QWidget form;
    Ui::BarcodeForm ui;
    ui.setupUi(&form);
    ASSERT_TRUE(ShowAndWaitForThePaint(form, *ui.barcode));

    EXPECT_EQ(ui.barcode->Control().Value(), "4006381333931");
    EXPECT_EQ(ui.barcode->Control().ForeColor(), 0x00A00000u);
    EXPECT_TRUE(ui.barcode->Control().Enabled()) << "not stored, so as placed new";

    const QImage shown = ui.barcode->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int inStoredColour = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y);
            ASSERT_TRUE(pixel == kStoredColor || pixel == qRgb(255, 255, 255))
                << "pixel " << x << "," << y << " is " << std::hex << pixel;
            inStoredColour += pixel == kStoredColor ? 1 : 0;
        }
    }
    EXPECT_GT(inStoredColour, 0);

    EXPECT_EQ(test::ScanWithZBar(shown), std::vector<std::string>{"4006381333931"});
}

TEST(CompiledForm, ConnectsTheSignalsItHolds) {
    QWidget form;
    Ui::BarcodeForm ui;
    ui.setupUi(&form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_FALSE(ui.clicks->text().isEmpty());
    QTest::mouseClick(ui.barcode, Qt::LeftButton);
    EXPECT_TRUE(ui.clicks->text().isEmpty()) << "Click() reached the label's clear()";
}

}  // namespace
}  // namespace varnholt::qt
