#include "dataitemlist.h"
#include "tableheader.h"
#include "tablemodelrow.h"
#include "tablespacer.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

using Counts = QList<int>;

class TestDataItemList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void applicabilityFollowsOrdinaryItems();
    void currentIndexAndItem();
    void refusedItemsChangeNothing();
    void ownership();
    void assignmentKeepsItemsTakenBack();
    void itemsDyingElsewhere();
    void positionsMatchAPlainList();
};

void TestDataItemList::applicabilityFollowsOrdinaryItems()
{
    DataItemList list;
    QCOMPARE(list.type(), DataItem::List);
    auto *item = new DataItem;
    list.appendItem(new TableHeader);
    list.appendItem(item);
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
}

void TestDataItemList::currentIndexAndItem()
{
    DataItemList list;
    DataItem *items[4];
    for (auto &item : items) {
        item = new DataItem;
        list.appendItem(item);
    }
    QSignalSpy index(&list, &DataItemList::currentIndexChanged);
    QSignalSpy item(&list, &DataItemList::currentItemChanged);
    list.setCurrentIndex(9); // past the end: no item, the index stays
    QCOMPARE(list.currentIndex(), 9);
    QCOMPARE(list.currentItem(), nullptr);
    list.setCurrentItem(items[2]);
    list.setCurrentItem(items[2]);
    QCOMPARE(list.currentIndex(), 2);
    QCOMPARE(Counts({ index.count(), item.count() }), Counts({ 2, 2 }));

    // The current position follows the current item through inserts and removals before it.
    list.insertItem(0, new DataItem);
    QCOMPARE(list.currentIndex(), 3);
    list.removeItem(items[0]);
    delete items[0];
    QCOMPARE(list.currentIndex(), 2);
    QCOMPARE(list.currentItem(), items[2]);
    QCOMPARE(Counts({ index.count(), item.count() }), Counts({ 4, 2 }));
    delete items[2]; // the current item dies: the one now at its place is current
    QCOMPARE(list.currentItem(), items[3]);
    QCOMPARE(list.currentIndex(), 2);
    list.removeItem(items[3]); // the last one goes: the new last one is current
    QCOMPARE(list.currentIndex(), 1);
    QCOMPARE(list.currentItem(), items[1]);
    delete items[3];

    list.setCurrentItem(nullptr); // only the index goes, silently
    QCOMPARE(list.currentIndex(), -1);
    QCOMPARE(list.currentItem(), items[1]);
    list.clear();
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

    for (const char *message :
         { "DataItemList::appendItem(): refused a null item",
           "DataItemList::insertItem(): refused an item the list already holds",
           "DataItemList::insertItem(): refused an index out of range",
           "DataItemList::appendItem(): refused a list that holds this list",
           "DataItemList::appendItem(): refused a list that holds this list" })
        QTest::ignoreMessage(QtDebugMsg, message);
    QVERIFY(!list.appendItem(nullptr));
    QVERIFY(!list.insertItem(0, item));
    QVERIFY(!list.insertItem(2, new DataItem(&list)));
    QVERIFY(!list.appendItem(&list));
    QVERIFY(!inner->appendItem(&outer));
    QVERIFY(!list.canInsertItem(-1, item) && list.canInsertItem(1, &outer));
    QCOMPARE(Counts({ list.count(), count.count(), items.count() }), Counts({ 1, 0, 0 }));
    list.clear(); // held once, deleted once
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
        list.appendItem(made);
        QCOMPARE(made->parent(), &list);

        // A list that only references items neither adopts nor deletes them.
        auto *loose = new DataItem;
        DataItemList view;
        view.setOwnsItems(false);
        view.appendItem(made);
        view.appendItem(loose);
        QCOMPARE(loose->parent(), nullptr);
        view.clear();
        list.appendItem(loose);
    }
    QVERIFY(!declared && !made);
}

// QML assigns a list property as a clear followed by appends: items of the old value that the
// new one holds again, here or in another list, must survive the clear.
void TestDataItemList::assignmentKeepsItemsTakenBack()
{
    DataItemList list;
    DataItemList other;
    QPointer<DataItem> kept = new DataItem;
    QPointer<DataItem> moved = new DataItem;
    QPointer<DataItem> dropped = new DataItem;
    for (DataItem *item : { kept, moved, dropped })
        list.appendItem(item);
    QQmlListProperty<QObject> items = list.items();
    items.clear(&items);
    QCOMPARE(list.count(), 0);
    items.append(&items, kept);
    other.appendItem(moved);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(kept && moved && !dropped);
    QCOMPARE(kept->parent(), &list);
    QCOMPARE(moved->parent(), &other);
    QCOMPARE(list.itemAtIndex(0), kept);
}

void TestDataItemList::itemsDyingElsewhere()
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
    delete a; // a proper removal
    QCOMPARE(list.indexOfItem(b), 0);
    QCOMPARE(Counts({ list.count(), count.count(), items.count() }), Counts({ 1, 1, 1 }));
    b->setApplicable(true); // the dead item no longer counts: b decides alone
    b->setApplicable(false);
    QVERIFY(!list.applicable());

    // clear() deletes c first, which takes its child along: that one is skipped, not deleted
    // twice.
    auto *c = new DataItemList;
    list.appendItem(c);
    list.appendItem(new DataItem(c));
    QPointer<DataItem> d = new DataItem;
    list.appendItem(d);
    list.clear();
    QVERIFY(!d);
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
            plain.insert(at, new DataItem);
            QVERIFY(list.insertItem(at, plain.at(at)));
        } else {
            DataItem *item = plain.takeAt(rng.bounded(plain.size()));
            if (op == 2)
                list.removeItem(item);
            delete item;
        }
        if (step % 50 == 0) {
            QCOMPARE(list.count(), plain.size());
            for (int i = 0; i < plain.size(); ++i) {
                QCOMPARE(list.itemAtIndex(i), plain.at(i));
                QCOMPARE(list.indexOfItem(plain.at(i)), i);
            }
        }
    }
}

QTEST_MAIN(TestDataItemList)
#include "tst_dataitemlist.moc"
