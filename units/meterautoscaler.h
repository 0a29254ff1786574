#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class ZebData;

// Picks the full-scale range of an analogue meter from the stream of readings and writes it to
// the two data objects the meter is bound to. autoScale() serves linear meters, autoScaleDb()
// logarithmic ones with a fixed span of 50 dB.
class MeterAutoScaler : public QObject
{
    Q_OBJECT
    Q_PROPERTY(
        QList<double> modeValues READ getModeValues WRITE setModeValues NOTIFY modeValuesChanged)
    Q_PROPERTY(
        bool bipolarMeter READ getBipolarMeter WRITE setBipolarMeter NOTIFY bipolarMeterChanged)
    Q_PROPERTY(ZebData *maxData READ getMaxData WRITE setMaxData NOTIFY maxDataChanged)
    Q_PROPERTY(ZebData *minData READ getMinData WRITE setMinData NOTIFY minDataChanged)
public:
    explicit MeterAutoScaler(QObject *parent = nullptr);
    ~MeterAutoScaler() override;

    QList<double> getModeValues() const;
    void setModeValues(const QList<double> &modeValues);
    bool getBipolarMeter() const;
    void setBipolarMeter(bool bipolarMeter);
    ZebData *getMaxData() const;
    void setMaxData(ZebData *maxData);
    ZebData *getMinData() const;
    void setMinData(ZebData *minData);

    Q_INVOKABLE void autoScale(double readingValue);
    Q_INVOKABLE void autoScaleDb(double readingValue);
    // The next reading re-ranges unconditionally.
    Q_INVOKABLE void reset();

    // Steps of the two algorithms.
    void updateAutoCount(double readingValue);
    void updateMinMaxDataValue(double readingValue);
    void updateMaxDataValue(double readingValue);
    void updateMinDataValue();
    void updateAutoCountDb(double readingValue);
    void updateMinMaxDataValueDb(double readingValue);
    void updateMaxDataValueDb(double readingValue);
    void updateMinDataValueDb();
    void calcHowLongReadingWasBelowOffsetOfRange();
    void calcHowLongReadingWasAboveOffsetOfRange();

    // The streak counter: NotRanged after construction and reset(), otherwise 0 to 3.
    int autoCount() const;
    static constexpr int NotRanged = 2000;

Q_SIGNALS:
    void modeValuesChanged();
    void bipolarMeterChanged();
    void maxDataChanged();
    void minDataChanged();

private:
    void assignData(QPointer<ZebData> &field, ZebData *data, void (MeterAutoScaler::*changed)());
    bool isConfigured(const char *caller) const;
    double maxValue() const;
    double minValue() const;

    QList<double> m_modeValues;
    int m_autoCount = NotRanged;
    // Guarded: the data objects belong to QML and may go before the scaler does.
    QPointer<ZebData> m_maxData;
    QPointer<ZebData> m_minData;
    bool m_bipolarMeter = false;
    bool m_readingWasAbove = false;
};
