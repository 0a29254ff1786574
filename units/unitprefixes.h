#pragma once

#include <QObject>
#include <QString>

class ZEBClient;

// Which SI prefixes a numeric entry offers for a configuration item of the instrument: fixed
// sets per item, and for the power limits whose unit the user switches, the set that the unit
// currently selected on the instrument allows. Multiples come as a subset of "kMG" (ascending),
// submultiples as a subset of "munp" (descending); "" allows none of that kind.
class UnitPrefixes : public QObject
{
    Q_OBJECT
public:
    explicit UnitPrefixes(QObject *parent = nullptr);
    ~UnitPrefixes() override;

    Q_INVOKABLE QString getMultiplePrefixes(const QString &zebItemId) const;
    Q_INVOKABLE QString getAllMultiplePrefixes() const;
    Q_INVOKABLE QString getSubmultiplePrefixes(const QString &zebItemId) const;
    Q_INVOKABLE QString getAllSubmultiplePrefixes() const;

    // True when `itemId` is a power limit whose unit item currently reads `unit`.
    bool checkIsPowerDataByUnit(const QString &itemId, const QString &unit) const;
    // The string form of the item's value; empty without a client or without such an item.
    QString getZebItemValue(const QString &itemId, ZEBClient *client) const;
};
