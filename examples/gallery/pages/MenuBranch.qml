import QtQuick 2.15
import QtQml.Models 2.15

// One level of a menu tree, with the open branches below it. A tap opens or closes an entry
// and selects it.
Column {
    id: branch
    property QtObject tree
    property var rootIndex
    property string selection
    signal picked(string path)

    Repeater {
        model: DelegateModel {
            id: level
            model: branch.tree
            rootIndex: branch.rootIndex
            delegate: Column {
                id: entry
                readonly property var modelIndex: level.modelIndex(index)
                readonly property string path: branch.tree.getSelectionToRoot(modelIndex)
                property bool open: branch.tree.depth(modelIndex) < 1

                Rectangle {
                    width: 320
                    height: 24
                    radius: 3
                    color: entry.path === branch.selection ? "#2f7fd8"
                                                          : (tap.pressed ? "#505050" : "transparent")
                    Text {
                        x: 6 + 18 * branch.tree.depth(entry.modelIndex)
                        anchors.verticalCenter: parent.verticalCenter
                        color: "white"
                        font.pixelSize: 14
                        text: (hasModelChildren ? (entry.open ? "\u25be " : "\u25b8 ") : "    ")
                              + display
                    }
                    MouseArea {
                        id: tap
                        anchors.fill: parent
                        onClicked: {
                            entry.open = !entry.open
                            branch.picked(entry.path)
                        }
                    }
                }
                Loader {
                    active: entry.open && hasModelChildren
                    visible: active
                    Component.onCompleted: setSource("MenuBranch.qml", {
                        tree: branch.tree,
                        rootIndex: entry.modelIndex,
                        selection: Qt.binding(function () { return branch.selection }),
                    })
                    onLoaded: item.picked.connect(branch.picked)
                }
            }
        }
    }
}
