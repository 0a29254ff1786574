#include "dataitem.h"
#include "tableheader.h"
#include "tablemodelrow.h"
#include "tablespacer.h"

#include "simdata.h"

#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

class TestDataItem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshItemAndPresetTypes();
    void layoutFallsBackToContainerList();
    void containerListDyingFirst();
    void containerName();
    void dataObjectBinding();
    void dataObjectDyingFirst();
    void actionBinding();
    void actionDyingFirst();
    void componentDyingFirst();
};

void TestDataItem::freshItemAndPresetTypes()
{
    DataItem item;
    item.setObjectName("level");
    QCOMPARE(item.type(), DataItem::Item);
    QCOMPARE(QList<int>({ item.width(), item.height() }), QList<int>({ -1, -1 }));
    QVERIFY(item.applicable() && item.enabled());
    QCOMPARE(item.getContainerName(), QString("level"));
    QCOMPARE(TableHeader().type(), DataItem::Header);
    QCOMPARE(TableSpacer().type(), DataItem::Spacer);
    QVERIFY(!TableSpacer().isOrdinary() && item.isOrdinary());

    // Plain setters emit only on a change.
    QSignalSpy text(&item, &DataItem::textChanged);
    item.setText("RF level");
    item.setText("RF level");
    QCOMPARE(text.count(), 1);
}

void TestDataItem::layoutFallsBackToContainerList()
{
    TableModelRow row;
    DataItem *item = new DataItem;
    row.appendItem(item);
    QCOMPARE(item->container(), &row);
    QSignalSpy width(item, &DataItem::widthChanged);
    QSignalSpy path(item, &DataItem::compPathChanged);
    QSignalSpy font(item, &DataItem::fontChanged);

    row.setWidth(120);
    row.setCompPath(QUrl("qrc:/cell.qml"));
    QFont bold;
    bold.setBold(true);
    row.setFont(bold);
    QCOMPARE(item->width(), 120);
    QCOMPARE(item->compPath(), QUrl("qrc:/cell.qml"));
    QCOMPARE(item->font(), bold);
    QCOMPARE(QList<int>({ width.count(), path.count(), font.count() }), QList<int>({ 1, 1, 1 }));

    // From the first own value on, the row's changes no longer reach the item.
    item->setWidth(120);
    row.setWidth(80);
    QCOMPARE(item->width(), 120);
    item->setWidth(-1); // reads fall back again; the notifications stay off
    row.setWidth(90);
    QCOMPARE(item->width(), 90);
    QCOMPARE(width.count(), 3); // the row's first change and the item's own two

    // Repeated setContainer makes no duplicate connection.
    item->setContainer(&row);
    row.setHeight(30);
    QCOMPARE(item->height(), 30);
    QSignalSpy height(item, &DataItem::heightChanged);
    row.setHeight(31);
    QCOMPARE(height.count(), 1);
}

void TestDataItem::containerListDyingFirst()
{
    DataItem item;
    item.setHeight(10);
    auto *row = new TableModelRow;
    row->setWidth(50);
    row->setHeight(20);
    row->appendItem(&item);
    row->removeItem(&item); // handed back, still following the row
    QCOMPARE(item.parent(), nullptr);
    QCOMPARE(item.width(), 50);
    QSignalSpy width(&item, &DataItem::widthChanged);
    QSignalSpy height(&item, &DataItem::heightChanged);
    delete row;
    QCOMPARE(item.container(), nullptr);
    QCOMPARE(item.width(), -1);
    QCOMPARE(QList<int>({ width.count(), height.count() }), QList<int>({ 1, 0 }));
}

void TestDataItem::containerName()
{
    QObject table;
    table.setObjectName("table");
    TableModelRow outer;
    outer.setObjectName("outer");
    TableModelRow inner;
    DataItem *item = new DataItem;
    inner.appendItem(item);
    outer.appendItem(&inner); // a list inside a row takes the row as container
    QCOMPARE(item->getContainerName(), QString("outer"));
    outer.setContainer(&table);
    QCOMPARE(item->getContainerName(), QString("table"));
    outer.removeItem(&inner);
}

void TestDataItem::dataObjectBinding()
{
    DataItem item;
    SimData off;
    off.setApplicable(false);
    QSignalSpy applicable(&item, &DataItem::applicableChanged);
    QSignalSpy bound(&item, &DataItem::zebDataChanged);

    item.setZebData(&off);
    item.setZebData(&off);
    QVERIFY(!item.applicable());
    QCOMPARE(QList<int>({ applicable.count(), bound.count() }), QList<int>({ 1, 1 }));
    off.setApplicable(true);
    QVERIFY(item.applicable());
    QCOMPARE(applicable.count(), 2);

    // Unbinding notifies only when the reading changes.
    item.setZebData(nullptr);
    QCOMPARE(applicable.count(), 2);
    item.setZebData(&off);
    off.setApplicable(false);
    applicable.clear();
    item.setZebData(nullptr);
    QVERIFY(item.applicable());
    QCOMPARE(applicable.count(), 1);
    off.setApplicable(true); // no longer forwarded
    QCOMPARE(applicable.count(), 1);
}

void TestDataItem::dataObjectDyingFirst()
{
    DataItem item;
    item.setApplicable(true);
    auto *data = new SimData;
    data->setApplicable(false);
    item.setZebData(data);
    QSignalSpy applicable(&item, &DataItem::applicableChanged);
    QSignalSpy bound(&item, &DataItem::zebDataChanged);
    delete data;
    QCOMPARE(item.zebData(), nullptr);
    QVERIFY(item.applicable());
    QCOMPARE(QList<int>({ applicable.count(), bound.count() }), QList<int>({ 1, 1 }));

    // Same reading before and after: only the binding is announced.
    data = new SimData;
    item.setZebData(data);
    applicable.clear();
    delete data;
    QCOMPARE(QList<int>({ applicable.count(), bound.count() }), QList<int>({ 0, 3 }));
}

void TestDataItem::actionBinding()
{
    DataItem item;
    CAction action;
    ExclusiveGroup group;
    action.setCheckable(true);
    action.setChecked(true);
    action.setShortcut("Ctrl+M");
    action.setEnabled(false);
    QSignalSpy enabled(&item, &DataItem::enabledChanged);
    QSignalSpy checkable(&item, &DataItem::checkableChanged);
    QSignalSpy checked(&item, &DataItem::toggled);
    QSignalSpy shortcut(&item, &DataItem::shortcutChanged);
    QSignalSpy groupSpy(&item, &DataItem::exclusiveGroupChanged);
    QSignalSpy triggered(&item, &DataItem::triggered);
    const auto counts = [&] {
        return QList<int>({ enabled.count(), checkable.count(), checked.count(), shortcut.count(),
                            groupSpy.count(), triggered.count() });
    };

    item.trigger(); // without action the item triggers itself
    QCOMPARE(counts(), QList<int>({ 0, 0, 0, 0, 0, 1 }));
    item.setAction(&action);
    QVERIFY(!item.enabled() && item.checkable() && item.checked());
    QCOMPARE(item.shortcut(), QKeySequence("Ctrl+M").toString(QKeySequence::NativeText));
    QCOMPARE(counts(), QList<int>({ 1, 1, 1, 1, 0, 1 }));

    item.setEnabled(false); // own flag only: the action still decides
    item.setEnabled(true);
    QVERIFY(!item.enabled());
    action.setEnabled(true);
    action.setExclusiveGroup(&group);
    QCOMPARE(item.exclusiveGroup(), &group);
    action.setChecked(false);
    QVERIFY(!item.checked());
    item.trigger(); // through the action: checks it
    QVERIFY(item.checked());
    QCOMPARE(counts(), QList<int>({ 4, 1, 3, 1, 1, 2 }));

    item.setAction(nullptr);
    QVERIFY(item.enabled() && !item.checkable() && !item.checked() && item.shortcut().isEmpty());
    QCOMPARE(item.exclusiveGroup(), nullptr);
    // enabled reads true before and after: no signal for it.
    QCOMPARE(counts(), QList<int>({ 4, 2, 4, 2, 2, 2 }));
    action.trigger();
    QCOMPARE(triggered.count(), 2);
}

void TestDataItem::actionDyingFirst()
{
    DataItem item;
    auto *action = new CAction;
    action->setCheckable(true);
    action->setEnabled(false);
    item.setAction(action);
    QSignalSpy enabled(&item, &DataItem::enabledChanged);
    QSignalSpy checkable(&item, &DataItem::checkableChanged);
    QSignalSpy bound(&item, &DataItem::actionChanged);
    delete action;
    QCOMPARE(item.action(), nullptr);
    QVERIFY(item.enabled() && !item.checkable());
    QCOMPARE(QList<int>({ enabled.count(), checkable.count(), bound.count() }),
             QList<int>({ 1, 1, 1 }));
    QSignalSpy triggered(&item, &DataItem::triggered);
    item.trigger();
    QCOMPARE(triggered.count(), 1);
}

void TestDataItem::componentDyingFirst()
{
    QQmlEngine engine;
    TableModelRow row;
    QQmlComponent rowComponent(&engine);
    row.setComponent(&rowComponent);
    DataItem *item = new DataItem;
    row.appendItem(item);
    auto *own = new QQmlComponent(&engine);
    item->setComponent(own);
    QCOMPARE(item->component(), own);
    QSignalSpy component(item, &DataItem::componentChanged);
    delete own;
    QCOMPARE(item->component(), &rowComponent);
    QCOMPARE(component.count(), 1);
}

QTEST_MAIN(TestDataItem)
#include "tst_dataitem.moc"
