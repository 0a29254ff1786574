#include "meterautoscaler.h"

#include "zebdata.h"

#include <QtDebug>

#include <cmath>

namespace {

constexpr double OneThird = 0.3333333333333333;
constexpr double Headroom = 1.1;
constexpr double DbSpan = 50.0;
constexpr double DbEdge = 10.0;
constexpr int StreakToRerange = 3;

} // namespace

MeterAutoScaler::MeterAutoScaler(QObject *parent)
    : QObject(parent)
{
}

MeterAutoScaler::~MeterAutoScaler() = default;

QList<double> MeterAutoScaler::getModeValues() const
{
    return m_modeValues;
}

void MeterAutoScaler::setModeValues(const QList<double> &modeValues)
{
    if (m_modeValues == modeValues)
        return;
    m_modeValues = modeValues;
    Q_EMIT modeValuesChanged();
}

bool MeterAutoScaler::getBipolarMeter() const
{
    return m_bipolarMeter;
}

void MeterAutoScaler::setBipolarMeter(bool bipolarMeter)
{
    if (m_bipolarMeter == bipolarMeter)
        return;
    m_bipolarMeter = bipolarMeter;
    Q_EMIT bipolarMeterChanged();
}

ZebData *MeterAutoScaler::getMaxData() const
{
    return m_maxData.data();
}

void MeterAutoScaler::setMaxData(ZebData *maxData)
{
    assignData(m_maxData, maxData, &MeterAutoScaler::maxDataChanged);
}

ZebData *MeterAutoScaler::getMinData() const
{
    return m_minData.data();
}

void MeterAutoScaler::setMinData(ZebData *minData)
{
    assignData(m_minData, minData, &MeterAutoScaler::minDataChanged);
}

void MeterAutoScaler::assignData(QPointer<ZebData> &field, ZebData *data,
                                 void (MeterAutoScaler::*changed)())
{
    if (field.data() == data)
        return;
    if (field)
        disconnect(field.data(), &QObject::destroyed, this, changed);
    field = data;
    // A data object that goes away reads as null from then on; bindings hear of it.
    if (data)
        connect(data, &QObject::destroyed, this, changed);
    Q_EMIT(this->*changed)();
}

int MeterAutoScaler::autoCount() const
{
    return m_autoCount;
}

void MeterAutoScaler::reset()
{
    m_autoCount = NotRanged;
}

bool MeterAutoScaler::isConfigured(const char *caller) const
{
    if (m_modeValues.isEmpty() || !m_maxData || !m_minData) {
        qWarning() << caller << " Error: data is not initialized!";
        return false;
    }
    return true;
}

double MeterAutoScaler::maxValue() const
{
    return m_maxData ? m_maxData->value().toDouble() : 0.0;
}

double MeterAutoScaler::minValue() const
{
    return m_minData ? m_minData->value().toDouble() : 0.0;
}

void MeterAutoScaler::autoScale(double readingValue)
{
    if (!isConfigured("autoScale"))
        return;
    updateAutoCount(readingValue);
    updateMinMaxDataValue(readingValue);
}

void MeterAutoScaler::updateAutoCount(double readingValue)
{
    if (m_autoCount == NotRanged)
        return;
    // Counts consecutive readings below a third of full scale.
    if (maxValue() * OneThird <= readingValue)
        m_autoCount = 0;
    else if (m_autoCount < StreakToRerange)
        ++m_autoCount;
}

void MeterAutoScaler::updateMinMaxDataValue(double readingValue)
{
    if (m_autoCount < StreakToRerange && readingValue * Headroom < maxValue())
        return;
    m_autoCount = 0;
    updateMaxDataValue(readingValue);
    updateMinDataValue();
}

void MeterAutoScaler::updateMaxDataValue(double readingValue)
{
    if (m_modeValues.isEmpty() || !m_maxData)
        return;
    const double target = readingValue * Headroom;
    if (target >= m_modeValues.constLast()) {
        m_maxData->setValue(m_modeValues.constLast());
        return;
    }
    for (double mode : qAsConst(m_modeValues)) {
        if (target <= mode) {
            m_maxData->setValue(mode);
            return;
        }
    }
}

void MeterAutoScaler::updateMinDataValue()
{
    if (!m_minData)
        return;
    if (m_bipolarMeter)
        m_minData->setValue(-maxValue());
    else
        m_minData->setValue(0);
}

void MeterAutoScaler::autoScaleDb(double readingValue)
{
    if (!isConfigured("autoScaleDb"))
        return;
    if (maxValue() - minValue() != DbSpan)
        updateMinDataValueDb();
    updateAutoCountDb(readingValue);
    updateMinMaxDataValueDb(readingValue);
}

void MeterAutoScaler::updateMinDataValueDb()
{
    if (m_minData)
        m_minData->setValue(maxValue() - DbSpan);
}

void MeterAutoScaler::updateAutoCountDb(double readingValue)
{
    if (m_autoCount == NotRanged)
        return;
    if (readingValue < minValue() + DbEdge)
        calcHowLongReadingWasBelowOffsetOfRange();
    else if (readingValue > maxValue() - DbEdge)
        calcHowLongReadingWasAboveOffsetOfRange();
    else
        m_autoCount = 0;
}

void MeterAutoScaler::calcHowLongReadingWasBelowOffsetOfRange()
{
    if (m_readingWasAbove) {
        // A streak on the other edge starts afresh.
        m_readingWasAbove = false;
        m_autoCount = 1;
    } else if (m_autoCount < StreakToRerange) {
        ++m_autoCount;
    }
}

void MeterAutoScaler::calcHowLongReadingWasAboveOffsetOfRange()
{
    if (!m_readingWasAbove) {
        m_readingWasAbove = true;
        m_autoCount = 1;
    } else if (m_autoCount < StreakToRerange) {
        ++m_autoCount;
    }
}

void MeterAutoScaler::updateMinMaxDataValueDb(double readingValue)
{
    if (m_autoCount < StreakToRerange && minValue() <= readingValue && readingValue <= maxValue())
        return;
    m_autoCount = 0;
    updateMaxDataValueDb(readingValue);
    updateMinDataValueDb();
}

void MeterAutoScaler::updateMaxDataValueDb(double readingValue)
{
    if (m_modeValues.isEmpty() || !m_maxData)
        return;
    // The mode closest to the reading plus half the span puts the reading mid-scale; of two
    // equally close modes the later one wins.
    const double target = readingValue + DbSpan / 2;
    int chosen = m_modeValues.size() - 1;
    double previousDistance = std::fabs(target - m_modeValues.constFirst());
    for (int i = 1; i < m_modeValues.size(); ++i) {
        const double distance = std::fabs(target - m_modeValues.at(i));
        if (distance > previousDistance) {
            chosen = i - 1;
            break;
        }
        previousDistance = distance;
    }
    m_maxData->setValue(m_modeValues.at(chosen));
}
