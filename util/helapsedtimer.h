#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>

// Named stopwatches for timing page operations. The empty id is the global stopwatch; every
// start and every reading is written to the log at warning level.
class HElapsedTimer : public QObject
{
    Q_OBJECT
public:
    explicit HElapsedTimer(QObject *parent = nullptr);
    ~HElapsedTimer() override;

    Q_INVOKABLE void start(const QString &id = QString());
    // Milliseconds since the stopwatch started; -1 for one that never started.
    Q_INVOKABLE qlonglong elapsed(const QString &id = QString());
    Q_INVOKABLE void logElapsed(const QString &msg = QString(), const QString &id = QString());

private:
    QElapsedTimer m_globalTimer;
    QHash<QString, QElapsedTimer> m_timers;
};
