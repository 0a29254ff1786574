#include "menuitem.h"

#include "caction.h"
#include "exclusivegroup.h"

MenuItem::MenuItem(QObject *parent)
    : MenuText(EMenuItemType::Item, parent)
{
    connect(this, &MenuText::__textChanged, this, &MenuItem::textChanged);
    connectAction(internalAction());
}

MenuItem::~MenuItem() = default;

// Unique connections: the internal action is partly wired by MenuText already, and an action
// bound twice must not report each change twice.
void MenuItem::connectAction(CAction *action)
{
    const auto unique = Qt::UniqueConnection;
    connect(action, &CAction::shortcutChanged, this, &MenuItem::updateShortcut, unique);
    connect(action, &CAction::triggered, this, &MenuItem::triggered, unique);
    connect(action, &CAction::toggled, this, &MenuItem::updateChecked, unique);
    connect(action, &CAction::exclusiveGroupChanged, this, &MenuItem::exclusiveGroupChanged,
            unique);
    connect(action, &CAction::enabledChanged, this, &MenuItem::updateEnabled, unique);
    connect(action, &CAction::textChanged, this, &MenuItem::updateText, unique);
    connect(action, &CAction::checkableChanged, this, &MenuItem::checkableChanged, unique);
    connect(action, &CAction::iconNameChanged, this, &MenuItem::updateIcon, unique);
    connect(action, &CAction::iconNameChanged, this, &MenuItem::iconNameChanged, unique);
    connect(action, &CAction::iconSourceChanged, this, &MenuItem::updateIcon, unique);
    connect(action, &CAction::iconSourceChanged, this, &MenuItem::iconSourceChanged, unique);
}

CAction *MenuItem::effectiveAction() const
{
    return m_boundAction ? m_boundAction.data() : internalAction();
}

CAction *MenuItem::fallbackAction() const
{
    return m_boundAction;
}

bool MenuItem::isCheckable() const
{
    return effectiveAction()->isCheckable();
}

void MenuItem::setCheckable(bool checkable)
{
    effectiveAction()->setCheckable(checkable);
}

bool MenuItem::isChecked() const
{
    return effectiveAction()->isChecked();
}

void MenuItem::setChecked(bool checked)
{
    effectiveAction()->setChecked(checked);
}

ExclusiveGroup *MenuItem::exclusiveGroup() const
{
    return effectiveAction()->exclusiveGroup();
}

void MenuItem::setExclusiveGroup(ExclusiveGroup *group)
{
    effectiveAction()->setExclusiveGroup(group);
}

QString MenuItem::shortcut() const
{
    return effectiveAction()->shortcut();
}

void MenuItem::setShortcut(const QString &shortcut)
{
    effectiveAction()->setShortcut(shortcut);
}

CAction *MenuItem::boundAction() const
{
    return m_boundAction;
}

void MenuItem::setBoundAction(CAction *action)
{
    if (m_boundAction == action)
        return;
    if (CAction *old = m_boundAction) {
        detachBoundAction();
        if (old->parent() == this)
            old->deleteLater();
    }
    bindToAction(action);
    Q_EMIT actionChanged();
}

void MenuItem::bindToAction(CAction *action)
{
    if (action == internalAction())
        return;
    detachBoundAction();
    m_boundAction = action;
    m_boundIdentity = action;
    if (action) {
        connectAction(action);
        connect(action, &QObject::destroyed, this, &MenuItem::unbindFromAction,
                Qt::UniqueConnection);
    }
    // Every value may come from another action now, an owned one included.
    emitValueSignals();
}

void MenuItem::detachBoundAction()
{
    if (m_boundAction)
        disconnect(m_boundAction, nullptr, this, nullptr);
    m_boundAction.clear();
    m_boundIdentity = nullptr;
}

void MenuItem::unbindFromAction(QObject *action)
{
    if (!action || action == internalAction())
        return;
    if (action != m_boundIdentity) {
        disconnect(action, nullptr, this, nullptr);
        return;
    }
    // A dying action is disconnected by Qt; a living one here.
    detachBoundAction();
    emitValueSignals();
    Q_EMIT actionChanged();
}

void MenuItem::emitValueSignals()
{
    Q_EMIT textChanged();
    Q_EMIT enabledChanged();
    Q_EMIT shortcutChanged();
    Q_EMIT __iconChanged();
    Q_EMIT iconNameChanged();
    Q_EMIT iconSourceChanged();
    Q_EMIT checkableChanged();
    Q_EMIT toggled(isChecked());
    Q_EMIT exclusiveGroupChanged();
}

void MenuItem::trigger()
{
    effectiveAction()->trigger();
}

void MenuItem::updateShortcut()
{
    Q_EMIT shortcutChanged();
}

void MenuItem::updateChecked()
{
    Q_EMIT toggled(isChecked());
}
