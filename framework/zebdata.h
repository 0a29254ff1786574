#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

class BaseFormatter;

// One live data item of the instrument: a measurement or a setting. The base class holds no
// state of its own and answers neutral values; concrete data objects override the operations.
class ZebData : public QObject
{
    Q_OBJECT
public:
    explicit ZebData(QObject *parent = nullptr);
    ~ZebData() override;

    virtual QString id() const;
    virtual QString name() const;
    virtual QString type() const;
    virtual QString label() const;
    virtual QVariant value() const;
    virtual QString valueString(bool withUnit) const;
    virtual void setValue(const QVariant &value);
    virtual int isReady() const;
    virtual int qualityCode() const;
    virtual bool applicable() const;
    virtual QVariant minRange() const;
    virtual QVariant maxRange() const;
    // Never null: a data object without a formatter of its own answers a default one.
    virtual BaseFormatter *formatter() const;
    virtual QString error() const;
    virtual bool readOnly() const;

Q_SIGNALS:
    void applicableChanged();

private:
    BaseFormatter *m_defaultFormatter;
};
