// Runs the QML tests (tst_*.qml in this folder) with the inspector as the singleton
// VarnholtTest.Inspector.

#include <QQmlEngine>
#include <QtQuickTest>

#include "tests/platform/qt/quick/ItemInspector.h"

class Setup : public QObject {
    Q_OBJECT

  public Q_SLOTS:
    void qmlEngineAvailable(QQmlEngine* engine) {
        qmlRegisterSingletonInstance("VarnholtTest", 1, 0, "Inspector",
                                     new varnholt::test::ItemInspector(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(quick_tests, Setup)

#include "QuickTestMain.moc"
