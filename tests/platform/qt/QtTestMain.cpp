// Runs the Qt tests inside one QApplication, on the offscreen platform unless told otherwise.

#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Varnholt"));
    return RUN_ALL_TESTS();
}
