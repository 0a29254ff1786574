#pragma once

#include <QHash>
#include <QObject>
#include <QVariant>

class ZEBClient;

// The simulated session bus: holds the configuration items that session-bus clients read.
// Published to QML as the singleton "SimBus" of the module "common.sim".
class SimBus : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool available READ available WRITE setAvailable NOTIFY availableChanged)
    Q_PROPERTY(int count READ count NOTIFY itemsChanged)
public:
    static SimBus *instance();

    bool available() const;
    void setAvailable(bool available);
    int count() const;

    Q_INVOKABLE void setItem(const QString &itemId, const QVariant &value);
    Q_INVOKABLE void removeItem(const QString &itemId);
    Q_INVOKABLE void clear();
    Q_INVOKABLE QVariant item(const QString &itemId) const;
    Q_INVOKABLE bool contains(const QString &itemId) const;

    // The reused client of that name, or null while the bus is not available.
    ZEBClient *client(const QString &clientName);

Q_SIGNALS:
    void availableChanged();
    void itemsChanged();
    void itemChanged(const QString &itemId);

private:
    SimBus();
    ~SimBus() override;

    bool m_available = true;
    QHash<QString, QVariant> m_items;
    QHash<QString, ZEBClient *> m_clients;
};
