import QtQuick 2.15
import common 1.0
import common.sim 1.0
import ".."

// A measurement table: rows of data items bound to simulated data objects whose readings move
// on a timer. Values carry SI prefixes and quality colours; a row whose data objects are not
// applicable leaves the view.
Item {
    id: page

    // The theme's colours for pass, warning and fail on a dark background.
    function qualityColor(code) {
        return theme.getZebQualityColor(code, Theme.Foreground, Theme.Chalkboard)
    }
    function verdict(code) {
        return code === 16 ? "PASS" : code === 32 ? "WARN" : code === 64 || code === 128 ? "FAIL" : "--"
    }
    function reading(data, unit) {
        if (!data.ready)
            return "--"
        if (unit === "Hz")
            return metricPrefixConversion.getValueWithZeroPrecisionUnitPrefixAndSpace(data.value, unit)
        if (unit === "V" || unit === "W")
            return metricPrefixConversion.getValueWithUnitPrefix(data.value, 6, unit)
        return data.value.toFixed(2) + " " + unit
    }
    // Quality from limits: inside [warnLow, warnHigh] passes, inside [failLow, failHigh] warns.
    function grade(value, failLow, warnLow, warnHigh, failHigh) {
        if (value < failLow || value > failHigh)
            return 64
        return value < warnLow || value > warnHigh ? 32 : 16
    }

    SimData { id: level; label: "RF level"; value: 3.2e-3; qualityCode: 16 }
    SimData { id: frequency; label: "Frequency"; value: 433.92e6 }
    SimData { id: offset; label: "Frequency error"; value: 620; qualityCode: 32 }
    SimData { id: depth; label: "Modulation depth"; value: 62; qualityCode: 16 }
    SimData { id: audio; label: "Audio level"; value: 0.245 }
    SimData { id: sinad; label: "SINAD"; value: 11.5; qualityCode: 64 }

    ActionBase { id: holdAction; text: "&Hold"; shortcut: "Ctrl+H"; checkable: true }

    TableModel {
        id: table
        fontSize: TableModel.LargeFont
        TableModelRow {
            TableHeader { text: "RF level" }
            DataItem { zebData: level; subText: "W" }
            DataItem { zebData: level; action: holdAction }
        }
        TableModelRow {
            TableHeader { text: "Frequency" }
            DataItem { zebData: frequency; subText: "Hz" }
            DataItem { zebData: frequency; action: holdAction }
        }
        TableModelRow {
            TableHeader { text: "Frequency error" }
            DataItem { zebData: offset; subText: "Hz" }
            DataItem { zebData: offset; action: holdAction }
        }
        TableModelRow {
            TableHeader { text: "Modulation depth" }
            DataItem { zebData: depth; subText: "%" }
            DataItem { zebData: depth; action: holdAction }
        }
        TableModelRow {
            TableHeader { text: "Audio level" }
            DataItem { zebData: audio; subText: "V" }
            DataItem { zebData: audio; action: holdAction }
        }
        TableModelRow {
            TableHeader { text: "SINAD" }
            DataItem { zebData: sinad; subText: "dB" }
            DataItem { zebData: sinad; action: holdAction }
        }
    }

    // A random walk of every reading; held while the hold action is checked.
    Timer {
        interval: 400
        repeat: true
        running: !holdAction.checked
        onTriggered: {
            function walk(data, step, low, high) {
                data.value = Math.min(high, Math.max(low, data.value + (Math.random() - 0.5) * step))
            }
            walk(level, 4e-4, 1e-4, 9e-3)
            walk(frequency, 800, 433.91e6, 433.93e6)
            walk(offset, 120, -1500, 1500)
            walk(depth, 6, 20, 100)
            walk(audio, 0.03, 0.05, 0.5)
            walk(sinad, 3, 6, 40)
            level.qualityCode = page.grade(level.value, 5e-4, 1e-3, 8e-3, 9e-3)
            offset.qualityCode = page.grade(offset.value, -1000, -500, 500, 1000)
            depth.qualityCode = page.grade(depth.value, 30, 50, 90, 98)
            sinad.qualityCode = page.grade(sinad.value, 12, 20, 99, 99)
        }
    }

    Column {
        anchors.fill: parent
        spacing: 14

        Text { text: "Measurements"; color: "#8fc1ff"; font.pixelSize: 18 }

        Rectangle {
            width: parent.width
            height: 6 * 42
            color: "#262626"
            border.color: "#3c3c3c"

            // The filtered table: rows whose data objects are not applicable are skipped.
            ListView {
                id: view
                anchors.fill: parent
                anchors.margins: 1
                interactive: false
                model: table.rowCount
                delegate: Row {
                    property int rowIndex: index
                    height: 42
                    Repeater {
                        model: table.colCount
                        Item {
                            property var cell: table.modelData(rowIndex, index)
                            property var source: cell ? cell.zebData : null
                            width: index === 0 ? 240 : 190
                            height: 42
                            Text {
                                anchors.verticalCenter: parent.verticalCenter
                                x: 14
                                font.pixelSize: table.tableFont.pixelSize
                                color: !source ? "#b4b4b4" : page.qualityColor(source.qualityCode)
                                text: !source ? cell.text
                                              : cell.action ? page.verdict(source.qualityCode) + (cell.checked ? "  (held)" : "")
                                                            : page.reading(source, cell.subText)
                            }
                        }
                    }
                }
            }
        }

        Row {
            spacing: 16
            ActionButton { action: holdAction }

            // The switch: audio measurements apply only with an audio path.
            Rectangle {
                id: audioSwitch
                property bool on: audio.applicable
                width: 220
                height: 40
                radius: 6
                color: on ? "#2f7fd8" : "#3c3c3c"
                border.color: "#6e6e6e"
                Rectangle {
                    width: 28
                    height: 28
                    radius: 14
                    anchors.verticalCenter: parent.verticalCenter
                    x: audioSwitch.on ? parent.width - width - 6 : 6
                    color: "white"
                }
                Text {
                    anchors.centerIn: parent
                    color: "white"
                    font.pixelSize: 14
                    text: "Audio path " + (audioSwitch.on ? "on" : "off")
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        audio.applicable = !audio.applicable
                        sinad.applicable = audio.applicable
                    }
                }
            }
        }

        Text {
            color: "#b4b4b4"
            font.pixelSize: 13
            text: table.rowCount + " of " + table.items.length + " rows shown"
        }
    }
}
