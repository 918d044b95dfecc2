// Places the control's widget in a window of its own and listens to its Change signal.

#include <QApplication>
#include <QVBoxLayout>
#include <cstdio>

#include "platform/qt/BarcodeWidget.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* barcode = new varnholt::qt::BarcodeWidget(&window);
    layout->addWidget(barcode);
    int changes = 0;
    QObject::connect(barcode, &varnholt::qt::BarcodeWidget::Change, [&] { ++changes; });
    barcode->Control().Value("9780201379624");
    std::printf("embedded: %s valid=%d country=%s changes=%d\n", barcode->Control().Value().c_str(),
                barcode->Control().Valid(), barcode->Control().Country().c_str(), changes);
    return barcode->Control().Valid() && barcode->Control().Country() == "ISBN" && changes == 1 ? 0
                                                                                                : 1;
}
