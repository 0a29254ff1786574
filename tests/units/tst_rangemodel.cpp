#include "rangemodel.h"

#include <QtTest>

#include <functional>

namespace {

// Records the model's signals in emission order, as "name(argument)".
struct SignalLog : QObject
{
    explicit SignalLog(RangeModel *model)
    {
        const auto log = [this, model](auto signal, const char *name) {
            connect(model, signal, this,
                    [this, name](double v) { entries << QString("%1(%2)").arg(name).arg(v); });
        };
        log(&RangeModel::valueChanged, "value");
        log(&RangeModel::positionChanged, "position");
        log(&RangeModel::minimumChanged, "minimum");
        log(&RangeModel::maximumChanged, "maximum");
        log(&RangeModel::stepSizeChanged, "stepSize");
        log(&RangeModel::positionAtMinimumChanged, "positionAtMinimum");
        log(&RangeModel::positionAtMaximumChanged, "positionAtMaximum");
        log(&RangeModel::invertedChanged, "inverted");
    }
    QString take() { return std::exchange(entries, {}).join(' '); }
    QStringList entries;
};

// Range 0..10 on positions 0..100.
void setUp(RangeModel &model, double step = 0, double value = 0)
{
    model.setRange(0, 10);
    model.setPositionRange(0, 100);
    model.setStepSize(step);
    model.setValue(value);
}

} // namespace

class TestRangeModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signalOrder();
    void steps();
};

void TestRangeModel::signalOrder()
{
    RangeModel m;
    SignalLog log(&m);
    // The signals that `change` sends, after the model was set up with `step` and `value`.
    const auto after = [&](double step, double value, const std::function<void()> &change) {
        setUp(m, step, value);
        log.take();
        change();
        return log.take();
    };
    QCOMPARE(after(0, 0, [&] { m.setValue(12); }), QString("value(10) position(100)"));
    QCOMPARE(after(0, 13, [&] { m.setValue(14); }),
             QString()); // stored, the public value stays 10
    QCOMPARE(after(0, 13, [&] { m.setMaximum(20); }), // the stored value shows again
             QString("maximum(20) value(13) position(65)"));
    QCOMPARE(after(0, 0, [&] { m.setValue(1e-300); }), // 0 equals only 0
             QString("value(1e-300) position(1e-299)"));
    QCOMPARE(after(0, 5, [&] { m.setRange(6, 20); }),
             QString("minimum(6) maximum(20) value(6) position(0)"));
    QCOMPARE(after(0, 5, [&] { m.setRange(0, -5); }), QString("maximum(0) value(0) position(0)"));
    QCOMPARE(after(0, 5, [&] { m.setPositionRange(100, 300); }),
             QString("positionAtMinimum(100) positionAtMaximum(300) position(200)"));
    QCOMPARE(after(0, 3, [&] { m.setStepSize(2); }), QString("stepSize(2) value(2) position(20)"));
    QCOMPARE(after(2, 3, [&] { m.setStepSize(-1); }), QString("stepSize(0) value(3) position(30)"));
    QCOMPARE(after(0, 3, [&] { m.setStepSize(qQNaN()); }), QString());
    QCOMPARE(after(0, 2, [&] { m.setInverted(true); }), QString("inverted(1) position(80)"));
    m.setInverted(false);
    // With steps the position grid runs from the other end once inverted: 60 becomes 40.
    QCOMPARE(after(3, 5, [&] { m.setInverted(true); }), QString("inverted(1) position(40)"));
}

void TestRangeModel::steps()
{
    // step, stored value, public value: halfway rounds down, the last step is clamped
    const double rows[][3]
        = { { 2, 3, 2 },    { 2, 3.2, 4 },   { 3, 9.6, 10 }, { 3, 9.5, 9 },
            { 2, -0.5, 0 }, { 2, 1e12, 10 }, { 25, 6, 10 },  { 0.25, 3.126, 3.25 } };
    for (const auto &row : rows) {
        RangeModel model;
        setUp(model, row[0], row[1]);
        QCOMPARE(model.value(), row[2]);
        QCOMPARE(model.publicValue(row[1]), row[2]);
    }
    RangeModel model;
    setUp(model, 2, 3.2);
    QCOMPARE(model.valueForPosition(35), 4.0);
    QCOMPARE(model.positionForValue(5.1), 60.0);
    model.setInverted(true);
    QCOMPARE(model.position(), 60.0);
    QCOMPARE(model.publicPosition(70), 80.0); // ties go to the step nearer the start
    model.setPositionRange(30, 30);
    QCOMPARE(model.valueForPosition(99), 0.0);
    // Odd input keeps the model inside its range.
    setUp(model, 2, qQNaN());
    model.setValue(-qInf());
    model.setPosition(1e300);
    QCOMPARE(model.position(), 100.0);
    for (double step : { qInf(), 1e-300 }) { // 1e-300: more steps than an int counts
        model.setStepSize(step);
        model.setValue(7);
        QVERIFY(model.value() >= 0 && model.value() <= 10);
    }
}

QTEST_MAIN(TestRangeModel)
#include "tst_rangemodel.moc"
