#pragma once

#include <QObject>
#include <QVariant>

// One configuration item read over the session bus.
class ZEBClientItem : public QObject
{
    Q_OBJECT
public:
    explicit ZEBClientItem(const QString &itemId, QObject *parent = nullptr);
    ~ZEBClientItem() override;

    virtual QVariant getValue() const;

private:
    QString m_itemId;
};
