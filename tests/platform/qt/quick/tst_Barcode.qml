// The Barcode item of the module Varnholt, as a QML program uses it.

import QtQuick
import QtTest
import Varnholt
import VarnholtTest

Item {
    id: root
    width: 200
    height: 120

    property string countryWhenChanged

    Barcode {
        id: barcode
        x: 10
        y: 10
        onChange: root.countryWhenChanged = country
    }

    SignalSpy { id: changes; target: barcode; signalName: "change" }
    SignalSpy { id: valueChanges; target: barcode; signalName: "valueChanged" }
    SignalSpy { id: clicks; target: barcode; signalName: "click" }
    SignalSpy { id: doubleClicks; target: barcode; signalName: "doubleClick" }

    TestCase {
        name: "Barcode"
        when: windowShown

        function init() {
            barcode.value = undefined
            barcode.foreColor = undefined
            barcode.enabled = true
            changes.clear()
            valueChanges.clear()
            clicks.clear()
            doubleClicks.clear()
        }

        function test_a_newItemHoldsTheDefaultNumber() {
            compare(barcode.value, "5400101109971")
            compare(barcode.valid, true)
            compare(barcode.country, "BE-LU")
            compare(barcode.width, 115)
            compare(barcode.height, 81)
        }

        function test_settingValueUpdatesTheDerivedPropertiesBeforeItReturns_data() {
            return [
                { tag: "Germany", value: "4006381333931", valid: true, country: "DE",
                  numberSystem: "400", manufacturerCode: "6381", productCode: "33393" },
                { tag: "Short", value: "40", valid: false, country: "DE",
                  numberSystem: "0", manufacturerCode: "0", productCode: "0" },
            ]
        }

        function test_settingValueUpdatesTheDerivedPropertiesBeforeItReturns(data) {
            barcode.value = data.value
            compare(barcode.value, data.value)
            compare(barcode.valid, data.valid)
            compare(barcode.country, data.country)
            compare(barcode.numberSystem, data.numberSystem)
            compare(barcode.manufacturerCode, data.manufacturerCode)
            compare(barcode.productCode, data.productCode)
            compare(changes.count, 1)
            compare(valueChanges.count, 1)
            compare(root.countryWhenChanged, data.country, "current when change is emitted")
        }

        function test_theSameValueAgainChangesNothing() {
            barcode.value = "5400101109971"
            compare(changes.count, 0)
            compare(valueChanges.count, 0)
        }

        function test_aRefusedValueLeavesTheItemUnchanged_data() {
            return [
                { tag: "Letter", value: "400638133393A" },
                { tag: "FourteenDigits", value: "40063813339310" },
                { tag: "BeyondLatin1", value: "\u0664\u0660" },
            ]
        }

        function test_aRefusedValueLeavesTheItemUnchanged(data) {
            barcode.value = "4006381333931"
            changes.clear()
            valueChanges.clear()
            barcode.value = data.value
            compare(barcode.value, "4006381333931")
            compare(barcode.country, "DE")
            compare(changes.count, 0)
            compare(valueChanges.count, 0)
        }

        function test_clicksArriveOnlyWhileEnabled() {
            mouseClick(barcode)
            compare(clicks.count, 1)
            mouseDoubleClickSequence(barcode)
            compare(doubleClicks.count, 1)
            barcode.enabled = false
            clicks.clear()
            doubleClicks.clear()
            mouseClick(barcode)
            mouseDoubleClickSequence(barcode)
            compare(clicks.count + doubleClicks.count, 0)
        }

        function test_foreColorIsWindowTextUntilSet() {
            compare(barcode.foreColor, Qt.rgba(0, 0, 0, 1))
            barcode.foreColor = "#000080"
            compare(barcode.foreColor, Qt.rgba(0, 0, 128 / 255, 1))
            barcode.foreColor = undefined
            compare(barcode.foreColor, Qt.rgba(0, 0, 0, 1))
        }

        // The window's picture of the item: a decoder reads the number, and every control
        // pixel is a square of whole device pixels in white or the ink, never smoothed.
        function test_theShownItemScansAndIsCrisp_data() {
            return [
                { tag: "Black", value: "9780201379624", ink: "#000000" },
                { tag: "Navy", value: "4006381333931", ink: "#000080" },
            ]
        }

        function test_theShownItemScansAndIsCrisp(data) {
            barcode.value = data.value
            barcode.foreColor = data.ink
            waitForRendering(barcode)
            compare(Picture.scan(barcode), [data.value])
            compare(Picture.blur(barcode, Picture.expectedScale, data.ink), "")
        }
    }
}
