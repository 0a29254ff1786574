#include "dataitemlist.h"
#include "tableheader.h"
#include "tablemodelrow.h"
#include "tablespacer.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

class TestDataItemList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void applicabilityFollowsOrdinaryItems();
    void currentIndexAndItem();
    void currentFollowsInsertAndRemove();
    void refusedItemsChangeNothing();
    void ownership();
    void itemDestroyedElsewhereIsRemoved();
    void clearSurvivesNestedDeletion();
    void referencingListDeletesNothing();
    void positionsMatchAPlainList();
    void itemWidthReachesRowItems();
};

void TestDataItemList::applicabilityFollowsOrdinaryItems()
{
    DataItemList list;
    QCOMPARE(list.type(), DataItem::List);
    auto *item = new DataItem;
    list.appendItem(new TableHeader);
    list.appendItem(item);
    QVERIFY(list.applicable());
    QSignalSpy applicable(&list, &DataItem::applicableChanged);
    item->setApplicable(false);
    QVERIFY(!list.applicable());
    QCOMPARE(applicable.count(), 1);

    DataItemList decoration;
    decoration.appendItem(new TableHeader);
    decoration.appendItem(new TableSpacer);
    QVERIFY(!decoration.applicable());
    decoration.applicabilityInit();
    QVERIFY(decoration.applicable());

    // An applicableChanged() from an item the list does not hold is refused.
    DataItem stranger;
    connect(&stranger, SIGNAL(applicableChanged()), &list, SLOT(slotItemApplicableChanged()));
    QTest::ignoreMessage(QtDebugMsg, "DataItemList::slotItemApplicableChanged(): WRONG Sender");
    stranger.setApplicable(false);
    QVERIFY(!list.applicable());
}

void TestDataItemList::currentIndexAndItem()
{
    DataItemList list;
    auto *a = new DataItem;
    list.appendItem(a);
    QSignalSpy index(&list, &DataItemList::currentIndexChanged);
    QSignalSpy item(&list, &DataItemList::currentItemChanged);
    list.setCurrentIndex(0);
    list.setCurrentIndex(0);
    QCOMPARE(list.currentItem(), a);
    list.setCurrentIndex(5); // past the end: no item, the index stays
    QCOMPARE(list.currentIndex(), 5);
    QCOMPARE(list.currentItem(), nullptr);
    list.setCurrentItem(a);
    QCOMPARE(list.currentIndex(), 0);
    QCOMPARE(QList<int>({ index.count(), item.count() }), QList<int>({ 3, 3 }));
    list.setCurrentItem(nullptr); // only the index goes, silently
    QCOMPARE(list.currentIndex(), -1);
    QCOMPARE(list.currentItem(), a);
    QCOMPARE(index.count(), 3);
    DataItem stranger;
    list.setCurrentItem(&stranger);
    QCOMPARE(list.currentIndex(), -1);
    QCOMPARE(list.currentItem(), nullptr);
}

void TestDataItemList::currentFollowsInsertAndRemove()
{
    DataItemList list;
    DataItem *items[4];
    for (auto &item : items) {
        item = new DataItem;
        list.appendItem(item);
    }
    list.setCurrentIndex(2);
    QSignalSpy index(&list, &DataItemList::currentIndexChanged);
    QSignalSpy item(&list, &DataItemList::currentItemChanged);

    list.insertItem(0, new DataItem); // before the current item: the index follows it
    QCOMPARE(list.currentIndex(), 3);
    list.removeItem(items[0]);
    delete items[0];
    QCOMPARE(list.currentIndex(), 2);
    QCOMPARE(list.currentItem(), items[2]);
    QCOMPARE(QList<int>({ index.count(), item.count() }), QList<int>({ 2, 0 }));

    delete items[2]; // the current item dies: the next one takes its place
    QCOMPARE(list.currentItem(), items[3]);
    QCOMPARE(list.currentIndex(), 2);
    list.removeItem(items[3]); // the last one goes: the new last one is current
    QCOMPARE(list.currentIndex(), 1);
    QCOMPARE(list.currentItem(), items[1]);
    QCOMPARE(item.count(), 2);
    delete items[3];
    list.clear();
    QCOMPARE(list.currentIndex(), -1);
    QCOMPARE(list.currentItem(), nullptr);
}

void TestDataItemList::refusedItemsChangeNothing()
{
    DataItemList list;
    auto *item = new DataItem;
    list.appendItem(item);
    DataItemList outer;
    auto *inner = new DataItemList;
    outer.appendItem(inner);
    QSignalSpy count(&list, &DataItemList::countChanged);
    QSignalSpy items(&list, &DataItemList::itemsChanged);

    const char *refusals[][2] = {
        { "DataItemList::appendItem():", "refused a null item" },
        { "DataItemList::insertItem():", "refused an item the list already holds" },
        { "DataItemList::insertItem():", "refused an index out of range" },
        { "DataItemList::appendItem():", "refused a list that holds this list" },
        { "DataItemList::appendItem():", "refused a list that holds this list" },
    };
    for (const auto &refusal : refusals)
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QString("%1 %2").arg(refusal[0], refusal[1])));
    QVERIFY(!list.appendItem(nullptr));
    QVERIFY(!list.insertItem(0, item));
    QVERIFY(!list.insertItem(2, new DataItem(&list)));
    QVERIFY(!list.appendItem(&list));
    QVERIFY(!inner->appendItem(&outer));
    QVERIFY(!list.canInsertItem(-1, item) && list.canInsertItem(1, &outer));
    QCOMPARE(QList<int>({ list.count(), count.count(), items.count() }), QList<int>({ 1, 0, 0 }));
    list.clear(); // held once, deleted once
    QCOMPARE(list.count(), 0);
}

void TestDataItemList::ownership()
{
    QPointer<DataItem> declared = new DataItem;
    QPointer<DataItem> made = new DataItem;
    QObject owner;
    declared->setParent(&owner);
    {
        DataItemList list;
        list.appendItem(declared);
        list.appendItem(made);
        // A parentless item is adopted, so that no collector takes it while it is held.
        QCOMPARE(made->parent(), &list);
        QCOMPARE(declared->parent(), &owner);
        list.removeItem(made); // handed back, not deleted
        QCOMPARE(made->parent(), nullptr);
        QCOMPARE(list.count(), 1);
        list.appendItem(made);
    }
    // The list deleted what it held.
    QVERIFY(!declared && !made);
}

void TestDataItemList::itemDestroyedElsewhereIsRemoved()
{
    DataItemList list;
    QObject owner;
    auto *a = new DataItem(&owner);
    auto *b = new DataItem(&owner);
    b->setApplicable(false);
    list.appendItem(a);
    list.appendItem(b);
    QSignalSpy count(&list, &DataItemList::countChanged);
    QSignalSpy items(&list, &DataItemList::itemsChanged);
    delete a;
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.itemAtIndex(0), b);
    QCOMPARE(list.indexOfItem(b), 0);
    QCOMPARE(QList<int>({ count.count(), items.count() }), QList<int>({ 1, 1 }));
    // The dead item left the applicable set: b's own change decides alone.
    b->setApplicable(true);
    b->setApplicable(false);
    QVERIFY(!list.applicable());
}

void TestDataItemList::clearSurvivesNestedDeletion()
{
    // b is held by the outer list and is also a child of a, which the outer list deletes first.
    DataItemList outer;
    auto *a = new DataItemList;
    auto *b = new DataItem(a);
    outer.appendItem(a);
    outer.appendItem(b);
    auto *c = new DataItem;
    outer.appendItem(c);
    QPointer<DataItem> watch = c;
    outer.clear();
    QCOMPARE(outer.count(), 0);
    QVERIFY(!watch);
}

void TestDataItemList::referencingListDeletesNothing()
{
    DataItemList owner;
    auto *item = new DataItem;
    owner.appendItem(item);
    QPointer<DataItem> watch = item;
    auto *made = new DataItem;
    {
        DataItemList view;
        view.setOwnsItems(false);
        view.appendItem(item);
        view.appendItem(made);
        QCOMPARE(made->parent(), nullptr);
        view.clear();
        view.appendItem(item);
    }
    QVERIFY(watch);
    QVERIFY(owner.contains(item));
    delete made;
}

// Random inserts, removals and deaths against a plain QList: positions must always match.
void TestDataItemList::positionsMatchAPlainList()
{
    DataItemList list;
    QList<DataItem *> plain;
    QRandomGenerator rng(8);
    for (int step = 0; step < 2000; ++step) {
        const int op = rng.bounded(4);
        if (plain.isEmpty() || op < 2) {
            const int at = rng.bounded(plain.size() + 1);
            auto *item = new DataItem;
            QVERIFY(list.insertItem(at, item));
            plain.insert(at, item);
        } else {
            const int at = rng.bounded(plain.size());
            DataItem *item = plain.takeAt(at);
            if (op == 2)
                list.removeItem(item);
            delete item;
        }
        if (step % 50 == 0 || step == 1999) {
            QCOMPARE(list.count(), plain.size());
            for (int i = 0; i < plain.size(); ++i) {
                QCOMPARE(list.itemAtIndex(i), plain.at(i));
                QCOMPARE(list.indexOfItem(plain.at(i)), i);
            }
        }
    }
}

void TestDataItemList::itemWidthReachesRowItems()
{
    TableModelRow row;
    auto *plain = new DataItem;
    auto *sized = new DataItem;
    sized->setWidth(40);
    row.appendItem(plain);
    row.appendItem(sized);
    QSignalSpy itemWidth(&row, &DataItemList::itemWidthChanged);
    row.setProperty("itemWidth", 70);
    QCOMPARE(itemWidth.count(), 1);
    QCOMPARE(QList<int>({ plain->width(), sized->width() }), QList<int>({ 70, 40 }));

    // A plain list does not become its items' container.
    DataItemList list;
    list.setWidth(70);
    auto *item = new DataItem;
    list.appendItem(item);
    QCOMPARE(item->width(), -1);
}

QTEST_MAIN(TestDataItemList)
#include "tst_dataitemlist.moc"
