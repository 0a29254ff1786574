#pragma once

#include "menuitembase.h"

#include <QList>
#include <QPointer>

// Stands in a menu for the entries that a generator object (an Instantiator, or any object with
// menu entries as children) produces. It relays a generator that announces its objects with
// objectAdded(int,QObject*) and objectRemoved(int,QObject*); the menu decides what to take.
class MenuItemContainer : public MenuItemBase
{
    Q_OBJECT
public:
    MenuItemContainer(QObject *generator, QObject *parent);
    ~MenuItemContainer() override;

    QObject *generator() const;

    // The living entries, in order.
    QList<MenuItemBase *> items() const;
    int count() const;
    MenuItemBase *itemAt(int index) const;
    int indexOf(const MenuItemBase *item) const;

    // Takes an entry in (sets its container reference) or out (clears it).
    void insertItem(int index, MenuItemBase *item);
    bool removeItem(MenuItemBase *item);
    // Forgets every entry, clearing their container references, and stops relaying the generator.
    QList<MenuItemBase *> takeAll();

Q_SIGNALS:
    void generatedItemAdded(int index, MenuItemBase *item);
    void generatedItemRemoved(MenuItemBase *item);
    void generatorDestroyed();

private Q_SLOTS:
    void generatorObjectAdded(int index, QObject *object);
    void generatorObjectRemoved(int index, QObject *object);

private:
    void purge() const;

    QPointer<QObject> m_generator;
    mutable QList<QPointer<MenuItemBase>> m_items;
};
