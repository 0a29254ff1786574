#include "zebclient.h"

#include "zebbusbackend.h"
#include "zebclientitem.h"

ZEBClient::ZEBClient(const QString &clientName, QObject *parent)
    : QObject(parent)
{
    setObjectName(clientName);
}

ZEBClient::~ZEBClient() = default;

ZEBClientItem *ZEBClient::getItem(const QString &itemId)
{
    const ZebBusBackend *backend = ZebBusBackend::current();
    if (!backend || !backend->contains(itemId))
        return nullptr;
    ZEBClientItem *&item = m_items[itemId];
    if (!item)
        item = new ZEBClientItem(itemId, this);
    return item;
}
