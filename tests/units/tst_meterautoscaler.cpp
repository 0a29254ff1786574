#include "meterautoscaler.h"

#include "simdata.h"

#include <QSignalSpy>
#include <QtTest>

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
    // The range written, then the writes since the last call.
    QString take()
    {
        const QString range
            = QString("%1..%2").arg(minData.value().toDouble()).arg(maxData.value().toDouble());
        return (range + " " + std::exchange(writes, {}).join(',')).trimmed();
    }

    QString scale(double reading, bool db = false)
    {
        db ? scaler.autoScaleDb(reading) : scaler.autoScale(reading);
        return take();
    }

    SimData maxData, minData;
    MeterAutoScaler scaler;
    QStringList writes;
};

class TestMeterAutoScaler : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void linear();
    void db();
    void notConfigured();
};

void TestMeterAutoScaler::linear()
{
    Meter m({ 1, 3, 10, 30 }, 5, -5);
    QCOMPARE(m.scale(2), QString("0..3 max,min"));
    QCOMPARE(m.minData.value().userType(), int(QMetaType::Int)); // the unipolar minimum is 0
    QCOMPARE(m.scale(2.8), QString("0..10 max")); // 2.8 * 1.1 passes 3
    // Three readings in a row below a third of full scale step down; one above in between
    // starts the streak again.
    for (double r : { 0.5, 0.5, 3.34, 0.5, 0.5 })
        QCOMPARE(m.scale(r), QString("0..10"));
    QCOMPARE(m.scale(2.0), QString("0..3 max"));
    QCOMPARE(m.scaler.autoCount(), 0);
    QCOMPARE(m.scale(27.3), QString("0..30 max")); // 30.03 >= 30: the largest mode
    m.scaler.reset();
    m.scaler.setModeValues({ 10, 1, 30 }); // changing the configuration leaves the streak alone
    QCOMPARE(m.scaler.autoCount(), int(MeterAutoScaler::NotRanged));
    QCOMPARE(m.scale(2), QString("0..10 max")); // not ascending: the first fitting in list order
    QCOMPARE(m.scale(qQNaN()), QString("0..10")); // no mode fits NaN
    m.scaler.autoScale(qInf());
    QCOMPARE(m.scale(-5), QString("0..30 max")); // low, but only the first low reading
    m.maxData.setValue(QString("abc")); // reads as 0: 0.11 is not below it, re-ranged
    QCOMPARE(m.scale(0.1), QString("0..10 max,max")); // our write, then the scaler's

    Meter bipolar({ 1, 3, 10, 30 });
    bipolar.scaler.setBipolarMeter(true);
    bipolar.scaler.autoScale(2);
    QCOMPARE(bipolar.scale(9.5), QString("-30..30 max,min,max,min"));
}

void TestMeterAutoScaler::db()
{
    Meter first({ -20, 0, 20 }, -20, -70);
    QCOMPARE(first.scale(-42, true), QString("-70..-20")); // -17 is closest to -20
    QCOMPARE(first.scaler.autoCount(), 0);
    first.scaler.reset();
    QCOMPARE(first.scale(qQNaN(), true), QString("-30..20 max,min")); // NaN: the last mode

    Meter m({ -20, 0, 20 }, 0, -50);
    m.scale(-25, true);
    // Streaks near one end; a reading in the middle or near the other end breaks them.
    for (double r : { -5.0, -5.0, -30.0, -45.0, -45.0, -5.0, -45.0, -5.0, -5.0 })
        QCOMPARE(m.scale(r, true), QString("-50..0"));
    QCOMPARE(m.scale(-5, true), QString("-30..20 max,min")); // the third near the top
    QCOMPARE(m.scale(-31, true), QString("-50..0 max,min")); // below the minimum
    m.minData.setValue(-40);
    m.take();
    QCOMPARE(m.scale(-25, true), QString("-50..0 min")); // mid-range: only the span is restored

    Meter tie({ 0, 10, 20 }, 0, -50);
    // -20 + 25 = 5: 0 and 10 are equally close, the later wins.
    QCOMPARE(tie.scale(-20, true), QString("-40..10 max,min"));
    Meter single({ 7 }, 0, -50);
    QCOMPARE(single.scale(100, true), QString("-43..7 max,min"));
}

void TestMeterAutoScaler::notConfigured()
{
    for (int missing = 0; missing < 4; ++missing) { // no modes, no max, no min, nothing
        Meter m(missing % 3 ? QList<double> { 1, 10 } : QList<double>(), 7, -7);
        m.scaler.setMaxData(missing % 2 ? nullptr : &m.maxData);
        m.scaler.setMinData(missing >= 2 ? nullptr : &m.minData);
        QTest::ignoreMessage(QtWarningMsg, "autoScale  Error: data is not initialized!");
        QTest::ignoreMessage(QtWarningMsg, "autoScaleDb  Error: data is not initialized!");
        m.scaler.autoScale(5);
        QCOMPARE(m.scale(5, true), QString("-7..7"));
        QCOMPARE(m.scaler.autoCount(), int(MeterAutoScaler::NotRanged));
    }
    // A data object that goes away is dropped and announced; one replaced before it went is not.
    Meter m({ 1, 10 });
    auto *other = new SimData;
    m.scaler.setMaxData(other);
    m.scaler.setMaxData(&m.maxData);
    QSignalSpy spy(&m.scaler, &MeterAutoScaler::maxDataChanged);
    delete other;
    QCOMPARE(spy.count(), 0);
    auto *min = new SimData;
    m.scaler.setMinData(min);
    QSignalSpy minSpy(&m.scaler, &MeterAutoScaler::minDataChanged);
    delete min;
    QCOMPARE(minSpy.count(), 1);
    QTest::ignoreMessage(QtWarningMsg, "autoScale  Error: data is not initialized!");
    m.scaler.autoScale(3);
}

QTEST_MAIN(TestMeterAutoScaler)
#include "tst_meterautoscaler.moc"
