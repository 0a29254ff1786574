#pragma once

#include <QQuickItem>

// Turns the fractional position and size of a scrollable view into the integer position and
// length of a scroll indicator handle on a track of maxPosition pixels, never shorter than
// minSize; the handle shortens when the view is pulled beyond either end.
class ScrollDecoratorSizer : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(
        double positionRatio READ positionRatio WRITE setPositionRatio NOTIFY positionRatioChanged)
    Q_PROPERTY(double sizeRatio READ sizeRatio WRITE setSizeRatio NOTIFY sizeRatioChanged)
    Q_PROPERTY(double maxPosition READ maxPosition WRITE setMaxPosition NOTIFY maxPositionChanged)
    Q_PROPERTY(double minSize READ minSize WRITE setMinSize NOTIFY minSizeChanged)
    Q_PROPERTY(int position READ position NOTIFY positionChanged)
    Q_PROPERTY(int size READ size NOTIFY sizeChanged)
public:
    explicit ScrollDecoratorSizer(QQuickItem *parent = nullptr);

    double positionRatio() const { return m_positionRatio; }
    void setPositionRatio(double ratio);
    double sizeRatio() const { return m_sizeRatio; }
    void setSizeRatio(double ratio);
    double maxPosition() const { return m_maxPosition; }
    void setMaxPosition(double length);
    double minSize() const { return m_minSize; }
    void setMinSize(double length);

    int position() const { return m_position; }
    int size() const { return m_size; }

Q_SIGNALS:
    void positionRatioChanged();
    void sizeRatioChanged();
    void maxPositionChanged();
    void minSizeChanged();
    void positionChanged();
    void sizeChanged();

private:
    bool store(double &field, double value);
    void recompute();

    double m_positionRatio = 0;
    double m_sizeRatio = 0;
    double m_maxPosition = 0;
    double m_minSize = 0;
    int m_position = 0;
    int m_size = 0;
};
