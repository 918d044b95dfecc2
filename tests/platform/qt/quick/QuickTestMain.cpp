// Runs the QML tests (tst_*.qml in this folder) with ItemPicture as the singleton
// VarnholtTest.Picture.

#include <QQmlEngine>
#include <QtQuickTest>

#include "tests/platform/qt/quick/ItemPicture.h"

class Setup : public QObject {
    Q_OBJECT

  public Q_SLOTS:
    void qmlEngineAvailable(QQmlEngine* engine) {
        qmlRegisterSingletonInstance("VarnholtTest", 1, 0, "Picture",
                                     new varnholt::test::ItemPicture(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(quick_tests, Setup)

#include "QuickTestMain.moc"
