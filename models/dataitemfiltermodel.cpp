#include "dataitemfiltermodel.h"

#include "dataitemlistmodel.h"
#include "listsortfilterproxymodel.h"

#include <utility>

DataItemFilterModel::DataItemFilterModel(QObject *parent)
    : QAbstractListModel(parent)
{
    connect(this, &QAbstractItemModel::rowsRemoved, this, &DataItemFilterModel::countChanged);
    connect(this, &QAbstractItemModel::rowsInserted, this, &DataItemFilterModel::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &DataItemFilterModel::countChanged);
}

DataItemFilterModel::~DataItemFilterModel()
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    dropProxy();
}

int DataItemFilterModel::rowCount(const QModelIndex &parent) const
{
    return m_proxy && !parent.isValid() ? m_proxy->rowCount() : 0;
}

int DataItemFilterModel::columnCount(const QModelIndex &parent) const
{
    return m_proxy && !parent.isValid() ? m_proxy->columnCount() : 0;
}

QVariant DataItemFilterModel::data(const QModelIndex &index, int role) const
{
    if (!m_proxy || !index.isValid())
        return QVariant();
    return m_proxy->data(m_proxy->index(index.row(), index.column()), role);
}

QHash<int, QByteArray> DataItemFilterModel::roleNames() const
{
    return m_source ? m_source->roleNames() : QHash<int, QByteArray>();
}

int DataItemFilterModel::count() const
{
    return m_proxy ? m_proxy->rowCount() : 0;
}

DataItemListModel *DataItemFilterModel::sourceModel() const
{
    return m_source;
}

void DataItemFilterModel::setSourceModel(DataItemListModel *model)
{
    if (!model || model == m_source)
        return;
    const bool wasCompleted = compCompleted();
    // Views learn the new rows and role names from a reset.
    beginResetModel();
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    dropProxy();
    m_source = model;
    m_proxy = new ListSortFilterProxyModel(model);
    m_proxy->setSourceModel(model);
    m_proxy->setDynamicSortFilter(!m_bulkChange);
    connectProxy();
    connect(model, &QObject::destroyed, this, &DataItemFilterModel::sourceDestroyed);
    connect(model, &DataItemListModel::applicableChanged, this,
            &DataItemFilterModel::sourceApplicableChanged);
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &DataItemFilterModel::sourceChangeStarted);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &DataItemFilterModel::sourceChangeStarted);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
            &DataItemFilterModel::sourceChangeStarted);
    // Connected after the proxy's own handlers: the proxy has taken the change in when these run.
    connect(model, &QAbstractItemModel::rowsInserted, this,
            &DataItemFilterModel::sourceChangeFinished);
    connect(model, &QAbstractItemModel::rowsRemoved, this,
            &DataItemFilterModel::sourceChangeFinished);
    connect(model, &QAbstractItemModel::modelReset, this,
            &DataItemFilterModel::sourceChangeFinished);
    const bool completed = model->compCompleted();
    if (!completed)
        connect(model, &DataItemListModel::completedChanged, this, &DataItemFilterModel::compComp);
    // A new proxy filters from scratch: no pass is needed for a source that is complete.
    endResetModel();
    Q_EMIT sourceModelChanged();
    if (completed || wasCompleted)
        Q_EMIT completedChanged();
}

bool DataItemFilterModel::compCompleted() const
{
    return m_source && m_source->compCompleted();
}

int DataItemFilterModel::mapRowToSource(int row) const
{
    if (!m_proxy)
        return 0;
    const QModelIndex source = m_proxy->mapToSource(m_proxy->index(row, 0));
    return source.isValid() ? source.row() : -1;
}

int DataItemFilterModel::mapRowFromSource(int row) const
{
    if (!m_proxy)
        return 0;
    if (!m_source) // dying: its proxy is let go a moment later
        return -1;
    const QModelIndex proxy = m_proxy->mapFromSource(m_source->index(row, 0));
    return proxy.isValid() ? proxy.row() : -1;
}

DataItem *DataItemFilterModel::itemAtIndex(int index) const
{
    return m_source ? m_source->itemAtIndex(mapRowToSource(index)) : nullptr;
}

void DataItemFilterModel::bulkChangeStart(bool b)
{
    m_bulkChange = b;
    // The proxy then leaves rows where they are when the source reports their changes.
    if (b && m_proxy)
        m_proxy->setDynamicSortFilter(false);
    if (!b)
        invalidate();
}

void DataItemFilterModel::invalidate()
{
    if (!m_proxy || m_bulkChange)
        return;
    if (m_sourceChanging) {
        m_refilterPending = true;
        return;
    }
    layoutAboutToChange();
    if (!m_proxy->dynamicSortFilter())
        m_proxy->setDynamicSortFilter(true);
    m_proxy->invalidate();
    layoutDone();
    Q_EMIT countChanged();
}

void DataItemFilterModel::compComp()
{
    if (m_source) {
        disconnect(m_source, &DataItemListModel::completedChanged, this,
                   &DataItemFilterModel::compComp);
        invalidate();
    }
    Q_EMIT completedChanged();
}

void DataItemFilterModel::connectProxy()
{
    ListSortFilterProxyModel *proxy = m_proxy;
    connect(proxy, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) {
                beginInsertRows(QModelIndex(), first, last);
            });
    connect(proxy, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); });
    connect(proxy, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) {
                beginRemoveRows(QModelIndex(), first, last);
            });
    connect(proxy, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(proxy, &QAbstractItemModel::columnsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) {
                beginInsertColumns(QModelIndex(), first, last);
            });
    connect(proxy, &QAbstractItemModel::columnsInserted, this, [this] { endInsertColumns(); });
    connect(proxy, &QAbstractItemModel::columnsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) {
                beginRemoveColumns(QModelIndex(), first, last);
            });
    connect(proxy, &QAbstractItemModel::columnsRemoved, this, [this] { endRemoveColumns(); });
    connect(proxy, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(proxy, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
    connect(proxy, &QAbstractItemModel::layoutAboutToBeChanged, this,
            &DataItemFilterModel::layoutAboutToChange);
    connect(proxy, &QAbstractItemModel::layoutChanged, this, &DataItemFilterModel::layoutDone);
    connect(proxy, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight,
                   const QVector<int> &roles) {
                Q_EMIT dataChanged(index(topLeft.row(), topLeft.column()),
                                   index(bottomRight.row(), bottomRight.column()), roles);
            });
    connect(proxy, &QAbstractItemModel::headerDataChanged, this,
            &QAbstractItemModel::headerDataChanged);
}

void DataItemFilterModel::dropProxy()
{
    if (!m_proxy)
        return;
    disconnect(m_proxy, nullptr, this, nullptr);
    delete m_proxy;
    m_layoutDepth = 0;
    m_layoutFrom.clear();
    m_layoutProxy.clear();
    m_sourceChanging = false;
    m_refilterPending = false;
}

void DataItemFilterModel::sourceDestroyed()
{
    // The proxy, a child of the source, is deleted with it: it is let go here, not deleted.
    beginResetModel();
    if (m_proxy)
        disconnect(m_proxy, nullptr, this, nullptr);
    m_proxy = nullptr;
    m_layoutDepth = 0;
    m_layoutFrom.clear();
    m_layoutProxy.clear();
    m_sourceChanging = false;
    m_refilterPending = false;
    endResetModel();
    Q_EMIT sourceModelChanged();
    Q_EMIT completedChanged();
}

void DataItemFilterModel::sourceApplicableChanged()
{
    // Each item's row is re-tested by the proxy when the source reports the change of its
    // "applicable" role. Only the list's own applicability, which shows or hides the column,
    // needs a pass over every row.
    if (!m_proxy || !m_source || m_bulkChange)
        return;
    if (m_sourceChanging) {
        m_refilterPending = true;
        return;
    }
    if (m_source->applicable() != (m_proxy->columnCount() > 0))
        invalidate();
}

void DataItemFilterModel::sourceChangeStarted()
{
    m_sourceChanging = true;
}

void DataItemFilterModel::sourceChangeFinished()
{
    m_sourceChanging = false;
    if (std::exchange(m_refilterPending, false))
        invalidate();
}

void DataItemFilterModel::layoutAboutToChange()
{
    if (m_layoutDepth++ > 0)
        return;
    Q_EMIT layoutAboutToBeChanged();
    // The proxy keeps its own persistent indexes right through the change; they tell where
    // this model's indexes went.
    m_layoutFrom = persistentIndexList();
    m_layoutProxy.clear();
    m_layoutProxy.reserve(m_layoutFrom.size());
    for (const QModelIndex &index : std::as_const(m_layoutFrom))
        m_layoutProxy.append(QPersistentModelIndex(m_proxy->index(index.row(), index.column())));
}

void DataItemFilterModel::layoutDone()
{
    if (m_layoutDepth == 0 || --m_layoutDepth > 0)
        return;
    QModelIndexList to;
    to.reserve(m_layoutProxy.size());
    for (const QPersistentModelIndex &moved : std::as_const(m_layoutProxy))
        to.append(moved.isValid() ? index(moved.row(), moved.column()) : QModelIndex());
    changePersistentIndexList(m_layoutFrom, to);
    m_layoutFrom.clear();
    m_layoutProxy.clear();
    Q_EMIT layoutChanged();
}
