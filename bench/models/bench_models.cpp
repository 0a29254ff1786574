// Builds a column-based table of data items from C++ and toggles cell applicabilities, so that
// whole columns hide and show again; side by side with the same work done by a
// QStandardItemModel and a QSortFilterProxyModel in the same run. Prints the ratios.
//
//   models_bench [rounds] [columns] [cells per column] [toggles]
#include "benchfigure.h"
#include "dataitemlist.h"
#include "sortfilterproxymodel.h"
#include "tablemodel.h"
#include "tablemodelcolumn.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const int ApplicableRole = Qt::UserRole + 1;

struct Shape
{
    int columns;
    int cells;
    QVector<QPoint> toggles; // (column, cell)
};

// The first half of the toggles switches whole columns off, cell by cell; the rest are random
// cells, some of which bring a hidden column back.
QVector<QPoint> toggleSequence(int columns, int cells, int count)
{
    QVector<QPoint> toggles;
    for (int c = 0; c < columns && toggles.size() < count / 2; ++c) {
        for (int r = 0; r < cells && toggles.size() < count / 2; ++r)
            toggles.append(QPoint(c, r));
    }
    QRandomGenerator rng(2026);
    while (toggles.size() < count)
        toggles.append(QPoint(rng.bounded(columns), rng.bounded(cells)));
    return toggles;
}

// Shows a row or column while one of its cells is applicable, as the table does; the counts per
// row and column play the part of the lists' sets of applicable items.
class BaselineProxy : public QSortFilterProxyModel
{
public:
    void watch(QStandardItemModel *model)
    {
        m_rowCounts.fill(0, model->rowCount());
        m_columnCounts.fill(0, model->columnCount());
        m_seen.fill(false, model->rowCount() * model->columnCount());
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int c = 0; c < model->columnCount(); ++c)
                note(r, c, model->item(r, c)->data(ApplicableRole).toBool());
        }
        connect(
            model, &QAbstractItemModel::dataChanged, this, [this, model](const QModelIndex &index) {
                if (note(index.row(), index.column(), model->data(index, ApplicableRole).toBool()))
                    invalidateFilter();
            });
        setSourceModel(model);
        setDynamicSortFilter(true);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &) const override
    {
        return m_rowCounts.value(row) > 0;
    }
    bool filterAcceptsColumn(int column, const QModelIndex &) const override
    {
        return m_columnCounts.value(column) > 0;
    }

private:
    // Whether a row or a column crossed zero.
    bool note(int row, int column, bool applicable)
    {
        bool &seen = m_seen[row * m_columnCounts.size() + column];
        if (seen == applicable)
            return false;
        seen = applicable;
        const int step = applicable ? 1 : -1;
        m_rowCounts[row] += step;
        m_columnCounts[column] += step;
        const int zeroAt = applicable ? 1 : 0;
        return m_rowCounts[row] == zeroAt || m_columnCounts[column] == zeroAt;
    }

    QVector<int> m_rowCounts;
    QVector<int> m_columnCounts;
    QVector<bool> m_seen;
};

struct Times
{
    qint64 build = 0;
    qint64 toggle = 0;
    qint64 teardown = 0;
    QSize visible; // columns x rows shown after the toggles
    qint64 total() const { return build + toggle + teardown; }
    // Each phase counts its best round: the heap left by the other side's round disturbs
    // single phases now and then.
    void keepBest(const Times &t)
    {
        const bool first = build == 0;
        build = first ? t.build : qMin(build, t.build);
        toggle = first ? t.toggle : qMin(toggle, t.toggle);
        teardown = first ? t.teardown : qMin(teardown, t.teardown);
        visible = t.visible;
    }
};

qint64 sink = 0; // keeps the results alive

Times runTable(const Shape &shape)
{
    Times times;
    QElapsedTimer timer;
    timer.start();
    auto table = std::make_unique<TableModel>();
    QQmlListProperty<DataItemList> items = table->items();
    for (int c = 0; c < shape.columns; ++c) {
        auto *column = new TableModelColumn(table.get());
        for (int r = 0; r < shape.cells; ++r) {
            auto *cell = new DataItem(column); // as QML makes declared children
            cell->setText(QString::number(r * shape.columns + c));
            column->appendItem(cell);
        }
        items.append(&items, column);
    }
    table->componentComplete();
    sink += table->filteredRowCount() + table->filteredColCount();
    times.build = timer.nsecsElapsed();

    timer.restart();
    for (const QPoint &p : shape.toggles) {
        DataItem *cell = table->itemAtIndex(p.y(), p.x());
        cell->setApplicable(!cell->applicable());
    }
    times.visible = QSize(table->filteredColCount(), table->filteredRowCount());
    times.toggle = timer.nsecsElapsed();

    timer.restart();
    table.reset();
    times.teardown = timer.nsecsElapsed();
    return times;
}

Times runBaseline(const Shape &shape)
{
    Times times;
    QElapsedTimer timer;
    timer.start();
    auto model = std::make_unique<QStandardItemModel>(shape.cells, shape.columns);
    auto proxy = std::make_unique<BaselineProxy>();
    for (int c = 0; c < shape.columns; ++c) {
        for (int r = 0; r < shape.cells; ++r) {
            auto *item = new QStandardItem(QString::number(r * shape.columns + c));
            item->setData(true, ApplicableRole);
            model->setItem(r, c, item);
        }
    }
    proxy->watch(model.get());
    sink += proxy->rowCount() + proxy->columnCount();
    times.build = timer.nsecsElapsed();

    timer.restart();
    for (const QPoint &p : shape.toggles) {
        QStandardItem *item = model->item(p.y(), p.x());
        item->setData(!item->data(ApplicableRole).toBool(), ApplicableRole);
    }
    times.visible = QSize(proxy->columnCount(), proxy->rowCount());
    times.toggle = timer.nsecsElapsed();

    timer.restart();
    proxy.reset();
    model.reset();
    times.teardown = timer.nsecsElapsed();
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    // Pages run in a GUI application; items hold fonts, which need one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 7;
    Shape shape;
    shape.columns = argc > 2 ? qMax(1, atoi(argv[2])) : 200;
    shape.cells = argc > 3 ? qMax(1, atoi(argv[3])) : 50;
    const int toggles = argc > 4 ? qMax(0, atoi(argv[4])) : 1000;
    shape.toggles = toggleSequence(shape.columns, shape.cells, toggles);

    Times table;
    Times baseline;
    for (int r = 0; r < rounds; ++r) {
        baseline.keepBest(runBaseline(shape));
        table.keepBest(runTable(shape));
    }
    std::printf("%d columns x %d cells, %d toggles; best of %d alternating rounds\n", shape.columns,
                shape.cells, toggles, rounds);
    std::printf("baseline: QStandardItemModel + QSortFilterProxyModel counting applicable "
                "cells per row and column\n");
    printMsFigure("build", table.build, baseline.build);
    printMsFigure("toggle", table.toggle, baseline.toggle);
    printMsFigure("teardown", table.teardown, baseline.teardown);
    printMsFigure("total", table.total(), baseline.total());
    std::printf("visible after the toggles: %d x %d (baseline %d x %d)\n", table.visible.width(),
                table.visible.height(), baseline.visible.width(), baseline.visible.height());
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));
    // Both must end in the same visible shape, or they did not do the same work.
    return table.visible == baseline.visible ? 0 : 1;
}
