#pragma once

#include <QColor>
#include <QObject>
#include <QStringList>

class QQuickItem;

namespace varnholt::test {

// What the QML tests cannot see from QML: an item's pixels as its window shows them.
class ItemPicture : public QObject {
    Q_OBJECT
    // Device pixels each control pixel must take at the ratio the test runs at: the
    // environment's VARNHOLT_PIXEL_SCALE, 1 when unset.
    Q_PROPERTY(int expectedScale READ ExpectedScale CONSTANT)

  public:
    using QObject::QObject;

    int ExpectedScale() const;
    // Every EAN-13 symbol ZBar finds in the item as its window shows it.
    Q_INVOKABLE QStringList scan(QQuickItem* item) const;
    // Where the item's picture is not crisp: a control pixel (the item's width x height) that
    // is not a square of `scale` x `scale` device pixels of one colour, or a device pixel in
    // neither white nor `ink`. Empty when there is none.
    Q_INVOKABLE QString blur(QQuickItem* item, int scale, const QColor& ink) const;
};

}  // namespace varnholt::test
