#pragma once

#include <QMetaMethod>
#include <QObject>
#include <QPointer>
#include <QQmlListProperty>

class CAction;

// Makes a set of checkable objects mutually exclusive: actions, menu items or any object with a
// "checked" property and a change signal. The group does not own its members.
class ExclusiveGroup : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *current READ current WRITE setCurrent NOTIFY currentChanged)
    Q_PROPERTY(QQmlListProperty<CAction> __actions READ actions)
    Q_CLASSINFO("DefaultProperty", "__actions")
public:
    explicit ExclusiveGroup(QObject *parent = nullptr);
    ~ExclusiveGroup() override;

    QObject *current() const;
    void setCurrent(QObject *object);

    // Append-only: appending an action makes this group the action's exclusive group.
    QQmlListProperty<CAction> actions();

public Q_SLOTS:
    void bindCheckable(QObject *object);
    void unbindCheckable(QObject *object);

Q_SIGNALS:
    void currentChanged();

private Q_SLOTS:
    void updateCurrent();

private:
    void currentDestroyed();
    static void appendAction(QQmlListProperty<CAction> *list, CAction *action);

    // Any object may be made current, bound or not; the guard clears itself when it dies.
    QPointer<QObject> m_current;
    QMetaMethod m_updateCurrentMethod;
};
