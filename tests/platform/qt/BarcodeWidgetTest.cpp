#include "platform/qt/BarcodeWidget.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "control/MemoryPropertyStore.h"

namespace varnholt::qt {
namespace {

bool IsDark(const raster::SoftwareSurface& buffer, int x, int y) {
    return buffer.GetPixel(x, y) != kWhite;
}

// Closes the next modal box once it is up, after running `whileOpen` inside its loop.
void CloseNextBox(std::function<void()> whileOpen = [] {}) {
    QTimer::singleShot(0, [whileOpen] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr) {
            CloseNextBox(whileOpen);
            return;
        }
        whileOpen();
        box->close();
    });
}

TEST(BarcodeWidget, RepaintRunsInsideTheSetter) {
    BarcodeWidget widget;
    int changes = 0;
    bool drawnWhenRaised = false;
    QObject::connect(&widget, &BarcodeWidget::Change, [&] {
        ++changes;
        drawnWhenRaised = IsDark(widget.BackBuffer(), 109, 10) && widget.Control().Valid();
    });
    widget.Control().Value("4006381333931");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(drawnWhenRaised);
}

TEST(BarcodeWidget, WindowPaintsDuringAModalChangeHandlerDoNotRaiseItAgain) {
    BarcodeWidget widget;  // a new control: its first paint raises Change
    int changes = 0;
    QObject::connect(&widget, &BarcodeWidget::Change, [&] {
        if (++changes > 1) {
            return;  // the fault under test: a second Change, and a second box
        }
        CloseNextBox([&] {
            for (int i = 0; i < 3; ++i) {
                widget.repaint();  // the box moved, part of the control uncovered
                QApplication::processEvents();
            }
        });
        QMessageBox::information(&widget, QString(), QStringLiteral("changed"));
    });
    widget.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes > 0; }, 5000));
    QTest::qWait(50);
    widget.repaint();
    QTest::qWait(50);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(IsDark(widget.BackBuffer(), 15, 10));
}

TEST(BarcodeWidget, ChangeHandlerMaySetValueAndRepaintNested) {
    BarcodeWidget widget;
    int changes = 0;
    QObject::connect(&widget, &BarcodeWidget::Change, [&] {
        ++changes;
        if (widget.Control().Value() == "54") {
            widget.Control().Value("540");
        }
    });
    widget.Control().Value("54");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(IsDark(widget.BackBuffer(), 26, 10)) << "the nested paint's third digit";
    widget.Control().Refresh();
    EXPECT_EQ(changes, 2);
}

TEST(BarcodeWidget, ClicksArriveOnlyWhileEnabled) {
    BarcodeWidget widget;
    widget.show();
    int clicks = 0;
    int doubleClicks = 0;
    QObject::connect(&widget, &BarcodeWidget::Click, [&] { ++clicks; });
    QObject::connect(&widget, &BarcodeWidget::DblClick, [&] { ++doubleClicks; });
    widget.Control().Refresh();
    QTest::mouseClick(&widget, Qt::LeftButton);
    QTest::mouseDClick(&widget, Qt::LeftButton);
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
    widget.Control().Enabled(false);
    clicks = doubleClicks = 0;
    QTest::mouseClick(&widget, Qt::LeftButton);
    QTest::mouseDClick(&widget, Qt::LeftButton);
    EXPECT_EQ(clicks + doubleClicks, 0);
}

TEST(BarcodeWidget, KeepsItsWidthAndTakesAnyHeight) {
    MemoryPropertyStore stored{{"Value", "5400101109971"}};
    BarcodeWidget widget(nullptr, &stored);
    widget.resize(300, 90);
    widget.show();
    QApplication::processEvents();
    EXPECT_EQ(widget.width(), Barcode::Width);
    EXPECT_EQ(widget.height(), 90);
    widget.Control().Refresh();
    EXPECT_TRUE(IsDark(widget.BackBuffer(), 15, 90 - 8));
    EXPECT_FALSE(IsDark(widget.BackBuffer(), 15, 90 - 7));
}

TEST(BarcodeWidget, ScreenReadersReadTheNumberAndItsFacts) {
    BarcodeWidget widget;
    widget.setAccessibleName(QStringLiteral("Barcode1"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Barcode1"));
    widget.Control().Value("5400101109971");
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("5400101109971, valid, BE-LU"));
    widget.Control().Value("2000000000008");
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("2000000000008, valid"));
    widget.Control().Value("5400101109972");
    EXPECT_EQ(accessible->text(QAccessible::Value),
              QStringLiteral("5400101109972, not valid, BE-LU"));
    widget.Control().Value("540");
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("540"));
    widget.Control().Value("");
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("no number"));
}

// Every control pixel comes out as a whole square of device pixels, pure black or white,
// never smoothed. Run also with QT_SCALE_FACTOR set, and VARNHOLT_PIXEL_SCALE the device
// pixels each control pixel must take then (2 at 200 %, 1 at 150 %); unset, at 100 %.
TEST(BarcodeWidgetScaling, ShowsEachControlPixelAsAWholeSquare) {
    BarcodeWidget widget;
    widget.show();
    widget.Control().Refresh();
    QApplication::processEvents();
    const qreal ratio = widget.devicePixelRatioF();
    const int scale = qEnvironmentVariableIsSet("VARNHOLT_PIXEL_SCALE")
                          ? qEnvironmentVariableIntValue("VARNHOLT_PIXEL_SCALE")
                          : 1;
    ASSERT_GE(scale, 1);
    const QImage shown = widget.grab().toImage();
    const raster::SoftwareSurface& buffer = widget.BackBuffer();
    int checked = 0;
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            const QRgb expected = IsDark(buffer, x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    const QRgb pixel = shown.pixel(x * scale + dx, y * scale + dy) | 0xFF000000u;
                    ASSERT_EQ(pixel, expected)
                        << "control pixel " << x << "," << y << " ratio " << ratio;
                    ++checked;
                }
            }
        }
    }
    EXPECT_EQ(checked, buffer.Width() * buffer.Height() * scale * scale);
}

}  // namespace
}  // namespace varnholt::qt
