import QtQuick 2.15
import QtTest 1.2
import common 1.0
import common.sim 1.0

Item {
    id: root

    property QtObject holder: QtObject {
        property SimData data: SimData { dataId: "level"; value: 3; formatterType: "dbm" }
    }

    TestCase {
        name: "Module"

        function createError(source) {
            try {
                var object = Qt.createQmlObject(source, root, "inline.qml")
                object.destroy()
                return ""
            } catch (e) {
                return e.qmlErrors.map(function (error) { return error.message }).join("\n")
            }
        }

        function test_creatableTypes() {
            compare(createError("import common 1.0; ActionBase {}"), "")
            compare(createError("import common 1.0; ExclusiveGroup {}"), "")
            compare(createError("import common.sim 1.0; SimData {}"), "")
        }

        function test_uncreatableTypes_data() {
            // An empty reason leaves Qt's own message.
            return [
                { tag: "HMath", type: "HMath" },
                { tag: "MeterScale", type: "MeterScale" },
                { tag: "UnitPrefixes", type: "UnitPrefixes" }
            ]
        }

        function test_uncreatableTypes(data) {
            compare(createError("import common 1.0; " + data.type + " {}"), "Element is not creatable.")
        }

        function test_serviceTypesReachQmlAsContextProperties() {
            verify(hMath instanceof HMath)
            verify(meterScale instanceof MeterScale)
            verify(unitPrefixes instanceof UnitPrefixes)
            verify(setupConverter !== null && setupConverter !== undefined)
            verify(metricPrefixConversion !== null && metricPrefixConversion !== undefined)
            compare(createError("import common 1.0; MeterAutoScaler {}"), "")
            compare(createError("import common 1.0; RangeModel {}"), "")
        }

        function test_singletonContainer() {
            verify(UiDataContainer !== null)
            compare(typeof UiDataContainer.objectName, "string")
            // One instance, whichever file asks for it.
            var other = Qt.createQmlObject("import QtQml 2.15; import common 1.0; "
                                           + "QtObject { property QtObject c: UiDataContainer }", root)
            verify(other.c === UiDataContainer)
            other.destroy()
        }

        function test_simulatedData() {
            compare(holder.data.value, 3)
            compare(holder.data.valueString, "")
            holder.data.setValue(4.5)
            compare(holder.data.value, 4.5)
            compare(holder.data.dataId, "level")
            compare(holder.data.formatterType, "dbm")
        }

        function test_simulatedBus() {
            SimBus.clear()
            compare(SimBus.count, 0)
            SimBus.setItem(":config:dxtest_app:demod:rfPowerUnit:", "dBm")
            compare(SimBus.item(":config:dxtest_app:demod:rfPowerUnit:"), "dBm")
            compare(SimBus.count, 1)
            SimBus.removeItem(":config:dxtest_app:demod:rfPowerUnit:")
            compare(SimBus.count, 0)
            verify(SimBus.available)
        }
    }
}
