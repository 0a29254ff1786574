#include "caction.h"
#include "menuitem.h"
#include "menuitemcontainer.h"
#include "menulist.h"
#include "menuseparator.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

void append(MenuList &menu, QObject *object)
{
    QQmlListProperty<QObject> items = menu.items();
    items.append(&items, object);
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A generator with `count` menu items as children.
QObject *generator(int count, QObject *parent)
{
    auto *object = new QObject(parent);
    for (int i = 0; i < count; ++i)
        new MenuItem(object);
    return object;
}

MenuItemBase *generated(QObject *generator, int i)
{
    return qobject_cast<MenuItemBase *>(generator->children().at(i));
}

} // namespace

class TestMenuList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void indexMappingOverContainers();
    void insertClampsAndRemoveChecksMembership();
    void deletedEntriesLeaveTheMenu();
    void ownEntriesAreDeletedForeignOnesLetGo_data();
    void ownEntriesAreDeletedForeignOnesLetGo();

    void internalChangesEmittedOnce();
    void boundActionRules();
    void dyingBoundActionFallsBack();
    void ownedActionReplacedInItsOwnTrigger();
};

void TestMenuList::indexMappingOverContainers()
{
    // [A, G1 (3 items), B, G2 (2 items)]
    MenuList menu;
    QObject owner;
    auto *a = new MenuItem(&owner);
    QObject *g1 = generator(3, &owner);
    auto *b = new MenuSeparator(&owner);
    QObject *g2 = generator(2, &owner);
    QSignalSpy countChanged(&menu, &MenuList::countChanged);
    for (QObject *object : { static_cast<QObject *>(a), g1, static_cast<QObject *>(b), g2 })
        append(menu, object);

    QCOMPARE(menu.count(), 7);
    QCOMPARE(countChanged.count(), 4);
    const QList<QObject *> expected = { a, generated(g1, 0), generated(g1, 1), generated(g1, 2),
                                        b, generated(g2, 0), generated(g2, 1) };
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(menu.menuItemAtIndex(i), expected.at(i));
        QCOMPARE(menu.indexOfMenuItem(menu.menuItemAtIndex(i)), i);
        QCOMPARE(menu.menuItemAtIndex(i)->parentMenu(), &menu);
    }
    QCOMPARE(menu.menuItemAtIndex(-1), nullptr);
    QCOMPARE(menu.menuItemAtIndex(7), nullptr);
}

void TestMenuList::insertClampsAndRemoveChecksMembership()
{
    MenuList menu;
    QObject owner;
    QObject *g = generator(3, &owner);
    append(menu, g);
    MenuItem *first = menu.insertItem(-5, QStringLiteral("first"));
    MenuItem *last = menu.insertItem(100, QStringLiteral("last"));
    QCOMPARE(menu.count(), 5);
    QCOMPARE(menu.indexOfMenuItem(first), 0);
    QCOMPARE(menu.indexOfMenuItem(last), 4);
    QCOMPARE(first->parent(), &menu);

    // Not held: nothing changes.
    MenuItem stranger;
    QSignalSpy countChanged(&menu, &MenuList::countChanged);
    QSignalSpy itemsChanged(&menu, &MenuList::itemsChanged);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^MenuList::removeItem: not an entry"));
    menu.removeItem(&stranger);
    QCOMPARE(menu.count(), 5);
    QCOMPARE(countChanged.count() + itemsChanged.count(), 0);

    // A container takes all its items along.
    menu.removeItem(generated(g, 1)->container());
    QCOMPARE(menu.count(), 2);
    QCOMPARE(menu.indexOfMenuItem(last), 1);
    QCOMPARE(generated(g, 1)->container(), nullptr);
    QCOMPARE(generated(g, 1)->parentMenu(), nullptr);

    // An item held twice is moved, not doubled.
    menu.insertItem(0, last);
    QCOMPARE(menu.count(), 2);
    QCOMPARE(menu.indexOfMenuItem(last), 0);
}

void TestMenuList::deletedEntriesLeaveTheMenu()
{
    MenuList menu;
    QObject owner;
    auto *a = new MenuItem(&owner);
    QObject *g = generator(3, &owner);
    auto *b = new MenuItem(&owner);
    for (QObject *object : { static_cast<QObject *>(a), g, static_cast<QObject *>(b) })
        append(menu, object);
    QSignalSpy countChanged(&menu, &MenuList::countChanged);

    delete a;
    QCOMPARE(menu.count(), 4);
    QCOMPARE(menu.indexOfMenuItem(b), 3);
    delete g->children().at(0);
    QCOMPARE(menu.count(), 3);
    // The generator and its items go; the container goes with them.
    delete g;
    QCOMPARE(menu.count(), 1);
    QCOMPARE(menu.menuItemAtIndex(0), b);
    QCOMPARE(countChanged.count(), 3);
}

void TestMenuList::ownEntriesAreDeletedForeignOnesLetGo_data()
{
    QTest::addColumn<bool>("destroyMenu");
    QTest::newRow("clear") << false;
    QTest::newRow("menu destroyed") << true;
}

void TestMenuList::ownEntriesAreDeletedForeignOnesLetGo()
{
    QFETCH(bool, destroyMenu);
    QObject owner;
    auto menu = std::make_unique<MenuList>();
    QPointer<MenuItem> own = menu->addItem(QStringLiteral("own"));
    menu->addSeparator();
    QPointer<MenuItem> foreign = new MenuItem(&owner);
    append(*menu, foreign);
    QObject *g = generator(2, &owner);
    append(*menu, g);
    QCOMPARE(menu->count(), 5);

    if (destroyMenu) {
        menu.reset();
    } else {
        // Later, not at once: clear() may run inside an entry's own signal.
        menu->clear();
        QCOMPARE(menu->count(), 0);
        QVERIFY(own);
        QCOMPARE(own->parentMenu(), nullptr);
        flushDeferredDeletes();
    }
    QVERIFY(!own);
    QVERIFY(foreign);
    QCOMPARE(foreign->parentMenu(), nullptr);
    QCOMPARE(generated(g, 1)->container(), nullptr);
    QCOMPARE(generated(g, 1)->parentMenu(), nullptr);
}

void TestMenuList::internalChangesEmittedOnce()
{
    MenuItem item;
    QSignalSpy text(&item, &MenuItem::textChanged);
    QSignalSpy enabled(&item, &MenuItem::enabledChanged);
    QSignalSpy iconName(&item, &MenuItem::iconNameChanged);
    QSignalSpy icon(&item, &MenuItem::__iconChanged);
    QSignalSpy shortcut(&item, &MenuItem::shortcutChanged);
    item.setText(QStringLiteral("&Open"));
    item.setEnabled(false);
    item.setIconName(QStringLiteral("document-open"));
    item.setShortcut(QStringLiteral("Ctrl+O"));
    QCOMPARE(QList<int>({ text.count(), enabled.count(), iconName.count(), icon.count(),
                          shortcut.count() }),
             QList<int>({ 1, 1, 1, 1, 1 }));

    // The same holds for a bound action.
    CAction action;
    item.setBoundAction(&action);
    text.clear();
    enabled.clear();
    action.setText(QStringLiteral("Save"));
    action.setEnabled(false);
    QCOMPARE(QList<int>({ text.count(), enabled.count() }), QList<int>({ 1, 1 }));
}

void TestMenuList::boundActionRules()
{
    MenuItem item;
    QSignalSpy actionChanged(&item, &MenuItem::actionChanged);
    item.setBoundAction(nullptr);
    QCOMPARE(actionChanged.count(), 0);

    CAction action;
    action.setText(QStringLiteral("Hold"));
    action.setCheckable(true);
    action.setChecked(true);
    action.setShortcut(QStringLiteral("Ctrl+H"));
    QSignalSpy toggled(&item, &MenuItem::toggled);
    item.setBoundAction(&action);
    QCOMPARE(actionChanged.count(), 1);
    QCOMPARE(item.text(), QStringLiteral("Hold"));
    QVERIFY(item.isChecked());
    QCOMPARE(item.shortcut(), action.shortcut());
    QCOMPARE(toggled.count(), 1);

    // Writes and triggers go to the bound action; its trigger reaches the item once.
    QSignalSpy triggered(&item, &MenuItem::triggered);
    QSignalSpy actionTriggered(&action, &CAction::triggered);
    item.trigger();
    QCOMPARE(actionTriggered.count(), 1);
    QCOMPARE(triggered.count(), 1);
    QVERIFY(!action.isChecked());
    item.setEnabled(false);
    QVERIFY(!action.isEnabled());

    // Own text wins over the action's.
    item.setText(QStringLiteral("Pause"));
    QCOMPARE(item.text(), QStringLiteral("Pause"));
    item.setText(QString());

    // Unbinding falls back to the internal action.
    item.setBoundAction(nullptr);
    QCOMPARE(actionChanged.count(), 2);
    QCOMPARE(item.boundAction(), nullptr);
    QCOMPARE(item.text(), QString());
    QVERIFY(item.isEnabled());
    action.trigger();
    QCOMPARE(triggered.count(), 1);
}

void TestMenuList::dyingBoundActionFallsBack()
{
    MenuItem item;
    auto *action = new CAction;
    action->setText(QStringLiteral("Zoom"));
    action->setEnabled(false);
    item.setBoundAction(action);
    QSignalSpy actionChanged(&item, &MenuItem::actionChanged);
    QSignalSpy text(&item, &MenuItem::textChanged);
    QSignalSpy enabled(&item, &MenuItem::enabledChanged);
    delete action;
    QCOMPARE(QList<int>({ actionChanged.count(), text.count(), enabled.count() }),
             QList<int>({ 1, 1, 1 }));
    QCOMPARE(item.boundAction(), nullptr);
    QCOMPARE(item.text(), QString());
    QVERIFY(item.isEnabled());
    item.trigger();
}

void TestMenuList::ownedActionReplacedInItsOwnTrigger()
{
    MenuItem item;
    QPointer<CAction> owned = new CAction(&item);
    CAction replacement;
    item.setBoundAction(owned);
    connect(owned, &CAction::triggered, &item, [&] { item.setBoundAction(&replacement); });
    QSignalSpy triggered(&item, &MenuItem::triggered);
    item.trigger();
    QCOMPARE(item.boundAction(), &replacement);
    QVERIFY(owned);
    flushDeferredDeletes();
    QVERIFY(!owned);
    item.trigger();
    QCOMPARE(triggered.count(), 2);
}

QTEST_MAIN(TestMenuList)
#include "tst_menulist.moc"
