import QtQuick 2.15
import QtQuick.Window 2.15
import common 1.0
import common.sim 1.0

Window {
    id: window
    width: 640
    height: 560
    visible: true
    color: "#1e1e1e"
    title: "common gallery"

    property int runs: 0

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
        id: runAction
        text: "&Run"
        shortcut: "Ctrl+R"
        tooltip: "Start the measurement"
        onTriggered: {
            window.runs += 1
            level.setValue(level.value + 0.5)
            level.valueString = level.value.toFixed(2) + " dBm"
        }
    }
    ActionBase {
        id: holdAction
        text: "&Hold"
        shortcut: "Ctrl+H"
        checkable: true
    }

    ExclusiveGroup {
        id: demodulation
        ActionBase { id: am; text: "&AM"; checkable: true }
        ActionBase { id: fm; text: "&FM"; checkable: true; checked: true }
        ActionBase { id: ssb; text: "&SSB"; checkable: true }
    }

    Rectangle {
        anchors.fill: parent
        color: window.color
    }

    Column {
        anchors.fill: parent
        anchors.margins: 20
        spacing: 14

        Text { text: "Actions"; color: "#8fc1ff"; font.pixelSize: 18 }
        Row {
            spacing: 10
            ActionButton { action: runAction }
            ActionButton { action: holdAction }
        }
        Text {
            color: "#b4b4b4"
            font.pixelSize: 13
            text: "Run triggered " + window.runs + " time(s); hold is "
                  + (holdAction.checked ? "on" : "off")
        }

        Text { text: "Exclusive group"; color: "#8fc1ff"; font.pixelSize: 18 }
        Row {
            spacing: 10
            ActionButton { action: am; showShortcut: false }
            ActionButton { action: fm; showShortcut: false }
            ActionButton { action: ssb; showShortcut: false }
        }
        Text {
            color: "#b4b4b4"
            font.pixelSize: 13
            text: "Demodulation: " + (demodulation.current ? demodulation.current.text.replace("&", "") : "none")
        }

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
