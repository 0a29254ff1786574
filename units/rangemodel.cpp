#include "rangemodel.h"

#include "unitnumbers.h"

#include <QtGlobal>

#include <cmath>

using UnitNumbers::truncateToInt;

namespace {

// Relative equality; 0 equals only 0. Infinities equal only themselves (the relative test
// alone would call -inf equal to +inf).
bool fuzzyEqual(double a, double b)
{
    if (a == b)
        return true;
    if (std::isinf(a) || std::isinf(b))
        return false;
    return std::fabs(a - b) * 1000000000000. <= qMin(std::fabs(a), std::fabs(b));
}

} // namespace

RangeModel::RangeModel(QObject *parent)
    : QObject(parent)
{
    init();
}

RangeModel::~RangeModel() = default;

void RangeModel::init()
{
    m_posAtMin = 0;
    m_posAtMax = 0;
    m_minimum = 0;
    m_maximum = 99;
    m_stepSize = 0;
    m_pos = 0;
    m_val = 0;
    m_inverted = false;
}

double RangeModel::effectiveStart() const
{
    return m_inverted ? m_posAtMax : m_posAtMin;
}

double RangeModel::effectiveEnd() const
{
    return m_inverted ? m_posAtMin : m_posAtMax;
}

double RangeModel::range() const
{
    return m_maximum - m_minimum;
}

double RangeModel::posFor(double value) const
{
    const double start = effectiveStart();
    if (range() == 0)
        return start;
    return start + (effectiveEnd() - start) / range() * (value - m_minimum);
}

double RangeModel::valueFor(double position) const
{
    const double start = effectiveStart();
    const double end = effectiveEnd();
    if (end == start)
        return m_minimum;
    return m_minimum + range() / (end - start) * (position - start);
}

double RangeModel::publicValue(double value) const
{
    if (m_stepSize == 0) {
        if (m_maximum < m_minimum)
            return m_minimum;
        return qBound(m_minimum, value, m_maximum);
    }
    const int n = truncateToInt((value - m_minimum) / m_stepSize);
    if (n < 0)
        return m_minimum;
    const double left = qMin(m_minimum + n * m_stepSize, m_maximum);
    const double right = qMin(m_minimum + (n + 1.0) * m_stepSize, m_maximum);
    // Halfway rounds down.
    return value <= (left + right) / 2 ? left : right;
}

double RangeModel::publicPosition(double position) const
{
    const double start = effectiveStart();
    const double end = effectiveEnd();
    const double posStep = range() != 0 ? (end - start) / range() * m_stepSize : 0.0;
    if (posStep == 0) {
        if (start < end)
            return qBound(start, position, end);
        return qBound(end, position, start);
    }
    const int n = truncateToInt((position - start) / posStep);
    if (n < 0)
        return start;
    double lower = start + n * posStep;
    double upper = start + (n + 1.0) * posStep;
    if (end > start) {
        lower = qMin(lower, end);
        upper = qMin(upper, end);
    } else {
        lower = qMax(lower, end);
        upper = qMax(upper, end);
    }
    return std::fabs(upper - position) >= std::fabs(lower - position) ? lower : upper;
}

double RangeModel::value() const
{
    return publicValue(m_val);
}

double RangeModel::position() const
{
    return publicPosition(m_pos);
}

double RangeModel::minimum() const
{
    return m_minimum;
}

double RangeModel::maximum() const
{
    return m_maximum;
}

double RangeModel::stepSize() const
{
    return m_stepSize;
}

double RangeModel::positionAtMinimum() const
{
    return m_posAtMin;
}

double RangeModel::positionAtMaximum() const
{
    return m_posAtMax;
}

bool RangeModel::inverted() const
{
    return m_inverted;
}

double RangeModel::positionForValue(double value) const
{
    return publicPosition(posFor(value));
}

double RangeModel::valueForPosition(double position) const
{
    return publicValue(valueFor(position));
}

void RangeModel::emitValueAndPositionIfChanged(double oldValue, double oldPosition)
{
    const double newValue = value();
    if (!fuzzyEqual(newValue, oldValue))
        Q_EMIT valueChanged(newValue);
    const double newPosition = position();
    if (!fuzzyEqual(newPosition, oldPosition))
        Q_EMIT positionChanged(newPosition);
}

void RangeModel::setValue(double value)
{
    if (fuzzyEqual(value, m_val))
        return;
    const double oldValue = this->value();
    const double oldPosition = position();
    m_val = value;
    m_pos = posFor(value);
    emitValueAndPositionIfChanged(oldValue, oldPosition);
}

void RangeModel::toMinimum()
{
    setValue(m_minimum);
}

void RangeModel::toMaximum()
{
    setValue(m_maximum);
}

void RangeModel::setPosition(double position)
{
    if (fuzzyEqual(position, m_pos))
        return;
    const double oldValue = value();
    const double oldPosition = this->position();
    m_pos = position;
    m_val = valueFor(position);
    emitValueAndPositionIfChanged(oldValue, oldPosition);
}

void RangeModel::setRange(double min, double max)
{
    const bool minChanged = !fuzzyEqual(min, m_minimum);
    const bool maxChanged = !fuzzyEqual(max, m_maximum);
    if (!minChanged && !maxChanged)
        return;
    const double oldValue = value();
    const double oldPosition = position();
    m_minimum = min;
    m_maximum = max > min ? max : min;
    m_pos = posFor(m_val);
    if (minChanged)
        Q_EMIT minimumChanged(m_minimum);
    if (maxChanged)
        Q_EMIT maximumChanged(m_maximum);
    emitValueAndPositionIfChanged(oldValue, oldPosition);
}

void RangeModel::setMinimum(double min)
{
    setRange(min, m_maximum);
}

void RangeModel::setMaximum(double max)
{
    setRange(m_minimum, max);
}

void RangeModel::setPositionRange(double min, double max)
{
    const bool minChanged = !fuzzyEqual(min, m_posAtMin);
    const bool maxChanged = !fuzzyEqual(max, m_posAtMax);
    if (!minChanged && !maxChanged)
        return;
    const double oldPosition = position();
    m_posAtMin = min;
    m_posAtMax = max;
    m_pos = posFor(m_val);
    if (minChanged)
        Q_EMIT positionAtMinimumChanged(min);
    if (maxChanged)
        Q_EMIT positionAtMaximumChanged(max);
    // Only the position can move when the position range changes.
    emitValueAndPositionIfChanged(value(), oldPosition);
}

void RangeModel::setPositionAtMinimum(double min)
{
    setPositionRange(min, m_posAtMax);
}

void RangeModel::setPositionAtMaximum(double max)
{
    setPositionRange(m_posAtMin, max);
}

void RangeModel::setStepSize(double stepSize)
{
    if (!(stepSize >= 0)) // negative or NaN
        stepSize = 0;
    if (fuzzyEqual(stepSize, m_stepSize))
        return;
    const double oldValue = value();
    const double oldPosition = position();
    m_stepSize = stepSize;
    Q_EMIT stepSizeChanged(stepSize);
    emitValueAndPositionIfChanged(oldValue, oldPosition);
}

void RangeModel::setInverted(bool inverted)
{
    if (inverted == m_inverted)
        return;
    // The old public position is taken in the old orientation: with steps the position grid
    // itself moves, so the position can change even where the stored one does not.
    const double oldValue = value();
    const double oldPosition = position();
    m_inverted = inverted;
    Q_EMIT invertedChanged(inverted);
    // The stored value stays; its position moves to the other side.
    m_pos = posFor(m_val);
    emitValueAndPositionIfChanged(oldValue, oldPosition);
}
