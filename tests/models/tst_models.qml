import QtQuick 2.15
import QtTest 1.2
import common 1.0
import common.sim 1.0

// Tables declared as pages declare them, shown in views.
Item {
    id: root
    width: 400
    height: 400

    ActionBase { id: hold; text: "Hold"; checkable: true }
    Component { id: itemMaker; DataItem {} }

    TableModel {
        id: rows
        objectName: "measurements"
        TableModelRow {
            TableHeader { text: "Level" }
            DataItem { id: levelCell; zebData: SimData { id: level; value: -23.4; qualityCode: 1 } }
            DataItem { id: holdCell; text: "Hold"; zebData: level; action: hold }
        }
        TableModelRow {
            TableHeader { text: "Frequency" }
            DataItem { zebData: SimData { id: frequency; value: 433.92 } }
            DataItem { zebData: frequency }
        }
        TableModelRow {
            TableHeader { text: "Power" }
            DataItem { zebData: SimData { id: power; value: 0.5 } }
            TableSpacer {}
        }
    }

    TableModel {
        id: columns
        TableModelColumn {
            DataItem { text: "a0"; zebData: SimData { id: a0 } }
            DataItem { text: "a1"; zebData: SimData { id: a1 } }
            DataItem { text: "a2" }
        }
        TableModelColumn {
            DataItem { text: "b0"; zebData: SimData { id: b0 } }
            DataItem { text: "b1"; zebData: a1 }
            DataItem { text: "b2" }
        }
    }

    DataItemList { id: looseList; DataItem { text: "kept" } QtObject {} }

    // Filtered: the table's own row and column counts, cells through modelData().
    ListView {
        id: rowView
        width: 400
        height: 200
        model: rows.rowCount
        delegate: Row {
            property int rowIndex: index
            Repeater {
                model: rows.colCount
                Text {
                    width: 100
                    text: {
                        var cell = rows.modelData(rowIndex, index)
                        return cell.zebData ? String(cell.zebData.value) : cell.text
                    }
                }
            }
        }
    }

    // Unfiltered: the table as a model.
    TableView {
        id: tableView
        y: 200
        width: 400
        height: 200
        model: columns
        delegate: Text { text: columns.itemAtIndex(row, column).text; width: 50; height: 20 }
    }

    SignalSpy { id: toggledSpy; target: holdCell; signalName: "toggled" }

    TestCase {
        name: "Models"
        when: windowShown

        function test_declaredTables() {
            compare([rows.count, rows.rowCount, rows.colCount, rowView.count], [9, 3, 3, 3])
            compare(rows.modelData(2, 2).type, DataItem.Spacer)
            compare(rows.modelData(0, 0, TableModel.ValueString), "Level")
            compare(rows.modelData(0, 1, TableModel.Id), undefined)
            compare(levelCell.getContainerName(), "measurements")
            compare(String(levelCell.compPath), "/base/qml_4410/common/DataItemTableCell.qml")
            compare([tableView.rows, tableView.columns], [3, 2])
        }

        function test_rowsFollowTheirData() {
            level.applicable = false
            compare([rows.rowCount, rowView.count], [2, 2])
            compare(rows.modelData(0, 1).zebData, frequency)
            level.applicable = true
            compare(rowView.count, 3)
            // Unbinding the data object brings the own flag back, and the table learns it.
            power.applicable = false
            compare(rows.rowCount, 2)
            rows.itemAtIndex(2, 1).zebData = null
            compare(rows.rowCount, 3)
            rows.itemAtIndex(2, 1).zebData = power
            power.applicable = true

            a1.applicable = false // a1 is bound by both cells of the columns' row 1
            compare([columns.rowCount, columns.colCount], [2, 2])
            compare(columns.modelData(1, 1).text, "b2")
            a1.applicable = true
        }

        function test_itemsForwardTheirAction() {
            holdCell.trigger()
            verify(hold.checked && holdCell.checked && holdCell.checkable)
            hold.enabled = false
            verify(!holdCell.enabled)
            hold.checked = false
            hold.enabled = true
            compare(toggledSpy.count, 2)
        }

        // Nothing of these stays on the stack for the collector to see.
        function touchDerivedLists() {
            columns.rowAtIndex(0).count
            columns.colAtIndex(1).count
            looseList.insertItem(looseList.count, itemMaker.createObject(null, { text: "js" }))
        }

        function test_collectorLeavesTablesAndListsAlone() {
            compare(looseList.count, 1) // the QtObject child was dropped
            touchDerivedLists()
            gc()
            wait(0)
            compare(columns.rowAtIndex(0).itemAtIndex(1).text, "b0")
            compare(columns.colAtIndex(1).itemAtIndex(2).text, "b2")
            compare(looseList.itemAtIndex(1).text, "js")
        }
    }
}
