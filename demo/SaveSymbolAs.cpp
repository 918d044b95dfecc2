#include "demo/SaveSymbolAs.h"

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QObject>
#include <optional>
#include <string>

#include "files/AtomicFile.h"
#include "platform/qt/BarcodeWidget.h"
#include "render/FileFormat.h"

namespace varnholt {
namespace {

QString FromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Warn(QWidget& parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, &parent);
    box.exec();
}

}  // namespace

void SaveSymbolAs(QWidget& parent, const qt::BarcodeWidget& barcode) {
    const QString suggested = FromText(barcode.Control().Value()) + QStringLiteral(".svg");
    // Qt's own dialog rather than the desktop's: the same wherever the program runs.
    const QString fileName = QFileDialog::getSaveFileName(
        &parent, QObject::tr("Save Bar Code As"), suggested,
        QObject::tr("Bar code images (%1);;All files (*)")
            .arg(QString::fromStdString(render::ExtensionsInWords("*.", " ", " "))),
        nullptr, QFileDialog::DontUseNativeDialog);
    if (fileName.isEmpty()) {
        return;  // cancelled
    }
    const QByteArray encodedName = QFile::encodeName(fileName);
    const std::string path(encodedName.constData(), static_cast<std::size_t>(encodedName.size()));

    const std::optional<render::FileFormat> format = render::FormatOfFile(path);
    if (!format) {
        Warn(parent, QObject::tr("%1 was not saved: the name must end in %2, which chooses the "
                                 "file's format.")
                         .arg(fileName, QString::fromStdString(
                                            render::ExtensionsInWords(".", ", ", " or "))));
        return;
    }
    const Result<std::string> bytes = barcode.PrintSymbol(*format);
    const Result<Done> written =
        bytes ? files::WriteFileAtomically(path, *bytes) : Result<Done>::FailureOf(bytes);
    if (!written) {
        Warn(parent, QObject::tr("The bar code was not saved: %1").arg(FromText(written.Error())));
    }
}

}  // namespace varnholt
