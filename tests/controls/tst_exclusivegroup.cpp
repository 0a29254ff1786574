#include "caction.h"
#include "exclusivegroup.h"

#include <QSignalSpy>
#include <QtTest>

// A checkable object that is not an action, announcing changes with checkedChanged().
class Checkable : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool checked READ checked WRITE setChecked NOTIFY checkedChanged)
public:
    bool checked() const { return m_checked; }
    void setChecked(bool checked)
    {
        if (m_checked == checked)
            return;
        m_checked = checked;
        Q_EMIT checkedChanged();
    }
Q_SIGNALS:
    void checkedChanged();

private:
    bool m_checked = false;
};

// Announces changes with a parameterless toggled(), the last signature the group tries.
class Toggle : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool checked MEMBER m_checked NOTIFY toggled)
Q_SIGNALS:
    void toggled();

private:
    bool m_checked = false;
};

class TestExclusiveGroup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkingAMemberMakesItCurrent();
    void bindingACheckedObjectMakesItCurrent();
    void objectWithoutChangeSignalIsRefused();
    void destroyingCurrentClearsIt();
    void unbindDisconnects();
    void actionsChangeGroup();
};

void TestExclusiveGroup::checkingAMemberMakesItCurrent()
{
    ExclusiveGroup group;
    Checkable a, b;
    Toggle c;
    group.bindCheckable(&a);
    group.bindCheckable(&b);
    group.bindCheckable(&c);
    QSignalSpy current(&group, &ExclusiveGroup::currentChanged);

    a.setChecked(true);
    QCOMPARE(group.current(), &a);
    b.setChecked(true);
    QVERIFY(group.current() == &b && !a.checked());
    c.setProperty("checked", true);
    Q_EMIT c.toggled();
    QVERIFY(group.current() == &c && !b.checked());
    QCOMPARE(current.count(), 3);

    // Setting current from outside checks and unchecks, and emits only on a change.
    group.setCurrent(&a);
    group.setCurrent(&a);
    QVERIFY(a.checked() && !c.property("checked").toBool());
    group.setCurrent(nullptr);
    QVERIFY(!a.checked());
    QCOMPARE(current.count(), 5);
}

void TestExclusiveGroup::bindingACheckedObjectMakesItCurrent()
{
    ExclusiveGroup group;
    Checkable a, b;
    a.setChecked(true);
    b.setChecked(true);
    group.bindCheckable(&a);
    QCOMPARE(group.current(), &a);
    // A group that has a current member keeps it when another checked object joins.
    group.bindCheckable(&b);
    QCOMPARE(group.current(), &a);
    // An object that becomes unchecked stays current.
    a.setChecked(false);
    QCOMPARE(group.current(), &a);
}

void TestExclusiveGroup::objectWithoutChangeSignalIsRefused()
{
    ExclusiveGroup group;
    QObject plain;
    plain.setObjectName(QStringLiteral("plain"));
    plain.setProperty("checked", true);
    QSignalSpy current(&group, &ExclusiveGroup::currentChanged);
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(QStringLiteral("^ExclusiveGroup::bindCheckable\\(\\): Cannot bind to "
                                          "QObject\\(0x[0-9a-f]+, name = \"plain\"\\)$")));
    group.bindCheckable(&plain);
    QCOMPARE(group.current(), nullptr);
    QCOMPARE(current.count(), 0);
}

void TestExclusiveGroup::destroyingCurrentClearsIt()
{
    ExclusiveGroup group;
    auto *a = new Checkable;
    Checkable b;
    group.bindCheckable(a);
    group.bindCheckable(&b);
    a->setChecked(true);
    QSignalSpy current(&group, &ExclusiveGroup::currentChanged);
    delete a;
    QVERIFY(!group.current() && current.count() == 1);
    b.setChecked(true);
    QCOMPARE(group.current(), &b);

    // The same for an action, which leaves its group itself.
    auto *action = new CAction;
    action->setCheckable(true);
    action->setExclusiveGroup(&group);
    action->trigger();
    QCOMPARE(group.current(), action);
    // A dying action sends nothing: QML handlers would run on a half-destroyed object.
    QSignalSpy toggled(action, &CAction::toggled);
    delete action;
    QVERIFY(!group.current() && toggled.isEmpty());

    // Also an object that was made current without ever being bound.
    auto *loose = new Checkable;
    group.setCurrent(loose);
    current.clear();
    delete loose;
    QVERIFY(!group.current() && current.count() == 1);
    group.setCurrent(&b); // must not uncheck the dead object
    QVERIFY(b.checked());
}

void TestExclusiveGroup::unbindDisconnects()
{
    ExclusiveGroup group;
    Checkable a;
    group.bindCheckable(&a);
    a.setChecked(true);
    group.unbindCheckable(&a);
    QVERIFY(!group.current() && !a.checked());
    a.setChecked(true);
    QCOMPARE(group.current(), nullptr);

    // Binding twice connects once: one unbind is enough.
    group.bindCheckable(&a);
    group.bindCheckable(&a);
    group.unbindCheckable(&a);
    a.setChecked(false);
    a.setChecked(true);
    QCOMPARE(group.current(), nullptr);
}

void TestExclusiveGroup::actionsChangeGroup()
{
    ExclusiveGroup first, second;
    CAction action;
    action.setCheckable(true);
    QSignalSpy changed(&action, &CAction::exclusiveGroupChanged);
    action.setExclusiveGroup(&first);
    action.trigger();
    action.setExclusiveGroup(&second);
    QCOMPARE(changed.count(), 2);
    // Leaving the group cleared its current member and unchecked the action.
    QVERIFY(!first.current() && !action.isChecked());

    {
        ExclusiveGroup doomed;
        action.setExclusiveGroup(&doomed);
    }
    QCOMPARE(action.exclusiveGroup(), nullptr);
}

QTEST_MAIN(TestExclusiveGroup)
#include "tst_exclusivegroup.moc"
