#include "dataitemlistmodel.h"

#include "baseformatter.h"

DataItemListModel::DataItemListModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_list(this)
{
    connect(&m_list, &DataItem::applicableChanged, this, &DataItemListModel::applicableChanged);
    connect(&m_list, &DataItemList::currentIndexChanged, this,
            &DataItemListModel::currentIndexChanged);
    connect(&m_list, &DataItemList::currentItemChanged, this,
            &DataItemListModel::currentItemChanged);
    // An item destroyed elsewhere leaves its row as any removal does.
    connect(&m_list, &DataItemList::heldItemAboutToBeDestroyed, this,
            [this](int index) { beginRemoveRows(QModelIndex(), index, index); });
    connect(&m_list, &DataItemList::heldItemDestroyed, this, [this] {
        endRemoveRows();
        afterStructureChange();
    });
}

DataItemListModel::~DataItemListModel()
{
    // Views and filters still watching learn that the rows go.
    disconnect(&m_list, nullptr, this, nullptr);
    if (m_list.count() > 0) {
        beginRemoveRows(QModelIndex(), 0, m_list.count() - 1);
        m_list.clear();
        endRemoveRows();
    }
}

int DataItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_list.count();
}

QVariant DataItemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.column() < 0)
        return QVariant();
    const DataItem *item = m_list.itemAtIndex(index.row());
    if (!item)
        return QVariant();
    const ZebData *data = item->zebData();
    switch (role) {
    case IdRole:
        return data ? data->id() : QString();
    case NameRole:
        return data ? QVariant(data->name()) : QVariant();
    case TypeRole:
        return data ? QVariant(data->type()) : QVariant();
    case LabelRole:
        return data ? data->label() : QString();
    case FormatterRole:
        return data && data->formatter() ? QVariant(data->formatter()->getType()) : QVariant();
    case ReadOnlyRole:
        return data ? data->readOnly() : true;
    case ValueRole:
        return data ? data->value() : QVariant();
    case ValueStringRole:
        return data ? data->valueString(true) : item->getSubText();
    case IsReadyRole:
        return data ? QVariant(data->isReady()) : QVariant(true);
    case QualityCodeRole:
        return data ? QVariant(data->qualityCode()) : QVariant();
    case ErrorRole:
        return data ? QVariant(data->error()) : QVariant();
    case ApplicableRole:
        return item->applicable();
    case CompPathRole:
        return item->compPath();
    case ComponentRole:
        return item->component() ? QVariant::fromValue(item->component()) : QVariant();
    case MinRangeRole:
        return data ? data->minRange() : QVariant();
    case MaxRangeRole:
        return data ? data->maxRange() : QVariant();
    case IconSourceRole:
        return item->iconSource();
    case ZebDataRole:
        return data ? QVariant::fromValue(const_cast<ZebData *>(data)) : QVariant();
    case DataItemRole:
        return QVariant::fromValue(const_cast<DataItem *>(item));
    case TextRole:
        return item->getText();
    case SubTextRole:
        return item->getSubText();
    case ActionRole:
        return item->action() ? QVariant::fromValue(item->action()) : QVariant();
    case ItemIndex:
        return item->getItemIndex();
    case EnabledRole:
        return item->enabled();
    default: // the unit and the input type among them: always undefined
        return QVariant();
    }
}

QHash<int, QByteArray> DataItemListModel::roleNames() const
{
    static const QHash<int, QByteArray> names {
        { IdRole, "id" },
        { NameRole, "name" },
        { TypeRole, "type" },
        { LabelRole, "label" },
        { FormatterRole, "formatter" },
        { ReadOnlyRole, "readOnly" },
        { ValueRole, "value" },
        { ValueStringRole, "valueString" },
        { IsReadyRole, "isReady" },
        { QualityCodeRole, "qualityCode" },
        { ErrorRole, "error" },
        { ApplicableRole, "applicable" },
        { CompPathRole, "compPath" },
        { ComponentRole, "component" },
        { MinRangeRole, "minRange" },
        { MaxRangeRole, "maxRange" },
        { UnitRole, "unit" },
        { InputTypeRole, "inputType" },
        { IconSourceRole, "iconSource" },
        { ZebDataRole, "zebData" },
        { DataItemRole, "dataItem" },
        { TextRole, "text" },
        { SubTextRole, "subText" },
        { ActionRole, "action" },
        { ItemIndex, "itemIndex" },
        { EnabledRole, "enabled" },
    };
    return names;
}

void DataItemListModel::classBegin() { }

void DataItemListModel::componentComplete()
{
    if (m_completed)
        return;
    renumber();
    m_completed = true;
    Q_EMIT completedChanged();
    Q_EMIT itemsChanged();
    Q_EMIT countChanged();
}

QQmlListProperty<QObject> DataItemListModel::items()
{
    return QQmlListProperty<QObject>(this, nullptr, &DataItemListModel::appendObject,
                                     &DataItemListModel::countObjects, &DataItemListModel::objectAt,
                                     &DataItemListModel::clearObjects);
}

int DataItemListModel::count() const
{
    return m_list.count();
}

int DataItemListModel::currentIndex() const
{
    return m_list.currentIndex();
}

void DataItemListModel::setCurrentIndex(int index)
{
    m_list.setCurrentIndex(index);
}

DataItem *DataItemListModel::currentItem() const
{
    return m_list.currentItem();
}

void DataItemListModel::setCurrentItem(DataItem *item)
{
    m_list.setCurrentItem(item);
}

bool DataItemListModel::applicable() const
{
    return m_list.applicable();
}

bool DataItemListModel::compCompleted() const
{
    return m_completed;
}

void DataItemListModel::appendItem(DataItem *item)
{
    const int position = m_list.count();
    // A refused item (already held, a list holding the model's list) must not announce a row;
    // the list says why.
    if (!m_list.canInsertItem(position, item)) {
        m_list.appendItem(item);
        return;
    }
    beginInsertRows(QModelIndex(), position, position);
    connectItem(item);
    m_list.appendItem(item);
    endInsertRows();
    // Before completion, completion numbers and counts everything at once.
    if (m_completed) {
        item->setItemIndex(position);
        Q_EMIT itemsChanged();
        Q_EMIT countChanged();
    }
}

void DataItemListModel::insertItem(int i, DataItem *item)
{
    if (!m_list.canInsertItem(i, item)) {
        m_list.insertItem(i, item); // says why
        return;
    }
    beginInsertRows(QModelIndex(), i, i);
    Q_EMIT signalInsertingItem(item);
    connectItem(item);
    m_list.insertItem(i, item);
    endInsertRows();
    if (m_completed) {
        Q_EMIT countChanged();
        renumber();
    }
}

void DataItemListModel::removeItem(DataItem *item)
{
    const int position = m_list.indexOfItem(item);
    if (position >= 0) {
        beginRemoveRows(QModelIndex(), position, position);
        disconnectItem(item);
        m_list.removeItem(item);
        endRemoveRows();
        Q_EMIT signalRemovingItem(item);
        if (m_completed)
            Q_EMIT countChanged();
    }
    if (m_completed)
        renumber();
}

void DataItemListModel::clear()
{
    const int rows = m_list.count();
    if (rows > 0)
        beginRemoveRows(QModelIndex(), 0, rows - 1);
    m_list.clear();
    if (rows > 0)
        endRemoveRows();
    Q_EMIT itemsChanged();
    Q_EMIT countChanged();
}

DataItem *DataItemListModel::itemAtIndex(int index) const
{
    return m_list.itemAtIndex(index);
}

int DataItemListModel::indexOfItem(DataItem *item) const
{
    return m_list.indexOfItem(item);
}

void DataItemListModel::cellDataChanged()
{
    // Only a held item names a row; a direct call from QML has no sender at all.
    DataItem *item = qobject_cast<DataItem *>(sender());
    if (item)
        notifyRow(item, { TextRole, SubTextRole });
}

void DataItemListModel::connectItem(DataItem *item)
{
    // The item is known here: asking sender() would walk every connected item.
    connect(item, &DataItem::applicableChanged, this, [this, item] {
        Q_EMIT applicableChanged();
        notifyRow(item, { ApplicableRole });
    });
    connect(item, &DataItem::textChanged, this, [this, item] {
        notifyRow(item, { TextRole, SubTextRole });
    });
    connect(item, &DataItem::subTextChanged, this, [this, item] {
        notifyRow(item, { TextRole, SubTextRole });
    });
}

void DataItemListModel::disconnectItem(DataItem *item)
{
    disconnect(item, nullptr, this, nullptr);
}

void DataItemListModel::notifyRow(DataItem *item, const QVector<int> &roles)
{
    const int row = m_list.indexOfItem(item);
    if (row < 0)
        return;
    const QModelIndex cell = index(row, 0);
    Q_EMIT dataChanged(cell, cell, roles);
}

void DataItemListModel::renumber()
{
    // Views that show the "itemIndex" role learn of the rows whose number changed.
    int first = -1;
    int last = -1;
    for (int j = 0; j < m_list.count(); ++j) {
        DataItem *item = m_list.itemAtIndex(j);
        if (!item || item->getItemIndex() == j)
            continue;
        item->setItemIndex(j);
        if (first < 0)
            first = j;
        last = j;
    }
    if (first >= 0)
        Q_EMIT dataChanged(index(first, 0), index(last, 0), { ItemIndex });
}

void DataItemListModel::afterStructureChange()
{
    if (!m_completed)
        return;
    renumber();
    Q_EMIT itemsChanged();
    Q_EMIT countChanged();
}

void DataItemListModel::appendObject(QQmlListProperty<QObject> *property, QObject *object)
{
    auto *model = qobject_cast<DataItemListModel *>(property->object);
    DataItem *item = qobject_cast<DataItem *>(object);
    if (model && item)
        model->appendItem(item);
}

int DataItemListModel::countObjects(QQmlListProperty<QObject> *property)
{
    return static_cast<DataItemListModel *>(property->object)->count();
}

QObject *DataItemListModel::objectAt(QQmlListProperty<QObject> *property, int index)
{
    return static_cast<DataItemListModel *>(property->object)->itemAtIndex(index);
}

void DataItemListModel::clearObjects(QQmlListProperty<QObject> *property)
{
    // An assignment from QML: the new value may hold items of the old one, so they are
    // deleted only after the appends that follow have had a chance to take them in again.
    auto *model = static_cast<DataItemListModel *>(property->object);
    const int rows = model->m_list.count();
    if (rows == 0)
        return;
    model->beginRemoveRows(QModelIndex(), 0, rows - 1);
    for (int j = 0; j < rows; ++j)
        model->disconnectItem(model->m_list.itemAtIndex(j));
    model->m_list.clearLater();
    model->endRemoveRows();
    Q_EMIT model->itemsChanged();
    Q_EMIT model->countChanged();
}
