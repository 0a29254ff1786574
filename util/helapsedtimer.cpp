#include "helapsedtimer.h"

#include <QtDebug>

HElapsedTimer::HElapsedTimer(QObject *parent)
    : QObject(parent)
{
    qWarning().noquote() << "HElapsedTimer::HElapsedTimer(QObject*)"
                         << "ClockType:" << QElapsedTimer::isMonotonic()
                         << int(QElapsedTimer::clockType());
}

HElapsedTimer::~HElapsedTimer() = default;

void HElapsedTimer::start(const QString &id)
{
    if (id.isEmpty()) {
        qWarning("Timer (Global) started");
        m_globalTimer.start();
        return;
    }
    const auto known = m_timers.find(id);
    if (known != m_timers.end()) {
        qWarning().noquote() << QStringLiteral("Timer (") + id + QStringLiteral(") started");
        known->restart();
        return;
    }
    qWarning().noquote() << QStringLiteral("New Timer (") + id + QStringLiteral(") started");
    m_timers[id].start();
}

qlonglong HElapsedTimer::elapsed(const QString &id)
{
    if (id.isEmpty())
        return m_globalTimer.isValid() ? m_globalTimer.elapsed() : -1;
    const auto known = m_timers.constFind(id);
    return known != m_timers.constEnd() ? known->elapsed() : -1;
}

void HElapsedTimer::logElapsed(const QString &msg, const QString &id)
{
    const QString seconds = QStringLiteral("%1").arg(elapsed(id) * 0.001);
    // Both placeholders in one pass: an id holding "%2" stays as it is.
    const QString text = QStringLiteral("Timer Elapsed (%1): %2 s")
                             .arg(id.isEmpty() ? QStringLiteral("Global") : id, seconds);
    qWarning().noquote() << (msg.isEmpty() ? text : msg + QLatin1Char(' ') + text);
}
