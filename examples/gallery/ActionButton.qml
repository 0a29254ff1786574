import QtQuick 2.15
import "qrc:/Utils.js" as Utils

// A push button bound to an action: text with its mnemonic underlined, checked look.
Rectangle {
    id: button
    property QtObject action
    property bool showShortcut: true

    implicitWidth: label.implicitWidth + 24
    implicitHeight: 40
    radius: 6
    opacity: action && action.enabled ? 1.0 : 0.5
    color: action && action.checked ? "#2f7fd8" : (mouse.pressed ? "#505050" : "#3c3c3c")
    border.color: "#6e6e6e"

    Text {
        id: label
        anchors.centerIn: parent
        color: "white"
        font.pixelSize: 14
        textFormat: Text.StyledText
        text: button.action ? Utils.stylizeMnemonics(button.action.text)
                              + (button.showShortcut && button.action.shortcut
                                 ? "  <font color='#b4b4b4'>" + button.action.shortcut + "</font>" : "")
                            : ""
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        onClicked: if (button.action) button.action.trigger()
    }
}
