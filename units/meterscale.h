#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// Reads the text labels of an analogue meter scale ("0", "500 m", "1 kV", "50%") as numbers in
// the meter's unit, so that labels and needle share one numeric axis. Stateless.
class MeterScale : public QObject
{
    Q_OBJECT
public:
    explicit MeterScale(QObject *parent = nullptr);
    ~MeterScale() override;

    // The values of the labels, sorted ascending; "Auto" and "Custom" are skipped, and reading
    // stops at the first label that is not a number.
    Q_INVOKABLE QList<double> getValues(const QStringList &labels, const QString &unit,
                                        const QString &unitPrefix = QString()) const;
    // The value of one label; 0 when it is not a number.
    Q_INVOKABLE double getValue(const QString &label, const QString &unit,
                                const QString &unitPrefix = QString()) const;

    QStringList splitLabel(const QString &label) const;
    QString getUnitWithoutPrefix(const QString &unit, const QString &unitPrefix) const;
    double getValue(double value, const QString &labelUnit, const QString &baseUnit) const;
    void updateListValueByMultiplier(const QString &prefix, QList<double> &values) const;
};
