#include "scrolldecoratorsizer.h"

#include <cmath>
#include <limits>

namespace {

// A value an int can take after truncation; NaN and infinities are not.
bool fitsInt(double value)
{
    return std::isfinite(value) && value > double(std::numeric_limits<int>::min()) - 1.0
        && value < double(std::numeric_limits<int>::max()) + 1.0;
}

} // namespace

ScrollDecoratorSizer::ScrollDecoratorSizer(QQuickItem *parent)
    : QQuickItem(parent)
{
}

// A view of zero height reports NaN ratios; a NaN repeated is no change.
bool ScrollDecoratorSizer::store(double &field, double value)
{
    if (field == value || (std::isnan(field) && std::isnan(value)))
        return false;
    field = value;
    return true;
}

void ScrollDecoratorSizer::setPositionRatio(double ratio)
{
    if (!store(m_positionRatio, ratio))
        return;
    Q_EMIT positionRatioChanged();
    recompute();
}

void ScrollDecoratorSizer::setSizeRatio(double ratio)
{
    if (!store(m_sizeRatio, ratio))
        return;
    Q_EMIT sizeRatioChanged();
    recompute();
}

void ScrollDecoratorSizer::setMaxPosition(double length)
{
    if (!store(m_maxPosition, length))
        return;
    Q_EMIT maxPositionChanged();
    recompute();
}

void ScrollDecoratorSizer::setMinSize(double length)
{
    if (!store(m_minSize, length))
        return;
    Q_EMIT minSizeChanged();
    recompute();
}

void ScrollDecoratorSizer::recompute()
{
    const double p = m_positionRatio;
    const double s = m_sizeRatio;
    const double maxPos = m_maxPosition;
    const double minSize = m_minSize;

    const double raw = s * maxPos;
    const double extra = raw < minSize ? minSize - raw : 0.0;
    const double track = maxPos - extra;
    const double end = extra + (s + p) * track;
    const double start = p * track;

    double endAdjusted = end;
    double startClamped = start;
    double minEnd = minSize + start;
    if (start < 0) {
        endAdjusted = end + start;
        startClamped = 0;
        minEnd = minSize;
    }
    if (end > maxPos)
        endAdjusted -= end - maxPos;

    const double newPosition = maxPos < minEnd ? maxPos - minSize : startClamped;
    if (!fitsInt(newPosition))
        return;
    const int position = int(newPosition);
    double newSize = endAdjusted - position;
    if (newSize < minSize)
        newSize = minSize;
    if (!fitsInt(newSize))
        return;
    const int size = int(newSize);

    if (position != m_position) {
        m_position = position;
        Q_EMIT positionChanged();
    }
    if (size != m_size) {
        m_size = size;
        Q_EMIT sizeChanged();
    }
}
