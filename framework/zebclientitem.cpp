#include "zebclientitem.h"

#include "zebbusbackend.h"

ZEBClientItem::ZEBClientItem(const QString &itemId, QObject *parent)
    : QObject(parent)
    , m_itemId(itemId)
{
}

ZEBClientItem::~ZEBClientItem() = default;

QVariant ZEBClientItem::getValue() const
{
    // Read live, so a page always sees the value the bus holds now.
    const ZebBusBackend *backend = ZebBusBackend::current();
    return backend ? backend->item(m_itemId) : QVariant();
}
