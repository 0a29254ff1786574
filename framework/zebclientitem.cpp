#include "zebclientitem.h"

#include "simbus.h"

ZEBClientItem::ZEBClientItem(const QString &itemId, QObject *parent)
    : QObject(parent)
    , m_itemId(itemId)
{
}

ZEBClientItem::~ZEBClientItem() = default;

QVariant ZEBClientItem::getValue() const
{
    // Read live, so a page always sees the value the bus holds now.
    return SimBus::instance()->item(m_itemId);
}
