#include "zebclientinterface.h"

#include "simbus.h"

ZEBClient *ZEBClientInterface::getSessionBusClient(const QString &clientName, QObject *)
{
    return SimBus::instance()->client(clientName);
}
