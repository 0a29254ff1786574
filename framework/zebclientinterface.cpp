#include "zebclientinterface.h"

#include "zebbusbackend.h"
#include "zebclient.h"

#include <QHash>

namespace {

// The clients live for the process, like the connections of the real bus, and go with it.
struct ClientRegistry
{
    ~ClientRegistry() { qDeleteAll(clients); }
    QHash<QString, ZEBClient *> clients;
};

} // namespace

ZEBClient *ZEBClientInterface::getSessionBusClient(const QString &clientName, QObject *)
{
    const ZebBusBackend *backend = ZebBusBackend::current();
    if (!backend || !backend->available())
        return nullptr;
    static ClientRegistry registry;
    ZEBClient *&client = registry.clients[clientName];
    if (!client)
        client = new ZEBClient(clientName);
    return client;
}
