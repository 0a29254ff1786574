#include "zebclientinterface.h"

#include "zebbusbackend.h"
#include "zebclient.h"

#include <QHash>

ZEBClient *ZEBClientInterface::getSessionBusClient(const QString &clientName, QObject *)
{
    const ZebBusBackend *backend = ZebBusBackend::current();
    if (!backend || !backend->available())
        return nullptr;
    // Clients live for the process, like the connections of the real bus.
    static QHash<QString, ZEBClient *> clients;
    ZEBClient *&client = clients[clientName];
    if (!client)
        client = new ZEBClient(clientName);
    return client;
}
