#pragma once

#include <QObject>
#include <QString>

// Formats a value with the SI prefix that its magnitude calls for ("1.234 kHz", "12 mV"),
// keeping the resolution the caller asks for in the base unit: a value shown in kHz gets three
// decimals more than the same value in Hz would. Stateless.
class MetricPrefixConversion : public QObject
{
    Q_OBJECT
public:
    explicit MetricPrefixConversion(QObject *parent = nullptr);
    ~MetricPrefixConversion() override;

    Q_INVOKABLE QString getValueWithUnitPrefix(double value, int precision,
                                               const QString &unit) const;
    // As above, with the prefix never below `minimumPrefix` and never fewer decimals than
    // `smallestPrecision`.
    Q_INVOKABLE QString getValueWithUnitPrefix(double value, int precision, const QString &unit,
                                               const QString &minimumPrefix,
                                               int smallestPrecision = 0) const;
    // Frequencies: no decimals in the base unit, no submultiples, decimals grouped by three.
    Q_INVOKABLE QString getValueWithZeroPrecisionUnitPrefixAndSpace(double value,
                                                                    const QString &unit) const;
    Q_INVOKABLE QString getValueWithoutUnitPrefix(double value, int precision,
                                                  const QString &unit) const;
    Q_INVOKABLE QString getPrefix(double value) const;

    int getPrecisionByUnitPrefix(int precision, const QString &prefix, int smallestPrecision) const;
    double roundIfGreaterThanOne(double value, int precision, int smallestPrecision) const;
    bool shouldReturnZero(double value, int precision) const;
};
