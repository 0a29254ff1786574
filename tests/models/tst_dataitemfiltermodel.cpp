#include "dataitemfiltermodel.h"
#include "dataitemlistmodel.h"
#include "listsortfilterproxymodel.h"
#include "tableheader.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using Counts = QList<int>;

namespace {

// A list model of items "0", "1", ... whose applicabilities are given, declared and completed
// as QML does, with a filter model over it; both are checked by model testers.
struct Filtered
{
    explicit Filtered(const QList<bool> &applicable, bool complete = true)
    {
        QQmlListProperty<QObject> items = source->items();
        for (int i = 0; i < applicable.size(); ++i) {
            auto *item = new DataItem;
            item->setText(QString::number(i));
            item->setApplicable(applicable.at(i));
            items.append(&items, item);
        }
        if (complete)
            source->componentComplete();
        watch(source.get());
        watch(&filter);
        filter.setSourceModel(source.get());
    }
    void watch(QAbstractItemModel *model)
    {
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::Fatal));
    }
    DataItem *item(int i) const { return source->itemAtIndex(i); }
    QStringList shown() const
    {
        QStringList texts;
        for (int r = 0; r < filter.rowCount(); ++r)
            texts << filter.data(filter.index(r, 0), DataItemListModel::TextRole).toString();
        return texts;
    }

    DataItemFilterModel filter;
    std::unique_ptr<DataItemListModel> source = std::make_unique<DataItemListModel>();
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

ListSortFilterProxyModel *proxyOf(QObject *source)
{
    return source->findChild<ListSortFilterProxyModel *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

class TestDataItemFilterModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void mappingAndCount();
    void applicabilityMovesRowsWithOwnSignals();
    void bulkChangeRefiltersOnceAndRemapsPersistentIndexes();
    void noApplicableItemHidesTheColumn();
    void insertionsAndRemovalsThroughTheSource();
    void completionLater();
    void newSourceResetsAndLetsTheOldOneGo();
    void sourceOrFilterDying();
    void proxyAlone();
};

void TestDataItemFilterModel::initTestCase()
{
    qRegisterMetaType<QList<QPersistentModelIndex>>();
    qRegisterMetaType<QAbstractItemModel::LayoutChangeHint>();
}

void TestDataItemFilterModel::mappingAndCount()
{
    Filtered f({ true, false, true, false, true });
    QCOMPARE(Counts({ f.filter.count(), f.filter.mapRowToSource(1), f.filter.mapRowToSource(3),
                      f.filter.mapRowFromSource(1), f.filter.mapRowFromSource(4) }),
             Counts({ 3, 2, -1, -1, 2 }));
    QCOMPARE(f.filter.itemAtIndex(2), f.item(4));
    QCOMPARE(f.filter.itemAtIndex(3), nullptr);
    QCOMPARE(f.filter.roleNames(), f.source->roleNames());
    QCOMPARE(f.shown(), QStringList({ "0", "2", "4" }));

    DataItemFilterModel empty;
    QCOMPARE(Counts({ empty.count(), empty.mapRowToSource(1), empty.mapRowFromSource(1) }),
             Counts({ 0, 0, 0 }));
    QVERIFY(empty.roleNames().isEmpty() && !empty.itemAtIndex(0) && !empty.compCompleted());
    QVERIFY(!empty.data(empty.index(0, 0), DataItemListModel::TextRole).isValid());
    empty.setSourceModel(nullptr); // changes nothing
    QCOMPARE(empty.sourceModel(), nullptr);
}

void TestDataItemFilterModel::applicabilityMovesRowsWithOwnSignals()
{
    Filtered f({ true, false, true, false, true });
    QSignalSpy aboutToInsert(&f.filter, &QAbstractItemModel::rowsAboutToBeInserted);
    QSignalSpy inserted(&f.filter, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&f.filter, &QAbstractItemModel::rowsRemoved);
    QSignalSpy count(&f.filter, &DataItemFilterModel::countChanged);
    QSignalSpy changed(&f.filter, &QAbstractItemModel::dataChanged);
    f.item(1)->setApplicable(true);
    QCOMPARE(f.shown(), QStringList({ "0", "1", "2", "4" }));
    QCOMPARE(Counts({ aboutToInsert.count(), inserted.count(), count.count() }),
             Counts({ 1, 1, 1 }));
    QCOMPARE(inserted.at(0).at(1).toInt(), 1);
    f.item(2)->setApplicable(false);
    QCOMPARE(f.shown(), QStringList({ "0", "1", "4" }));
    QCOMPARE(removed.count(), 1);

    // A visible row's data changes are passed on with this model's own indexes.
    changed.clear();
    f.item(4)->setText("four");
    QCOMPARE(changed.count(), 1);
    const auto cell = changed.at(0).at(0).value<QModelIndex>();
    QCOMPARE(cell.model(), &f.filter);
    QCOMPARE(cell.row(), 2);
    QCOMPARE(f.shown().last(), QString("four"));
}

void TestDataItemFilterModel::bulkChangeRefiltersOnceAndRemapsPersistentIndexes()
{
    Filtered f({ true, true, true, true, true, true });
    const QPersistentModelIndex five(f.filter.index(5, 0));
    const QPersistentModelIndex two(f.filter.index(2, 0));
    QSignalSpy layout(&f.filter, &QAbstractItemModel::layoutChanged);
    QSignalSpy removed(&f.filter, &QAbstractItemModel::rowsRemoved);
    f.filter.bulkChangeStart(true);
    for (int i : { 0, 2, 3 })
        f.item(i)->setApplicable(false);
    f.item(3)->setApplicable(true);
    f.item(4)->setText("four"); // data still flows
    QCOMPARE(f.filter.count(), 6); // no re-filtering yet
    QCOMPARE(f.shown().at(4), QString("four"));
    f.filter.bulkChangeStart(false);
    QCOMPARE(Counts({ layout.count(), removed.count() }), Counts({ 1, 0 }));
    QCOMPARE(f.shown(), QStringList({ "1", "3", "four", "5" }));
    QCOMPARE(five.row(), 3); // follows its row
    QVERIFY(!two.isValid()); // its row is hidden

    // invalidate() is one pass of the same kind; outside a bulk change single changes move rows.
    f.filter.invalidate();
    QCOMPARE(layout.count(), 2);
    f.item(0)->setApplicable(true);
    QCOMPARE(Counts({ layout.count(), five.row() }), Counts({ 2, 4 }));
}

void TestDataItemFilterModel::noApplicableItemHidesTheColumn()
{
    auto f = std::make_unique<Filtered>(QList<bool>({ false, false }));
    QCOMPARE(Counts({ f->filter.rowCount(), f->filter.columnCount() }), Counts({ 0, 0 }));
    // A header is let through as a row, but without the column nothing shows.
    f->source->insertItem(0, new TableHeader);
    QCOMPARE(Counts({ f->filter.rowCount(), f->filter.columnCount() }), Counts({ 1, 0 }));
    QVERIFY(!f->filter.data(f->filter.index(0, 0), DataItemListModel::TextRole).isValid());
    f->item(2)->setApplicable(true);
    QCOMPARE(Counts({ f->filter.rowCount(), f->filter.columnCount() }), Counts({ 2, 1 }));
    QCOMPARE(f->shown(), QStringList({ "", "1" }));

    // The first applicable item arrives by insertion: the column shows once the source has
    // finished inserting.
    f = std::make_unique<Filtered>(QList<bool>({ false }));
    f->source->insertItem(1, new DataItem);
    QCOMPARE(Counts({ f->filter.rowCount(), f->filter.columnCount() }), Counts({ 1, 1 }));
    QCOMPARE(f->filter.itemAtIndex(0), f->item(1));
}

void TestDataItemFilterModel::insertionsAndRemovalsThroughTheSource()
{
    Filtered f({ true, false, true });
    auto *hidden = new DataItem;
    hidden->setApplicable(false);
    f.source->insertItem(0, hidden);
    auto *shown = new DataItem;
    shown->setText("new");
    f.source->insertItem(2, shown);
    QCOMPARE(f.shown(), QStringList({ "0", "new", "2" }));
    hidden->setApplicable(true);
    QCOMPARE(f.shown(), QStringList({ "", "0", "new", "2" }));

    QSignalSpy count(&f.filter, &DataItemFilterModel::countChanged);
    f.source->removeItem(shown);
    shown->setApplicable(false); // no longer held: nothing happens
    delete shown;
    delete f.item(0);
    QCOMPARE(f.shown(), QStringList({ "0", "2" }));
    QCOMPARE(count.count(), 2);
    f.source->clear();
    QCOMPARE(f.filter.count(), 0);
}

void TestDataItemFilterModel::completionLater()
{
    Filtered f({ true, false, true }, false);
    QVERIFY(!f.filter.compCompleted());
    QSignalSpy completed(&f.filter, &DataItemFilterModel::completedChanged);
    QSignalSpy layout(&f.filter, &QAbstractItemModel::layoutChanged);
    f.source->componentComplete();
    QVERIFY(f.filter.compCompleted());
    QCOMPARE(Counts({ completed.count(), layout.count(), f.filter.count() }), Counts({ 1, 1, 2 }));
}

void TestDataItemFilterModel::newSourceResetsAndLetsTheOldOneGo()
{
    Filtered f({ true, true });
    QPointer<DataItemListModel> old = f.source.get();
    QPointer<ListSortFilterProxyModel> oldProxy = proxyOf(old);
    QVERIFY(oldProxy);
    Filtered other({ true, false, true, true });
    QSignalSpy reset(&f.filter, &QAbstractItemModel::modelReset);
    QSignalSpy source(&f.filter, &DataItemFilterModel::sourceModelChanged);
    QSignalSpy count(&f.filter, &DataItemFilterModel::countChanged);
    f.filter.setSourceModel(other.source.get());
    QCOMPARE(Counts({ reset.count(), source.count(), count.count(), f.filter.count() }),
             Counts({ 1, 1, 1, 3 }));
    QVERIFY(!oldProxy); // deleted once, by this model
    QSignalSpy anything(&f.filter, &QAbstractItemModel::dataChanged);
    old->itemAtIndex(0)->setApplicable(false);
    old->itemAtIndex(1)->setText("x");
    old->insertItem(0, new DataItem);
    QCOMPARE(Counts({ anything.count(), count.count(), f.filter.count() }), Counts({ 0, 1, 3 }));
    f.filter.setSourceModel(other.source.get()); // the same again: nothing
    QCOMPARE(reset.count(), 1);
}

void TestDataItemFilterModel::sourceOrFilterDying()
{
    {
        Filtered f({ true, false });
        QSignalSpy reset(&f.filter, &QAbstractItemModel::modelReset);
        QSignalSpy source(&f.filter, &DataItemFilterModel::sourceModelChanged);
        QSignalSpy completed(&f.filter, &DataItemFilterModel::completedChanged);
        f.source.reset(); // takes its proxy along: nothing is deleted twice
        QCOMPARE(Counts({ reset.count(), source.count(), completed.count() }), Counts({ 1, 1, 1 }));
        QCOMPARE(f.filter.sourceModel(), nullptr);
        QCOMPARE(Counts({ f.filter.count(), f.filter.columnCount() }), Counts({ 0, 0 }));
        f.filter.invalidate();
        f.filter.bulkChangeStart(false);
        Filtered other({ true });
        f.filter.setSourceModel(other.source.get());
        QCOMPARE(f.filter.count(), 1);
    }
    // The filter dies first: its proxy goes with it, and the source no longer calls back.
    DataItemListModel source;
    source.componentComplete();
    auto *filter = new DataItemFilterModel;
    filter->setSourceModel(&source);
    delete filter;
    QCOMPARE(proxyOf(&source), nullptr);
    source.insertItem(0, new DataItem);
}

void TestDataItemFilterModel::proxyAlone()
{
    Filtered f({ true, false, true });
    ListSortFilterProxyModel proxy(f.source.get());
    proxy.setSourceModel(f.source.get());
    proxy.setDynamicSortFilter(true);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QCOMPARE(proxy.rowCount(), 2);
    f.item(1)->setApplicable(true); // the source reports it, the proxy follows
    QCOMPARE(proxy.rowCount(), 3);

    QObject stranger; // under any other parent everything is let through
    ListSortFilterProxyModel loose(&stranger);
    loose.setSourceModel(f.source.get());
    f.item(0)->setApplicable(false);
    QCOMPARE(Counts({ loose.rowCount(), loose.columnCount() }), Counts({ 3, 1 }));
}

QTEST_MAIN(TestDataItemFilterModel)
#include "tst_dataitemfiltermodel.moc"
