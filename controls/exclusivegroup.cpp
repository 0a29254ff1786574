#include "exclusivegroup.h"

#include "caction.h"

#include <QVariant>
#include <QtDebug>

namespace {

// How a checkable object announces a change, tried in this order.
const char *const checkableSignals[]
    = { "checkedChanged()", "toggled(bool)", "toggled()", nullptr };

QMetaMethod changeSignalOf(const QObject *object, const char *signature)
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfSignal(signature);
    return index < 0 ? QMetaMethod() : meta->method(index);
}

} // namespace

ExclusiveGroup::ExclusiveGroup(QObject *parent)
    : QObject(parent)
{
    const int index = metaObject()->indexOfSlot("updateCurrent()");
    m_updateCurrentMethod = metaObject()->method(index);
}

ExclusiveGroup::~ExclusiveGroup() = default;

QObject *ExclusiveGroup::current() const
{
    return m_current;
}

void ExclusiveGroup::setCurrent(QObject *object)
{
    if (m_current == object)
        return;
    if (m_current) {
        disconnect(m_current, &QObject::destroyed, this, &ExclusiveGroup::currentDestroyed);
        m_current->setProperty("checked", false);
    }
    m_current = object;
    if (m_current) {
        connect(m_current, &QObject::destroyed, this, &ExclusiveGroup::currentDestroyed,
                Qt::UniqueConnection);
        m_current->setProperty("checked", true);
    }
    Q_EMIT currentChanged();
}

void ExclusiveGroup::currentDestroyed()
{
    // The guard already reads null (it is cleared before destroyed() is emitted); only the
    // bindings on `current` still need to learn of it.
    Q_EMIT currentChanged();
}

QQmlListProperty<CAction> ExclusiveGroup::actions()
{
    return QQmlListProperty<CAction>(this, nullptr, &ExclusiveGroup::appendAction, nullptr, nullptr,
                                     nullptr);
}

void ExclusiveGroup::appendAction(QQmlListProperty<CAction> *list, CAction *action)
{
    if (action)
        action->setExclusiveGroup(static_cast<ExclusiveGroup *>(list->object));
}

void ExclusiveGroup::bindCheckable(QObject *object)
{
    if (!object)
        return;
    for (const char *const *signature = checkableSignals; *signature; ++signature) {
        const QMetaMethod signal = changeSignalOf(object, *signature);
        if (!signal.isValid())
            continue;
        connect(object, signal, this, m_updateCurrentMethod, Qt::UniqueConnection);
        connect(object, &QObject::destroyed, this, &ExclusiveGroup::unbindCheckable,
                Qt::UniqueConnection);
        if (!m_current && object->property("checked").toBool())
            setCurrent(object);
        return;
    }
    qWarning() << "ExclusiveGroup::bindCheckable(): Cannot bind to" << object;
}

void ExclusiveGroup::unbindCheckable(QObject *object)
{
    if (!object)
        return;
    // A destroyed current object is no longer current here: the guard cleared itself.
    if (m_current == object)
        setCurrent(nullptr);
    for (const char *const *signature = checkableSignals; *signature; ++signature) {
        const QMetaMethod signal = changeSignalOf(object, *signature);
        if (signal.isValid() && disconnect(object, signal, this, m_updateCurrentMethod)) {
            disconnect(object, &QObject::destroyed, this, &ExclusiveGroup::unbindCheckable);
            return;
        }
    }
}

void ExclusiveGroup::updateCurrent()
{
    QObject *checkable = sender();
    if (!checkable)
        return;
    const QVariant checked = checkable->property("checked");
    if (checked.isValid() && checked.toBool())
        setCurrent(checkable);
}
