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
    const QString clock = QString("HElapsedTimer::HElapsedTimer(QObject*) ClockType: %1 %2")
                              .arg(QElapsedTimer::isMonotonic() ? "true" : "false")
                              .arg(int(QElapsedTimer::clockType()));
    QTest::ignoreMessage(QtWarningMsg, qPrintable(clock));
    HElapsedTimer timers;
    QCOMPARE(timers.elapsed(), -1LL); // never started
    QTest::ignoreMessage(QtWarningMsg, "Timer Elapsed (Global): -0.001 s");
    timers.logElapsed();
    QTest::ignoreMessage(QtWarningMsg, "Timer (Global) started");
    QTest::ignoreMessage(QtWarningMsg, "Timer (Global) started");
    timers.start();
    timers.start("");
    QVERIFY(timers.elapsed() >= 0);
}

void TestHElapsedTimer::namedTimers()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^HElapsedTimer::HElapsedTimer"));
    HElapsedTimer timers;
    QTest::ignoreMessage(QtWarningMsg, "New Timer (load) started");
    QTest::ignoreMessage(QtWarningMsg, "Timer (load) started");
    timers.start("load");
    QTest::qSleep(200);
    const qlonglong first = timers.elapsed("load");
    QVERIFY(first >= 200);
    timers.start("load");
    QVERIFY(timers.elapsed("load") < first); // the same stopwatch, restarted

    // Unknown ids read -1 and stay unknown; ids and messages are taken as they are.
    QCOMPARE(timers.elapsed("a%2b"), -1LL);
    QTest::ignoreMessage(QtWarningMsg, "%1 100% Timer Elapsed (a%2b): -0.001 s");
    QTest::ignoreMessage(QtWarningMsg, "New Timer (a%2b) started");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Timer Elapsed \\(a%2b\\): [0-9.]+ s$"));
    timers.logElapsed("%1 100%", "a%2b");
    timers.start("a%2b");
    timers.logElapsed(QString(), "a%2b");
}

QTEST_GUILESS_MAIN(TestHElapsedTimer)
#include "tst_helapsedtimer.moc"
