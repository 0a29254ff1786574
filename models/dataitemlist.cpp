#include "dataitemlist.h"

#include <QtDebug>

DataItemList::DataItemList(QObject *parent)
    : DataItem(parent)
{
    setType(List);
    connect(this, &DataItem::compPathChanged, this, &DataItemList::itemCompPathChanged);
    connect(this, &DataItem::componentChanged, this, &DataItemList::itemComponentChanged);
    connect(this, &DataItem::widthChanged, this, &DataItemList::itemWidthChanged);
    connect(this, &DataItem::heightChanged, this, &DataItemList::itemHeightChanged);
}

DataItemList::~DataItemList()
{
    m_currentItem = nullptr;
    clear();
}

void DataItemList::setupDataItem(DataItem *item)
{
    ++m_count;
    if (item->isOrdinary()) {
        connect(item, &DataItem::applicableChanged, this, &DataItemList::slotItemApplicableChanged);
        if (item->applicable())
            m_applicableItems.insert(item);
    }
    setApplicable(!m_applicableItems.isEmpty());
    Q_EMIT countChanged();
    Q_EMIT itemsChanged();
}

QQmlListProperty<QObject> DataItemList::items()
{
    return QQmlListProperty<QObject>(this, nullptr, &DataItemList::appendObject,
                                     &DataItemList::countObjects, &DataItemList::objectAt,
                                     &DataItemList::clearObjects);
}

int DataItemList::count() const
{
    return m_count;
}

int DataItemList::currentIndex() const
{
    return m_currentIndex;
}

void DataItemList::setCurrentIndex(int index)
{
    DataItem *item = itemAtIndex(index);
    if (index == m_currentIndex && m_currentItem == item)
        return;
    m_currentIndex = index;
    m_currentItem = item;
    Q_EMIT currentIndexChanged();
    Q_EMIT currentItemChanged();
}

DataItem *DataItemList::currentItem() const
{
    return m_currentItem;
}

void DataItemList::setCurrentItem(DataItem *item)
{
    if (!item) {
        m_currentIndex = -1;
        return;
    }
    const int index = indexOfItem(item);
    if (item == m_currentItem && index == m_currentIndex)
        return;
    m_currentIndex = index;
    m_currentItem = index >= 0 ? item : nullptr;
    Q_EMIT currentIndexChanged();
    Q_EMIT currentItemChanged();
}

bool DataItemList::insertItem(int index, DataItem *item)
{
    return take(index, item, "DataItemList::insertItem():");
}

bool DataItemList::appendItem(DataItem *item)
{
    return take(m_items.size(), item, "DataItemList::appendItem():");
}

bool DataItemList::canInsertItem(int index, DataItem *item) const
{
    return !refusal(index, item);
}

const char *DataItemList::refusal(int index, DataItem *item) const
{
    if (!item)
        return "refused a null item";
    if (index < 0 || index > m_items.size())
        return "refused an index out of range";
    if (m_positions.contains(item))
        return "refused an item the list already holds";
    // A list inside itself would recurse for ever, and be deleted twice by clear().
    const DataItemList *list = qobject_cast<const DataItemList *>(item);
    if (list && (list == this || list->holds(this)))
        return "refused a list that holds this list";
    return nullptr;
}

bool DataItemList::holds(const DataItemList *list) const
{
    for (DataItem *item : m_items) {
        const DataItemList *inner = qobject_cast<const DataItemList *>(item);
        if (inner && (inner == list || inner->holds(list)))
            return true;
    }
    return false;
}

bool DataItemList::take(int index, DataItem *item, const char *function)
{
    if (const char *why = refusal(index, item)) {
        qDebug() << function << why;
        return false;
    }
    m_items.insert(index, item);
    renumberFrom(index);
    // A parentless item made in JavaScript would otherwise be collected while held.
    if (m_ownsItems && !item->parent())
        item->setParent(this);
    connect(item, &QObject::destroyed, this, &DataItemList::itemDestroyed);
    setupDataItem(item);
    // The current position follows the current item.
    if (m_currentItem && index <= m_currentIndex) {
        ++m_currentIndex;
        Q_EMIT currentIndexChanged();
    }
    return true;
}

void DataItemList::release(DataItem *item)
{
    disconnect(item, nullptr, this, nullptr);
    m_applicableItems.remove(item);
}

void DataItemList::renumberFrom(int index)
{
    for (int i = index; i < m_items.size(); ++i)
        m_positions.insert(m_items.at(i), i);
}

void DataItemList::removeItem(DataItem *item)
{
    const int index = indexOfItem(item);
    if (index < 0)
        return;
    if (item->parent() == this)
        item->setParent(nullptr);
    release(item);
    removeAt(index);
}

void DataItemList::itemDestroyed(QObject *object)
{
    const int index = m_positions.value(object, -1);
    if (index < 0)
        return;
    if (m_clearing) {
        m_items[index] = nullptr; // the walk of clear() skips it
        return;
    }
    // Only the pointer value is used: the object is no longer a DataItem.
    m_applicableItems.remove(m_items.at(index));
    removeAt(index);
}

void DataItemList::removeAt(int index)
{
    m_positions.remove(m_items.at(index));
    m_items.remove(index);
    renumberFrom(index);
    --m_count;
    if (m_items.isEmpty()) {
        setCurrentIndex(-1);
    } else if (index < m_currentIndex) {
        --m_currentIndex;
        Q_EMIT currentIndexChanged();
    } else if (index == m_currentIndex) {
        // The current item is gone: the one now at its place, or the last, becomes current.
        setCurrentIndex(qMin(index, m_items.size() - 1));
    }
    Q_EMIT itemsChanged();
    Q_EMIT countChanged();
}

void DataItemList::clear()
{
    m_currentItem = nullptr;
    // One walk; an item that dies while another one is deleted is skipped, not deleted twice.
    m_clearing = true;
    for (int i = 0; i < m_items.size(); ++i) {
        DataItem *item = m_items.at(i);
        if (!item)
            continue;
        disconnect(item, nullptr, this, nullptr);
        if (m_ownsItems)
            delete item;
    }
    m_clearing = false;
    m_items.clear();
    m_positions.clear();
    m_applicableItems.clear();
    m_count = 0;
    setCurrentIndex(-1);
    Q_EMIT countChanged();
}

DataItem *DataItemList::itemAtIndex(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

int DataItemList::indexOfItem(DataItem *item) const
{
    return item ? m_positions.value(item, -1) : -1;
}

bool DataItemList::contains(DataItem *item) const
{
    return item && m_positions.contains(item);
}

void DataItemList::applicabilityInit()
{
    const int n = qMin(m_count, m_items.size());
    for (int i = 0; i < n; ++i) {
        if (m_items.at(i)->isOrdinary()) {
            setApplicable(!m_applicableItems.isEmpty());
            return;
        }
    }
    setApplicable(true);
}

bool DataItemList::ownsItems() const
{
    return m_ownsItems;
}

void DataItemList::setOwnsItems(bool owns)
{
    m_ownsItems = owns;
}

void DataItemList::slotItemApplicableChanged()
{
    DataItem *item = qobject_cast<DataItem *>(sender());
    if (!contains(item)) {
        qDebug() << "DataItemList::slotItemApplicableChanged(): WRONG Sender";
        return;
    }
    if (item->applicable())
        m_applicableItems.insert(item);
    else
        m_applicableItems.remove(item);
    setApplicable(!m_applicableItems.isEmpty());
}

void DataItemList::appendObject(QQmlListProperty<QObject> *property, QObject *object)
{
    DataItemList *list = qobject_cast<DataItemList *>(property->object);
    DataItem *item = qobject_cast<DataItem *>(object);
    if (list && item)
        list->appendItem(item);
}

int DataItemList::countObjects(QQmlListProperty<QObject> *property)
{
    return static_cast<DataItemList *>(property->object)->count();
}

QObject *DataItemList::objectAt(QQmlListProperty<QObject> *property, int index)
{
    return static_cast<DataItemList *>(property->object)->itemAtIndex(index);
}

void DataItemList::clearObjects(QQmlListProperty<QObject> *property)
{
    static_cast<DataItemList *>(property->object)->clear();
}
