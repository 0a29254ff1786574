import QtQuick 2.15
import common 1.0
import common.sim 1.0
import ".."

// A list model of settings bound to simulated data objects, and a filter model that shows the
// applicable ones. The switches on the left change applicability one entry at a time or all at
// once in one bulk change; entries can be added and removed while the view follows.
Item {
    id: page

    property int added: 0

    function qualityColor(code) {
        return theme.getZebQualityColor(code, Theme.Foreground, Theme.Chalkboard)
    }

    SimData { id: level; label: "RF level"; valueString: "-23.40 dBm"; qualityCode: 16 }
    SimData { id: frequency; label: "Frequency"; valueString: "433.920 MHz" }
    SimData { id: deviation; label: "FM deviation"; valueString: "2.81 kHz"; qualityCode: 32 }
    SimData { id: depth; label: "AM depth"; valueString: "62.0 %"; applicable: false }
    SimData { id: audio; label: "Audio level"; valueString: "245 mV"; qualityCode: 16 }
    SimData { id: sinad; label: "SINAD"; valueString: "11.5 dB"; qualityCode: 64 }

    DataItemListModel {
        id: settings
        DataItem { zebData: level; text: "RF level" }
        DataItem { zebData: frequency; text: "Frequency" }
        DataItem { zebData: deviation; text: "FM deviation" }
        DataItem { zebData: depth; text: "AM depth" }
        DataItem { zebData: audio; text: "Audio level" }
        DataItem { zebData: sinad; text: "SINAD" }
    }

    DataItemFilterModel { id: applicableSettings; sourceModel: settings }

    Component {
        id: entryMaker
        DataItem {
            zebData: SimData {
                label: "Marker " + page.added
                valueString: (page.added * 1.5).toFixed(1) + " MHz"
                qualityCode: 16
            }
        }
    }

    // AM and FM exclude each other: both switch in one bulk change, one re-filter.
    ActionBase {
        id: amAction
        text: "&AM instead of FM"
        checkable: true
        onToggled: {
            applicableSettings.bulkChangeStart(true)
            depth.applicable = checked
            deviation.applicable = !checked
            applicableSettings.bulkChangeStart(false)
        }
    }
    ActionBase {
        id: addAction
        text: "A&dd entry"
        onTriggered: {
            page.added += 1
            var entry = entryMaker.createObject(null, { text: "Marker " + page.added })
            settings.insertItem(Math.min(2, settings.count), entry)
        }
    }
    ActionBase {
        id: removeAction
        text: "&Remove first"
        enabled: settings.count > 0
        onTriggered: settings.removeItem(settings.itemAtIndex(0))
    }

    Row {
        anchors.fill: parent
        spacing: 20

        Column {
            width: 250
            spacing: 8

            Text { text: "All entries"; color: "#8fc1ff"; font.pixelSize: 18 }

            // The unfiltered model; each switch turns its entry's applicability.
            Repeater {
                model: settings
                delegate: Rectangle {
                    width: 250
                    height: 34
                    radius: 6
                    color: applicable ? "#2f7fd8" : "#3c3c3c"
                    border.color: "#6e6e6e"
                    Rectangle {
                        width: 24
                        height: 24
                        radius: 12
                        anchors.verticalCenter: parent.verticalCenter
                        x: applicable ? parent.width - width - 5 : 5
                        color: "white"
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        x: 38
                        color: "white"
                        font.pixelSize: 14
                        text: model.text
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: zebData.applicable = !zebData.applicable
                    }
                }
            }

            Item { width: 1; height: 6 }
            ActionButton { action: amAction; width: 250 }
            Row {
                spacing: 10
                ActionButton { action: addAction; width: 120 }
                ActionButton { action: removeAction; width: 120 }
            }
        }

        Column {
            width: parent.width - 270
            spacing: 8

            Text { text: "Applicable entries"; color: "#8fc1ff"; font.pixelSize: 18 }

            Rectangle {
                width: parent.width
                height: 8 * 44 + 2
                color: "#262626"
                border.color: "#3c3c3c"

                ListView {
                    id: view
                    anchors.fill: parent
                    anchors.margins: 1
                    clip: true
                    model: applicableSettings
                    delegate: Item {
                        width: view.width
                        height: 44
                        Rectangle {
                            width: 10
                            height: 10
                            radius: 5
                            x: 12
                            anchors.verticalCenter: parent.verticalCenter
                            color: page.qualityColor(qualityCode)
                        }
                        Text {
                            x: 32
                            anchors.verticalCenter: parent.verticalCenter
                            color: "white"
                            font.pixelSize: 15
                            text: label
                        }
                        Text {
                            anchors.right: parent.right
                            anchors.rightMargin: 14
                            anchors.verticalCenter: parent.verticalCenter
                            color: page.qualityColor(qualityCode)
                            font.pixelSize: 15
                            text: valueString
                        }
                        Rectangle {
                            width: parent.width
                            height: 1
                            anchors.bottom: parent.bottom
                            color: "#3c3c3c"
                        }
                    }
                }
            }

            Text {
                color: "#b4b4b4"
                font.pixelSize: 13
                text: applicableSettings.count + " of " + settings.count + " entries shown"
            }
        }
    }
}
