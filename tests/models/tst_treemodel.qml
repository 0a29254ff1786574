import QtQuick 2.15
import QtQml.Models 2.15
import QtTest 1.2
import common 1.0

Item {
    width: 200
    height: 300

    TreeModel { id: tree }

    function localPath(name) {
        return decodeURIComponent(Qt.resolvedUrl(name).toString().replace(/^file:\/\//, ""))
    }

    // A view of one level of the tree, as QML tree views build them.
    ListView {
        id: view
        anchors.fill: parent
        model: DelegateModel {
            id: level
            model: tree
            delegate: Text { text: display; property var value: display }
        }
    }

    SignalSpy { id: changed; target: tree; signalName: "modelChanged" }

    TestCase {
        name: "TreeModel"
        when: windowShown

        function test_jsonMenu() {
            changed.clear()
            tree.loadModelfromJson(localPath("data/menu.json"))
            compare(changed.count, 2)
            compare(tree.rowCount(), 2)
            var measure = tree.index(0, 0, tree.rootIndex())
            compare(tree.data(measure, Qt.DisplayRole), "Measure") // keys in sorted order
            var span = tree.index(0, 0, tree.index(1, 0, measure))
            compare(tree.getSelectionToRoot(span), "/Measure/Spectrum/Span")
            compare(tree.depth(span), 2)
            verify(tree.isLeafAtIndex(span))
            verify(!tree.isLeafAtIndex(measure))
            tree.clear()
            compare(tree.rowCount(), 0)
        }

        function test_xmlNamesReachDelegatesAsText() {
            tree.loadModelfromXml(localPath("data/menu.xml"))
            level.rootIndex = tree.index(0, 0, tree.rootIndex())
            view.forceLayout()
            compare(view.count, 2)
            compare(view.itemAtIndex(0).text, "Network")
            compare(typeof view.itemAtIndex(0).value, "string")
            verify(view.itemAtIndex(0).value === "Network")
            level.rootIndex = tree.index(1, 0, tree.rootIndex())
            view.forceLayout()
            compare(view.itemAtIndex(0).value, "Größe")
            compare(tree.getSelectionToRoot(level.modelIndex(0)), "/Tools/Größe")
        }
    }
}
