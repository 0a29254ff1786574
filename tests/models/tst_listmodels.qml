import QtQuick 2.15
import QtTest 1.2
import common 1.0
import common.sim 1.0

// A list view over a filter model over a list model whose items are bound to data objects.
Item {
    id: root
    width: 300
    height: 600

    SimData { id: level; value: 1 }
    SimData { id: frequency; value: 2; applicable: false }
    SimData { id: power; value: 3 }
    Component { id: itemMaker; DataItem {} }

    DataItemListModel {
        id: listModel
        DataItem { id: levelItem; text: "level"; zebData: level }
        DataItem { id: frequencyItem; text: "frequency"; zebData: frequency }
        DataItem { id: powerItem; text: "power"; zebData: power }
        // Not a data item: not a row, but it filters the model it is declared in.
        ListSortFilterProxyModel { id: proxy; sourceModel: listModel }
    }

    DataItemFilterModel { id: filterModel; sourceModel: listModel }

    DataItemList {
        id: plainList
        DataItem { id: first; text: "first" }
        DataItem { id: second; text: "second" }
    }

    ListView {
        id: view
        width: 300
        height: 500
        model: filterModel
        delegate: Text {
            width: 300
            height: 20
            text: model.text + "=" + valueString + "#" + itemIndex
        }
    }

    TestCase {
        name: "ListModels"
        when: windowShown

        function shown() {
            view.forceLayout()
            var texts = []
            for (var i = 0; i < view.count; ++i) {
                var delegate = view.itemAtIndex(i)
                texts.push(delegate ? delegate.text : "?")
            }
            return texts
        }

        function test_1_viewFollowsApplicability() {
            verify(listModel.compCompleted && filterModel.compCompleted)
            compare([listModel.count, filterModel.count, proxy.rowCount()], [3, 2, 2])
            compare(shown(), ["level=1#0", "power=3#2"])
            frequency.applicable = true
            compare(shown(), ["level=1#0", "frequency=2#1", "power=3#2"])
            level.applicable = false
            compare(shown(), ["frequency=2#1", "power=3#2"])
            compare(filterModel.itemAtIndex(0), frequencyItem)
            compare(filterModel.mapRowFromSource(0), -1)
            compare(proxy.rowCount(), 2)

            filterModel.bulkChangeStart(true)
            level.applicable = true
            power.applicable = false
            compare(view.count, 2)
            filterModel.bulkChangeStart(false)
            compare(shown(), ["level=1#0", "frequency=2#1"])
            power.applicable = true
        }

        function test_2_insertAndRemove() {
            var made = itemMaker.createObject(null, { text: "made", subText: "x" })
            listModel.insertItem(1, made)
            compare(shown(), ["level=1#0", "made=x#1", "frequency=2#2", "power=3#3"])
            made.subText = "y" // an inserted item is followed like a declared one
            compare(shown()[1], "made=y#1")
            made.applicable = false
            compare(view.count, 3)
            made.applicable = true
            listModel.removeItem(made)
            compare(shown(), ["level=1#0", "frequency=2#1", "power=3#2"])
            made.destroy()
        }

        function test_3_assigningHeldItems() {
            // The assignment clears the list first: items it takes back must live on.
            listModel.items = [powerItem, levelItem]
            wait(0)
            compare(listModel.count, 2)
            verify(frequencyItem === null) // left out: deleted
            levelItem.text = "LEVEL"
            compare(shown(), ["power=3#0", "LEVEL=1#1"])

            plainList.items = [second, first]
            wait(0)
            first.text = "first again"
            compare([plainList.count, plainList.itemAtIndex(0).text, plainList.itemAtIndex(1).text],
                    [2, "second", "first again"])
        }
    }
}
