// The window's context menu: Copy and Save As for Barcode1's print-quality symbol, enabled
// only for a complete, valid number, opened by a right click on the control or beside it.

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>

#include "demo/FormVarnholtWindow.h"
#include "platform/qt/BarcodeWidget.h"
#include "tests/platform/qt/SvgTitle.h"
#include "tests/render/Rasterizer.h"

namespace varnholt {
namespace {

constexpr int kPollMs = 10;
constexpr int kPolls = 500;

// Watches, while it lives, for the next popup or modal window of type W and runs `handle`
// on it from inside the event loop that shows it. A required window that has not opened when
// the watcher ends fails the test; so does one that takes too long, and whatever is open
// then is closed, so that the test ends rather than waits.
template <class W>
class WhenOpen {
  public:
    explicit WhenOpen(std::function<void(W&)> handle, bool required = true)
        : state_(std::make_shared<State>()) {
        state_->handle = std::move(handle);
        state_->required = required;
        Poll(state_, kPolls);
    }
    ~WhenOpen() {
        if (state_->required && !state_->done) {
            ADD_FAILURE() << "no " << W::staticMetaObject.className() << " opened";
        }
        state_->done = true;
    }
    WhenOpen(const WhenOpen&) = delete;
    WhenOpen& operator=(const WhenOpen&) = delete;

  private:
    struct State {
        std::function<void(W&)> handle;
        bool required = true;
        bool done = false;
    };

    static void Poll(std::shared_ptr<State> state, int pollsLeft) {
        QTimer::singleShot(kPollMs, [state, pollsLeft] {
            if (state->done) {
                return;
            }
            QWidget* open = QApplication::activePopupWidget();
            if (open == nullptr) {
                open = QApplication::activeModalWidget();
            }
            auto* wanted = qobject_cast<W*>(open);
            if (wanted != nullptr && wanted->isVisible()) {
                state->done = true;
                state->handle(*wanted);
            } else if (pollsLeft > 0) {
                Poll(state, pollsLeft - 1);
            } else if (state->required) {
                state->done = true;
                ADD_FAILURE() << "no " << W::staticMetaObject.className() << " opened in time";
                if (open != nullptr) {
                    open->close();
                }
            }
        });
    }

    std::shared_ptr<State> state_;
};

// Types `digits` at the window as a user does, closing the box a 13th digit brings.
void Type(FormVarnholtWindow& window, const QString& digits) {
    const WhenOpen<QMessageBox> box(
        [](QMessageBox& opened) { opened.button(QMessageBox::Ok)->click(); }, digits.size() == 13);
    QTest::keyClicks(&window, digits);
}

struct MenuEntry {
    QString text;
    bool enabled = false;
};

// Right-clicks `at` and returns the menu's entries; chooses the entry `choose` when given
// (and enabled), else closes the menu.
std::vector<MenuEntry> RightClick(QWidget& at, const QString& choose = {}) {
    std::vector<MenuEntry> entries;
    const WhenOpen<QMenu> menu([&entries, choose](QMenu& opened) {
        QAction* chosen = nullptr;
        for (QAction* action : opened.actions()) {
            entries.push_back({action->text(), action->isEnabled()});
            if (action->text() == choose) {
                chosen = action;
            }
        }
        if (chosen != nullptr) {
            QTest::mouseClick(&opened, Qt::LeftButton, {}, opened.actionGeometry(chosen).center());
        } else {
            opened.close();
        }
    });
    // Through the window system, which turns a right button press into the context menu
    // event and sends it to the widget under the pointer.
    QWidget* window = at.window();
    const QPoint centre = at.mapTo(window, QPoint(at.width() / 2, at.height() / 2));
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, centre);
    return entries;
}

const QString kCopy = QStringLiteral("&Copy");
const QString kSaveAs = QStringLiteral("Save &As…");

TEST(FormVarnholtWindowMenu, EntriesAreEnabledOnlyForACompleteValidNumber) {
    struct Row {
        const char* name;
        const char* typed;
        bool backspace;
        bool enabled;
    };
    const Row rows[] = {
        {"no number", "", false, false},
        {"twelve digits", "540010110997", false, false},
        {"wrong check digit", "5400101109972", false, false},
        {"valid", "5400101109971", false, true},
        {"valid, then Backspace", "5400101109971", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FormVarnholtWindow window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        int clicks = 0;
        QObject::connect(&window.Barcode1(), &qt::BarcodeWidget::Click, [&] { ++clicks; });
        QObject::connect(&window.Barcode1(), &qt::BarcodeWidget::DblClick, [&] { ++clicks; });
        Type(window, QString::fromLatin1(row.typed));
        if (row.backspace) {
            QTest::keyClick(&window, Qt::Key_Backspace);
        }
        // On the control and on the window beside it: the menu is the window's.
        for (QWidget* at :
             {static_cast<QWidget*>(&window.Barcode1()), static_cast<QWidget*>(&window)}) {
            const std::vector<MenuEntry> entries = RightClick(*at);
            ASSERT_EQ(entries.size(), 2u);
            EXPECT_EQ(entries[0].text, kCopy);
            EXPECT_EQ(entries[1].text, kSaveAs);
            EXPECT_EQ(entries[0].enabled, row.enabled);
            EXPECT_EQ(entries[1].enabled, row.enabled);
        }
        EXPECT_EQ(clicks, 0) << "the control stays disabled for clicks";
    }
}

TEST(FormVarnholtWindowMenu, CopyPutsTheSymbolOnTheClipboard) {
    FormVarnholtWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Type(window, QStringLiteral("4006381333931"));
    QGuiApplication::clipboard()->clear();
    RightClick(window.Barcode1(), kCopy);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/png")));
    EXPECT_EQ(test::SvgTitle(data->data(QStringLiteral("image/svg+xml"))),
              QStringLiteral("4006381333931"));
}

std::string ReadFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Save As with `fileName` typed into the dialog; the text of the box that follows, if any.
std::optional<QString> SaveAs(FormVarnholtWindow& window, const QString& fileName) {
    const WhenOpen<QFileDialog> dialog([fileName](QFileDialog& opened) {
        // The name field, as the user fills it in; selectFile leaves a field with the focus
        // as it is.
        auto* nameField = opened.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (nameField == nullptr) {
            ADD_FAILURE() << "the dialog has no file name field";
            opened.reject();
            return;
        }
        nameField->setText(fileName);
        static_cast<QDialog&>(opened).accept();  // as its Save button does
    });
    std::optional<QString> boxText;
    const WhenOpen<QMessageBox> box(
        [&boxText](QMessageBox& opened) {
            boxText = opened.text();
            opened.button(QMessageBox::Ok)->click();
        },
        false);
    RightClick(window, kSaveAs);
    return boxText;
}

TEST(FormVarnholtWindowMenu, SaveAsWritesTheFormatTheExtensionNames) {
    struct Row {
        const char* fileName;
        render::FileFormat format;
    };
    const Row rows[] = {
        {"symbol.svg", render::FileFormat::Svg}, {"symbol.pdf", render::FileFormat::Pdf},
        {"symbol.eps", render::FileFormat::Eps}, {"symbol.png", render::FileFormat::Png},
        {"SYMBOL.PNG", render::FileFormat::Png},
    };
    FormVarnholtWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Type(window, QStringLiteral("5400101109971"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fileName);
        QTemporaryDir folder;
        const QString path = folder.filePath(QString::fromLatin1(row.fileName));
        EXPECT_EQ(SaveAs(window, path), std::nullopt) << "no box";
        const std::string bytes = ReadFile(path);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(test::DecodeWithZBar(test::Rasterize(bytes, row.format, 300.0)),
                  std::vector<std::string>{"5400101109971"});
    }
}

TEST(FormVarnholtWindowMenu, SaveAsSaysWhyNothingWasWritten) {
    struct Row {
        const char* name;
        const char* fileName;
        const char* boxSays;
    };
    const Row rows[] = {
        {"unknown extension", "symbol.txt", ".svg, .pdf, .eps or .png"},
        {"no extension", "symbol", ".svg, .pdf, .eps or .png"},
        {"missing folder", "missing/symbol.png", "No such file or directory"},
    };
    FormVarnholtWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Type(window, QStringLiteral("5400101109971"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const QString path = folder.filePath(QString::fromLatin1(row.fileName));
        const std::optional<QString> box = SaveAs(window, path);
        ASSERT_TRUE(box.has_value());
        EXPECT_TRUE(box->contains(QString::fromLatin1(row.boxSays))) << box->toStdString();
        EXPECT_TRUE(box->contains(path)) << "the box names the file: " << box->toStdString();
        EXPECT_TRUE(QDir(folder.path()).isEmpty()) << "nothing is written";
    }
}

}  // namespace
}  // namespace varnholt
