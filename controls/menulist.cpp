#include "menulist.h"

#include "menuitem.h"
#include "menuitemcontainer.h"
#include "menuseparator.h"

#include <QCoreApplication>
#include <QtDebug>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformtheme.h>

#include <utility>

MenuList::MenuList(QQuickItem *parent)
    : QQuickItem(parent)
{
    if (const QPlatformTheme *theme = QGuiApplicationPrivate::platformTheme()) {
        if (const QFont *font = theme->font(QPlatformTheme::MenuItemFont))
            m_font = *font;
    }
}

MenuList::~MenuList()
{
    // Entries must not reach back into a menu that is going away: let every one go first. Own
    // entries then die with the menu as its children.
    detachAll();
}

QList<QPointer<MenuItemBase>> MenuList::detachAll()
{
    const QList<QPointer<MenuItemBase>> entries = std::exchange(m_entries, {});
    for (const QPointer<MenuItemBase> &entry : entries) {
        if (!entry)
            continue;
        if (auto *container = qobject_cast<MenuItemContainer *>(entry)) {
            for (MenuItemBase *item : container->takeAll())
                detach(item);
        }
        detach(entry);
    }
    return entries;
}

QQmlListProperty<QObject> MenuList::items()
{
    return QQmlListProperty<QObject>(this, nullptr, &MenuList::appendObject, &MenuList::objectCount,
                                     &MenuList::objectAt, &MenuList::clearObjects);
}

void MenuList::appendObject(QQmlListProperty<QObject> *list, QObject *object)
{
    static_cast<MenuList *>(list->object)->append(object);
}

int MenuList::objectCount(QQmlListProperty<QObject> *list)
{
    return static_cast<MenuList *>(list->object)->count();
}

QObject *MenuList::objectAt(QQmlListProperty<QObject> *list, int index)
{
    return static_cast<MenuList *>(list->object)->menuItemAtIndex(index);
}

void MenuList::clearObjects(QQmlListProperty<QObject> *list)
{
    static_cast<MenuList *>(list->object)->clear();
}

int MenuList::count() const
{
    return m_count;
}

int MenuList::selectedIndex() const
{
    return m_selectedIndex;
}

void MenuList::setSelectedIndex(int index)
{
    if (m_selectedIndex == index)
        return;
    m_selectedIndex = index;
    Q_EMIT __selectedIndexChanged();
}

QQuickItem *MenuList::menuContentItem() const
{
    return m_contentItem;
}

void MenuList::setMenuContentItem(QQuickItem *item)
{
    if (m_contentItem == item)
        return;
    m_contentItem = item;
    if (item && parentItem())
        item->setParentItem(parentItem());
    Q_EMIT contentItemChanged();
}

void MenuList::itemChange(ItemChange change, const ItemChangeData &value)
{
    if (change == ItemParentHasChanged && m_contentItem)
        m_contentItem->setParentItem(value.item);
    QQuickItem::itemChange(change, value);
}

int MenuList::minimumWidth() const
{
    return m_minimumWidth;
}

void MenuList::setMinimumWidth(int width)
{
    m_minimumWidth = width;
}

QFont MenuList::font() const
{
    return m_font;
}

void MenuList::setFont(const QFont &font)
{
    m_font = font;
}

void MenuList::append(QObject *object)
{
    if (!object)
        return;
    if (auto *item = qobject_cast<MenuItemBase *>(object)) {
        release(item);
        m_entries.append(item);
        attach(item);
        syncCount();
        return;
    }
    for (const QPointer<MenuItemBase> &entry : qAsConst(m_entries)) {
        auto *container = qobject_cast<MenuItemContainer *>(entry);
        if (container && container->generator() == object) {
            qDebug() << "MenuList: generator appended twice" << object;
            return;
        }
    }
    auto *container = new MenuItemContainer(object, this);
    m_entries.append(container);
    attach(container);
    connect(container, &MenuItemContainer::generatedItemAdded, this,
            [this, container](int index, MenuItemBase *item) {
                takeIntoContainer(container, index, item);
                syncCount();
                Q_EMIT itemsChanged();
            });
    connect(container, &MenuItemContainer::generatedItemRemoved, this, &MenuList::removeItem);
    connect(container, &MenuItemContainer::generatorDestroyed, this,
            [this, container] { removeItem(container); });
    for (QObject *child : object->children()) {
        if (auto *item = qobject_cast<MenuItemBase *>(child))
            takeIntoContainer(container, container->count(), item);
    }
    syncCount();
}

void MenuList::release(MenuItemBase *item)
{
    if (MenuList *holder = item->parentMenu())
        holder->removeItem(item);
    if (MenuItemContainer *container = item->container())
        container->removeItem(item);
    for (int i = m_disposed.size() - 1; i >= 0; --i) {
        if (m_disposed.at(i) == item) {
            m_disposed.removeAt(i);
            QCoreApplication::removePostedEvents(item, QEvent::DeferredDelete);
        }
    }
}

void MenuList::attach(MenuItemBase *item)
{
    item->setParentMenu(this);
    connect(item, &QObject::destroyed, this, &MenuList::entryDestroyed, Qt::UniqueConnection);
    if (auto *menuItem = qobject_cast<MenuItem *>(item))
        connect(menuItem, &MenuItem::triggered, this, &MenuList::updateSelectedIndex,
                Qt::UniqueConnection);
}

void MenuList::detach(MenuItemBase *item)
{
    item->setParentMenu(nullptr);
    disconnect(item, nullptr, this, nullptr);
}

void MenuList::takeIntoContainer(MenuItemContainer *container, int index, MenuItemBase *item)
{
    release(item);
    container->insertItem(index, item);
    attach(item);
}

void MenuList::removeContainer(MenuItemContainer *container)
{
    m_entries.removeAt(positionOf(container));
    for (MenuItemBase *item : container->takeAll())
        detach(item);
    detach(container);
    disposeOf(container);
}

void MenuList::disposeOf(MenuItemBase *entry)
{
    if (entry->parent() != this)
        return;
    m_disposed.append(entry);
    entry->deleteLater();
}

void MenuList::entryDestroyed()
{
    // The guarded pointers of the dead entry already read null.
    const int entries = m_entries.size();
    m_entries.removeAll(QPointer<MenuItemBase>());
    m_disposed.removeAll(QPointer<MenuItemBase>());
    if (syncCount() || entries != m_entries.size())
        Q_EMIT itemsChanged();
}

MenuItem *MenuList::addItem(const QString &text)
{
    return insertItem(m_count, text);
}

MenuItem *MenuList::insertItem(int index, const QString &text)
{
    auto *item = new MenuItem(this);
    item->setText(text);
    insertItem(index, item);
    return item;
}

void MenuList::addSeparator()
{
    insertSeparator(m_count);
}

void MenuList::insertSeparator(int index)
{
    insertItem(index, new MenuSeparator(this));
}

void MenuList::insertItem(int index, MenuItemBase *item)
{
    if (!item)
        return;
    release(item);
    item->setParent(this);
    int position = m_entries.size();
    if (index < m_count) {
        int inContainer = 0;
        const int mapped = listPositionForItemIndex(qMax(0, index), &inContainer);
        if (mapped >= 0)
            position = mapped;
    }
    m_entries.insert(position, item);
    attach(item);
    syncCount();
    Q_EMIT itemsChanged();
}

void MenuList::removeItem(MenuItemBase *item)
{
    if (!item)
        return;
    const int position = positionOf(item);
    if (auto *container = qobject_cast<MenuItemContainer *>(item); container && position >= 0) {
        removeContainer(container);
    } else if (position >= 0) {
        m_entries.removeAt(position);
        detach(item);
    } else if (item->container() && positionOf(item->container()) >= 0) {
        item->container()->removeItem(item);
        detach(item);
    } else {
        qDebug() << "MenuList::removeItem: not an entry of this menu" << item;
        return;
    }
    Q_EMIT itemsChanged();
    syncCount();
}

void MenuList::clear()
{
    const QList<QPointer<MenuItemBase>> entries = detachAll();
    for (const QPointer<MenuItemBase> &entry : entries) {
        if (entry)
            disposeOf(entry);
    }
    if (syncCount() || !entries.isEmpty())
        Q_EMIT itemsChanged();
}

int MenuList::positionOf(const MenuItemBase *entry) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i) == entry)
            return i;
    }
    return -1;
}

int MenuList::sizeOf(const MenuItemBase *entry) const
{
    if (!entry)
        return 0;
    const auto *container = qobject_cast<const MenuItemContainer *>(entry);
    return container ? container->count() : 1;
}

int MenuList::listPositionForItemIndex(int index, int *indexInContainer) const
{
    if (index < 0)
        return -1;
    int first = 0;
    for (int position = 0; position < m_entries.size(); ++position) {
        const int size = sizeOf(m_entries.at(position));
        if (index < first + size) {
            *indexInContainer = index - first;
            return position;
        }
        first += size;
    }
    return -1;
}

int MenuList::itemIndexForListPosition(int position) const
{
    int index = 0;
    for (int i = 0; i < position && i < m_entries.size(); ++i)
        index += sizeOf(m_entries.at(i));
    return index;
}

MenuItemBase *MenuList::menuItemAtIndex(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    int inContainer = 0;
    const int position = listPositionForItemIndex(index, &inContainer);
    if (position < 0)
        return nullptr;
    MenuItemBase *entry = m_entries.at(position);
    if (auto *container = qobject_cast<MenuItemContainer *>(entry))
        return container->itemAt(inContainer);
    return entry;
}

int MenuList::indexOfMenuItem(MenuItemBase *item) const
{
    if (!item)
        return -1;
    if (MenuItemContainer *container = item->container()) {
        const int position = positionOf(container);
        const int inContainer = container->indexOf(item);
        return position < 0 || inContainer < 0 ? -1
                                               : itemIndexForListPosition(position) + inContainer;
    }
    const int position = positionOf(item);
    return position < 0 ? -1 : itemIndexForListPosition(position);
}

void MenuList::updateSelectedIndex()
{
    if (auto *item = qobject_cast<MenuItem *>(sender()))
        setSelectedIndex(indexOfMenuItem(item));
}

bool MenuList::syncCount()
{
    int count = 0;
    for (const QPointer<MenuItemBase> &entry : qAsConst(m_entries))
        count += sizeOf(entry);
    if (count == m_count)
        return false;
    m_count = count;
    Q_EMIT countChanged();
    return true;
}
