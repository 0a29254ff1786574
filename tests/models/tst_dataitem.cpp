#include "dataitem.h"
#include "tableheader.h"
#include "tablemodelrow.h"
#include "tablespacer.h"

#include "simdata.h"

#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

using Counts = QList<int>;

class TestDataItem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshItemAndContainerName();
    void layoutFallsBackToContainerList();
    void containerListAndComponentDyingFirst();
    void dataObjectBinding();
    void actionBinding();
};

void TestDataItem::freshItemAndContainerName()
{
    DataItem item;
    item.setObjectName("level");
    QCOMPARE(item.type(), DataItem::Item);
    QCOMPARE(Counts({ item.width(), item.height() }), Counts({ -1, -1 }));
    QVERIFY(item.applicable() && item.enabled());
    QCOMPARE(item.getContainerName(), QString("level"));
    QCOMPARE(TableHeader().type(), DataItem::Header);
    QCOMPARE(TableSpacer().type(), DataItem::Spacer);

    // The name is searched up a chain of lists to the first container object.
    QObject table;
    table.setObjectName("table");
    TableModelRow outer;
    outer.setObjectName("outer");
    TableModelRow inner;
    inner.appendItem(new DataItem);
    outer.appendItem(&inner);
    QCOMPARE(inner.itemAtIndex(0)->getContainerName(), QString("outer"));
    outer.setContainer(&table);
    QCOMPARE(inner.itemAtIndex(0)->getContainerName(), QString("table"));
    outer.removeItem(&inner);
}

void TestDataItem::layoutFallsBackToContainerList()
{
    TableModelRow row;
    DataItem *item = new DataItem;
    row.appendItem(item);
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
    QCOMPARE(Counts({ width.count(), path.count(), font.count() }), Counts({ 1, 1, 1 }));

    // From the first own value on, the row's changes no longer reach the item.
    item->setWidth(120);
    row.setWidth(80);
    QCOMPARE(item->width(), 120);
    item->setWidth(-1); // reads fall back again; the notifications stay off
    row.setWidth(90);
    QCOMPARE(item->width(), 90);
    QCOMPARE(width.count(), 3); // the row's first change and the item's own two
    item->setContainer(&row); // taking the row again follows it again, once
    row.setWidth(91);
    QCOMPARE(width.count(), 4);
}

void TestDataItem::containerListAndComponentDyingFirst()
{
    QQmlEngine engine;
    DataItem item;
    item.setHeight(10);
    auto *row = new TableModelRow;
    QQmlComponent rowComponent(&engine);
    row->setComponent(&rowComponent);
    row->setWidth(50);
    row->appendItem(&item);
    row->removeItem(&item); // handed back, still following the row
    QCOMPARE(item.parent(), nullptr);
    QCOMPARE(item.width(), 50);

    auto *own = new QQmlComponent(&engine);
    item.setComponent(own);
    QSignalSpy component(&item, &DataItem::componentChanged);
    delete own;
    QCOMPARE(item.component(), &rowComponent);
    QCOMPARE(component.count(), 1);

    QSignalSpy width(&item, &DataItem::widthChanged);
    QSignalSpy height(&item, &DataItem::heightChanged);
    delete row;
    QCOMPARE(item.container(), nullptr);
    QCOMPARE(item.width(), -1);
    QCOMPARE(item.component(), nullptr);
    QCOMPARE(Counts({ width.count(), height.count(), component.count() }), Counts({ 1, 0, 2 }));
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
    QCOMPARE(Counts({ applicable.count(), bound.count() }), Counts({ 1, 1 }));
    off.setApplicable(true);
    QCOMPARE(applicable.count(), 2);

    // Unbinding notifies exactly when the reading changes.
    item.setZebData(nullptr);
    QCOMPARE(applicable.count(), 2);
    item.setZebData(&off);
    off.setApplicable(false);
    item.setZebData(nullptr);
    QVERIFY(item.applicable());
    QCOMPARE(applicable.count(), 5);
    off.setApplicable(true); // no longer forwarded
    QCOMPARE(applicable.count(), 5);

    // A data object dying first leaves the own flag in charge, announced.
    auto *dying = new SimData;
    dying->setApplicable(false);
    item.setZebData(dying);
    applicable.clear();
    bound.clear();
    delete dying;
    QCOMPARE(item.zebData(), nullptr);
    QVERIFY(item.applicable());
    QCOMPARE(Counts({ applicable.count(), bound.count() }), Counts({ 1, 1 }));
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
        return Counts({ enabled.count(), checkable.count(), checked.count(), shortcut.count(),
                        groupSpy.count(), triggered.count() });
    };

    item.trigger(); // without action the item triggers itself
    item.setAction(&action);
    QVERIFY(!item.enabled() && item.checkable() && item.checked());
    QCOMPARE(item.shortcut(), QKeySequence("Ctrl+M").toString(QKeySequence::NativeText));
    QCOMPARE(counts(), Counts({ 1, 1, 1, 1, 0, 1 }));

    item.setEnabled(false); // own flag only: the action still decides
    item.setEnabled(true);
    QVERIFY(!item.enabled());
    action.setEnabled(true);
    action.setExclusiveGroup(&group);
    QCOMPARE(item.exclusiveGroup(), &group);
    action.setChecked(false);
    item.trigger(); // through the action: checks it
    QVERIFY(item.checked());
    QCOMPARE(counts(), Counts({ 4, 1, 3, 1, 1, 2 }));

    item.setAction(nullptr);
    QVERIFY(item.enabled() && !item.checkable() && !item.checked() && item.shortcut().isEmpty());
    // enabled reads true before and after: no signal for it.
    QCOMPARE(counts(), Counts({ 4, 2, 4, 2, 2, 2 }));
    action.trigger();
    QCOMPARE(triggered.count(), 2);

    // An action dying first leaves the own values in charge, announced.
    auto *dying = new CAction;
    dying->setCheckable(true);
    dying->setEnabled(false);
    item.setAction(dying);
    QSignalSpy bound(&item, &DataItem::actionChanged);
    delete dying;
    QVERIFY(item.enabled() && !item.checkable() && !item.action());
    QCOMPARE(counts(), Counts({ 6, 4, 4, 2, 2, 2 }));
    QCOMPARE(bound.count(), 1);
}

QTEST_MAIN(TestDataItem)
#include "tst_dataitem.moc"
