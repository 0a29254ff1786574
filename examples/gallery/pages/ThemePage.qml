import QtQuick 2.15
import common 1.0
import ".."

// The theme of the module: the inverted and display-mode switches with the colours they
// rewrite, quality colours and icons, the interface language and the screen's orientation.
Item {
    id: page

    // Inside a Window, "screen" names the window's screen; the gallery passes the module's
    // screen object as "moduleScreen" (an application whose root is an item needs no alias).
    readonly property QtObject quickScreen: typeof moduleScreen !== "undefined" ? moduleScreen : screen

    readonly property var qualities: [
        { code: 16, name: qsTr("Pass"), icon: "pass.png" },
        { code: 32, name: qsTr("Warning"), icon: "warn.png" },
        { code: 64, name: qsTr("Fail"), icon: "fail.png" },
        { code: 0, name: qsTr("No verdict"), icon: "" }
    ]

    ActionBase {
        id: invertedAction
        text: qsTr("Inverted")
        checkable: true
        checked: theme.inverted
        onToggled: theme.inverted = checked
    }
    ExclusiveGroup {
        ActionBase {
            id: outdoorAction
            text: qsTr("Outdoor")
            checkable: true
            checked: hTheme.displayMode === "Outdoor"
            onTriggered: hTheme.displayMode = "Outdoor"
        }
        ActionBase {
            id: indoorAction
            text: qsTr("Indoor")
            checkable: true
            checked: hTheme.displayMode === "Indoor"
            onTriggered: hTheme.displayMode = "Indoor"
        }
    }
    ExclusiveGroup {
        ActionBase {
            id: englishAction
            text: "English"
            checkable: true
            checked: true
            onTriggered: textTranslator.setLanguage("English")
        }
        ActionBase {
            id: germanAction
            text: "Deutsch"
            checkable: true
            onTriggered: textTranslator.setLanguage("German")
        }
    }
    component OrientationAction: ActionBase {
        property int orientation
        checkable: true
        checked: page.quickScreen.currentOrientation === orientation
        // Allowing only one orientation turns the screen to it.
        onTriggered: page.quickScreen.setAllowedOrientations(orientation)
    }
    OrientationAction { id: portraitAction; text: qsTr("Portrait"); orientation: Screen.Portrait }
    OrientationAction { id: landscapeAction; text: qsTr("Landscape"); orientation: Screen.Landscape }
    OrientationAction { id: portraitInvertedAction; text: "PortraitInverted"; orientation: Screen.PortraitInverted }
    OrientationAction { id: landscapeInvertedAction; text: "LandscapeInverted"; orientation: Screen.LandscapeInverted }

    component Heading: Text { color: "#8fc1ff"; font.pixelSize: 18 }
    component Label: Text { color: "white"; font.pixelSize: 14 }
    component Swatch: Rectangle {
        property string key
        width: 96; height: 34
        color: systemColor[key]
        border.color: "#6e6e6e"
        Text {
            anchors.centerIn: parent
            text: parent.key.replace("Color", "")
            color: systemFont.DynamicDarkFontColor
            font.pixelSize: 11
        }
    }

    Column {
        anchors.fill: parent
        spacing: 10

        Heading { text: qsTr("Theme") }
        Row {
            spacing: 8
            ActionButton { action: invertedAction; showShortcut: false }
            Swatch { key: "TableCellColor" }
            Swatch { key: "TableCellAlterColor" }
            Swatch { key: "TableHeaderColor" }
            Swatch { key: "TableGridColor" }
        }

        Heading { text: qsTr("Display mode") }
        Row {
            spacing: 8
            ActionButton { action: outdoorAction; showShortcut: false }
            ActionButton { action: indoorAction; showShortcut: false }
            Rectangle {
                width: 330; height: 40
                color: hColor.Background
                border.color: hColor.Grayout
                Text {
                    anchors.fill: parent
                    anchors.margins: 6
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideLeft
                    text: hThemeImage.SidebarBackground.replace(/.*radnet_image\//, "")
                    color: hColor.Background === "#ffffff" ? hColor.Black85 : hColor.White
                    font: hFont.Normal14
                }
            }
        }

        Heading { text: qsTr("Quality") }
        Row {
            spacing: 8
            Repeater {
                model: page.qualities
                Rectangle {
                    width: 160; height: 44
                    color: systemColor.ChalkboardBackground
                    border.color: systemColor.ChalkboardBorder
                    Row {
                        anchors.centerIn: parent
                        spacing: 6
                        Rectangle {
                            anchors.verticalCenter: parent.verticalCenter
                            width: 12; height: 24
                            color: theme.getZebQualityColor(modelData.code)
                        }
                        Image {
                            width: 24; height: 24
                            // The inverted set lacks some icons: the normal ones stand in.
                            source: modelData.icon ? theme.dynamicDirPrefix + modelData.icon : ""
                        }
                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: modelData.name
                            color: theme.getZebQualityColor(modelData.code, Theme.Foreground, Theme.Chalkboard)
                            font.pixelSize: 14
                        }
                    }
                }
            }
        }

        Heading { text: qsTr("Language") }
        Row {
            spacing: 8
            ActionButton { action: englishAction; showShortcut: false }
            ActionButton { action: germanAction; showShortcut: false }
            Label {
                anchors.verticalCenter: parent.verticalCenter
                text: textTranslator.currentLanguage() + ": " + qsTr("Pass") + ", " + qsTr("Warning")
                      + ", " + qsTr("Fail")
            }
        }

        Heading { text: qsTr("Orientation") }
        Row {
            spacing: 8
            ActionButton { action: portraitAction; showShortcut: false }
            ActionButton { action: landscapeAction; showShortcut: false }
            ActionButton { action: portraitInvertedAction; showShortcut: false }
            ActionButton { action: landscapeInvertedAction; showShortcut: false }
        }
        Label {
            text: qsTr("Screen") + ": " + page.quickScreen.orientationString + ", "
                  + page.quickScreen.rotation + "°, " + page.quickScreen.width + " × "
                  + page.quickScreen.height + ", " + page.quickScreen.dpi + " dpi"
        }
    }
}
