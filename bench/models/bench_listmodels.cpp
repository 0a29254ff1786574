// A list model of data items under a filter model: single applicability changes, a bulk change
// of many, and a full re-filter; side by side with the same work done by a QStandardItemModel
// under a QSortFilterProxyModel in the same run. Prints absolute times and ratios.
//
//   listmodels_bench [rounds] [items] [single changes] [bulk changes]
#include "benchfigure.h"
#include "dataitemfiltermodel.h"
#include "dataitemlistmodel.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const int ApplicableRole = Qt::UserRole + 1;

struct Work
{
    int items;
    QVector<int> singles; // rows toggled one at a time
    QVector<int> bulk; // rows toggled inside one bulk change
};

struct Times
{
    qint64 build = 0;
    qint64 singleWorst = 0;
    qint64 singleTotal = 0;
    qint64 bulk = 0;
    qint64 refilter = 0;
    int visible = 0; // rows shown at the end
    int layouts = 0; // full passes seen by a view
    void keepBest(const Times &t)
    {
        const bool first = build == 0;
        auto best = [first](qint64 &kept, qint64 now) { kept = first ? now : qMin(kept, now); };
        best(build, t.build);
        best(singleWorst, t.singleWorst);
        best(singleTotal, t.singleTotal);
        best(bulk, t.bulk);
        best(refilter, t.refilter);
        visible = t.visible;
        layouts = t.layouts;
    }
};

// Filters on the applicable role, one look-up per row, as the list model's filter does.
class BaselineProxy : public QSortFilterProxyModel
{
protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        return sourceModel()->index(row, 0, parent).data(ApplicableRole).toBool();
    }
};

// The same steps for both sides: toggle(row) changes one applicability, bulk(on) opens or closes
// a bulk change, refilter() re-tests every row.
template<typename Toggle, typename Bulk, typename Refilter>
void measure(const Work &work, Times &times, Toggle toggle, Bulk bulk, Refilter refilter)
{
    QElapsedTimer timer;
    for (int row : work.singles) {
        timer.restart();
        toggle(row);
        const qint64 spent = timer.nsecsElapsed();
        times.singleTotal += spent;
        times.singleWorst = qMax(times.singleWorst, spent);
    }
    timer.restart();
    bulk(true);
    for (int row : work.bulk)
        toggle(row);
    bulk(false);
    times.bulk = timer.nsecsElapsed();
    timer.restart();
    refilter();
    times.refilter = timer.nsecsElapsed();
}

Times runFilterModel(const Work &work)
{
    Times times;
    QElapsedTimer timer;
    timer.start();
    auto source = std::make_unique<DataItemListModel>();
    QQmlListProperty<QObject> items = source->items();
    for (int i = 0; i < work.items; ++i) {
        auto *item = new DataItem(source.get()); // as QML makes declared children
        item->setText(QString::number(i));
        item->setApplicable(i % 3 != 0);
        items.append(&items, item);
    }
    source->componentComplete();
    DataItemFilterModel filter;
    filter.setSourceModel(source.get());
    times.visible = filter.count();
    times.build = timer.nsecsElapsed();
    QObject::connect(&filter, &QAbstractItemModel::layoutChanged, [&times] { ++times.layouts; });

    measure(
        work, times,
        [&](int row) {
            DataItem *item = source->itemAtIndex(row);
            item->setApplicable(!item->applicable());
        },
        [&](bool on) {
            filter.bulkChangeStart(on);
            filter.count(); // as a view asks after the change
        },
        [&] {
            filter.invalidate();
            filter.count();
        });
    times.visible = filter.count();
    return times;
}

Times runBaseline(const Work &work)
{
    Times times;
    QElapsedTimer timer;
    timer.start();
    auto model = std::make_unique<QStandardItemModel>(work.items, 1);
    for (int i = 0; i < work.items; ++i) {
        auto *item = new QStandardItem(QString::number(i));
        item->setData(i % 3 != 0, ApplicableRole);
        model->setItem(i, item);
    }
    BaselineProxy proxy;
    proxy.setSourceModel(model.get());
    proxy.setDynamicSortFilter(true);
    times.visible = proxy.rowCount();
    times.build = timer.nsecsElapsed();
    QObject::connect(&proxy, &QAbstractItemModel::layoutChanged, [&times] { ++times.layouts; });

    measure(
        work, times,
        [&](int row) {
            QStandardItem *item = model->item(row);
            item->setData(!item->data(ApplicableRole).toBool(), ApplicableRole);
        },
        [&](bool on) {
            proxy.setDynamicSortFilter(!on);
            if (!on)
                proxy.invalidate();
            proxy.rowCount();
        },
        [&] {
            proxy.invalidate();
            proxy.rowCount();
        });
    times.visible = proxy.rowCount();
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    // Items hold fonts, which need a GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    Work work;
    work.items = argc > 2 ? qMax(1, atoi(argv[2])) : 100000;
    const int singles = argc > 3 ? qMax(1, atoi(argv[3])) : 200;
    const int bulk = argc > 4 ? qMax(0, atoi(argv[4])) : 1000;
    QRandomGenerator rng(2026);
    for (int i = 0; i < singles; ++i)
        work.singles.append(rng.bounded(work.items));
    for (int i = 0; i < bulk; ++i)
        work.bulk.append(rng.bounded(work.items));

    Times ours;
    Times baseline;
    for (int r = 0; r < rounds; ++r) {
        baseline.keepBest(runBaseline(work));
        ours.keepBest(runFilterModel(work));
    }
    std::printf("%d items, a third not applicable; %d single changes, %d in one bulk change; "
                "best of %d alternating rounds\n",
                work.items, singles, bulk, rounds);
    std::printf("baseline: QStandardItemModel + QSortFilterProxyModel on an applicable role\n");
    printMsFigure("list model and filter, build", ours.build, baseline.build);
    printMsFigure("one applicability change, mean", ours.singleTotal / singles,
                  baseline.singleTotal / singles);
    printMsFigure("one applicability change, worst", ours.singleWorst, baseline.singleWorst);
    printMsFigure("changes in one bulk change, all", ours.bulk, baseline.bulk);
    printMsFigure("full re-filter", ours.refilter, baseline.refilter);
    std::printf("full passes a view saw: %d (baseline %d); visible at the end: %d (baseline %d)\n",
                ours.layouts, baseline.layouts, ours.visible, baseline.visible);
    std::printf("goals: single change < 5 ms: %s; bulk change < 10 ms: %s\n",
                ours.singleWorst < 5000000 ? "met" : "missed",
                ours.bulk < 10000000 ? "met" : "missed");
    // Both must show the same rows, or they did not do the same work.
    return ours.visible == baseline.visible ? 0 : 1;
}
