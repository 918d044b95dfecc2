// Shows the control in a Qt Quick window through the installed QML module, sets its number
// from QML and prints what the control found out. Built twice: linked to Varnholt::quick,
// which also gives the item's C++ side, and linked to Qt alone, which leaves loading the
// module's plugin from the installed QML folder to the engine.

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <cstdio>

#ifdef VARNHOLT_LINKED
#include "platform/qt/quick/BarcodeItem.h"
#endif

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral(VARNHOLT_QML_DIR));
    engine.loadData(R"(
        import QtQuick
        import Varnholt

        Window {
            visible: true
            width: 200
            height: 120
            Barcode {
                objectName: "barcode"
                property int changes: 0
                value: "9780201379624"
                onChange: changes++
            }
        }
    )");
    if (engine.rootObjects().isEmpty()) {
        return 1;
    }
    auto* barcode = engine.rootObjects().front()->findChild<QQuickItem*>(QStringLiteral("barcode"));
    if (barcode == nullptr) {
        return 1;
    }
    const bool valid = barcode->property("valid").toBool();
    const QString country = barcode->property("country").toString();
    const int changes = barcode->property("changes").toInt();
    std::printf("quick: %s valid=%d country=%s changes=%d\n",
                qPrintable(barcode->property("value").toString()), valid, qPrintable(country),
                changes);
    bool ok = valid && country == QStringLiteral("ISBN") && changes == 1;
#ifdef VARNHOLT_LINKED
    const auto* item = qobject_cast<varnholt::quick::BarcodeItem*>(barcode);
    ok = ok && item != nullptr && item->Control().Value() == "9780201379624";
#endif
    return ok ? 0 : 1;
}
