import QtQuick 2.15
import common 1.0
import ".."

// Actions with shortcuts and mnemonics, and an exclusive group of checkable actions.
Item {
    id: page
    property int runs: 0

    ActionBase {
        id: runAction
        text: "&Run"
        shortcut: "Ctrl+R"
        tooltip: "Count a run"
        onTriggered: page.runs += 1
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

    Column {
        anchors.fill: parent
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
            text: "Run triggered " + page.runs + " time(s); hold is "
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
    }
}
