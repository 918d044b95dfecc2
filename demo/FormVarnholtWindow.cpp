#include "demo/FormVarnholtWindow.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <cmath>
#include <stdexcept>

#include "demo/FormVarnholtData.h"
#include "demo/SaveSymbolAs.h"
#include "platform/qt/BarcodeWidget.h"
#include "platform/qt/VirtualKey.h"

namespace varnholt {
namespace {

QString FromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Creates a control of a stored type name on `parent`.
qt::BarcodeWidget* CreateControl(std::string_view typeName, QWidget* parent,
                                 const PropertyStore& stored) {
    if (typeName != form_varnholt::kControlType) {
        throw std::invalid_argument("unknown control type");
    }
    return new qt::BarcodeWidget(parent, &stored);
}

// The shift state as the key-down step receives it: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
    return static_cast<std::int16_t>((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
                                     (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
                                     (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

// The program's icon from the icon theme, as the desktop shows it; else the copy built in.
QIcon ProgramIcon() {
    QIcon builtIn;
    builtIn.addFile(QStringLiteral(":/icons/varnholt-48.png"));
    builtIn.addFile(QStringLiteral(":/icons/varnholt-128.png"));
    return QIcon::fromTheme(QStringLiteral("varnholt"), builtIn);
}

}  // namespace

FormVarnholtWindow::FormVarnholtWindow(QWidget* parent) : QWidget(parent) {
    using namespace form_varnholt;
    setWindowTitle(FromText(kCaption));
    setWindowIcon(ProgramIcon());
    setFocusPolicy(Qt::StrongFocus);
    const double twipsPerPixel = 1440.0 / logicalDpiX();
    const auto pixels = [twipsPerPixel](int twips) {
        return static_cast<int>(std::lround(twips / twipsPerPixel));
    };
    setFixedSize(pixels(kClientWidth), pixels(kClientHeight));

    barcode1_ = CreateControl(kControlType, this, Barcode1Properties());
    barcode1_->setObjectName(FromText(kControlName));
    barcode1_->setAccessibleName(FromText(kControlName));
    barcode1_->setGeometry(pixels(kControlLeft), pixels(kControlTop), pixels(kControlWidth),
                           pixels(kControlHeight));

    form_ = std::make_unique<FormVarnholt>(barcode1_->Control(), static_cast<MessageBox&>(*this));
    connect(barcode1_, &qt::BarcodeWidget::Change, this, [this] { form_->Barcode1_Change(); });
}

FormVarnholtWindow::~FormVarnholtWindow() = default;

void FormVarnholtWindow::keyPressEvent(QKeyEvent* event) {
    std::int16_t keyCode = qt::VirtualKeyCode(*event);
    form_->Form_KeyDown(keyCode, ShiftState(event->modifiers()));
}

void FormVarnholtWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("&Copy"));
    QAction* saveAs = menu.addAction(tr("Save &As…"));
    const bool hasSymbol = barcode1_->HasPrintSymbol();
    copy->setEnabled(hasSymbol);
    saveAs->setEnabled(hasSymbol);
    // The chosen entry runs once the menu has closed, so that Save As's dialog is not
    // opened from inside the menu.
    const QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copy) {
        barcode1_->CopyPrintSymbol();
    } else if (chosen == saveAs) {
        SaveSymbolAs(*this, *barcode1_);
    }
}

void FormVarnholtWindow::Show(std::string_view text) {
    QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(),
                    FromText(text), QMessageBox::Ok, this);
    box.exec();
}

}  // namespace varnholt
