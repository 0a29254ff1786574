#include "deferredpropertymap.h"

#include <QQmlContext>
#include <private/qobject_p.h>

DeferredPropertyMap::DeferredPropertyMap(std::function<void()> build)
    : m_build(std::move(build))
{
}

void DeferredPropertyMap::ensureBuilt() const
{
    if (!m_build)
        return;
    // Cleared first: the build inserts into this map and may be asked again meanwhile.
    const std::function<void()> build = std::move(m_build);
    m_build = nullptr;
    build();
}

void DeferredPropertyMap::publish(QQmlContext *context, const QString &name)
{
    m_onlyQmlBuilds = true;
    context->setContextProperty(name, this);
    m_onlyQmlBuilds = false;
    connect(context, &QObject::destroyed, this, [this] { m_onlyQmlBuilds = true; });
}

const QMetaObject *DeferredPropertyMap::metaObject() const
{
    // QML wraps an object, which gives it declarative data, before it reads a property.
    if (!m_onlyQmlBuilds || QObjectPrivate::get(this)->declarativeData)
        ensureBuilt();
    return QQmlPropertyMap::metaObject();
}

QVariant DeferredPropertyMap::value(const QString &key) const
{
    ensureBuilt();
    return QQmlPropertyMap::value(key);
}

QStringList DeferredPropertyMap::keys() const
{
    ensureBuilt();
    return QQmlPropertyMap::keys();
}

bool DeferredPropertyMap::contains(const QString &key) const
{
    ensureBuilt();
    return QQmlPropertyMap::contains(key);
}

int DeferredPropertyMap::count() const
{
    ensureBuilt();
    return QQmlPropertyMap::count();
}
