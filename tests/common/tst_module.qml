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
            try { Qt.createQmlObject(source, root, "inline.qml").destroy(); return "" }
            catch (e) { return e.qmlErrors.map(function (error) { return error.message }).join("\n") }
        }

        function test_types() {
            var creatable = ["import common 1.0; ActionBase {}", "import common 1.0; ExclusiveGroup {}",
                             "import common 1.0; MeterAutoScaler {}", "import common 1.0; RangeModel {}",
                             "import common.sim 1.0; SimData {}"]
            creatable.forEach(function (source) { compare(createError(source), "", source) })
            // Service types reach QML as context properties; an empty reason leaves Qt's message.
            var services = ["HMath", "MeterScale", "UnitPrefixes"]
            services.forEach(function (type) {
                compare(createError("import common 1.0; " + type + " {}"), "Element is not creatable.", type)
            })
            verify(hMath instanceof HMath && meterScale instanceof MeterScale
                   && unitPrefixes instanceof UnitPrefixes)
            verify(setupConverter && metricPrefixConversion)
        }

        function test_simulator() {
            compare([holder.data.value, holder.data.dataId, holder.data.formatterType], [3, "level", "dbm"])
            holder.data.setValue(4.5)
            compare(holder.data.value, 4.5)
            SimBus.clear()
            SimBus.setItem(":config:dxtest_app:demod:rfPowerUnit:", "dBm")
            compare([SimBus.item(":config:dxtest_app:demod:rfPowerUnit:"), SimBus.count], ["dBm", 1])
            SimBus.removeItem(":config:dxtest_app:demod:rfPowerUnit:")
            compare([SimBus.count, SimBus.available], [0, true])
        }
    }
}
