#pragma once

#include <QHash>
#include <QObject>

class ZEBClientItem;

// A client of the instrument's session bus. Clients are owned by the framework and reused.
class ZEBClient : public QObject
{
    Q_OBJECT
public:
    explicit ZEBClient(const QString &clientName, QObject *parent = nullptr);
    ~ZEBClient() override;

    // The item, or null when the bus holds no item of that identifier. The client owns it.
    virtual ZEBClientItem *getItem(const QString &itemId);

private:
    QHash<QString, ZEBClientItem *> m_items;
};
