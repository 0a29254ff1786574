#include "helapsedtimer.h"

#include <QtTest>

class TestHElapsedTimer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void globalTimer();
    void namedTimers();
};

void TestHElapsedTimer::globalTimer()
{
    QTest::ignoreMessage(
        QtWarningMsg,
        qPrintable(QString("HElapsedTimer::HElapsedTimer(QObject*) ClockType: %1 %2")
                       .arg(QElapsedTimer::isMonotonic() ? "true" : "false")
                       .arg(int(QElapsedTimer::clockType()))));
    HElapsedTimer timers;
    QCOMPARE(timers.elapsed(), -1LL); // not started yet
    QTest::ignoreMessage(QtWarningMsg, "Timer Elapsed (Global): -0.001 s");
    timers.logElapsed();
    QTest::ignoreMessage(QtWarningMsg, "Timer (Global) started");
    timers.start();
    QTest::ignoreMessage(QtWarningMsg, "Timer (Global) started");
    timers.start("");
    QVERIFY(timers.elapsed() >= 0);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Loaded Timer Elapsed \\(Global\\): "
                                            "[0-9.e-]+ s$"));
    timers.logElapsed("Loaded");
}

void TestHElapsedTimer::namedTimers()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^HElapsedTimer::HElapsedTimer"));
    HElapsedTimer timers;
    QTest::ignoreMessage(QtWarningMsg, "New Timer (load) started");
    timers.start("load");
    QTest::qSleep(200);
    const qlonglong first = timers.elapsed("load");
    QVERIFY(first >= 200);
    QTest::ignoreMessage(QtWarningMsg, "Timer (load) started");
    timers.start("load");
    QVERIFY(timers.elapsed("load") < first); // the same stopwatch, restarted

    // Unknown ids read -1 and stay unknown; ids and messages are taken as they are.
    QCOMPARE(timers.elapsed("unknown"), -1LL);
    QTest::ignoreMessage(QtWarningMsg, "Opening 100% Timer Elapsed (unknown): -0.001 s");
    timers.logElapsed("Opening 100%", "unknown");
    QTest::ignoreMessage(QtWarningMsg, "New Timer (unknown) started");
    timers.start("unknown");
    QTest::ignoreMessage(QtWarningMsg, "%1 Timer Elapsed (a%2b): -0.001 s");
    timers.logElapsed("%1", "a%2b");
    QTest::ignoreMessage(QtWarningMsg, "New Timer (a%2b) started");
    timers.start("a%2b");
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Timer Elapsed \\(a%2b\\): [0-9.e-]+ s$"));
    timers.logElapsed(QString(), "a%2b");
}

QTEST_GUILESS_MAIN(TestHElapsedTimer)
#include "tst_helapsedtimer.moc"
