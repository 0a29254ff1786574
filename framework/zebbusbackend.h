#pragma once

#include <QString>
#include <QVariant>

// Where the session-bus stand-in reads its configuration items. On the instrument the platform
// libraries talk to the real bus; on a desktop a backend such as the simulator of the module
// "common.sim" installs itself here. Without a backend the bus is unavailable.
class ZebBusBackend
{
public:
    virtual ~ZebBusBackend();

    virtual bool available() const = 0;
    virtual bool contains(const QString &itemId) const = 0;
    virtual QVariant item(const QString &itemId) const = 0;

    // The backend in use, or null. The framework does not own it; a backend uninstalls itself
    // (install(nullptr)) before it goes away.
    static ZebBusBackend *current();
    static void install(ZebBusBackend *backend);
};
