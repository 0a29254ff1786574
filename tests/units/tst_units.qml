import QtQuick 2.15
import QtTest 1.2
import common 1.0
import common.sim 1.0

// The unit objects as a page uses them: the context properties and the QML types.
TestCase {
    id: testCase
    name: "Units"

    Text { id: unitLabel; text: hMath.unit }
    SimData { id: maxData; value: 0 }
    SimData { id: minData; value: 0 }
    MeterAutoScaler { id: scaler; modeValues: [1, 3, 10, 30]; maxData: maxData; minData: minData }
    SignalSpy { id: modeSpy; target: scaler; signalName: "modeValuesChanged" }
    RangeModel { id: range; maximumValue: 10; positionAtMaximum: 100; inverted: true }

    function test_contextProperties() {
        compare(hMath.getdBmToUnit("V", -100, true), "2.24 \u00B5V")
        compare(unitLabel.text, "\u00B5V") // a binding to the unit follows the conversion
        verify(hMath.getStringWidth(28, "Signal") > hMath.getStringWidth(14, "Signal"))
        compare(metricPrefixConversion.getValueWithUnitPrefix(1234.5, 0, "Hz"), "1.234 kHz")
        compare(unitPrefixes.getAllSubmultiplePrefixes(), "munp")
        var values = meterScale.getValues(["Auto", "10", "0", "5 m"], "V")
        compare([values[0], values[1], values[2]], [0, 0.005, 10])
    }

    function test_types() {
        for (var type of ["HMath", "MeterScale", "UnitPrefixes"]) {
            var created = null
            try {
                created = Qt.createQmlObject("import common 1.0; " + type + " {}", testCase)
            } catch (e) {
                compare(e.qmlErrors[0].message, "Element is not creatable.")
            }
            compare(created, null)
        }
        compare(Qt.createQmlObject("import common 1.0; RangeModel {}", testCase).maximumValue, 99)
        range.value = 2 // inverted
        compare([range.position, range.valueForPosition(35)], [80, 6.5])
    }

    function test_autoScaler() {
        scaler.autoScale(2)
        compare([minData.value, maxData.value], [0, 3])
        modeSpy.clear()
        scaler.modeValues = [1, 3, 10, 30] // the same list: no signal
        scaler.modeValues = [-20, 0, 20]
        compare(modeSpy.count, 1)
    }
}
