import QtQuick 2.15
import common 1.0
import common.sim 1.0
import ".."

// Simulated measurement values converted and formatted with the unit objects of the engine.
Item {
    id: page

    SimData {
        id: level
        dataId: ":meas:dxtest_app:demod:rfLevel:"
        label: "RF level"
        value: -23.4
        valueString: "-23.40 dBm"
        qualityCode: 1
    }
    SimData {
        id: frequency
        label: "Frequency"
        value: 433.92
        valueString: "433.920000 MHz"
    }
    ActionBase {
        id: stepAction
        text: "&Step level"
        shortcut: "Ctrl+L"
        onTriggered: {
            level.setValue(level.value + 0.5)
            level.valueString = level.value.toFixed(2) + " dBm"
        }
    }

    Column {
        anchors.fill: parent
        spacing: 14

        Text { text: "Simulated data"; color: "#8fc1ff"; font.pixelSize: 18 }
        Repeater {
            model: [level, frequency]
            Row {
                spacing: 12
                Text { width: 120; text: modelData.label; color: "white"; font.pixelSize: 15 }
                Text {
                    text: modelData.ready ? modelData.valueString : "--"
                    color: modelData.qualityCode === 1 ? "#7bd88f" : "white"
                    font.pixelSize: 15
                }
            }
        }
        ActionButton { action: stepAction }

        Text { text: "Units"; color: "#8fc1ff"; font.pixelSize: 18 }
        Grid {
            columns: 2
            columnSpacing: 12
            rowSpacing: 4
            Text { width: 120; text: "Level in dBuV"; color: "white"; font.pixelSize: 15 }
            Text { text: hMath.getdBmToUnit("dBuV", level.value, true, 2); color: "white"; font.pixelSize: 15 }
            Text { width: 120; text: "Level in W"; color: "white"; font.pixelSize: 15 }
            Text { text: hMath.getdBmToUnit("W", level.value, true, 2); color: "white"; font.pixelSize: 15 }
            Text { width: 120; text: "Frequency"; color: "white"; font.pixelSize: 15 }
            Text {
                text: metricPrefixConversion.getValueWithZeroPrecisionUnitPrefixAndSpace(frequency.value * 1e6, "Hz")
                color: "white"
                font.pixelSize: 15
            }
        }
    }
}
