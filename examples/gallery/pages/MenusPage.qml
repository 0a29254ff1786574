import QtQuick 2.15
import QtQml 2.15
import common 1.0
import ".."

// Menus built from actions, a group of entries generated from a model, and a popup with a
// submenu. Without a display the popups' content is drawn inline instead of in its windows.
Item {
    id: page
    readonly property bool preview: Qt.platform.pluginName === "offscreen"
                                    || Qt.platform.pluginName === "minimal"
    property string lastCommand: "none"

    ActionBase { id: newAction; text: "&New"; shortcut: "Ctrl+N"; onTriggered: page.lastCommand = "New" }
    ActionBase { id: openAction; text: "&Open"; shortcut: "Ctrl+O"; onTriggered: page.lastCommand = "Open" }
    ActionBase { id: saveAction; text: "&Save"; shortcut: "Ctrl+S"; onTriggered: page.lastCommand = "Save" }
    ActionBase { id: holdAction; text: "&Hold"; shortcut: "Ctrl+H"; checkable: true }
    ActionBase {
        id: optionsAction
        text: "O&ptions"
        onTriggered: if (!page.preview) optionsPopup.popup()
    }

    ExclusiveGroup { id: demodulation }
    ExclusiveGroup { id: levelUnit }

    MenuListBase {
        id: menuBar
        MenuItemBase { action: newAction }
        MenuItemBase { action: openAction }
        MenuItemBase { action: saveAction }
        MenuItemBase { action: holdAction }
    }

    MenuListBase {
        id: bandMenu
        Instantiator {
            model: ["AM", "FM", "SSB", "CW"]
            MenuItemBase {
                text: modelData
                checkable: true
                checked: modelData === "FM"
                exclusiveGroup: demodulation
            }
        }
    }

    MenuListBase {
        id: optionsMenu
        MenuItemBase { text: "Zoom &in"; shortcut: "Ctrl++"; onTriggered: optionsPopup.dismissPopup() }
        MenuItemBase { text: "Zoom ou&t"; shortcut: "Ctrl+-"; onTriggered: optionsPopup.dismissPopup() }
        MenuSeparator {}
        MenuItemBase {
            id: unitsEntry
            text: "&Units"
            onTriggered: if (!page.preview) unitsPopup.__popup(unitsEntry.__visualItem.width, 0)
        }
    }

    MenuListBase {
        id: unitsMenu
        MenuItemBase { text: "dBm"; checkable: true; checked: true; exclusiveGroup: levelUnit }
        MenuItemBase { text: "dB\u00b5V"; checkable: true; exclusiveGroup: levelUnit }
        MenuItemBase { text: "W"; checkable: true; exclusiveGroup: levelUnit }
    }

    PopupWindowBase {
        id: optionsPopup
        parentItem: optionsButton
        yOffset: optionsButton.height
        contentItem: page.preview ? null : optionsContent
        onPopupDismissed: optionsPopup.__closePopup()
    }
    PopupWindowBase {
        id: unitsPopup
        parentItem: unitsEntry.__visualItem
        contentItem: page.preview ? null : unitsContent
        onPopupDismissed: unitsPopup.__closePopup()
    }

    Column {
        anchors.fill: parent
        spacing: 12

        Text { text: "Menu bar"; color: "#8fc1ff"; font.pixelSize: 18 }
        Rectangle {
            width: bar.width
            height: bar.height
            color: "#2a2a2a"
            Row {
                id: bar
                Repeater {
                    model: menuBar.count
                    MenuEntry { item: menuBar.items[index]; width: 160 }
                }
            }
        }
        Text {
            color: "#b4b4b4"
            font.pixelSize: 13
            text: "Last command: " + page.lastCommand + "; hold is " + (holdAction.checked ? "on" : "off")
        }

        Row {
            spacing: 30

            Column {
                spacing: 12
                Text { text: "Generated entries"; color: "#8fc1ff"; font.pixelSize: 18 }
                Rectangle {
                    width: bands.width
                    height: bands.height
                    color: "#2a2a2a"
                    Column {
                        id: bands
                        Repeater {
                            model: bandMenu.count
                            MenuEntry { item: bandMenu.items[index]; width: 180 }
                        }
                    }
                }
                Text {
                    color: "#b4b4b4"
                    font.pixelSize: 13
                    text: bandMenu.count + " entries from a model; demodulation: "
                          + (demodulation.current ? demodulation.current.text : "none")
                }
            }

            Column {
                spacing: 12
                Text { text: "Popup with a submenu"; color: "#8fc1ff"; font.pixelSize: 18 }
                ActionButton { id: optionsButton; action: optionsAction; showShortcut: false }
                Text {
                    visible: page.preview
                    color: "#b4b4b4"
                    font.pixelSize: 13
                    text: "No display: the popup and its submenu are drawn here."
                }
                Row {
                    spacing: 8
                    Rectangle {
                        id: optionsContent
                        width: 180
                        height: options.height + 8
                        color: "#2a2a2a"
                        border.color: "#6e6e6e"
                        Column {
                            id: options
                            y: 4
                            Repeater {
                                model: optionsMenu.count
                                MenuEntry {
                                    item: optionsMenu.items[index]
                                    width: 180
                                    opensSubmenu: item === unitsEntry
                                }
                            }
                        }
                    }
                    Rectangle {
                        id: unitsContent
                        width: 180
                        height: units.height + 8
                        color: "#2a2a2a"
                        border.color: "#6e6e6e"
                        Column {
                            id: units
                            y: 4
                            Repeater {
                                model: unitsMenu.count
                                MenuEntry { item: unitsMenu.items[index]; width: 180 }
                            }
                        }
                    }
                }
                Text {
                    color: "#b4b4b4"
                    font.pixelSize: 13
                    text: "Level unit: " + (levelUnit.current ? levelUnit.current.text : "none")
                }
            }
        }
    }
}
