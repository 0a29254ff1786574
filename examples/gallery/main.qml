import QtQuick 2.15
import QtQuick.Window 2.15

// The gallery window: the list of pages on the left, the chosen page on the right. Every file
// in pages/ is a page; the application passes their names as "galleryPages".
Window {
    id: window
    width: 860
    height: 620
    visible: true
    color: "#1e1e1e"
    title: "common gallery"

    property string currentPage: galleryPages.length > 0 ? galleryPages[0] : ""

    // The content item is transparent: rendered pages need the background drawn.
    Rectangle {
        anchors.fill: parent
        color: window.color
    }

    Rectangle {
        id: sideBar
        width: 150
        anchors { top: parent.top; bottom: parent.bottom; left: parent.left }
        color: "#2a2a2a"

        Column {
            anchors.fill: parent
            anchors.topMargin: 12
            spacing: 2
            Repeater {
                model: galleryPages
                Rectangle {
                    width: sideBar.width
                    height: 36
                    color: modelData === window.currentPage ? "#2f7fd8" : (tap.pressed ? "#505050" : "transparent")
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        x: 14
                        text: modelData
                        color: "white"
                        font.pixelSize: 15
                    }
                    MouseArea {
                        id: tap
                        anchors.fill: parent
                        onClicked: window.currentPage = modelData
                    }
                }
            }
        }
    }

    Loader {
        id: page
        anchors { top: parent.top; bottom: parent.bottom; left: sideBar.right; right: parent.right }
        anchors.margins: 20
        source: window.currentPage ? "pages/" + window.currentPage + "Page.qml" : ""
    }
}
