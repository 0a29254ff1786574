#pragma once

#include <QObject>

// Maps a value range [minimum, maximum] with an optional step onto a position range, for
// example a slider's value onto pixels. The stored value and position are kept consistent with
// each other; the public ones are their views rounded to the step and clamped to the ranges.
class RangeModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged USER true)
    Q_PROPERTY(double minimumValue READ minimum WRITE setMinimum NOTIFY minimumChanged)
    Q_PROPERTY(double maximumValue READ maximum WRITE setMaximum NOTIFY maximumChanged)
    Q_PROPERTY(double stepSize READ stepSize WRITE setStepSize NOTIFY stepSizeChanged)
    Q_PROPERTY(double position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(double positionAtMinimum READ positionAtMinimum WRITE setPositionAtMinimum NOTIFY
                   positionAtMinimumChanged)
    Q_PROPERTY(double positionAtMaximum READ positionAtMaximum WRITE setPositionAtMaximum NOTIFY
                   positionAtMaximumChanged)
    Q_PROPERTY(bool inverted READ inverted WRITE setInverted NOTIFY invertedChanged)
public:
    explicit RangeModel(QObject *parent = nullptr);
    ~RangeModel() override;

    double value() const;
    double minimum() const;
    void setMinimum(double min);
    double maximum() const;
    void setMaximum(double max);
    double stepSize() const;
    void setStepSize(double stepSize);
    double position() const;
    double positionAtMinimum() const;
    void setPositionAtMinimum(double min);
    double positionAtMaximum() const;
    void setPositionAtMaximum(double max);
    bool inverted() const;
    void setInverted(bool inverted);

    void setRange(double min, double max);
    void setPositionRange(double min, double max);

    Q_INVOKABLE double valueForPosition(double position) const;
    Q_INVOKABLE double positionForValue(double value) const;

    // The stored value and position rounded to the step and clamped to the ranges.
    double publicValue(double value) const;
    double publicPosition(double position) const;
    void emitValueAndPositionIfChanged(double oldValue, double oldPosition);

public Q_SLOTS:
    void toMinimum();
    void toMaximum();
    void setValue(double value);
    void setPosition(double position);

Q_SIGNALS:
    void valueChanged(double value);
    void minimumChanged(double min);
    void maximumChanged(double max);
    void stepSizeChanged(double stepSize);
    void positionChanged(double position);
    void positionAtMinimumChanged(double min);
    void positionAtMaximumChanged(double max);
    void invertedChanged(bool inverted);

private:
    void init();
    double effectiveStart() const;
    double effectiveEnd() const;
    double range() const;
    double posFor(double value) const;
    double valueFor(double position) const;

    double m_posAtMin;
    double m_posAtMax;
    double m_minimum;
    double m_maximum;
    double m_stepSize;
    double m_pos;
    double m_val;
    bool m_inverted;
};
