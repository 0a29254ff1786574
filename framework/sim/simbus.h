#pragma once

#include <QHash>
#include <QObject>
#include <QVariant>

#include "zebbusbackend.h"

// The simulated session bus: holds the configuration items that session-bus clients read. It
// installs itself as the framework's bus backend when first used. Published to QML as the
// singleton "SimBus" of the module "common.sim".
class SimBus : public QObject, public ZebBusBackend
{
    Q_OBJECT
    Q_PROPERTY(bool available READ available WRITE setAvailable NOTIFY availableChanged)
    Q_PROPERTY(int count READ count NOTIFY itemsChanged)
public:
    static SimBus *instance();

    bool available() const override;
    void setAvailable(bool available);
    int count() const;

    Q_INVOKABLE void setItem(const QString &itemId, const QVariant &value);
    Q_INVOKABLE void removeItem(const QString &itemId);
    Q_INVOKABLE void clear();
    Q_INVOKABLE QVariant item(const QString &itemId) const override;
    Q_INVOKABLE bool contains(const QString &itemId) const override;

Q_SIGNALS:
    void availableChanged();
    void itemsChanged();
    void itemChanged(const QString &itemId);

private:
    SimBus();
    ~SimBus() override;

    bool m_available = true;
    QHash<QString, QVariant> m_items;
};
