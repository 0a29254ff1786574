#pragma once

#include "zebdata.h"

class BaseFormatter;

// A data object whose whole state is writable, for desktop development and tests. Published to
// QML as the creatable type "SimData" of the module "common.sim".
class SimData : public ZebData
{
    Q_OBJECT
    Q_PROPERTY(QString dataId READ id WRITE setDataId NOTIFY dataIdChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(QString label READ label WRITE setLabel NOTIFY labelChanged)
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(
        QString valueString READ storedValueString WRITE setValueString NOTIFY valueStringChanged)
    Q_PROPERTY(bool ready READ ready WRITE setReady NOTIFY readyChanged)
    Q_PROPERTY(int qualityCode READ qualityCode WRITE setQualityCode NOTIFY qualityCodeChanged)
    Q_PROPERTY(bool applicable READ applicable WRITE setApplicable NOTIFY applicableChanged)
    Q_PROPERTY(QVariant minRange READ minRange WRITE setMinRange NOTIFY minRangeChanged)
    Q_PROPERTY(QVariant maxRange READ maxRange WRITE setMaxRange NOTIFY maxRangeChanged)
    Q_PROPERTY(
        QString formatterType READ formatterType WRITE setFormatterType NOTIFY formatterTypeChanged)
    Q_PROPERTY(QString error READ error WRITE setError NOTIFY errorChanged)
    Q_PROPERTY(bool readOnly READ readOnly WRITE setReadOnly NOTIFY readOnlyChanged)
public:
    explicit SimData(QObject *parent = nullptr);
    ~SimData() override;

    QString id() const override;
    QString name() const override;
    QString type() const override;
    QString label() const override;
    QVariant value() const override;
    // The written value string, or the string form of the value when none was written.
    QString valueString(bool withUnit) const override;
    Q_INVOKABLE void setValue(const QVariant &value) override;
    int isReady() const override;
    int qualityCode() const override;
    bool applicable() const override;
    QVariant minRange() const override;
    QVariant maxRange() const override;
    BaseFormatter *formatter() const override;
    QString error() const override;
    bool readOnly() const override;

    QString storedValueString() const;
    bool ready() const;
    QString formatterType() const;

    void setDataId(const QString &id);
    void setName(const QString &name);
    void setType(const QString &type);
    void setLabel(const QString &label);
    void setValueString(const QString &valueString);
    void setReady(bool ready);
    void setQualityCode(int qualityCode);
    void setApplicable(bool applicable);
    void setMinRange(const QVariant &minRange);
    void setMaxRange(const QVariant &maxRange);
    void setFormatterType(const QString &formatterType);
    void setError(const QString &error);
    void setReadOnly(bool readOnly);

Q_SIGNALS:
    void dataIdChanged();
    void nameChanged();
    void typeChanged();
    void labelChanged();
    void valueChanged();
    void valueStringChanged();
    void readyChanged();
    void qualityCodeChanged();
    void minRangeChanged();
    void maxRangeChanged();
    void formatterTypeChanged();
    void errorChanged();
    void readOnlyChanged();

private:
    QString m_id;
    QString m_name;
    QString m_type;
    QString m_label;
    QVariant m_value;
    QString m_valueString;
    bool m_ready = true;
    int m_qualityCode = 0;
    bool m_applicable = true;
    QVariant m_minRange;
    QVariant m_maxRange;
    QString m_error;
    bool m_readOnly = false;
    BaseFormatter *m_formatter;
};
