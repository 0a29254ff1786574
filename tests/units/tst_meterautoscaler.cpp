#include "meterautoscaler.h"

#include "simdata.h"

#include "testrows.h"
#include <QSignalSpy>

#include <QtTest>

#include <limits>

// A scaler wired to two simulated data objects that log every write in order.
struct Meter
{
    Meter(const QList<double> &modes, double max = 0, double min = 0)
    {
        maxData.setValue(max);
        minData.setValue(min);
        scaler.setModeValues(modes);
        scaler.setMaxData(&maxData);
        scaler.setMinData(&minData);
        QObject::connect(&maxData, &SimData::valueChanged, [this] { writes << "max"; });
        QObject::connect(&minData, &SimData::valueChanged, [this] { writes << "min"; });
    }
    double max() const { return maxData.value().toDouble(); }
    double min() const { return minData.value().toDouble(); }

    SimData maxData;
    SimData minData;
    MeterAutoScaler scaler;
    QStringList writes;
};

class TestMeterAutoScaler : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void linearSequence();
    void linearLargestMode();
    void linearUnipolarMinIsInteger();
    void bipolar();
    void linearStreakNeedsThreeLowReadings();
    void notInitialized_data();
    void notInitialized();
    void dbFirstReading();
    void dbStreakNearTop();
    void dbStreakBrokenInMiddle();
    void dbStreakSwitchingSides();
    void dbOutsideRangeReranges();
    void dbRestoresSpan();
    void dbEqualDistanceLaterWins();
    void oddInput();
    void setters();
    void dataObjectGoesAway();
};

void TestMeterAutoScaler::linearSequence()
{
    Meter m({ 1, 3, 10, 30 });
    m.scaler.reset();
    m.scaler.autoScale(2);
    QCOMPARE(m.max(), 3.0);
    QCOMPARE(m.min(), 0.0);
    QCOMPARE(m.writes, QStringList({ "max", "min" }));
    QCOMPARE(m.scaler.autoCount(), 0);
    m.scaler.autoScale(2.8); // 2.8 * 1.1 passes 3
    QCOMPARE(m.max(), 10.0);
    for (int i = 0; i < 2; ++i) {
        m.scaler.autoScale(0.5);
        QCOMPARE(m.max(), 10.0);
        QCOMPARE(m.scaler.autoCount(), i + 1);
    }
    m.scaler.autoScale(0.5);
    QCOMPARE(m.max(), 1.0);
    QCOMPARE(m.scaler.autoCount(), 0);
}

void TestMeterAutoScaler::linearLargestMode()
{
    Meter m({ 1, 3, 10, 30 });
    m.scaler.autoScale(50);
    QCOMPARE(m.max(), 30.0);
    m.scaler.autoScale(27.3); // 30.03 >= 30
    QCOMPARE(m.max(), 30.0);
}

void TestMeterAutoScaler::linearUnipolarMinIsInteger()
{
    Meter m({ 1, 3 }, 5, -5);
    m.scaler.autoScale(0.2);
    QCOMPARE(m.minData.value(), QVariant(0));
    QCOMPARE(m.minData.value().userType(), int(QMetaType::Int));
    QCOMPARE(m.maxData.value().userType(), int(QMetaType::Double));
}

void TestMeterAutoScaler::bipolar()
{
    Meter m({ 1, 3, 10, 30 });
    m.scaler.setBipolarMeter(true);
    m.scaler.autoScale(2);
    QCOMPARE(m.max(), 3.0);
    QCOMPARE(m.min(), -3.0);
    m.scaler.autoScale(9.5);
    QCOMPARE(m.max(), 30.0);
    QCOMPARE(m.min(), -30.0);
    QCOMPARE(m.writes, QStringList({ "max", "min", "max", "min" }));
}

// A reading at a third of full scale or more ends the streak of low readings.
void TestMeterAutoScaler::linearStreakNeedsThreeLowReadings()
{
    Meter m({ 1, 3, 10, 30 });
    m.scaler.autoScale(5); // max 10
    m.writes.clear();
    for (double r : { 0.5, 0.5, 3.34, 0.5, 0.5 })
        m.scaler.autoScale(r);
    QCOMPARE(m.max(), 10.0);
    QVERIFY(m.writes.isEmpty());
    QCOMPARE(m.scaler.autoCount(), 2);
    m.scaler.autoScale(2.0); // the third low reading in a row
    QCOMPARE(m.max(), 3.0);
    QCOMPARE(m.writes, QStringList({ "max" })); // the minimum stays 0
    QCOMPARE(m.scaler.autoCount(), 0);
    m.scaler.reset();
    QCOMPARE(m.scaler.autoCount(), int(MeterAutoScaler::NotRanged));
}

void TestMeterAutoScaler::notInitialized_data()
{
    QTest::addColumn<bool>("modes");
    QTest::addColumn<bool>("withMax");
    QTest::addColumn<bool>("withMin");
    addRow("no modes", false, true, true);
    addRow("no max", true, false, true);
    addRow("no min", true, true, false);
    addRow("nothing", false, false, false);
}

void TestMeterAutoScaler::notInitialized()
{
    QFETCH(bool, modes);
    QFETCH(bool, withMax);
    QFETCH(bool, withMin);
    Meter m(modes ? QList<double> { 1, 10 } : QList<double>(), 7, -7);
    if (!withMax)
        m.scaler.setMaxData(nullptr);
    if (!withMin)
        m.scaler.setMinData(nullptr);
    QTest::ignoreMessage(QtWarningMsg, "autoScale  Error: data is not initialized!");
    m.scaler.autoScale(5);
    QTest::ignoreMessage(QtWarningMsg, "autoScaleDb  Error: data is not initialized!");
    m.scaler.autoScaleDb(5);
    QCOMPARE(m.max(), 7.0);
    QCOMPARE(m.min(), -7.0);
    QVERIFY(m.writes.isEmpty());
    QCOMPARE(m.scaler.autoCount(), int(MeterAutoScaler::NotRanged));
}

void TestMeterAutoScaler::dbFirstReading()
{
    Meter m({ -20, 0, 20 }, -20, -70);
    m.scaler.autoScaleDb(-42); // closest to -17
    QCOMPARE(m.max(), -20.0);
    QCOMPARE(m.min(), -70.0);
    QCOMPARE(m.scaler.autoCount(), 0);
}

void TestMeterAutoScaler::dbStreakNearTop()
{
    Meter m({ -20, 0, 20 }, 0, -50);
    m.scaler.autoScaleDb(-25); // ranges to 0 .. -50
    QCOMPARE(m.max(), 0.0);
    m.writes.clear();
    m.scaler.autoScaleDb(-5);
    m.scaler.autoScaleDb(-5);
    QVERIFY(m.writes.isEmpty());
    QCOMPARE(m.scaler.autoCount(), 2);
    m.scaler.autoScaleDb(-5);
    QCOMPARE(m.max(), 20.0);
    QCOMPARE(m.min(), -30.0);
    QCOMPARE(m.writes, QStringList({ "max", "min" }));
}

void TestMeterAutoScaler::dbStreakBrokenInMiddle()
{
    Meter m({ -20, 0, 20 }, 0, -50);
    m.scaler.autoScaleDb(-25);
    m.writes.clear();
    for (double r : { -5.0, -5.0, -30.0, -5.0, -5.0 })
        m.scaler.autoScaleDb(r);
    QVERIFY(m.writes.isEmpty());
    QCOMPARE(m.scaler.autoCount(), 2);
}

void TestMeterAutoScaler::dbStreakSwitchingSides()
{
    Meter m({ -20, 0, 20 }, 0, -50);
    m.scaler.autoScaleDb(-25);
    m.writes.clear();
    for (double r : { -45.0, -45.0, -5.0, -45.0, -5.0, -5.0 })
        m.scaler.autoScaleDb(r);
    QVERIFY(m.writes.isEmpty());
    QCOMPARE(m.scaler.autoCount(), 2);
    m.scaler.autoScaleDb(-45.0); // the other side again: a new streak
    QCOMPARE(m.scaler.autoCount(), 1);
    QVERIFY(m.writes.isEmpty());
}

void TestMeterAutoScaler::dbOutsideRangeReranges()
{
    Meter m({ -20, 0, 20 }, 0, -50);
    m.scaler.autoScaleDb(-25);
    m.writes.clear();
    m.scaler.autoScaleDb(3);
    QCOMPARE(m.max(), 20.0);
    QCOMPARE(m.min(), -30.0);
    m.scaler.autoScaleDb(-31); // below the new minimum
    QCOMPARE(m.max(), 0.0);
    QCOMPARE(m.min(), -50.0);
    QCOMPARE(m.writes, QStringList({ "max", "min", "max", "min" }));
}

void TestMeterAutoScaler::dbRestoresSpan()
{
    Meter m({ -20, 0, 20 }, 0, -50);
    m.scaler.autoScaleDb(-25);
    m.minData.setValue(-40);
    m.writes.clear();
    m.scaler.autoScaleDb(-25); // mid-range: only the span is restored
    QCOMPARE(m.min(), -50.0);
    QCOMPARE(m.max(), 0.0);
    QCOMPARE(m.writes, QStringList({ "min" }));
}

void TestMeterAutoScaler::dbEqualDistanceLaterWins()
{
    Meter m({ 0, 10, 20 }, 0, -50);
    m.scaler.autoScaleDb(-20); // -20 + 25 = 5: 0 and 10 equally close
    QCOMPARE(m.max(), 10.0);
    Meter single({ 7 }, 0, -50);
    single.scaler.autoScaleDb(100);
    QCOMPARE(single.max(), 7.0);
    QCOMPARE(single.min(), -43.0);
}

void TestMeterAutoScaler::oddInput()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Meter m({ 10, 1, 30 }, 5, 0); // not ascending: the first fitting in list order
    m.scaler.autoScale(2);
    QCOMPARE(m.max(), 10.0);
    m.scaler.reset();
    m.scaler.autoScale(nan); // no mode fits NaN: the maximum stays
    QCOMPARE(m.max(), 10.0);
    QCOMPARE(m.min(), 0.0);
    m.scaler.autoScale(std::numeric_limits<double>::infinity());
    QCOMPARE(m.max(), 30.0);
    m.scaler.autoScale(-5); // low, but only the first low reading
    QCOMPARE(m.max(), 30.0);
    m.scaler.reset();
    m.scaler.autoScale(-5);
    QCOMPARE(m.max(), 10.0); // -5.5 fits the first mode
    m.scaler.reset();
    m.scaler.autoScaleDb(nan);
    QCOMPARE(m.max(), 30.0);
    QCOMPARE(m.min(), -20.0);
    // A value that is no number reads as 0.
    m.maxData.setValue(QString("abc"));
    m.scaler.autoScale(0.1); // 0.11 is not below a maximum of 0: re-ranged, in list order
    QCOMPARE(m.max(), 10.0);
}

void TestMeterAutoScaler::setters()
{
    MeterAutoScaler scaler;
    SimData a, b;
    QSignalSpy modes(&scaler, &MeterAutoScaler::modeValuesChanged);
    QSignalSpy bipolar(&scaler, &MeterAutoScaler::bipolarMeterChanged);
    QSignalSpy max(&scaler, &MeterAutoScaler::maxDataChanged);
    QSignalSpy min(&scaler, &MeterAutoScaler::minDataChanged);

    scaler.setModeValues({ 1, 2 });
    scaler.setModeValues({ 1.0, 2.0 });
    QCOMPARE(modes.count(), 1);
    scaler.setModeValues({ 1, 2, 3 });
    scaler.setModeValues({ 1, 2, 4 });
    QCOMPARE(modes.count(), 3);
    QVERIFY(scaler.setProperty("modeValues", QVariant::fromValue(QList<double> { 1, 2, 4 })));
    QCOMPARE(modes.count(), 3);

    scaler.setBipolarMeter(false);
    scaler.setBipolarMeter(true);
    scaler.setBipolarMeter(true);
    QCOMPARE(bipolar.count(), 1);

    scaler.setMaxData(&a);
    scaler.setMaxData(&a);
    scaler.setMaxData(&b);
    QCOMPARE(max.count(), 2);
    scaler.setMinData(nullptr);
    scaler.setMinData(&a);
    QCOMPARE(min.count(), 1);
    QCOMPARE(scaler.getMaxData(), &b);
    QCOMPARE(scaler.getMinData(), &a);

    // Changing the configuration leaves the streak alone.
    scaler.reset();
    scaler.setModeValues({ 5 });
    QCOMPARE(scaler.autoCount(), int(MeterAutoScaler::NotRanged));
}

void TestMeterAutoScaler::dataObjectGoesAway()
{
    MeterAutoScaler scaler;
    auto *max = new SimData;
    SimData min;
    scaler.setModeValues({ 1, 10 });
    scaler.setMaxData(max);
    scaler.setMinData(&min);
    QSignalSpy spy(&scaler, &MeterAutoScaler::maxDataChanged);
    delete max;
    QCOMPARE(spy.count(), 1);
    QCOMPARE(scaler.getMaxData(), nullptr);
    QTest::ignoreMessage(QtWarningMsg, "autoScale  Error: data is not initialized!");
    scaler.autoScale(3);
    // A replaced object that goes later no longer signals.
    auto *other = new SimData;
    scaler.setMinData(other);
    scaler.setMinData(&min);
    QSignalSpy minSpy(&scaler, &MeterAutoScaler::minDataChanged);
    delete other;
    QCOMPARE(minSpy.count(), 0);
}

QTEST_MAIN(TestMeterAutoScaler)
#include "tst_meterautoscaler.moc"
