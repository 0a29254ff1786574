import QtQuick 2.15
import common 1.0
import "qrc:/Utils.js" as Utils

// Draws one entry of a menu: a separator line, or the item's text with its mnemonic underlined,
// its check mark and its shortcut (or an arrow for an entry that opens a submenu).
Rectangle {
    id: entry
    property QtObject item
    property bool opensSubmenu: false
    readonly property bool separator: !item || item.type === MenuItemType.Separator

    width: 220
    height: separator ? 9 : 34
    color: tap.pressed ? "#2f7fd8" : "transparent"
    opacity: separator || item.enabled ? 1.0 : 0.5
    Component.onCompleted: if (item) item.__visualItem = entry

    Rectangle {
        visible: entry.separator
        anchors.centerIn: parent
        width: parent.width - 16
        height: 1
        color: "#5a5a5a"
    }
    Text {
        x: 8
        anchors.verticalCenter: parent.verticalCenter
        color: "#8fc1ff"
        font.pixelSize: 13
        text: !entry.separator && entry.item.checkable ? (entry.item.checked ? "\u25cf" : "\u25cb") : ""
    }
    Text {
        x: 28
        anchors.verticalCenter: parent.verticalCenter
        color: "white"
        font.pixelSize: 14
        textFormat: Text.StyledText
        text: entry.separator ? "" : Utils.stylizeMnemonics(entry.item.text)
    }
    Text {
        anchors { right: parent.right; rightMargin: 10; verticalCenter: parent.verticalCenter }
        color: "#b4b4b4"
        font.pixelSize: 13
        text: entry.opensSubmenu ? "\u25b8" : (entry.separator ? "" : entry.item.shortcut)
    }
    MouseArea {
        id: tap
        anchors.fill: parent
        enabled: !entry.separator
        onClicked: entry.item.trigger()
    }
}
