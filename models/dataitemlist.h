#pragma once

#include "dataitem.h"

#include <QHash>
#include <QQmlListProperty>
#include <QVector>

// An ordered list of data items, itself a data item: its own layout values are the defaults of
// the items that take it as their container. It is applicable while one of its ordinary items
// is. A list owns what it holds (clearing or destroying it deletes the items) unless it only
// references items that other lists own.
class DataItemList : public DataItem
{
    Q_OBJECT
    Q_PROPERTY(QQmlListProperty<QObject> items READ items NOTIFY itemsChanged)
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(
        DataItem *currentItem READ currentItem WRITE setCurrentItem NOTIFY currentItemChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QUrl itemCompPath READ compPath WRITE setCompPath NOTIFY itemCompPathChanged)
    Q_PROPERTY(
        QQmlComponent *itemComponent READ component WRITE setComponent NOTIFY itemComponentChanged)
    Q_PROPERTY(int itemWidth READ width WRITE setWidth NOTIFY itemWidthChanged)
    Q_PROPERTY(int itemHeight READ height WRITE setHeight NOTIFY itemHeightChanged)
    Q_CLASSINFO("DefaultProperty", "items")
public:
    explicit DataItemList(QObject *parent = nullptr);
    ~DataItemList() override;

    virtual void setupDataItem(DataItem *item);

    QQmlListProperty<QObject> items();
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    DataItem *currentItem() const;
    void setCurrentItem(DataItem *item);

    // Both refuse null, an item already held and a list that holds this one (or is this one),
    // with a debug message; a refused item changes nothing and emits nothing.
    Q_INVOKABLE bool insertItem(int index, DataItem *item);
    bool appendItem(DataItem *item);
    // Whether insertItem(index, item) would take the item; says nothing in the log.
    bool canInsertItem(int index, DataItem *item) const;
    Q_INVOKABLE void removeItem(DataItem *item);
    Q_INVOKABLE void clear();
    // Empties the list as clear() does, but deletes the items it owns only when control returns
    // to the event loop, unless a list takes them in again before that. QML assigns a list
    // property as a clear followed by appends, and the new value may hold items of the old one.
    void clearLater();
    Q_INVOKABLE DataItem *itemAtIndex(int index) const;
    Q_INVOKABLE int indexOfItem(DataItem *item) const;
    bool contains(DataItem *item) const;
    void applicabilityInit();

    // Room for this many items without growing.
    void reserve(int size);

    // A list that does not own its items neither deletes nor adopts them.
    bool ownsItems() const;
    void setOwnsItems(bool owns);

Q_SIGNALS:
    void itemsChanged();
    void currentIndexChanged();
    void countChanged();
    void currentItemChanged();
    void itemHeightChanged();
    void itemWidthChanged();
    void itemCompPathChanged();
    void itemComponentChanged();
    // C++ only: a held item destroyed elsewhere leaves the list at this position; the first
    // signal comes before the list changes, the second after.
    void heldItemAboutToBeDestroyed(int index, QPrivateSignal);
    void heldItemDestroyed(int index, QPrivateSignal);

protected Q_SLOTS:
    void slotItemApplicableChanged();

private:
    friend class DataItem;

    void itemApplicableChanged(DataItem *item);
    // Called by a dying item: removes it as removeItem() would, without touching the item.
    void itemDestroyed(DataItem *item);
    void addFollower(DataItem *item);
    void removeFollower(DataItem *item);
    void notifyFollowers(quint8 value, void (DataItem::*signal)());
    enum class Disposal { Delete, DeleteLater, Dying };
    void clearItems(Disposal disposal);
    const char *refusal(int index, DataItem *item) const;
    bool holds(const DataItemList *list) const;
    bool take(int index, DataItem *item, const char *function);
    struct Entry
    {
        int position;
        bool applicable; // counted among the applicable items
    };
    void count(Entry &entry, bool applicable);
    void release(DataItem *item);
    void forgetHolder(DataItem *item);
    void removeAt(int index);
    void renumberFrom(int index);

    static void appendObject(QQmlListProperty<QObject> *property, QObject *object);
    static int countObjects(QQmlListProperty<QObject> *property);
    static QObject *objectAt(QQmlListProperty<QObject> *property, int index);
    static void clearObjects(QQmlListProperty<QObject> *property);

    QVector<DataItem *> m_items;
    // Every held item with its position and whether it counts as applicable: membership, index
    // and applicability bookkeeping without a walk.
    QHash<DataItem *, Entry> m_entries;
    int m_applicableCount = 0;
    int m_count = 0;
    int m_currentIndex = -1;
    QPointer<DataItem> m_currentItem;
    // Items that take their default layout values from this list, held or not.
    QVector<DataItem *> m_followers;
    bool m_ownsItems = true;
    bool m_clearing = false;
};
