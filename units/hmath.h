#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// Unit arithmetic for the pages: levels between dBm and the display units, field strength for a
// centre frequency and antenna gain, prefixed and locale-formatted numbers, and text metrics in
// the interface font. Every conversion to a display unit leaves the unit it chose in `unit`, so
// a label bound to that property follows the last conversion.
class HMath : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString unit READ unit WRITE setUnit NOTIFY unitChanged)
public:
    explicit HMath(QObject *parent = nullptr);
    ~HMath() override;

    Q_INVOKABLE double getUnitTodBm(const QString &sUnit, double fVal) const;
    Q_INVOKABLE double getFieldTodBm(const QString &sUnit, double fVal, double fCenter,
                                     double fGain) const;
    Q_INVOKABLE QString getdBmToUnitChart(const QString &sUnit, double fVal, int precision = 1);
    Q_INVOKABLE QString getdBmToUnit(const QString &sUnit, double fVal, bool isUnitText,
                                     int precision = 1);
    Q_INVOKABLE QString getdBmToFieldChart(const QString &sUnit, double fVal, double fCenter,
                                           double fGain);
    Q_INVOKABLE QString getdBmToField(const QString &sUnit, double fVal, double fCenter,
                                      double fGain, bool isUnitText);
    Q_INVOKABLE QString getDBmToW(double fTemp) const;
    Q_INVOKABLE QString convertValUnit(const QVariant &base, int dec = 2,
                                       const QString &unit = QStringLiteral("dBm")) const;
    Q_INVOKABLE QString getUnit(const QString &sUnit, const QVariant &fVal,
                                int precision = 0) const;
    Q_INVOKABLE int getStringWidth(int pixelSize, const QString &str) const;
    Q_INVOKABLE int getStringWidth(int pixelSize, const QString &str, bool isBold) const;
    Q_INVOKABLE QString getTextEllipsis(int nFontSize, int width, const QString &text) const;
    Q_INVOKABLE QString getFormattedValue(double fVal, int precision = 1) const;
    Q_INVOKABLE bool shouldReturnZero(double value, int precision) const;

    // Helpers of the conversions above.
    double mathRoundOff(double value, int digits) const;
    double getVoltTodBm(const QString &sUnit, double fVal) const;
    double getWattTodBm(const QString &sUnit, double fVal) const;
    double getVoltmtodBm(const QString &sUnit, double fVal) const;
    double getWattmmTodBm(const QString &sUnit, double fVal) const;
    QString getdBmToVolt(double dBm, bool withUnit);
    QString getdBmToWatt(double dBm, bool withUnit);
    QString getFieldChangeUnit(const QString &unitText, float value, bool withUnit);

public Q_SLOTS:
    QString unit() const;
    // Emits unitChanged() on every call, also when the unit stays the same.
    void setUnit(const QString &val);

Q_SIGNALS:
    void unitChanged();

private:
    QString fieldText(const QString &sUnit, double fVal, double fCenter, double fGain,
                      bool isUnitText, bool forChart);

    QString m_unit;
};
