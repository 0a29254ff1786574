#include "dataitemlist.h"
#include "sortfilterproxymodel.h"
#include "tablemodel.h"
#include "tablemodelcolumn.h"
#include "tablemodelrow.h"

#include <QAbstractItemModelTester>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using Counts = QList<int>;

// A table declared as QML declares it: lists appended through "items", each cell named
// "<list>.<position>", then completed. Both the table and its filter are checked by a model tester.
struct Table
{
    Table(bool byColumns, const QList<int> &sizes)
    {
        for (int l = 0; l < sizes.size(); ++l) {
            DataItemList *list = byColumns
                ? static_cast<DataItemList *>(new TableModelColumn(&model))
                : new TableModelRow(&model);
            for (int i = 0; i < sizes[l]; ++i) {
                auto *cell = new DataItem;
                cell->setText(QString("%1.%2").arg(l).arg(i));
                list->appendItem(cell);
            }
            declared << list;
            append(list);
        }
        watch(&model);
        watch(model.proxy());
    }
    void append(DataItemList *list)
    {
        QQmlListProperty<DataItemList> items = model.items();
        items.append(&items, list);
    }
    void watch(QAbstractItemModel *m)
    {
        testers.emplace_back(std::make_unique<QAbstractItemModelTester>(
            m, QAbstractItemModelTester::FailureReportingMode::Fatal));
    }
    void complete()
    {
        model.classBegin();
        model.componentComplete();
    }
    DataItem *cell(int list, int position) const { return declared[list]->itemAtIndex(position); }
    QString text(int row, int col, int role = TableModel::ValueString)
    {
        return model.modelData(row, col, role).toString();
    }

    TableModel model;
    QList<DataItemList *> declared;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers; // go before the model
};

class TestTableModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void columnBasedTable();
    void filterFollowsApplicability();
    void clearAndAddAgain();
    void raggedTablesAndRefusals();
    void defaultsReachTheLists();
    void cellsListsAndTableDying();
    void derivedListsSurviveGarbageCollection();
};

void TestTableModel::columnBasedTable()
{
    Table t(true, { 4, 4, 4 });
    QSignalSpy count(&t.model, &TableModel::countChanged);
    t.complete();
    QCOMPARE(count.count(), 1);
    QCOMPARE(Counts({ t.model.rowCount(), t.model.columnCount(), t.model.count() }),
             Counts({ 4, 3, 12 }));
    QCOMPARE(t.model.itemAtIndex(2, 1), t.cell(1, 2));
    QCOMPARE(t.model.rowAtIndex(2)->itemAtIndex(1), t.cell(1, 2));
    QCOMPARE(t.cell(1, 2)->container(), t.declared[1]); // not the derived row

    QCOMPARE(t.model.data(t.model.index(2, 1), TableModel::ValueString).toString(), "1.2");
    QCOMPARE(qvariant_cast<DataItem *>(t.model.modelData(2, 1)), t.cell(1, 2));
    QVERIFY(!t.model.modelData(2, 1, TableModel::value).isValid());

    QTest::ignoreMessage(QtDebugMsg,
                         "ERROR: TableModel::allItemsInitialized is called more than once");
    t.model.componentComplete();
    QCOMPARE(t.model.rowCount(), 4);
}

void TestTableModel::filterFollowsApplicability()
{
    Table t(true, { 4, 4, 4 });
    t.complete();
    QSignalSpy rows(&t.model, &TableModel::rowCountChanged);
    QSignalSpy cols(&t.model, &TableModel::colCountChanged);
    for (int c = 0; c < 3; ++c)
        t.cell(c, 2)->setApplicable(false);
    QCOMPARE(rows.count(), 1);
    QCOMPARE(t.model.filteredRowCount(), 3);
    QCOMPARE(t.text(2, 0), QString("0.3")); // the hidden row is skipped
    QCOMPARE(t.model.itemAtIndex(2, 0), t.cell(0, 2)); // and still reachable unfiltered

    for (int r = 0; r < 4; ++r)
        t.cell(1, r)->setApplicable(false);
    QCOMPARE(cols.count(), 1);
    QCOMPARE(t.model.filteredColCount(), 2);
    QCOMPARE(t.text(0, 1), QString("2.0"));

    t.cell(1, 2)->setApplicable(true); // row 2 and column 1 come back
    QCOMPARE(Counts({ t.model.filteredRowCount(), t.model.filteredColCount() }), Counts({ 4, 3 }));
    QCOMPARE(t.text(2, 1), QString("1.2"));
}

void TestTableModel::clearAndAddAgain()
{
    Table t(true, { 2, 2 });
    t.complete();
    QPointer<DataItemList> derived = t.model.rowAtIndex(0);
    QSignalSpy count(&t.model, &TableModel::countChanged);
    QSignalSpy rows(&t.model, &TableModel::rowCountChanged);
    QSignalSpy reset(&t.model, &QAbstractItemModel::modelReset);
    t.model.clear();
    QCOMPARE(Counts({ t.model.rowCount(), t.model.columnCount(), t.model.count(),
                      t.model.filteredRowCount() }),
             Counts({ 0, 0, 0, 0 }));
    QCOMPARE(Counts({ count.count(), rows.count(), reset.count() }), Counts({ 1, 1, 1 }));
    // The derived lists are gone; the declared lists and their cells belong to QML and live.
    QVERIFY(!derived);
    QCOMPARE(t.cell(1, 1)->getText(), QString("1.1"));

    // Lists added afterwards, even of the other kind, make a new table at once.
    auto *row = new TableModelRow(&t.model);
    row->appendItem(new DataItem);
    row->appendItem(new DataItem);
    auto *second = new TableModelRow(&t.model);
    second->appendItem(new DataItem);
    t.append(row);
    t.append(second);
    QCOMPARE(Counts({ t.model.rowCount(), t.model.columnCount(), t.model.filteredRowCount() }),
             Counts({ 2, 2, 2 }));
    QCOMPARE(t.model.colAtIndex(0)->itemAtIndex(1), second->itemAtIndex(0));
    QCOMPARE(row->compPath().toString(), TableModel::defaultCellCompPath());
    // The default follows the base directory (set by the test's environment).
    QCOMPARE(TableModel::defaultCellCompPath(),
             qEnvironmentVariable("COMMON_BASE_DIR") + "/qml_4410/common/DataItemTableCell.qml");
    QCOMPARE(reset.count(), 3);
}

void TestTableModel::raggedTablesAndRefusals()
{
    Table t(true, { 4, 2, 4, 5 });
    QTest::ignoreMessage(QtCriticalMsg, "Model can't be both row based and column based.");
    t.append(new TableModelRow(&t.model));
    QTest::ignoreMessage(QtWarningMsg, "append_modelItems: wrong object.");
    t.append(new DataItemList(&t.model));
    QTest::ignoreMessage(QtDebugMsg, "TableModel: refused a list the table already holds");
    t.append(t.declared[0]);
    QTest::ignoreMessage(QtDebugMsg, "ERROR in MODEL: One Clumn has more items that others");
    t.complete();
    QCOMPARE(Counts({ t.model.rowCount(), t.model.columnCount() }), Counts({ 4, 4 }));
    // A short column leaves holes: cells stay in their own column.
    QCOMPARE(t.model.itemAtIndex(2, 2), t.cell(2, 2));
    QCOMPARE(t.model.itemAtIndex(2, 1), nullptr);
    QCOMPARE(t.model.itemAtIndex(4, 3), nullptr);

    Table rows(false, { 2, 3 });
    QTest::ignoreMessage(QtDebugMsg, "ERROR in MODEL: One Row has more items that others");
    rows.complete();
    QCOMPARE(rows.model.colAtIndex(1)->count(), 2);
}

void TestTableModel::defaultsReachTheLists()
{
    Table t(false, { 2, 2 });
    QFont own("Serif");
    own.setPixelSize(9);
    t.declared[1]->setFont(own);
    t.declared[1]->setCompPath(QUrl("qrc:/own.qml"));
    QQmlEngine engine;
    QQmlComponent cell(&engine);
    t.model.setCellComponent(&cell);
    t.complete();
    QCOMPARE(t.cell(0, 1)->compPath(), QUrl(TableModel::defaultCellCompPath()));
    QCOMPARE(t.cell(1, 1)->compPath(), QUrl("qrc:/own.qml"));
    QCOMPARE(t.cell(0, 0)->component(), &cell);
    QCOMPARE(t.declared[0]->font().family(), QString("Roboto"));

    QSignalSpy font(&t.model, &TableModel::tableFontChanged);
    t.model.setFontSize(TableModel::XXLargeFont);
    QCOMPARE(t.model.tableFont().pixelSize(), 30);
    // Only a list still without a value of its own would take the new font.
    QCOMPARE(t.declared[0]->font().pixelSize(), 14);
    QCOMPARE(t.cell(1, 0)->font(), own);
    t.model.setTableFont(QFont("Sans")); // the pixel size stays
    QCOMPARE(t.model.tableFont().pixelSize(), 30);
    QFont bigger = t.model.tableFont();
    bigger.setPixelSize(40); // only the size differs, and the size is kept: no change
    t.model.setTableFont(bigger);
    QCOMPARE(font.count(), 2);
    t.model.setCellCompPath(QUrl("qrc:/other.qml"));
    QCOMPARE(t.cell(1, 0)->compPath(), QUrl("qrc:/own.qml"));
}

void TestTableModel::cellsListsAndTableDying()
{
    auto *t = new Table(true, { 3, 3, 3 });
    t->complete();
    QSignalSpy reset(&t->model, &QAbstractItemModel::modelReset);
    delete t->cell(1, 0); // the derived row lets go of it
    QCOMPARE(t->model.rowAtIndex(0)->itemAtIndex(1), t->cell(2, 0));
    delete t->declared.takeAt(1); // QML destroys a declared column
    QCOMPARE(reset.count(), 1);
    QCOMPARE(Counts({ t->model.columnCount(), t->model.filteredColCount(),
                      t->model.rowAtIndex(1)->count() }),
             Counts({ 2, 2, 2 }));
    QCOMPARE(t->text(2, 1), QString("2.2"));
    QPointer<DataItem> cell = t->cell(1, 2);
    delete t; // its lists go with it, each cell once
    QVERIFY(!cell);

    // Lists owned elsewhere outlive the table and keep their cells.
    QObject owner;
    auto *column = new TableModelColumn(&owner);
    column->appendItem(new DataItem);
    {
        TableModel model;
        QQmlListProperty<DataItemList> items = model.items();
        items.append(&items, column);
        model.componentComplete();
    }
    QCOMPARE(column->count(), 1);
    QCOMPARE(column->getContainerName(), QString());
}

void TestTableModel::derivedListsSurviveGarbageCollection()
{
    Table t(true, { 2, 2 });
    t.complete();
    QPointer<DataItemList> row = t.model.rowAtIndex(1);
    QQmlEngine engine;
    QQmlEngine::setObjectOwnership(&t.model, QQmlEngine::CppOwnership);
    qRegisterMetaType<DataItemList *>();
    QJSValue touch = engine.evaluate("(function (t) { var n = 0; for (var i = 0; i < 2; ++i) "
                                     "n += t.rowAtIndex(i).count + t.colAtIndex(i).count; "
                                     "return n })");
    QCOMPARE(touch.call({ engine.newQObject(&t.model) }).toInt(), 8);
    engine.collectGarbage();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(row);
    QCOMPARE(row->itemAtIndex(0), t.cell(0, 1));
    t.model.clear();
    QVERIFY(!row);
}

QTEST_MAIN(TestTableModel)
#include "tst_tablemodel.moc"
