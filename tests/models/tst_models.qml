import QtQuick 2.15
import QtTest 1.2
import common 1.0
import common.sim 1.0

// Tables declared as pages declare them.
Item {
    Component { id: itemMaker; DataItem {} }

    TableModel {
        id: rows
        objectName: "measurements"
        TableModelRow {
            TableHeader { text: "Level" }
            DataItem { id: levelCell; zebData: SimData { id: level; value: -23.4; qualityCode: 1 } }
            DataItem { text: "Hold"; zebData: level }
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

    TestCase {
        name: "Models"
        when: windowShown

        function test_declaredTables() {
            compare([rows.count, rows.rowCount, rows.colCount], [9, 3, 3])
            compare(rows.modelData(2, 2).type, DataItem.Spacer)
            compare(rows.modelData(0, 0, TableModel.ValueString), "Level")
            compare(rows.modelData(0, 1, TableModel.Id), undefined)
            compare(levelCell.getContainerName(), "measurements")
            compare(String(levelCell.compPath), "/base/qml_4410/common/DataItemTableCell.qml")
        }

        function test_rowsFollowTheirData() {
            level.applicable = false
            compare(rows.rowCount, 2)
            compare(rows.modelData(0, 1).zebData, frequency)
            level.applicable = true
            compare(rows.rowCount, 3)
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

        // Made from script without a parent; nothing of it stays on the stack for the collector
        // to see.
        function insertScriptItem() {
            looseList.insertItem(looseList.count, itemMaker.createObject(null, { text: "js" }))
        }

        function test_collectorLeavesListItemsAlone() {
            compare(looseList.count, 1) // the QtObject child was dropped
            insertScriptItem()
            gc()
            wait(0)
            compare(looseList.itemAtIndex(1).text, "js")
        }
    }
}
