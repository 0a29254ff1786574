import QtQuick 2.15
import common 1.0

// Menu trees loaded from a JSON file and from an XML file that ship with the gallery. Both
// files sit in the application's resources, which never change, so nothing is watched; a
// TreeModel given a file on disk reloads it whenever it changes.
Item {
    id: page
    property string selection

    // TreeModel reads file paths; a resource URL becomes a ":/" path.
    function filePath(name) {
        var url = Qt.resolvedUrl(name).toString()
        return url.startsWith("qrc:") ? url.substring(3)
                                      : decodeURIComponent(url.replace(/^file:\/\//, ""))
    }

    TreeModel { id: jsonTree; Component.onCompleted: loadModelfromJson(page.filePath("MenuTree.json")) }
    TreeModel { id: xmlTree; Component.onCompleted: loadModelfromXml(page.filePath("MenuTree.xml")) }

    Row {
        id: trees
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: status.top }
        spacing: 20
        Repeater {
            model: [
                { title: "From MenuTree.json", tree: jsonTree },
                { title: "From MenuTree.xml", tree: xmlTree }
            ]
            Column {
                width: 330
                height: trees.height
                spacing: 8
                Text { text: modelData.title; color: "#8fc1ff"; font.pixelSize: 18 }
                Flickable {
                    width: parent.width
                    height: parent.height - 40
                    clip: true
                    contentHeight: branch.height
                    MenuBranch {
                        id: branch
                        tree: modelData.tree
                        rootIndex: modelData.tree.rootIndex()
                        selection: page.selection
                        onPicked: page.selection = path
                    }
                }
            }
        }
    }

    Text {
        id: status
        anchors { left: parent.left; bottom: parent.bottom }
        color: "#b4b4b4"
        font.pixelSize: 14
        text: page.selection ? "Selected: " + page.selection
                             : "Tap an entry to open it and to see its path"
    }
}
