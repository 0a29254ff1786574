#pragma once

#include <QQmlPropertyMap>

#include <functional>

class QQmlContext;

// A property map whose content is built on first use, so that an engine that never looks at its
// theme maps does not pay for them. QML reaches every property of the map through its
// meta-object, so its first look builds the map before the answer; so does any other use of
// the meta-object and the readers below. A map is never rebuilt or replaced: later changes
// insert into it.
class DeferredPropertyMap : public QQmlPropertyMap
{
    // No Q_OBJECT: the map shows itself to QML as a plain QQmlPropertyMap.
public:
    explicit DeferredPropertyMap(std::function<void()> build);

    // Runs the pending build, once.
    void ensureBuilt() const;
    bool isBuilt() const { return !m_build; }
    // Sets the map as a context property without building it. Publishing, and dropping the
    // context later, look at the object's meta-object without reading the map; only QML's look
    // builds it then (a binding that reads it while it is being published included).
    void publish(QQmlContext *context, const QString &name);

    const QMetaObject *metaObject() const override;

    QVariant value(const QString &key) const;
    QStringList keys() const;
    bool contains(const QString &key) const;
    int count() const;

private:
    mutable std::function<void()> m_build;
    bool m_onlyQmlBuilds = false;
};
