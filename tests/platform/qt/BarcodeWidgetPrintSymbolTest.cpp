// The widget hands out its number's print-quality symbol: only for a complete, valid
// 13-digit number, and on the clipboard as SVG and PNG that scan as that number.

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <cmath>
#include <string>

#include "platform/qt/BarcodeWidget.h"
#include "tests/platform/qt/SvgTitle.h"
#include "tests/render/Rasterizer.h"

namespace varnholt::qt {
namespace {

// The resolution the clipboard's PNG is made at, and the SVG read back at.
constexpr double kDpi = 300.0;

std::string ToString(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

TEST(BarcodeWidgetPrintSymbol, OnlyACompleteValidThirteenDigitNumberHasOne) {
    struct Row {
        const char* name;
        const char* value;
        bool hasSymbol;
    };
    const Row rows[] = {
        {"valid", "5400101109971", true},
        {"valid with leading zeros", "0012345678905", true},
        {"wrong check digit", "5400101109972", false},
        // A symbol would need a check digit the user has not typed yet.
        {"twelve digits", "540010110997", false},
        {"an EAN-8", "96385074", false},
        // Valid to the control, which ignores the blanks, but not a 13-digit number.
        {"an EAN-8 padded with blanks", "96385074     ", false},
        {"empty", "", false},
    };
    BarcodeWidget widget;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        widget.Control().Value(row.value);
        ASSERT_EQ(widget.Control().Value(), row.value) << "the control took the value";
        EXPECT_EQ(widget.HasPrintSymbol(), row.hasSymbol);

        const Result<std::string> svg = widget.PrintSymbol(render::FileFormat::Svg);
        EXPECT_EQ(static_cast<bool>(svg), row.hasSymbol) << svg.Error();
        if (!svg) {
            EXPECT_NE(svg.Error().find('"' + std::string(row.value) + '"'), std::string::npos)
                << "the refusal names the number: " << svg.Error();
        }

        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        EXPECT_EQ(widget.CopyPrintSymbol(), row.hasSymbol);
        if (!row.hasSymbol) {
            EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"))
                << "the clipboard is left as it was";
        }
    }
}

TEST(BarcodeWidgetPrintSymbol, CopyPutsSvgAndPngOfTheNumberOnTheClipboard) {
    BarcodeWidget widget;
    for (const char* number : {"5400101109971", "0012345678905", "9780201379624"}) {
        SCOPED_TRACE(number);
        widget.Control().Value(number);
        ASSERT_TRUE(widget.CopyPrintSymbol());
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        ASSERT_TRUE(data->hasFormat(QStringLiteral("image/svg+xml")))
            << data->formats().join(' ').toStdString();
        ASSERT_TRUE(data->hasFormat(QStringLiteral("image/png")))
            << data->formats().join(' ').toStdString();
        const std::vector<std::string> expected{number};

        const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
        EXPECT_EQ(test::SvgTitle(svg), QString::fromLatin1(number));
        EXPECT_EQ(
            test::DecodeWithZBar(test::Rasterize(ToString(svg), render::FileFormat::Svg, kDpi)),
            expected);

        // The PNG as made, with its resolution, so that it pastes at true size.
        const test::PngPicture png =
            test::ReadPng(ToString(data->data(QStringLiteral("image/png"))));
        EXPECT_DOUBLE_EQ(std::round(png.dpi), kDpi);
        EXPECT_EQ(test::DecodeWithZBar(png.image), expected);

        ASSERT_TRUE(data->hasImage());
        const QImage image = qvariant_cast<QImage>(data->imageData());
        EXPECT_EQ(image.width(), png.image.width);
        EXPECT_EQ(image.height(), png.image.height);
    }
}

}  // namespace
}  // namespace varnholt::qt
