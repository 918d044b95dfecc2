#include "demo/FormVarnholtWindow.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/BarcodeWidget.h"

namespace varnholt {
namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

// Watches for message boxes and closes each with its OK button.
class BoxCloser {
  public:
    BoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen.push_back({box->windowTitle(), box->text(), box->icon(),
                            static_cast<int>(box->buttons().size())});
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        timer_.start(10);
    }
    std::vector<SeenBox> seen;

  private:
    QTimer timer_;
};

TEST(FormVarnholtWindow, HasItsStoredLayout) {
    FormVarnholtWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Varnholt"));
    // The program's icon, built in when the icon theme has none.
    EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(128, 128)));
    EXPECT_EQ(window.size(), QSize(265, 112));
    EXPECT_EQ(window.Barcode1().geometry(), QRect(72, 16, 115, 81));
    EXPECT_EQ(window.Barcode1().objectName(), QStringLiteral("Barcode1"));
    EXPECT_EQ(window.Barcode1().Control().Value(), "");
    EXPECT_FALSE(window.Barcode1().Control().Enabled());
}

TEST(FormVarnholtWindow, KeysEditTheNumberAndANewNumberShowsTheBox) {
    FormVarnholtWindow window;
    window.show();
    BoxCloser closer;
    const Barcode& barcode = window.Barcode1().Control();

    QTest::keyClicks(&window, QStringLiteral("540010110"));
    QTest::keyClick(&window, Qt::Key_9, Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_9, Qt::KeypadModifier);
    QTest::keyClick(&window, Qt::Key_7, Qt::ControlModifier);
    EXPECT_TRUE(closer.seen.empty());
    QTest::keyClick(&window, Qt::Key_1);
    EXPECT_EQ(barcode.Value(), "5400101109971");
    ASSERT_EQ(closer.seen.size(), 1u);
    EXPECT_EQ(closer.seen[0].title, QStringLiteral("Varnholt"));
    EXPECT_EQ(closer.seen[0].text, QStringLiteral("True\r\nBE-LU\r\n54\r\n00101\r\n10997"));
    EXPECT_EQ(closer.seen[0].icon, QMessageBox::Information);
    EXPECT_EQ(closer.seen[0].buttons, 1);

    QTest::keyClick(&window, Qt::Key_5);
    QTest::keyClick(&window, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_EQ(barcode.Value(), "5400101109971");
    QTest::keyClick(&window, Qt::Key_Backspace);
    EXPECT_EQ(barcode.Value(), "540010110997");
    QTest::keyClick(&window, Qt::Key_Delete, Qt::KeypadModifier);
    EXPECT_EQ(barcode.Value(), "");
    EXPECT_EQ(closer.seen.size(), 1u);
}

}  // namespace
}  // namespace varnholt
