#pragma once

#include <QString>

class QObject;
class ZEBClient;

class ZEBClientInterface
{
public:
    // A client of the session bus, or null when the bus is not available. The framework owns
    // the client and hands out the same one for the same name; `parent` is not used.
    static ZEBClient *getSessionBusClient(const QString &clientName, QObject *parent = nullptr);
};
