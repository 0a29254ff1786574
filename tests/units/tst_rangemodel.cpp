#include "rangemodel.h"

#include "testrows.h"
#include <QSignalSpy>

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// Records the model's signals in emission order, as "name(argument)".
class SignalLog : public QObject
{
public:
    explicit SignalLog(RangeModel *model)
    {
        const auto add = [this](const char *name, double arg) {
            entries << QString("%1(%2)").arg(QLatin1String(name)).arg(arg);
        };
        connect(model, &RangeModel::valueChanged, this, [add](double v) { add("value", v); });
        connect(model, &RangeModel::positionChanged, this, [add](double v) { add("position", v); });
        connect(model, &RangeModel::minimumChanged, this, [add](double v) { add("minimum", v); });
        connect(model, &RangeModel::maximumChanged, this, [add](double v) { add("maximum", v); });
        connect(model, &RangeModel::stepSizeChanged, this, [add](double v) { add("stepSize", v); });
        connect(model, &RangeModel::positionAtMinimumChanged, this,
                [add](double v) { add("positionAtMinimum", v); });
        connect(model, &RangeModel::positionAtMaximumChanged, this,
                [add](double v) { add("positionAtMaximum", v); });
        connect(model, &RangeModel::invertedChanged, this,
                [add](bool v) { add("inverted", v ? 1 : 0); });
    }
    QStringList take()
    {
        const QStringList result = entries;
        entries.clear();
        return result;
    }
    QStringList entries;
};

// Range 0..10 on positions 0..100.
void setUp(RangeModel &model, double step = 0)
{
    model.setRange(0, 10);
    model.setPositionRange(0, 100);
    model.setStepSize(step);
}

} // namespace

class TestRangeModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void valueAndPosition();
    void storedValueKept();
    void steps_data();
    void steps();
    void valueForPositionAndBack();
    void inverted();
    void invertedPositionsWithSteps();
    void invertedMovesStepGrid();
    void rangeOrder();
    void setRangeSignalOrder();
    void setPositionRangeSignalOrder();
    void stepSize();
    void fuzzyEquality();
    void setPosition();
    void toMinimumAndMaximum();
    void qmlProperties();
    void randomOperations();
    void oddInput();
};

void TestRangeModel::defaults()
{
    RangeModel model;
    QCOMPARE(model.value(), 0.0);
    QCOMPARE(model.position(), 0.0);
    QCOMPARE(model.minimum(), 0.0);
    QCOMPARE(model.maximum(), 99.0);
    QCOMPARE(model.stepSize(), 0.0);
    QCOMPARE(model.positionAtMinimum(), 0.0);
    QCOMPARE(model.positionAtMaximum(), 0.0);
    QCOMPARE(model.inverted(), false);
}

void TestRangeModel::valueAndPosition()
{
    RangeModel model;
    setUp(model);
    SignalLog log(&model);
    model.setValue(5);
    QCOMPARE(model.position(), 50.0);
    QCOMPARE(log.take(), QStringList({ "value(5)", "position(50)" }));
    model.setValue(12);
    QCOMPARE(model.value(), 10.0);
    QCOMPARE(model.position(), 100.0);
    QCOMPARE(log.take(), QStringList({ "value(10)", "position(100)" }));
    model.setValue(13); // stored, but the public value stays 10
    QVERIFY(log.take().isEmpty());
}

void TestRangeModel::storedValueKept()
{
    RangeModel model;
    setUp(model);
    model.setValue(12);
    SignalLog log(&model);
    model.setMaximum(20);
    QCOMPARE(model.value(), 12.0);
    QCOMPARE(model.position(), 60.0);
    QCOMPARE(log.take(), QStringList({ "maximum(20)", "value(12)", "position(60)" }));
}

void TestRangeModel::steps_data()
{
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("stored");
    QTest::addColumn<double>("expected");

    addRow("halfway rounds down", 2.0, 3.0, 2.0);
    addRow("above halfway", 2.0, 3.2, 4.0);
    addRow("on a step", 2.0, 4.0, 4.0);
    addRow("last step clamped", 3.0, 9.6, 10.0);
    addRow("below last halfway", 3.0, 9.5, 9.0);
    addRow("below minimum", 2.0, -0.5, 0.0);
    addRow("far above", 2.0, 1e12, 10.0);
    addRow("step wider than range", 25.0, 6.0, 10.0);
    addRow("fine step", 0.25, 3.126, 3.25);
}

void TestRangeModel::steps()
{
    QFETCH(double, step);
    QFETCH(double, stored);
    QFETCH(double, expected);
    RangeModel model;
    setUp(model, step);
    model.setValue(stored);
    QCOMPARE(model.value(), expected);
    QCOMPARE(model.publicValue(stored), expected);
}

void TestRangeModel::valueForPositionAndBack()
{
    RangeModel model;
    setUp(model, 2);
    QCOMPARE(model.valueForPosition(35), 4.0);
    QCOMPARE(model.positionForValue(5), 40.0);
    QCOMPARE(model.positionForValue(5.1), 60.0);
    QCOMPARE(model.valueForPosition(-20), 0.0);
    QCOMPARE(model.valueForPosition(250), 10.0);
    model.setStepSize(0);
    QCOMPARE(model.valueForPosition(35), 3.5);
    QCOMPARE(model.positionForValue(-1), 0.0);
    QCOMPARE(model.positionForValue(11), 100.0);
    model.setPositionRange(30, 30);
    QCOMPARE(model.valueForPosition(99), 0.0);
    QCOMPARE(model.positionForValue(7), 30.0);
}

void TestRangeModel::inverted()
{
    RangeModel model;
    setUp(model);
    model.setValue(2);
    SignalLog log(&model);
    model.setInverted(true);
    QCOMPARE(model.position(), 80.0);
    QCOMPARE(model.value(), 2.0);
    QCOMPARE(log.take(), QStringList({ "inverted(1)", "position(80)" }));
    model.setInverted(true);
    QVERIFY(log.take().isEmpty());
    QCOMPARE(model.positionForValue(10), 0.0);
    QCOMPARE(model.valueForPosition(100), 0.0);
    model.setValue(5); // mid-scale: the same position either way
    log.take();
    model.setInverted(false);
    QCOMPARE(log.take(), QStringList({ "inverted(0)" }));
}

void TestRangeModel::invertedPositionsWithSteps()
{
    RangeModel model;
    setUp(model, 2);
    model.setInverted(true);
    model.setValue(3.2); // reads 4
    QCOMPARE(model.value(), 4.0);
    QCOMPARE(model.position(), 60.0);
    QCOMPARE(model.publicPosition(65), 60.0);
    QCOMPARE(model.publicPosition(70), 80.0); // ties go to the step nearer the start
    QCOMPARE(model.publicPosition(71), 80.0);
    QCOMPARE(model.publicPosition(120), 100.0);
    QCOMPARE(model.publicPosition(-5), 0.0);
}

// With steps the position grid runs from the other end once inverted: a value whose stored
// position sits mid-scale still shows a different position, and that is announced.
void TestRangeModel::invertedMovesStepGrid()
{
    RangeModel model;
    setUp(model, 3);
    model.setValue(5); // grid 0, 30, 60, 90, 100: reads 60
    QCOMPARE(model.position(), 60.0);
    SignalLog log(&model);
    model.setInverted(true); // grid 100, 70, 40, 10, 0: reads 40
    QCOMPARE(model.position(), 40.0);
    QCOMPARE(log.take(), QStringList({ "inverted(1)", "position(40)" }));
    QCOMPARE(model.value(), 6.0);
}

void TestRangeModel::rangeOrder()
{
    RangeModel model;
    model.setRange(10, 5);
    QCOMPARE(model.minimum(), 10.0);
    QCOMPARE(model.maximum(), 10.0);
    QCOMPARE(model.value(), 10.0);
    model.setMinimum(20);
    QCOMPARE(model.maximum(), 20.0);
}

void TestRangeModel::setRangeSignalOrder()
{
    RangeModel model;
    setUp(model);
    model.setValue(5);
    SignalLog log(&model);
    model.setRange(6, 20);
    QCOMPARE(log.take(), QStringList({ "minimum(6)", "maximum(20)", "value(6)", "position(0)" }));
    model.setRange(6, 20);
    QVERIFY(log.take().isEmpty());
    model.setRange(6, 5); // only the maximum moves, to the minimum
    QCOMPARE(log.take(), QStringList({ "maximum(6)" }));
}

void TestRangeModel::setPositionRangeSignalOrder()
{
    RangeModel model;
    setUp(model);
    model.setValue(5);
    SignalLog log(&model);
    model.setPositionRange(100, 300);
    QCOMPARE(log.take(),
             QStringList({ "positionAtMinimum(100)", "positionAtMaximum(300)", "position(200)" }));
    model.setPositionAtMaximum(300);
    QVERIFY(log.take().isEmpty());
    model.setPositionAtMinimum(0);
    QCOMPARE(log.take(), QStringList({ "positionAtMinimum(0)", "position(150)" }));
    QCOMPARE(model.value(), 5.0);
}

void TestRangeModel::stepSize()
{
    RangeModel model;
    setUp(model);
    model.setValue(3);
    SignalLog log(&model);
    model.setStepSize(2);
    QCOMPARE(log.take(), QStringList({ "stepSize(2)", "value(2)", "position(20)" }));
    model.setStepSize(-1);
    QCOMPARE(model.stepSize(), 0.0);
    QCOMPARE(log.take(), QStringList({ "stepSize(0)", "value(3)", "position(30)" }));
    model.setStepSize(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(model.stepSize(), 0.0);
    QVERIFY(log.take().isEmpty());
}

void TestRangeModel::fuzzyEquality()
{
    RangeModel model;
    setUp(model);
    model.setValue(1);
    SignalLog log(&model);
    model.setValue(1.0000000000001);
    QVERIFY(log.take().isEmpty());
    model.setValue(1.000001);
    QCOMPARE(log.entries.size(), 2);
    log.take();
    model.setValue(0);
    log.take();
    model.setValue(1e-300); // 0 equals only 0
    QCOMPARE(log.take().size(), 2);
    model.setRange(0, 10.00000000000001);
    QVERIFY(log.take().isEmpty());
}

void TestRangeModel::setPosition()
{
    RangeModel model;
    setUp(model, 2);
    SignalLog log(&model);
    model.setPosition(35);
    QCOMPARE(model.value(), 4.0);
    QCOMPARE(model.position(), 40.0);
    QCOMPARE(log.take(), QStringList({ "value(4)", "position(40)" }));
    model.setPosition(38); // same public value and position
    QVERIFY(log.take().isEmpty());
    model.setPositionRange(50, 50);
    log.take();
    model.setPosition(70);
    QCOMPARE(model.value(), 0.0);
    QCOMPARE(model.position(), 50.0);
}

void TestRangeModel::toMinimumAndMaximum()
{
    RangeModel model;
    setUp(model, 3);
    model.toMaximum();
    QCOMPARE(model.value(), 10.0);
    QCOMPARE(model.position(), 100.0);
    model.toMinimum();
    QCOMPARE(model.value(), 0.0);
    QCOMPARE(model.position(), 0.0);
}

void TestRangeModel::qmlProperties()
{
    RangeModel model;
    QCOMPARE(QString(model.metaObject()->userProperty().name()), QString("value"));
    QVERIFY(model.setProperty("minimumValue", 2.0));
    QVERIFY(model.setProperty("maximumValue", 4.0));
    QVERIFY(model.setProperty("positionAtMinimum", 0.0));
    QVERIFY(model.setProperty("positionAtMaximum", 10.0));
    QVERIFY(model.setProperty("stepSize", 0.5));
    QVERIFY(model.setProperty("value", 3.3));
    QCOMPARE(model.property("value").toDouble(), 3.5);
    QCOMPARE(model.property("position").toDouble(), 7.5);
    QVERIFY(model.setProperty("inverted", true));
    QCOMPARE(model.property("position").toDouble(), 2.5);
}

// Whatever happens, the public value and position stay inside their ranges, on a step, and a
// change of either is announced with the new value.
void TestRangeModel::randomOperations()
{
    QRandomGenerator rng(11);
    for (int round = 0; round < 50; ++round) {
        RangeModel model;
        double lastValue = model.value();
        double lastPosition = model.position();
        connect(&model, &RangeModel::valueChanged, [&](double v) { lastValue = v; });
        connect(&model, &RangeModel::positionChanged, [&](double p) { lastPosition = p; });
        for (int i = 0; i < 200; ++i) {
            const double a = (rng.bounded(4001) - 2000) / 16.0;
            const double b = (rng.bounded(4001) - 2000) / 16.0;
            switch (rng.bounded(7)) {
            case 0:
                model.setValue(a);
                break;
            case 1:
                model.setPosition(a);
                break;
            case 2:
                model.setRange(a, b);
                break;
            case 3:
                model.setPositionRange(a, b);
                break;
            case 4:
                model.setStepSize(rng.bounded(5) / 2.0);
                break;
            case 5:
                model.setInverted(!model.inverted());
                break;
            case 6:
                model.toMaximum();
                break;
            }
            const double value = model.value();
            const double position = model.position();
            QVERIFY(model.maximum() >= model.minimum());
            QVERIFY(value >= model.minimum() && value <= model.maximum());
            const double lo = qMin(model.positionAtMinimum(), model.positionAtMaximum());
            const double hi = qMax(model.positionAtMinimum(), model.positionAtMaximum());
            QVERIFY2(position >= lo - 1e-9 && position <= hi + 1e-9,
                     qPrintable(QString("%1 not in %2..%3").arg(position).arg(lo).arg(hi)));
            if (model.stepSize() > 0 && value != model.maximum()) {
                const double steps = (value - model.minimum()) / model.stepSize();
                QVERIFY(std::fabs(steps - std::round(steps)) < 1e-9);
            }
            QVERIFY2(qFuzzyCompare(1 + lastValue, 1 + value) || lastValue == value,
                     qPrintable(QString("announced %1, reads %2").arg(lastValue).arg(value)));
            QVERIFY2(qFuzzyCompare(1 + lastPosition, 1 + position) || lastPosition == position,
                     qPrintable(QString("announced %1, reads %2").arg(lastPosition).arg(position)));
        }
    }
}

void TestRangeModel::oddInput()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    RangeModel model;
    setUp(model, 2);
    model.setValue(nan);
    model.value();
    model.position();
    model.setValue(inf);
    QCOMPARE(model.value(), 10.0);
    model.setValue(-inf);
    QCOMPARE(model.value(), 0.0);
    model.setPosition(nan);
    model.setPosition(1e300);
    QCOMPARE(model.position(), 100.0);
    model.setStepSize(inf);
    model.setValue(3);
    QVERIFY(model.value() >= 0 && model.value() <= 10);
    model.setStepSize(1e-300); // more steps than an int counts
    model.setValue(7);
    QVERIFY(model.value() >= 0 && model.value() <= 10);
    model.valueForPosition(nan);
    model.positionForValue(inf);
}

QTEST_MAIN(TestRangeModel)
#include "tst_rangemodel.moc"
