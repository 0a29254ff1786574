import QtQuick 2.15
import QtTest 1.2
import common 1.0
import common.sim 1.0

// The unit objects as a page uses them: through the context properties and the QML types.
TestCase {
    id: testCase
    name: "Units"

    property var log: []

    Text {
        id: unitLabel
        text: hMath.unit
    }

    SimData {
        id: maxData
        value: 0
    }

    SimData {
        id: minData
        value: 0
    }

    MeterAutoScaler {
        id: scaler
        modeValues: [1, 3, 10, 30]
        maxData: maxData
        minData: minData
    }

    MeterAutoScaler {
        id: unconfigured
    }

    SignalSpy {
        id: modeSpy
        target: scaler
        signalName: "modeValuesChanged"
    }

    RangeModel {
        id: range
        minimumValue: 0
        maximumValue: 10
        positionAtMinimum: 0
        positionAtMaximum: 100
        onValueChanged: testCase.log.push("value " + value)
        onPositionChanged: testCase.log.push("position " + position)
        onInvertedChanged: testCase.log.push("inverted " + inverted)
        onStepSizeChanged: testCase.log.push("stepSize " + stepSize)
    }

    function toArray(list) {
        var result = []
        for (var i = 0; i < list.length; ++i)
            result.push(list[i])
        return result
    }

    function test_levels() {
        compare(hMath.getUnitTodBm("dBV", 87), 100)
        compare(hMath.getUnitTodBm("mW", 1), 0)
        compare(hMath.getUnitTodBm("kW", 1), -99999999.9)
        compare(hMath.getFieldTodBm("V/M", 1, 100, 0), -99999999999.9)
        compare(hMath.getDBmToW(-40), "0.10 u")
        compare(hMath.convertValUnit(3.14159), "3.14 dBm")
        compare(hMath.convertValUnit(2, 1, "V"), "2.0 V")
        compare(hMath.getUnit("dBm", 0.04, 1), "0 dBm")
        compare(hMath.getUnit("dBm", 1.5), "1.5 dBm")
        compare(hMath.getFormattedValue(1.25), "1.3")
        verify(hMath.shouldReturnZero(0.04, 1))
    }

    function test_unitFollowsConversions() {
        compare(hMath.getdBmToUnit("V", -60, true), "0.22 mV")
        compare(unitLabel.text, "mV")
        compare(hMath.getdBmToUnit("V", -100, true), "2.24 \u00B5V")
        compare(unitLabel.text, "\u00B5V")
        compare(hMath.getdBmToUnit("W", 0, false), "1.00")
        compare(unitLabel.text, "mW")
        compare(hMath.getdBmToUnitChart("W", 0), "1.00 m")
        compare(hMath.getdBmToUnit("dBW", -12.25, true), "-12.3 dBm")
        compare(unitLabel.text, "dBm")
        compare(hMath.getdBmToField("V/m", -50, 100, 0, true), "2.29 m V/m")
        compare(unitLabel.text, "V/m")
        compare(hMath.getdBmToFieldChart("V/m", -50, 100, 0), "2.29 m ")
        hMath.unit = "dBuV"
        compare(unitLabel.text, "dBuV")
    }

    function test_textMetrics() {
        var normal = hMath.getStringWidth(14, "Signal power")
        verify(normal > 0)
        compare(hMath.getStringWidth(14, "Signal power", false), normal)
        verify(hMath.getStringWidth(28, "Signal power") > normal)
        compare(hMath.getTextEllipsis(14, normal + 2, "Signal power"), "Signal power")
        verify(hMath.getTextEllipsis(14, normal / 2, "Signal power") !== "Signal power")
    }

    function test_uncreatable_data() {
        return [{ tag: "HMath" }, { tag: "MeterScale" }, { tag: "UnitPrefixes" }]
    }

    function test_uncreatable(data) {
        var created = null
        try {
            created = Qt.createQmlObject("import common 1.0; " + data.tag + " {}", testCase)
        } catch (e) {
            compare(e.qmlErrors.length, 1)
            // Registered without a reason of its own: the engine's generic text.
            compare(e.qmlErrors[0].message, "Element is not creatable.")
        }
        compare(created, null)
    }

    function test_metricPrefixes() {
        compare(metricPrefixConversion.getValueWithUnitPrefix(1234.5, 0, "Hz"), "1.234 kHz")
        compare(metricPrefixConversion.getValueWithUnitPrefix(-0.0123, 2, "V"), "-12 mV")
        compare(metricPrefixConversion.getValueWithUnitPrefix(2500, 0, "Hz", "M"), "0.002500 MHz")
        compare(metricPrefixConversion.getValueWithUnitPrefix(2.5e-7, 2, "A", "", 1), "0.00 A")
        compare(metricPrefixConversion.getValueWithZeroPrecisionUnitPrefixAndSpace(12345678901, "Hz"),
                "12.345 678 901 GHz")
        compare(metricPrefixConversion.getValueWithoutUnitPrefix(0.004, 2, "V"), "0 V")
        compare(metricPrefixConversion.getPrefix(0.5), "m")
        compare(metricPrefixConversion.getPrefix(NaN), "p")
    }

    function test_unitPrefixes() {
        var limit = ":config:dxtest_app:demod:rfPowerLowerLimit:"
        var unitItem = ":config:dxtest_app:demod:rfPowerUnit:"
        SimBus.setItem(unitItem, "W")
        compare(unitPrefixes.getSubmultiplePrefixes(limit), "mu")
        compare(unitPrefixes.getMultiplePrefixes(limit), "")
        SimBus.setItem(unitItem, "V")
        compare(unitPrefixes.getSubmultiplePrefixes(limit), "m")
        SimBus.setItem(unitItem, "dBm")
        compare(unitPrefixes.getSubmultiplePrefixes(limit), "munp")
        SimBus.setItem(unitItem, "W")
        SimBus.available = false
        compare(unitPrefixes.getSubmultiplePrefixes(limit), "munp")
        SimBus.available = true
        SimBus.removeItem(unitItem)
        compare(unitPrefixes.getMultiplePrefixes(":config:dxtest_app:dmm:acVoltageLowerLimit2:"), "k")
        compare(unitPrefixes.getAllMultiplePrefixes(), "kMG")
        compare(unitPrefixes.getAllSubmultiplePrefixes(), "munp")
    }

    function test_meterScale() {
        compare(toArray(meterScale.getValues(["Auto", "10", "0", "5 m"], "V")), [0, 0.005, 10])
        compare(toArray(meterScale.getValues([], "V")), [])
        compare(meterScale.getValue("500 m", "mV", "m"), 500)
        compare(meterScale.getValue("1 kV", "V"), 1000)
        ignoreWarning("getValue  conversion failed! label =  \"abc\"")
        compare(meterScale.getValue("abc", "V"), 0)
    }

    function test_autoScaler() {
        scaler.bipolarMeter = false
        scaler.reset()
        scaler.autoScale(2)
        compare(maxData.value, 3)
        compare(minData.value, 0)
        scaler.autoScale(2.8)
        compare(maxData.value, 10)
        scaler.bipolarMeter = true
        scaler.autoScale(50)
        compare(maxData.value, 30)
        compare(minData.value, -30)

        modeSpy.clear()
        scaler.modeValues = [1, 3, 10, 30]
        compare(modeSpy.count, 0)
        scaler.modeValues = [-20, 0, 20]
        compare(modeSpy.count, 1)
        compare(toArray(scaler.modeValues), [-20, 0, 20])
        scaler.reset()
        scaler.autoScaleDb(-42)
        compare(maxData.value, -20)
        compare(minData.value, -70)
    }

    function test_autoScalerWithoutData() {
        ignoreWarning("autoScale  Error: data is not initialized!")
        unconfigured.autoScale(1)
        unconfigured.modeValues = [1, 2]
        unconfigured.maxData = maxData
        compare(unconfigured.maxData, maxData)
        compare(unconfigured.minData, null)
        ignoreWarning("autoScaleDb  Error: data is not initialized!")
        unconfigured.autoScaleDb(1)
    }

    function test_rangeModel() {
        range.stepSize = 0
        range.inverted = false
        range.value = 2
        log = []
        range.inverted = true
        compare(log, ["inverted true", "position 80"])
        compare(range.position, 80)
        range.inverted = false
        range.stepSize = 2
        range.value = 3.2
        compare(range.value, 4)
        compare(range.position, 40)
        compare(range.valueForPosition(35), 4)
        compare(range.positionForValue(5), 40)
        range.toMaximum()
        compare(range.value, 10)
        range.maximumValue = 5 // the last step is clamped to the maximum
        compare(range.value, 5)
        compare(range.maximumValue, 5)
    }

    function test_createRangeModel() {
        var model = Qt.createQmlObject("import common 1.0; RangeModel {}", testCase)
        compare(model.value, 0)
        compare(model.maximumValue, 99)
        compare(model.position, 0)
        model.destroy()
    }
}
