#include "menuitemcontainer.h"

#include <utility>

MenuItemContainer::MenuItemContainer(QObject *generator, QObject *parent)
    : MenuItemBase(EMenuItemType::Item, parent)
    , m_generator(generator)
{
    if (!generator)
        return;
    connect(generator, &QObject::destroyed, this, &MenuItemContainer::generatorDestroyed);
    const QMetaObject *meta = generator->metaObject();
    if (meta->indexOfSignal("objectAdded(int,QObject*)") >= 0)
        connect(generator, SIGNAL(objectAdded(int, QObject *)), this,
                SLOT(generatorObjectAdded(int, QObject *)));
    if (meta->indexOfSignal("objectRemoved(int,QObject*)") >= 0)
        connect(generator, SIGNAL(objectRemoved(int, QObject *)), this,
                SLOT(generatorObjectRemoved(int, QObject *)));
}

MenuItemContainer::~MenuItemContainer()
{
    takeAll();
}

QObject *MenuItemContainer::generator() const
{
    return m_generator;
}

void MenuItemContainer::purge() const
{
    m_items.removeAll(QPointer<MenuItemBase>());
}

QList<MenuItemBase *> MenuItemContainer::items() const
{
    purge();
    QList<MenuItemBase *> result;
    result.reserve(m_items.size());
    for (const QPointer<MenuItemBase> &item : qAsConst(m_items))
        result.append(item);
    return result;
}

int MenuItemContainer::count() const
{
    purge();
    return m_items.size();
}

MenuItemBase *MenuItemContainer::itemAt(int index) const
{
    purge();
    return index >= 0 && index < m_items.size() ? m_items.at(index).data() : nullptr;
}

int MenuItemContainer::indexOf(const MenuItemBase *item) const
{
    purge();
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i) == item)
            return i;
    }
    return -1;
}

void MenuItemContainer::insertItem(int index, MenuItemBase *item)
{
    if (!item || indexOf(item) >= 0)
        return;
    m_items.insert(qBound(0, index, m_items.size()), item);
    item->setContainer(this);
}

bool MenuItemContainer::removeItem(MenuItemBase *item)
{
    const int index = indexOf(item);
    if (index < 0)
        return false;
    m_items.removeAt(index);
    item->setContainer(nullptr);
    return true;
}

QList<MenuItemBase *> MenuItemContainer::takeAll()
{
    if (m_generator)
        disconnect(m_generator, nullptr, this, nullptr);
    const QList<MenuItemBase *> taken = items();
    m_items.clear();
    for (MenuItemBase *item : taken) {
        if (item->container() == this)
            item->setContainer(nullptr);
    }
    return taken;
}

void MenuItemContainer::generatorObjectAdded(int index, QObject *object)
{
    if (auto *item = qobject_cast<MenuItemBase *>(object))
        Q_EMIT generatedItemAdded(index, item);
}

void MenuItemContainer::generatorObjectRemoved(int, QObject *object)
{
    if (auto *item = qobject_cast<MenuItemBase *>(object))
        Q_EMIT generatedItemRemoved(item);
}
