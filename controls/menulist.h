#pragma once

#include <QFont>
#include <QList>
#include <QPointer>
#include <QQmlListProperty>
#include <QQuickItem>

class MenuItem;
class MenuItemBase;
class MenuItemContainer;

// The data model of a menu: an ordered list of entries (items, separators and containers that
// stand for the entries of a generator). Items are counted one by one, those inside containers
// included. The menu draws nothing; QML delegates render the entries through __contentItem.
//
// The menu deletes only entries that are its own children; others are let go. Deletion is
// deferred to the event loop, since clear() may run inside an entry's own signal handler.
class MenuList : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QQmlListProperty<QObject> items READ items NOTIFY itemsChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(
        int __selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY __selectedIndexChanged)
    Q_PROPERTY(QQuickItem *__contentItem READ menuContentItem WRITE setMenuContentItem NOTIFY
                   contentItemChanged)
    Q_PROPERTY(
        int __minimumWidth READ minimumWidth WRITE setMinimumWidth NOTIFY __minimumWidthChanged)
    Q_PROPERTY(QFont __font READ font WRITE setFont)
    Q_CLASSINFO("DefaultProperty", "items")
public:
    explicit MenuList(QQuickItem *parent = nullptr);
    ~MenuList() override;

    QQmlListProperty<QObject> items();
    int count() const;

    int selectedIndex() const;
    void setSelectedIndex(int index);

    QQuickItem *menuContentItem() const;

    int minimumWidth() const;
    void setMinimumWidth(int width);

    QFont font() const;
    void setFont(const QFont &font);

    // The item at item index `index` (entries of containers counted one by one), or null.
    MenuItemBase *menuItemAtIndex(int index) const;

    Q_INVOKABLE MenuItem *addItem(const QString &text);
    Q_INVOKABLE MenuItem *insertItem(int index, const QString &text);
    Q_INVOKABLE void addSeparator();
    Q_INVOKABLE void insertSeparator(int index);
    // A negative index inserts first; an index at or past the count appends.
    Q_INVOKABLE void insertItem(int index, MenuItemBase *item);
    Q_INVOKABLE void removeItem(MenuItemBase *item);
    Q_INVOKABLE void clear();
    Q_INVOKABLE int indexOfMenuItem(MenuItemBase *item) const;

Q_SIGNALS:
    void itemsChanged();
    void titleChanged();
    void __selectedIndexChanged();
    void __minimumWidthChanged();
    void countChanged();
    void contentItemChanged();

protected Q_SLOTS:
    void updateSelectedIndex();
    void setMenuContentItem(QQuickItem *item);

protected:
    void itemChange(ItemChange change, const ItemChangeData &value) override;

private:
    static void appendObject(QQmlListProperty<QObject> *list, QObject *object);
    static int objectCount(QQmlListProperty<QObject> *list);
    static QObject *objectAt(QQmlListProperty<QObject> *list, int index);
    static void clearObjects(QQmlListProperty<QObject> *list);

    void append(QObject *object);
    // Takes an entry out of whatever menu or container holds it, and keeps it alive.
    void release(MenuItemBase *item);
    void attach(MenuItemBase *item);
    void detach(MenuItemBase *item);
    // Empties the list, letting every entry and container item go; returns the former entries.
    QList<QPointer<MenuItemBase>> detachAll();
    void takeIntoContainer(MenuItemContainer *container, int index, MenuItemBase *item);
    void removeContainer(MenuItemContainer *container);
    void disposeOf(MenuItemBase *entry);
    void entryDestroyed();

    int positionOf(const MenuItemBase *entry) const;
    int sizeOf(const MenuItemBase *entry) const;
    int listPositionForItemIndex(int index, int *indexInContainer) const;
    int itemIndexForListPosition(int position) const;
    // Recounts the items and emits countChanged() on a change; true when it changed.
    bool syncCount();

    QList<QPointer<MenuItemBase>> m_entries;
    int m_count = 0;
    int m_selectedIndex = -1;
    int m_minimumWidth = 0;
    QPointer<QQuickItem> m_contentItem;
    QFont m_font;
    // Own entries let go and waiting for deletion; taking one in again cancels it.
    QList<QPointer<MenuItemBase>> m_disposed;
};
