#include "dataitemlist.h"

#include <QCoreApplication>
#include <QtDebug>

#include <utility>

DataItemList::DataItemList(QObject *parent)
    : DataItem(parent)
{
    setType(List);
    connect(this, &DataItem::compPathChanged, this, &DataItemList::itemCompPathChanged);
    connect(this, &DataItem::componentChanged, this, &DataItemList::itemComponentChanged);
    connect(this, &DataItem::widthChanged, this, &DataItemList::itemWidthChanged);
    connect(this, &DataItem::heightChanged, this, &DataItemList::itemHeightChanged);
    // Every change of these values reaches the items that still follow the list for it, the
    // changes a list receives from its own container included.
    connect(this, &DataItem::heightChanged, this,
            [this] { notifyFollowers(FollowHeight, &DataItem::heightChanged); });
    connect(this, &DataItem::compPathChanged, this,
            [this] { notifyFollowers(FollowCompPath, &DataItem::compPathChanged); });
    connect(this, &DataItem::widthChanged, this,
            [this] { notifyFollowers(FollowWidth, &DataItem::widthChanged); });
    connect(this, &DataItem::fontChanged, this,
            [this] { notifyFollowers(FollowFont, &DataItem::fontChanged); });
}

DataItemList::~DataItemList()
{
    m_currentItem = nullptr;
    clearItems(Disposal::Dying);
    while (!m_followers.isEmpty()) {
        DataItem *item = m_followers.takeLast();
        item->m_followerIndex = -1;
        item->containerListDestroyed();
    }
}

void DataItemList::addFollower(DataItem *item)
{
    item->m_followerIndex = m_followers.size();
    m_followers.append(item);
}

void DataItemList::removeFollower(DataItem *item)
{
    const int index = item->m_followerIndex;
    DataItem *last = m_followers.takeLast();
    if (last != item) {
        m_followers[index] = last;
        last->m_followerIndex = index;
    }
    item->m_followerIndex = -1;
}

void DataItemList::notifyFollowers(quint8 value, void (DataItem::*signal)())
{
    // By index over the live list: a receiver may remove followers, even delete them.
    for (int i = 0; i < m_followers.size(); ++i) {
        DataItem *item = m_followers.at(i);
        if (item->m_follows & value)
            (item->*signal)();
    }
}

void DataItemList::setupDataItem(DataItem *item)
{
    ++m_count;
    if (item->isOrdinary()) {
        // The item is known here: asking sender() would walk every connected item.
        connect(item, &DataItem::applicableChanged, this,
                [this, item] { itemApplicableChanged(item); });
        const auto entry = m_entries.find(item);
        if (entry != m_entries.end())
            count(*entry, item->applicable());
    }
    setApplicable(m_applicableCount > 0);
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
    if (m_entries.contains(item))
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
    if (item->m_deletionPending) {
        // Let go by a deferred clear (here or in another list) and taken in again: it stays.
        item->m_deletionPending = false;
        QCoreApplication::removePostedEvents(item, QEvent::DeferredDelete);
    }
    m_items.insert(index, item);
    m_entries.insert(item, Entry { index, false });
    renumberFrom(index + 1);
    // A parentless item made in JavaScript would otherwise be collected while held.
    if (m_ownsItems && !item->parent())
        item->setParent(this);
    item->m_holders.append(this);
    setupDataItem(item);
    // The current position follows the current item.
    if (m_currentItem && index <= m_currentIndex) {
        ++m_currentIndex;
        Q_EMIT currentIndexChanged();
    }
    return true;
}

void DataItemList::forgetHolder(DataItem *item)
{
    const int index = item->m_holders.indexOf(this);
    if (index >= 0)
        item->m_holders.remove(index);
}

void DataItemList::release(DataItem *item)
{
    disconnect(item, &DataItem::applicableChanged, this, nullptr);
    forgetHolder(item);
}

void DataItemList::count(Entry &entry, bool applicable)
{
    if (entry.applicable == applicable)
        return;
    entry.applicable = applicable;
    m_applicableCount += applicable ? 1 : -1;
}

void DataItemList::renumberFrom(int index)
{
    for (int i = index; i < m_items.size(); ++i)
        m_entries[m_items.at(i)].position = i;
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

void DataItemList::itemDestroyed(DataItem *item)
{
    const int index = indexOfItem(item);
    if (index < 0)
        return;
    if (m_clearing) {
        m_items[index] = nullptr; // the walk of clear() skips it
        return;
    }
    Q_EMIT heldItemAboutToBeDestroyed(index, QPrivateSignal());
    removeAt(index);
    Q_EMIT heldItemDestroyed(index, QPrivateSignal());
}

void DataItemList::removeAt(int index)
{
    const auto entry = m_entries.find(m_items.at(index));
    count(*entry, false);
    m_entries.erase(entry);
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
    clearItems(Disposal::Delete);
}

void DataItemList::clearLater()
{
    clearItems(Disposal::DeleteLater);
}

void DataItemList::clearItems(Disposal disposal)
{
    m_currentItem = nullptr;
    // One walk; an item that dies while another one is deleted is skipped, not deleted twice.
    m_clearing = true;
    for (int i = 0; i < m_items.size(); ++i) {
        DataItem *item = m_items.at(i);
        if (!item)
            continue;
        forgetHolder(item);
        if (m_ownsItems && disposal == Disposal::DeleteLater) {
            disconnect(item, &DataItem::applicableChanged, this, nullptr);
            // Handed back as removeItem() would: a list that takes it in again adopts it.
            if (item->parent() == this)
                item->setParent(nullptr);
            if (!item->m_deletionPending) {
                item->m_deletionPending = true;
                item->deleteLater();
            }
        } else if (m_ownsItems) {
            delete item;
        } else if (disposal != Disposal::Dying) {
            // A dying list loses its connections anyway, all at once.
            disconnect(item, &DataItem::applicableChanged, this, nullptr);
        }
    }
    m_clearing = false;
    m_items.clear();
    m_entries.clear();
    m_applicableCount = 0;
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
    const auto entry = m_entries.constFind(item);
    return entry != m_entries.constEnd() ? entry->position : -1;
}

bool DataItemList::contains(DataItem *item) const
{
    return m_entries.contains(item);
}

void DataItemList::applicabilityInit()
{
    const int n = qMin(m_count, m_items.size());
    for (int i = 0; i < n; ++i) {
        if (m_items.at(i)->isOrdinary()) {
            setApplicable(m_applicableCount > 0);
            return;
        }
    }
    setApplicable(true);
}

void DataItemList::reserve(int size)
{
    m_items.reserve(size);
    m_entries.reserve(size);
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
    itemApplicableChanged(item);
}

void DataItemList::itemApplicableChanged(DataItem *item)
{
    const auto entry = m_entries.find(item);
    if (entry == m_entries.end())
        return;
    count(*entry, item->applicable());
    setApplicable(m_applicableCount > 0);
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
    static_cast<DataItemList *>(property->object)->clearLater();
}
