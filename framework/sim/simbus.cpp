#include "simbus.h"

SimBus *SimBus::instance()
{
    // Lives for the process, like the real bus connection.
    static SimBus *bus = new SimBus;
    return bus;
}

SimBus::SimBus()
{
    ZebBusBackend::install(this);
}

SimBus::~SimBus() = default;

bool SimBus::available() const
{
    return m_available;
}

void SimBus::setAvailable(bool available)
{
    if (m_available == available)
        return;
    m_available = available;
    Q_EMIT availableChanged();
}

int SimBus::count() const
{
    return m_items.size();
}

void SimBus::setItem(const QString &itemId, const QVariant &value)
{
    auto it = m_items.find(itemId);
    if (it != m_items.end()) {
        if (it.value() == value && it.value().type() == value.type())
            return;
        it.value() = value;
    } else {
        m_items.insert(itemId, value);
        Q_EMIT itemsChanged();
    }
    Q_EMIT itemChanged(itemId);
}

void SimBus::removeItem(const QString &itemId)
{
    if (m_items.remove(itemId) == 0)
        return;
    Q_EMIT itemsChanged();
    Q_EMIT itemChanged(itemId);
}

void SimBus::clear()
{
    if (m_items.isEmpty())
        return;
    const QStringList ids = m_items.keys();
    m_items.clear();
    Q_EMIT itemsChanged();
    for (const QString &id : ids)
        Q_EMIT itemChanged(id);
}

QVariant SimBus::item(const QString &itemId) const
{
    return m_items.value(itemId);
}

bool SimBus::contains(const QString &itemId) const
{
    return m_items.contains(itemId);
}
